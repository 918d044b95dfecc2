#!/usr/bin/env python3
"""The program's command line, run as a process: help and version, exit statuses, the
formats as other programs read them, the progress bar on a terminal, and the bad inputs a
catalogue can hold.

Usage: command_line_e2e.py VARNHOLT WINDOWLESS_VARNHOLT MANUAL_PAGE

VARNHOLT is the program as built; WINDOWLESS_VARNHOLT the same command line built without
the window (the same file when the build has no window). Prints each case; exits with 1 when
one fails.
"""

import csv
import io
import json
import os
import pathlib
import pty
import random
import re
import resource
import select
import subprocess
import sys
import time

from process_cases import Cases

PROGRAM, WINDOWLESS = (os.path.abspath(path) for path in sys.argv[1:3])
MANUAL = pathlib.Path(sys.argv[3])
BOM = b"\xef\xbb\xbf"
HEADER = ["file", "line", "number", "valid", "country", "number_system", "manufacturer_code",
          "product_code", "expected_check_digit", "error", "format", "gtin", "element_string",
          "digital_link"]

cases = Cases(PROGRAM)
case, run, text, expect = cases.case, cases.run, cases.text, cases.expect
SCRATCH, ENV = cases.scratch, cases.env


def csv_rows(out):
    rows = list(csv.reader(io.StringIO(out, newline="")))
    assert rows[0] == HEADER, rows[0]
    return [dict(zip(HEADER, row)) for row in rows[1:]]


# --- The program ----------------------------------------------------------------------------
@case
def help_lists_the_commands():
    out, err = expect(run("--help"), 0, stdout=r"Usage: varnholt")
    assert "check" in out and "render" in out and "help" in out and err == "", (out, err)


@case
def help_of_a_command():
    for args in (["help", "check"], ["check", "--help"], ["check", "-h"]):
        out, _ = expect(run(*args), 0, stdout=r"Usage: varnholt check")
        for option in ("--format", "--invalid-only", "--quiet"):
            assert option in out, (args, option)


@case
def version():
    expect(run("--version"), 0, stdout=r"\Avarnholt \d+\.\d+\.\d+\n\Z")


@case
def usage_errors_exit_with_2():
    expect(run("check", "--bogus"), 2,
           stderr=r"\Avarnholt: .*--bogus.*\nTry 'varnholt check --help' for more information\.\n\Z")
    expect(run("frobnicate"), 2, stderr=r"\Avarnholt: .*frobnicate.*\nTry 'varnholt --help'")
    expect(run("check", "--format", "xml"), 2, stderr=r"varnholt: --format: xml")
    expect(run("help", "nope"), 2, stderr=r"varnholt: no such command: nope")
    expect(run("--"), 2, stderr=r"varnholt: no command given")


@case
def without_a_window_the_program_says_so():
    out, err = expect(run(program=WINDOWLESS), 2, stderr=r"Usage: varnholt")
    assert "no window" in err and out == "", (out, err)
    if WINDOWLESS != PROGRAM:
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        expect(run(env=env), 2, stderr=r"no display .*'varnholt --help'")


# --- check: results and exit statuses -------------------------------------------------------
@case
def every_number_valid_exits_with_0():
    path = text("valid.txt", b"5400101109971\n4006381333931\n96385074\n")
    out, err = expect(run("check", "--format", "csv", path), 0)
    rows = csv_rows(out)
    assert [(r["number"], r["valid"], r["country"], r["number_system"], r["manufacturer_code"],
             r["product_code"]) for r in rows] == [
        ("5400101109971", "true", "BE-LU", "54", "00101", "10997"),
        ("4006381333931", "true", "DE", "400", "6381", "33393"),
        ("96385074", "true", "", "963", "", "8507")], rows
    assert err == "varnholt: 3 lines: 3 valid, 0 invalid, 0 errors\n", err


@case
def a_wrong_check_digit_exits_with_1():
    path = text("invalid.txt", b"5400101109972\n5400101109971\n")
    out, err = expect(run("check", "-f", "csv", path), 1)
    rows = csv_rows(out)
    assert rows[0]["valid"] == "false" and rows[0]["expected_check_digit"] == "1", rows
    assert rows[0]["error"] == "" and "invalid" in err and "varnholt: invalid.txt" not in err


