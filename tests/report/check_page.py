#!/usr/bin/env python3
"""Headless Chromium renders the report page: on screen, at twice the density, and in print.

check_page.py CLI WORK_DIR HISTORY...

For each history the page is written with `corvane-cli report --html`, Chromium takes a
screenshot of its top at 1000 px and at device scale 2 (the picture must be twice as large and hold
text, the bars' colour and a white background), and prints it to PDF (several pages). Chromium runs offline
with a fresh profile; the page needs nothing else. Exits 77 (skipped) when Chromium is missing.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars"]


def find_chromium():
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    return None


def chromium(binary, page, *args):
    with tempfile.TemporaryDirectory(prefix="corvane-chromium-") as profile:
        done = subprocess.run([binary, *FLAGS, f"--user-data-dir={profile}", *args,
                               "file://" + os.path.abspath(page)],
                              capture_output=True, timeout=300)
    if done.returncode != 0:
        raise RuntimeError(f"chromium exit {done.returncode}: {done.stderr.decode()[-2000:]}")


def read_png(path):
    """(width, height, rows of RGB(A) bytes) of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour = header[:4]
    if depth != 8 or colour not in (2, 6):
        raise ValueError(f"PNG of depth {depth}, colour type {colour}")
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, step, rows


def check_picture(path, width, height):
    """The screenshot's size, a white page, dark text and the bars' blue."""
    w, h, step, rows = read_png(path)
    problems = []
    if (w, h) != (width, height):
        problems.append(f"{path}: {w} x {h}, not {width} x {height}")
    pixels = {}
    for row in rows[::4]:
        for x in range(0, w * step, step * 4):
            pixel = tuple(row[x:x + 3])
            pixels[pixel] = pixels.get(pixel, 0) + 1
    total = sum(pixels.values())
    white = pixels.get((255, 255, 255), 0) / total
    dark = sum(n for p, n in pixels.items() if max(p) < 90) / total
    blue = sum(n for p, n in pixels.items()
               if abs(p[0] - 0x4a) < 40 and abs(p[1] - 0x78) < 40 and p[2] > 140) / total
    if not 0.4 < white < 0.99:
        problems.append(f"{path}: {white:.0%} white, not a page")
    if dark < 0.002:
        problems.append(f"{path}: no text")
    if blue < 0.002:
        problems.append(f"{path}: no chart bars")
    return problems


def main():
    binary = find_chromium()
    if binary is None:
        print("SKIPPED: Chromium is not installed (Debian's chromium package; "
              "scripts/install-deps.sh installs it)")
        sys.exit(77)
    cli, work, histories = sys.argv[1], sys.argv[2], sys.argv[3:]
    os.makedirs(work, exist_ok=True)
    problems = []
    for history in histories:
        name = os.path.splitext(os.path.basename(history))[0]
        page = os.path.join(work, name + ".html")
        subprocess.run([cli, "report", history, "--html", page], check=True, capture_output=True)
        # The top of the page at 1000 x 1400, and at twice the density 1000 x 700 as 2000 x 1400.
        for scale, height in ((1, 1400), (2, 700)):
            picture = os.path.join(work, f"{name}@{scale}.png")
            chromium(binary, page, f"--screenshot={picture}", f"--window-size=1000,{height}",
                     f"--force-device-scale-factor={scale}")
            problems += check_picture(picture, 1000 * scale, height * scale)
        pdf = os.path.join(work, name + ".pdf")
        chromium(binary, page, f"--print-to-pdf={pdf}", "--no-pdf-header-footer")
        with open(pdf, "rb") as f:
            document = f.read()
        pages = [int(n) for n in re.findall(rb"/Count (\d+)", document)]
        if not document.startswith(b"%PDF-") or not pages or max(pages) < 2:
            problems.append(f"{pdf}: not a printed document of several pages")
        print(f"rendered {name}")
    for problem in problems:
        print("FAIL", problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
