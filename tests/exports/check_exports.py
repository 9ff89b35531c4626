#!/usr/bin/env python3
"""Checks the exports of varomintel-cli with independent parsers: the iCalendar files with
python3-icalendar (RFC 5545), the JSON documents with the standard json module (RFC 8259),
each against the text output of the same command, field by field.

Usage: check_exports.py ics      CALENDAR.ics LIST.tsv LAT LON [CALENDAR2.ics] [--omitted N] [--unseen N] [--added N]
       check_exports.py json-cityhist  DOC.json LIST.tsv
       check_exports.py json-citylist  DOC.json LIST.tsv
       check_exports.py json-report    DOC.json REPORT.txt
       check_exports.py json-circumstances DOC.json CIRCUMSTANCES.tsv
       check_exports.py json-find      DOC.json FIND.txt
Prints every mismatch and exits with 1 when there is one."""
import datetime
import json
import re
import sys

CONTACTS = ["P1", "U1", "U2", "Max", "U3", "U4", "P4"]
PHASES = {"h": "penumbral", "p": "partial", "t": "total"}
problems = []


def expect(condition, text):
    if not condition:
        problems.append(text)


def read_text(path):
    with open(path, "rb") as f:
        return f.read().decode("utf-8")


def list_records(path, head):
    """Records of a saved list: the lines after the legend whose first field is a year."""
    records = []
    for line in read_text(path).split("\r\n"):
        fields = line.split("\t")
        if len(fields) >= head and re.fullmatch(r"-?\d+", fields[0]) and re.fullmatch(r"\d+", fields[1]):
            records.append(fields)
    return records


def contact_fields(fields, start):
    """The seven contacts of a record: (clock, altitude text, magnitude text) or None."""
    out, i = {}, start
    for c in CONTACTS:
        width = 4 if c == "Max" else 2
        group = fields[i:i + width] + [""] * (width - len(fields[i:i + width]))
        out[c] = None if group[0] == "" else (group[0], group[1], group[2] if c == "Max" else None)
        i += width
    return out


UTC_TEXT = re.compile(r"(-?\d{4,})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d) UTC")


def utc_of(match):
    y, mo, d, h, mi, se = (int(g) for g in match.groups())
    return datetime.datetime(y, mo, d, h, mi, se, tzinfo=datetime.timezone.utc)


def check_ics(path, tsv, lat, lon, second=None, omitted=0, unseen=0, added=0):
    from icalendar import Calendar
    raw = open(path, "rb").read()
    expect(raw.endswith(b"\r\n"), f"{path}: does not end with CR LF")
    expect(b"\n" not in raw.replace(b"\r\n", b""), f"{path}: a bare LF")
    for n, line in enumerate(raw.split(b"\r\n")):
        expect(len(line) <= 75, f"{path}: line {n + 1} has {len(line)} octets")
        line.decode("utf-8")  # raises on a split character
    cal = Calendar.from_ical(raw)
    expect(str(cal.get("VERSION")) == "2.0", "VERSION is not 2.0")
    expect(cal.get("PRODID") is not None, "no PRODID")
    events = list(cal.walk("VEVENT"))
    records = list_records(tsv, 25)
    expect(len(events) - added + omitted + unseen == len(records),
           f"{len(events)} events ({added} off the list), {omitted} left out by year and {unseen} unseen, "
           f"{len(records)} list records")
    # The catalogue is in time order and ends in 7000: what is left out by year are the first records.
    records = records[omitted:]
    uids = [str(e.get("UID")) for e in events]
    expect(len(set(uids)) == len(uids), "UIDs repeat")
    # The events are the list's records less the unseen ones, in the same order, with the
    # eclipses off the list among them: a record matches an event when every contact the
    # list shows is in its description; the events passed over are those off the list.
    matched, skipped, extra, at = [], 0, 0, 0
    for r in records:
        contacts = contact_fields(r, 9)
        clocks = [contacts[c][0] + " UTC" for c in CONTACTS if contacts[c]]
        # The list's clocks give the time of day only: look no further ahead than the events
        # off the list not yet passed over.
        found = next((k for k in range(at, min(len(events), at + added - extra + 1))
                      if all(clock in str(events[k].get("DESCRIPTION")) for clock in clocks)), None)
        if found is None:
            skipped += 1
            continue
        extra += found - at
        matched.append((events[found], r))
        at = found + 1
    extra += len(events) - at
    expect(len(matched) + extra == len(events) and skipped == unseen and extra == added,
           f"{len(matched)} of {len(events)} events match a list record, {skipped} records skipped, {unseen} unseen, "
           f"{extra} events off the list, {added} added")
    for e, r in matched:
        start = e.decoded("DTSTART")
        end = e.decoded("DTEND") if e.get("DTEND") is not None else None
        e.decoded("DTSTAMP")
        where = f"event {e.get('UID')}"
        expect(start.tzinfo is not None and start.utcoffset() == datetime.timedelta(0), f"{where}: DTSTART not UTC")
        # RFC 5545 §3.8.2.2: DTEND later than DTSTART; an instant has none.
        expect(end is None or datetime.timedelta(0) < end - start < datetime.timedelta(hours=8),
               f"{where}: {start} .. {end}")
        last = end if end is not None else start
        contacts = contact_fields(r, 9)
        seen = [c for c in CONTACTS if contacts[c]]
        geo = e.get("GEO")  # a vGeo (decoding it again fails in icalendar 4)
        expect(abs(geo.latitude - lat) < 1e-6 and abs(geo.longitude - lon) < 1e-6, f"{where}: GEO {geo.latitude};{geo.longitude}")
        lines = str(e.get("DESCRIPTION")).split("\n")[1:]
        instants = []
        for line in lines:
            m = UTC_TEXT.search(line)
            expect(m is not None, f"{where}: a description line without its instant: {line}")
            if m is None:
                continue
            at = utc_of(m) if int(m.group(1)) > 0 else None
            if at is not None:
                instants.append(at)
            if "\u00b0" not in line:
                # A moonrise or moonset cuts the event: it is the event's start or end.
                expect(at in (start, last), f"{where}: {line} is neither DTSTART {start} nor the end {last}")
        if instants:
            expect(instants == sorted(instants), f"{where}: the description is not in time order")
            expect(instants[0] <= start and last <= instants[-1], f"{where}: {start} .. {last} outside P1..P4")
        for c in seen:
            clock, altitude, _ = contacts[c]
            line = next((x for x in lines if clock + " UTC" in x and "\u00b0" in x), "")
            expect(line != "", f"{where}: {c} {clock} not in DESCRIPTION")
            # The Moon's apparent altitude, beside the list's (the shadow axis's, geocentric):
            # at P1 and P4 the Moon's centre lies up to 1.65 degrees from the axis (the
            # penumbra's radius and the Moon's), parallax lowers it by up to 1 degree and
            # refraction lifts it by up to 0.6.
            m = re.search(r" (-?\d+\.\d)\u00b0", line)
            expect(m is not None and -2.7 < float(m.group(1)) - float(altitude) < 2.3,
                   f"{where}: {c} apparent altitude in '{line}' far from the list's {altitude}")
        if contacts["Max"]:
            expect(contacts["Max"][2] + ")" in str(e.get("SUMMARY")), f"{where}: SUMMARY {e.get('SUMMARY')} lacks magnitude {contacts['Max'][2]}")
    if second:
        again = [str(e.get("UID")) for e in Calendar.from_ical(open(second, "rb").read()).walk("VEVENT")]
        expect(again == uids, "the UIDs differ between two exports of the same search")


