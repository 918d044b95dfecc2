#!/usr/bin/env python3
"""Runs the benchmark binary with repetitions and prints each of our measurements as a ratio
to its peer, from the medians of one run. With --program, also races `varnholt check` over a
million lines against python3-stdnum, measures its peak memory on a small and a large input,
and races `check --column` over a million-row catalogue against Python's csv module with
python3-stdnum, and races `check --quiet` (verdicts and counts, as stdnum gives them) and
`check --format csv` over a million lines of GS1 data against python3-stdnum's
gs1_128.validate. Exits with 1 when a target is missed.

Usage: ratios.py BINARY [--program VARNHOLT] [--repetitions N] [extra benchmark flags...]
"""

import argparse
import json
import os
import pathlib
import re
import resource
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_catalogue  # noqa: E402
import make_gs1_lines  # noqa: E402
import make_lines  # noqa: E402

# (ours, peer, target, what[, how]): "time" compares ours / peer in time, which must stay at
# or under the target; "rate" compares ours / peer in lines per second, which must reach it.
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
    ("CheckCommandCount", "CheckLinesZXing", 0.5,
     "check --quiet, 1e6 lines / ZXing IsCheckDigitValid loop", "rate"),
    ("CheckCommandCsvBesideStdnum", "StdnumEanIsValid", 100.0,
     "check --format csv, 1e6 mixed lines / stdnum ean, isbn.is_valid", "rate"),
    ("CheckCommandGs1CountBesideStdnum", "StdnumGs1128Validate", 100.0,
     "check --quiet, 1e6 GS1 lines / stdnum gs1_128.validate", "rate"),
    ("CheckCommandGs1CsvBesideStdnum", "StdnumGs1128Validate", None,
     "  the same writing every line's row, check --format csv", "rate"),
    ("CheckProcessCount", "CheckLinesZXing", None,
     "  the same as a process, start-up and all / ZXing loop", "rate"),
]

# Heap allocations (operator new) per call that must be none.
NO_ALLOCATIONS = ["PaintVarnholt", "PaintStoredValue/13", "CheckModulo10", "CheckEAN"]

# python3-stdnum is a Debian package of the system's Python; GNU time measures peak memory.
DEBIAN_PYTHON = "/usr/bin/python3"
GNU_TIME = "/usr/bin/time"
CHECK_LINES = 1_000_000
# check --column on a catalogue of this many six-column rows, as CheckCommandCatalogue runs it,
# at least this many times as fast
# as Python's csv.DictReader with stdnum's ean.is_valid.
CATALOGUE_ROWS = 1_000_000
CATALOGUE_TARGET = 50.0
# Peak memory on the large input at most this many times that on the small one.
MEMORY_TARGET = 2.0
SMALL_INPUT = 1 << 20
LARGE_INPUT = 1 << 30


def run(binary, repetitions, extra, env, quiet=False):
    command = [
        binary,
        f"--benchmark_repetitions={repetitions}",
        "--benchmark_enable_random_interleaving=true",
        "--benchmark_report_aggregates_only=true",
        "--benchmark_format=json",
        *extra,
    ]
    if not quiet:
        print("$", " ".join(command), flush=True)
    output = subprocess.run(command, check=True, capture_output=True, text=True,
                            env=env).stdout
    return json.loads(output)


