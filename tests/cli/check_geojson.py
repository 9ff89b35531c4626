"""Reads a GeoJSON document with Python's own parser and checks it against RFC 7946 as a
GIS reads it: a FeatureCollection of Features whose positions are [longitude, latitude]
within range, LineStrings that never jump across the antimeridian, closed rings of at least
four positions, and visibility regions that cover every point of the Earth exactly once.
Prints "ok" or the first fault; exit status 0 or 1."""
import json
import sys


def fail(message):
    print(message)
    sys.exit(1)


def inside(lon, lat, ring):
    hit = False
    for (x1, y1), (x2, y2) in zip(ring, ring[1:]):
        if (y1 > lat) != (y2 > lat) and lon < (x2 - x1) * (lat - y1) / (y2 - y1) + x1:
            hit = not hit
    return hit


doc = json.load(sys.stdin)
if doc.get("type") != "FeatureCollection":
    fail("not a FeatureCollection")
regions = []
for feature in doc["features"]:
    if feature.get("type") != "Feature":
        fail("not a Feature")
    props = feature["properties"]
    for key in ("contact", "kind", "index", "date"):
        if key not in props:
            fail("no property " + key)
    geometry = feature["geometry"]
    if geometry["type"] == "LineString":
        line = geometry["coordinates"]
        if len(line) < 2:
            fail("a line of one point")
        for (lon, lat), (lon2, _) in zip(line, line[1:]):
            if abs(lon2 - lon) > 180:
                fail("a line crosses the antimeridian")
    elif geometry["type"] == "MultiPolygon":
        rings = [polygon[0] for polygon in geometry["coordinates"]]
        for ring in rings:
            if len(ring) < 4 or ring[0] != ring[-1]:
                fail("a ring not closed")
        regions.append((props["kind"], props["contact"], rings))
    else:
        fail("unexpected geometry " + geometry["type"])
    for position in (geometry["coordinates"] if geometry["type"] == "LineString"
                     else [p for polygon in geometry["coordinates"] for p in polygon[0]]):
        if len(position) != 2 or not -180 <= position[0] <= 180 or not -90 <= position[1] <= 90:
            fail("a position out of range: %r" % (position,))
if sorted((k, c) for k, c, _ in regions) != [("none", "P1-P4"), ("part", "P1"), ("part", "P4"), ("whole", "P1-P4")]:
    fail("regions %r" % [(k, c) for k, c, _ in regions])
for lon in range(-178, 180, 4):
    for lat in range(-88, 90, 4):
        count = sum(inside(lon + 0.25, lat + 0.25, ring) for _, _, rings in regions for ring in rings)
        if count != 1:
            fail("the point %s, %s lies in %d regions" % (lon + 0.25, lat + 0.25, count))
print("ok")
