#!/usr/bin/env python3
"""A second, independent model of the data-file reader and both prediction methods.

It is written from the description of the methods, not from the C++ code, and is used to check
corvane-cli byte for byte on generated and real data files:

    reference.py predict regress|fuzzy FILE   prints what corvane-cli prints (status 0/1)
    reference.py freq FILE FROM TO [--all]    the number frequency list of a period
"""
import math
import os
import re
import struct
import sys

NO_DATA = "Data File Must Has Data!"
TOO_FEW = ("Data File Must Has At Least 16 Lines Numbers\r\nEach Data Line Must Similar To The "
           "Format Described \r\nIn Help File, Press F1 To See Help")

NUMBER = re.compile(rb"[ \t\n\v\f\r]*([+-]?)((\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)")


def atof(token):
    m = NUMBER.match(token)
    if not m:
        return 0.0
    sign = -1.0 if m.group(1) == b"-" else 1.0
    try:
        v = float(m.group(2))
    except OverflowError:
        v = math.inf
    return sign * v


def trunc(v):
    if math.isnan(v) or not (-2147483649.0 < v < 2147483648.0):
        return -2147483648
    return int(v)


def lines_of(data):
    out = data.split(b"\n")
    if out and out[-1] == b"":
        out.pop()
    else:
        # last line without LF keeps any CR
        last = out.pop() if out else None
        out = [l[:-1] if l.endswith(b"\r") else l for l in out]
        if last is not None:
            out.append(last)
        return out
    return [l[:-1] if l.endswith(b"\r") else l for l in out]


def is_data(line):
    rest = line.lstrip(b" ")
    return len(rest) > 0 and 48 <= rest[0] <= 57


def load(path, rule):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except OSError:
        return None, NO_DATA
    lines = lines_of(data)
    datalines = sum(1 for l in lines if is_data(l))
    if datalines < 16:
        return None, TOO_FEW
    if rule == "latest16":
        skip = datalines - 16 if datalines > 16 else 0
    else:
        skip = datalines - 490 if datalines > 500 else 0
    table = [[0.0] * 50 for _ in range(500)]
    row = seen = 0
    mx, mn = 0, 1
    numcols = None
    for line in lines:
        rest = line.lstrip(b" ")
        dataline = stored = False
        col = 0
        first = True
        while rest:
            if not (48 <= rest[0] <= 57):
                break
            dataline = True
            if seen < skip:
                break
            stored = True
            sp = rest.find(b" ")
            last = sp < 0 or col == 49
            tok = rest if sp < 0 else rest[:sp]
            v = atof(tok)
            table[row][col] = v
            if not first:
                if v > mx:
                    mx = trunc(v)
                if v < mn:
                    mn = trunc(v)
            if last:
                if numcols is None:
                    numcols = col
                break
            col += 1
            rest = rest[sp:].strip(b" ")
            first = False
        if dataline:
            seen += 1
        if stored:
            row += 1
    return {"table": table, "rows": row, "numcols": numcols or 0, "max": mx, "min": mn}, None


def name_of(path):
    return path.rsplit("/", 1)[-1]


def gjcpeg(n, A, xx):
    for k in range(n + 1):
        if not (abs(A[k][k]) >= 1e-11):
            for c in range(k, n + 1):
                xx[c] = 0.0
            return
        for j in range(k + 1, n + 1):
            A[k][j] = A[k][j] / A[k][k]
        xx[k] = xx[k] / A[k][k]
        A[k][k] = 1.0
        for i in range(n + 1):
            if i == k:
                continue
            xx[i] = xx[i] - A[i][k] * xx[k]
            for j in range(k + 1, n + 1):
                A[i][j] = A[i][j] - A[i][k] * A[k][j]
            A[i][k] = 0.0
        if k < n:
            for j in range(k + 1, n):
                for u in range(j + 1, n + 1):
                    if abs(A[u][k + 1]) > abs(A[j][k + 1]):
                        A[j], A[u] = A[u], A[j]
                        xx[j], xx[u] = xx[u], xx[j]


def fmul(a, b):
    return a * b


def power(x, n):
    r = 1.0
    for _ in range(n):
        r = r * x
    return r


