#!/usr/bin/env python3
"""`varnholt render --batch --sheet/--page-size` run as a process: each label of the PDF cut
out along the product's own template geometry (read here from glabels-data's file, not from
the program) and decoded by ZBar, in order, with --skip and --copies, on an A4 and a US Letter
product; each symbol measured there, centred with its quiet zones and at the size reported; a
roll a page a label; the refusals, and nothing written when one stops the batch.

Usage: label_sheets_e2e.py VARNHOLT
"""

import re
import subprocess
import sys

from label_pages import DPI, cut, labels_of, pages, template
from process_cases import Cases

cases = Cases(sys.argv[1])
case, run, text, expect = cases.case, cases.run, cases.text, cases.expect
SCRATCH = cases.scratch


def decode(crop, name):
    """What ZBar reads in a rectangle cut from a page."""
    _, _, width, height, rows = crop
    path = SCRATCH / f"{name}.pgm"
    path.write_bytes(b"P5 %d %d 255\n" % (width, height) + rows)
    result = subprocess.run(["zbarimg", "-q", "--raw", str(path)], capture_output=True)
    return result.stdout.decode().split()


def symbol_of(crop):
    """An EAN-13 symbol measured in a rectangle, in millimetres on the page: the centre of it
    with its quiet zones (11 modules left of the bars, 7 right) across, the centre of its dark
    block (bars' top to digits' foot) down, and its module from the left edges of its first
    and last bars, 94 modules apart (edges that do not move when bars are thinned)."""
    x0, y0, width, height, rows = crop
    dark_rows = [y for y in range(height) if min(rows[y * width:(y + 1) * width]) < 128]
    top, bottom = dark_rows[0], dark_rows[-1] + 1
    row = rows[(top + 12) * width:(top + 13) * width]  # a millimetre into the bars
    dark = [x for x, value in enumerate(row) if value < 128]
    first, end = dark[0], dark[-1] + 1
    last = end - 1
    while row[last - 1] < 128:
        last -= 1
    mm = lambda dots: dots * 25.4 / DPI
    module = mm(last - first) / 94
    # How near the symbol, quiet zones included, comes to the rectangle's edges.
    edge = min(mm(first) - 11 * module, mm(width - end) - 7 * module, mm(top),
               mm(height - bottom))
    return {"across": mm(x0 + (first + end) / 2) - 2 * module,
            "down": mm(y0 + (top + bottom) / 2), "module": module, "edge": edge}


def check_digit(body):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    return body + str((10 - total % 10) % 10)


NUMBERS = [check_digit(f"400638{n:06d}") for n in range(1, 21)]


