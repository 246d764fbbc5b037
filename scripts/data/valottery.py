#!/usr/bin/env python3
"""Converts the Virginia Lottery's results text, as kept in an R data file, to a draw history.

valottery.py SOURCE VECTOR --draw Day|Night [--drop DATE ...]

SOURCE is an R data file holding the text of the Virginia Lottery's "download numbers" page
as a character vector VECTOR (one line a string, newest first): "Results for Cash 5", then
"8/30/2015; Day: 2,3,29,33,34; Night: 16,27,29,30,32" or "5/22/1989; Night: 9,1,4" lines, then
the page's disclaimer. Writes the draws of one drawing (Day or Night), oldest first. A line that
is neither a draw nor one of the page's fixed lines stops the conversion, and so does a date
given twice for the drawing, unless --drop DATE (yyyymmdd) leaves that date's draws out.
"""

import argparse
import datetime
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rdata import RDataError, read_rdata  # noqa: E402

LINE = re.compile(r"(\d{1,2}/\d{1,2}/\d{4})((?:; (?:Day|Night): \d+(?:,\d+)*)+)")
PART = re.compile(r"; (Day|Night): (\d+(?:,\d+)*)")
FIXED = re.compile(r"Results for .*|All information is entered manually.*|"
                   r"Therefore, we can not guarantee the accuracy of this information\.|")


class Failure(Exception):
    pass


def convert(path, vector, drawing, drop):
    data = read_rdata(path)
    if vector not in data or not isinstance(data[vector], list):
        raise Failure("no character vector %r (there are: %s)" % (vector, ", ".join(data)))
    out = {}
    for index, line in enumerate(data[vector], start=1):
        line = (line or "").strip()
        m = LINE.fullmatch(line)
        if not m:
            if FIXED.fullmatch(line):
                continue
            raise Failure("string %d is not a draw: %r" % (index, line[:70]))
        try:
            date = datetime.datetime.strptime(m.group(1), "%m/%d/%Y").date()
        except ValueError:
            raise Failure("string %d: no real date in %r" % (index, line[:70]))
        parts = dict(PART.findall(m.group(2)))
        if drawing not in parts:
            continue
        key = date.strftime("%Y%m%d")
        if key in drop:
            continue
        if key in out:
            raise Failure("string %d: %s twice" % (index, key))
        out[key] = key + " " + " ".join(str(int(n)) for n in parts[drawing].split(","))
    if not out:
        raise Failure("no %s draw read" % drawing)
    return "".join(out[k] + "\r\n" for k in sorted(out))


def main(argv):
    p = argparse.ArgumentParser(description="Convert Virginia Lottery results kept in R data.")
    p.add_argument("source")
    p.add_argument("vector")
    p.add_argument("--draw", choices=("Day", "Night"), required=True)
    p.add_argument("--drop", action="append", default=[])
    args = p.parse_args(argv)
    try:
        text = convert(args.source, args.vector, args.draw, set(args.drop))
    except (Failure, RDataError, OSError, EOFError) as e:
        print("valottery.py: %s: %s" % (args.source, e), file=sys.stderr)
        return 1
    sys.stdout.buffer.write(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
