#!/usr/bin/env python3
"""The delimited reader beside Python's csv module (the default dialect, csv.reader with the
same delimiter): catalogues with every quoting case, written by csv.writer, and random texts
of quotes, delimiters and line ends, read by both and compared record by record. The records'
first lines are counted where the catalogues are made; blank lines, which csv.reader gives as
empty rows, are skipped as csv.DictReader skips them.

Usage: delimited_reader_e2e.py READ_DELIMITED

READ_DELIMITED is tests/catalogue/read_delimited.cpp as built. Prints each case; exits with 1 when
one fails.
"""

import csv
import io
import pathlib
import random
import sys

# The harness the command line's end-to-end cases share.
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "cli"))
from process_cases import Cases  # noqa: E402

cases = Cases(sys.argv[1])
case, run, text, expect = cases.case, cases.run, cases.text, cases.expect
BOM = b"\xef\xbb\xbf"
DELIMITERS = {",": ",", ";": ";", "\t": "tab"}
# Catalogues hold fields far past csv's default bound of 128 KiB.
csv.field_size_limit(1 << 30)


def ours(path, delimiter="find", longest=None):
    """The delimiter and the records as read_delimited prints them: (line, length, fault,
    fields), fields as bytes."""
    result = run(path, delimiter, *([str(longest)] if longest is not None else []))
    expect(result, 0)
    data = result.stdout
    records = []
    at = data.index(b"\n")
    found = chr(int(data[:at].split()[1]))
    at += 1
    while at < len(data):
        end = data.index(b"\n", at)
        line, length, fault, count = data[at:end].split()
        at = end + 1
        fields = []
        for _ in range(int(count)):
            colon = data.index(b":", at)
            size = int(data[at:colon])
            fields.append(data[colon + 1:colon + 1 + size])
            at = colon + 2 + size
        records.append((int(line), int(length), fault.decode(), fields))
    return found, records


def pythons(content, delimiter):
    """The rows csv.reader reads from `content` (bytes, one character a byte), blank ones
    left out as csv.DictReader leaves them out."""
    if content.startswith(BOM):
        content = content[len(BOM):]
    reader = csv.reader(io.StringIO(content.decode("latin-1"), newline=""), delimiter=delimiter)
    return [[field.encode("latin-1") for field in row] for row in reader if row]


def compare(name, content, delimiter, lines=None):
    """Reads `content` both ways, the delimiter given and found; `lines`, when known, are the
    records' first lines."""
    path = text(name, content)
    expected = pythons(content, delimiter)
    for given in (DELIMITERS[delimiter], "find"):
        found, records = ours(path, given)
        if given == "find":
            assert found == delimiter, f"{name}: found {found!r}, not {delimiter!r}"
        assert len(records) == len(expected), f"{name}: {len(records)} records, not {len(expected)}"
        for index, (record, row) in enumerate(zip(records, expected)):
            assert record[3] == row, f"{name}, record {index + 1}: {record} is not {row}"
            if lines is not None:
                assert record[0] == lines[index], f"{name}: {record[:3]} starts on {lines[index]}"


# Field texts that take each quoting case: the delimiter, quotes, line ends and blanks inside,
# empty, and text that needs none.
PIECES = ["5400101109971", "", " ", "a,b", "a;b", "a\tb", 'say "hi"', '"', '""', "line\nbreak",
          "crlf\r\ninside",
          # csv.writer quotes a CR only beside a character it quotes for, here the quote.
          'cr\r"alone"', "ünïcödé €", " padded ", "x" * 300, "\x00nul"]


def catalogue(generator, delimiter, terminator, rows, quoting):
    """A catalogue as csv.writer writes it, with blank lines here and there: its bytes and each
    record's first line."""
    out = io.StringIO(newline="")
    lines = []
    line = 1
    header = ["ean", "name", "price"]
    for row in [header] + [[generator.choice(PIECES) for _ in range(generator.randrange(1, 7))]
                           for _ in range(rows)]:
        while generator.random() < 0.05:
            out.write(generator.choice(["\n", "\r\n"]))
            line += 1
        one = io.StringIO(newline="")
        csv.writer(one, delimiter=delimiter, lineterminator=terminator, quoting=quoting).writerow(row)
        written = one.getvalue()
        out.write(written)
        lines.append(line)
        line += written.count("\n")
    return out.getvalue().encode("utf-8"), lines


@case
def catalogues_as_csv_writer_writes_them():
    generator = random.Random(4180)
    for delimiter in DELIMITERS:
        for terminator in ("\n", "\r\n"):
            for quoting in (csv.QUOTE_MINIMAL, csv.QUOTE_ALL):
                content, lines = catalogue(generator, delimiter, terminator, 400, quoting)
                name = f"catalogue-{DELIMITERS[delimiter]}-{len(terminator)}-{quoting}.csv"
                compare(name, content, delimiter, lines)
                # With a byte-order mark, and with the last record's line end cut off.
                compare("bom-" + name, BOM + content, delimiter, lines)
                compare("cut-" + name, content[:-len(terminator)], delimiter, lines)


@case
def large_catalogues_across_many_blocks():
    # Several MiB, so that blocks end at every place in a record, in and out of quotes.
    generator = random.Random(7)
    content, lines = catalogue(generator, ";", "\r\n", 60000, csv.QUOTE_MINIMAL)
    assert len(content) > 4 << 20, len(content)
    compare("large.csv", content, ";", lines)


@case
def malformed_texts_read_as_csv_reads_them():
    # Random texts of the bytes that matter, well-formed or not: every record's fields as
    # csv.reader (not strict) reads them. A CR stands only before an LF: alone, csv reads it as
    # a line end and we as text.
    generator = random.Random(99)
    tokens = ['"', '"', ",", ";", "\t", "\n", "\r\n", "a", "b ", "\x00", "\xff"]
    for index in range(120):
        content = "".join(generator.choice(tokens) for _ in range(generator.randrange(0, 120)))
        data = content.encode("latin-1")
        path = text(f"soup/{index}.csv", data)
        for delimiter in DELIMITERS:
            _, records = ours(path, DELIMITERS[delimiter])
            expected = pythons(data, delimiter)
            got = [record[3] for record in records]
            assert got == expected, f"{data!r} with {delimiter!r}: {got} is not {expected}"


@case
def faults_name_the_records_first_line():
    path = text("faults.csv", b'ean,name\n1,"two\nlines"x\n2,12" wide\n\n3,"open\nto the end')
    _, records = ours(path)
    assert [(r[0], r[2]) for r in records] == [
        (1, "none"), (2, "text-after-closing-quote"), (4, "quote-in-unquoted-field"),
        (6, "unterminated-quote")], records


@case
def a_record_past_the_bound_is_skipped():
    path = text("long.csv", b'ean\n"' + b"x" * 5000 + b'\n"\n5400101109971\r\n')
    _, records = ours(path, ",", 4096)
    assert [(r[0], r[1], r[2], r[3]) for r in records] == [
        (1, 3, "none", [b"ean"]), (2, 5003, "too-long", []), (4, 13, "none", [b"5400101109971"])
    ], records


@case
def the_delimiter_is_the_commonest_of_the_header():
    for header, found in ((b"a,b;c;d\n1,2\n", ";"), (b'"a;b;c",d,e\n', ","), (b"a\tb\tc;d\n", "\t"),
                          (b"\r\n\na\tb\n", "\t"), (b"ean\n1;2;3\n", ","), (b"a;b,c\n", ","),
                          (b"a\tb;c\n", ";")):
        assert ours(text("header.csv", header))[0] == found, (header, found)


cases.finish()