@case
def each_label_decodes_in_order_centred_at_the_size_said_on_a4_and_letter():
    lines = NUMBERS[:7] + ["400638133392"[:-1] + "X"] + NUMBERS[7:]
    batch = text("sheet/numbers.txt", ("\n".join(lines) + "\n").encode())
    for product, brand, part in (("avery l7160", "Avery", "L7160"),  # A4
                                 ("Avery 5160", "Avery", "5160")):  # US Letter
        pdf = str(SCRATCH / "sheet" / f"{part}.pdf")
        _, err = expect(run("render", "--batch", batch, "--sheet", product, "--skip", "2",
                            "--copies", "2", "-o", pdf), 1,
                        stderr=r"numbers\.txt:8: 40063813339X: .*not a digit")
        geometry = template(brand, part)
        per_sheet = geometry["nx"] * geometry["ny"]
        sheets = -(-(2 + 2 * len(NUMBERS)) // per_sheet)
        assert re.search(fr"40 labels on {sheets} pages? written", err), err
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        assert re.search(fr"Pages:\s+{sheets}\b", info), info
        size = re.search(r"Page size:\s+([0-9.]+) x ([0-9.]+) pts", info).groups()
        assert all(abs(float(points) - mm * 72 / 25.4) < 0.01
                   for points, mm in zip(size, geometry["paper"])), (size, geometry["paper"])
        crops = labels_of(pdf, geometry)
        read = [decode(crop, f"{part}-{i}") for i, crop in enumerate(crops)]
        wanted = [[], []] + [[n] for n in NUMBERS for _ in range(2)]
        wanted += [[]] * (sheets * per_sheet - len(wanted))
        assert read == wanted, (product, [r[0] if r else "-" for r in read])

        # Each symbol, measured where it was cut out: centred to 0.2 mm, and its 94 modules
        # within 2 dots of the size said (said to a micrometre; each edge found to a dot).
        said = float(re.search(r"size (\d+\.\d+) mm", err).group(1))
        for i, crop in enumerate(crops):
            if read[i]:
                column, row = i % per_sheet % geometry["nx"], i % per_sheet // geometry["nx"]
                centre = (geometry["x0"] + column * geometry["dx"] + geometry["width"] / 2,
                          geometry["y0"] + row * geometry["dy"] + geometry["height"] / 2)
                symbol = symbol_of(crop)
                off = (symbol["across"] - centre[0], symbol["down"] - centre[1])
                assert max(map(abs, off)) <= 0.2, (product, i, off)
                assert abs(symbol["module"] - said) * 94 * DPI / 25.4 <= 2, \
                    (product, i, symbol["module"], said)
                # No nearer the label's edge than the padding of 1.5 mm, to a dot.
                assert symbol["edge"] >= 1.5 - 25.4 / DPI, (product, i, symbol["edge"])


@case
def a_roll_is_a_page_a_label_and_long_text_is_cut_once():
    batch = text("roll/numbers.txt", ("\n".join(NUMBERS[:3]) + "\n").encode())
    pdf = str(SCRATCH / "roll" / "roll.pdf")
    _, err = expect(run("render", "--batch", batch, "--page-size", "50x30mm", "--text",
                        "{number} a line of text far too long for a label fifty millimetres wide",
                        "-o", pdf), 0)
    assert len(re.findall(r"cut to fit", err)) == 1, err
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    assert re.search(r"Pages:\s+3\b", info) and re.search(r"141\.73\d* x 85\.03\d* pts", info), info
    read = [decode(cut(page, 0, 0, 50, 30), f"roll{i}") for i, page in enumerate(pages(pdf))]
    assert read == [[n] for n in NUMBERS[:3]], read


@case
def a_catalogue_labels_each_symbol_with_a_column_of_its_record():
    rows = "".join(f'"SKU {i}";{n}\r\n' for i, n in enumerate(NUMBERS[:3], 1))
    batch = text("catalogue/export.csv", ("\ufeffsku;ean\r\n" + rows).encode())
    pdf = str(SCRATCH / "catalogue" / "roll.pdf")
    expect(run("render", "--batch", batch, "--column", "ean", "--page-size", "50x30mm",
               "--text", "{column:sku}", "-o", pdf), 0)
    shown = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
    assert re.findall(r"SKU \d", shown) == ["SKU 1", "SKU 2", "SKU 3"], shown
    read = [decode(cut(page, 0, 0, 50, 30), f"catalogue{i}")
            for i, page in enumerate(pages(pdf))]
    assert read == [[n] for n in NUMBERS[:3]], read
    expect(run("render", "--batch", batch, "--page-size", "50x30mm", "--text", "{column:sku}",
               "-o", pdf + ".2.pdf"), 2, stderr=r"give --column")


@case
def refusals_say_why_and_write_nothing():
    batch = text("refused/numbers.txt", ("\n".join(NUMBERS[:3]) + "\n").encode())
    out = SCRATCH / "refused"
    kept = out / "kept.pdf"
    kept.write_bytes(b"an older file")
    for args, why in (
            (["--page-size", "25x15mm"], r"too small: at 0\.264 mm \(80 %\) the symbol needs a "
                                         r"label of at least 32\.832 x \d+(\.\d+)? mm"),
            (["--sheet", "Avery L7160", "--xdim", "0.6"], r"at 0\.6 mm .* at least"),
            (["--sheet", "Avery 3112"], r"round 38\.1 mm across: a bar code needs a rectangular"),
            (["--sheet", "Avery L7160", "--skip", "21"], r"--skip 21: Avery L7160 has 21 labels"),
            (["--sheet", "Avery L716"], r"similar: .*Avery L7160"),
            (["--sheet", "A4 3x8 80x37mm"], r"need 240 mm; the page is 210 mm wide"),
    ):
        expect(run("render", "--batch", batch, *args, "-o", str(kept)), 2, stderr=why)
        assert kept.read_bytes() == b"an older file", args
    expect(run("render", "--batch", batch, "--sheet", "Avery L7160", "-o", str(out / "a.svg")),
           2, stderr=r"one PDF file")
    assert sorted(p.name for p in out.iterdir()) == ["kept.pdf", "numbers.txt"]


@case
def sheets_lists_products_and_names_alone():
    out, _ = expect(run("sheets", "L7160"), 0, stdout=r"\ANAME\s+PAGE")
    assert re.search(r"^Avery L7160\s+A4\s+3 x 7\s", out, re.M), out
    out, _ = expect(run("sheets", "--names"), 0)
    names = out.splitlines()
    assert "Avery 5160" in names and "Avery L7160" in names and len(names) > 1000
    assert names[0] != "NAME" and all(" " in name for name in names), names[:5]
    expect(run("sheets", "no-such-stock-anywhere"), 1, stderr=r"no label stock")


cases.finish()
