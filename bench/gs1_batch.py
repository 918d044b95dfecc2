#!/usr/bin/env python3
"""Races `varnholt render --batch` on GS1 data against `zint --batch` over the same 10,000
records, each run into a fresh folder under the same temporary parent, the two taking turns:
GS1 DataMatrix as PNG, GS1-128 as SVG (element strings with a GTIN, an expiry date and a
batch) and QR codes of Digital Link URIs as PNG. Prints the medians of the rounds' ratios of
files per second (wall clock) and of CPU time a file (user and system), and exits with 1 when
one is under its target. With --bwip, bwip-js (node, from npm) draws a sample of the same
records once, and its time a file must be at least 20 times ours.

Both draw 6 pixels a module (zint --scale=3; ours at 300 dpi, where GS1's target X-dimension
snaps to 6 dots). Ours also draws the quiet zones, and the human-readable text under GS1-128;
zint draws no text under DataMatrix, so the DataMatrix race is run twice: without the text
(--no-text), which is zint's work and holds the target, and with it, as ours draws by
default, which is reported (its image is eight times larger, the text being wider than the
symbol).

Usage: gs1_batch.py VARNHOLT [--records N] [--rounds R] [--zint ZINT] [--bwip NODE_MODULES]
                             [--bwip-records N]
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
from make_lines import check_digit  # noqa: E402
from render_batch import measured  # noqa: E402

LOT = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-."

# name, our symbology and options, format, what a line holds, zint's options, bwip-js's symbol
# (None: not raced), and the least ratios to zint (wall, CPU; None for no target, and no
# targets at all for a race reported only).
DATAMATRIX_ZINT = ["-b", "DATAMATRIX", "--gs1", "--gs1parens"]
RACES = [
    ("GS1 DataMatrix", ["datamatrix", "--no-text"], "png", "element", DATAMATRIX_ZINT,
     "gs1datamatrix", (3.0, 2.0)),
    ("  with its text", ["datamatrix"], "png", "element", DATAMATRIX_ZINT, None, None),
    ("GS1-128", ["gs1-128"], "svg", "element", ["-b", "GS1_128", "--gs1parens"], "gs1-128",
     (1.0, None)),
    ("QR Digital Link", ["qr"], "png", "uri", ["-b", "QRCODE", "--secure=2"], "qrcode",
     (2.0, None)),
]
BWIP_SLOWER = 20.0


def write_records(folder, count, seed=11):
    """The same records as element strings and as Digital Link URIs, a file each."""
    generator = random.Random(seed)
    elements, uris = [], []
    for _ in range(count):
        body = "".join(generator.choice("0123456789") for _ in range(13))
        gtin = body + str(check_digit(body))
        date = (f"{generator.randrange(24, 40):02d}{generator.randrange(1, 13):02d}"
                f"{generator.randrange(1, 29):02d}")
        # At most 8: a longer batch makes the GS1-128 wider than GS1's 165 mm at 0.5 mm.
        lot = "".join(generator.choice(LOT) for _ in range(generator.randrange(1, 9)))
        elements.append(f"(01){gtin}(17){date}(10){lot}\n")
        uris.append(f"https://id.gs1.org/01/{gtin}/10/{lot}?17={date}\n")
    files = {"element": folder / "elements.txt", "uri": folder / "uris.txt"}
    files["element"].write_text("".join(elements), encoding="ascii")
    files["uri"].write_text("".join(uris), encoding="ascii")
    return files


def bwip_seconds(node_modules, symbol, extension, lines, folder):
    """Wall seconds a file of bwip-js drawing `lines` into `folder`."""
    folder.mkdir()
    script = pathlib.Path(__file__).resolve().parent / "bwip_batch.js"
    environment = dict(os.environ, NODE_PATH=str(node_modules))
    start = time.perf_counter()
    subprocess.run(["node", str(script), symbol, extension, str(lines), str(folder)],
                   check=True, env=environment)
    count = sum(1 for _ in folder.iterdir())
    return (time.perf_counter() - start) / count


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--records", type=int, default=10_000)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--zint", default="zint")
    parser.add_argument("--bwip", help="a node_modules folder that holds bwip-js")
    parser.add_argument("--bwip-records", type=int, default=1_000)
    args = parser.parse_args()
    program = str(pathlib.Path(args.program).resolve())

    missed = 0
    rows = []
    with tempfile.TemporaryDirectory(prefix="varnholt-gs1-bench-") as scratch:
        scratch = pathlib.Path(scratch)
        records = write_records(scratch, args.records)
        for name, symbology, extension, kind, zint_options, bwip_symbol, targets in RACES:
            lines = records[kind]
            ours_command = [program, "render", "--batch", str(lines), "--symbology", *symbology,
                            "-o", "{line}." + extension, "--dpi", "300", "--quiet"]
            zint_command = [args.zint, *zint_options, "--batch", "--scale=3",
                            f"--filetype={extension}", "-i", str(lines),
                            "-o", "~~~~~." + extension]
            print("$", " ".join(ours_command), flush=True)
            print("$", " ".join(zint_command), flush=True)
            ours, peer = [], []
            for round_ in range(args.rounds):
                peer.append(measured(zint_command, scratch / f"zint-{len(rows)}-{round_}",
                                     args.records))
                ours.append(measured(ours_command, scratch / f"ours-{len(rows)}-{round_}",
                                     args.records))
            wall = statistics.median(p[0] / o[0] for p, o in zip(peer, ours))
            cpu = statistics.median(p[1] / o[1] for p, o in zip(peer, ours))
            wall_target, cpu_target = targets or (0.0, None)
            met = wall >= wall_target and (cpu_target is None or cpu >= cpu_target)
            ours_file = statistics.median(o[0] for o in ours) / args.records
            bwip = None
            if args.bwip and bwip_symbol:
                sample = scratch / f"bwip-{len(rows)}.txt"
                sample.write_text("".join(lines.read_text().splitlines(True)[:args.bwip_records]))
                bwip = bwip_seconds(args.bwip, bwip_symbol, extension, sample,
                                    scratch / f"bwip-{len(rows)}") / ours_file
                met = met and bwip >= BWIP_SLOWER
            missed += not met
            per_file_ms = 1000 / args.records
            target = "-" if targets is None else \
                f">= {wall_target:g} / {'-' if cpu_target is None else f'{cpu_target:g}'}"
            rows.append((f"{name} {extension.upper()}",
                         args.records / statistics.median(o[0] for o in ours),
                         args.records / statistics.median(p[0] for p in peer), wall,
                         statistics.median(o[1] for o in ours) * per_file_ms,
                         statistics.median(p[1] for p in peer) * per_file_ms, cpu,
                         "-" if bwip is None else f"{bwip:.0f}", target,
                         "-" if targets is None else "met" if met else "MISSED"))

    print(f"\n{'render --batch':<20} {'ours files/s':>12} {'zint files/s':>12} {'wall':>6} "
          f"{'ours ms CPU':>11} {'zint ms CPU':>11} {'CPU':>6} {'bwip-js':>8} "
          f"{'target':>10}  result")
    for row in rows:
        name, ours_rate, peer_rate, wall, ours_cpu, peer_cpu, cpu, bwip, target, verdict = row
        print(f"{name:<20} {ours_rate:>12.0f} {peer_rate:>12.0f} {wall:>6.2f} "
              f"{ours_cpu:>11.3f} {peer_cpu:>11.3f} {cpu:>6.2f} {bwip:>8} "
              f"{target:>10}  {verdict}")
    print("wall: zint's time over ours; CPU: zint's CPU time a file (user + system) over ours;\n"
          f"bwip-js: its wall time a file over ours (at least {BWIP_SLOWER:g});\n"
          "target: the least wall / CPU ratios to zint; each ratio is the median of the rounds'")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
