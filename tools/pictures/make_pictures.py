"""Builds the pictures that Varomintel shows: four world maps of 680 x 340 pixels, their
darkened twins, and the 23 Moon pictures mond70.bmp ... mond92.bmp.

Run by tools/pictures/make_pictures.sh, which fetches the sources at pinned versions and
afterwards runs the dark-map tool over the darkened maps. Everything here is deterministic:
no randomness, no time stamps, fixed iteration orders, so equal inputs give equal bytes.

Map geometry (equirectangular, as the program draws on it): column X covers east longitude
X * 360/680 - 180 ... (X + 1) * 360/680 - 180, row Y covers latitude 90 - Y * 180/340 down
to 90 - (Y + 1) * 180/340; column 0 starts at 180 deg W, row 0 at the north pole.

Usage: /usr/bin/python3 -I make_pictures.py MARBLE_DATA_DIR STELLARIUM_TEXTURES_DIR
                                             WORLD_ATLAS_DIR OUTPUT_DIR
"""

import json
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

WIDTH, HEIGHT = 680, 340
SUPER = 4  # supersampling factor for polygons and lines: 4 x 4 samples per map pixel

# ---------------------------------------------------------------------------
# TopoJSON (world-atlas 2: quantized, delta-encoded arcs in degrees of longitude/latitude)


def load_topology(path):
    with open(path, encoding="utf-8") as f:
        topo = json.load(f)
    (sx, sy), (tx, ty) = topo["transform"]["scale"], topo["transform"]["translate"]
    arcs = []
    for arc in topo["arcs"]:
        q = np.cumsum(np.asarray(arc, dtype=np.int64), axis=0)
        arcs.append(np.column_stack((q[:, 0] * sx + tx, q[:, 1] * sy + ty)))
    return topo, arcs


def arc_points(arcs, index):
    return arcs[index] if index >= 0 else arcs[~index][::-1]


def ring_points(arcs, ring):
    parts = []
    for k, index in enumerate(ring):
        pts = arc_points(arcs, index)
        parts.append(pts if k == 0 else pts[1:])
    return np.concatenate(parts)


def polygons_of(geometry):
    if geometry["type"] == "Polygon":
        return [geometry["arcs"]]
    if geometry["type"] == "MultiPolygon":
        return geometry["arcs"]
    return []


def unwrap(points):
    """Makes longitudes continuous: world-atlas 2 joins rings across the antimeridian, so a
    step of more than 180 deg is a crossing of +-180 deg, not a line across the map."""
    lon = points[:, 0].copy()
    step = np.diff(lon)
    step = np.where(step > 180, step - 360, np.where(step < -180, step + 360, step))
    lon[1:] = lon[0] + np.cumsum(step)
    return np.column_stack((lon, points[:, 1]))


def closed_ring(points):
    """A ring as a closed, unwrapped polygon. A ring that winds once around the globe
    (Antarctica's coastline, and the small ring at -89.999 deg that world-atlas stores
    round the south pole) is closed along the pole it encircles."""
    p = unwrap(points)
    turn = p[-1, 0] - p[0, 0]
    if abs(turn) > 180:
        pole = -90.0 if p[:, 1].mean() < 0 else 90.0
        p = np.vstack((p, [[p[-1, 0], pole], [p[0, 0], pole]]))
    return p


def to_pixels(points, scale):
    """Degrees to continuous pixel coordinates of a map `scale` times 680 x 340."""
    x = (points[:, 0] + 180.0) * (WIDTH * scale / 360.0)
    y = (90.0 - points[:, 1]) * (HEIGHT * scale / 180.0)
    return x, y