@case
def a_line_that_is_no_number_exits_with_1_and_says_where():
    path = text("error.txt", b"5400101109971\n\n  54001O1109971\n")
    out, err = expect(run("check", "-f", "csv", path), 1)
    assert f"varnholt: {path}:3: \"O\" at column 8 is not a digit\n" in err, err
    assert err.endswith("varnholt: 3 lines: 1 valid, 0 invalid, 1 error, 1 blank\n"), err
    rows = csv_rows(out)
    assert [r["line"] for r in rows] == ["1", "3"], rows


@case
def a_file_that_cannot_be_read_exits_with_2_after_the_others():
    good = text("good.txt", b"5400101109971\n")
    out, err = expect(run("check", "-f", "csv", good, str(SCRATCH / "missing.txt"), good), 2)
    assert len(csv_rows(out)) == 2
    assert f"varnholt: {SCRATCH / 'missing.txt'}: No such file or directory\n" in err, err


@case
def standard_input_by_default_and_as_dash():
    for args in (["check", "-f", "csv"], ["check", "-f", "csv", "-"]):
        out, _ = expect(run(*args, stdin=b"96385074\n"), 0)
        rows = csv_rows(out)
        assert rows[0]["file"] == "(standard input)" and rows[0]["number"] == "96385074", rows


@case
def double_dash_ends_the_options():
    text("-x", b"5400101109971\n")
    result = subprocess.run([PROGRAM, "check", "-f", "csv", "--", "-x"], cwd=SCRATCH,
                            capture_output=True, env=ENV)
    out, _ = expect(result, 0)
    assert csv_rows(out)[0]["file"] == "-x"


@case
def byte_order_mark_crlf_blank_lines_and_blanks_around():
    path = text("dos.txt", BOM + b"5400101109971\r\n\r\n \t4006381333931 \r\n   \r\n96385074")
    out, err = expect(run("check", "-f", "csv", path), 0)
    rows = csv_rows(out)
    assert [(r["line"], r["number"]) for r in rows] == [
        ("1", "5400101109971"), ("3", "4006381333931"), ("5", "96385074")], rows
    assert err == "varnholt: 5 lines: 3 valid, 0 invalid, 0 errors, 2 blank\n", err


# --- check: the formats ---------------------------------------------------------------------
MIXED = b"5400101109971\n5400101109972\n96385074\n12,345\n\"x\"\n"


@case
def csv_is_read_back_by_a_csv_reader():
    out, _ = expect(run("check", "--format=csv", text("mixed.txt", MIXED)), 1)
    rows = csv_rows(out)
    assert [r["number"] for r in rows] == ["5400101109971", "5400101109972", "96385074",
                                           "12,345", "\"x\""], rows
    assert rows[3]["error"] == "\",\" at column 3 is not a digit", rows[3]
    assert rows[4]["error"] == "'\"' at column 1 is not a digit".replace("'", '"'), rows[4]


@case
def tsv_has_a_header_and_a_field_a_column_in_each_row():
    out, _ = expect(run("check", "-f", "tsv", text("mixed.txt", MIXED)), 1)
    lines = out.splitlines()
    assert lines[0].split("\t") == HEADER
    assert all(len(line.split("\t")) == len(HEADER) for line in lines), lines
    assert lines[2].split("\t")[8] == "1", lines[2]


@case
def jsonl_is_one_object_a_line_with_the_csv_columns():
    out, _ = expect(run("check", "-f", "jsonl", text("mixed.txt", MIXED)), 1)
    objects = [json.loads(line) for line in out.splitlines()]
    assert [list(o) for o in objects] == [HEADER] * 5, objects[0]
    assert objects[1]["expected_check_digit"] == 1 and objects[1]["valid"] is False
    assert objects[2]["manufacturer_code"] is None and objects[2]["number_system"] == "963"
    assert objects[4]["number"] == "\"x\"", objects[4]
    # An ISBN-10's check digit can be X, which is no JSON number.
    out, _ = expect(run("check", "-f", "jsonl", stdin=b"6531908362\n"), 1)
    assert json.loads(out)["expected_check_digit"] == "X", out


