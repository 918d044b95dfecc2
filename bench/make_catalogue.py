#!/usr/bin/env python3
"""Writes the catalogue benchmark's input: a header and six columns a row, as a shop exports
them (ean, sku, name, price, stock, category), a tenth of the numbers with a wrong check
digit and a fifth of the names quoted, some with the delimiter or a doubled quote inside.
Written with Python's csv module, so it is what that module reads. The same seed gives the
same file.

Usage: make_catalogue.py FILE [--rows N] [--delimiter ,|;|tab] [--seed S]
"""

import argparse
import csv
import random

from make_lines import check_digit

WORDS = ["Blue", "Widget", "Garden", "Hose", "Lamp", "Oak", "Table", "Large", "Small", "Steel",
         "Cotton", "Shirt", "Kettle", "Chair", "Green", "Brush"]
CATEGORIES = ["Garden", "Kitchen", "Living", "Tools", "Clothing", "Lighting"]


def rows(count, generator):
    for index in range(count):
        body = "".join(generator.choice("0123456789") for _ in range(12))
        digit = check_digit(body)
        if generator.random() < 0.1:
            digit = (digit + generator.randrange(1, 10)) % 10
        name = " ".join(generator.choice(WORDS) for _ in range(generator.randrange(1, 4)))
        kind = generator.random()
        if kind < 0.1:
            name += ", " + generator.choice(WORDS).lower()
        elif kind < 0.2:
            name += ' 12" wide'
        price = f"{generator.randrange(100, 100000) / 100:.2f}"
        yield [f"{body}{digit}", f"SKU-{index:07d}", name, price,
               str(generator.randrange(0, 500)), generator.choice(CATEGORIES)]


def write_catalogue(path, count, delimiter=",", seed=1):
    generator = random.Random(seed)
    with open(path, "w", encoding="utf-8", newline="") as out:
        writer = csv.writer(out, delimiter=delimiter, lineterminator="\r\n")
        writer.writerow(["ean", "sku", "name", "price", "stock", "category"])
        writer.writerows(rows(count, generator))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--rows", type=int, default=1_000_000)
    parser.add_argument("--delimiter", default=",", choices=[",", ";", "tab"])
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    write_catalogue(args.file, args.rows, "\t" if args.delimiter == "tab" else args.delimiter,
                    args.seed)


if __name__ == "__main__":
    main()
