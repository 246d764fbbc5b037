#!/usr/bin/env python3
"""Converts a delimited results file (CSV, semicolons, tabs) to a draw history.

convert.py SOURCE --date COLS [--date-format FMT] --draw COLS [--draw COLS ...] [options]

Writes the history on standard output: one draw a line, "yyyymmdd n1 n2 ...", oldest first,
CR LF, plain integers. Columns are named by their header, or by their position (1, 2, ...) in
a file without a header (--no-header). A source row that cannot be read stops the conversion
with a message naming the row: a history is rebuilt exactly or not at all.

  --date COLS        the date's column, or several columns joined with spaces (Month,Day,Year)
  --date-format FMT  strptime format of the (joined) date; default %m/%d/%Y
  --draw COLS        the columns of one draw, in the order they are written: main numbers, then
                     the extra balls. A column may hold several numbers ("05 12 31", "5|12|31",
                     "5-12-31"). COL:dN reads a column as an N-digit number written as one value
                     (leading zeros may be lost: "84" is 0 8 4). Several --draw options make
                     several draws of each row (midday, then evening); a draw whose columns are
                     all empty is left out, one with some columns empty is an error.
  --where COL=VALUE  keep only the rows whose column holds exactly this value (repeatable)
  --from/--to DATE   keep only the draws from / up to this date (yyyymmdd, inclusive)
  --drop DATE        leave out every draw of this date (repeatable); say why in SOURCES.md
  --newest-first     the source lists the newest row first: rows of one date are taken in the
                     reverse of their source order
  --same-rows-once   a row equal in every field to an earlier row is the same record written
                     twice and is taken once (each such row is named on standard error)
  --sep CHAR         the separator (default: the first of , ; tab found in the header line)
  --skip N           lines before the header (or the first row) to pass over
  --no-header        the file has no header line
  --encoding NAME    the source's text encoding (default utf-8-sig)
"""

import argparse
import csv
import datetime
import io
import re
import sys

SPLIT = re.compile(r"[\s|\-]+")


class Failure(Exception):
    pass


def parse_args(argv):
    p = argparse.ArgumentParser(description="Convert a delimited results file to a history.")
    p.add_argument("source")
    p.add_argument("--date", required=True)
    p.add_argument("--date-format", default="%m/%d/%Y")
    p.add_argument("--draw", action="append", required=True)
    p.add_argument("--where", action="append", default=[])
    p.add_argument("--from", dest="first", default=None)
    p.add_argument("--to", dest="last", default=None)
    p.add_argument("--drop", action="append", default=[])
    p.add_argument("--newest-first", action="store_true")
    p.add_argument("--same-rows-once", action="store_true")
    p.add_argument("--sep", default=None)
    p.add_argument("--skip", type=int, default=0)
    p.add_argument("--no-header", action="store_true")
    p.add_argument("--encoding", default="utf-8-sig")
    return p.parse_args(argv)


def column_list(text):
    return [c.strip() for c in text.split(",")] if text else []


def read_rows(args):
    with open(args.source, "r", encoding=args.encoding, newline="") as f:
        text = f.read()
    lines = text.splitlines(keepends=True)[args.skip:]
    if not lines:
        raise Failure("%s: no rows" % args.source)
    sep = args.sep
    if sep is None:
        first = lines[0]
        sep = next((c for c in (",", ";", "\t") if c in first), ",")
    sep = "\t" if sep == "tab" else sep
    rows = list(csv.reader(io.StringIO("".join(lines)), delimiter=sep))
    first_line = args.skip + 1
    if args.no_header:
        width = max(len(r) for r in rows)
        names = [str(i + 1) for i in range(width)]
    else:
        names = [n.strip() for n in rows[0]]
        rows = rows[1:]
        first_line += 1
    return names, [(first_line + i, r) for i, r in enumerate(rows)]


def index_of(names, column):
    name = column.split(":")[0]
    if name not in names:
        raise Failure("no column %r (columns: %s)" % (name, ", ".join(names)))
    return names.index(name)


def numbers_of(cell, column):
    cell = cell.strip()
    digits = re.fullmatch(r".*:d(\d+)", column)
    if digits:
        width = int(digits.group(1))
        if not re.fullmatch(r"\d{1,%d}" % width, cell):
            raise ValueError("%r is not a number of at most %d digits" % (cell, width))
        return [int(d) for d in cell.zfill(width)]
    parts = [p for p in SPLIT.split(cell) if p]
    if not parts or not all(p.isdigit() for p in parts):
        raise ValueError("%r is not a list of numbers" % cell)
    return [int(p) for p in parts]


def convert(args):
    names, rows = read_rows(args)
    date_cols = [index_of(names, c) for c in column_list(args.date)]
    draws = [[(c, index_of(names, c)) for c in column_list(d)] for d in args.draw]
    wheres = []
    for w in args.where:
        column, _, value = w.partition("=")
        wheres.append((index_of(names, column), value))
    if args.newest_first:
        rows.reverse()
    out = []
    seen = set()
    for order, (line, row) in enumerate(rows):
        if not any(cell.strip() for cell in row):
            continue
        if args.same_rows_once:
            record = tuple(cell.strip() for cell in row)
            if record in seen:
                print("convert.py: %s:%d repeats an earlier row; taken once" % (args.source, line),
                      file=sys.stderr)
                continue
            seen.add(record)
        if any(i >= len(row) or row[i].strip() != v for i, v in wheres):
            continue
        try:
            text = " ".join(row[i].strip() for i in date_cols)
            date = datetime.datetime.strptime(text, args.date_format).date()
        except (IndexError, ValueError):
            raise Failure("%s:%d: no date of the form %r in %r" %
                          (args.source, line, args.date_format, ",".join(row)))
        key = date.strftime("%Y%m%d")
        if (args.first and key < args.first) or (args.last and key > args.last) or \
                key in args.drop:
            continue
        for draw in draws:
            cells = [row[i].strip() if i < len(row) else "" for _, i in draw]
            if not any(cells):
                continue
            if not all(cells):
                raise Failure("%s:%d: a draw with some of its columns empty: %r" %
                              (args.source, line, ",".join(row)))
            numbers = []
            try:
                for (column, _), cell in zip(draw, cells):
                    numbers += numbers_of(cell, column)
            except ValueError as e:
                raise Failure("%s:%d: %s" % (args.source, line, e))
            out.append((key, order, " ".join([key] + [str(n) for n in numbers])))
    if not out:
        raise Failure("%s: no draw read" % args.source)
    out.sort(key=lambda d: (d[0], d[1]))
    return "".join(d[2] + "\r\n" for d in out)


def main(argv):
    args = parse_args(argv)
    try:
        text = convert(args)
    except (Failure, OSError, UnicodeDecodeError) as e:
        print("convert.py: %s" % e, file=sys.stderr)
        return 1
    sys.stdout.buffer.write(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
