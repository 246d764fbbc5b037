#!/usr/bin/env python3
"""Checks the shipped draw histories against data/eras.tsv.

validate.py [--data DIR] [FILE...]

Checks every DIR/*.txt (default: the data folder beside this script's repository), or only
the named files, and eras.tsv in DIR. Each fault is printed as "FILE:LINE: rule: message";
the exit status is 1 when there is any fault, 0 when every file passes.
"""

import argparse
import datetime
import math
import os
import re
import sys

ERAS_HEADER = ["file", "from", "main", "main_lo", "main_hi", "extra", "extra_lo", "extra_hi",
               "distinct", "per_day"]
DISTINCT_KINDS = ("all", "main", "none")
CONFIRMED_HEADER = ["file", "date", "rule", "evidence"]
DRAW_RULES = ("per-day", "repeated-draw", "repeated-number", "range", "count")
MAX_FILE_CHARS = 1048575  # the program's window refuses a larger file
MIN_DRAWS = 16  # the fewest draws the prediction methods accept
FILE_NAME = re.compile(r"[a-z0-9][a-z0-9-]*\.txt")
DRAW_LINE = re.compile(r"(\d{8})((?: (?:0|[1-9]\d*))+)")
MAX_FAULTS_PER_FILE = 25
# A number of the range that never turns up in an era although the chance of that is below
# this is taken as a sign that the era's range or its start date is wrong.
UNUSED_CHANCE = 1e-9


class Era:
    def __init__(self, fields, line):
        self.line = line
        self.file = fields[0]
        self.start = int(fields[1])
        self.main, self.main_lo, self.main_hi, self.extra, self.extra_lo, self.extra_hi = (
            int(v) for v in fields[2:8])
        self.distinct = fields[8]
        self.per_day = int(fields[9])

    def matrix(self):
        return (self.main, self.main_lo, self.main_hi, self.extra, self.extra_lo, self.extra_hi,
                self.distinct, self.per_day)

    def describe(self):
        text = "%d of %d-%d" % (self.main, self.main_lo, self.main_hi)
        if self.extra:
            text += " + %d of %d-%d" % (self.extra, self.extra_lo, self.extra_hi)
        return text + " from %d" % self.start


class Faults:
    """Collects the faults, at most MAX_FAULTS_PER_FILE printed for each file. A fault of a
    draw that confirmed.tsv lists (file, date, rule) is a true draw and no fault."""

    def __init__(self, out):
        self.out = out
        self.count = 0
        self.per_file = {}
        self.confirmed = {}
        self.used = set()

    def add(self, where, line, rule, message, key=None):
        if (where, key, rule) in self.confirmed:
            self.used.add((where, key, rule))
            return
        self.count += 1
        n = self.per_file.get(where, 0) + 1
        self.per_file[where] = n
        if n <= MAX_FAULTS_PER_FILE:
            place = "%s:%d" % (where, line) if line else where
            print("%s: %s: %s" % (place, rule, message), file=self.out)

    def finish(self):
        for where, n in sorted(self.per_file.items()):
            if n > MAX_FAULTS_PER_FILE:
                print("%s: %d more faults not shown" % (where, n - MAX_FAULTS_PER_FILE),
                      file=self.out)


def real_date(text):
    try:
        return datetime.date(int(text[0:4]), int(text[4:6]), int(text[6:8]))
    except ValueError:
        return None


def read_eras(path, faults):
    """Returns {file: [Era, ...]} in date order; faults for every malformed row."""
    where = os.path.basename(path)
    eras = {}
    try:
        with open(path, "rb") as f:
            raw = f.read()
    except OSError as e:
        faults.add(where, 0, "eras", "cannot read: %s" % e.strerror)
        return eras
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        faults.add(where, 0, "eras", "not UTF-8")
        return eras
    lines = text.splitlines()
    if not lines or lines[0].rstrip("\r").split("\t") != ERAS_HEADER:
        faults.add(where, 1, "eras", "the first line must be the header: %s" %
                   "\\t".join(ERAS_HEADER))
        return eras
    last_file = None
    for number, line in enumerate(lines[1:], start=2):
        line = line.rstrip("\r")
        if line.startswith("#") or not line.strip():
            continue
        fields = line.split("\t")
        if len(fields) != len(ERAS_HEADER):
            faults.add(where, number, "eras", "%d fields, not %d" %
                       (len(fields), len(ERAS_HEADER)))
            continue
        problem = era_row_problem(fields)
        if problem:
            faults.add(where, number, "eras", problem)
            continue
        era = Era(fields, number)
        rows = eras.setdefault(era.file, [])
        if rows and last_file != era.file:
            faults.add(where, number, "eras", "the rows of %s are not together" % era.file)
        if rows and era.start <= rows[-1].start:
            faults.add(where, number, "eras", "%s: era from %d does not follow the era from %d" %
                       (era.file, era.start, rows[-1].start))
            continue
        if rows and era.matrix() == rows[-1].matrix():
            faults.add(where, number, "eras", "%s: era from %d repeats the era before it" %
                       (era.file, era.start))
        rows.append(era)
        last_file = era.file
    return eras


