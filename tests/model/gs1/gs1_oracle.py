#!/usr/bin/env python3
"""GS1 readings beside python3-stdnum's gs1_128, and read back from the forms they are written in.

    gs1_oracle.py GS1_VERDICTS AI_TABLE_HEADER

Random bracketed strings, seeded, are made from the project's AI table: valid ones, whose every
content check holds, and ones with one fault of a kind stdnum checks too (a length, a character
of a numeric field, a check digit, a date). Where stdnum knows every AI of a string, both must
give the same verdict. Every valid string must then read back the same from its bracketed form,
its scanner data and its Digital Link URI.
"""

import random
import re
import subprocess
import sys

sys.path.append("/usr/lib/python3/dist-packages")  # Debian's python3-stdnum beside another Python
from stdnum import gs1_128  # noqa: E402

SEED = 20261209
STRINGS = 20000
CSET82 = "!\"%&'()*+,-./0123456789:;<=>?ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"
CSET39 = "#-/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
BASE64URL = "-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"
PAIR = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ"
PRIMES = [2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47, 53, 59, 61, 67, 71, 73, 79, 83]
ALPHABETS = {"Numeric": "0123456789", "Cset82": CSET82, "Cset39": CSET39, "Base64Url": BASE64URL}
# A few codes of each list; the lists themselves are the project's.
COUNTRIES = ["250", "276", "380", "528", "826", "840"]
LETTERS = ["DE", "FR", "GB", "NL", "US"]
CURRENCIES = ["036", "756", "826", "840", "978"]
IBANS = ["GB82WEST12345698765432", "DE89370400440532013000", "NL91ABNA0417164300"]


def read_table(path):
    text = open(path, encoding="utf-8").read()
    entries = []
    for chunk in text.split('\n    {"')[1:]:
        first, last = re.match(r'(\d+)", "(\d+)"', chunk).groups()
        components = [
            {"set": s, "min": int(lo), "max": int(hi), "optional": opt == "true",
             "linters": re.findall(r"Linter::(\w+)", linters)}
            for s, lo, hi, opt, linters in re.findall(
                r"\{CharacterSet::(\w+), (\d+), (\d+), (true|false), \{([^}]*)\}\}", chunk)
        ]
        key = re.search(r'\}\}, "[^"]*", (true|false), "([^"]*)"', chunk)
        entries.append({"first": first, "last": last, "components": components,
                        "key": key.group(1) == "true"})
    return entries


def mod10(body):
    total = sum(int(d) * (3 if i % 2 == 0 else 1) for i, d in enumerate(reversed(body)))
    return str((10 - total % 10) % 10)


def check_pair(body):
    total = sum(CSET82.index(c) * PRIMES[len(body) - 1 - i] for i, c in enumerate(body)) % 1021
    return PAIR[total >> 5] + PAIR[total & 31]


def days_in(month, leap):
    return [31, 29 if leap else 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1]


def random_text(rng, alphabet, length):
    return "".join(rng.choice(alphabet) for _ in range(length))


