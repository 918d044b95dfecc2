#!/usr/bin/env python3
"""`varnholt render` run as a process: each format written and read back by the tools people
print with, the size said once, batches with their patterns and bad lines, and every way a
request or an output can fail.

Usage: render_e2e.py VARNHOLT
"""

import os
import re
import subprocess
import sys

from process_cases import Cases

cases = Cases(sys.argv[1])
case, run, text, expect = cases.case, cases.run, cases.text, cases.expect
SCRATCH = cases.scratch


def scan(path):
    """What zbarimg reads in a PNG, SVG or PDF file."""
    picture = path
    if path.endswith(".svg"):
        picture = path + ".png"
        subprocess.run(["rsvg-convert", "-d", "300", "-p", "300", "-b", "white", "-o", picture,
                        path], check=True)
    elif path.endswith(".pdf"):
        subprocess.run(["pdftoppm", "-r", "300", "-png", "-singlefile", path, path], check=True)
        picture = path + ".png"
    result = subprocess.run(["zbarimg", "-q", "--raw", picture], capture_output=True)
    return result.stdout.decode().split()


def scan_family(path):
    """What zbarimg reads in a PNG with every symbology of the family enabled, as
    TYPE:DATA, add-ons apart, sorted."""
    result = subprocess.run(["zbarimg", "-q", "-Supca.enable=1", "-Supce.enable=1",
                             "-Sean2.enable=1", "-Sean5.enable=1", path], capture_output=True)
    return sorted(result.stdout.decode().split())


def check_digit(body):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    return (10 - total % 10) % 10


def folder(name):
    path = SCRATCH / name
    path.mkdir(parents=True, exist_ok=True)
    return path


# --- One number ----------------------------------------------------------------------------
@case
def every_format_from_the_extension_or_the_option():
    out = folder("formats")
    for name, magic in (("a.svg", b"<?xml"), ("a.pdf", b"%PDF-"), ("a.eps", b"%!PS-Adobe-3.0 EPSF"),
                        ("a.png", b"\x89PNG")):
        expect(run("render", "5400101109971", "-o", str(out / name)), 0,
               stderr=r"\Avarnholt: size 0\.33 mm")
        assert (out / name).read_bytes().startswith(magic), name
    expect(run("render", "5400101109971", "-f", "png", "-o", str(out / "b.label")), 0)
    assert (out / "b.label").read_bytes().startswith(b"\x89PNG")
    for name in ("a.svg", "a.pdf", "a.png"):
        assert scan(str(out / name)) == ["5400101109971"], name


@case
def completes_twelve_digits_and_draws_ean8():
    out = folder("numbers")
    expect(run("render", "400638133393", "-o", str(out / "a.png")), 0)
    expect(run("render", "9638-507", "-o", str(out / "b.png")), 0)
    assert scan(str(out / "a.png")) == ["4006381333931"]
    assert scan(str(out / "b.png")) == ["96385074"]


@case
def the_snapped_size_is_said_once():
    expect(run("render", "400638133393", "--dpi", "203", "--height", "15",
               "-o", str(folder("size") / "a.svg")), 0,
           stderr=r"\Avarnholt: size 0\.33 mm at 203 dpi: 3 dots = 0\.375 mm, 114 %; "
                  r"bars truncated to 15\.015 mm, 58 % of 25\.991 mm\n\Z")
    numbers = text("size/numbers.txt", b"5400101109971\n96385074\n4006381333931\n")
    _, err = expect(run("render", "--batch", numbers, "-o", str(SCRATCH / "size/{number}.svg")), 0)
    assert err.count("varnholt: size") == 1 and "3 files written, 0 not rendered" in err, err
    _, err = expect(run("render", "-q", "--batch", numbers,
                        "-o", str(SCRATCH / "size/{number}.svg")), 0)
    assert err == "", err


@case
def colours_that_scanners_miss_are_warned_of():
    _, err = expect(run("render", "96385074", "--fg", "#f00", "-o", str(folder("colour") / "a.svg")),
                    0)
    assert "varnholt: warning: the bars (#ff0000) reflect red light" in err, err


