#!/usr/bin/env python3
"""The converters and the merge that the recipes use, on small hand-made sources."""

import gzip
import io
import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "scripts", "data"))
import calottery  # noqa: E402
import valottery  # noqa: E402
import convert  # noqa: E402
import json_draws  # noqa: E402
import merge  # noqa: E402

NY = ("Draw Date,Midday Daily #,Evening Daily #,Evening Win 4 #\n"
      "09/25/2020,040,766,9504\n"
      "09/24/2020,433,84,2151\n"
      "12/01/2001,,7,420\n")
TEXAS = ("Pick 3 Night,10,25,1993,3,2,9,,\n"
         "Pick 3 Night,10,26,1993,8,4,1,,\n"
         "Pick 3 Day,10,26,1993,1,1,1,,\n")


def run_tool(module, sources, *args):
    """Runs a tool's main on temporary source files; returns (status, stdout, stderr)."""
    with tempfile.TemporaryDirectory() as folder:
        paths = []
        for i, source in enumerate(sources):
            path = os.path.join(folder, "source%d" % i)
            with open(path, "wb") as f:
                f.write(source.encode("utf-8") if isinstance(source, str) else source)
            paths.append(path)
        out, err = io.BytesIO(), io.StringIO()

        class Stdout:
            buffer = out

        real = sys.stdout, sys.stderr
        sys.stdout, sys.stderr = Stdout(), err
        try:
            status = module.main(paths + list(args))
        finally:
            sys.stdout, sys.stderr = real
        return status, out.getvalue().decode("ascii"), err.getvalue()


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
            ("a record written twice is taken once",
             "date,draw,n,winners\n01/01/2020,Night,7,10\n01/01/2020,Night,7,10\n"
             "01/01/2020,Day,7,12\n", ["--date", "date", "--draw", "n", "--same-rows-once"],
             "20200101 7\r\n20200101 7\r\n"),
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


CA_HEAD = ("Download Winning Numbers from www.calottery.com on 6/8/2019 9:56:41 PM for DAILY 3\r\n"
           "\r\nDraw #        Draw Date            Number_1    Number_2    Number_3\r\n"
           "------    -----------------        --------    --------    --------\r\n\r\n")


def ca_line(draw, date, numbers):
    return "%d     %s          %s     \r\n" % (draw, date, "          ".join(numbers.split()))


class CaliforniaTest(unittest.TestCase):
    def test_download_inDrawOrder(self):
        cases = [
            ("newest first, midday and evening by draw number",
             CA_HEAD + ca_line(4, "Sat. Jun 08, 2019", "1 2 3") +
             ca_line(3, "Sat. Jun 08, 2019", "9 6 8") + ca_line(1, "Fri. Jun 07, 2019", "0 0 7"),
             0, "20190607 0 0 7\r\n20190608 9 6 8\r\n20190608 1 2 3\r\n"),
            ("a line written twice is one draw, and the stray quote of a printed copy is no line",
             "b'" + CA_HEAD + ca_line(2, "Mon. Nov 07, 2011", "6 7 1") +
             ca_line(2, "Mon. Nov 07, 2011", "6 7 1") + "'", 0, "20111107 6 7 1\r\n"),
            ("one draw number, two contents", CA_HEAD + ca_line(2, "Mon. Nov 07, 2011", "6 7 1") +
             ca_line(2, "Mon. Nov 07, 2011", "6 7 2"), 1, "draw 2 twice, with different"),
            ("a later draw dated earlier", CA_HEAD + ca_line(3, "Mon. Nov 07, 2011", "6 7 1") +
             ca_line(2, "Tue. Nov 08, 2011", "6 7 2"), 1, "dated before the draw before it"),
            ("a line that is no draw", CA_HEAD + "9719 junk\r\n", 1, "is not a draw"),
            ("no download at all", "Draw,Date\r\n1,2\r\n", 1, "not a California Lottery"),
        ]
        for name, source, status, expected in cases:
            with self.subTest(name):
                got, out, err = run_tool(calottery, [source])
                self.assertEqual(got, status, err)
                self.assertIn(expected, out if status == 0 else err)


class JsonDrawsTest(unittest.TestCase):
    def test_records_andDateKeys(self):
        records = ('{"draws": [{"draw_date": "2026-05-23", "numbers": [10, 15], "bonus": 16},'
                   '{"draw_date": "2026-05-20", "numbers": [1, 9], "bonus": 20}]}')
        keyed = ('{"pick3": {"01-02-2024": {"midday": [4, 9, 2], "evening": [3, 0, 5]},'
                 '"01-01-2024": {"midday": [1, 0, 8], "evening": []}}}')
        cases = [
            ("records, newest first", records,
             ["--records", "draws", "--date", "draw_date", "--date-format", "%Y-%m-%d",
              "--numbers", "numbers,bonus", "--newest-first"], 0,
             "20260520 1 9 20\r\n20260523 10 15 16\r\n"),
            ("date keys, an empty draw left out", keyed,
             ["--by-date", "pick3", "--date-format", "%m-%d-%Y", "--numbers", "evening"], 0,
             "20240102 3 0 5\r\n"),
            ("a date with its time", '{"h": [{"dt": "2013-01-01 00:00:00", "numbers": [2, 4]}]}',
             ["--records", "h", "--date", "dt", "--date-format", "%Y-%m-%d", "--numbers",
              "numbers"], 0, "20130101 2 4\r\n"),
            ("a bonus missing", records.replace(', "bonus": 16', ""),
             ["--records", "draws", "--date", "draw_date", "--date-format", "%Y-%m-%d",
              "--numbers", "numbers,bonus"], 1, "some of the fields numbers,bonus are missing"),
            ("a number that is not whole", records.replace("10, 15", "10, 1.5"),
             ["--records", "draws", "--date", "draw_date", "--date-format", "%Y-%m-%d",
              "--numbers", "numbers"], 1, "1.5 is not a whole number"),
            ("a path that is not there", records,
             ["--records", "history.pick3", "--date-format", "%Y", "--numbers", "n"], 1,
             "no 'history' in the file"),
        ]
        for name, source, args, status, expected in cases:
            with self.subTest(name):
                got, out, err = run_tool(json_draws, [source], *args)
                self.assertEqual(got, status, err)
                self.assertIn(expected, out if status == 0 else err)