def component_value(rng, component):
    """A random value of the component that passes each of its content checks."""
    linters = component["linters"]
    length = rng.randint(component["min"], component["max"])
    alphabet = ALPHABETS[component["set"]]
    if "PercentEncoded" in linters:
        alphabet = alphabet.replace("%", "")
    value = random_text(rng, alphabet, length)
    for linter in linters:
        if linter in ("CompanyPrefixAt1", "CompanyPrefixAt2"):
            start = 0 if linter == "CompanyPrefixAt1" else 1
            length = max(length, start + 6 + (2 if "CheckPair" in linters else 0))
            value = value.ljust(length, "0")[:length]
            value = value[:start] + random_text(rng, "0123456789", 4) + value[start + 4:]
    for linter in linters:
        if linter in ("Date", "DateOrMonthEnd", "LongDate"):
            year = rng.randint(0, 99) if linter != "LongDate" else rng.randint(1900, 2099)
            leap = year % 4 == 0 and (linter != "LongDate" or year % 100 != 0 or year % 400 == 0)
            month = rng.randint(1, 12)
            lowest = 0 if linter == "DateOrMonthEnd" else 1
            day = rng.randint(lowest, days_in(month, leap))
            value = (f"{year:02d}" if linter != "LongDate" else f"{year:04d}") + f"{month:02d}{day:02d}"
        elif linter == "HoursMinutes":
            value = f"{rng.randint(0, 23):02d}{rng.randint(0, 59):02d}"
        elif linter == "Hours":
            value = f"{rng.randint(0, 23):02d}"
        elif linter in ("Minutes", "Seconds"):
            value = f"{rng.randint(0, 59):02d}"
        elif linter == "Country":
            value = rng.choice(COUNTRIES)
        elif linter == "CountryOrUnknown":
            value = rng.choice(COUNTRIES + ["999"])
        elif linter == "CountryAlpha2":
            value = rng.choice(LETTERS)
        elif linter == "Currency":
            value = rng.choice(CURRENCIES)
        elif linter == "Sex":
            value = rng.choice("0129")
        elif linter == "Iban":
            value = rng.choice(IBANS)
        elif linter == "Latitude":
            value = f"{rng.randint(0, 1800000000):010d}"
        elif linter == "Longitude":
            value = f"{rng.randint(0, 3599999999):010d}"
        elif linter == "PieceOfTotal":
            total = rng.randint(1, 99)
            value = f"{rng.randint(1, total):02d}{total:02d}"
        elif linter == "PositionOfTotal":
            total = rng.randint(1, 9)
            value = f"{rng.randint(1, total)}/{total}"
        elif linter == "Hyphen":
            value = "-"
        elif linter == "YesNo":
            value = rng.choice("01")
        elif linter == "NonZero":
            value = value[:-1] + rng.choice("123456789")
        elif linter == "Zero":
            value = "0" * length
        elif linter == "Winding":
            value = rng.choice("019")
        elif linter == "PackageType":
            value = rng.choice(["BX", "CT", "PK", "1A"])
        elif linter == "NoZeroPrefix":
            value = rng.choice("123456789") + value[1:]
        elif linter == "MediaType":
            value = f"{rng.randint(1, 10):02d}"
        elif linter == "ImporterIndex":
            value = rng.choice(BASE64URL)
        elif linter == "HasNonDigit":
            # After a company prefix's four digits, before a check pair.
            value = value.ljust(7, "0")
            value = value[:4] + "x" + value[5:]
        elif linter == "CouponCode":
            value = rng.choice(["106141416543213500110000310123196000", "006141412345615110000"])
        elif linter == "CouponPositiveOffer":
            value = random_text(rng, "0123456789", length)
    if "CheckDigit" in linters:
        value = value[:-1] + mod10(value[:-1])
    if "CheckPair" in linters:
        value = value[:-2] + check_pair(value[:-2])
    return value


def entry_value(rng, entry):
    parts = []
    for index, component in enumerate(entry["components"]):
        if component["optional"] and rng.random() < 0.5:
            break
        parts.append(component_value(rng, component))
    return "".join(parts)


def ai_of(rng, entry):
    if entry["first"] == entry["last"]:
        return entry["first"]
    return entry["first"][:-1] + str(rng.randint(int(entry["first"][-1]), int(entry["last"][-1])))


def mutated(rng, entry, value, kind=None):
    """A kind of fault stdnum may check too, and the value with it."""
    first = entry["components"][0]
    kinds = ["long"]
    if first["min"] == first["max"] and len(entry["components"]) == 1:
        kinds.append("short")
    if first["set"] == "Numeric":
        kinds.append("letter")
    if "CheckDigit" in first["linters"]:
        kinds.append("checkdigit")
    if any(d in first["linters"] for d in ("Date", "DateOrMonthEnd")):
        kinds.append("date")
    kind = kind or rng.choice(kinds)
    size = first["max"]
    if kind == "long":
        return kind, value + "1" * (sum(c["max"] for c in entry["components"]) - len(value) + 1)
    if kind == "short":
        return kind, value[:-1]
    if kind == "letter":
        position = rng.randrange(min(size, len(value)))
        return kind, value[:position] + "A" + value[position + 1:]
    if kind == "checkdigit":
        digit = value[size - 1]
        return kind, value[:size - 1] + str((int(digit) + rng.randint(1, 9)) % 10) + value[size:]
    return kind, value[:2] + rng.choice(["13", "00", "20"]) + value[4:]


def stdnum_verdict(text):
    try:
        gs1_128.validate(text)
        return "valid"
    except Exception:  # stdnum's refusals are of several classes; any is "invalid"
        return "invalid"