def era_row_problem(fields):
    name, start = fields[0], fields[1]
    if not FILE_NAME.fullmatch(name):
        return "%r is not a data file name" % name
    if not re.fullmatch(r"\d{8}", start) or not real_date(start):
        return "from %r is not a real date yyyymmdd" % start
    numbers = fields[2:8] + [fields[9]]
    if not all(re.fullmatch(r"\d{1,6}", v) for v in numbers):
        return "main, main_lo, main_hi, extra, extra_lo, extra_hi and per_day must be whole numbers"
    main, main_lo, main_hi, extra, extra_lo, extra_hi = (int(v) for v in fields[2:8])
    distinct, per_day = fields[8], int(fields[9])
    if distinct not in DISTINCT_KINDS:
        return "distinct %r is not one of %s" % (distinct, ", ".join(DISTINCT_KINDS))
    if main < 1 or main_lo > main_hi:
        return "main needs at least one number and main_lo <= main_hi"
    if extra == 0 and (extra_lo, extra_hi) != (0, 0):
        return "extra_lo and extra_hi must be 0 0 when extra is 0"
    if extra > 0 and extra_lo > extra_hi:
        return "extra_lo must not be above extra_hi"
    if 1 + main + extra > 50:
        return "a line holds at most 49 numbers"
    if per_day < 1:
        return "per_day must be at least 1"
    if distinct == "all":
        if extra and (extra_lo, extra_hi) != (main_lo, main_hi):
            return "distinct all means one drum: the extra range must equal the main range"
        if main + extra > main_hi - main_lo + 1:
            return "%d distinct numbers cannot come from %d-%d" % (main + extra, main_lo, main_hi)
    if distinct == "main" and main > main_hi - main_lo + 1:
        return "%d distinct numbers cannot come from %d-%d" % (main, main_lo, main_hi)
    return None


def read_confirmed(path, faults):
    """Fills faults.confirmed from confirmed.tsv (optional): draws checked and found true."""
    where = os.path.basename(path)
    if not os.path.exists(path):
        return
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    if not lines or lines[0].split("\t") != CONFIRMED_HEADER:
        faults.add(where, 1, "confirmed", "the first line must be the header: %s" %
                   "\\t".join(CONFIRMED_HEADER))
        return
    for number, line in enumerate(lines[1:], start=2):
        if line.startswith("#") or not line.strip():
            continue
        fields = line.split("\t")
        if (len(fields) != 4 or not FILE_NAME.fullmatch(fields[0]) or
                not re.fullmatch(r"\d{8}", fields[1]) or fields[2] not in DRAW_RULES or
                not fields[3].strip()):
            faults.add(where, number, "confirmed", "needs a file, a date yyyymmdd, one of the "
                       "rules %s and the evidence" % ", ".join(DRAW_RULES))
            continue
        faults.confirmed[(fields[0], fields[1], fields[2])] = number


def chance_never_drawn(era, draws, extra):
    """Chance that one given number of the era's range never turns up in `draws` draws."""
    if extra:
        picks, size = era.extra, era.extra_hi - era.extra_lo + 1
    else:
        picks, size = era.main, era.main_hi - era.main_lo + 1
    if era.distinct == "none":
        per_draw = (1 - 1 / size) ** picks
    else:
        per_draw = max(0.0, 1 - picks / size)
    return per_draw ** draws


def repeat_bound(era, dates_with_more):
    """Most same-date identical lines that chance allows in a digit game."""
    size = era.main_hi - era.main_lo + 1
    expected = dates_with_more * (1 / size) ** era.main
    if era.extra:
        expected *= (1 / (era.extra_hi - era.extra_lo + 1)) ** era.extra
    return int(expected + 6 * math.sqrt(expected) + 3)