@case
def to_standard_output():
    out, _ = expect(run("render", "96385074", "-f", "svg", "-o", "-"), 0,
                    stdout=r"\A<\?xml.*<title>96385074</title>")
    result = run("render", "96385074", "-f", "png", "-o", "-")
    expect(result, 0)
    path = SCRATCH / "stdout.png"
    path.write_bytes(result.stdout)
    assert scan(str(path)) == ["96385074"]
    expect(run("render", "96385074", "-o", "-"), 2, stderr=r"give --format")


@case
def a_number_that_cannot_be_drawn_exits_with_1():
    for number, message in (("5400101109972", r"5400101109972: check digit 2 is wrong, "
                                              r"540010110997 needs 1"),
                            ("54001011099", r"54001011099: 11 digits"),
                            ("540010110997100", r"540010110997100: 15 digits"),
                            ("54001O1109971", r'54001O1109971: "O" at column 6 is not a digit')):
        expect(run("render", number, "-o", str(folder("bad") / "a.svg")), 1,
               stderr=r"varnholt: " + message)
    assert not os.listdir(SCRATCH / "bad"), "nothing written"


@case
def usage_errors_exit_with_2_before_anything_is_written():
    out = folder("usage")
    for args, message in (
            ([], r"give a NUMBER or --batch FILE"),
            (["5400101109971", "--batch", "x.txt"], r"NUMBER excludes --batch"),
            (["5400101109971", "-o", str(out / "a.jpg")], r"cannot tell the format"),
            (["5400101109971", "-f", "gif"], r"--format: gif"),
            (["5400101109971", "--xdim", "0.2"], r"X-dimension 0\.2 mm is outside 0\.264 to 0\.66"),
            (["5400101109971", "--dpi", "30"], r"no whole number of dots"),
            (["5400101109971", "--fg", "purpleish"], r"--fg: purpleish is no colour"),
            (["5400101109971", "--bar-width-reduction", "2 dots"], r"is no amount"),
            (["5400101109971", "--bar-width-reduction", "1dot"], r"needs a resolution"),
            (["96385074", "--no-quiet-zones", "--margin-indicators"], r"cannot go without"),
            (["5400101109971", "--bogus"], r"--bogus")):
        expect(run("render", *args, *([] if "-o" in args else ["-o", str(out / "a.svg")])), 2,
               stderr=message + r".*\nTry 'varnholt render --help' for more information\.\n\Z")
    assert not os.listdir(out), "nothing written"


@case
def the_format_named_in_any_letter_case():
    out = folder("case")
    expect(run("render", "96385074", "--format", "SVG", "-o", str(out / "a.label")), 0)
    assert (out / "a.label").read_bytes().startswith(b"<?xml")


@case
def every_member_of_the_family_by_symbology_and_add_on():
    out = folder("family")
    for args, expected in (
            (["03600029145", "--symbology", "upca"], ["UPC-A:036000291452"]),
            (["0123456+12", "--symbology", "UPCE"], ["EAN-2:12", "UPC-E:01234565"]),
            (["978-0-306-40615-7 +51234"], ["EAN-13:9780306406157", "EAN-5:51234"]),
            (["0-306-40615-2"], ["EAN-13:9780306406157"]),
            (["036000291452+51234", "--symbology", "upca"], ["EAN-5:51234",
                                                             "UPC-A:036000291452"])):
        path = str(out / "a.png")
        _, err = expect(run("render", *args, "-q", "-o", path), 0)
        assert err == "", err
        assert scan_family(path) == expected, (args, scan_family(path))


@case
def twelve_digits_that_are_a_gtin12_are_noted_and_still_drawn_as_ean13():
    out = folder("gtin12")
    note = ("036000291452 is a valid GTIN-12: drawn as the EAN-13 0360002914522; "
            "give --symbology upca to draw its UPC-A")
    expect(run("render", "036000291452", "-o", str(out / "a.png")), 0,
           stderr=r"\nvarnholt: " + re.escape(note) + r"\n\Z")
    # The same bars as the UPC-A of the EAN-13's last twelve digits, as scanners read them.
    assert scan_family(str(out / "a.png")) == ["UPC-A:360002914522"]
    numbers = text("gtin12-numbers.txt", b"400638133393\n036000291452\n")
    _, err = expect(run("render", "--batch", numbers, "-o", str(out / "{number}.svg")), 0)
    assert f"varnholt: {numbers}:2: {note}\n" in err and err.count("GTIN-12") == 1, err
    assert sorted(os.listdir(out)) == ["0360002914522.svg", "4006381333931.svg", "a.png"], \
        os.listdir(out)
    _, err = expect(run("render", "-q", "036000291452", "-o", str(out / "b.svg")), 0)
    assert err == "", err


