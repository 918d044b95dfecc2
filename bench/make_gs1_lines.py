#!/usr/bin/env python3
"""Writes the GS1 check benchmark's input: a GTIN under (01), a date under (17) and a batch
under (10), as bracketed text, scanner data (GS1 DataMatrix, a GS after the batch) or a Digital
Link URI, a line each, in turn at random; a fifth of them wrong (a check digit, a month, a
letter in the GTIN, a batch too long). With --bracketed, a second file gets the same data of
every line bracketed, fixed-length AIs first, which python3-stdnum reads as the program does:
the lines where both have an opinion. The same seed gives the same files.

Usage: make_gs1_lines.py FILE [--lines N] [--seed S] [--bracketed FILE]
"""

import argparse
import random

from make_lines import check_digit

BATCH = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-."


def data(generator):
    """One line's GTIN, date and batch, and whether one of them was made wrong."""
    body = "".join(generator.choice("0123456789") for _ in range(13))
    gtin = body + str(check_digit(body))
    date = f"{generator.randrange(100):02d}{generator.randrange(1, 13):02d}{generator.randrange(29):02d}"
    batch = "".join(generator.choice(BATCH) for _ in range(generator.randrange(1, 21)))
    if generator.random() < 0.2:
        fault = generator.choice(["digit", "month", "letter", "long"])
        if fault == "digit":
            gtin = gtin[:-1] + str((int(gtin[-1]) + generator.randrange(1, 10)) % 10)
        elif fault == "month":
            date = date[:2] + generator.choice(["00", "13", "19"]) + date[4:]
        elif fault == "letter":
            at = generator.randrange(14)
            gtin = gtin[:at] + "A" + gtin[at + 1:]
        else:
            batch = (batch * 21)[:21]
    return gtin, date, batch


def write_lines(path, lines, seed=1, bracketed=None):
    generator = random.Random(seed)
    with open(path, "w", encoding="ascii") as out:
        peer = open(bracketed, "w", encoding="ascii") if bracketed else None
        for _ in range(lines):
            gtin, date, batch = data(generator)
            form = generator.randrange(3)
            if form == 0:
                out.write(f"(01){gtin}(17){date}(10){batch}\n")
            elif form == 1:
                out.write(f"]d201{gtin}10{batch}\x1d17{date}\n")
            else:
                out.write(f"https://id.gs1.org/01/{gtin}/10/{batch}?17={date}\n")
            if peer:
                peer.write(f"(01){gtin}(17){date}(10){batch}\n")
        if peer:
            peer.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--lines", type=int, default=1_000_000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--bracketed")
    args = parser.parse_args()
    write_lines(args.file, args.lines, args.seed, args.bracketed)


if __name__ == "__main__":
    main()