def fill_even_odd(rings, scale):
    """Even-odd fill of closed rings (degrees) on a grid `scale` times the map size; a
    sample is inside when its centre is. Each ring is also laid 360 deg to either side so
    that parts unwrapped past +-180 deg come back in at the other edge."""
    w, h = WIDTH * scale, HEIGHT * scale
    xs, ys = [], []
    for ring in rings:
        x, y = to_pixels(ring, scale)
        for shift in (-w, 0, w):
            xs.append(np.column_stack((x[:-1] + shift, x[1:] + shift)))
            ys.append(np.column_stack((y[:-1], y[1:])))
        # the closing edge, last point back to the first
        for shift in (-w, 0, w):
            xs.append(np.array([[x[-1] + shift, x[0] + shift]]))
            ys.append(np.array([[y[-1], y[0]]]))
    x0, x1 = np.concatenate(xs).T
    y0, y1 = np.concatenate(ys).T
    lo, hi = np.minimum(y0, y1), np.maximum(y0, y1)
    # rows whose sample centre r + 0.5 lies in [lo, hi)
    first = np.clip(np.ceil(lo - 0.5), 0, h).astype(np.int64)
    last = np.clip(np.ceil(hi - 0.5), 0, h).astype(np.int64)
    count = last - first
    keep = count > 0
    x0, x1, y0, y1, first, count = x0[keep], x1[keep], y0[keep], y1[keep], first[keep], count[keep]
    edge = np.repeat(np.arange(len(first)), count)
    row = np.repeat(first, count) + (np.arange(count.sum()) - np.repeat(np.cumsum(count) - count, count))
    t = (row + 0.5 - y0[edge]) / (y1[edge] - y0[edge])
    xc = x0[edge] + t * (x1[edge] - x0[edge])
    col = np.clip(np.ceil(xc - 0.5), 0, w).astype(np.int64)
    toggles = np.zeros((h, w + 1), dtype=np.int32)
    np.add.at(toggles, (row, col), 1)
    return (np.cumsum(toggles[:, :w], axis=1) & 1).astype(bool)


def coverage(mask):
    """Fraction of covered samples per map pixel, 0..1."""
    h, w = mask.shape
    s = w // WIDTH
    return mask.reshape(HEIGHT, s, WIDTH, s).mean(axis=(1, 3))


def line_coverage(polylines, width_px):
    """Antialiased lines: each polyline (degrees, not closed) drawn at SUPER times the map
    size with a pen of `width_px` map pixels, then averaged down. Polylines are unwrapped
    and drawn 360 deg to either side as well."""
    w, h = WIDTH * SUPER, HEIGHT * SUPER
    img = Image.new("L", (w, h), 0)
    draw = ImageDraw.Draw(img)
    pen = max(1, round(width_px * SUPER))
    for pts in polylines:
        x, y = to_pixels(unwrap(pts), SUPER)
        for shift in (-w, 0, w):
            xy = [(float(a + shift), float(b)) for a, b in zip(x, y)]
            draw.line(xy, fill=255, width=pen)
    return coverage(np.asarray(img, dtype=np.float64) / 255.0)


def near_pole_only(points):
    # world-atlas' ring round the south pole at -89.999 deg: no coastline to draw
    return bool(np.all(points[:, 1] < -89.9))


def land_rings(topo, arcs):
    rings = []
    for geometry in topo["objects"]["land"]["geometries"]:
        for polygon in polygons_of(geometry):
            for ring in polygon:
                rings.append(closed_ring(ring_points(arcs, ring)))
    return rings


def coast_lines(topo, arcs):
    lines = []
    for geometry in topo["objects"]["land"]["geometries"]:
        for polygon in polygons_of(geometry):
            for ring in polygon:
                pts = ring_points(arcs, ring)
                if not near_pole_only(pts):
                    lines.append(np.vstack((pts, pts[:1])))
    return lines


# ---------------------------------------------------------------------------
# Colour helpers


def blend(base, colour, alpha):
    """base (H, W, 3) float, colour (3,) or (H, W, 3), alpha (H, W) in 0..1."""
    a = alpha[..., None]
    return base * (1.0 - a) + np.asarray(colour, dtype=np.float64) * a


def to_image(rgb):
    return Image.fromarray(np.clip(np.rint(rgb), 0, 255).astype(np.uint8), "RGB")


def ramp(values, stops):
    """Piecewise linear colour ramp; stops = [(value, (r, g, b)), ...] ascending."""
    xs = np.array([s[0] for s in stops], dtype=np.float64)
    out = np.empty(values.shape + (3,), dtype=np.float64)
    for c in range(3):
        out[..., c] = np.interp(values, xs, [s[1][c] for s in stops])
    return out


