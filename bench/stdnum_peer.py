#!/usr/bin/env python3
"""The peer of `varnholt check` with every fact: python3-stdnum over the same lines, held in
memory, which only validates: isbn.is_valid for the ten-character ISBN-10s, ean.is_valid for
every other line. Prints the median CPU time of one pass over all
lines, in seconds, as JSON. Run it with Debian's /usr/bin/python3, which has python3-stdnum.

Usage: stdnum_peer.py FILE [--repetitions N]
"""

import argparse
import json
import statistics
import time

from stdnum import ean, isbn


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--repetitions", type=int, default=5)
    args = parser.parse_args()
    with open(args.file, encoding="ascii") as lines_file:
        lines = lines_file.read().splitlines()
    seconds = []
    valid = 0
    for _ in range(args.repetitions):
        start = time.process_time()
        valid = sum(1 for line in lines
                    if (isbn.is_valid(line) if len(line) == 10 else ean.is_valid(line)))
        seconds.append(time.process_time() - start)
    print(json.dumps({"lines": len(lines), "valid": valid, "seconds": statistics.median(seconds)}))


if __name__ == "__main__":
    main()
