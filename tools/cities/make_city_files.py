#!/usr/bin/python3
"""Builds the city files Top191744_DE.txt and Top191744_EN.txt from the GeoNames
"cities500" export (CC BY 4.0, GeoNames, geonames.org).

Line format (UTF-8, CR LF, no header): name TAB population TAB latitude x 100 TAB
longitude x 100 TAB country. Coordinates are rounded to hundredths of a degree, half
away from zero, on the decimal text of the export. The places of one country form one
block; countries are sorted by their name in the file's language, places within a
country by name.

Usage: make_city_files.py CITIES500 ISO_3166_1_JSON ISO_3166_1_DE_MO I18N_LANGS_DIR OUTDIR
"""
import decimal
import gettext
import json
import os
import sys
import unicodedata

# Populated places that no longer exist: historical, abandoned, destroyed, historical capital.
DROPPED_FEATURE_CODES = {"PPLH", "PPLQ", "PPLW", "PPLCH"}

HUNDREDTH = decimal.Decimal("0.01")


def hundredths(text):
    """Degrees as decimal text -> whole hundredths, rounded half away from zero."""
    value = decimal.Decimal(text).quantize(HUNDREDTH, rounding=decimal.ROUND_HALF_UP)
    return int(value * 100)


def sort_key(text):
    """Locale-free order: letters without their accents, case folded; the exact text breaks ties."""
    decomposed = unicodedata.normalize("NFKD", text)
    base = "".join(c for c in decomposed if not unicodedata.combining(c)).casefold()
    return (base, text)


def country_names(iso_json, de_mo, langs_dir, codes):
    with open(iso_json, encoding="utf-8") as f:
        entries = json.load(f)["3166-1"]
    with open(de_mo, "rb") as f:
        german = gettext.GNUTranslations(f)
    # The translations as a dictionary: a translation may equal its English text ("Iran").
    translated = {k: v for k, v in german._catalog.items() if isinstance(k, str) and k}
    names = {"en": {}, "de": {}}
    for e in entries:
        code = e["alpha_2"]
        english = e.get("common_name", e["name"])
        names["en"][code] = english
        for msgid in (english, e["name"]):
            if msgid in translated:
                names["de"][code] = translated[msgid]
                break
    # Codes that iso-codes does not carry (Kosovo, XK), from i18n-iso-countries.
    for lang in ("en", "de"):
        with open(os.path.join(langs_dir, lang + ".json"), encoding="utf-8") as f:
            extra = json.load(f)["countries"]
        for code in codes:
            if code not in names[lang] and code in extra:
                value = extra[code]
                names[lang][code] = value[0] if isinstance(value, list) else value
    missing = sorted(c for c in codes if c not in names["en"] or c not in names["de"])
    if missing:
        sys.exit("make_city_files: no country name for code(s) " + ", ".join(repr(c) for c in missing))
    return names


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    cities, iso_json, de_mo, langs_dir, outdir = sys.argv[1:]
    places = []
    with open(cities, encoding="utf-8", newline="\n") as f:
        for number, raw in enumerate(f, 1):
            cols = raw.rstrip("\n").split("\t")
            if len(cols) != 19:
                sys.exit(f"make_city_files: {cities} line {number}: {len(cols)} columns, not 19")
            if cols[6] != "P" or cols[7] in DROPPED_FEATURE_CODES:
                continue
            name = cols[1]
            if "\r" in name or "\t" in name:
                sys.exit(f"make_city_files: {cities} line {number}: control character in the name")
            population = int(cols[14]) if cols[14] else 0
            places.append((name, population, hundredths(cols[4]), hundredths(cols[5]), cols[8], int(cols[0])))
    codes = sorted({p[4] for p in places})
    names = country_names(iso_json, de_mo, langs_dir, codes)
    for lang, file_name in (("de", "Top191744_DE.txt"), ("en", "Top191744_EN.txt")):
        country = names[lang]
        rows = sorted(places, key=lambda p: (sort_key(country[p[4]]), p[4], sort_key(p[0]), p[5]))
        text = "".join(f"{p[0]}\t{p[1]}\t{p[2]}\t{p[3]}\t{country[p[4]]}\r\n" for p in rows)
        path = os.path.join(outdir, file_name)
        with open(path + ".part", "wb") as out:
            out.write(text.encode("utf-8"))
        os.replace(path + ".part", path)
        print(f"{file_name}: {len(rows)} places in {len(codes)} countries")


if __name__ == "__main__":
    main()