def darken(rgb):
    """The night side of the visibility map: the same map at about a third of its
    brightness, tinted towards blue."""
    return rgb * np.array([0.30, 0.32, 0.42])


def save_bmp(rgb, path):
    to_image(rgb).save(path, format="BMP")


# ---------------------------------------------------------------------------
# The four maps


def make_bluemarble(marble_dir):
    src = Image.open(os.path.join(marble_dir, "maps/earth/bluemarble/bluemarble.jpg")).convert("RGB")
    if src.size != (2700, 1350):
        sys.exit(f"make_pictures: bluemarble.jpg is {src.size}, expected 2700 x 1350")
    return np.asarray(src.resize((WIDTH, HEIGHT), Image.LANCZOS), dtype=np.float64)


def gaussian_blur(a, sigma):
    """Separable Gaussian blur; rows clamp at the poles, columns wrap round the globe."""
    radius = int(math.ceil(3 * sigma))
    k = np.exp(-0.5 * (np.arange(-radius, radius + 1) / sigma) ** 2)
    k /= k.sum()
    padded = np.pad(a, ((0, 0), (radius, radius)), mode="wrap")
    a = sum(k[i] * padded[:, i:i + a.shape[1]] for i in range(len(k)))
    padded = np.pad(a, ((radius, radius), (0, 0)), mode="edge")
    return sum(k[i] * padded[i:i + a.shape[0], :] for i in range(len(k)))


SEA_LEVEL_GREY = 96.0  # grey value of sea level in the SRTM30 tiles
PEAK_GREY = 240.0      # grey value of the highest peaks


def make_relief(marble_dir, land):
    tiles = [Image.open(os.path.join(marble_dir, f"maps/earth/srtm/0/000000/000000_00000{i}.jpg")) for i in (0, 1)]
    for t in tiles:
        if t.size != (675, 675) or t.mode != "L":
            sys.exit(f"make_pictures: SRTM tile is {t.size} {t.mode}, expected 675 x 675 grey")
    grey = np.hstack([np.asarray(t, dtype=np.float64) for t in tiles])  # 1350 x 675, west to east
    # The tiles are JPEG: smooth away the 8 x 8 block edges before taking slopes. Towards
    # the poles the tiles are stretched and blockier, so the blur grows there.
    lat = 90.0 - (np.arange(grey.shape[0]) + 0.5) * 180.0 / grey.shape[0]
    polar = np.clip((np.abs(lat) - 55.0) / 15.0, 0.0, 1.0)[:, None]
    smooth = gaussian_blur(grey, 1.5) * (1.0 - polar) + gaussian_blur(grey, 4.0) * polar
    # Hill shading on the full grid: light from the north-west, 45 deg above the horizon.
    # The grey values are only a monotonic code of height, so the exaggeration is chosen by eye.
    exaggeration = 0.7
    gy, gx = np.gradient(smooth)
    nx, ny, nz = -gx * exaggeration, gy * exaggeration, np.ones_like(gx)  # ny: northwards
    norm = np.sqrt(nx * nx + ny * ny + nz * nz)
    lx, ly, lz = -0.5, 0.5, math.sqrt(0.5)
    shade_full = (nx * lx + ny * ly + nz * lz) / norm / lz  # 1 on flat ground
    shade = np.asarray(Image.fromarray(shade_full.astype(np.float32), "F").resize((WIDTH, HEIGHT), Image.BOX),
                       dtype=np.float64)
    height = np.asarray(Image.fromarray(grey.astype(np.float32), "F").resize((WIDTH, HEIGHT), Image.BOX),
                        dtype=np.float64)

    # Height tints: roughly 0 m at 96, 100 m at 115, 500 m at 150, 4500 m at 230.
    t = np.clip((height - SEA_LEVEL_GREY) / (PEAK_GREY - SEA_LEVEL_GREY), 0.0, 1.0)
    land_rgb = ramp(t, [
        (0.00, (96, 148, 88)),
        (0.10, (128, 170, 96)),
        (0.22, (180, 198, 124)),
        (0.34, (216, 206, 142)),
        (0.48, (208, 174, 118)),
        (0.62, (180, 138, 98)),
        (0.80, (150, 114, 90)),
        (0.92, (186, 172, 164)),
        (1.00, (246, 246, 246)),
    ])
    # The ice sheets of Antarctica and of inner Greenland are tinted as ice, not by height,
    # and shaded more gently (their slopes in the tiles are mostly JPEG noise).
    map_lat = (90.0 - (np.arange(HEIGHT) + 0.5) * 180.0 / HEIGHT)[:, None]
    map_lon = (-180.0 + (np.arange(WIDTH) + 0.5) * 360.0 / WIDTH)[None, :]
    antarctica = np.clip((-map_lat - 58.0) / 4.0, 0.0, 1.0) * np.ones((1, WIDTH))
    greenland_box = (map_lat > 59.5) & (map_lon > -73.0) & (map_lon < -11.0)
    greenland = np.where(greenland_box, np.clip((t - 0.28) / 0.1, 0.0, 1.0), 0.0)
    ice = np.maximum(antarctica, greenland)
    land_rgb = blend(land_rgb, ramp(t, [(0.0, (214, 222, 232)), (1.0, (246, 248, 252))]), ice)
    shade = 1.0 + (shade - 1.0) * (1.0 - 0.8 * ice)
    land_rgb *= np.clip(shade, 0.45, 1.35)[..., None]
    depth = np.clip((SEA_LEVEL_GREY - height) / (SEA_LEVEL_GREY - 20.0), 0.0, 1.0)
    sea_rgb = ramp(depth, [(0.0, (164, 204, 232)), (0.35, (104, 156, 208)), (1.0, (46, 88, 160))])
    return blend(sea_rgb, np.clip(land_rgb, 0, 255), land)


