#!/usr/bin/env python3
"""Merges histories in the data-file format into one, by date.

merge.py [--union] FILE [FILE...]

Writes on standard output every draw line of the files, oldest first. Lines of one date keep
the order of the files given (midday before evening: name the midday file first), and their
order within a file. A line that is not "yyyymmdd n1 n2 ..." stops the merge with a message.

--union joins copies of one game that overlap in time: a date that several files hold is
written once, and only when they all give it the same lines; a date on which two files
disagree stops the merge with a message naming the date (a cross-check built into the recipe).
"""

import re
import sys

LINE = re.compile(r"\d{8}( (0|[1-9]\d*))+")


def main(argv):
    union = bool(argv) and argv[0] == "--union"
    if union:
        argv = argv[1:]
    if not argv:
        print("usage: merge.py [--union] FILE [FILE...]", file=sys.stderr)
        return 2
    draws = []
    for index, path in enumerate(argv):
        with open(path, "rb") as f:
            lines = f.read().decode("ascii").split("\r\n")
        if lines and lines[-1] == "":
            lines.pop()
        for number, line in enumerate(lines, start=1):
            if not LINE.fullmatch(line):
                print("merge.py: %s:%d: not a draw line: %r" % (path, number, line[:60]),
                      file=sys.stderr)
                return 1
            draws.append((line[:8], index, number, line))
    draws.sort()
    if union:
        by_date = {}
        for date, index, _, line in draws:
            by_date.setdefault(date, {}).setdefault(index, []).append(line)
        draws = []
        for date in sorted(by_date):
            copies = list(by_date[date].values())
            if any(c != copies[0] for c in copies[1:]):
                print("merge.py: the files disagree on %s" % date, file=sys.stderr)
                return 1
            draws += [(date, 0, 0, line) for line in copies[0]]
    sys.stdout.buffer.write("".join(d[3] + "\r\n" for d in draws).encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
