#!/usr/bin/env python3
"""Recomputes the figures of `corvane-cli report --json` independently, with scipy and numpy.

check_figures.py CLI DATA_DIR WORK_DIR [--quick]

Runs the report on a sample of the shipped histories (with --quick only on the UK Lotto) and on made-up ones (fair 6/49, Keno 20/80, a digit
game, a pool that grows, a pool that shrinks, five numbers of a 5+1 game) and recomputes every
figure from the data file by other means than the program: scipy's distributions, exact
distributions built by convolution or enumeration, longest-run chances by powers of a Markov
chain's matrix. Exits 77 (skipped) when scipy is missing.
"""
import datetime
import itertools
import json
import math
import os
import random
import subprocess
import sys

try:
    import numpy as np
    from scipy import stats
except ImportError:
    print("SKIPPED: python3-scipy is not installed (scripts/install-deps.sh installs it)")
    sys.exit(77)

failures = []


def check(name, got, want, rel=1e-9, absolute=1e-12):
    if got is None or want is None or isinstance(want, (str, bool, tuple)):
        ok = got == want
    else:
        ok = abs(got - want) <= max(absolute, rel * abs(want))
    if not ok:
        failures.append(f"{name}: report {got!r}, independent {want!r}")


def read_draws(path):
    """(key, numbers) of every data line: leading spaces skipped, tokens split at spaces, the
    line read up to the first token that does not begin with a digit."""
    draws = []
    with open(path, "rb") as f:
        for raw in f.read().split(b"\n"):
            line = raw.rstrip(b"\r").decode("latin-1").lstrip(" ")
            if not line or not line[0].isdigit():
                continue
            tokens = []
            for token in line.split(" "):
                if not token:
                    continue
                if not token[0].isdigit():
                    break
                tokens.append(int(token))
            draws.append((tokens[0], tokens[1:]))
    return draws


def date_key(text):
    return int(text.replace("-", ""))


def longest_run_chance(n, q, length):
    """P(some run of `length` misses in n trials) as the absorbing state of a Markov chain on
    the current run of misses, by matrix powers."""
    if length <= 0:
        return 1.0
    if length > n:
        return 0.0
    size = length + 1
    t = np.zeros((size, size))
    for run in range(length):
        t[run, 0] += q
        t[run, run + 1] += 1 - q
    t[length, length] = 1.0
    return float(np.linalg.matrix_power(t, n)[0, length])


def sum_distribution(low, high, k, replacement):
    """Exact distribution of the sum of a draw, as {sum: probability}."""
    values = range(low, high + 1)
    if replacement:
        dist = {0: 1.0}
        for _ in range(k):
            nxt = {}
            for s, p in dist.items():
                for v in values:
                    nxt[s + v] = nxt.get(s + v, 0.0) + p / len(values)
            dist = nxt
        return dist
    # ways[j][s]: subsets of j numbers with sum s.
    ways = [dict() for _ in range(k + 1)]
    ways[0][0] = 1
    for v in values:
        for j in range(k, 0, -1):
            for s, w in ways[j - 1].items():
                ways[j][s + v] = ways[j].get(s + v, 0) + w
    total = math.comb(len(values), k)
    return {s: w / total for s, w in ways[k].items()}


def set_distribution(low, high, k):
    """With replacement: the distribution of the set of numbers of a draw."""
    dist = {}
    m = high - low + 1
    for draw in itertools.product(range(low, high + 1), repeat=k):
        s = frozenset(draw)
        dist[s] = dist.get(s, 0.0) + 1.0 / m**k
    return dist