@case
def refusals_of_the_family_say_why():
    out = folder("family-bad")
    for args, status, message in (
            (["96385074+12"], 1, r"96385074\+12: an EAN-8 takes no add-on"),
            (["96385074+12", "--symbology", "ean8"], 2, r"an EAN-8 takes no add-on"),
            (["9780306406157+512"], 1, r"an add-on has 2 or 5 digits, not 3"),
            (["036000291452", "--symbology", "upce"], 1,
             r"036000291452: cannot be shortened to a UPC-E: its manufacturer and product codes"),
            (["5400101109971", "--symbology", "upce"], 2,
             r"13 digits, not 12, 8, 7 or 6 for a UPC-E"),
            (["5400101109971", "--symbology", "ean5"], 2,
             r"--symbology: ean5 is none of ean13, ean8, upca, upce")):
        expect(run("render", *args, "-o", str(out / "a.svg")), status,
               stderr=r"varnholt: .*" + message)
    assert not os.listdir(out), "nothing written"


# --- Batches --------------------------------------------------------------------------------
@case
def missing_folders_are_made_and_said_once():
    numbers = text("folders/numbers.txt", b"5400101109971\n96385074\n")
    for args in (["--batch", numbers, "-o", str(SCRATCH / "folders/new/sub/{number}.svg")],
                 ["96385074", "-o", str(SCRATCH / "folders/one/a.svg")]):
        _, err = expect(run("render", *args), 0)
        assert err.count("made the missing folder") == 1, err
    assert sorted(os.listdir(SCRATCH / "folders/new/sub")) == ["5400101109971.svg",
                                                               "96385074.svg"]
    assert scan(str(SCRATCH / "folders/one/a.svg")) == ["96385074"]



@case
def a_batch_names_files_by_the_pattern_and_goes_on_past_bad_lines():
    numbers = text("batch/numbers.txt",
                   b"\xef\xbb\xbf5400101109971\r\n\n  96385074 \n5400101109972\nab\x00c\xff\n"
                   b"400638133393\n" + b"9" * 5000 + b"\n")
    out = folder("batch/labels")
    _, err = expect(run("render", "--batch", numbers, "-o", str(out / "{line:03}-{number}.png")),
                    1)
    assert sorted(os.listdir(out)) == ["001-5400101109971.png", "003-96385074.png",
                                       "006-4006381333931.png"], os.listdir(out)
    lines = err.splitlines()
    assert lines[1] == f"varnholt: {numbers}:4: 5400101109972: check digit 2 is wrong, " \
                       f"540010110997 needs 1", lines
    assert lines[2] == f'varnholt: {numbers}:5: ab\ufffdc\ufffd: "a" at column 1 is not a digit', \
        lines
    assert lines[3] == f"varnholt: {numbers}:7: line too long to be a number (5000 bytes)", lines
    assert lines[4] == "varnholt: 3 files written, 3 not rendered", lines
    assert scan(str(out / "006-4006381333931.png")) == ["4006381333931"]


@case
def a_long_batch_in_every_format_names_each_file_for_its_own_number():
    # Long enough that the drawing threads share the work; each file must hold its number.
    numbers = [f"{body}{check_digit(body)}" for body in (f"400638{i:06d}" for i in range(400))]
    listing = text("long/numbers.txt", "\n".join(numbers).encode() + b"\n")
    for extension in ("svg", "png", "pdf", "eps"):
        out = folder(f"long/{extension}")
        pattern = str(out / f"{{line:03}}-{{number}}.{extension}")
        expect(run("render", "--batch", listing, "-o", pattern), 0,
               stderr=r"varnholt: 400 files written, 0 not rendered\n\Z")
        names = sorted(os.listdir(out))
        assert names == [f"{i + 1:03}-{n}.{extension}" for i, n in enumerate(numbers)], names[:3]
        if extension != "eps":
            for name in (names[0], names[199], names[-1]):
                assert scan(str(out / name)) == [name[4:17]], name


