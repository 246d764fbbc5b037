#!/usr/bin/env python3
"""The history validator's rules, each shown a file that breaks it (and files that do not)."""

import datetime
import io
import os
import random
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "scripts", "data"))
import validate  # noqa: E402

HEADER = "\t".join(validate.ERAS_HEADER) + "\n"
LOTTO = "lotto.txt\t20200101\t6\t1\t49\t1\t1\t49\tall\t1\n"
POWER = "power.txt\t20200101\t5\t1\t69\t1\t1\t26\tmain\t1\n"
DIGITS = "pick3.txt\t20200101\t3\t0\t9\t0\t0\t0\tnone\t2\n"


def dates(count, start=datetime.date(2020, 1, 1)):
    return [(start + datetime.timedelta(days=i)).strftime("%Y%m%d") for i in range(count)]


def lotto_lines(count, start=datetime.date(2020, 1, 1), high=49, seed=1):
    rng = random.Random(seed)
    lines = []
    for key in dates(count, start):
        drawn = rng.sample(range(1, high + 1), 7)
        lines.append(" ".join([key] + [str(n) for n in sorted(drawn[:6]) + drawn[6:]]))
    return lines


def power_lines(count, seed=2):
    rng = random.Random(seed)
    return [" ".join([key] + [str(n) for n in sorted(rng.sample(range(1, 70), 5))] +
                     [str(rng.randint(1, 26))]) for key in dates(count)]


def digit_lines(count, seed=3):
    """Two draws a date, as midday and evening."""
    rng = random.Random(seed)
    return [" ".join([key] + [str(rng.randint(0, 9)) for _ in range(3)])
            for key in dates(count) for _ in range(2)]


def crlf(lines):
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