class MergeTest(unittest.TestCase):
    def test_merge_andUnion(self):
        midday = "20200101 1 1 1\r\n20200102 2 2 2\r\n"
        evening = "20200102 3 3 3\r\n20200101 4 4 4\r\n"
        cases = [
            ("midday first on every date", [midday, evening], [], 0,
             "20200101 1 1 1\r\n20200101 4 4 4\r\n20200102 2 2 2\r\n20200102 3 3 3\r\n"),
            ("copies that agree are joined once", ["20200101 1\r\n20200102 2\r\n",
                                                    "20200102 2\r\n20200103 3\r\n"],
             ["--union"], 0, "20200101 1\r\n20200102 2\r\n20200103 3\r\n"),
            ("copies that disagree stop the merge", ["20200102 2\r\n", "20200102 5\r\n"],
             ["--union"], 1, "the files disagree on 20200102"),
            ("a line that is no draw", ["20200102 02\r\n"], [], 1, "not a draw line"),
        ]
        for name, sources, flags, status, expected in cases:
            with self.subTest(name):
                with tempfile.TemporaryDirectory() as folder:
                    paths = []
                    for i, text in enumerate(sources):
                        paths.append(os.path.join(folder, "f%d" % i))
                        with open(paths[-1], "wb") as f:
                            f.write(text.encode("ascii"))
                    got, out, err = run_tool(merge, [], *(flags + paths))
                self.assertEqual(got, status, err)
                self.assertIn(expected, out if status == 0 else err)


def rda(vectors):
    """An R data file (gzip, XDR format 2) holding these named character vectors."""
    def i32(v):
        return struct.pack(">i", v)

    def chars(text):
        return i32(0x00040009) + i32(len(text)) + text.encode("latin-1")

    body = b"RDX2\nX\n" + i32(2) + i32(0x030200) + i32(0x020300)
    for index, (name, strings) in enumerate(vectors.items()):
        body += i32(0x402)  # a pair-list node with a tag
        body += i32(1) + chars(name)  # the tag: a symbol
        body += i32(0x10) + i32(len(strings)) + b"".join(chars(t) for t in strings)
    body += i32(254)
    return gzip.compress(body)


class VirginiaTest(unittest.TestCase):
    PAGE = ["Results for Pick 3", "8/30/2015; Day: 0,3,4; Night: 2,8,4",
            "8/29/2015; Day: 0,6,8; Night: 9,1,7", "5/22/1989; Night: 9,1,4", "",
            "All information is entered manually, and is subject to human error. ",
            "Therefore, we can not guarantee the accuracy of this information."]

    def test_resultsPage_inRData(self):
        twice = self.PAGE[:3] + ["8/29/2015; Night: 4,9,2"] + self.PAGE[3:]
        cases = [
            ("the evening draws, oldest first", {"p3_data": self.PAGE}, ["p3_data", "--draw",
                                                                         "Night"], 0,
             "19890522 9 1 4\r\n20150829 9 1 7\r\n20150830 2 8 4\r\n"),
            ("the midday draws, where there are any", {"x": [], "p3_data": self.PAGE},
             ["p3_data", "--draw", "Day"], 0, "20150829 0 6 8\r\n20150830 0 3 4\r\n"),
            ("a date given twice stops the conversion", {"p3_data": twice},
             ["p3_data", "--draw", "Night"], 1, "20150829 twice"),
            ("unless it is dropped", {"p3_data": twice},
             ["p3_data", "--draw", "Night", "--drop", "20150829"], 0,
             "19890522 9 1 4\r\n20150830 2 8 4\r\n"),
            ("a line of another kind", {"p3_data": self.PAGE + ["8/31/2015 Day 1 2 3"]},
             ["p3_data", "--draw", "Day"], 1, "is not a draw"),
            ("no such vector", {"c5_data": self.PAGE}, ["p3_data", "--draw", "Day"], 1,
             "no character vector 'p3_data'"),
        ]
        for name, vectors, args, status, expected in cases:
            with self.subTest(name):
                got, out, err = run_tool(valottery, [rda(vectors)], *args)
                self.assertEqual(got, status, err)
                self.assertIn(expected, out if status == 0 else err)

    def test_notRData_refused(self):
        for name, data in (("text", b"8/30/2015; Day: 0,3,4\n"),
                           ("cut short", rda({"p3_data": self.PAGE})[:-30])):
            with self.subTest(name):
                got, out, err = run_tool(valottery, [data], "p3_data", "--draw", "Day")
                self.assertEqual(got, 1)
                self.assertEqual(out, "")


if __name__ == "__main__":
    unittest.main()