@case
def add_ons_in_a_batch_name_their_files_and_bad_ones_are_passed_over():
    numbers = text("addon/numbers.txt",
                   b"9780306406157+51234\n9771234567003 + 02\n96385074+12\n5400101109971+123\n")
    out = folder("addon/labels")
    _, err = expect(run("render", "--batch", numbers, "-o", str(out / "{line}-{number}.png")), 1)
    assert sorted(os.listdir(out)) == ["1-9780306406157+51234.png", "2-9771234567003+02.png"], \
        os.listdir(out)
    assert f"{numbers}:3: 96385074+12: an EAN-8 takes no add-on" in err, err
    assert f"{numbers}:4: 5400101109971+123: an add-on has 2 or 5 digits, not 3" in err, err
    assert scan_family(str(out / "2-9771234567003+02.png")) == ["EAN-13:9771234567003",
                                                               "EAN-2:02"]
    upce = text("addon/upce.txt", b"0123456+12345\n1123456\n")
    expect(run("render", "--batch", upce, "--symbology", "upce", "-o",
               str(folder("addon/upce") / "{number}.svg")), 0)
    assert sorted(os.listdir(SCRATCH / "addon/upce")) == ["01234565+12345.svg", "11234562.svg"]


@case
def a_batch_from_standard_input():
    out = folder("stdin")
    expect(run("render", "--batch", "-", "-o", str(out / "{number}.svg"),
               stdin=b"5400101109971\n96385074\n"), 0)
    assert sorted(os.listdir(out)) == ["5400101109971.svg", "96385074.svg"]


@case
def a_catalogue_batch_names_files_by_column_and_passes_over_unsafe_names_and_second_writes():
    # ";" between fields, a byte-order mark, CR LF, and line breaks inside quoted names: each
    # message names the line its record starts on.
    catalogue = text("catalogue/export.csv", (
        '\ufeffsku;name;ean\r\n'
        'A-1;"Lamp; ""big""\r\nsecond line";5400101109971\r\n'   # lines 2-3
        '..;up;96385074\r\n'                                      # 4: a folder
        'a/b;slash;4006381333931\r\n'                             # 5
        'A-1;again;9780306406157\r\n'                             # 6: A-1.png written
        ';empty;4006381333931\r\n'                                # 7
        '"tab\there";tab;4006381333931\r\n'                        # 8
        'B-2;"two\nlines";4006381333931\r\n'                       # lines 9-10
        'C-3;twelve;400638133393\r\n'                             # 11
        'D-4;wrong;5400101109972\r\n').encode())                  # 12: not drawn
    out = folder("catalogue/labels")
    _, err = expect(run("render", "--batch", catalogue, "--column", "ean", "-o",
                        str(out / "{column:sku}.png")), 1)
    assert sorted(os.listdir(out)) == ["A-1.png", "B-2.png", "C-3.png"], os.listdir(out)
    for name, number in (("A-1", "5400101109971"), ("B-2", "4006381333931"),
                         ("C-3", "4006381333931")):
        assert scan(str(out / f"{name}.png")) == [number], name
    said = [line.split(": ", 2)[1:] for line in err.splitlines() if catalogue in line]
    assert [where.rsplit(":", 1)[1] for where, _ in said] == ["4", "5", "6", "7", "8", "12"], \
        err
    assert "names a folder" in said[0][1] and 'holds a "/"' in said[1][1], said
    assert "A-1.png: an earlier line of the batch wrote it" in said[2][1], said
    assert "is empty" in said[3][1] and "control character" in said[4][1], said
    assert err.endswith("varnholt: 3 files written, 6 not rendered\n"), err
    # A number a line is refused a second write too; a column the header lacks stops the batch.
    numbers = text("catalogue/twice.txt", b"96385074\n96385074\n")
    expect(run("render", "--batch", numbers, "-o", str(folder("catalogue/twice") / "{number}.svg")),
           1, stderr=r"twice\.txt:2: .*96385074\.svg: an earlier line of the batch wrote it")
    for args, message in ((["--column", "ean", "-o", "{column:price}.png"], "no such column"),
                          (["--column", "price", "-o", "{line}.png"], r"no column price in the "
                                                                       r"header, which names "
                                                                       r"sku, name, ean\n"),
                          (["--column", "3", "-o", "{column:sku}.png"], "number from 1")):
        expect(run("render", "--batch", catalogue, *args, cwd=str(folder("catalogue/none"))), 2,
               stderr=message)
    assert not os.listdir(SCRATCH / "catalogue/none")