class ValidatorTest(unittest.TestCase):
    def run_validator(self, eras, files, names=(), confirmed=None):
        """Runs the validator on a folder of these files; returns (exit status, output)."""
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "eras.tsv"), "w", encoding="utf-8") as f:
                f.write(eras)
            if confirmed is not None:
                with open(os.path.join(folder, "confirmed.tsv"), "w", encoding="utf-8") as f:
                    f.write("file\tdate\trule\tevidence\n" + confirmed)
            for name, content in files.items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(content)
            out = io.StringIO()
            real_stdout, sys.stdout = sys.stdout, out
            try:
                status = validate.main(["--data", folder] + list(names))
            finally:
                sys.stdout = real_stdout
            return status, out.getvalue()

    def assert_fault(self, eras, files, expected):
        status, out = self.run_validator(eras, files)
        self.assertEqual(status, 1, out)
        self.assertIn(expected, out)

    # ---- files that pass

    def test_soundFiles_pass(self):
        cases = [
            ("one lotto", HEADER + LOTTO, {"lotto.txt": crlf(lotto_lines(40))}),
            ("extra from its own drum equal to a main number", HEADER + POWER,
             {"power.txt": crlf(["%s 1 2 3 4 %d 4" % (d, 10 + i)
                                 for i, d in enumerate(dates(20))])}),
            ("digits with repeats and a few chance repeats of the midday draw", HEADER + DIGITS,
             {"pick3.txt": crlf(digit_lines(300) + ["20210101 7 7 7", "20210101 7 7 7"])}),
            ("comments and two eras", HEADER + "# a note\n" + LOTTO +
             "lotto.txt\t20200201\t6\t1\t59\t1\t1\t59\tall\t1\n",
             {"lotto.txt": crlf(lotto_lines(31) + lotto_lines(20, datetime.date(2020, 2, 1),
                                                              59))}),
            ("the eras of a file checked alone", HEADER + LOTTO + POWER,
             {"lotto.txt": crlf(lotto_lines(16)), "power.txt": crlf(power_lines(16))}),
        ]
        for name, eras, files in cases:
            with self.subTest(name):
                status, out = self.run_validator(eras, files)
                self.assertEqual(status, 0, out)
                self.assertIn("every check passed", out)

    # ---- each rule, with the line it names

    def test_brokenDraws_nameFileLineAndRule(self):
        good = lotto_lines(20)
        cases = [
            ("not a real date", good[:5] + ["20200230 1 2 3 4 5 6 7"] + good[5:],
             "lotto.txt:6: date: 20200230 is not a real date"),
            ("going back", good[:3] + [good[4], good[3]] + good[5:], "lotto.txt:5: order:"),
            ("too few numbers", good[:7] + ["20200108 1 2 3 4 5 6"] + good[8:],
             "lotto.txt:8: count: 6 numbers"),
            ("too many numbers", good[:7] + ["20200108 1 2 3 4 5 6 7 8"] + good[8:],
             "lotto.txt:8: count: 8 numbers"),
            ("a number above the range", good[:2] + ["20200103 1 2 3 4 5 50 7"] + good[3:],
             "lotto.txt:3: range: 50 is outside 1-49"),
            ("a zero", good[:2] + ["20200103 0 2 3 4 5 6 7"] + good[3:],
             "lotto.txt:3: range: 0 is outside 1-49"),
            ("a main number twice", good[:2] + ["20200103 1 2 3 4 4 6 7"] + good[3:],
             "lotto.txt:3: repeated-number"),
            ("the bonus equal to a main number of one drum",
             good[:2] + ["20200103 1 2 3 4 5 6 6"] + good[3:], "lotto.txt:3: repeated-number"),
            ("two draws on a date of a once-a-day game", good[:3] + ["20200103 9 10 11 12 13 14 15"]
             + good[3:], "lotto.txt:4: per-day: more than 1 draws on 20200103"),
            ("a leading zero", good[:1] + ["20200102 01 2 3 4 5 6 7"] + good[2:],
             "lotto.txt:2: format:"),
            ("two spaces", good[:1] + ["20200102 1  2 3 4 5 6 7"] + good[2:],
             "lotto.txt:2: format:"),
            ("a trailing space", good[:1] + ["20200102 1 2 3 4 5 6 7 "] + good[2:],
             "lotto.txt:2: format:"),
            ("a header line", ["date n1 n2 n3 n4 n5 n6 bonus"] + good, "lotto.txt:1: format:"),
            ("a comment line", good[:4] + ["# moved draw"] + good[4:], "lotto.txt:5: format:"),
            ("an empty line", good[:4] + [""] + good[4:], "lotto.txt:5: format:"),
            ("a seven-digit date", good[:4] + ["2020105 1 2 3 4 5 6 7"] + good[4:],
             "lotto.txt:5: format:"),
            ("fifteen draws", good[:15], "lotto.txt: draws: 15 draws, fewer than 16"),
        ]
        for name, lines, expected in cases:
            with self.subTest(name):
                self.assert_fault(HEADER + LOTTO, {"lotto.txt": crlf(lines)}, expected)

    def test_repeatedDraw_sameLineTwiceOnOneDate(self):
        lines = lotto_lines(20)
        cases = [
            ("a lotto line twice on a two-draw date",
             HEADER + LOTTO.replace("all\t1", "all\t2"), lines[:5] + [lines[4]] + lines[5:],
             "lotto.txt:6: repeated-draw: the same draw as line 5"),
            # Midday copied into evening: far more agreeing pairs than 1 in 1000 dates.
            ("the digits of both draws agree too often", HEADER + DIGITS,
             [line for line in digit_lines(200)[::2] for _ in range(2)],
             "pick3.txt:2: repeated-draw: 200 draws repeat"),
        ]
        for name, eras, content, expected in cases:
            with self.subTest(name):
                file = "lotto.txt" if "lotto" in eras.split("\n")[1] else "pick3.txt"
                self.assert_fault(eras, {file: crlf(content)}, expected)

    def test_copiedDraws_earlierDrawsPastedUnderLaterDates(self):
        first = lotto_lines(60)
        later = dates(60, datetime.date(2021, 1, 1))
        # The numbers of 2020 again under the dates of 2021, as a parser that lost the year.
        copied = [key + line[8:] for key, line in zip(later, first)]
        cases = [
            ("a whole year pasted again", first + copied,
             "lotto.txt:61: copied-draws: 60 draws repeat the numbers of an earlier draw (this "
             "line repeats line 1)"),
            ("the bonus differs, the six numbers do not", first + [
                key + " " + " ".join(line.split()[1:7]) + " 49" for key, line in zip(later, first)
                if "49" not in line.split()[1:7]][:40], "copied-draws: 40 draws repeat"),
        ]
        for name, lines, expected in cases:
            with self.subTest(name):
                self.assert_fault(HEADER + LOTTO, {"lotto.txt": crlf(lines)}, expected)
        # A handful of repeats in a long 5/39 history is what chance gives.
        era = "c539.txt\t20000101\t5\t1\t39\t0\t0\t0\tall\t1\n"
        rng = random.Random(5)
        lines = [" ".join([key] + [str(n) for n in sorted(rng.sample(range(1, 40), 5))])
                 for key in dates(4000, datetime.date(2000, 1, 1))]
        status, out = self.run_validator(HEADER + era, {"c539.txt": crlf(lines)})
        self.assertEqual(status, 0, out)

    def test_confirmedDraws_passOnlyWhereTheyBreakTheRule(self):
        eras = HEADER + LOTTO.replace("all\t1", "all\t2")
        lines = lotto_lines(20)
        repeated = {"lotto.txt": crlf(lines[:5] + [lines[4]] + lines[5:])}
        evidence = "the operator's statement"
        cases = [
            ("the confirmed repeat passes", repeated,
             "lotto.txt\t20200105\trepeated-draw\t%s\n" % evidence, 0, "every check passed"),
            ("another date is not confirmed", repeated,
             "lotto.txt\t20200106\trepeated-draw\t%s\n" % evidence, 1,
             "lotto.txt:6: repeated-draw"),
            ("another rule is not confirmed", repeated,
             "lotto.txt\t20200105\trange\t%s\n" % evidence, 1, "lotto.txt:6: repeated-draw"),
            ("a confirmation with nothing to confirm", {"lotto.txt": crlf(lines)},
             "lotto.txt\t20200105\trepeated-draw\t%s\n" % evidence, 1,
             "confirmed.tsv:2: confirmed: lotto.txt has no repeated-draw fault on 20200105"),
            ("no evidence", repeated, "lotto.txt\t20200105\trepeated-draw\t\n", 1,
             "confirmed.tsv:2: confirmed: needs"),
        ]
        for name, files, confirmed, status, expected in cases:
            with self.subTest(name):
                got, out = self.run_validator(eras, files, confirmed=confirmed)
                self.assertEqual(got, status, out)
                self.assertIn(expected, out)

    def test_lineEnds_mustBeCrLf(self):
        text = "\n".join(lotto_lines(20)) + "\n"
        cases = [
            ("LF only", text.encode("ascii"), "lotto.txt: format: the file must end with CR LF"),
            ("no end on the last line", crlf(lotto_lines(20))[:-2], "lotto.txt: format: the file "
             "must end with CR LF"),
            ("a lone CR inside", crlf(lotto_lines(20)).replace(b"\r\n", b"\r", 1),
             "lotto.txt:1: format: a line end other than CR LF"),
            ("Windows-1252", crlf(lotto_lines(20)).replace(b"1", b"\xb9", 1),
             "lotto.txt:1: format: not plain ASCII"),
        ]
        for name, content, expected in cases:
            with self.subTest(name):
                self.assert_fault(HEADER + LOTTO, {"lotto.txt": content}, expected)

    def test_size_overTheWindowLimit(self):
        lines = lotto_lines(40000, datetime.date(1900, 1, 1))
        self.assertGreater(len(crlf(lines)), validate.MAX_FILE_CHARS)
        self.assert_fault(HEADER + LOTTO.replace("20200101", "19000101"),
                          {"lotto.txt": crlf(lines)}, "lotto.txt: size:")

    # ---- eras and files must match

    def test_erasAndFiles_match(self):
        lotto = crlf(lotto_lines(20))
        cases = [
            ("a file without eras", HEADER + POWER,
             {"lotto.txt": lotto, "power.txt": crlf(power_lines(20))},
             "lotto.txt: eras: no era in eras.tsv"),
            ("eras without a file", HEADER + LOTTO + POWER, {"lotto.txt": lotto},
             "eras.tsv:3: eras: power.txt has eras but no file"),
            ("a draw before the first era", HEADER + LOTTO.replace("20200101", "20200102"),
             {"lotto.txt": lotto}, "lotto.txt:1: eras: 20200101 is before the first era"),
            ("an era with no draw on its date",
             HEADER + LOTTO + "lotto.txt\t20200305\t6\t1\t59\t1\t1\t59\tall\t1\n",
             {"lotto.txt": lotto}, "lotto.txt: eras: no draw on 20200305"),
            ("eras out of order", HEADER + "lotto.txt\t20200110\t6\t1\t59\t1\t1\t59\tall\t1\n"
             + LOTTO, {"lotto.txt": lotto}, "eras.tsv:3: eras: lotto.txt: era from 20200101"),
            ("an era that changes nothing", HEADER + LOTTO + LOTTO.replace("20200101", "20200110"),
             {"lotto.txt": lotto}, "repeats the era before it"),
            ("a file name in capitals", HEADER + LOTTO,
             {"lotto.txt": lotto, "Lotto2.txt": lotto}, "Lotto2.txt: name:"),
        ]
        for name, eras, files, expected in cases:
            with self.subTest(name):
                self.assert_fault(eras, files, expected)

    def test_eraRows_malformed(self):
        cases = [
            ("another header", "file\tstart\tmain\n" + LOTTO, "eras.tsv:1: eras: the first line"),
            ("nine fields", HEADER + "lotto.txt\t20200101\t6\t1\t49\t1\t1\t49\tall\n",
             "eras.tsv:2: eras: 9 fields, not 10"),
            ("not a date", HEADER + LOTTO.replace("20200101", "20201301"),
             "eras.tsv:2: eras: from '20201301' is not a real date"),
            ("an unknown kind", HEADER + LOTTO.replace("all", "some"), "distinct 'some'"),
            ("a range for no extra", HEADER + "lotto.txt\t20200101\t6\t1\t49\t0\t1\t49\tall\t1\n",
             "must be 0 0 when extra is 0"),
            ("one drum, two ranges", HEADER + LOTTO.replace("1\t1\t49\tall", "1\t1\t10\tall"),
             "the extra range must equal the main range"),
            ("more distinct numbers than the range", HEADER +
             "lotto.txt\t20200101\t6\t1\t5\t0\t0\t0\tmain\t1\n", "cannot come from 1-5"),
            ("no draw a day", HEADER + LOTTO.replace("all\t1", "all\t0"), "per_day must be"),
        ]
        for name, eras, expected in cases:
            with self.subTest(name):
                self.assert_fault(eras, {"lotto.txt": crlf(lotto_lines(20))}, expected)

    def test_rangeNeverReached_pointsAtTheEra(self):
        # 6 of 1-49 drawn 600 times under an era that says 1-59: 50-59 never turn up.
        self.assert_fault(HEADER + LOTTO.replace("49\t1\t1\t49", "59\t1\t1\t59"),
                          {"lotto.txt": crlf(lotto_lines(600))},
                          "lotto.txt: range-unused: 59 never drawn in 600 draws")
        # 20 draws prove nothing: the same file cut short passes.
        status, out = self.run_validator(HEADER + LOTTO.replace("49\t1\t1\t49", "59\t1\t1\t59"),
                                         {"lotto.txt": crlf(lotto_lines(20))})
        self.assertEqual(status, 0, out)

    def test_namedFiles_onlyThoseChecked(self):
        eras = HEADER + LOTTO + POWER
        files = {"lotto.txt": crlf(lotto_lines(20)), "power.txt": crlf(power_lines(3))}
        status, out = self.run_validator(eras, files, ["lotto.txt"])
        self.assertEqual(status, 0, out)
        status, out = self.run_validator(eras, files, ["power.txt"])
        self.assertEqual(status, 1, out)
        self.assertIn("power.txt: draws: 3 draws", out)


if __name__ == "__main__":
    unittest.main()