PALETTE = [  # soft political colours, neighbours never share one
    (246, 222, 136),  # yellow
    (172, 210, 140),  # green
    (236, 162, 156),  # salmon
    (214, 188, 220),  # lilac
    (150, 204, 186),  # sea green
    (226, 176, 120),  # ochre
    (200, 200, 196),  # grey
]


def colour_countries(geometries):
    """Greedy colouring (Welsh and Powell 1967) of the countries' neighbour graph; two
    countries are neighbours when they share a border arc."""
    users = {}
    for k, g in enumerate(geometries):
        for polygon in polygons_of(g):
            for ring in polygon:
                for index in ring:
                    users.setdefault(index if index >= 0 else ~index, set()).add(k)
    neighbours = [set() for _ in geometries]
    for owners in users.values():
        for a in owners:
            neighbours[a] |= owners - {a}
    order = sorted(range(len(geometries)), key=lambda k: (-len(neighbours[k]), k))
    colour = {}
    for k in order:
        taken = {colour[n] for n in neighbours[k] if n in colour}
        colour[k] = next(c for c in range(len(PALETTE)) if c not in taken)
    return colour


def make_political(countries_path, land):
    topo, arcs = load_topology(countries_path)
    geometries = topo["objects"]["countries"]["geometries"]
    colour = colour_countries(geometries)
    rgb = np.empty((HEIGHT, WIDTH, 3))
    rgb[:] = (190, 222, 244)
    rgb = blend(rgb, (226, 226, 216), land)  # land that belongs to no country
    for k, g in enumerate(geometries):
        rings = [closed_ring(ring_points(arcs, ring)) for polygon in polygons_of(g) for ring in polygon]
        if rings:
            rgb = blend(rgb, PALETTE[colour[k]], coverage(fill_even_odd(rings, SUPER)))
    borders = [arc for arc in arcs if not near_pole_only(arc)]
    rgb = blend(rgb, (72, 72, 80), line_coverage(borders, 0.75))
    return rgb


def make_white(land_path):
    topo, arcs = load_topology(land_path)
    land = coverage(fill_even_odd(land_rings(topo, arcs), SUPER))
    rgb = np.empty((HEIGHT, WIDTH, 3))
    rgb[:] = (206, 226, 242)
    rgb = blend(rgb, (255, 255, 255), land)
    rgb = blend(rgb, (70, 96, 130), line_coverage(coast_lines(topo, arcs), 0.75))
    return rgb, land


