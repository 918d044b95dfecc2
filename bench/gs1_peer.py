#!/usr/bin/env python3
"""The peer of reading GS1 lines: python3-stdnum's gs1_128.validate over the same lines, held
in memory; it refuses what is not bracketed. Prints the median CPU time of one pass over all
lines, in seconds, as JSON. Run it with Debian's /usr/bin/python3, which has python3-stdnum.

Usage: gs1_peer.py FILE [--repetitions N]
"""

import argparse
import json
import statistics
import time

from stdnum import gs1_128
from stdnum.exceptions import ValidationError


def valid(line):
    try:
        gs1_128.validate(line)
        return True
    except ValidationError:
        return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--repetitions", type=int, default=3)
    args = parser.parse_args()
    with open(args.file, encoding="ascii") as lines_file:
        # Lines end at LF alone: splitlines() would cut scanner data at its GS as well.
        lines = lines_file.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    seconds = []
    count = 0
    for _ in range(args.repetitions):
        start = time.process_time()
        count = sum(1 for line in lines if valid(line))
        seconds.append(time.process_time() - start)
    print(json.dumps({"lines": len(lines), "valid": count, "seconds": statistics.median(seconds)}))


if __name__ == "__main__":
    main()