@case
def table_is_aligned():
    out, _ = expect(run("check", text("mixed.txt", MIXED)), 1)
    lines = out.splitlines()
    assert lines[0].split() == ["LINE", "NUMBER", "RESULT", "COUNTRY", "SYSTEM",
                                "MANUFACTURER", "PRODUCT", "FORMAT", "GTIN", "ELEMENT",
                                "STRING", "DIGITAL", "LINK", "NOTE"], lines[0]
    result_column = lines[0].index("RESULT")
    assert [line[result_column:result_column + 7].strip() for line in lines[1:]] == [
        "valid", "invalid", "valid", "error", "error"], lines
    assert "(none)" in lines[3] and "check digit 2 is wrong, 540010110997 needs 1" in lines[2], lines


@case
def the_format_named_in_any_letter_case():
    out, _ = expect(run("check", "--format", "CSV", text("valid.txt", b"96385074\n")), 0)
    assert csv_rows(out)[0]["number"] == "96385074"


@case
def invalid_only_and_quiet():
    path = text("mixed.txt", MIXED)
    out, _ = expect(run("check", "-f", "csv", "--invalid-only", path), 1)
    assert [r["line"] for r in csv_rows(out)] == ["2", "4", "5"]
    out, err = expect(run("check", "--quiet", path), 1)
    assert out == "" and err == "varnholt: 5 lines: 2 valid, 1 invalid, 2 errors\n", (out, err)
    expect(run("check", "-q", text("valid.txt", b"96385074\n")), 0, stdout=r"\A\Z")


# --- check: the whole family, as python3-stdnum judges it ------------------------------------
STDNUM_PEER = r"""
import json, sys
from stdnum import ean, isbn
for line in sys.stdin.read().splitlines():
    number = line.strip()
    if len(number.replace("-", "").replace(" ", "")) == 10:
        valid = isbn.is_valid(number)
        gtin = "0" + isbn.compact(isbn.to_isbn13(number)) if valid else ""
    else:
        valid = ean.is_valid(number)
        gtin = ean.compact(number).rjust(14, "0") if valid else ""
    print(json.dumps([valid, gtin]))
"""


def family_lines(count, seed):
    """Random lines of every member, right and wrong, written plainly and with separators,
    and junk: what a mixed catalogue holds."""
    generator = random.Random(seed)
    lines = []
    for _ in range(count):
        kind = generator.choice(["8", "12", "13", "14", "isbn", "junk"])
        if kind == "junk":
            junk = "".join(generator.choice("0123456789X-+ ab") for _ in
                           range(generator.randrange(1, 16)))
            lines.append(junk if junk.strip() else "-")
            continue
        if kind == "isbn":
            body = [generator.randrange(10) for _ in range(9)]
            total = sum((10 - i) * d for i, d in enumerate(body))
            check = (11 - total % 11) % 11
            digits = "".join(map(str, body)) + ("X" if check == 10 else str(check))
        else:
            body = "".join(generator.choice("0123456789") for _ in range(int(kind) - 1))
            total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
            digits = body + str((10 - total % 10) % 10)
        if generator.random() < 0.3:
            wrong = str((int(digits[-1]) + generator.randrange(1, 10)) % 10 if digits[-1] != "X"
                        else generator.randrange(10))
            digits = digits[:-1] + wrong
        if generator.random() < 0.2:
            at = generator.randrange(1, len(digits))
            digits = digits[:at] + generator.choice("- ") + digits[at:]
        lines.append(digits)
    return lines


@case
def check_agrees_with_python_stdnum_on_every_member():
    lines = family_lines(3000, seed=18)
    stdin = ("\n".join(lines) + "\n").encode()
    peer = subprocess.run(["/usr/bin/python3", "-c", STDNUM_PEER], input=stdin,
                          capture_output=True, check=True).stdout.decode().splitlines()
    out, _ = expect(run("check", "-f", "csv", stdin=stdin), 1)
    rows = csv_rows(out)
    assert len(rows) == len(lines) == len(peer), (len(rows), len(lines), len(peer))
    for line, row, judged in zip(lines, rows, peer):
        valid, gtin = json.loads(judged)
        assert (row["valid"] == "true") == valid, (line, row, valid)
        assert row["gtin"] == gtin, (line, row["gtin"], gtin)
        if not valid and row["format"]:
            assert row["expected_check_digit"] != "", (line, row)


