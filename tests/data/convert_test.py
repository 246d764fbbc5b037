#!/usr/bin/env python3
"""The delimited-file converter that most recipes use, on small hand-made sources."""

import io
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "scripts", "data"))
import convert  # noqa: E402

NY = ("Draw Date,Midday Daily #,Evening Daily #,Evening Win 4 #\n"
      "09/25/2020,040,766,9504\n"
      "09/24/2020,433,84,2151\n"
      "12/01/2001,,7,420\n")
TEXAS = ("Pick 3 Night,10,25,1993,3,2,9,,\n"
         "Pick 3 Night,10,26,1993,8,4,1,,\n"
         "Pick 3 Day,10,26,1993,1,1,1,,\n")


class ConvertTest(unittest.TestCase):
    def convert(self, source, *args):
        """Runs the converter; returns (exit status, standard output, standard error)."""
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "source.csv")
            with open(path, "wb") as f:
                f.write(source.encode("utf-8") if isinstance(source, str) else source)
            out, err = io.BytesIO(), io.StringIO()

            class Stdout:
                buffer = out

            real = sys.stdout, sys.stderr
            sys.stdout, sys.stderr = Stdout(), err
            try:
                status = convert.main([path] + list(args))
            finally:
                sys.stdout, sys.stderr = real
            return status, out.getvalue().decode("ascii"), err.getvalue()

    def test_conversions(self):
        cases = [
            ("digits padded, oldest first, an empty draw left out", NY,
             ["--date", "Draw Date", "--draw", "Evening Daily #:d3"],
             "20011201 0 0 7\r\n20200924 0 8 4\r\n20200925 7 6 6\r\n"),
            ("two draws a row, midday first", NY,
             ["--date", "Draw Date", "--draw", "Midday Daily #:d3", "--draw",
              "Evening Daily #:d3", "--from", "20200925"],
             "20200925 0 4 0\r\n20200925 7 6 6\r\n"),
            ("numbers in one cell, pipes and spaces", "date,white,ball\n11/3/2017,10|22|42,3\n"
             "11/7/2017,05 07 09,12\n", ["--date", "date", "--draw", "white,ball"],
             "20171103 10 22 42 3\r\n20171107 5 7 9 12\r\n"),
            ("no header, date in three columns, rows chosen by game", TEXAS,
             ["--no-header", "--date", "2,3,4", "--date-format", "%m %d %Y", "--draw", "5,6,7",
              "--where", "1=Pick 3 Night"],
             "19931025 3 2 9\r\n19931026 8 4 1\r\n"),
            ("newest first: rows of one date keep the order drawn",
             "date;n\n2020-01-02;3\n2020-01-01;2\n2020-01-01;1\n",
             ["--date", "date", "--date-format", "%Y-%m-%d", "--draw", "n", "--newest-first"],
             "20200101 1\r\n20200101 2\r\n20200102 3\r\n"),
            ("a dropped date and a BOM", "\ufeffdate,n\n01/01/2020,1\n01/02/2020,2\n",
             ["--date", "date", "--draw", "n", "--drop", "20200101"], "20200102 2\r\n"),
        ]
        for name, source, args, expected in cases:
            with self.subTest(name):
                status, out, err = self.convert(source, *args)
                self.assertEqual(status, 0, err)
                self.assertEqual(out, expected)

    def test_unreadable_stopsWithTheRow(self):
        cases = [
            ("a bad date", "date,n\n01/01/2020,1\n13/45/2020,2\n", ["--date", "date", "--draw",
                                                                   "n"], "source.csv:3: no date"),
            ("a word for a number", "date,n\n01/01/2020,x\n", ["--date", "date", "--draw", "n"],
             "source.csv:2: 'x' is not a list of numbers"),
            ("a draw half empty", "date,a,b\n01/01/2020,1,\n", ["--date", "date", "--draw", "a,b"],
             "source.csv:2: a draw with some of its columns empty"),
            ("a digit game value too long", "date,n\n01/01/2020,1234\n",
             ["--date", "date", "--draw", "n:d3"], "'1234' is not a number of at most 3 digits"),
            ("an unknown column", "date,n\n01/01/2020,1\n", ["--date", "day", "--draw", "n"],
             "no column 'day'"),
            ("nothing left", "date,n\n01/01/2020,1\n", ["--date", "date", "--draw", "n", "--from",
                                                       "20210101"], "no draw read"),
        ]
        for name, source, args, expected in cases:
            with self.subTest(name):
                status, out, err = self.convert(source, *args)
                self.assertEqual(status, 1)
                self.assertEqual(out, "")
                self.assertIn(expected, err)


if __name__ == "__main__":
    unittest.main()
