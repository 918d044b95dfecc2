#!/usr/bin/env python3
"""Races `varnholt render --batch --sheet` against `glabels-3-batch` putting the same CSV
catalogue of valid EAN-13 numbers on "Avery 5160" sheets as one PDF, the two taking turns;
both must make the same number of pages, and the first page of each must decode with ZBar as
the catalogue's first sheet of numbers, so that both drew symbols that scan. Prints wall and CPU
seconds and their ratios, then the memory target: the peak RSS of a 100,000-label sheet PDF
against a 1,000-label one (GNU time). Exits with 1 when one is under its target.

gLabels gets a document in its own format: the product's template as glabels-data has it,
one barcode object (GNU Barcode's EAN-13, digits under it) filling the label's
printable area, and the catalogue merged by its header's column name. Each object needs its
affine matrix (a0..a5): without one gLabels scales it to nothing and prints blank pages.

Usage: label_sheets.py VARNHOLT [--labels N] [--rounds R] [--glabels GLABELS_BATCH]
"""

import argparse
import copy
import pathlib
import random
import re
import resource
import statistics
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import make_lines  # noqa: E402

SPEED_TARGET = 10.0
MEMORY_TARGET = 2.0
PRODUCT = ("Avery", "5160")
TEMPLATES = pathlib.Path("/usr/share/libglabels-3.0/templates")
DOCUMENT = """<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  {template}
  <Objects id="0" rotate="False">
    <Object-barcode x="{margin}" y="{margin}" w="{width}" h="{height}"
        a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" backend="gnu-barcode" style="EAN-13"
        text="True" checksum="True" color="0x000000ff" field="ean"/>
  </Objects>
  <Merge type="Text/Comma/Line1Keys" src="{catalogue}"/>
</Glabels-document>
"""
POINTS = {"pt": 1.0, "in": 72.0, "mm": 72 / 25.4, "cm": 720 / 25.4, "pc": 12.0}


def points(value):
    number, unit = re.fullmatch(r"([-+0-9.eE]+)\s*([a-z]*)", value.strip()).groups()
    return float(number) * POINTS[unit or "pt"]


def template_node(brand, part):
    """The product's Template element as glabels-data has it, following an equivalent."""
    for path in TEMPLATES.glob("*-templates.xml"):
        for node in ElementTree.parse(path).getroot().iter("Template"):
            if node.get("brand") == brand and node.get("part") == part:
                return template_node(brand, node.get("equiv")) if node.get("equiv") else node
    sys.exit(f"no template {brand} {part} in {TEMPLATES}")


def glabels_document(catalogue):
    node = copy.deepcopy(template_node(*PRODUCT))
    label = node.find("Label-rectangle")
    margin = label.find("Markup-margin")
    inset = points(margin.get("size")) if margin is not None else 0.0
    return DOCUMENT.format(template=ElementTree.tostring(node, encoding="unicode"),
                           margin=f"{inset}pt",
                           width=f"{points(label.get('width')) - 2 * inset}pt",
                           height=f"{points(label.get('height')) - 2 * inset}pt",
                           catalogue=catalogue)


def write_catalogue(path, count, seed=7):
    generator = random.Random(seed)
    numbers = []
    for _ in range(count):
        body = "".join(generator.choice("0123456789") for _ in range(12))
        numbers.append(f"{body}{make_lines.check_digit(body)}")
    path.write_text("ean\n" + "".join(n + "\n" for n in numbers), encoding="ascii")
    return numbers


