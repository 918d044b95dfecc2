#!/usr/bin/env python3
"""Writes model/gs1/AiTable.h from a GS1 Barcode Syntax Dictionary file.

    tools/gs1_ai_table.py DICTIONARY [OUTPUT]

A new GS1 release is then one command and a reviewed diff. The output goes to standard output
when no OUTPUT is given. A line the converter does not understand, or a check it has no name
for, stops it: a new release that adds one needs a person to look at it.
"""

import re
import sys

# The dictionary's names of content checks and the project's names for them.
LINTERS = {
    "csum": "CheckDigit",
    "csumalpha": "CheckPair",
    "gcppos1": "CompanyPrefixAt1",
    "gcppos2": "CompanyPrefixAt2",
    "yymmdd": "Date",
    "yymmd0": "DateOrMonthEnd",
    "yyyymmdd": "LongDate",
    "hhmi": "HoursMinutes",
    "hh": "Hours",
    "mi": "Minutes",
    "ss": "Seconds",
    "iso3166": "Country",
    "iso3166999": "CountryOrUnknown",
    "iso3166alpha2": "CountryAlpha2",
    "iso4217": "Currency",
    "iso5218": "Sex",
    "pcenc": "PercentEncoded",
    "iban": "Iban",
    "latitude": "Latitude",
    "longitude": "Longitude",
    "pieceoftotal": "PieceOfTotal",
    "posinseqslash": "PositionOfTotal",
    "hyphen": "Hyphen",
    "yesno": "YesNo",
    "nonzero": "NonZero",
    "zero": "Zero",
    "winding": "Winding",
    "packagetype": "PackageType",
    "nozeroprefix": "NoZeroPrefix",
    "mediatype": "MediaType",
    "importeridx": "ImporterIndex",
    "hasnondigit": "HasNonDigit",
    "couponcode": "CouponCode",
    "couponposoffer": "CouponPositiveOffer",
}

CHARACTER_SETS = {"N": "Numeric", "X": "Cset82", "Y": "Cset39", "Z": "Base64Url"}
FLAG_CHARACTERS = set("*!?\"$%&'()+,-./:;<=>@[\\]^_`{|}~")
MOST_COMPONENTS = 5
MOST_LINTERS = 3
MOST_REQUIRED = 2
COMPONENT = re.compile(r"^(\[)?([NXYZ])(\d+|\.\.\d+)(\])?((?:,[a-z0-9]+)*)$")
AI_RANGE = re.compile(r"^(\d{2,4})(?:-(\d{2,4}))?$")
ASSOCIATION = re.compile(r"^[0-9n]{2,4}(\+[0-9n]{2,4})*(,[0-9n]{2,4}(\+[0-9n]{2,4})*)*$")
QUALIFIERS = re.compile(r"^(\d{2,4}(,\d{2,4})*(\|\d{2,4}(,\d{2,4})*)*)?$")


class DictionaryError(Exception):
    pass


def parse_component(token):
    match = COMPONENT.match(token)
    if not match:
        raise DictionaryError(f"component {token!r} is not understood")
    opening, kind, length, closing, checks = match.groups()
    if bool(opening) != bool(closing):
        raise DictionaryError(f"component {token!r} has an unmatched bracket")
    if length.startswith(".."):
        minimum, maximum = 1, int(length[2:])
    else:
        minimum = maximum = int(length)
    linters = [name for name in checks.split(",") if name]
    for name in linters:
        if name not in LINTERS:
            raise DictionaryError(f"check {name!r} has no name in the project")
    if len(linters) > MOST_LINTERS:
        raise DictionaryError(f"component {token!r} has more than {MOST_LINTERS} checks")
    return {
        "set": CHARACTER_SETS[kind],
        "minimum": minimum,
        "maximum": maximum,
        "optional": bool(opening),
        "linters": [LINTERS[name] for name in linters],
    }


