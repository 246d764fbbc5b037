#!/usr/bin/env python3
"""Writes the help's list of shipped histories and the summary parts of data/SOURCES.md.

help-histories.py [--check] [--root DIR]

From data/eras.tsv, the history files, the sections of data/SOURCES.md and the catalogue
(src/core/catalogue/catalogue_data.cpp) it rewrites:
- in src/app/resources/corvh.hlp, the part between the two "histories" markers: every shipped
  history with its lottery, range, count of draws, matrix per era and the section's "- Help:"
  text;
- in data/SOURCES.md, the table of shipped files (first and last draw and count of draws
  recomputed, rows in catalogue order) and the list under "## No source found" (every
  catalogue file that does not ship).
--check writes nothing and exits 1 when any of these is stale or a shipped file lacks its
table row, section or help text, or is not a catalogue file.
"""

import argparse
import html
import os
import re
import sys
import textwrap

BEGIN = "<!-- histories: written by scripts/data/help-histories.py, do not edit -->"
END = "<!-- end of histories -->"
TABLE_HEADER = "| File | Lottery | First draw | Last draw | Draws | Source | Licence |"
NO_SOURCE = "## No source found"
WORDS = ["no", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
         "eleven", "twelve"]


class Problem(Exception):
    pass


def word(n):
    return WORDS[n] if n < len(WORDS) else str(n)


def iso(key):
    return "%s-%s-%s" % (key[0:4], key[4:6], key[6:8])