@case
def a_pattern_without_a_placeholder_is_refused_before_anything_is_written():
    numbers = text("pattern/numbers.txt", b"5400101109971\n96385074\n")
    out = folder("pattern/out")
    for pattern, message in (("all.svg", r"a batch needs \{number\}, \{line\} or \{column:NAME\}"),
                             ("{nmber}.svg", r"unknown placeholder \{nmber\}"),
                             ("{line:0x}.svg", r"give the width as \{line:0N\}"),
                             ("{number.svg", r'a "\{" without its "\}"'),
                             ("{column:sku}.svg", r"\{column:NAME\} takes a catalogue's field"),
                             ("-", r"give -o a pattern")):
        expect(run("render", "--batch", numbers, "-o", str(out / pattern) if pattern != "-"
                   else "-"), 2, stderr=message)
    assert not os.listdir(out), "nothing written"


@case
def unreadable_input_and_unwritable_output_exit_with_2_leaving_nothing():
    numbers = text("io/numbers.txt", b"5400101109971\n96385074\n")
    _, err = expect(run("render", "--batch", str(SCRATCH / "io/missing.txt"), "-o",
                        "{number}.svg"), 2, stderr=r"missing\.txt: No such file or directory")
    assert err.count("\n") == 1, f"the fault alone: {err!r}"
    expect(run("render", "--batch", str(SCRATCH / "io"), "-o", "{number}.svg"), 2,
           stderr=r"io: Is a directory")
    expect(run("render", "5400101109971", "-f", "png", "-o", "/dev/full"), 2,
           stderr=r"varnholt: /dev/full: No space left on device")
    # A folder part that is a file is no folder to make.
    expect(run("render", "--batch", numbers, "-o", str(SCRATCH / "io/numbers.txt/{number}.svg")),
           2, stderr=r"io/numbers\.txt: Not a directory\n")
    # Root writes into any folder of an ordinary file system, but into none of sysfs.
    locked = folder("io/locked")
    locked.chmod(0o500)
    target = "/sys/varnholt-{number}.svg" if os.geteuid() == 0 else str(locked / "{number}.svg")
    expect(run("render", "--batch", numbers, "-o", target), 2, stderr=r"Permission denied")
    locked.chmod(0o700)
    assert sorted(os.listdir(SCRATCH / "io")) == ["locked", "numbers.txt"], \
        os.listdir(SCRATCH / "io")
    assert not os.listdir(locked)


# --- GS1 data --------------------------------------------------------------------------------
GS1_DATA = "(01)09506000134352(17)271231(10)AB-123"
GS1_URI = "https://id.gs1.org/01/09506000134352/10/AB-123?17=271231"


def zbar_data(path):
    """Everything zbarimg reads in a PNG, one symbol's data a line."""
    result = subprocess.run(["zbarimg", "-q", "--raw", path], capture_output=True)
    return result.stdout.decode().splitlines()


@case
def gs1_data_in_each_carrier_and_format():
    out = folder("gs1")
    for symbology, magic_name in (("gs1-128", "a"), ("datamatrix", "b"), ("qr", "c")):
        for extension in ("svg", "pdf", "eps", "png"):
            path = out / f"{magic_name}.{extension}"
            expect(run("render", GS1_DATA, "--symbology", symbology, "--dpi", "300", "-o",
                       str(path)), 0, stderr=r"\Avarnholt: size 0\.495 mm at 300 dpi: 6 dots = "
                                             r"0\.508 mm\n")
            assert path.stat().st_size > 0
    # ZBar reads GS1-128 and QR Code; the QR Code carries the Digital Link URI.
    assert zbar_data(str(out / "a.png")) == ["01095060001343521727123110AB-123"]
    assert zbar_data(str(out / "c.png")) == [
        "https://id.gs1.org/01/09506000134352/10/AB-123?17=271231"]
    _, err = expect(run("render", GS1_DATA, "--symbology", "qr", "-o", str(out / "d.svg")), 0)
    assert err.count("drawn as its Digital Link URI https://id.gs1.org/01/09506000134352/10/"
                     "AB-123?17=271231") == 1, err
    _, err = expect(run("render", GS1_URI, "--symbology", "qr", "--ecc", "h", "-o",
                        str(out / "e.png")), 0)
    assert "Digital Link" not in err, err
    assert zbar_data(str(out / "e.png")) == [GS1_URI]
    expect(run("render", GS1_DATA, "--symbology", "datamatrix", "-f", "svg", "-o", "-"), 0,
           stdout=r"<title>\(01\) 09506000134352 \(17\) 271231 \(10\) AB-123</title>")
    # Without its text a DataMatrix is its modules and quiet zone alone: 20 x 20 modules of
    # 6 dots and a module all round, which dmtxread reads.
    expect(run("render", GS1_DATA, "--symbology", "datamatrix", "--no-text", "--dpi", "300",
               "-o", str(out / "f.png")), 0)
    assert (out / "f.png").read_bytes()[16:24] == (22 * 6).to_bytes(4, "big") * 2
    read = subprocess.run(["dmtxread", str(out / "f.png")], capture_output=True)
    assert read.stdout == b"01095060001343521727123110AB-123", read