# --- check: GS1 data beside numbers, as python3-stdnum's gs1_128 judges it --------------------
GS1_PEER = r"""
import json, sys
from stdnum import gs1_128
for line in sys.stdin.read().splitlines():
    try:
        gs1_128.validate(line)
        print(json.dumps(True))
    except Exception:
        print(json.dumps(False))
"""


def gtin(generator):
    body = "".join(generator.choice("0123456789") for _ in range(13))
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    return body + str((10 - total % 10) % 10)


def gs1_lines(count, seed):
    """GS1 data in its three syntaxes among GTINs: a GTIN under (01), a date under (17) and a
    batch under (10), some of them wrong in a way stdnum checks too (a check digit, a month, a
    letter in the GTIN, a batch too long). Each GS1 line comes with the same data bracketed,
    fixed-length AIs first, which stdnum reads as we do."""
    generator = random.Random(seed)
    lines = []
    for _ in range(count):
        number = gtin(generator)
        date = f"{generator.randrange(100):02d}{generator.randrange(1, 13):02d}00"
        batch = "".join(generator.choice("ABCXYZ0123456789-.") for _ in
                        range(generator.randrange(1, 21)))
        fault = generator.choice([None, None, "digit", "month", "letter", "long"])
        if fault == "digit":
            number = number[:-1] + str((int(number[-1]) + generator.randrange(1, 10)) % 10)
        elif fault == "month":
            date = date[:2] + generator.choice(["00", "13", "20"]) + date[4:]
        elif fault == "letter":
            at = generator.randrange(14)
            number = number[:at] + "A" + number[at + 1:]
        elif fault == "long":
            batch = (batch * 21)[:21]
        bracketed = f"(01){number}(17){date}(10){batch}"
        kind = generator.choice(["gtin", "bracketed", "scanner", "link"])
        if kind == "gtin":
            lines.append((number[1:], None))
        elif kind == "bracketed":
            lines.append((bracketed, bracketed))
        elif kind == "scanner":
            lines.append((f"]d201{number}10{batch}\x1d17{date}", bracketed))
        else:
            lines.append((f"https://example.org/01/{number}/10/{batch}?17={date}", bracketed))
    return lines


@case
def gs1_data_among_gtins_agrees_with_python_stdnum_in_csv_and_jsonl():
    lines = gs1_lines(2000, seed=1209)
    path = SCRATCH / "gs1.txt"
    path.write_bytes(("\n".join(line for line, _ in lines) + "\n").encode())
    peer_input = ("\n".join(b for _, b in lines if b) + "\n").encode()
    peer = iter(json.loads(v) for v in subprocess.run(
        ["/usr/bin/python3", "-c", GS1_PEER], input=peer_input, capture_output=True,
        check=True).stdout.decode().splitlines())
    out, _ = expect(run("check", "-f", "csv", str(path)), 1)
    rows = csv_rows(out)
    jsonl, _ = expect(run("check", "-f", "jsonl", str(path)), 1)
    objects = [json.loads(line) for line in jsonl.splitlines()]
    assert len(rows) == len(objects) == len(lines), (len(rows), len(objects), len(lines))
    kinds = set()
    for (line, bracketed), row, record in zip(lines, rows, objects):
        assert record["valid"] == (row["valid"] == "true"), (line, row, record)
        assert (record["element_string"] or "") == row["element_string"], (line, record)
        assert (record["digital_link"] or "") == row["digital_link"], (line, record)
        if bracketed is None:
            # A number as ever: a GTIN-13, or no number for one with a letter.
            assert row["format"] in ("GTIN-13", "") and row["element_string"] == "" and \
                row["digital_link"] == "", (line, row)
            continue
        valid = next(peer)
        kinds.add((line[0], valid))
        assert (row["valid"] == "true") == valid, (line, row, valid)
        assert row["format"] == ("GS1 Digital Link" if line.startswith("http")
                                 else "GS1 element string"), (line, row)
        if not valid:
            assert row["error"].startswith("AI ("), (line, row)
            continue
        # Read back in the normal forms, each naming the same data at GS1's own stem.
        number, date, batch = bracketed[4:18], bracketed[22:28], bracketed[32:]
        assert row["gtin"] == number, (line, row)
        assert row["number_system"] + row["manufacturer_code"] + row["product_code"] == \
            number[1:13], (line, row)
        assert row["element_string"] in (bracketed, f"(01){number}(10){batch}(17){date}"), row
        assert row["digital_link"] == \
            f"https://id.gs1.org/01/{number}/10/{batch}?17={date}", (line, row)
    # Every syntax met, right and wrong.
    assert len(kinds) == 6, kinds