def timed(command, pdf):
    """Wall and CPU seconds (the process and its children) of a command that writes `pdf`."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    if not pdf.exists():
        sys.exit(f"{command[0]} wrote no {pdf}")
    return wall, cpu


def page_count(pdf):
    info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True, check=True)
    return int(re.search(r"^Pages:\s+(\d+)", info.stdout, re.M).group(1))


def first_page_reads(pdf):
    """The numbers ZBar reads on the first page at 300 dpi, as a set."""
    subprocess.run(["pdftoppm", "-r", "300", "-gray", "-f", "1", "-l", "1", "-singlefile",
                    str(pdf), str(pdf)], check=True)
    result = subprocess.run(["zbarimg", "-q", "--raw", f"{pdf}.pgm"], capture_output=True,
                            text=True)
    return set(result.stdout.split())


def peak_kib(command):
    """The peak resident set of a command, by GNU time."""
    result = subprocess.run(["/usr/bin/time", "-f", "%M", *command], capture_output=True,
                            text=True, check=True)
    return int(result.stderr.strip().splitlines()[-1])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--labels", type=int, default=10_000)
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("--glabels", default="glabels-3-batch")
    args = parser.parse_args()
    program = str(pathlib.Path(args.program).resolve())
    product = " ".join(PRODUCT)

    with tempfile.TemporaryDirectory(prefix="varnholt-sheet-bench-") as scratch:
        scratch = pathlib.Path(scratch)
        catalogue = scratch / "catalogue.csv"
        numbers = write_catalogue(catalogue, args.labels)
        document = scratch / "labels.glabels"
        document.write_text(glabels_document(catalogue), encoding="utf-8")
        layout = template_node(*PRODUCT).find("Label-rectangle/Layout")
        per_sheet = int(layout.get("nx")) * int(layout.get("ny"))
        ours_pdf, peer_pdf = scratch / "ours.pdf", scratch / "glabels.pdf"
        ours_command = [program, "render", "--batch", str(catalogue), "--column", "ean",
                        "--sheet", product, "-o", str(ours_pdf), "--quiet"]
        peer_command = [args.glabels, "-o", str(peer_pdf), str(document)]
        print("$", " ".join(ours_command), flush=True)
        print("$", " ".join(peer_command), flush=True)

        ours, peer = [], []
        for _ in range(args.rounds):
            peer_pdf.unlink(missing_ok=True)
            peer.append(timed(peer_command, peer_pdf))
            ours_pdf.unlink(missing_ok=True)
            ours.append(timed(ours_command, ours_pdf))

        # A fair race: the same pages, each holding the catalogue's numbers as symbols.
        pages = {name: page_count(pdf) for name, pdf in (("ours", ours_pdf),
                                                         ("glabels", peer_pdf))}
        if len(set(pages.values())) != 1:
            sys.exit(f"page counts differ: {pages}")
        for name, pdf in (("ours", ours_pdf), ("glabels", peer_pdf)):
            read = first_page_reads(pdf)
            if read != set(numbers[:per_sheet]):
                sys.exit(f"{name}'s first page reads {len(read)} of its {per_sheet} numbers")

        wall_ratio = statistics.median(p[0] / o[0] for p, o in zip(peer, ours))
        cpu_ratio = statistics.median(p[1] / o[1] for p, o in zip(peer, ours))

        memory = {}
        for count in (1_000, 100_000):
            small = scratch / f"memory-{count}.csv"
            write_catalogue(small, count, seed=count)
            memory[count] = peak_kib([program, "render", "--batch", str(small), "--column",
                                      "ean", "--sheet", product, "-o",
                                      str(scratch / f"memory-{count}.pdf"), "--quiet"])
        memory_ratio = memory[100_000] / memory[1_000]

    speed_met = wall_ratio >= SPEED_TARGET
    memory_met = memory_ratio <= MEMORY_TARGET
    print(f"\n{args.labels} labels on {product}, {pages['ours']} pages each, "
          f"{args.rounds} round(s), medians")
    print(f"{'':<10} {'ours s':>8} {'glabels s':>10} {'ratio':>7} {'target':>8}  result")
    print(f"{'wall':<10} {statistics.median(o[0] for o in ours):>8.2f} "
          f"{statistics.median(p[0] for p in peer):>10.2f} {wall_ratio:>7.1f} "
          f"{'>= ' + format(SPEED_TARGET, 'g'):>8}  {'met' if speed_met else 'MISSED'}")
    print(f"{'cpu':<10} {statistics.median(o[1] for o in ours):>8.2f} "
          f"{statistics.median(p[1] for p in peer):>10.2f} {cpu_ratio:>7.1f}")
    print(f"\npeak RSS: 1,000 labels {memory[1_000]} KiB, 100,000 labels {memory[100_000]} KiB,"
          f" ratio {memory_ratio:.2f} (target <= {MEMORY_TARGET:g}): "
          f"{'met' if memory_met else 'MISSED'}")
    return 0 if speed_met and memory_met else 1


if __name__ == "__main__":
    sys.exit(main())
