#!/usr/bin/python3
"""Checks the shipped localization file against the iso-codes data it is made from: every
ISO 3166-1 country once, with a name the Contacts table can hold, and as states exactly its
top-level ISO 3166-2 subdivisions, unless its addresses name no state from a list.

    check_localize.py <Localize.xml>
"""

import json
import re
import sys
import xml.etree.ElementTree as ET

ISO = "/usr/share/iso-codes/json/"
# Countries whose state (county) is typed although ISO lists top-level subdivisions for them.
TYPED_STATES = {"GB", "IE"}


def main():
    with open(ISO + "iso_3166-1.json", encoding="utf-8") as f:
        iso_countries = {c["alpha_2"] for c in json.load(f)["3166-1"]}
    iso_states = {}
    with open(ISO + "iso_3166-2.json", encoding="utf-8") as f:
        for s in json.load(f)["3166-2"]:
            if "parent" not in s:
                country, _, abbr = s["code"].partition("-")
                iso_states.setdefault(country, {})[abbr] = s["name"]

    failures = []
    countries = ET.parse(sys.argv[1]).getroot().findall("./Countries/Country")
    codes = [c.get("Code") for c in countries]
    if sorted(codes) != sorted(iso_countries):
        failures.append(f"countries: {len(codes)} listed, {len(set(codes))} different, ISO has {len(iso_countries)}; "
                        f"missing {sorted(iso_countries - set(codes))}")
    names = [c.get("Name") for c in countries]
    if len(set(n.casefold() for n in names)) != len(names):
        failures.append("two countries have the same name")
    for country in countries:
        code, name = country.get("Code"), country.get("Name")
        if not name or len(name) > 25:
            failures.append(f"{code}: name {name!r} is empty or longer than the Contacts table's 25 characters")
        state = country.find("State")
        listed = {v.get("Value"): v.get("Name") for v in country.findall("./State/LegalValue")}
        expected = iso_states.get(code, {})
        if not listed:
            hidden = state is not None and state.get("Visible") == "False"
            if expected and not hidden and code not in TYPED_STATES:
                failures.append(f"{code}: no states listed, ISO has {len(expected)}")
            continue
        if listed.keys() != expected.keys():
            failures.append(f"{code}: states {sorted(listed)} differ from ISO's {sorted(expected)}")
        for abbr, state_name in listed.items():
            # ISO's other codes in brackets ("Stockholms län [SE-01]") are left out.
            if abbr in expected and state_name != re.sub(r"\s*\[[^\]]*\]$", "", expected[abbr]):
                failures.append(f"{code}-{abbr}: state {state_name!r}, ISO says {expected[abbr]!r}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
