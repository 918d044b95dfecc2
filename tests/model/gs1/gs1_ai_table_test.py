#!/usr/bin/env python3
"""tools/gs1_ai_table.py on a small dictionary of its own, and on lines it must refuse.

    gs1_ai_table_test.py CONVERTER
"""

import os
import subprocess
import sys
import tempfile

SNIPPET = """\
# Release: 2099-12-31
# A comment, then entries of each shape the converter meets.
01     *?  N14,csum,gcppos2    ex=255,37 dlpkey=22,10,21|235   # GTIN
10      ?  X..20               req=01,02,8006                  # BATCH/LOT
3100-3105 *? N6                req=01,02 ex=310n               # NET WEIGHT (kg)
423     ?  N3,iso3166 [N3],iso3166 [N3],iso3166  req=01+21,02   # COUNTRY
8030    ?  Z..90  req=00,01+21                                 # DIGSIG
8110    ?  X..70,couponcode
"""

# Each part of the C++ the snippet must come out as.
EXPECTED = [
    "Dictionary release 2099-12-31.",
    'kAiTableRelease = "2099-12-31"',
    "std::array<AiEntry, 6> kAiTable",
    '{"01", "01", true, true,',
    "{CharacterSet::Numeric, 14, 14, false, {Linter::CheckDigit, Linter::CompanyPrefixAt2}}",
    '"255,37", true, "22,10,21|235", "GTIN"}',
    '{"10", "10", false, true,',
    "{CharacterSet::Cset82, 1, 20, false, {}}",
    '{{"01,02,8006", ""}}, "", false, "", "BATCH/LOT"}',
    '{"3100", "3105", true, true,',
    '{{"01,02", ""}}, "310n", false',
    "{CharacterSet::Numeric, 3, 3, true, {Linter::Country}}}}, 3,",
    '{{"01+21,02", ""}}',
    "{CharacterSet::Base64Url, 1, 90, false, {}}",
    '{{"00,01+21", ""}}',
    '{{"", ""}}, "", false, "", ""}',
    "{Linter::CouponCode}",
]

# Lines a converter must not pass over in silence.
REFUSED = {
    "an unknown check": "01 *? N14,csum,newcheck # GTIN\n",
    "an unknown attribute": "01 *? N14 colour=red # GTIN\n",
    "a range of two lengths": "310-3105 * N6 # X\n",
    "a component after the attributes": "01 * N14 req=02 N3 # X\n",
    "an unmatched bracket": "01 * N14 [N3 # X\n",
}


def convert(converter, text):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "dictionary.txt")
        with open(path, "w", encoding="utf-8") as dictionary:
            dictionary.write(text)
        return subprocess.run([sys.executable, converter, path], capture_output=True, text=True)


def main(converter):
    failures = 0
    result = convert(converter, SNIPPET)
    if result.returncode != 0:
        print(f"the snippet was refused: {result.stderr}")
        return 1
    for part in EXPECTED:
        if part not in result.stdout:
            failures += 1
            print(f"missing from the output: {part}")
    for name, line in REFUSED.items():
        refused = convert(converter, "# Release: 2099-12-31\n" + line)
        if refused.returncode == 0 or "line 2" not in refused.stderr:
            failures += 1
            print(f"{name} was not refused with its line: {refused.stderr!r}")
    if convert(converter, "01 * N14 # GTIN\n").returncode == 0:
        failures += 1
        print("a dictionary without a release was not refused")
    print(f"{len(EXPECTED)} parts of the output, {len(REFUSED) + 1} refusals; {failures} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1]))