# --- check: catalogues ---------------------------------------------------------------------
CATALOGUE_HEADER = ["sku", "Name", "EAN", "country", "line"]


def catalogue(count, seed):
    """A shop's export as spreadsheets write it: a byte-order mark, ";" between fields, CR LF,
    names quoted with the delimiter, doubled quotes and line breaks inside, and rows that stop
    before the number's column. The records, and the line each starts on, counted here."""
    generator = random.Random(seed)
    numbers = family_lines(count, seed)
    records, starts = [], []
    out = io.StringIO(newline="")
    writer = csv.writer(out, delimiter=";", lineterminator="\r\n")
    writer.writerow(CATALOGUE_HEADER)
    for index, number in enumerate(numbers):
        name = generator.choice(["Lamp", 'Hose 12" wide', "Oak; large", "Two\nlines",
                                 "Three\r\nlines\nhere", "Tab\there"])
        record = [f"SKU-{index}", name, number, generator.choice(["DE", ""]), str(index)]
        if generator.random() < 0.05:
            record = record[:2]
        starts.append(out.getvalue().count("\n") + 1)
        records.append(record)
        writer.writerow(record)
    return BOM + out.getvalue().encode(), records, starts


@case
def a_catalogue_column_is_checked_at_each_record_s_first_line():
    content, records, starts = catalogue(1500, seed=19)
    path = text("catalogue.csv", content)
    numbers = [(record[2], start) for record, start in zip(records, starts) if len(record) > 2]
    stdin = ("\n".join(number for number, _ in numbers) + "\n").encode()
    peer = subprocess.run(["/usr/bin/python3", "-c", STDNUM_PEER], input=stdin,
                          capture_output=True, check=True).stdout.decode().splitlines()
    out, err = expect(run("check", "--column", "ean", "-f", "csv", path), 1)
    rows = csv_rows(out)
    assert len(rows) == len(numbers), (len(rows), len(numbers))
    for (number, start), row, judged in zip(numbers, rows, peer):
        assert row["line"] == str(start) and row["number"] == number.strip(), (row, start)
        assert (row["valid"] == "true") == json.loads(judged)[0], (number, row)
    assert f"{len(records)} records:" in err and f" {len(records) - len(numbers)} blank" in err
    # The column by number, the header skipped; the delimiter given.
    for args in (["-c", "3", "--header"], ["--column=EAN", "--delimiter", ";"]):
        assert run("check", *args, "-f", "csv", path).stdout.decode() == out, args
    # Without --header the header is a record, whose "EAN" is no number.
    out, err = expect(run("check", "-c", "3", "-f", "csv", path), 1)
    assert csv_rows(out)[0]["line"] == "1" and f"{path}:1: " in err, err
    expect(run("check", "--column", "ean", "--delimiter", ",", path), 2,
           stderr=r"no column ean in the header, which names \ufeff?sku;Name;EAN")


