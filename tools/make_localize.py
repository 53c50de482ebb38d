#!/usr/bin/python3
"""Writes the localization file (resources/Config/Localize.xml) from Debian's iso-codes data.

Every country of ISO 3166-1 appears once, sorted by name; its states are its top-level ISO 3166-2
subdivisions (those without a parent); its languages come from the program's own table of language
numbers (platform/language_ids.cpp). Address captions and which rows show follow the countries'
postal conventions where they are listed below; every other country gets the generic rows.

    /usr/bin/python3 tools/make_localize.py [output file]
"""

import json
import re
import sys
import unicodedata
from pathlib import Path
from xml.sax.saxutils import quoteattr

ROOT = Path(__file__).resolve().parent.parent
ISO = Path("/usr/share/iso-codes/json")
OUTPUT = ROOT / "resources" / "Config" / "Localize.xml"

# The Contacts table keeps at most this many characters of a country or state.
COUNTRY_COLUMN = 25

# Names for countries whose ISO names are not what an address carries or do not fit the column.
NAMES = {
    "US": "United States of America",
    "BQ": "Caribbean Netherlands",
    "CD": "DR Congo",
    "FK": "Falkland Islands",
    "FM": "Micronesia",
    "GS": "South Georgia",
    "HM": "Heard & McDonald Islands",
    "IO": "Brit. Indian Ocean Terr.",
    "MF": "Saint Martin",
    "SH": "Saint Helena",
    "TF": "French Southern Lands",
    "UM": "U.S. Outlying Islands",
    "VA": "Vatican City",
    "VC": "St Vincent and Grenadines",
}

GENERIC = {"City": "City:", "State": "Region:", "Zipcode": "Postal Code:"}
# Per country: captions that differ from the generic ones, rows that are hidden (None), and
# "typed" when the state is typed rather than chosen (its top-level subdivisions are not what an
# address names).
CONVENTIONS = {
    "US": {"State": "State:", "Zipcode": "ZIP Code:"},
    "CA": {"State": "Province:"},
    "GB": {"City": "Town:", "State": "County:", "Zipcode": "Postcode:", "typed": True},
    "IE": {"State": "County:", "Zipcode": "Eircode:", "typed": True},
    "AU": {"City": "Suburb:", "State": "State:", "Zipcode": "Postcode:"},
    "NZ": {"State": None, "Zipcode": "Postcode:"},
    "IN": {"State": "State:", "Zipcode": "PIN Code:"},
    "BR": {"State": "State:", "Zipcode": "CEP:"},
    "MX": {"State": "State:"},
    "JP": {"State": "Prefecture:"},
    "CN": {"State": "Province:"},
    "IT": {"State": "Region:"},
    "HK": {"State": None, "Zipcode": None},
    "AE": {"State": "Emirate:", "Zipcode": None},
}
# Countries whose addresses carry no state, county or region.
for code in ("DE", "AT", "CH", "LI", "LU", "FR", "BE", "NL", "DK", "NO", "SE", "FI", "IS", "PL", "CZ", "SK", "SI",
             "HU", "PT", "SG", "MC"):
    CONVENTIONS[code] = {"State": None}

LANGUAGE_ENTRY = re.compile(r'\{"([a-z]+)", "([A-Z]{2})", (0x[0-9a-f]+|\d+), (\d+)\},')


def load(name, key):
    with open(ISO / name, encoding="utf-8") as f:
        return json.load(f)[key]


def sort_key(name):
    plain = unicodedata.normalize("NFKD", name).encode("ascii", "ignore").decode()
    return plain.casefold(), name


def state_name(name):
    # ISO adds other codes in brackets ("Stockholms län [SE-01]"); an address does not.
    return re.sub(r"\s*\[[^\]]*\]$", "", name)


def language_name(iso_name):
    # "Spanish; Castilian" -> "Spanish", "Bokmål, Norwegian; Norwegian Bokmål" -> "Norwegian Bokmål"
    parts = [p.strip() for p in iso_name.split(";")]
    plain = [p for p in parts if "," not in p]
    return plain[0] if plain else parts[0].split(",")[0]


def languages_by_country():
    names = {l["alpha_2"]: language_name(l["name"]) for l in load("iso_639-2.json", "639-2") if "alpha_2" in l}
    table = (ROOT / "platform" / "language_ids.cpp").read_text(encoding="utf-8")
    result = {}
    for language, territory, primary, sub in LANGUAGE_ENTRY.findall(table):
        result.setdefault(territory, []).append((names[language], int(primary, 0), int(sub)))
    if not result:
        sys.exit("no language entries found in platform/language_ids.cpp")
    return result


def countries():
    subdivisions = {}
    for s in load("iso_3166-2.json", "3166-2"):
        if "parent" not in s:
            country, _, abbr = s["code"].partition("-")
            subdivisions.setdefault(country, []).append((state_name(s["name"]), abbr))
    result = []
    for c in load("iso_3166-1.json", "3166-1"):
        code = c["alpha_2"]
        name = NAMES.get(code) or c.get("common_name") or c["name"]
        if len(name) > COUNTRY_COLUMN:
            sys.exit(f"{code}: the name {name!r} is longer than {COUNTRY_COLUMN} characters; add a shorter one")
        states = sorted(subdivisions.get(code, []), key=lambda s: sort_key(s[0]))
        result.append((name, code, states))
    result.sort(key=lambda c: sort_key(c[0]))
    # A country is looked up by the beginning of its name: no name may begin another one before it.
    for i, (name, _, _) in enumerate(result):
        for earlier, _, _ in result[:i]:
            if earlier.casefold().startswith(name.casefold()):
                sys.exit(f"{name!r} would be found as {earlier!r}")
    return result


def country_element(name, code, states, languages):
    rules = {**GENERIC, **CONVENTIONS.get(code, {})}
    typed = rules.pop("typed", False)
    lines = [f"    <Country Name={quoteattr(name)} Code={quoteattr(code)}>"]
    for language, primary, sub in languages:
        lines.append(f'      <Language Name={quoteattr(f"{language} ({name})")} ID="{primary}" SubID="{sub}"/>')
    lines.append('      <Address1 Caption="Address:" Visible="True"/>')
    for element in ("City", "State", "Zipcode"):
        caption = rules[element]
        visible = caption is not None
        attributes = f'Caption={quoteattr(caption or "")} Visible="{visible}"'
        if element == "State" and visible and states and not typed:
            lines.append(f"      <State {attributes}>")
            for state, abbr in states:
                lines.append(f"        <LegalValue Name={quoteattr(state)} Value={quoteattr(abbr)}/>")
            lines.append("      </State>")
        else:
            lines.append(f"      <{element} {attributes}/>")
    lines.append("    </Country>")
    return lines


def main():
    output = Path(sys.argv[1]) if len(sys.argv) > 1 else OUTPUT
    languages = languages_by_country()
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- Made by tools/make_localize.py from the iso-codes data; regenerate rather than edit. -->",
             "<Localization>", "  <Countries>"]
    for name, code, states in countries():
        lines += country_element(name, code, states, languages.get(code, []))
    lines += ["  </Countries>", "</Localization>", ""]
    output.write_text("\n".join(lines), encoding="utf-8")


if __name__ == "__main__":
    main()
