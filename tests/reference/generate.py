#!/usr/bin/env python3
"""Writes adversarial data files for differential checks: generate.py OUTDIR COUNT SEED"""
import os
import random
import sys

TOKENS = [b"07", b"12abc", b"1.5", b"1e5", b"0x1A", b"1e400", b"1e-400", b"-4", b"#", b"# note",
          b"49", b"50", b"0", b"12.9", b"999999999999", b"3\t4", b"5,6", b"1e-310", b"2147483648",
          b"2147483647.9", b"1.", b"9e9", b"00000000000000000000001"]


def line(rng, ncols):
    kind = rng.random()
    if kind < 0.05:
        return rng.choice([b"", b"   ", b"# comment", b"\tindented 1 2", b"title line", b"\x00\x01\xff"])
    key = str(rng.choice([20020105, 19991231, 1, 20300101, rng.randint(19800000, 20301231)])).encode()
    parts = [key]
    n = ncols if rng.random() < 0.8 else rng.randint(0, 60)
    for _ in range(n):
        r = rng.random()
        if r < 0.85:
            parts.append(str(rng.randint(0, 49)).encode())
        elif r < 0.95:
            parts.append(rng.choice(TOKENS))
        else:
            parts.append(str(rng.uniform(0, 1e9)).encode())
    sep = b" " if rng.random() < 0.9 else b"  "
    text = sep.join(parts)
    if rng.random() < 0.1:
        text = b"  " + text
    if rng.random() < 0.1:
        text += b"   "
    if rng.random() < 0.02:
        text += b"\x00junk"
    return text


def main():
    out, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    os.makedirs(out, exist_ok=True)
    for i in range(count):
        ncols = rng.choice([1, 2, 3, 5, 6, 7, 20, 29, 30, 49])
        nlines = rng.choice([10, 15, 16, 17, 18, 40, 200, 499, 500, 501, 600])
        mode = rng.random()
        if mode < 0.3:
            # structured: small alphabet so patterns repeat
            rows = []
            for _ in range(nlines):
                rows.append(b" ".join([b"%d" % (20000000 + len(rows))] +
                                      [b"%d" % rng.randint(1, 4) for _ in range(ncols)]))
        elif mode < 0.4:
            # near-constant and ill-conditioned columns
            rows = [b" ".join([b"%d" % (20020101 + k)] + [b"%d" % (7 if c == 0 else 1000000000 + rng.randint(0, 3))
                                                          for c in range(ncols)]) for k in range(nlines)]
        else:
            rows = [line(rng, ncols) for _ in range(nlines)]
        end = rng.choice([b"\n", b"\r\n", b"\r\r\n"])
        data = end.join(rows)
        if rng.random() < 0.7:
            data += end
        with open(os.path.join(out, "f%04d.txt" % i), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
