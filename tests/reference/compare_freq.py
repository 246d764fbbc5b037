#!/usr/bin/env python3
"""compare_freq.py CLI PAIRS SEED FILE|DIR...: runs `CLI freq FILE FROM TO [--all]` for PAIRS
date pairs per file (dates of the file's own draws and their neighbours, before the first and
after the last draw, and odd picker texts, which are refused), with and without --all, against
the reference model, and reports every difference of output or exit status."""
import os
import random
import subprocess
import sys

import reference

ODD = ["1-1-1", "99-12-31", "02-13-45", "abc", "", "0", "02", "02-", "02-1", "02-1-", "-1-1",
       "02--5", "02-1-5-7", "1e-1-1", "9e9-1-1", "02-01-05", "2002-1-5", " 2-1-5", "02-1-5x",
       "xx-1-5", "02-+1-5", "02-1-1e9", "00-0-0", "02-12-25", "--all", "02-1-5 ", "é-1-1",
       "02-\t1-5", "99-99-99", "02-1-05"]


def picker_text(key, rng):
    """A picker text for a key yyyymmdd, in one of the forms yy-M-d and yy-MM-dd."""
    k = int(key)
    yy, mm, dd = (k // 10000) % 100, (k // 100) % 100, k % 100
    if rng.random() < 0.5:
        return "%02d-%d-%d" % (yy, mm, dd)
    return "%02d-%02d-%02d" % (yy, mm, dd)


def texts_for(path, rng):
    h, msg = reference.load(path, "long")
    texts = list(ODD)
    if msg is None:
        keys = [h["table"][r][0] for r in range(h["rows"])]
        whole = [k for k in keys if k == int(k) and 0 <= k < 1e9] if keys else []
        for k in rng.sample(whole, min(len(whole), 12)):
            texts.append(picker_text(k, rng))
            texts.append(picker_text(k + 1, rng))
            texts.append(picker_text(k - 1, rng))
        if whole:
            texts.append(picker_text(min(whole) - 1, rng))
            texts.append(picker_text(max(whole) + 1, rng))
    texts += ["%02d-%d-%d" % (rng.randint(0, 99), rng.randint(0, 13), rng.randint(0, 32))
              for _ in range(10)]
    return texts


def expected(path, from_text, to_text, show_all):
    args = [path, from_text, to_text] + (["--all"] if show_all else [])
    r = subprocess.run([sys.executable, reference.__file__, "freq"] + args, capture_output=True)
    return r.stdout, r.stderr, r.returncode


def main():
    cli, pairs, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    rng = random.Random(seed)
    files = []
    for arg in sys.argv[4:]:
        if os.path.isdir(arg):
            files += sorted(os.path.join(arg, f) for f in os.listdir(arg) if f.endswith(".txt"))
        else:
            files.append(arg)
    runs = differ = 0
    for path in files:
        texts = texts_for(path, rng)
        for _ in range(pairs):
            a, b = rng.choice(texts), rng.choice(texts)
            for show_all in (False, True):
                runs += 1
                args = [path, a, b] + (["--all"] if show_all else [])
                got = subprocess.run([cli, "freq"] + args, capture_output=True)
                want = expected(path, a, b, show_all)
                # A refused date: the exit status and nothing on standard output; the message
                # is the command line's own.
                if want[2] == 2:
                    same = got.returncode == 2 and not got.stdout
                else:
                    same = (got.stdout, got.stderr, got.returncode) == want
                if not same:
                    differ += 1
                    print("differs: %r" % (args,))
                    print("  cli: %d %r %r" % (got.returncode, got.stdout[:200], got.stderr[:200]))
                    print("  ref: %d %r %r" % (want[2], want[0][:200], want[1][:200]))
    print("%d runs, %d differ" % (runs, differ))
    sys.exit(1 if differ else 0)


if __name__ == "__main__":
    main()