def near(a, b, text):
    expect(a is not None and abs(float(a) - b) <= 1e-9 * max(1.0, abs(b)), f"{text}: {a} vs {b}")


def check_place_contacts(where, contacts_json, contacts_text, modern):
    for c in CONTACTS:
        j, t = contacts_json.get(c, "missing"), contacts_text[c]
        if t is None:
            expect(j is None, f"{where}: {c} is not seen but JSON has {j}")
            continue
        if not isinstance(j, dict):
            problems.append(f"{where}: {c} seen but JSON has {j}")
            continue
        expect(j["list_clock_ut"] == t[0], f"{where}: {c} clock {j['list_clock_ut']} vs {t[0]}")
        expect(f"{j['moon_altitude_deg']:.1f}" == t[1], f"{where}: {c} altitude {j['moon_altitude_deg']} vs {t[1]}")
        if modern:
            expect(j["utc"] is not None and j["utc"][11:19] == t[0], f"{where}: {c} utc {j['utc']} vs {t[0]}")
            ld = j["list_date"]
            expect(j["utc"][:10] == f"{ld['year']:04d}-{ld['month']:02d}-{ld['day']:02d}", f"{where}: {c} {j['utc']} vs {ld}")


def check_json_cityhist(doc_path, tsv):
    doc = json.load(open(doc_path, encoding="utf-8"))
    records = list_records(tsv, 25)
    expect(len(doc["eclipses"]) == len(records), f"{len(doc['eclipses'])} eclipses, {len(records)} records")
    for e, r in zip(doc["eclipses"], records):
        where = f"eclipse {e['index']}"
        expect(f"{e['delta_t_s']:.1f}" == r[3], f"{where}: Delta T {e['delta_t_s']} vs {r[3]}")
        expect(e["phase"] == PHASES[r[4]], f"{where}: phase {e['phase']} vs {r[4]}")
        expect(doc["place"]["name"] == r[5], f"{where}: name {doc['place']['name']} vs {r[5]}")
        expect([e["saros"], e["saros_member"], e["saros_count"]] == [int(x) for x in r[6:9]], f"{where}: Saros")
        contacts = contact_fields(r, 9)
        if contacts["Max"]:
            expect(f"{e['magnitude']:.3f}" == contacts["Max"][2], f"{where}: magnitude {e['magnitude']} vs {contacts['Max'][2]}")
        check_place_contacts(where, e["contacts"], contacts, int(r[0]) > 1582)


