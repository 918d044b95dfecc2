#!/usr/bin/env python3
"""Races `varnholt render --batch` against `zint --batch` over the same 10,000 valid
EAN-13 numbers, as SVG and as PNG, each run into a fresh folder under the same temporary
parent, the two taking turns. Prints the median of the pairs' ratios of files per second
(wall clock, as a user waits for it) and of CPU time a file (user and system, which counts
the work on every processor), and exits with 1 when one is under its format's target.
Beside them, the ceiling: the wall-clock ratio for a writer that draws nothing and only
creates the files, which is as fast as any writer can be on this file system.

zint draws 4 pixels a module with --scale=2, as we do at 300 dpi (a 0.33 mm module snaps to
4 dots), and takes the bar height in modules: GS1's 22.85 mm over 0.33 mm is 69.24.

Usage: render_batch.py VARNHOLT [--numbers N] [--rounds R] [--zint ZINT] [--formats svg,png]
"""

import argparse
import os
import pathlib
import random
import resource
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_lines  # noqa: E402

# Per format, the least ratios to zint: files per second by wall clock, and zint's CPU time
# a file over ours. SVG creating files alone comes near zint's rate; a PNG leaves room for
# drawing less than a general rasteriser does.
TARGETS = {"svg": (1.0, 1.0), "png": (3.0, 2.0)}
ZINT_OPTIONS = ["-b", "EANX", "--batch", "--mirror", "--scale=2", "--height=69.24"]


def write_numbers(path, count, seed=7):
    generator = random.Random(seed)
    with open(path, "w", encoding="ascii") as out:
        for _ in range(count):
            body = "".join(generator.choice("0123456789") for _ in range(12))
            out.write(f"{body}{make_lines.check_digit(body)}\n")


def measured(command, folder, expected):
    """Wall seconds and CPU seconds (user and system, all its threads) of a command run in a
    fresh `folder`; fails when it did not write `expected` files."""
    folder.mkdir()
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, cwd=folder, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    seconds = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    written = sum(1 for _ in folder.iterdir())
    if written != expected:
        sys.exit(f"{command[0]} wrote {written} files of {expected} in {folder}")
    return seconds, cpu


def timed(command, folder, expected):
    """Wall seconds of a command run in a fresh `folder`, as `measured`."""
    return measured(command, folder, expected)[0]


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
                peer.append(measured(zint_command, scratch / f"zint-{extension}-{round_}",
                                     args.numbers))
                folder = scratch / f"ours-{extension}-{round_}"
                ours.append(measured(ours_command, folder, args.numbers))
                floor.append(floor_seconds(folder / names[0],
                                           scratch / f"floor-{extension}-{round_}", names))
            wall = statistics.median(p[0] / o[0] for p, o in zip(peer, ours))
            cpu = statistics.median(p[1] / o[1] for p, o in zip(peer, ours))
            ceiling = statistics.median(p[0] / f for p, f in zip(peer, floor))
            wall_target, cpu_target = TARGETS.get(extension, (1.0, 1.0))
            met = wall >= wall_target and cpu >= cpu_target
            missed += not met
            per_file_ms = 1000 / args.numbers
            rows.append((extension.upper(),
                         args.numbers / statistics.median(o[0] for o in ours),
                         args.numbers / statistics.median(p[0] for p in peer), wall,
                         statistics.median(o[1] for o in ours) * per_file_ms,
                         statistics.median(p[1] for p in peer) * per_file_ms, cpu, ceiling,
                         f">= {wall_target:g} / {cpu_target:g}", "met" if met else "MISSED"))

    print(f"\n{'render --batch':<15} {'ours files/s':>12} {'zint files/s':>12} {'wall':>6} "
          f"{'ours ms CPU':>11} {'zint ms CPU':>11} {'CPU':>6} {'ceiling':>8} "
          f"{'target':>11}  result")
    for row in rows:
        name, ours_rate, peer_rate, wall, ours_cpu, peer_cpu, cpu, ceiling, target, verdict = row
        print(f"{name:<15} {ours_rate:>12.0f} {peer_rate:>12.0f} {wall:>6.2f} "
              f"{ours_cpu:>11.3f} {peer_cpu:>11.3f} {cpu:>6.2f} {ceiling:>8.2f} "
              f"{target:>11}  {verdict}")
    print("wall: zint's time over ours; CPU: zint's CPU time a file (user + system) over ours;\n"
          "ceiling: the wall ratio of a writer that only creates the files, drawing nothing;\n"
          "target: the least wall / CPU ratios; each ratio is the median of the rounds'")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
