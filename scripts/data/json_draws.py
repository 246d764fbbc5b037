#!/usr/bin/env python3
"""Converts draws kept in a JSON file to a draw history.

json_draws.py SOURCE (--records PATH | --by-date PATH) --date-format FMT --numbers FIELDS
              [--date FIELD] [--newest-first] [--from DATE] [--to DATE] [--drop DATE]

Writes the history on standard output: one draw a line, "yyyymmdd n1 n2 ...", oldest first,
CR LF. PATH is a dotted path from the top of the file ("draws", "history.pick3.midday").
  --records PATH   PATH is a list of draws, each an object with the date in --date
  --by-date PATH   PATH is an object whose keys are the dates and whose values are the draws
  --numbers FIELDS the fields of a draw, in the order written (main numbers, then extras); a
                   field may hold a list or one number. A draw whose fields are all missing,
                   null or empty lists is left out; one with only some of them is an error.
  --date-format    strptime format of the date (only its date part is read: "%Y-%m-%d" also
                   reads "2013-01-01 00:00:00")
  --newest-first   draws of one date are listed newest first in the source
A value that is not a whole number stops the conversion with a message naming the draw.
"""

import argparse
import datetime
import json
import sys


class Failure(Exception):
    pass


def node_at(data, path):
    for part in path.split("."):
        if not isinstance(data, dict) or part not in data:
            raise Failure("no %r in the file (path %s)" % (part, path))
        data = data[part]
    return data


def numbers_of(draw, fields, where):
    values = []
    present = 0
    for field in fields:
        value = draw.get(field) if isinstance(draw, dict) else None
        if value is None or value == []:
            continue
        present += 1
        for v in value if isinstance(value, list) else [value]:
            if isinstance(v, bool) or not isinstance(v, (int, str)) or not str(v).isdigit():
                raise Failure("%s: %r is not a whole number" % (where, v))
            values.append(int(v))
    if present == 0:
        return None
    if present != len(fields):
        raise Failure("%s: some of the fields %s are missing" % (where, ",".join(fields)))
    return values


def parse_date(text, fmt, where):
    text = str(text).strip()
    width = len(datetime.date(2000, 12, 31).strftime(fmt))
    try:
        return datetime.datetime.strptime(text[:width], fmt).date()
    except ValueError:
        raise Failure("%s: no date of the form %r in %r" % (where, fmt, text))


def convert(args):
    with open(args.source, encoding="utf-8-sig") as f:
        data = json.load(f)
    fields = [f.strip() for f in args.numbers.split(",")]
    entries = []
    if args.records:
        records = node_at(data, args.records)
        if not isinstance(records, list):
            raise Failure("%s is not a list" % args.records)
        for i, draw in enumerate(records):
            where = "%s[%d]" % (args.records, i)
            if not isinstance(draw, dict) or args.date not in draw:
                raise Failure("%s: no %r" % (where, args.date))
            entries.append((parse_date(draw[args.date], args.date_format, where), draw, where))
    else:
        table = node_at(data, args.by_date)
        if not isinstance(table, dict):
            raise Failure("%s is not an object" % args.by_date)
        for key, draw in table.items():
            where = "%s[%r]" % (args.by_date, key)
            entries.append((parse_date(key, args.date_format, where), draw, where))
    if args.newest_first:
        entries.reverse()
    out = []
    for order, (date, draw, where) in enumerate(entries):
        key = date.strftime("%Y%m%d")
        if (args.first and key < args.first) or (args.last and key > args.last) or \
                key in args.drop:
            continue
        numbers = numbers_of(draw, fields, where)
        if numbers is None:
            continue
        out.append((key, order, " ".join([key] + [str(n) for n in numbers])))
    if not out:
        raise Failure("no draw read")
    out.sort(key=lambda d: (d[0], d[1]))
    return "".join(d[2] + "\r\n" for d in out)


def main(argv):
    p = argparse.ArgumentParser(description="Convert draws kept in JSON to a history.")
    p.add_argument("source")
    where = p.add_mutually_exclusive_group(required=True)
    where.add_argument("--records")
    where.add_argument("--by-date")
    p.add_argument("--date", default="date")
    p.add_argument("--date-format", required=True)
    p.add_argument("--numbers", required=True)
    p.add_argument("--newest-first", action="store_true")
    p.add_argument("--from", dest="first")
    p.add_argument("--to", dest="last")
    p.add_argument("--drop", action="append", default=[])
    args = p.parse_args(argv)
    try:
        text = convert(args)
    except (Failure, OSError, ValueError) as e:
        print("json_draws.py: %s: %s" % (args.source, e), file=sys.stderr)
        return 1
    sys.stdout.buffer.write(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