def check_json_citylist(doc_path, tsv):
    doc = json.load(open(doc_path, encoding="utf-8"))
    records = list_records(tsv, 10)
    expect(len(doc["places"]) == len(records), f"{len(doc['places'])} places, {len(records)} records")
    for p, r in zip(doc["places"], records):
        where = f"place {r[6]}"
        expect([p["country"], p["city"], str(p["population"])] == [r[5], r[6], r[9]], f"{where}: names {p}")
        expect(f"{doc['delta_t_s']:.1f}" == r[3] and p["phase"] == PHASES[r[4]], f"{where}: Delta T or phase")
        check_place_contacts(where, p["contacts"], contact_fields(r, 10), int(r[0]) > 1582)


def check_json_report(doc_path, txt):
    doc = json.load(open(doc_path, encoding="utf-8"))
    lines = read_text(txt).split("\n")
    expect(doc["type"] == lines[0], f"type {doc['type']} vs {lines[0]}")
    shown = [line for line in lines if "\t" in line]
    listed = [(c, j) for c, j in doc["contacts"].items() if j is not None]
    expect(len(shown) == len(listed), f"{len(listed)} contacts in JSON, {len(shown)} report lines")
    for line, (c, j) in zip(shown, listed):
        label, rest = line.split("\t")
        parts = rest.split()
        expect(label.rstrip(" ") == j["label"] and parts[0] == j["date"] and parts[1] == j["clock"], f"{c}: {line!r} vs {j}")
        if len(parts) > 2:
            h, m = re.fullmatch(r"(\d+)h(\d+)min", parts[2]).groups()
            key = {"U3": "total", "U4": "umbral", "P4": "penumbral"}[c]
            expect(abs(int(h) * 60 + int(m) - doc["duration_h"][key] * 60) <= 1, f"{c}: duration {parts[2]} vs {doc['duration_h'][key]} h")


TEXT_NAMES = {"PenMag": "penumbral_magnitude", "UmbMag": "umbral_magnitude", "XMax": "x_at_greatest_arcsec",
              "YMax": "y_at_greatest_arcsec", "YAtXZero": "y_at_x_zero_arcsec", "DMax": "d_at_greatest_rad",
              "MMax": "m_at_greatest_rad"}


def check_json_circumstances(doc_path, tsv):
    doc = json.load(open(doc_path, encoding="utf-8"))
    docs = doc["eclipses"] if "eclipses" in doc else [doc]
    blocks, block = [], None
    for line in read_text(tsv).split("\n"):
        if not line:
            continue
        name, value = line.split("\t")
        if name == "Index" or block is None:
            block = {}
            blocks.append(block)
        block[name] = value
    expect(len(docs) == len(blocks), f"{len(docs)} JSON records, {len(blocks)} text blocks")
    for d, b in zip(docs, blocks):
        where = f"eclipse {d['index']}"
        if "Index" in b:
            expect(int(b["Index"]) == d["index"], f"{where}: index {b['Index']}")
        expect(int(b["EclipseType"]) == d["type_code"], f"{where}: type")
        for name, key in TEXT_NAMES.items():
            expect(float(b[name]) == d[key], f"{where}: {name} {b[name]} vs {d[key]!r}")  # full precision: equal
        for c in ["P1", "P2", "U1", "U2", "Max", "U3", "U4", "P3", "P4"]:
            t = float(b["TimeMax" if c == "Max" else "Time" + c])
            j = d["contacts"][c]
            if t == 0 and c != "Max":
                expect(j is None, f"{where}: {c} does not occur but JSON has {j}")
            else:
                expect(j is not None and j["hours_from_t0_tt"] == t, f"{where}: {c} {t} vs {j}")


def check_json_find(doc_path, txt):
    doc = json.load(open(doc_path, encoding="utf-8"))
    index, date, type_name = read_text(txt).rstrip("\n").split("\t")
    year, month, day = re.fullmatch(r"(-?\d+)-(\d+)-(\d+)", date).groups()
    expect(doc["index"] == int(index) and doc["type"] == type_name, f"{doc} vs {index} {type_name}")
    expect(doc["date_tt"] == {"year": int(year), "month": int(month), "day": int(day)}, f"{doc['date_tt']} vs {date}")


def main():
    mode, args = sys.argv[1], sys.argv[2:]
    if mode == "ics":
        counts = {"--omitted": 0, "--unseen": 0, "--added": 0}
        for option in counts:
            if option in args:
                at = args.index(option)
                counts[option] = int(args[at + 1])
                del args[at:at + 2]
        check_ics(args[0], args[1], float(args[2]), float(args[3]), args[4] if len(args) > 4 else None,
                  counts["--omitted"], counts["--unseen"], counts["--added"])
    else:
        {"json-cityhist": check_json_cityhist, "json-citylist": check_json_citylist, "json-report": check_json_report,
         "json-circumstances": check_json_circumstances, "json-find": check_json_find}[mode](*args)
    for p in problems[:40]:
        print(p, file=sys.stderr)
    if problems:
        print(f"{len(problems)} mismatches", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