def run(driver, mode, lines):
    result = subprocess.run([driver] + mode, input="\n".join(lines) + "\n", capture_output=True,
                            text=True, check=True)
    return result.stdout.splitlines()


def main(driver, table):
    rng = random.Random(SEED)
    entries = read_table(table)
    # The AIs stdnum knows: those whose valid data it takes when alone.
    known = [e for e in entries
             if all(stdnum_verdict(f"({ai_of(rng, e)}){entry_value(rng, e)}") == "valid"
                    for _ in range(5))]
    if len(known) < 100:
        print(f"stdnum knows only {len(known)} AIs: is it python3-stdnum?", file=sys.stderr)
        return 1
    keys = [e for e in entries if e["key"]]
    failures = 0

    # One AI at a time beside stdnum, which reads a string of several with data of varying
    # length its own way. A fault of a kind stdnum refused in every probe of the AI is one it
    # checks: there both must refuse; valid data both must take.
    singles = []
    for _ in range(STRINGS):
        entry = rng.choice(known)
        ai, value = ai_of(rng, entry), entry_value(rng, entry)
        if rng.random() < 0.4:
            singles.append((f"({ai}){value}", None, entry))
        else:
            kind, broken = mutated(rng, entry, value)
            singles.append((f"({ai}){broken}", kind, entry))
    # Data with a bracket is read by us with its escape; stdnum takes any bracket for an AI's.
    singles = [s for s in singles if "(" not in s[0][1:].split(")", 1)[1]]
    opinions = {}

    def stdnum_checks(entry, kind):
        if (entry["first"], kind) not in opinions:
            probes = [mutated(rng, entry, entry_value(rng, entry), kind)[1] for _ in range(5)]
            opinions[(entry["first"], kind)] = all(
                stdnum_verdict(f"({ai_of(rng, entry)}){p}") == "invalid" for p in probes)
        return opinions[(entry["first"], kind)]

    ours = run(driver, ["check", "--no-associations"], [text for text, _, _ in singles])
    disagreements = compared = 0
    for (text, kind, entry), verdict in zip(singles, ours):
        ours_verdict = verdict.split("\t")[0]
        expected = "valid" if kind is None else "invalid"
        if ours_verdict != expected:
            failures += 1
            if failures <= 20:
                print(f"{expected} by construction ({kind}), we say {verdict}: {text!r}")
            continue
        if ")" in text.split(")", 1)[1] or (kind is not None and not stdnum_checks(entry, kind)):
            continue
        # stdnum widens a short number with a check digit, a GTIN-13 under (01) say, with
        # zeros; GS1 takes only the full length. A short one whose check digit fits differs.
        if kind == "short" and "CheckDigit" in entry["components"][0]["linters"]:
            continue
        compared += 1
        theirs = stdnum_verdict(text)
        if theirs != ours_verdict:
            disagreements += 1
            if disagreements <= 20:
                print(f"stdnum says {theirs}, we say {verdict}: {text!r}")

    # Whole strings of several AIs, valid by construction, read back from every form.
    valid = []
    for n in range(STRINGS):
        chosen = [rng.choice(keys if n % 2 == 0 else entries)]
        chosen += rng.sample(entries, rng.randint(0, 3))
        elements = [(ai_of(rng, e), entry_value(rng, e)) for e in chosen]
        seen = set()
        elements = [x for x in elements if not (x[0] in seen or seen.add(x[0]))]
        valid.append("".join(f"({ai}){value.replace('(', chr(92) + '(')}" for ai, value in elements))
    for text, verdict in zip(valid, run(driver, ["check", "--no-associations"], valid)):
        if verdict != "valid":
            failures += 1
            if failures <= 40:
                print(f"valid by construction, refused: {text!r}: {verdict}")
    counts = {}
    for text, verdict in zip(valid, run(driver, ["roundtrip"], valid)):
        kind = verdict.split("\t")[0]
        counts[kind] = counts.get(kind, 0) + 1
        if kind not in ("same", "nokey"):
            failures += 1
            if failures <= 60:
                print(f"round trip: {text!r}: {verdict}")
    print(f"{len(singles)} single AIs, {compared} beside stdnum ({len(known)} AIs it knows, "
          f"{sum(opinions.values())} of {len(opinions)} fault kinds it checks), "
          f"{disagreements} disagreements; {len(valid)} valid strings, round trips: {counts}")
    return 1 if failures or disagreements or counts.get("same", 0) < len(valid) // 4 else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
