#!/usr/bin/env python3
"""The JSON and one-number-a-row converters of the recipes, on small hand-made sources."""

import io
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "scripts", "data"))
import convert_json  # noqa: E402
import convert_long  # noqa: E402

GERMAN = ('{"data":[{"id":1,"date":"09.10.1955","Lottozahl":[3,12,13,16,23,41]},'
          '{"id":2,"date":"07.12.1991","Lottozahl":[6,16,17,41,42,49],"Superzahl":0}]}')
MARK_SIX = ('[{"id":"25/134","date":"2025-12-28","no":["7","10","11","19","25","30"],"sno":"45"},'
            '{"id":"25/133","date":"2025-12-25","no":["1","2","3","4","5","6"],"sno":"7"}]')
TOTO = (",Date,Win Number,Win Type\n"
        "0,2024-12-30,18,additional\n1,2024-12-30,3,win\n2,2024-12-30,10,win\n"
        "3,2024-12-30,13,win\n4,2024-12-26,39,additional\n5,2024-12-26,1,win\n"
        "6,2024-12-26,2,win\n7,2024-12-26,4,win\n")


def run(module, source, args, suffix):
    """Runs a converter's main; returns (exit status, standard output, standard error)."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "source" + suffix)
        with open(path, "wb") as f:
            f.write(source.encode("utf-8"))
        out, err = io.BytesIO(), io.StringIO()

        class Stdout:
            buffer = out

        real = sys.stdout, sys.stderr
        sys.stdout, sys.stderr = Stdout(), err
        try:
            status = module.main([path] + list(args))
        finally:
            sys.stdout, sys.stderr = real
        return status, out.getvalue().decode("ascii"), err.getvalue()


class ConvertJsonTest(unittest.TestCase):
    def test_conversions(self):
        cases = [
            ("an array under a key, an extra ball that older records lack", GERMAN,
             ["--records", "data", "--date", "date", "--date-format", "%d.%m.%Y", "--draw",
              "Lottozahl,Superzahl?"],
             "19551009 3 12 13 16 23 41\r\n19911207 6 16 17 41 42 49 0\r\n"),
            ("newest first, digit strings", MARK_SIX,
             ["--date", "date", "--draw", "no,sno", "--newest-first"],
             "20251225 1 2 3 4 5 6 7\r\n20251228 7 10 11 19 25 30 45\r\n"),
            ("numbers joined in one string, a dropped date",
             '[{"d":"01/02/2020","n":"5+6+7"},{"d":"02/02/2020","n":"01 02 03"}]',
             ["--date", "d", "--date-format", "%d/%m/%Y", "--draw", "n", "--drop", "20200202"],
             "20200201 5 6 7\r\n"),
            ("two draws of one date keep their source order",
             '[{"d":"2020-01-01","n":[2]},{"d":"2020-01-01","n":[1]},{"d":"2019-12-31","n":[9]}]',
             ["--date", "d", "--draw", "n", "--from", "20200101"],
             "20200101 2\r\n20200101 1\r\n"),
        ]
        for name, source, args, expected in cases:
            with self.subTest(name):
                status, out, err = run(convert_json, source, args, ".json")
                self.assertEqual(status, 0, err)
                self.assertEqual(out, expected)

    def test_unreadable_stopsWithTheRecord(self):
        cases = [
            ("not JSON", "<html>", ["--date", "d", "--draw", "n"], "not JSON"),
            ("no such array", GERMAN, ["--records", "draws", "--date", "date", "--draw", "n"],
             "no 'draws' in the document"),
            ("a bad date", '[{"d":"2020-02-30","n":1}]', ["--date", "d", "--draw", "n"],
             "record 1: no date"),
            ("a required key missing", GERMAN,
             ["--records", "data", "--date", "date", "--date-format", "%d.%m.%Y", "--draw",
              "Lottozahl,Superzahl"], "record 1: no value for 'Superzahl'"),
            ("a word for a number", '[{"d":"2020-01-01","n":["4","x"]}]',
             ["--date", "d", "--draw", "n"], "'x' is not a list of numbers"),
            ("a negative number", '[{"d":"2020-01-01","n":-3}]', ["--date", "d", "--draw", "n"],
             "-3 is negative"),
            ("a record that is no object", '[[1,2]]', ["--date", "d", "--draw", "n"],
             "record 1 is not an object"),
            ("nothing left", '[{"d":"2020-01-01","n":1}]',
             ["--date", "d", "--draw", "n", "--to", "20191231"], "no draw read"),
        ]
        for name, source, args, expected in cases:
            with self.subTest(name):
                status, out, err = run(convert_json, source, args, ".json")
                self.assertEqual(status, 1)
                self.assertEqual(out, "")
                self.assertIn(expected, err)


class ConvertLongTest(unittest.TestCase):
    ARGS = ["--date", "Date", "--number", "Win Number", "--kind", "Win Type", "--kinds",
            "win,additional"]

    def test_numbersOfOneDate_makeOneLine_mainFirst(self):
        status, out, err = run(convert_long, TOTO, self.ARGS, ".csv")
        self.assertEqual(status, 0, err)
        self.assertEqual(out, "20241226 1 2 4 39\r\n20241230 3 10 13 18\r\n")

    def test_fromDate_leavesOutTheOlderDraws(self):
        status, out, err = run(convert_long, TOTO, self.ARGS + ["--from", "20241227"], ".csv")
        self.assertEqual(status, 0, err)
        self.assertEqual(out, "20241230 3 10 13 18\r\n")

    def test_refused(self):
        cases = [
            ("a draw short of a number", TOTO.replace("7,2024-12-26,4,win\n", ""),
             "the draw of 20241230 has [3, 1] numbers"),
            ("an unknown kind", TOTO.replace("additional", "bonus", 1), "the kind 'bonus'"),
            ("a word for a number", TOTO.replace(",18,", ",x,"), "'x' is not a number"),
            ("a bad date", TOTO.replace("2024-12-26", "2024-13-26", 1), "no date"),
            ("a missing column", TOTO.replace("Win Type", "Type"), "no column 'Win Type'"),
        ]
        for name, source, expected in cases:
            with self.subTest(name):
                status, out, err = run(convert_long, source, self.ARGS, ".csv")
                self.assertEqual(status, 1)
                self.assertEqual(out, "")
                self.assertIn(expected, err)


if __name__ == "__main__":
    unittest.main()
