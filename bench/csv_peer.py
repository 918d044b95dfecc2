#!/usr/bin/env python3
"""The peer of the delimited reader: Python's csv.DictReader over the same catalogue, and the
same with python3-stdnum's ean.is_valid on each row's ean column, as a Python check of a
catalogue would be written. Prints the median CPU time of one pass and rows per second, as
JSON. Run it with Debian's /usr/bin/python3, which has python3-stdnum.

Usage: csv_peer.py FILE [--repetitions N]
"""

import argparse
import csv
import json
import statistics
import time

from stdnum import ean


def read(path, check):
    rows = valid = 0
    with open(path, newline="", encoding="utf-8-sig") as catalogue:
        for row in csv.DictReader(catalogue):
            rows += 1
            if check and ean.is_valid(row["ean"]):
                valid += 1
    return rows, valid


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--repetitions", type=int, default=3)
    args = parser.parse_args()
    result = {}
    for name, check in (("DictReader", False), ("DictReaderStdnum", True)):
        seconds = []
        for _ in range(args.repetitions):
            start = time.process_time()
            rows, valid = read(args.file, check)
            seconds.append(time.process_time() - start)
        median = statistics.median(seconds)
        result[name] = {"rows": rows, "valid": valid, "seconds": median,
                        "rows_per_second": rows / median}
    print(json.dumps(result, indent=2))


if __name__ == "__main__":
    main()
