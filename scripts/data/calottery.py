#!/usr/bin/env python3
"""Converts the California Lottery's "Download Winning Numbers" text to a draw history.

calottery.py SOURCE [--first-draw N] [--last-draw N]

The download is fixed-width text, newest draw first: a title line ("Download Winning Numbers
from www.calottery.com on ... for FANTASY 5"), a column header, a line of dashes, then one line
a draw: draw number, "Wed. Sep 04, 2019", the numbers in the order drawn. Draws are written in
the order of their draw numbers, so a midday and an evening draw of one date keep the order in
which they were drawn. A line that repeats an earlier line exactly (the same draw number, date
and numbers) is the same draw written twice and is taken once. A line after the dashes that is
not a draw stops the conversion; so does a draw number given twice with different contents, or a
date that goes back as the draw numbers go up.
"""

import argparse
import datetime
import re
import sys

DRAW = re.compile(r"\s*(\d+)\s+[A-Z][a-z]{2}\.\s+([A-Z][a-z]{2}) (\d{1,2}), (\d{4})((?:\s+\d+)+)\s*")


class Failure(Exception):
    pass


def convert(path, first, last):
    with open(path, "rb") as f:
        lines = f.read().decode("ascii").splitlines()
    start = next((i for i, line in enumerate(lines) if line.startswith("------")), None)
    if start is None or not any("Download Winning Numbers" in line for line in lines[:start]):
        raise Failure("not a California Lottery download (no title and no line of dashes)")
    draws = {}
    for number, line in enumerate(lines[start + 1:], start=start + 2):
        # The copies kept in some repositories end with a stray quote of a printed bytes object.
        if not line.strip() or line.strip() == "'":
            continue
        m = DRAW.fullmatch(line)
        if not m:
            raise Failure("line %d is not a draw: %r" % (number, line[:70]))
        draw = int(m.group(1))
        try:
            date = datetime.datetime.strptime("%s %s %s" % m.group(2, 3, 4), "%b %d %Y").date()
        except ValueError:
            raise Failure("line %d: no real date" % number)
        numbers = [int(n) for n in m.group(5).split()]
        if draw in draws:
            if draws[draw] != (date, numbers):
                raise Failure("line %d: draw %d twice, with different contents" % (number, draw))
            print("calottery.py: line %d repeats draw %d; taken once" % (number, draw),
                  file=sys.stderr)
            continue
        draws[draw] = (date, numbers)
    out = []
    previous = None
    for draw in sorted(draws):
        if (first and draw < first) or (last and draw > last):
            continue
        date, numbers = draws[draw]
        if previous and date < previous:
            raise Failure("draw %d is dated before the draw before it" % draw)
        previous = date
        out.append(" ".join([date.strftime("%Y%m%d")] + [str(n) for n in numbers]))
    if not out:
        raise Failure("no draw read")
    return "".join(line + "\r\n" for line in out)


def main(argv):
    p = argparse.ArgumentParser(description="Convert a California Lottery download.")
    p.add_argument("source")
    p.add_argument("--first-draw", type=int, default=None)
    p.add_argument("--last-draw", type=int, default=None)
    args = p.parse_args(argv)
    try:
        text = convert(args.source, args.first_draw, args.last_draw)
    except (Failure, OSError, UnicodeDecodeError) as e:
        print("calottery.py: %s: %s" % (args.source, e), file=sys.stderr)
        return 1
    sys.stdout.buffer.write(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