# ---------------------------------------------------------------------------
# The Moon pictures


def moon_texture(textures_dir):
    src = Image.open(os.path.join(textures_dir, "moon_4k.jpg")).convert("RGB")
    if src.size != (4096, 2048):
        sys.exit(f"make_pictures: moon_4k.jpg is {src.size}, expected 4096 x 2048")
    # Prefiltered to about two texels per sample of the largest disc.
    return np.asarray(src.resize((1024, 512), Image.LANCZOS), dtype=np.float64)


def bilinear(tex, col, row):
    h, w, _ = tex.shape
    c0 = np.floor(col).astype(np.int64)
    r0 = np.clip(np.floor(row).astype(np.int64), 0, h - 2)
    fc = (col - c0)[..., None]
    fr = np.clip(row - r0, 0.0, 1.0)[..., None]
    c0m, c1m = c0 % w, (c0 + 1) % w
    top = tex[r0, c0m] * (1 - fc) + tex[r0, c1m] * fc
    bottom = tex[r0 + 1, c0m] * (1 - fc) + tex[r0 + 1, c1m] * fc
    return top * (1 - fr) + bottom * fr


def make_moon(tex, n, samples=8):
    """Picture N: a full Moon of diameter D = N - 2 pixels, orthographic, north up, east
    (Mare Crisium) to the right as seen from the Earth, in the top-left square of N - 1
    pixels; black elsewhere. The disc is centred on pixel index D/2 with radius D/2, the
    same disc that the shadow diagram copies, and its edge is antialiased."""
    d = n - 2
    half = d / 2.0
    sub = (np.arange(samples) + 0.5) / samples - 0.5
    u = (np.arange(n)[:, None] + sub[None, :]).ravel()  # sample positions in index units
    sx, sy = np.meshgrid(u, u)  # sy grows downwards
    x = (sx - half) / half
    y = (half - sy) / half
    r2 = x * x + y * y
    inside = r2 <= 1.0
    z = np.sqrt(np.clip(1.0 - r2, 0.0, 1.0))
    lat = np.arcsin(np.clip(y, -1.0, 1.0))
    lon = np.arctan2(x, z)  # selenographic longitude, east positive
    th, tw, _ = tex.shape
    col = (np.degrees(lon) + 180.0) / 360.0 * tw - 0.5
    row = (90.0 - np.degrees(lat)) / 180.0 * th - 0.5
    colour = bilinear(tex, col, row) * inside[..., None]
    pixel = colour.reshape(n, samples, n, samples, 3).mean(axis=(1, 3))
    out = np.clip(np.rint(pixel), 0, 255).astype(np.uint8)
    # Black is the transparent colour: no pixel of the disc may be black.
    v, w_ = np.mgrid[0:n, 0:n]
    disc = (w_ - half) ** 2 + (v - half) ** 2 < half * half
    black = disc & np.all(out == 0, axis=2)
    out[black] = 1
    return Image.fromarray(out, "RGB")


# ---------------------------------------------------------------------------


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    marble_dir, textures_dir, atlas_dir, out_dir = sys.argv[1:5]
    os.makedirs(out_dir, exist_ok=True)

    white, land = make_white(os.path.join(atlas_dir, "land-50m.json"))
    maps = {
        "bluemarble_680x340": make_bluemarble(marble_dir),
        "demis_world_680x340": make_relief(marble_dir, land),
        "world_politisch_680x340": make_political(os.path.join(atlas_dir, "countries-50m.json"), land),
        "world_white_680x340": white,
    }
    for name, rgb in maps.items():
        save_bmp(rgb, os.path.join(out_dir, name + ".bmp"))
        save_bmp(darken(rgb), os.path.join(out_dir, name + "_dark.bmp"))

    tex = moon_texture(textures_dir)
    for n in range(70, 93):
        make_moon(tex, n).save(os.path.join(out_dir, f"mond{n}.bmp"), format="BMP")


if __name__ == "__main__":
    main()
