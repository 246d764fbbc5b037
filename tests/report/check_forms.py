#!/usr/bin/env python3
"""The report's three forms tell the same figures, and the page is sound HTML that needs nothing
from outside.

check_forms.py CLI WORK_DIR HISTORY...

For each history: the JSON parses; the text's tables and headlines carry the JSON's figures as
the text rounds them; the page parses as well-formed HTML (every element closed in order, one
html, head, body and title), holds no script and references no other file or address, and its
headlines and counts are the JSON's.
"""
import html
import html.parser
import json
import os
import re
import subprocess
import sys

failures = []


def fail(history, what):
    failures.append(f"{os.path.basename(history)}: {what}")


def chance_text(p):
    """The text's way of writing a chance (four decimals, or two significant digits)."""
    if p == 0:
        return "0"
    if p >= 0.0001:
        return f"{p:.4f}"
    return "%.2g" % p


def fixed(value, decimals):
    text = f"{value:.{decimals}f}"
    return text[1:] if text.startswith("-") and float(text) == 0 else text


def signed(value, decimals):
    text = fixed(value, decimals)
    return text if text.startswith("-") else "+" + text


def table_rows(text, header):
    """The rows of whitespace-separated cells under a header line, up to the first blank line or
    line that is not indented."""
    lines = text.split("\n")
    start = next(i for i, line in enumerate(lines) if line.strip() == header.strip())
    rows = []
    for line in lines[start + 1:]:
        if not line.startswith("  ") or not line.strip() or line.strip().startswith("("):
            break
        rows.append(line.split())
    return rows


def check_text(history, text, report):
    flat = " ".join(line.strip() for line in text.split("\n"))
    sections = [report[k] for k in ("frequency", "gaps", "pairs", "shape")]
    sections += list(report["methods"].values())
    for section in sections:
        if section["headline"] not in flat:
            fail(history, f"text lacks the headline {section['headline'][:60]!r}")
        for note in section["definitions"]:
            if note not in flat:
                fail(history, f"text lacks the definition {note[:60]!r}")
    for key in ("notice", "scope", "game"):
        if report[key] not in flat:
            fail(history, f"text lacks the {key}")

    fr = report["frequency"]
    rows = table_rows(text, "Number    Count   Deviation (sd)")
    if len(rows) != report["pool"]:
        fail(history, f"frequency table has {len(rows)} rows, not {report['pool']}")
    for row in rows:
        n = row[0]
        if int(row[1]) != fr["counts"][n] or row[2] != signed(fr["deviations"][n], 2):
            fail(history, f"frequency row {row} is not the JSON's")
    want = f"p = P(chi-square({fr['df']}) >= {fixed(fr['chi2_corrected'], 4)}) = {chance_text(fr['p'])}."
    if want not in flat:
        fail(history, f"text lacks {want!r}")

    gaps = report["gaps"]["numbers"]
    for row in table_rows(text, "Number   Current gap   Chance   Longest gap   Chance"):
        g = gaps[row[0]]
        if row[1:] != [str(g["current"]), chance_text(g["current_chance"]), str(g["longest"]),
                       chance_text(g["longest_chance"])]:
            fail(history, f"gap row {row} is not the JSON's {g}")

    top = report["pairs"]["top"]
    rows = table_rows(text, "Pair        Together   Expected   Chance for one pair")
    for row, pair in zip(rows, top):
        if [int(row[0]), int(row[2])] != pair["pair"] or int(row[3]) != pair["count"] or \
                row[5] != chance_text(pair["chance"]):
            fail(history, f"pair row {row} is not the JSON's {pair}")
    if len(rows) != len(top):
        fail(history, "pair table and JSON differ in length")

    shape = report["shape"]
    rows = table_rows(text, "Figure                    Mean  Fair mean   Obs. sd   Fair sd       z        p")
    for row, key in zip(rows, ("repeats", "sums", "odd", "low")):
        f = shape[key]
        cells = row[-6:]
        want = [fixed(f["mean"], 3), fixed(f["expected"], 3), fixed(f["observed_sd"], 3),
                fixed(f["sd"], 3), signed(f["z"], 2), chance_text(f["p"])]
        if cells != want:
            fail(history, f"shape row {row} is not the JSON's {want}")

    for name, m in report["methods"].items():
        if "tested" not in m:
            continue
        title = m["name"].upper()
        part = text[text.index("\n" + title + "\n") + len(title) + 2:]
        part = re.split(r"\n\n[A-Z ]+\n", part)[0]
        rows = table_rows(part, "Hits   Draws   Random ticket")
        if [int(r[1]) for r in rows] != m["observed"] or \
                [r[2] for r in rows] != [fixed(e, 1) for e in m["expected"]]:
            fail(history, f"{name}: hit table is not the JSON's")
        shown = re.findall(r"^  (\S+) .* (\d+) hits?$", part.split("\n\n")[-1], re.MULTILINE)
        if [(d, int(h)) for d, h in shown] != [(x["draw"], x["hits"]) for x in m["last"]]:
            fail(history, f"{name}: predictions table is not the JSON's")