def parse_line(line):
    body, _, title = line.partition("#")
    tokens = body.split()
    match = AI_RANGE.match(tokens[0])
    if not match:
        raise DictionaryError(f"AI {tokens[0]!r} is not understood")
    first, last = match.group(1), match.group(2) or match.group(1)
    if len(first) != len(last) or first > last:
        raise DictionaryError(f"range {tokens[0]!r} is not understood")
    rest = tokens[1:]
    flags = ""
    if rest and all(c in FLAG_CHARACTERS for c in rest[0]):
        flags = rest.pop(0)
    entry = {
        "first": first,
        "last": last,
        "predefined": "*" in flags,
        "attribute": "?" in flags,
        "components": [],
        "required": [],
        "excluded": [],
        "key": False,
        "qualifiers": "",
        "title": title.strip(),
    }
    for token in rest:
        if token.startswith("req="):
            if not ASSOCIATION.match(token[4:]):
                raise DictionaryError(f"{token!r} is not understood")
            entry["required"].append(token[4:])
        elif token.startswith("ex="):
            if not ASSOCIATION.match(token[3:]) or "+" in token:
                raise DictionaryError(f"{token!r} is not understood")
            entry["excluded"].append(token[3:])
        elif token == "dlpkey" or token.startswith("dlpkey="):
            entry["key"] = True
            entry["qualifiers"] = token.partition("=")[2]
            if not QUALIFIERS.match(entry["qualifiers"]):
                raise DictionaryError(f"{token!r} is not understood")
        elif "=" in token:
            raise DictionaryError(f"attribute {token!r} is not understood")
        else:
            if entry["required"] or entry["excluded"] or entry["key"]:
                raise DictionaryError(f"component {token!r} after the attributes")
            entry["components"].append(parse_component(token))
    components = entry["components"]
    if not components or len(components) > MOST_COMPONENTS:
        raise DictionaryError(f"AI {first} has {len(components)} components")
    if len(entry["required"]) > MOST_REQUIRED:
        raise DictionaryError(f"AI {first} has more than {MOST_REQUIRED} req= rules")
    entry["excluded"] = ",".join(entry["excluded"])
    return entry


def read_dictionary(lines):
    release = None
    entries = []
    for number, line in enumerate(lines, start=1):
        stripped = line.strip()
        if stripped.startswith("#"):
            found = re.match(r"#\s*Release:\s*(\S+)", stripped)
            if found and release is None:
                release = found.group(1)
            continue
        if not stripped:
            continue
        try:
            entries.append(parse_line(stripped))
        except DictionaryError as error:
            raise DictionaryError(f"line {number}: {error}") from None
    if release is None:
        raise DictionaryError("the file names no release")
    return release, entries


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def component_text(component):
    linters = ", ".join(f"Linter::{name}" for name in component["linters"])
    optional = "true" if component["optional"] else "false"
    return (f"{{CharacterSet::{component['set']}, {component['minimum']}, {component['maximum']}, "
            f"{optional}, {{{linters}}}}}")


def entry_text(entry):
    components = ", ".join(component_text(c) for c in entry["components"])
    # Every place spelled out: GCC 12 cannot read an array's places left to their default in a
    # constant expression.
    rules = entry["required"] + [""] * (MOST_REQUIRED - len(entry["required"]))
    required = ", ".join(quoted(rule) for rule in rules)
    flag = lambda value: "true" if value else "false"
    return (f"    {{{quoted(entry['first'])}, {quoted(entry['last'])}, {flag(entry['predefined'])}, "
            f"{flag(entry['attribute'])},\n     {{{{{components}}}}}, {len(entry['components'])},\n"
            f"     {{{{{required}}}}}, {quoted(entry['excluded'])}, {flag(entry['key'])}, "
            f"{quoted(entry['qualifiers'])}, {quoted(entry['title'])}}},")


def header_text(release, entries):
    lines = [
        f"// Generated by tools/gs1_ai_table.py from GS1 Barcode Syntax Dictionary release {release}.",
        "// Not to be edited: run the converter on the dictionary instead.",
        "#pragma once",
        "",
        "#include <array>",
        "",
        '#include "model/gs1/AiEntry.h"',
        "",
        "namespace varnholt::gs1 {",
        "",
        "// The dictionary's release the table is made from.",
        f"inline constexpr std::string_view kAiTableRelease = {quoted(release)};",
        "",
        "// Every Application Identifier, in the lexical order of its first AI.",
        "// clang-format off",
        f"inline constexpr std::array<AiEntry, {len(entries)}> kAiTable{{{{",
    ]
    lines += [entry_text(entry) for entry in entries]
    lines += ["}};", "// clang-format on", "", "}  // namespace varnholt::gs1", ""]
    return "\n".join(lines)


def main(arguments):
    if len(arguments) not in (2, 3):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    try:
        with open(arguments[1], encoding="utf-8") as dictionary:
            release, entries = read_dictionary(dictionary)
    except (OSError, UnicodeDecodeError, DictionaryError) as error:
        print(f"gs1_ai_table: {error}", file=sys.stderr)
        return 1
    text = header_text(release, entries)
    if len(arguments) == 3:
        with open(arguments[2], "w", encoding="utf-8") as output:
            output.write(text)
    else:
        sys.stdout.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
