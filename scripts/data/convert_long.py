#!/usr/bin/env python3
"""Converts a results file with one number a row (a "long" table) to a draw history.

convert_long.py SOURCE --date COL [--date-format FMT] --number COL --kind COL --kinds K1,K2
                [--from DATE] [--to DATE]

Each row of the comma-separated source (with a header) holds one drawn number of one draw:
its date, the number and its kind (a main number or the extra ball, say "win" and
"additional"). The rows of one date make one draw, written as one line: the numbers of the
first kind named in --kinds, in their source order, then those of the next kind, and so on.
Output as the other converters: "yyyymmdd n1 n2 ...", oldest first, CR LF. A row that cannot
be read, a kind not named in --kinds, or a draw whose count of numbers of some kind differs
from the other draws' stops the conversion with a message: a history is rebuilt exactly or not
at all. A source with two draws on one date cannot be told apart and is refused the same way.
"""

import argparse
import csv
import datetime
import sys


class Failure(Exception):
    pass


def parse_args(argv):
    p = argparse.ArgumentParser(description="Convert a one-number-a-row results file.")
    p.add_argument("source")
    p.add_argument("--date", required=True)
    p.add_argument("--date-format", default="%Y-%m-%d")
    p.add_argument("--number", required=True)
    p.add_argument("--kind", required=True)
    p.add_argument("--kinds", required=True)
    p.add_argument("--from", dest="first", default=None)
    p.add_argument("--to", dest="last", default=None)
    return p.parse_args(argv)


def convert(args):
    kinds = [k.strip() for k in args.kinds.split(",") if k.strip()]
    with open(args.source, "r", encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    if not rows:
        raise Failure("%s: no rows" % args.source)
    names = [n.strip() for n in rows[0]]
    columns = []
    for name in (args.date, args.number, args.kind):
        if name not in names:
            raise Failure("no column %r (columns: %s)" % (name, ", ".join(names)))
        columns.append(names.index(name))
    draws = {}
    for line, row in enumerate(rows[1:], start=2):
        if not any(cell.strip() for cell in row):
            continue
        try:
            date, number, kind = (row[i].strip() for i in columns)
            key = datetime.datetime.strptime(date, args.date_format).strftime("%Y%m%d")
        except (IndexError, ValueError):
            raise Failure("%s:%d: no date of the form %r in %r" % (args.source, line,
                                                                 args.date_format, ",".join(row)))
        if kind not in kinds:
            raise Failure("%s:%d: the kind %r is not one of %s" % (args.source, line, kind,
                                                                 ", ".join(kinds)))
        if not number.isdigit():
            raise Failure("%s:%d: %r is not a number" % (args.source, line, number))
        if (args.first and key < args.first) or (args.last and key > args.last):
            continue
        draws.setdefault(key, {k: [] for k in kinds})[kind].append(int(number))
    if not draws:
        raise Failure("%s: no draw read" % args.source)
    shape = None
    out = []
    for key in sorted(draws):
        counts = [len(draws[key][k]) for k in kinds]
        if shape is None:
            shape = counts
        elif counts != shape:
            raise Failure("%s: the draw of %s has %s numbers of the kinds %s, the first draw %s"
                          % (args.source, key, counts, ", ".join(kinds), shape))
        numbers = [n for k in kinds for n in draws[key][k]]
        out.append(" ".join([key] + [str(n) for n in numbers]) + "\r\n")
    return "".join(out)


def main(argv):
    args = parse_args(argv)
    try:
        text = convert(args)
    except (Failure, OSError, UnicodeDecodeError) as e:
        print("convert_long.py: %s" % e, file=sys.stderr)
        return 1
    sys.stdout.buffer.write(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