def exps(p, d):
    out = []

    def rec(l, left, cur):
        if l == p:
            if any(cur):
                out.append(list(cur))
            return
        for e in range(left + 1):
            rec(l + 1, left - e, cur + [e])
    rec(0, d, [])
    return out


def regress(h):
    T, rows, nc = h["table"], h["rows"], h["numcols"]
    last, nxt = rows - 1, rows
    best = None
    results = []
    for p in (1, 2, 3):
        for d in (1, 2):
            ex = exps(p, d)
            n = len(ex)
            pred_last, pred_next = [0.0] * 50, [0.0] * 50
            for c in range(1, nc + 1):
                def terms(K):
                    t = [1.0]
                    for e in ex:
                        prod = 1.0
                        for l in range(1, p + 1):
                            prod = prod * power(T[K - l][c], e[l - 1])
                        t.append(prod)
                    return t
                tv = {K: terms(K) for K in range(p, nxt + 1)}
                A = [[0.0] * (n + 1) for _ in range(n + 1)]
                B = [0.0] * (n + 1)
                for G in range(n + 1):
                    for P in range(n + 1):
                        s = 0.0
                        for K in range(p, last + 1):
                            s += tv[K][G] * tv[K][P]
                        A[G][P] = s
                    s = 0.0
                    for K in range(p, last + 1):
                        s += T[K][c] * tv[K][G]
                    B[G] = s
                gjcpeg(n, A, B)
                for K, pr in ((last, pred_last), (nxt, pred_next)):
                    s = 0.0
                    for P in range(n + 1):
                        s += B[P] * tv[K][P]
                    pr[c] = s
            score = sum(1 for c in range(1, nc + 1) if trunc(pred_last[c] + 0.5) == trunc(T[last][c]))
            text = "   After %d Could Be:\r\n   (Nonlinear Regress Method)\r\n\r\n   " % trunc(T[last][0])
            text += "".join("%d   " % trunc(pred_next[c] + 0.5) for c in range(1, nc + 1))
            results.append((score, text))
    best = results[0]
    for r in results[1:]:
        if r[0] > best[0]:
            best = r
    return best[1]


def fuzzy(h):
    T, rows, nc = h["table"], h["rows"], h["numcols"]
    text = "   After %d Could Be:\r\n   (Fuzzy Period Method)\r\n\r\n   " % trunc(T[rows - 1][0])
    for c in range(1, nc + 1):
        got = []
        for a in (2, 1):
            got = [T[l + a][c] for l in range(0, rows - 2 * a)
                   if all(abs(T[l + q - 1][c] - T[rows - 1 - a + q][c]) <= 0 for q in range(a, 0, -1))]
            if got:
                break
        if not got:
            d2 = T[rows - 1][c] - T[rows - 2][c]
            for l in range(0, rows - 4):
                d1 = T[l + 1][c] - T[l][c]
                if d1 * d2 >= 0 and (d1 == d2 or (d1 != 0 and d2 != 0)):
                    got.append(T[l + 2][c])
        if not got:
            text += "?  "
            continue
        values, counts = [], []
        for v in got:
            for i, w in enumerate(values):
                if w == v:
                    counts[i] += 1
                    break
            else:
                values.append(v)
                counts.append(0)
        choice = 0
        for i in range(1, len(values)):
            if counts[i] > counts[choice]:
                choice = i
        text += "%d  " % trunc(values[choice])
    return text


def getlottoname(file):
    """Other countries: first match; United States: the last match wins."""
    import os
    import subprocess
    listing = subprocess.run([os.environ["CORVANE_CLI"], "catalogue"], capture_output=True,
                             check=True).stdout.decode("latin-1").splitlines()
    result = None
    for kind in ("Other States", "United States"):
        for row in listing:
            k, _, name, f = row.split("\t")[:4]
            if k == kind and f and f.lower() == file.lower():
                if kind == "United States" or result is None:
                    result = name
    return result if result is not None else file


def datekey(text):
    """The key text (bytes) of a picker text yy-M-d: "20" + yy, then month and day, each made
    two long by a leading "0"."""
    year = b"20" + text[:2]
    rest = text[3:]
    month = rest.split(b"-")[0]
    day = rest.split(b"-")[-1]
    if len(month) < 2:
        month = b"0" + month
    if len(day) < 2:
        day = b"0" + day
    return year + month + day


