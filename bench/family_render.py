#!/usr/bin/env python3
"""Times `varnholt render --batch` of the same number of UPC-A, UPC-E and EAN-13 numbers with
a five-digit add-on against plain EAN-13 numbers, as SVG and as PNG at 300 dpi, each run into
a fresh folder, the members taking turns. Prints each member's median wall time as a ratio to
EAN-13's and exits with 1 when one is over the target.

Usage: family_render.py VARNHOLT [--numbers N] [--rounds R] [--formats svg,png]
"""

import argparse
import pathlib
import random
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_lines  # noqa: E402
from render_batch import timed  # noqa: E402

TARGET = 1.5


def digits(generator, count):
    return "".join(generator.choice("0123456789") for _ in range(count))


def ean13(generator):
    body = digits(generator, 12)
    return f"{body}{make_lines.check_digit(body)}"


def upc_a(generator):
    body = digits(generator, 11)
    return f"{body}{make_lines.check_digit(body)}"


def upc_e(generator):
    # Six digits: number system 0, and the GTIN-12's check digit added.
    return digits(generator, 6)


def ean13_ean5(generator):
    return f"{ean13(generator)}+{digits(generator, 5)}"


# Each member: the maker of its numbers and the options that draw them.
MEMBERS = {
    "EAN-13": (ean13, []),
    "UPC-A": (upc_a, ["--symbology", "upca"]),
    "UPC-E": (upc_e, ["--symbology", "upce"]),
    "EAN-13+5": (ean13_ean5, []),
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--numbers", type=int, default=2_000)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--formats", default="svg,png")
    args = parser.parse_args()
    program = str(pathlib.Path(args.program).resolve())

    missed = 0
    rows = []
    with tempfile.TemporaryDirectory(prefix="varnholt-family-bench-") as scratch:
        scratch = pathlib.Path(scratch)
        lists = {}
        for index, (member, (make, _)) in enumerate(MEMBERS.items()):
            generator = random.Random(7 + index)
            lists[member] = scratch / f"numbers-{index}.txt"
            lists[member].write_text("".join(make(generator) + "\n" for _ in range(args.numbers)))
        for extension in args.formats.split(","):
            seconds = {member: [] for member in MEMBERS}
            for round_ in range(args.rounds):
                for index, (member, (_, options)) in enumerate(MEMBERS.items()):
                    command = [program, "render", "--batch", str(lists[member]), *options, "-o",
                               "{line}." + extension, "--dpi", "300", "--quiet"]
                    folder = scratch / f"{extension}-{round_}-{index}"
                    seconds[member].append(timed(command, folder, args.numbers))
            base = statistics.median(seconds["EAN-13"])
            for member in MEMBERS:
                median = statistics.median(seconds[member])
                ratio = median / base
                met = member == "EAN-13" or ratio <= TARGET
                missed += not met
                rows.append((f"{member} {extension.upper()}", args.numbers / median, ratio,
                             "" if member == "EAN-13" else ("met" if met else "MISSED")))

    print(f"\n{'render --batch':<18} {'files/s':>9} {'x EAN-13':>9} {'target':>8}  result")
    for name, rate, ratio, verdict in rows:
        target = f"<= {TARGET:g}" if verdict else ""
        print(f"{name:<18} {rate:>9.0f} {ratio:>9.2f} {target:>8}  {verdict}")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
