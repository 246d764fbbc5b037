#!/usr/bin/env python3
"""Converts a JSON list of draws to a draw history.

convert_json.py SOURCE [--records PATH] --date KEY [--date-format FMT] --draw KEYS [options]

Writes the history on standard output: one draw a line, "yyyymmdd n1 n2 ...", oldest first,
CR LF, plain integers. The source is a JSON array of objects, one a draw, or an object that
holds such an array. A record that cannot be read stops the conversion with a message naming
it: a history is rebuilt exactly or not at all.

  --records PATH     where the array is: keys joined by dots ("data", "result.draws");
                     default: the whole document is the array
  --date KEY         the record's date
  --date-format FMT  strptime format of the date; default %Y-%m-%d
  --draw KEYS        the keys of the draw, comma-separated, in the order they are written:
                     main numbers, then the extra balls. A value is a number, a string of
                     digits, a list of those, or a string of numbers joined by spaces, "+",
                     "|" or "-". KEY? is a key that some records lack (an extra ball brought
                     in later): it is left out where the record has no value for it.
  --from/--to DATE   keep only the draws from / up to this date (yyyymmdd, inclusive)
  --drop DATE        leave out every draw of this date (repeatable); say why in SOURCES.md
  --newest-first     the source lists the newest record first: records of one date are taken
                     in the reverse of their source order
"""

import argparse
import datetime
import json
import re
import sys

SPLIT = re.compile(r"[\s+|\-]+")


class Failure(Exception):
    pass


def parse_args(argv):
    p = argparse.ArgumentParser(description="Convert a JSON list of draws to a history.")
    p.add_argument("source")
    p.add_argument("--records", default="")
    p.add_argument("--date", required=True)
    p.add_argument("--date-format", default="%Y-%m-%d")
    p.add_argument("--draw", required=True)
    p.add_argument("--from", dest="first", default=None)
    p.add_argument("--to", dest="last", default=None)
    p.add_argument("--drop", action="append", default=[])
    p.add_argument("--newest-first", action="store_true")
    return p.parse_args(argv)


def records_of(document, path):
    node = document
    for key in [k for k in path.split(".") if k]:
        if not isinstance(node, dict) or key not in node:
            raise Failure("no %r in the document (looking for %r)" % (key, path))
        node = node[key]
    if not isinstance(node, list):
        raise Failure("%r is not a list of records" % (path or "the document"))
    return node


def numbers_of(value):
    """The numbers of one value; raises ValueError when it holds anything else."""
    if isinstance(value, bool):
        raise ValueError("%r is not a number" % value)
    if isinstance(value, int):
        if value < 0:
            raise ValueError("%r is negative" % value)
        return [value]
    if isinstance(value, str):
        parts = [p for p in SPLIT.split(value.strip()) if p]
        if not parts or not all(p.isdigit() for p in parts):
            raise ValueError("%r is not a list of numbers" % value)
        return [int(p) for p in parts]
    if isinstance(value, list) and value:
        numbers = []
        for item in value:
            if isinstance(item, list):
                raise ValueError("%r nests lists" % (value,))
            numbers += numbers_of(item)
        return numbers
    raise ValueError("%r is not a number" % (value,))


def absent(value):
    return value is None or value == "" or value == []


def convert(args):
    with open(args.source, "r", encoding="utf-8-sig") as f:
        try:
            document = json.load(f)
        except json.JSONDecodeError as e:
            raise Failure("%s: not JSON: %s" % (args.source, e))
    records = records_of(document, args.records)
    keys = [k.strip() for k in args.draw.split(",") if k.strip()]
    if args.newest_first:
        records = list(reversed(records))
    out = []
    for order, record in enumerate(records):
        place = "%s: record %d" % (args.source, (len(records) - order if args.newest_first
                                                  else order + 1))
        if not isinstance(record, dict):
            raise Failure("%s is not an object" % place)
        try:
            date = datetime.datetime.strptime(str(record[args.date]).strip(),
                                              args.date_format).date()
        except (KeyError, ValueError):
            raise Failure("%s: no date of the form %r in %r" % (place, args.date_format,
                                                              record.get(args.date)))
        key = date.strftime("%Y%m%d")
        if (args.first and key < args.first) or (args.last and key > args.last) or \
                key in args.drop:
            continue
        numbers = []
        for name in keys:
            optional = name.endswith("?")
            name = name.rstrip("?")
            value = record.get(name)
            if absent(value):
                if optional:
                    continue
                raise Failure("%s: no value for %r" % (place, name))
            try:
                numbers += numbers_of(value)
            except ValueError as e:
                raise Failure("%s: %s: %s" % (place, name, e))
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
        print("convert_json.py: %s" % e, file=sys.stderr)
        return 1
    sys.stdout.buffer.write(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