def recompute(path, report, name):
    K, M, low = report["numbers"], report["pool"], report["lowest"]
    high = low + M - 1
    repl = report["replacement"]
    first, last = date_key(report["from"]), date_key(report["to"])
    all_draws = read_draws(path)
    # The period: the draws from the first of its first date to its last date.
    start = next(i for i, (key, _) in enumerate(all_draws) if key == first)
    draws = [nums[:K] for key, nums in all_draws[start:] if key <= last]
    N = len(draws)
    check(f"{name} draws", report["draws"], N, 0)
    check(f"{name} highest", report["highest"], high, 0)
    check(f"{name} pool covers the draws", max(max(d) for d in draws) <= high, True)

    # Frequency.
    fr = report["frequency"]
    counts = {n: 0 for n in range(low, high + 1)}
    for d in draws:
        for n in d:
            counts[n] += 1
    for n in counts:
        check(f"{name} count {n}", fr["counts"][str(n)], counts[n], 0)
    expected = N * K / M
    chi2 = sum((c - expected) ** 2 / expected for c in counts.values())
    corrected = chi2 if repl else chi2 * (M - 1) / (M - K)
    check(f"{name} chi2", fr["chi2"], chi2)
    check(f"{name} chi2_corrected", fr["chi2_corrected"], corrected)
    check(f"{name} df", fr["df"], M - 1, 0)
    check(f"{name} p", fr["p"], stats.chi2.sf(corrected, M - 1), 1e-7)
    trials, chance = (N * K, 1 / M) if repl else (N, K / M)
    law = stats.binom(trials, chance)
    check(f"{name} sd", fr["sd"], law.std())
    for n in counts:
        check(f"{name} deviation {n}", fr["deviations"][str(n)], (counts[n] - expected) / law.std())
    tails = law.sf(fr["band_high"] - 1) + law.cdf(fr["band_low"])
    check(f"{name} beyond_expected", fr["beyond_expected"], M * tails, 1e-7)
    check(f"{name} band", (fr["band_low"], fr["band_high"]),
          (math.floor(expected - 1.96 * law.std()), math.ceil(expected + 1.96 * law.std())))

    # Gaps.
    g = report["gaps"]
    q = 1 - (1 - 1 / M) ** K if repl else K / M
    check(f"{name} draw_chance", g["draw_chance"], q)
    for n in range(low, high + 1):
        seen = [i for i, d in enumerate(draws) if n in d]
        bounds = [-1] + seen + [N]
        longest = max(b - a - 1 for a, b in zip(bounds, bounds[1:]))
        current = N - 1 - seen[-1] if seen else N
        mine = g["numbers"][str(n)]
        check(f"{name} gap {n} current", mine["current"], current, 0)
        check(f"{name} gap {n} longest", mine["longest"], longest, 0)
        check(f"{name} gap {n} current_chance", mine["current_chance"], (1 - q) ** current)
        check(f"{name} gap {n} longest_chance", mine["longest_chance"],
              longest_run_chance(N, q, longest), 1e-7)
        check(f"{name} gap {n} longest_single_chance", mine["longest_single_chance"],
              stats.geom.sf(longest, q))

    # Pairs.
    p = report["pairs"]
    together = {}
    for d in draws:
        for pair in itertools.combinations(sorted(set(d)), 2):
            together[pair] = together.get(pair, 0) + 1
    r = (1 - 2 * (1 - 1 / M) ** K + (1 - 2 / M) ** K) if repl else K * (K - 1) / (M * (M - 1))
    check(f"{name} pair chance", p["chance"], r)
    check(f"{name} pair expected", p["expected"], N * r)
    top = max(together.values())
    check(f"{name} top pair", p["top"][0]["count"], top, 0)
    check(f"{name} top pair is a top pair", together[tuple(p["top"][0]["pair"])], top, 0)
    one = stats.binom.sf(top - 1, N, r)
    check(f"{name} top pair chance", p["top"][0]["chance"], one, 1e-7)
    check(f"{name} pair bound", p["bound"], min(1.0, math.comb(M, 2) * one), 1e-7)

    # Shape: each mean against its exact law, z from the exact variance of the mean.
    s = report["shape"]

    def figure(key, values, mean, variance, pairs_covariance=0.0):
        n = len(values)
        got = s[key]
        check(f"{name} {key} mean", got["mean"], sum(values) / n)
        check(f"{name} {key} expected", got["expected"], mean)
        check(f"{name} {key} sd", got["sd"], math.sqrt(variance))
        spread = math.sqrt(n * variance + 2 * (n - 1) * pairs_covariance) / n
        z = (sum(values) / n - mean) / spread
        check(f"{name} {key} z", got["z"], z, 1e-8)
        check(f"{name} {key} p", got["p"], 2 * stats.norm.sf(abs(z)), 1e-7)

    sums = sum_distribution(low, high, K, repl)
    mean = sum(v * w for v, w in sums.items())
    figure("sums", [sum(d) for d in draws], mean, sum((v - mean) ** 2 * w for v, w in sums.items()))
    for key, part in (("odd", [v for v in range(low, high + 1) if v % 2]),
                      ("low", list(range(low, low + M // 2)))):
        law = stats.binom(K, len(part) / M) if repl else stats.hypergeom(M, len(part), K)
        values = [sum(1 for v in d if v in part) for d in draws]
        figure(key, values, law.mean(), law.var())
        if "expected_draws" in s[key]:
            for j in range(K + 1):
                check(f"{name} {key} expected draws {j}", s[key]["expected_draws"][j],
                      law.pmf(j) * N, 1e-9, 1e-9)
    repeats = [len(set(a) & set(b)) for a, b in zip(draws, draws[1:])]
    if repl:
        sets = set_distribution(low, high, K)
        shared = {}
        for a, pa in sets.items():
            for b, pb in sets.items():
                shared[len(a & b)] = shared.get(len(a & b), 0.0) + pa * pb
        mean = sum(v * w for v, w in shared.items())
        variance = sum((v - mean) ** 2 * w for v, w in shared.items())
        # Two overlapping pairs share the middle draw B: E[R1 R2] = sum_B P(B) E[|A & B|]^2.
        inner = sum(pb * sum(pa * len(a & b) for a, pa in sets.items()) ** 2
                    for b, pb in sets.items())
        figure("repeats", repeats, mean, variance, inner - mean * mean)
    else:
        law = stats.hypergeom(M, K, K)
        figure("repeats", repeats, law.mean(), law.var())

    # Methods: the walk forward's own figures hang together.
    for method in ("regress", "fuzzy"):
        m = report["methods"][method]
        if "tested" not in m:
            continue
        check(f"{name} {method} observed", sum(m["observed"]), m["tested"], 0)
        check(f"{name} {method} z", m["z"], (m["mean_hits"] - m["expected_hits"]) / m["spread"], 1e-9)
        check(f"{name} {method} p", m["p"], 2 * stats.norm.sf(abs(m["z"])), 1e-7)
        check(f"{name} {method} shown", len(m["last"]), min(20, m["tested"]), 0)

    # The count of surprising tests.
    t = report["tests"]
    check(f"{name} surprising", t["surprising"], sum(1 for v in t["p"].values() if v < 0.05), 0)


def write(path, lines):
    with open(path, "w", newline="") as f:
        for line in lines:
            f.write(line + "\r\n")


def history(rng, count, k, m, start=(1990, 1, 1), repl=False, low=1, extra=None):
    """count draws three days apart: k numbers of low.. low + m - 1, different ones unless
    repl, then one number of 1..extra from a drum of its own."""
    day = datetime.date(*start).toordinal()
    lines = []
    for i in range(count):
        date = datetime.date.fromordinal(day + 3 * i)
        nums = ([rng.randint(low, low + m - 1) for _ in range(k)] if repl
                else rng.sample(range(1, m + 1), k))
        if extra:
            nums.append(rng.randint(1, extra))
        lines.append(date.strftime("%Y%m%d") + " " + " ".join(map(str, nums)))
    return lines


def main():
    quick = "--quick" in sys.argv
    cli, data, work = [a for a in sys.argv[1:] if a != "--quick"][:3]
    os.makedirs(work, exist_ok=True)
    rng = random.Random(20240613)
    made = {
        "fair649.txt": (history(rng, 2000, 6, 49), [], None),
        "keno.txt": (history(rng, 1500, 20, 80), [], None),
        "pick3.txt": (history(rng, 3000, 3, 10, repl=True, low=0), [], None),
        "pick4.txt": (history(rng, 800, 4, 10, repl=True, low=0), [], None),
        "five.txt": (history(rng, 700, 5, 69, extra=26), ["--numbers", "5"], None),
    }
    grew = history(rng, 500, 6, 49) + history(rng, 400, 6, 59, start=(2010, 1, 1))
    first = next(i for i in range(500, 900) if max(map(int, grew[i].split()[1:])) > 49)
    made["grew.txt"] = (grew, [], grew[first].split()[0])
    shrank = history(rng, 500, 5, 75) + history(rng, 300, 5, 70, start=(2010, 1, 1))
    last = max(i for i in range(500) if max(map(int, shrank[i].split()[1:])) > 70)
    made["shrank.txt"] = (shrank, [], shrank[last + 1].split()[0])

    runs = []
    for name, (lines, options, era) in made.items():
        path = os.path.join(work, name)
        write(path, lines)
        runs.append((path, options, era))
    runs.append((os.path.join(data, "brnl.txt"), ["--numbers", "6"], "2015-10-10"))
    if not quick:
        # A sample of the shipped histories (the recomputation is slow on long ones): 6/49 with
        # a bonus, a grown pool, a separate-drum ball, a 7-number game.
        for name in ("ca649.txt", "brnl.txt", "pb545.txt", "au545.txt"):
            runs.append((os.path.join(data, name), [], None))
            runs.append((os.path.join(data, name), ["--numbers", "5"], None))
        runs.append((os.path.join(data, "ca649.txt"),
                     ["--from", "2000-01-01", "--to", "20101231"], None))

    for path, options, era in runs:
        name = os.path.basename(path) + (" " + " ".join(options) if options else "")
        done = subprocess.run([cli, "report", path, "--json"] + options, capture_output=True)
        if done.returncode != 0:
            if "--numbers" in options and b"numbers" in done.stderr:
                continue  # fewer than 5 numbers a draw
            failures.append(f"{name}: exit {done.returncode}: {done.stderr.decode()}")
            continue
        report = json.loads(done.stdout)
        if era is not None:
            check(f"{name} era", report["from"], f"{era[:4]}-{era[4:6]}-{era[6:]}" if "-" not in era else era)
        recompute(path, report, name)
        print(f"checked {name}: {report['draws']} draws, pool {report['pool']}, from {report['from']}")

    for failure in failures[:40]:
        print("FAIL", failure)
    if failures:
        print(f"{len(failures)} figures disagree")
        sys.exit(1)
    print("every figure agrees")


if __name__ == "__main__":
    main()
