#!/usr/bin/env python3
"""The help's list of histories and SOURCES.md's summary, written from a small made-up tree."""

import importlib.machinery
import io
import os
import sys
import tempfile
import types
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
# The script's name has a hyphen, so it is loaded from its path rather than imported.
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "data", "help-histories.py")
generator = types.ModuleType("help_histories")
generator.__file__ = SCRIPT
importlib.machinery.SourceFileLoader("help_histories", SCRIPT).exec_module(generator)

CATALOGUE = """
static const std::vector<Region> regions = {
    {"Here", {{"Here Lotto", "hl649.txt"}, {"Here Pick 3", "hl3.txt"}}},
    {"There", {{"Here Lotto", "hl649.txt"}, {"There Keno", "thk.txt"}}},
};
"""
ERAS = ("file\tfrom\tmain\tmain_lo\tmain_hi\textra\textra_lo\textra_hi\tdistinct\tper_day\n"
        "hl649.txt\t20200101\t6\t1\t49\t1\t1\t49\tall\t1\n"
        "hl649.txt\t20200110\t6\t1\t59\t1\t1\t59\tall\t1\n")
SOURCES = """# Sources

| File | Lottery | First draw | Last draw | Draws | Source | Licence |
|---|---|---|---|---|---|---|
| hl649.txt | Here Lotto | | | | someone/results | MIT |

## hl649.txt: Here Lotto

- Help: Sorted as published; the draw of 2020-01-05
  was never published.

## No source found

"""
HELP = ("<html><body>\n<h2 id=\"histories\">Histories</h2>\n\n" + generator.BEGIN + "\n" +
        generator.END + "\n<p>After.</p>\n</body></html>\n")


def lines(keys):
    return "".join("%s 1 2 3 4 5 6 7\r\n" % k for k in keys)


class HelpHistoriesTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = self.folder.name
        self.write("src/core/catalogue/catalogue_data.cpp", CATALOGUE)
        self.write("data/eras.tsv", ERAS)
        self.write("data/SOURCES.md", SOURCES)
        self.write("src/app/resources/corvh.hlp", HELP)
        self.write("data/hl649.txt", lines(["20200101", "20200102", "20200110", "20200111"]))

    def tearDown(self):
        self.folder.cleanup()

    def write(self, path, text):
        path = os.path.join(self.root, path)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="") as f:
            f.write(text)

    def read(self, path):
        with open(os.path.join(self.root, path), encoding="utf-8") as f:
            return f.read()

    def run_generator(self, *args):
        out, err = io.StringIO(), io.StringIO()
        real = sys.stdout, sys.stderr
        sys.stdout, sys.stderr = out, err
        try:
            status = generator.main(["--root", self.root] + list(args))
        finally:
            sys.stdout, sys.stderr = real
        return status, out.getvalue() + err.getvalue()

    def test_write_thenCheckPasses(self):
        status, out = self.run_generator("--check")
        self.assertEqual(status, 1, out)
        self.assertIn("is stale", out)
        self.assertEqual(self.run_generator()[0], 0)
        status, out = self.run_generator("--check")
        self.assertEqual(status, 0, out)

        help_text = " ".join(self.read("src/app/resources/corvh.hlp").split())
        self.assertIn("<dt><code>hl649.txt</code>, Here Lotto (2020-01-01 to 2020-01-11, 4 draws)"
                      "</dt>", help_text)
        self.assertIn("Up to 2020-01-02: six numbers 1-49, then one extra ball 1-49 from the same "
                      "drum. From 2020-01-10: six numbers 1-59", help_text)
        self.assertIn("Sorted as published; the draw of 2020-01-05 was never published.</dd>",
                      help_text)
        self.assertIn("Corvane comes with one real draw history,", help_text)
        self.assertTrue(help_text.endswith("<p>After.</p> </body></html>"))

        sources = self.read("data/SOURCES.md")
        self.assertIn("| hl649.txt | Here Lotto | 2020-01-01 | 2020-01-11 | 4 | someone/results "
                      "| MIT |", sources)
        self.assertIn("2 of the catalogue's 3 data files have no shipped history:\n\n"
                      "- hl3.txt (Here Pick 3)\n- thk.txt (There Keno)\n", sources)

    def test_newDraw_makesBothStale(self):
        self.run_generator()
        self.write("data/hl649.txt", lines(["20200101", "20200102", "20200110", "20200111",
                                            "20200114"]))
        status, out = self.run_generator("--check")
        self.assertEqual(status, 1)
        self.assertIn("data/SOURCES.md is stale", out)
        self.assertIn("corvh.hlp is stale", out)

    def test_incomplete_refused(self):
        cases = [
            ("not a catalogue file", "data/eras.tsv",
             ERAS + "xx1.txt\t20200101\t3\t0\t9\t0\t0\t0\tnone\t1\n",
             "xx1.txt ships but is not a file of the catalogue"),
            ("no table row", "data/SOURCES.md",
             SOURCES.replace("| hl649.txt | Here Lotto | | | | someone/results | MIT |\n", ""),
             "hl649.txt has no row in the table"),
            ("no help line", "data/SOURCES.md", SOURCES.replace("- Help:", "- Note:"),
             "hl649.txt has no section"),
            ("a row of a file that does not ship", "data/SOURCES.md",
             SOURCES.replace("| MIT |\n", "| MIT |\n| hl3.txt | Here Pick 3 | | | | x/y | MIT |\n"),
             "SOURCES.md lists hl3.txt in its table, but it does not ship"),
            ("no markers in the help", "src/app/resources/corvh.hlp",
             HELP.replace(generator.END, ""), "has no histories markers"),
        ]
        for name, path, text, expected in cases:
            with self.subTest(name):
                self.tearDown()
                self.setUp()
                self.write(path, text)
                for args in ((), ("--check",)):
                    status, out = self.run_generator(*args)
                    self.assertEqual(status, 1, out)
                    self.assertIn(expected, out)
                self.assertEqual(self.read("src/app/resources/corvh.hlp"),
                                 HELP.replace(generator.END, "") if "markers" in name else HELP)


if __name__ == "__main__":
    unittest.main()
