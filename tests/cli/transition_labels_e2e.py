#!/usr/bin/env python3
"""Transition labels, `varnholt render --symbology ean13,datamatrix --gs1 PATTERN`, run as a
process: each label of an Avery L7160 sheet cut out along glabels-data's own geometry at
300 dpi and both symbols read by ZXing-cpp as their record's: the EAN-13's digits, and the
DataMatrix's GS1 element string (`]d2`, GS after a field of varying length that is not last);
records whose GS1 data is wrong reported with their line and passed over; a roll of EAN-13 and
QR Code with its Digital Link URI; a file a record; the refusals, nothing written.

Usage: transition_labels_e2e.py VARNHOLT  (under the Python that has Debian's zxingcpp)
"""

import re
import subprocess
import sys

import numpy
import zxingcpp

from label_pages import cut, labels_of, pages, template
from process_cases import Cases

cases = Cases(sys.argv[1])
case, run, text, expect = cases.case, cases.run, cases.text, cases.expect
SCRATCH = cases.scratch
GS = "\x1d"
PATTERN = "(01){gtin}(17){column:expiry}(10){column:lot}(21){column:serial}"

# ean, lot, expiry, serial; and for a record that is refused, what the refusal says.
RECORDS = [
    ("4006381300018", "L2024A", "271231", "1", None),
    ("4006381300025", "B-17", "280115", "77", None),
    ("4006381300032", "X9", "271331", "5", r"AI \(17\): 271331: month 13"),
    ("4006381300049", "Q(7)/b", "281130", "A-9", None),
    ("4006381300056", "L#1", "281130", "8", r"AI \(10\): .*#"),
    ("4006381300063", "ZZ-998877", "290630", "123456", None),
]


def catalogue(name, records):
    rows = "".join(f"{ean};{lot};{expiry};{serial}\n" for ean, lot, expiry, serial, _ in records)
    return text(name, ("ean;lot;expiry;serial\n" + rows).encode())


def grey(crop):
    _, _, width, height, rows = crop
    return numpy.frombuffer(rows, dtype=numpy.uint8).reshape(height, width)


def square_above_text(image):
    """The square symbol at the top of `image` with a margin of white: this version of
    ZXing-cpp seeks a DataMatrix from the picture's centre, which its text may take."""
    top = numpy.flatnonzero((image < 128).any(axis=1))[0]
    left = numpy.flatnonzero(image[top] < 128)[0]
    # The finder's solid left edge is the symbol's height, and its width.
    light = numpy.flatnonzero(image[top:, left + 1] >= 128)
    side = light[0] if len(light) else image.shape[0] - top
    square = numpy.full((side + 40, side + 40), 255, dtype=numpy.uint8)
    square[20:20 + side, 20:20 + side] = image[top:top + side, left:left + side]
    return square


def read_pair(image, carrier, symbol_only=False):
    """The label's EAN-13 digits, and what the carrier right of it reads as: its symbology
    identifier and text. The carrier is read from the label right of the EAN-13 alone, as this
    version of ZXing-cpp finds a 2D symbol in a picture that holds little else; with
    `symbol_only`, from the square symbol alone, its text left out."""
    linear = zxingcpp.read_barcodes(image, formats=zxingcpp.BarcodeFormat.EAN13)
    if len(linear) != 1:
        return None, None
    right = max(int(p.split("x")[0]) for p in str(linear[0].position).split())
    rest = numpy.ascontiguousarray(image[:, right + 8:])
    found = zxingcpp.read_barcodes(square_above_text(rest) if symbol_only else rest,
                                   formats=carrier)
    return linear[0].text, (found[0].symbology_identifier + found[0].text) if found else None


@case
def each_label_of_a_sheet_reads_as_its_record_and_bad_data_is_passed_over():
    batch = catalogue("sheet/export.csv", RECORDS)
    pdf = str(SCRATCH / "sheet" / "labels.pdf")
    _, err = expect(run("render", "--batch", batch, "--column", "ean", "--sheet", "Avery L7160",
                        "--symbology", "ean13,datamatrix", "--gs1", PATTERN, "-o", pdf), 1,
                    stderr=r"4 labels on 1 page written to .*, 2 not rendered")
    for line, (ean, _, _, _, why) in enumerate(RECORDS, 2):
        if why:
            assert re.search(fr"export\.csv:{line}: \(01\)0{ean}\(17\).*: {why}", err), err
    assert re.search(r"size 0\.33 mm, 100 % and 0\.495 mm.* \(EAN-13 and DataMatrix on Avery "
                     r"L7160\)", err), err
    geometry = template("Avery", "L7160")
    read = [read_pair(grey(crop), zxingcpp.BarcodeFormat.DataMatrix)
            for crop in labels_of(pdf, geometry)]
    # The fixed-length (17) before (10) and (21), which a GS ends.
    wanted = [(ean, f"]d2010{ean}17{expiry}10{lot}{GS}21{serial}")
              for ean, lot, expiry, serial, why in RECORDS if not why]
    assert read == wanted + [(None, None)] * (21 - len(wanted)), read