@case
def keep_columns_annotates_the_catalogue_and_renames_clashing_facts_once():
    content, records, starts = catalogue(300, seed=20)
    path = text("annotate.csv", content)
    facts = [name + "_2" if name in ("country", "line") else name for name in HEADER]
    out, err = expect(run("check", "-c", "EAN", "--keep-columns", "-f", "csv", path), 1)
    rows = list(csv.reader(io.StringIO(out, newline="")))
    assert rows[0] == CATALOGUE_HEADER + facts, rows[0]
    kept = [(r, s) for r, s in zip(records, starts) if len(r) > 2 and r[2].strip()]
    assert len(rows) - 1 == len(kept), (len(rows), len(kept))
    for row, (record, start) in zip(rows[1:], kept):
        assert row[:5] == record, (row, record)  # byte for byte, line breaks and all
        assert row[5 + facts.index("line_2")] == str(start), (row, start)
    assert err.count("written line as line_2, country as country_2\n") == 1, err
    out, _ = expect(run("check", "-c", "EAN", "-k", "-f", "jsonl", path), 1)
    objects = [json.loads(line) for line in out.splitlines()]
    assert [o["line_2"] for o in objects] == [s for _, s in kept], objects[:2]
    assert [o["sku"] for o in objects] == [r[0] for r, _ in kept]
    out, _ = expect(run("check", "-c", "EAN", "-k", "-f", "tsv", path), 1)
    lines = out.split("\n")[:-1]
    assert len(lines) == len(kept) + 1 and all(line.count("\t") == 18 for line in lines), \
        [line for line in lines if line.count("\t") != 16][:2]
    for args, message in ((["-c", "EAN", "-k"], r"--keep-columns writes csv, tsv or jsonl"),
                          (["-c", "EAN", "-k", "-f", "csv", path], r"annotates one catalogue"),
                          (["-k", "-f", "csv"], r"--keep-columns requires --column"),
                          (["--header"], r"--header requires --column"),
                          (["--column", "0"], r"number from 1"),
                          (["-c", "EAN", "--delimiter", "|"], r"give , ; or tab")):
        expect(run("check", *args, path), 2, stderr=message)


