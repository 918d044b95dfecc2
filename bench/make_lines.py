#!/usr/bin/env python3
"""Writes the check benchmark's input: random 13-digit numbers, one per line, a tenth of
them with a wrong check digit; or, with --mixed, numbers of the whole family (GTIN-8, -12,
-13, -14 and ISBN-10, some ending in X), a tenth wrong. The same seed gives the same file.

Usage: make_lines.py FILE [--lines N] [--seed S] [--mixed]
"""

import argparse
import random


def check_digit(body):
    # The rightmost body digit weighs 3, the next 1, and so on; the check digit tops the sum
    # up to a multiple of ten.
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    return (10 - total % 10) % 10


def isbn_check_character(body):
    total = sum((10 - i) * int(d) for i, d in enumerate(body))
    check = (11 - total % 11) % 11
    return "X" if check == 10 else str(check)


def write_lines(path, lines, seed=1, mixed=False):
    generator = random.Random(seed)
    with open(path, "w", encoding="ascii") as out:
        for _ in range(lines):
            length = generator.choice([8, 10, 12, 13, 14]) if mixed else 13
            body = "".join(generator.choice("0123456789") for _ in range(length - 1))
            digit = isbn_check_character(body) if length == 10 else str(check_digit(body))
            if generator.random() < 0.1:
                digit = str((int(digit) + generator.randrange(1, 10)) % 10 if digit != "X"
                            else generator.randrange(10))
            out.write(f"{body}{digit}\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--lines", type=int, default=1_000_000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--mixed", action="store_true")
    args = parser.parse_args()
    write_lines(args.file, args.lines, args.seed, args.mixed)


if __name__ == "__main__":
    main()