@case
def gs1_batches_name_files_by_gtin():
    batch = text("gs1batch/data.txt", (GS1_DATA + "\n(01)09506000134353\n"
                                        "(00)106141412345678908\n").encode())
    out = folder("gs1batch/out")
    _, err = expect(run("render", "--batch", batch, "--symbology", "qr", "-o",
                        str(out / "{line}-{number}.png")), 1)
    assert sorted(os.listdir(out)) == ["1-09506000134352.png", "3-00-106141412345678908.png"], \
        os.listdir(out)
    assert err.count("Digital Link URI") == 1, err
    assert "data.txt:2: " in err and "2 files written, 1 not rendered" in err, err


@case
def gs1_refusals_say_why_and_write_nothing():
    out = folder("gs1bad")
    long_uri = "https://id.gs1.org/01/09506000134352?x=" + "a" * 3000
    for args, status, message in (
            (["(01)09506000134353", "--symbology", "gs1-128"], 1, r"\(01\)"),
            (["09506000134352", "--symbology", "datamatrix"], 1, r"09506000134352: "),
            (["(01)09506000134352(10)ABCDEFGHIJKLMNOPQRST(21)ABCDEFGHIJKLMNOPQRST",
              "--symbology", "gs1-128"], 1, r"more than the 48 one symbol may carry"),
            (["(01)09506000134352(10)ABCDEFGHIJKLMNOPQRST", "--symbology", "gs1-128",
              "--xdim", "1"], 1, r"more than the 165\.1 mm one symbol may take"),
            ([long_uri, "--symbology", "datamatrix"], 1, r"144"),
            ([long_uri, "--symbology", "qr"], 1, r"version 40"),
            ([GS1_DATA, "--symbology", "gs1-128", "--xdim", "0.33"], 2,
             r"X-dimension 0\.33 mm is outside 0\.495 to 1\.016 mm for GS1-128 "
             r"\(target 0\.495 mm\)"),
            ([GS1_DATA, "--symbology", "datamatrix", "--xdim", "1.5"], 2,
             r"outside 0\.396 to 0\.99 mm for DataMatrix"),
            ([GS1_DATA, "--symbology", "gs1-128", "--ecc", "H"], 2, r"--ecc is for QR Code"),
            ([GS1_DATA, "--shape", "rectangle"], 2, r"--shape is for DataMatrix"),
            ([GS1_DATA, "--symbology", "qr", "--no-text"], 2, r"--no-text is for DataMatrix"),
            ([GS1_DATA, "--symbology", "gs1-128", "--margin-indicators"], 2,
             r"margin indicators belong to EAN/UPC")):
        expect(run("render", *args, "-o", str(out / "a.png")), status, stderr=message)
    batch = text("gs1bad/../gs1sheet.txt", (GS1_DATA + "\n").encode())
    expect(run("render", "--batch", batch, "--symbology", "datamatrix", "--sheet", "avery-l7160",
               "-o", str(out / "sheet.pdf")), 2,
           stderr=r"label sheets hold EAN/UPC symbols, alone or in a pair such as "
                  r"ean13,datamatrix with --gs1: draw DataMatrix alone into a file each")
    assert not os.listdir(out), "nothing written"


cases.finish()