def medians(report):
    result = {}
    for entry in report["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            result[entry["run_name"]] = entry
    return result


def stdnum_pass(lines_file, peer_script="stdnum_peer.py"):
    """CPU seconds of one pass of a stdnum peer (stdnum_peer.py: ean.is_valid, gs1_peer.py:
    gs1_128.validate) over every line, and how many it found valid."""
    command = [DEBIAN_PYTHON, str(pathlib.Path(__file__).with_name(peer_script)),
               str(lines_file), "--repetitions", "1"]
    result = json.loads(subprocess.run(command, check=True, capture_output=True,
                                       text=True).stdout)
    return result["seconds"], result["valid"]


def race_stdnum(binary, env, lines_file, rounds, benchmarks=("CheckCommandCsv",),
                peer_script="stdnum_peer.py"):
    """Check benchmarks and a stdnum peer's pass over their lines, measured in turns so that
    each round meets the same load on a shared machine: for each benchmark, the median of the
    rounds' ratios of rate and its median CPU seconds; the peer's median CPU seconds and its
    count of valid lines."""
    print(f"$ {DEBIAN_PYTHON} bench/{peer_script} and {binary} "
          f"--benchmark_filter=^({'|'.join(benchmarks)})$, {rounds} times in turn", flush=True)
    peer, ours, valid = [], {name: [] for name in benchmarks}, None
    for _ in range(rounds):
        seconds, valid = stdnum_pass(lines_file, peer_script)
        peer.append(seconds)
        report = run(binary, 3, [f"--benchmark_filter=^({'|'.join(benchmarks)})$"], env,
                     quiet=True)
        for name in benchmarks:
            entry = medians(report)[name]
            ours[name].append(entry["cpu_time"] * {"ms": 1e-3, "us": 1e-6, "ns": 1e-9,
                                                   "s": 1.0}[entry["time_unit"]])
    raced = {}
    for name in benchmarks:
        ratios = sorted(p / o for p, o in zip(peer, ours[name]))
        print(f"  {name}: rate ratio of each round:", " ".join(f"{r:.1f}" for r in ratios))
        raced[name] = (statistics.median(ratios), statistics.median(ours[name]))
    return raced, statistics.median(peer), valid


def race_catalogue(binary, env, program, path, rounds):
    """CheckCommandCatalogue (`check --column ean --format csv`, run inside the benchmark
    binary as CheckCommandCsv is) and bench/csv_peer.py's DictReader with stdnum, in turns: the
    median ratio of the pairs' rates, and both counts of valid numbers."""
    print(f"$ {DEBIAN_PYTHON} bench/csv_peer.py and {binary} "
          f"--benchmark_filter=^CheckCommandCatalogue$, {rounds} times in turn", flush=True)
    peer_script = str(pathlib.Path(__file__).with_name("csv_peer.py"))
    ratios, peer_valid = [], None
    for _ in range(rounds):
        peer = json.loads(subprocess.run(
            [DEBIAN_PYTHON, peer_script, str(path), "--repetitions", "1"], check=True,
            capture_output=True, text=True).stdout)["DictReaderStdnum"]
        peer_valid = peer["valid"]
        report = run(binary, 3, ["--benchmark_filter=^CheckCommandCatalogue$"], env, quiet=True)
        entry = medians(report)["CheckCommandCatalogue"]
        ours = entry["cpu_time"] * {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[
            entry["time_unit"]]
        ratios.append(peer["seconds"] / ours)
    print("  rate ratio of each pair:", " ".join(f"{ratio:.1f}" for ratio in sorted(ratios)))
    _, summary = run_program([program, "check", "--column", "ean", "-q", str(path)])
    return statistics.median(ratios), valid_count(summary), peer_valid


def run_program(command):
    """Runs a command to its end with its output thrown away; its peak resident memory in
    KiB, as GNU time reports it, and its standard error. A child of this script would count
    the script's own memory, which its fork copies, as part of its peak."""
    with tempfile.NamedTemporaryFile("r") as report:
        result = subprocess.run([GNU_TIME, "--format=%M", "--output", report.name, *command],
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        peak = int(report.read().split()[-1])
    return peak, result.stderr.decode(errors="replace")


def process_seconds(command, runs):
    """Median CPU time of a command run as a process, start-up and all."""
    seconds = []
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        seconds.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
    return statistics.median(seconds)


def valid_count(summary):
    match = re.search(r"(\d+) valid", summary)
    return int(match.group(1)) if match else None


def write_repeated(source, path, size):
    """Writes whole copies of `source`'s lines to `path` until it holds at least `size`
    bytes, cutting the last copy at a line end."""
    text = pathlib.Path(source).read_bytes()
    written = 0
    with open(path, "wb") as out:
        while written < size:
            piece = text[:size - written]
            if len(piece) < len(text):
                piece = piece[:piece.rfind(b"\n") + 1] or text[:text.find(b"\n") + 1]
            out.write(piece)
            written += len(piece)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--program", help="the varnholt program, for the check command")
    parser.add_argument("--repetitions", type=int, default=15)
    args, extra = parser.parse_known_args()

    with tempfile.TemporaryDirectory(prefix="varnholt-bench-") as scratch:
        # GTIN-13s for the race with ZXing-cpp's check, the whole family for stdnum's.
        lines_file = pathlib.Path(scratch) / "lines.txt"
        make_lines.write_lines(lines_file, CHECK_LINES)
        mixed_file = pathlib.Path(scratch) / "mixed.txt"
        make_lines.write_lines(mixed_file, CHECK_LINES, mixed=True)
        catalogue = pathlib.Path(scratch) / "catalogue.csv"
        make_catalogue.write_catalogue(catalogue, CATALOGUE_ROWS)
        # GS1 data in its three syntaxes, and the same data bracketed for stdnum's count.
        gs1_file = pathlib.Path(scratch) / "gs1.txt"
        gs1_bracketed = pathlib.Path(scratch) / "gs1-bracketed.txt"
        make_gs1_lines.write_lines(gs1_file, CHECK_LINES, bracketed=gs1_bracketed)
        env = dict(os.environ, VARNHOLT_CHECK_LINES=str(lines_file),
                   VARNHOLT_CHECK_CSV_LINES=str(mixed_file),
                   VARNHOLT_CHECK_CATALOGUE=str(catalogue),
                   VARNHOLT_CHECK_GS1_LINES=str(gs1_file))
        median = medians(run(args.binary, args.repetitions, extra, env))
        unit_ns = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}

        missed = 0
        extra_rows = []
        # Ratios raced in turns with a peer, which stand in for those of the medians.
        raced_ratios = {}
        if args.program:
            raced, peer, stdnum_valid = race_stdnum(
                args.binary, env, mixed_file, max(5, args.repetitions // 3))
            raced_ratios["CheckCommandCsvBesideStdnum"], ours = raced["CheckCommandCsv"]
            median["StdnumEanIsValid"] = {"cpu_time": peer, "time_unit": "s"}
            median["CheckCommandCsvBesideStdnum"] = {"cpu_time": ours, "time_unit": "s"}
            quiet = [args.program, "check", "--quiet", str(lines_file)]
            median["CheckProcessCount"] = {
                "cpu_time": process_seconds(quiet, max(3, args.repetitions // 3)),
                "time_unit": "s"}
            _, summary = run_program([args.program, "check", "--quiet", str(mixed_file)])
            ours_valid = valid_count(summary)
            agree = ours_valid == stdnum_valid
            missed += not agree
            extra_rows.append((f"valid numbers, varnholt {ours_valid} / stdnum {stdnum_valid}",
                               "", "", "agree" if agree else "DIFFER"))

            raced, peer, _ = race_stdnum(
                args.binary, env, gs1_file, max(3, args.repetitions // 5),
                ("CheckCommandGs1Count", "CheckCommandGs1Csv"), "gs1_peer.py")
            median["StdnumGs1128Validate"] = {"cpu_time": peer, "time_unit": "s"}
            for name, (ratio, ours) in raced.items():
                median[name + "BesideStdnum"] = {"cpu_time": ours, "time_unit": "s"}
                raced_ratios[name + "BesideStdnum"] = ratio
            # stdnum reads bracketed text only: the valid lines are counted on each line's
            # data bracketed, where both have an opinion.
            _, peer_valid = stdnum_pass(gs1_bracketed, "gs1_peer.py")
            _, summary = run_program([args.program, "check", "--quiet", str(gs1_file)])
            ours_valid = valid_count(summary)
            _, summary = run_program([args.program, "check", "--quiet", str(gs1_bracketed)])
            agree = ours_valid == peer_valid == valid_count(summary)
            missed += not agree
            extra_rows.append((f"valid GS1 lines, varnholt {ours_valid} / stdnum {peer_valid}",
                               "", "", "agree" if agree else "DIFFER"))

            small = pathlib.Path(scratch) / "small.txt"
            large = pathlib.Path(scratch) / "large.txt"
            write_repeated(lines_file, small, SMALL_INPUT)
            write_repeated(lines_file, large, LARGE_INPUT)
            peaks = {}
            for name, path in (("1 MiB", small), ("1 GiB", large)):
                command = [args.program, "check", "--format", "csv", str(path)]
                print("$", " ".join(command), ">/dev/null", flush=True)
                peaks[name], _ = run_program(command)
            large.unlink()

            catalogue_ratio, ours_valid, peer_valid = race_catalogue(
                args.binary, env, args.program, catalogue, max(3, args.repetitions // 5))
            met = catalogue_ratio >= CATALOGUE_TARGET
            missed += not met
            extra_rows.append(("check --column ean -f csv, 1e6 rows / DictReader + stdnum",
                               f"{catalogue_ratio:.2f}", f">= {CATALOGUE_TARGET:g}",
                               "met" if met else "MISSED"))
            agree = ours_valid == peer_valid
            missed += not agree
            extra_rows.append((f"valid catalogue numbers, varnholt {ours_valid} / stdnum "
                               f"{peer_valid}", "", "", "agree" if agree else "DIFFER"))

    def nanoseconds(name):
        entry = median[name]
        return entry["cpu_time"] * unit_ns[entry["time_unit"]]

    print(f"\nMedians of {args.repetitions} repetitions (CPU time):")
    for name in sorted(median):
        counters = median[name]
        allocs = counters.get("allocs")
        allocs_text = f"  allocs/call {allocs:g}" if allocs is not None else ""
        print(f"  {name:<28} {nanoseconds(name):>14.1f} ns{allocs_text}")

    print(f"\n{'ours / peer':<58} {'ratio':>7} {'target':>8}  result")
    for ours, peer, target, what, *how in RATIOS:
        if ours not in median or peer not in median:
            continue
        rate = how == ["rate"]
        ratio = nanoseconds(ours) / nanoseconds(peer)
        if rate:
            ratio = 1 / ratio
        ratio = raced_ratios.get(ours, ratio)
        if target is None:
            verdict, target_text = "", "-"
        else:
            met = ratio >= target if rate else ratio <= target
            verdict = "met" if met else "MISSED"
            missed += not met
            target_text = f"{'>=' if rate else '<='} {target:g}"
        print(f"{what:<58} {ratio:>7.2f} {target_text:>8}  {verdict}")

    if args.program:
        ratio = peaks["1 GiB"] / peaks["1 MiB"]
        met = ratio <= MEMORY_TARGET
        missed += not met
        what = f"peak memory, check 1 GiB / 1 MiB ({peaks['1 GiB']} / {peaks['1 MiB']} KiB)"
        print(f"{what:<58} {ratio:>7.2f} {'<= ' + format(MEMORY_TARGET, 'g'):>8}  "
              f"{'met' if met else 'MISSED'}")
        for what, ratio_text, target_text, verdict in extra_rows:
            print(f"{what:<58} {ratio_text:>7} {target_text:>8}  {verdict}")

    print()
    for name in NO_ALLOCATIONS:
        if name not in median:
            continue
        allocs = median[name].get("allocs", float("nan"))
        verdict = "met" if allocs == 0 else "MISSED"
        missed += verdict != "met"
        print(f"{'allocations per call, ' + name:<58} {allocs:>7g} {'0':>8}  {verdict}")
    if missed:
        print(f"\n{missed} target(s) missed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