class StrictParser(html.parser.HTMLParser):
    """Well-formedness: every element closed in the order it was opened; nothing outside."""

    VOID = {"meta", "br", "hr", "wbr", "rect", "line", "path", "circle", "polyline"}
    OUTSIDE = {"script", "link", "img", "iframe", "object", "embed", "base", "audio", "video",
               "source", "frame", "image", "use", "foreignobject", "form", "input"}

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack, self.problems, self.counts = [], [], {}
        self.headlines, self.current, self.cells, self.in_style = [], None, [], False

    def handle_starttag(self, tag, attrs):
        # An SVG's title is its caption; the page's own title stands in its head.
        if tag != "title" or self.stack[-1:] == ["head"]:
            self.counts[tag] = self.counts.get(tag, 0) + 1
        if tag in self.OUTSIDE:
            self.problems.append(f"<{tag}> element")
        for name, value in attrs:
            value = value or ""
            if name in ("href", "src", "xlink:href", "action", "srcset", "poster", "background") \
                    or "url(" in value or "://" in value or name.startswith("on"):
                self.problems.append(f"attribute {name}={value!r} on <{tag}>")
        if tag not in self.VOID:
            self.stack.append(tag)
        if tag == "p" and (("class", "headline") in attrs
                           or ("class", "headline surprising") in attrs):
            self.current = []
        if tag == "td":
            self.cells.append("")
        self.in_style = tag == "style"

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in self.VOID:
            self.handle_endtag(tag)

    def handle_endtag(self, tag):
        if tag in self.VOID:
            return
        if not self.stack or self.stack[-1] != tag:
            self.problems.append(f"</{tag}> closes <{self.stack[-1] if self.stack else 'nothing'}>")
            return
        self.stack.pop()
        if tag == "p" and self.current is not None:
            self.headlines.append("".join(self.current))
            self.current = None
        self.in_style = False

    def handle_data(self, data):
        if self.current is not None:
            self.current.append(data)
        if self.stack and self.stack[-1] == "td":
            self.cells[-1] += data
        if self.in_style and ("url(" in data or "@import" in data):
            self.problems.append("the style loads something")

    def handle_decl(self, decl):
        if decl.lower() != "doctype html":
            self.problems.append(f"declaration {decl}")


def check_page(history, page, report):
    if not page.startswith("<!DOCTYPE html>"):
        fail(history, "the page does not start with <!DOCTYPE html>")
    parser = StrictParser()
    parser.feed(page)
    parser.close()
    for problem in parser.problems:
        fail(history, "page: " + problem)
    if parser.stack:
        fail(history, f"page leaves open {parser.stack}")
    for tag in ("html", "head", "body", "title", "style"):
        if parser.counts.get(tag) != 1:
            fail(history, f"page has {parser.counts.get(tag, 0)} <{tag}>")
    if parser.counts.get("svg", 0) < 3:
        fail(history, "page has fewer than three charts")
    want = [report[k]["headline"] for k in ("frequency", "gaps", "pairs", "shape")]
    want += [m["headline"] for m in report["methods"].values()]
    if parser.headlines != want:
        fail(history, "page headlines are not the JSON's")
    counts = [str(report["frequency"]["counts"][str(n)])
              for n in range(report["lowest"], report["highest"] + 1)]
    if not all(c in parser.cells for c in counts):
        fail(history, "page lacks counts of the JSON")


def run(cli, *args):
    done = subprocess.run([cli, "report", *args], capture_output=True)
    if done.returncode != 0:
        raise RuntimeError(f"{args}: exit {done.returncode}: {done.stderr.decode()}")
    return done.stdout.decode("utf-8")


def main():
    cli, work, histories = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(work, exist_ok=True)
    for history in histories:
        options = []
        if history.endswith("@5"):
            history, options = history[:-2], ["--numbers", "5"]
        report = json.loads(run(cli, history, "--json", *options))
        check_text(history, run(cli, history, *options), report)
        page = os.path.join(work, os.path.basename(history) + ".html")
        printed = run(cli, history, "--html", page, *options)
        if printed != page + "\n":
            fail(history, f"--html printed {printed!r}")
        with open(page, encoding="utf-8") as f:
            check_page(history, f.read(), report)
        print(f"checked {os.path.basename(history)} {' '.join(options)}")
    for failure in failures[:40]:
        print("FAIL", failure)
    if failures:
        sys.exit(1)
    print("text, JSON and page agree")


if __name__ == "__main__":
    main()
