#!/usr/bin/env python3
"""Writes the seed inputs under fuzz/corpus/<target>/, in each fuzzer's input layout (see
the comment at the top of each fuzzer). Run from anywhere; rewrites the seeds in place."""

import pathlib
import struct

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"
NUMBER = b"5400101109971"


def model():
    plain = [NUMBER, b"540010110997", b"9638507", b"96385074", b"540-0101 10997 1", b" 7-",
             b"x9", b"7x", b"", b"54001O110997", b"0012345678905", b"4006381333931"]
    seeds = [b"\x00" + text for text in plain]
    # Widened: 2^13 nines, 2^15 and 2^16 zeros, 2^20 nines.
    seeds += [b"\xf8" + b"9", b"\xfa" + b"0", b"\xfb" + b"0", b"\xff" + b"9"]
    # The rest of the family: ISBN-10s, GTIN-12s with and without a UPC-E, UPC-Es of number
    # systems 0 and 1, a GTIN-14 and the add-ons.
    family = [b"0306406152", b"080442957X", b"036000291452", b"042100005264", b"04252614",
              b"16543223", b"10614141000415", b"52495", b"12"]
    seeds += [b"\x00" + text for text in family]
    return seeds


def value_setter():
    def seed(new_instance, first, text):
        return bytes([1 if new_instance else 0, len(first)]) + first + text

    return [seed(True, b"", NUMBER), seed(False, b"", b"12.5"), seed(True, b"5", b"-0"),
            seed(True, NUMBER, NUMBER), seed(True, b"", b"-1e-999"), seed(False, b"", b" 1e5 "),
            seed(True, b"", b"12345678901234"), seed(True, b"7", b""), seed(False, b"", b"-1")]


def text_entry(key, text, width=0):
    return bytes([key, 2, width, len(text)]) + text


def property_load():
    value = text_entry(2, NUMBER)
    return [
        b"\x01" + value,
        b"\x00" + bytes([0, 0, 0]) + bytes([1, 1]) + struct.pack("<i", 0xFF) + value,
        b"\x01" + text_entry(3, b"fAlSe") + text_entry(4, b"1e3") + text_entry(5, b"12.5"),
        b"\x01" + bytes([6, 3]) + b"abc" + bytes([1]) + struct.pack("<i", -1),
        b"\x00" + text_entry(5, NUMBER, width=0xFF),
        b"\x01" + bytes([2, 0, 1]) + bytes([1, 0, 0]) + bytes([4, 1]) + struct.pack("<i", -2),
    ]


def paint():
    def seed(height, color, flags, value, width=0):
        return struct.pack("<fIBB", height, color, flags, width) + value

    window_text = 0x80000008
    return [seed(81.0, window_text, 1, NUMBER), seed(81.0, 0x000000FF, 0, b"0012345678905"),
            seed(0.0, window_text, 1 | 1 << 1, NUMBER), seed(0.0, window_text, 1 | 2 << 1, NUMBER),
            seed(0.0, window_text, 1 | 5 << 1, NUMBER), seed(-5.0, window_text, 1, NUMBER),
            seed(1e9, 0x12345678, 1, b"12"), seed(81.0, window_text, 1, b""),
            seed(81.0, 0x80000063, 1, NUMBER), seed(81.0, window_text, 1, NUMBER, width=0xFF)]


def check_lines():
    def seed(chunk, text, width=0):
        return bytes([chunk, width]) + text

    bom = b"\xef\xbb\xbf"
    return [seed(255, NUMBER + b"\n5400101109972\n96385074\n"),
            seed(0, bom + NUMBER + b"\r\n\r\n  4006381333931 \r\n"),
            seed(1, b"540-0101 10997 1\n12,345\n\"x\"\n54001O1109971"),
            seed(2, b"\x00\xff\xc3\xa9\x1b[2J\n\t\v\f\n"),
            seed(200, b"7", width=0xF8),
            seed(9, NUMBER + b" ", width=0xFF),
            seed(0, bom),
            # GS1 data in its three syntaxes, right and wrong, among numbers.
            seed(255, b"(01)09506000134352(17)271231(10)AB-123\n(01)09506000134353\n"
                      b"  ]C1010950600013435210AB,\"1\x1d17271331 \n" + NUMBER + b"\n"),
            seed(3, b"https://id.gs1.org/01/09506000134352/10/AB%2F1?17=271231\n"
                    b"http://example.com/10/x\n(10)AB\\(1\n]d2\n]Q3(01\n(\n"),
            seed(100, b"(01)09506000134352(21)", width=0xF4)]


def render():
    def seed(xdim, dpi, height, reduction, switches, text):
        return struct.pack("<ffffB", xdim, dpi, height, reduction, switches) + text

    return [seed(0.33, 0, 0, 0, 0, NUMBER), seed(0.33, 203, 0, 0, 1, b"96385074"),
            seed(0.264, 600, 15.5, 1, 1 | 2 | 32, b"540-0101 10997"),
            seed(0.66, 300, 0, 0.02, 1 | 8 | 16, b"9638507"),
            seed(0.33, 300, 0, 0, 1 | 4 | 8, NUMBER), seed(0.2, 300, 0, 0, 1, NUMBER),
            seed(0.33, 30, 0, 0, 1, NUMBER), seed(0.33, 0, 2000, 0, 2, NUMBER),
            seed(0.33, 0, 0, 0, 0, b"5400101109972"), seed(0.33, 0, 0, 0, 0, b"54\x0001O1\xff"),
            # The family: a switch asks for the symbology the byte after it names.
            seed(0.33, 0, 0, 0, 0, b"9780306406157+51234"), seed(0.33, 0, 0, 0, 0, b"0-306-40615-X"),
            seed(0.33, 0, 0, 0, 0, b"036000291452"),
            seed(0.33, 300, 0, 0, 1 | 64, b"\x02" + b"03600029145+12"),
            seed(0.33, 203, 0, 0, 1 | 64, b"\x03" + b"012345000065 + 54495"),
            seed(0.33, 0, 0, 0, 4 | 64, b"\x03" + b"1123456"),
            seed(0.33, 0, 0, 0, 64, b"\x01" + b"96385074+12"),
            seed(0.33, 0, 0, 0, 64, b"\x05" + b"51234")]


def main():
    for target, seeds in [("model_fuzzer", model()), ("value_setter_fuzzer", value_setter()),
                          ("property_load_fuzzer", property_load()), ("paint_fuzzer", paint()),
                          ("check_lines_fuzzer", check_lines()), ("render_fuzzer", render())]:
        folder = CORPUS / target
        folder.mkdir(parents=True, exist_ok=True)
        for old in folder.glob("seed-*"):
            old.unlink()
        for index, seed in enumerate(seeds):
            (folder / f"seed-{index:02d}").write_bytes(seed)


if __name__ == "__main__":
    main()