def catalogue_files(path):
    """[(file, display name)] in catalogue order, each file once (its first name)."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    seen = {}
    for name, file in re.findall(r'\{"((?:[^"\\]|\\.)*)",\s*"([a-z0-9-]+\.txt)"\}', text):
        seen.setdefault(file, name)
    if not seen:
        raise Problem("%s: no catalogue entries found" % path)
    return list(seen.items())


def read_eras(path):
    eras = {}
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    for line in lines[1:]:
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 10:
            raise Problem("%s: a row without 10 fields: %r" % (path, line))
        eras.setdefault(fields[0], []).append(
            {"from": fields[1], "main": int(fields[2]), "main_lo": fields[3],
             "main_hi": fields[4], "extra": int(fields[5]), "extra_lo": fields[6],
             "extra_hi": fields[7], "distinct": fields[8], "per_day": int(fields[9])})
    return eras


def history_facts(path):
    with open(path, "rb") as f:
        keys = [line.split(b" ", 1)[0].decode("ascii") for line in f.read().split(b"\r\n")
                if line]
    if not keys:
        raise Problem("%s is empty" % path)
    return {"first": keys[0], "last": keys[-1], "draws": len(keys), "dates": len(set(keys)),
            "keys": keys}


def parse_sources(text):
    """The table rows {file: [cells]} and the help texts {file: text} of SOURCES.md."""
    lines = text.split("\n")
    rows = {}
    try:
        start = lines.index(TABLE_HEADER)
    except ValueError:
        raise Problem("SOURCES.md has no table with the header %s" % TABLE_HEADER)
    i = start + 2
    while i < len(lines) and lines[i].startswith("|"):
        cells = [c.strip() for c in lines[i].strip().strip("|").split("|")]
        if len(cells) != 7:
            raise Problem("SOURCES.md: a table row without 7 cells: %s" % lines[i])
        rows[cells[0].strip("`")] = cells
        i += 1
    helps = {}
    section = None
    for n, line in enumerate(lines):
        heading = re.match(r"## `?([a-z0-9-]+\.txt)`?:", line)
        if heading:
            section = heading.group(1)
        elif line.startswith("## "):
            section = None
        elif section and line.startswith("- Help:"):
            parts = [line[len("- Help:"):].strip()]
            for more in lines[n + 1:]:
                if not more.startswith("  ") or not more.strip():
                    break
                parts.append(more.strip())
            helps[section] = " ".join(parts)
    return start, i, rows, helps


def era_text(era, facts, first_era):
    if era["distinct"] == "none" and era["main_lo"] == "0" and era["main_hi"] == "9":
        text = "%s digits 0-9" % word(era["main"])
    else:
        text = "%s numbers %s-%s" % (word(era["main"]), era["main_lo"], era["main_hi"])
    if era["extra"]:
        balls = "extra ball" if era["extra"] == 1 else "extra balls"
        text += ", then %s %s %s-%s" % (word(era["extra"]), balls, era["extra_lo"],
                                       era["extra_hi"])
        if era["distinct"] == "all":
            text += " from the same drum"
    if era["per_day"] > 1:
        text += "; up to %s draws a date" % word(era["per_day"])
    text = text[0].upper() + text[1:]
    if first_era:
        return text
    return "From %s: %s" % (iso(era["from"]), text[0].lower() + text[1:])


def help_entry(file, lottery, facts, eras, note):
    parts = [era_text(era, facts, i == 0) for i, era in enumerate(eras)]
    if len(eras) > 1:
        parts[0] = "Up to %s: %s" % (iso(last_before(facts["keys"], eras[1]["from"])),
                                     parts[0][0].lower() + parts[0][1:])
    count = "%d draws" % facts["draws"]
    if facts["dates"] != facts["draws"]:
        count += " on %d dates" % facts["dates"]
    term = "<dt><code>%s</code>, %s (%s to %s, %s)</dt>" % (
        file, escape(lottery), iso(facts["first"]), iso(facts["last"]), count)
    text = "<dd>%s. %s</dd>" % (escape(". ".join(parts)), escape(note))
    return wrap(term) + wrap(text)


def escape(text):
    return html.escape(text, quote=False)


def wrap(text):
    return "\n".join(textwrap.wrap(text, 100, break_long_words=False,
                                   break_on_hyphens=False)) + "\n"


def last_before(keys, start):
    before = [k for k in keys if k < start]
    return before[-1] if before else start


def build(root):
    data = os.path.join(root, "data")
    catalogue = catalogue_files(os.path.join(root, "src", "core", "catalogue",
                                             "catalogue_data.cpp"))
    names = dict(catalogue)
    eras = read_eras(os.path.join(data, "eras.tsv"))
    sources_path = os.path.join(data, "SOURCES.md")
    with open(sources_path, encoding="utf-8") as f:
        sources = f.read()
    table_start, table_end, rows, helps = parse_sources(sources)
    problems = []
    for file in eras:
        if file not in names:
            problems.append("%s ships but is not a file of the catalogue" % file)
        if file not in rows:
            problems.append("%s has no row in the table of SOURCES.md" % file)
        if file not in helps:
            problems.append("%s has no section \"## %s: ...\" with a \"- Help:\" line in "
                            "SOURCES.md" % (file, file))
    for file in rows:
        if file not in eras:
            problems.append("SOURCES.md lists %s in its table, but it does not ship" % file)
    if problems:
        raise Problem("\n".join(problems))

    shipped = [f for f, _ in catalogue if f in eras]
    facts = {f: history_facts(os.path.join(data, f)) for f in shipped}

    table = [TABLE_HEADER, "|---|---|---|---|---|---|---|"]
    for f in shipped:
        cells = rows[f]
        table.append("| %s | %s | %s | %s | %d | %s | %s |" % (
            f, cells[1], iso(facts[f]["first"]), iso(facts[f]["last"]), facts[f]["draws"],
            cells[5], cells[6]))
    lines = sources.split("\n")
    lines[table_start:table_end] = table
    sources_new = "\n".join(lines)
    missing = ["- %s (%s)" % (f, n.strip()) for f, n in catalogue if f not in eras]
    at = sources_new.find("\n" + NO_SOURCE + "\n")
    if at < 0:
        raise Problem("SOURCES.md has no section \"%s\" at its end" % NO_SOURCE)
    sources_new = (sources_new[:at + 1] + NO_SOURCE + "\n\n" +
                   "%d of the catalogue's %d data files have no shipped history:\n\n" %
                   (len(missing), len(catalogue)) + "\n".join(missing) + "\n")

    entries = "".join(help_entry(f, rows[f][1], facts[f], eras[f], helps[f]) for f in shipped)
    intro = ("<p>Corvane comes with %s real draw %s, results published by the lottery "
             "operators, converted to the format <a href=\"#format\">above</a> (oldest draw "
             "first) and checked: dates in order, the right count of numbers on every line, "
             "every number inside the game's range. Where a game changed its rules, the file "
             "keeps the draws of every era and the list says from when each applies. Draws that "
             "no public source gives are missing, and the list says so.</p>" %
             (word(len(shipped)), "history" if len(shipped) == 1 else "histories"))
    section = BEGIN + "\n" + wrap(intro) + "\n<dl>\n" + entries + "</dl>\n" + END
    help_path = os.path.join(root, "src", "app", "resources", "corvh.hlp")
    with open(help_path, encoding="utf-8") as f:
        help_text = f.read()
    begin, end = help_text.find(BEGIN), help_text.find(END)
    if begin < 0 or end < begin:
        raise Problem("%s has no histories markers" % help_path)
    help_new = help_text[:begin] + section + help_text[end + len(END):]
    return [(sources_path, sources, sources_new), (help_path, help_text, help_new)]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Write the help's list of shipped histories.")
    parser.add_argument("--check", action="store_true", help="write nothing; fail when stale")
    parser.add_argument("--root", default=os.path.join(here, "..", ".."))
    args = parser.parse_args(argv)
    try:
        outputs = build(args.root)
    except (Problem, OSError, UnicodeDecodeError) as e:
        print("help-histories.py: %s" % e, file=sys.stderr)
        return 1
    stale = [path for path, old, new in outputs if old != new]
    if args.check:
        for path in stale:
            print("%s is stale: run scripts/data/help-histories.py" % os.path.relpath(path,
                                                                                      args.root))
        return 1 if stale else 0
    for path, old, new in outputs:
        if old != new:
            with open(path + ".new", "w", encoding="utf-8", newline="") as f:
                f.write(new)
            os.replace(path + ".new", path)
            print("wrote %s" % os.path.relpath(path, args.root))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
