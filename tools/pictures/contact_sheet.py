"""Lays all shipped pictures side by side in one PNG for a visual check: each map beside
its darkened twin at full size, then the 23 Moon pictures at twice their size on a dark
grey ground (so that their black, transparent background shows as a square), with the
darkened maps' one pure black pixel and a 30-degree graticule marked in magenta.

Usage: /usr/bin/python3 -I contact_sheet.py DATA_DIR OUTPUT.png
"""

import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

MAPS = ["bluemarble_680x340", "demis_world_680x340", "world_politisch_680x340", "world_white_680x340"]
GAP = 24
MOON_ZOOM = 2


def marked_map(path, mark_black):
    img = Image.open(path).convert("RGB")
    draw = ImageDraw.Draw(img)
    for k in range(1, 12):
        x = round(k * 680 / 12)
        draw.point([(x, y) for y in range(0, 340, 4)], fill=(255, 0, 255))
    for k in range(1, 6):
        y = round(k * 340 / 6)
        draw.point([(x, y) for x in range(0, 680, 4)], fill=(255, 0, 255))
    if mark_black:
        a = np.asarray(Image.open(path).convert("RGB"))
        for y, x in zip(*np.nonzero(np.all(a == 0, axis=2))):
            draw.rectangle([x - 4, y - 4, x + 4, y + 4], outline=(255, 0, 255))
    return img


def main():
    data, out = sys.argv[1], sys.argv[2]
    font = ImageFont.load_default()
    width = 2 * 680 + 3 * GAP
    moon_cell = 92 * MOON_ZOOM + GAP
    per_row = (width - GAP) // moon_cell
    moon_rows = -(-23 // per_row)
    height = GAP + 4 * (340 + GAP + 12) + moon_rows * (moon_cell + 12) + GAP
    sheet = Image.new("RGB", (width, height), (64, 64, 64))
    draw = ImageDraw.Draw(sheet)
    y = GAP
    for name in MAPS:
        for k, suffix in enumerate(("", "_dark")):
            x = GAP + k * (680 + GAP)
            file = name + suffix + ".bmp"
            img = marked_map(os.path.join(data, file), mark_black=bool(suffix))
            draw.text((x, y), f"{file}  {img.size[0]}x{img.size[1]}", fill=(255, 255, 255), font=font)
            sheet.paste(img, (x, y + 12))
        y += 340 + GAP + 12
    for i, n in enumerate(range(70, 93)):
        x = GAP + (i % per_row) * moon_cell
        yy = y + (i // per_row) * (moon_cell + 12)
        img = Image.open(os.path.join(data, f"mond{n}.bmp")).convert("RGB")
        draw.text((x, yy), f"mond{n}.bmp", fill=(255, 255, 255), font=font)
        sheet.paste(img.resize((img.width * MOON_ZOOM, img.height * MOON_ZOOM), Image.NEAREST), (x, yy + 12))
    sheet.save(out, format="PNG")


if __name__ == "__main__":
    main()