@case
def a_catalogue_of_200_megabytes_in_flat_memory():
    path = SCRATCH / "big.csv"
    record = b'"Oak; large\nshelf";5400101109971;"12"" wide"\r\n'
    count = 200_000_000 // len(record)
    with open(path, "wb") as out:
        out.write(b"name;ean;size\r\n")
        for _ in range(100):
            out.write(record * (count // 100))
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    _, err = expect(run("check", "-c", "ean", "-f", "csv", str(path), stdout=subprocess.DEVNULL),
                    0)
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    path.unlink()
    assert err == f"varnholt: {count // 100 * 100} records: {count // 100 * 100} valid, " \
                  "0 invalid, 0 errors\n", err
    assert max(peak, before) < 80_000, f"peak resident memory {peak} KiB"


# --- check: bad inputs ----------------------------------------------------------------------
@case
def empty_file():
    path = text("empty.txt", b"")
    expect(run("check", path), 0, stdout=r"\A\Z",
           stderr=r"\Avarnholt: 0 lines: 0 valid, 0 invalid, 0 errors\n\Z")
    out, _ = expect(run("check", "-f", "csv", path), 0)
    assert csv_rows(out) == []


@case
def only_a_byte_order_mark():
    expect(run("check", text("bom.txt", BOM)), 0, stdout=r"\A\Z", stderr=r"0 lines")


@case
def nul_bytes():
    path = text("nul.txt", b"5400\x00101109971\n\x00\n")
    out, err = expect(run("check", "-f", "csv", path), 1)
    assert f"{path}:1: byte 0x00 at column 5 is not a digit" in err, err
    assert f"{path}:2: byte 0x00 at column 1 is not a digit" in err, err
    rows = csv_rows(out)
    assert "\x00" not in out and rows[0]["number"] == "5400\ufffd101109971", rows


@case
def a_line_of_100_megabytes():
    path = SCRATCH / "long.txt"
    with open(path, "wb") as out:
        for _ in range(100):
            out.write(b"7" * 1_000_000)
        out.write(b"\n5400101109971\n")
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    out, err = expect(run("check", "-f", "csv", str(path)), 1)
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    path.unlink()
    assert f"{path}:1: line too long to be a number (100000000 bytes)" in err, err
    rows = csv_rows(out)
    assert rows[0]["number"] == "7" * 32, rows
    assert rows[1]["valid"] == "true", rows
    # Holding the line would take 100 MB; peaks here include this script's own.
    assert max(peak, before) < 80_000, f"peak resident memory {peak} KiB"


@case
def invalid_utf8():
    path = text("latin1.txt", b"caf\xe9\n540010110997\xff\n")
    out, err = expect(run("check", "-f", "csv", path), 1)
    assert f"{path}:1: \"c\" at column 1 is not a digit" in err, err
    assert f"{path}:2: byte 0xFF at column 13 is not a digit" in err, err
    rows = csv_rows(out)
    assert rows[0]["number"] == "caf\ufffd" and rows[1]["number"].endswith("\ufffd"), rows


@case
def a_directory_as_input():
    expect(run("check", str(SCRATCH)), 2, stderr=rf"varnholt: {re.escape(str(SCRATCH))}: Is a directory\n")


@case
def a_missing_file():
    missing = str(SCRATCH / "no such file.txt")
    expect(run("check", missing), 2,
           stderr=rf"\Avarnholt: {re.escape(missing)}: No such file or directory\n")


@case
def dev_full_as_output():
    path = text("valid.txt", b"5400101109971\n")
    for args in (["check", path], ["check", "-f", "csv", path], ["--help"]):
        with open("/dev/full", "wb") as full:
            result = run(*args, stdout=full)
        expect(result, 2, stderr=r"varnholt: standard output: No space left on device\n")


@case
def unknown_option():
    expect(run("check", "--colour", text("valid.txt", b"96385074\n")), 2,
           stderr=r"varnholt: .*--colour")


# --- check: the progress bar ----------------------------------------------------------------
def run_with_terminal_stderr(args, feed):
    """Runs the program with standard error on a terminal and `feed` writing standard input;
    gives its exit status and what the terminal showed."""
    leader, follower = pty.openpty()
    process = subprocess.Popen([PROGRAM, *args], stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=follower, env=ENV)
    os.close(follower)
    feed(process.stdin)
    process.stdin.close()
    shown = b""
    while True:
        ready, _, _ = select.select([leader], [], [], 30)
        if not ready:
            break
        try:
            chunk = os.read(leader, 65536)
        except OSError:
            break
        if not chunk:
            break
        shown += chunk
    os.close(leader)
    return process.wait(timeout=30), shown.decode(errors="replace")


@case
def progress_shows_on_a_terminal_once_work_lasts():
    def slowly(stdin):
        stdin.write(b"5400101109971\n" * 5000)
        stdin.flush()
        time.sleep(1.5)
        stdin.write(b"5400101109971\n" * 20000)

    status, shown = run_with_terminal_stderr(["check", "-q"], slowly)
    assert status == 0, shown
    assert re.search(r"\r\x1b\[K\d+ lines, \d+ MB", shown), repr(shown[:300])
    assert shown.endswith("\r\x1b[Kvarnholt: 25000 lines: 25000 valid, 0 invalid, 0 errors\r\n"), \
        repr(shown[-200:])


@case
def no_progress_for_quick_work():
    status, shown = run_with_terminal_stderr(
        ["check", "-q"], lambda stdin: stdin.write(b"5400101109971\n" * 20000))
    assert status == 0 and shown == "varnholt: 20000 lines: 20000 valid, 0 invalid, 0 errors\r\n", \
        repr(shown)


@case
def rows_show_at_once_on_a_terminal():
    leader, follower = pty.openpty()
    process = subprocess.Popen([PROGRAM, "check"], stdin=subprocess.PIPE, stdout=follower,
                               stderr=subprocess.DEVNULL, env=ENV)
    os.close(follower)
    process.stdin.write(b"96385074\n")
    process.stdin.flush()
    shown = b""
    while b"8507" not in shown and select.select([leader], [], [], 10)[0]:
        shown += os.read(leader, 65536)
    process.stdin.close()
    process.wait(timeout=30)
    os.close(leader)
    assert b"96385074" in shown and b"(none)" in shown, f"nothing shown before the end: {shown!r}"


# --- The manual page ------------------------------------------------------------------------
@case
def manual_page_names_every_option_and_reads_cleanly():
    page = MANUAL.read_text()
    help_text = "".join(run(*args).stdout.decode()
                        for args in (["--help"], ["help", "check"], ["help", "render"]))
    for option in sorted(set(re.findall(r"--[a-z][a-z-]+", help_text))):
        assert option.replace("-", r"\-") in page, f"{option} is not in {MANUAL.name}"
    result = subprocess.run(["groff", "-man", "-ww", "-z", str(MANUAL)], capture_output=True)
    assert result.returncode == 0 and result.stderr == b"", result.stderr.decode()


cases.finish()
