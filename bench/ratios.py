#!/usr/bin/env python3
"""Runs the benchmark binary with repetitions and prints each of our measurements as a ratio
to its peer, from the medians of one run. Exits with 1 when a target is missed.

Usage: ratios.py BINARY [--repetitions N] [extra benchmark flags...]
"""

import argparse
import json
import subprocess
import sys

# (ours, peer, target ratio or None, what is compared)
RATIOS = [
    ("PaintVarnholt", "PaintZint", 1.0, "paint / zint ZBarcode_Encode_and_Buffer"),
    ("PaintVarnholt", "PaintZXing", 0.6, "paint / ZXing-cpp MultiFormatWriter"),
    ("PaintVarnholt", "PaintFloor", None, "paint / plain loop over the dark pixels"),
    ("PaintFloor", "PaintZint", None, "  the floor itself / zint"),
    ("PaintNothingLands", "PaintZint", None, "  the paint's calls alone, nothing drawn / zint"),
    ("PaintRasterWorkOnly", "PaintZint", None, "  the paint's raster work alone / zint"),
    ("CheckModulo10", "CheckZXing", 1.0, "Modulo10::Check / ZXing GTIN::IsCheckDigitValid"),
    ("CheckEAN", "CheckZXing", 2.5, "EAN::Check / ZXing GTIN::IsCheckDigitValid"),
    ("PaintStoredValue/1000000", "CopyLongValue", 3.0, "paint of 1e6 chars / one copy of them"),
    ("PaintStoredValue/1000000", "PaintStoredValue/13", None, "paint of 1e6 chars / of 13"),
]

# Heap allocations (operator new) per call that must be none.
NO_ALLOCATIONS = ["PaintVarnholt", "PaintStoredValue/13", "CheckModulo10", "CheckEAN"]


def run(binary, repetitions, extra):
    command = [
        binary,
        f"--benchmark_repetitions={repetitions}",
        "--benchmark_enable_random_interleaving=true",
        "--benchmark_report_aggregates_only=true",
        "--benchmark_format=json",
        *extra,
    ]
    print("$", " ".join(command), flush=True)
    output = subprocess.run(command, check=True, capture_output=True, text=True).stdout
    return json.loads(output)


def medians(report):
    result = {}
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            result[entry["run_name"]] = entry
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--repetitions", type=int, default=15)
    args, extra = parser.parse_known_args()

    median = medians(run(args.binary, args.repetitions, extra))
    unit_ns = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}

    def nanoseconds(name):
        entry = median[name]
        return entry["cpu_time"] * unit_ns[entry["time_unit"]]

    print(f"\nMedians of {args.repetitions} repetitions (CPU time):")
    for name in sorted(median):
        counters = median[name]
        allocs = counters.get("allocs")
        allocs_text = f"  allocs/call {allocs:g}" if allocs is not None else ""
        print(f"  {name:<28} {nanoseconds(name):>12.1f} ns{allocs_text}")

    print(f"\n{'ours / peer':<58} {'ratio':>7} {'target':>7}  result")
    missed = 0
    for ours, peer, target, what in RATIOS:
        ratio = nanoseconds(ours) / nanoseconds(peer)
        if target is None:
            verdict, target_text = "", "-"
        else:
            verdict = "met" if ratio <= target else "MISSED"
            missed += verdict != "met"
            target_text = f"<= {target:g}"
        print(f"{what:<58} {ratio:>7.2f} {target_text:>7}  {verdict}")

    print()
    for name in NO_ALLOCATIONS:
        allocs = median[name].get("allocs", float("nan"))
        verdict = "met" if allocs == 0 else "MISSED"
        missed += verdict != "met"
        print(f"{'allocations per call, ' + name:<58} {allocs:>7g} {'0':>7}  {verdict}")
    if missed:
        print(f"\n{missed} target(s) missed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
