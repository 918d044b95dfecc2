#!/usr/bin/env python3
"""Races `varnholt render --batch` against `zint --batch` over the same 10,000 valid
EAN-13 numbers, as SVG and as PNG, each run into a fresh folder under the same temporary
parent, the two taking turns. Prints the median of the pairs' ratios of files per second
(wall clock, as a user waits for it) and exits with 1 when one is under the target. Beside
it, the ceiling: the same ratio for a writer that draws nothing and only creates the files,
which is as fast as any writer can be on this file system.

zint draws 4 pixels a module with --scale=2, as we do at 300 dpi (a 0.33 mm module snaps to
4 dots), and takes the bar height in modules: GS1's 22.85 mm over 0.33 mm is 69.24.

Usage: render_batch.py VARNHOLT [--numbers N] [--rounds R] [--zint ZINT] [--formats svg,png]
"""

import argparse
import os
import pathlib
import random
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_lines  # noqa: E402

TARGET = 3.0
ZINT_OPTIONS = ["-b", "EANX", "--batch", "--mirror", "--scale=2", "--height=69.24"]


def write_numbers(path, count, seed=7):
    generator = random.Random(seed)
    with open(path, "w", encoding="ascii") as out:
        for _ in range(count):
            body = "".join(generator.choice("0123456789") for _ in range(12))
            out.write(f"{body}{make_lines.check_digit(body)}\n")


def timed(command, folder, expected):
    """Wall seconds of a command run in a fresh `folder`; fails when it did not write
    `expected` files."""
    folder.mkdir()
    start = time.perf_counter()
    subprocess.run(command, cwd=folder, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    written = sum(1 for _ in folder.iterdir())
    if written != expected:
        sys.exit(f"{command[0]} wrote {written} files of {expected} in {folder}")
    return seconds


def floor_seconds(sample, folder, names):
    """Wall seconds of the least any writer does: the same bytes into a new file for each
    name, opened, written and closed, with nothing drawn and no temporary file."""
    data = sample.read_bytes()
    folder.mkdir()
    start = time.perf_counter()
    for name in names:
        fd = os.open(folder / name, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o666)
        os.write(fd, data)
        os.close(fd)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--numbers", type=int, default=10_000)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--zint", default="zint")
    parser.add_argument("--formats", default="svg,png")
    args = parser.parse_args()
    program = str(pathlib.Path(args.program).resolve())

    missed = 0
    rows = []
    with tempfile.TemporaryDirectory(prefix="varnholt-render-bench-") as scratch:
        scratch = pathlib.Path(scratch)
        numbers = scratch / "numbers.txt"
        write_numbers(numbers, args.numbers)
        for extension in args.formats.split(","):
            ours_command = [program, "render", "--batch", str(numbers), "-o",
                            "{number}." + extension, "--dpi", "300", "--quiet"]
            zint_command = [args.zint, *ZINT_OPTIONS, f"--filetype={extension}", "-i",
                            str(numbers)]
            print("$", " ".join(ours_command), flush=True)
            print("$", " ".join(zint_command), flush=True)
            names = [f"{n}.{extension}" for n in numbers.read_text().split()]
            ours, peer, floor = [], [], []
            for round_ in range(args.rounds):
                peer.append(timed(zint_command, scratch / f"zint-{extension}-{round_}",
                                  args.numbers))
                folder = scratch / f"ours-{extension}-{round_}"
                ours.append(timed(ours_command, folder, args.numbers))
                floor.append(floor_seconds(folder / names[0],
                                           scratch / f"floor-{extension}-{round_}", names))
            ratio = statistics.median(p / o for p, o in zip(peer, ours))
            ceiling = statistics.median(p / f for p, f in zip(peer, floor))
            met = ratio >= TARGET
            missed += not met
            rows.append((extension.upper(), args.numbers / statistics.median(ours),
                         args.numbers / statistics.median(peer), ratio, ceiling,
                         "met" if met else "MISSED"))

    print(f"\n{'render --batch':<16} {'ours files/s':>13} {'zint files/s':>13} "
          f"{'ratio':>7} {'ceiling':>8} {'target':>8}  result")
    for name, ours_rate, peer_rate, ratio, ceiling, verdict in rows:
        print(f"{name:<16} {ours_rate:>13.0f} {peer_rate:>13.0f} {ratio:>7.2f} "
              f"{ceiling:>8.2f} {'>= ' + format(TARGET, 'g'):>8}  {verdict}")
    print("ceiling: the ratio of a writer that only creates the files, drawing nothing")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