def copy_bound(era, draws):
    """Most draws that chance lets repeat the main numbers of an earlier draw of the era."""
    size = era.main_hi - era.main_lo + 1
    if era.main > size:
        return draws
    pairs = draws * (draws - 1) / 2
    expected = pairs / math.comb(size, era.main)
    return int(expected + 6 * math.sqrt(expected) + 3)


def check_copies(where, eras, era_sets, faults):
    """A source that pasted earlier draws again (a parser that lost the year, say) repeats
    whole draws far more often than chance does; digit games repeat by nature and are left
    out."""
    for index, sets in era_sets.items():
        era = eras[index]
        if era.distinct == "none":
            continue
        first_line = {}
        repeats = []
        for number, main in sets:
            if main in first_line:
                repeats.append((number, first_line[main]))
            else:
                first_line[main] = number
        bound = copy_bound(era, len(sets))
        if len(repeats) > bound:
            faults.add(where, repeats[0][0], "copied-draws",
                       "%d draws repeat the numbers of an earlier draw (this line repeats line "
                       "%d); chance gives at most about %d in the era %s: does the source copy "
                       "draws?" % (len(repeats), repeats[0][1], bound, era.describe()))


def check_file(path, eras, faults):
    """Checks one data file; returns its count of draws."""
    where = os.path.basename(path)
    try:
        with open(path, "rb") as f:
            raw = f.read()
    except OSError as e:
        faults.add(where, 0, "read", e.strerror)
        return 0
    if len(raw) > MAX_FILE_CHARS:
        faults.add(where, 0, "size", "%d characters, more than the %d the program opens" %
                   (len(raw), MAX_FILE_CHARS))
    if not raw.endswith(b"\r\n"):
        faults.add(where, 0, "format", "the file must end with CR LF")
    lines = raw.split(b"\r\n")
    if lines and lines[-1] == b"":
        lines.pop()
    if not eras:
        faults.add(where, 0, "eras", "no era in eras.tsv")
    draws = 0
    previous = None
    day_lines = []  # the lines of the date being read
    era_index = -1
    era_draws = []  # per era: draws, and the smallest and largest number seen
    seen_starts = set()
    same_day_repeats = {}
    dates_with_more = {}
    era_sets = {}  # per era: (line, sorted main numbers) of each draw
    for number, line in enumerate(lines, start=1):
        try:
            text = line.decode("ascii")
        except UnicodeDecodeError:
            faults.add(where, number, "format", "not plain ASCII")
            continue
        if "\r" in text or "\n" in text:
            faults.add(where, number, "format", "a line end other than CR LF")
            continue
        m = DRAW_LINE.fullmatch(text)
        if not m:
            faults.add(where, number, "format",
                       "not \"yyyymmdd n1 n2 ...\" (single spaces, plain integers): %r" % text[:60])
            continue
        key = m.group(1)
        date = real_date(key)
        if not date:
            faults.add(where, number, "date", "%s is not a real date" % key)
            continue
        draws += 1
        if previous and date < previous:
            faults.add(where, number, "order", "%s comes after %s" % (key, previous.strftime("%Y%m%d")))
        if date != previous:
            day_lines = []
        previous = max(date, previous) if previous else date
        numbers = [int(v) for v in m.group(2).split()]
        if not eras:
            continue
        while era_index + 1 < len(eras) and eras[era_index + 1].start <= int(key):
            era_index += 1
            era_draws.append([0, {}, {}])
        if era_index < 0:
            faults.add(where, number, "eras", "%s is before the first era (%d)" %
                       (key, eras[0].start))
            continue
        era = eras[era_index]
        seen_starts.add(int(key))
        check_draw(where, number, key, era, numbers, faults)
        era_sets.setdefault(era_index, []).append((number, tuple(sorted(numbers[:era.main]))))
        stats = era_draws[era_index]
        stats[0] += 1
        for n in numbers[:era.main]:
            stats[1][n] = True
        for n in numbers[era.main:]:
            stats[2][n] = True
        day_lines.append(numbers)
        if len(day_lines) == era.per_day + 1:
            faults.add(where, number, "per-day", "more than %d draws on %s" % (era.per_day, key),
                       key)
        if len(day_lines) == 2:
            dates_with_more[era_index] = dates_with_more.get(era_index, 0) + 1
        if numbers in day_lines[:-1]:
            if era.distinct == "none":
                # Two draws of a digit game on one date agree now and then by chance.
                same_day_repeats.setdefault(era_index, []).append(number)
            else:
                faults.add(where, number, "repeated-draw",
                           "the same draw as line %d" % (number - len(day_lines) + 1 +
                                                         day_lines.index(numbers)), key)
    for index, lines_repeated in same_day_repeats.items():
        bound = repeat_bound(eras[index], dates_with_more.get(index, 0))
        if len(lines_repeated) > bound:
            faults.add(where, lines_repeated[0], "repeated-draw",
                       "%d draws repeat the draw before them on the same date; chance gives at "
                       "most about %d" % (len(lines_repeated), bound))
    check_copies(where, eras, era_sets, faults)
    for index, era in enumerate(eras):
        if era.start not in seen_starts:
            faults.add(where, 0, "eras", "no draw on %d, the first draw of the era %s" %
                       (era.start, era.describe()))
        if index < len(era_draws):
            check_unused(where, era, era_draws[index], faults)
    if draws < MIN_DRAWS:
        faults.add(where, 0, "draws", "%d draws, fewer than %d" % (draws, MIN_DRAWS))
    return draws