def is_date_text(text):
    """True for a real date of the years 2000 to 2099 written yy-M-d, month and day in one or
    two digits (bytes)."""
    m = re.fullmatch(rb"([0-9]{2})-([0-9]{1,2})-([0-9]{1,2})", text)
    if not m:
        return False
    year, month, day = 2000 + int(m.group(1)), int(m.group(2)), int(m.group(3))
    if not 1 <= month <= 12 or day < 1:
        return False
    leap = year % 4 == 0 and (year % 100 != 0 or year % 400 == 0)
    days = [31, 29 if leap else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]
    return day <= days


def row_of(table, last, key):
    """The highest row from 0 to last whose key is not above key, or 0."""
    found = 0
    for r in range(last + 1):
        if table[r][0] <= key:
            found = r
    return found


def freq(h, from_text, to_text, show_all):
    """The lines of the frequency list as (header, rows) of cell texts."""
    T, nc = h["table"], h["numcols"]
    last = h["rows"] - 1
    fromkey = atof(datekey(from_text))
    tokey = atof(datekey(to_text))
    fromrow, torow = row_of(T, last, fromkey), row_of(T, last, tokey)
    if torow < fromrow:
        fromrow, torow = torow, fromrow
    low = max(trunc(h["min"]), 0)
    high = min(trunc(h["max"]), 49)
    span = torow - fromrow + 1
    counts = [[0] * 50 for _ in range(span + 1)]
    if not show_all:
        for r in range(fromrow, torow + 1):
            for c in range(1, nc + 1):
                for n in range(low, high + 1):
                    if T[r][c] == float(n):
                        counts[0][n] += 1
        shown = 1
    else:
        for r in range(fromrow, torow + 1):
            i = r - fromrow
            if i > 0:
                for n in range(low, high + 1):
                    counts[i][n] = counts[i - 1][n]
            for c in range(1, nc + 1):
                for n in range(low, high + 1):
                    if T[r][c] == float(n):
                        counts[i][n] += 1
        shown = span
    header = ["Day\\Lott"] + ["%d" % (low + i - 1) for i in range(1, high - low + 2)]
    rows = []
    for j in range(shown):
        cells = ["%d" % trunc(T[torow - j][0])]
        cells += ["%4d" % counts[shown - 1 - j][low + i - 1] for i in range(1, high - low + 2)]
        rows.append(cells)
    return header, rows


def freq_main(args):
    if len(args) == 4 and args[3] == "--all":
        show_all = True
    elif len(args) == 3:
        show_all = False
    else:
        sys.exit(2)
    path = args[0]
    from_text, to_text = os.fsencode(args[1]), os.fsencode(args[2])
    if not is_date_text(from_text) or not is_date_text(to_text):
        sys.exit(2)
    h, msg = load(path, "long")
    if msg:
        sys.stderr.buffer.write(msg.replace("\r\n", "\n").encode("latin-1") + b"\n")
        sys.exit(1)
    header, rows = freq(h, from_text, to_text, show_all)
    out = "".join("\t".join(cells) + "\n" for cells in [header] + rows)
    sys.stdout.buffer.write(out.encode("latin-1"))


def main():
    if len(sys.argv) >= 2 and sys.argv[1] == "freq":
        freq_main(sys.argv[2:])
        return
    if len(sys.argv) != 4 or sys.argv[1] != "predict":
        sys.exit(2)
    method, path = sys.argv[2], sys.argv[3]
    h, msg = load(path, "latest16" if method == "regress" else "long")
    if msg is None and h["rows"] < 16:
        msg = TOO_FEW
    if msg:
        sys.stderr.buffer.write(msg.replace("\r\n", "\n").encode("latin-1") + b"\n")
        sys.exit(1)
    name = getlottoname(name_of(path))
    body = regress(h) if method == "regress" else fuzzy(h)
    text = "   The '" + name + "' Lottery \r\n" + body
    sys.stdout.buffer.write(text.replace("\r\n", "\n").encode("latin-1", "replace") + b"\n")


if __name__ == "__main__":
    main()