@case
def a_roll_carries_a_qr_code_of_the_digital_link_beside_each_ean13():
    batch = catalogue("roll/export.csv", RECORDS[:2])
    pdf = str(SCRATCH / "roll" / "roll.pdf")
    _, err = expect(run("render", "--batch", batch, "--column", "ean", "--page-size", "60x30mm",
                        "--symbology", "EAN13,QR", "--gs1", PATTERN, "-o", pdf), 0,
                    stderr=r"2 labels on 2 pages")
    assert len(re.findall(r"Digital Link URI", err)) == 1, err
    read = [read_pair(grey(cut(page, 0, 0, 60, 30)), zxingcpp.BarcodeFormat.QRCode)
            for page in pages(pdf)]
    wanted = [(ean, f"]Q1https://id.gs1.org/01/0{ean}/10/{lot}/21/{serial}?17={expiry}")
              for ean, lot, expiry, serial, _ in RECORDS[:2]]
    assert read == wanted, read


@case
def a_file_a_record_holds_both_symbols_and_bad_data_is_passed_over():
    batch = catalogue("files/export.csv", RECORDS)
    out = SCRATCH / "files" / "out"
    _, err = expect(run("render", "--batch", batch, "--column", "ean", "--symbology",
                        "ean13,datamatrix", "--gs1", PATTERN, "-o", str(out / "{line}.pdf")), 1,
                    stderr=r"4 files written, 2 not rendered")
    assert re.search(r"size 0\.33 mm, 100 %; DataMatrix 0\.495 mm", err), err
    for line, (ean, lot, expiry, serial, why) in enumerate(RECORDS, 2):
        pdf = out / f"{line}.pdf"
        if why:
            assert re.search(fr"export\.csv:{line}: {ean}: \(01\)0{ean}.*: {why}", err), err
            assert not pdf.exists()
            continue
        [(width, height, pixels)] = pages(str(pdf))
        read = read_pair(grey((0, 0, width, height, pixels)), zxingcpp.BarcodeFormat.DataMatrix,
                         symbol_only=True)
        assert read == (ean, f"]d2010{ean}17{expiry}10{lot}{GS}21{serial}"), (line, read)


@case
def refusals_say_why_and_write_nothing():
    batch = catalogue("refused/export.csv", RECORDS[:1])
    kept = SCRATCH / "refused" / "kept.pdf"
    kept.write_bytes(b"an older file")
    on_sheet = ["--column", "ean", "--sheet", "Avery L7160"]
    for args, why in (
            ([*on_sheet, "--symbology", "ean13,upca", "--gs1", PATTERN],
             r"ean13,upca: two EAN/UPC symbologies"),
            ([*on_sheet, "--symbology", "qr,datamatrix", "--gs1", PATTERN],
             r"qr,datamatrix: two GS1 carriers"),
            ([*on_sheet, "--symbology", "datamatrix,ean13", "--gs1", PATTERN],
             r"EAN/UPC symbology first.*ean13,datamatrix"),
            ([*on_sheet, "--symbology", "ean13,pdf417", "--gs1", PATTERN],
             r"\"pdf417\" is none of ean13, .*qr"),
            ([*on_sheet, "--symbology", "ean13,datamatrix"], r"give --gs1"),
            ([*on_sheet, "--gs1", PATTERN], r"--gs1 is the GS1 data of a pair's carrier"),
            ([*on_sheet, "--symbology", "ean13,datamatrix", "--gs1", "(01){gtin}(10){lot}"],
             r"unknown placeholder \{lot\}"),
            (["--column", "ean", "--page-size", "40x20mm", "--symbology", "ean13,datamatrix",
              "--gs1", PATTERN],
             r"the label \(40 x 20 mm\) is too small for EAN-13 and DataMatrix side by side: at "
             r"80 % .* need a label of at least [\d.]+ x [\d.]+ mm"),
    ):
        expect(run("render", "--batch", batch, *args, "-o", str(kept)), 2, stderr=why)
        assert kept.read_bytes() == b"an older file", args
    assert sorted(p.name for p in kept.parent.iterdir()) == ["export.csv", "kept.pdf"]


cases.finish()