def check_draw(where, number, key, era, numbers, faults):
    want = era.main + era.extra
    if len(numbers) != want:
        faults.add(where, number, "count", "%d numbers, the era %s has %d" %
                   (len(numbers), era.describe(), want), key)
        return
    main, extra = numbers[:era.main], numbers[era.main:]
    for n in main:
        if not era.main_lo <= n <= era.main_hi:
            faults.add(where, number, "range", "%d is outside %d-%d (era %s)" %
                       (n, era.main_lo, era.main_hi, era.describe()), key)
    for n in extra:
        if not era.extra_lo <= n <= era.extra_hi:
            faults.add(where, number, "range", "extra %d is outside %d-%d (era %s)" %
                       (n, era.extra_lo, era.extra_hi, era.describe()), key)
    group = numbers if era.distinct == "all" else main if era.distinct == "main" else []
    if len(set(group)) != len(group):
        faults.add(where, number, "repeated-number", "a number drawn twice in one draw", key)
    if era.distinct == "main" and len(set(extra)) != len(extra):
        faults.add(where, number, "repeated-number", "an extra ball drawn twice in one draw",
                   key)


def check_unused(where, era, stats, faults):
    draws, main_seen, extra_seen = stats
    ends = [(False, era.main_lo), (False, era.main_hi)]
    if era.extra:
        ends += [(True, era.extra_lo), (True, era.extra_hi)]
    for extra, value in ends:
        seen = extra_seen if extra else main_seen
        if value not in seen and chance_never_drawn(era, draws, extra) < UNUSED_CHANCE:
            faults.add(where, 0, "range-unused", "%s%d never drawn in %d draws of the era %s: "
                       "is the range or the era's date wrong?" %
                       ("extra " if extra else "", value, draws, era.describe()))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Check the shipped draw histories.")
    parser.add_argument("--data", default=os.path.join(here, "..", "..", "data"),
                        help="the data folder with eras.tsv (default: the repository's data/)")
    parser.add_argument("files", nargs="*", help="check only these files of the folder")
    args = parser.parse_args(argv)
    faults = Faults(sys.stdout)
    eras = read_eras(os.path.join(args.data, "eras.tsv"), faults)
    read_confirmed(os.path.join(args.data, "confirmed.tsv"), faults)
    shipped = sorted(n for n in os.listdir(args.data)
                     if n.endswith(".txt") and n != "CMakeLists.txt")
    for name in sorted(set(eras) - set(shipped)):
        faults.add("eras.tsv", eras[name][0].line, "eras", "%s has eras but no file" % name)
    for name in shipped:
        if not FILE_NAME.fullmatch(name):
            faults.add(name, 0, "name", "not a data file name (lower case, digits, '-', .txt)")
    names = [os.path.basename(f) for f in args.files] or shipped
    total = 0
    for name in names:
        total += check_file(os.path.join(args.data, name), eras.get(name, []), faults)
    for (name, key, rule), line in sorted(faults.confirmed.items()):
        if (name, key, rule) not in faults.used and (not args.files or name in names):
            faults.add("confirmed.tsv", line, "confirmed", "%s has no %s fault on %s to confirm" %
                       (name, rule, key))
    faults.finish()
    if faults.count:
        print("%d faults in %d files" % (faults.count, len(faults.per_file)))
        return 1
    print("%d files, %d draws: every check passed" % (len(names), total))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
