#!/usr/bin/env python3
"""The memory target of transition labels: the peak RSS (GNU time) of `varnholt render
--symbology ean13,datamatrix --gs1 PATTERN` putting 10,000 records of a catalogue with lot and
expiry columns on Avery L7160 sheets as one PDF, against 1,000 records. Pages go to the file
as they fill, so the peak must stay flat. Exits with 1 when the ratio is over its target.

Usage: transition_labels.py VARNHOLT
"""

import pathlib
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_lines  # noqa: E402

MEMORY_TARGET = 1.5
COUNTS = (1_000, 10_000)


def write_catalogue(path, count):
    rows = []
    for i in range(count):
        body = f"400638{i:06d}"
        rows.append(f"{body}{make_lines.check_digit(body)};L{i:06d};"
                    f"{27 + i % 3}{1 + i % 12:02d}{1 + i % 28:02d}\n")
    path.write_text("ean;lot;expiry\n" + "".join(rows), encoding="ascii")


def main():
    program = str(pathlib.Path(sys.argv[1]).resolve())
    memory = {}
    with tempfile.TemporaryDirectory(prefix="varnholt-transition-bench-") as scratch:
        scratch = pathlib.Path(scratch)
        for count in COUNTS:
            catalogue = scratch / f"catalogue-{count}.csv"
            write_catalogue(catalogue, count)
            result = subprocess.run(
                ["/usr/bin/time", "-f", "%M", program, "render", "--batch", str(catalogue),
                 "--column", "ean", "--sheet", "Avery L7160", "--symbology", "ean13,datamatrix",
                 "--gs1", "(01){gtin}(17){column:expiry}(10){column:lot}", "--quiet",
                 "-o", str(scratch / f"labels-{count}.pdf")],
                capture_output=True, text=True, check=True)
            memory[count] = int(result.stderr.strip().splitlines()[-1])
    ratio = memory[COUNTS[1]] / memory[COUNTS[0]]
    met = ratio <= MEMORY_TARGET
    print(f"transition labels, peak RSS: {COUNTS[0]:,} records {memory[COUNTS[0]]} KiB, "
          f"{COUNTS[1]:,} records {memory[COUNTS[1]]} KiB, ratio {ratio:.2f} "
          f"(target <= {MEMORY_TARGET:g}): {'met' if met else 'MISSED'}")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
