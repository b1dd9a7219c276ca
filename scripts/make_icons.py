#!/usr/bin/env python3
"""Draw Quorvel's icons from their text sources.

Usage: make_icons.py SOURCE_DIR OUTPUT_DIR

Every SOURCE_DIR/<name>.txt becomes OUTPUT_DIR/<name>.ico. A source is
plain text:

    # a comment
    transparent .             the character of see-through pixels
    colour K 202020 outline   a character, its colour as RRGGBB, a note
    colour s 00000040         ... or RRGGBBAA for a partly see-through one
    image 32 32 32            width, height, bits per pixel (32 or 4)
    <height rows of width characters>
    image 16 16 32
    ...
    sizes 16 20 24 32 48      the sizes the icon comes in
    png 48                    sizes whose 32-bit image is stored PNG-compressed

A size that is not drawn is made from the drawn images: from the smallest
larger one by averaging the area each new pixel covers, or, above the
largest, from that one doubled with Scale2x (which keeps edges sharp and
rounds diagonals instead of making blocks) and averaged down the same way.
Such images are 32-bit. Small pictures whose every pixel counts (the
drop-down triangle) are drawn at every size instead.

A 32-bit image is stored as BGRA with an alpha channel; a 4-bit image uses
the colours it names (at most 16) as its colour table. Both carry the AND
mask that older renderers use for transparency. A 32-bit image of a size
named by "png" is stored as a PNG file instead, a tenth of the bytes: Windows
reads such images from Vista on, so only sizes that older systems never ask
for are named. Only the standard library
is used, so the build needs nothing beyond Python itself.
"""

import os
import struct
import sys
import zlib


class SourceError(Exception):
    """A fault in an icon source, reported with its file and line."""


class Image:
    def __init__(self, width, height, bits, rows):
        self.width = width
        self.height = height
        self.bits = bits
        self.rows = rows  # list of lists of (r, g, b, a), top row first
        self.png = False


def parse_colour(text, where):
    if len(text) not in (6, 8):
        raise SourceError(f"{where}: colour must be RRGGBB or RRGGBBAA, not {text!r}")
    try:
        value = bytes.fromhex(text)
    except ValueError:
        raise SourceError(f"{where}: colour must be hexadecimal, not {text!r}") from None
    return tuple(value) if len(value) == 4 else tuple(value) + (255,)


def parse_source(path):
    """Read one source file into its list of images, the sizes it asks for made."""
    palette = {}
    transparent = None
    images = []
    sizes = []
    png_sizes = []
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    i = 0
    while i < len(lines):
        where = f"{path}:{i + 1}"
        words = lines[i].split()
        i += 1
        if not words or words[0].startswith("#"):
            continue
        keyword = words[0]
        if keyword == "transparent" and len(words) == 2 and len(words[1]) == 1:
            transparent = words[1]
            palette[transparent] = (0, 0, 0, 0)
        elif keyword == "colour" and len(words) >= 3 and len(words[1]) == 1:
            palette[words[1]] = parse_colour(words[2], where)
        elif keyword == "image" and len(words) == 4:
            try:
                width, height, bits = (int(w) for w in words[1:])
            except ValueError:
                raise SourceError(f"{where}: image needs width, height and bits") from None
            if bits not in (4, 32) or not (1 <= width <= 256 and 1 <= height <= 256):
                raise SourceError(f"{where}: unsupported image {width}x{height}x{bits}")
            if i + height > len(lines):
                raise SourceError(f"{where}: image has fewer than {height} rows")
            rows = []
            for r in range(height):
                row_text = lines[i + r]
                row_where = f"{path}:{i + r + 1}"
                if len(row_text) != width:
                    raise SourceError(f"{row_where}: row is {len(row_text)} wide, not {width}")
                unknown = sorted(set(row_text) - set(palette))
                if unknown:
                    raise SourceError(f"{row_where}: no colour for {''.join(unknown)!r}")
                rows.append([palette[c] for c in row_text])
            i += height
            images.append(Image(width, height, bits, rows))
        elif keyword in ("sizes", "png") and len(words) >= 2:
            try:
                numbers = [int(w) for w in words[1:]]
            except ValueError:
                raise SourceError(f"{where}: sizes must be numbers") from None
            if not all(1 <= size <= 256 for size in numbers):
                raise SourceError(f"{where}: sizes run from 1 to 256")
            if keyword == "sizes":
                sizes = numbers
            else:
                png_sizes = numbers
        else:
            raise SourceError(f"{where}: cannot read {lines[i - 1]!r}")
    if not images:
        raise SourceError(f"{path}: no image")
    if any(im.width != im.height for im in images):
        raise SourceError(f"{path}: icons are square")
    drawn = {im.width for im in images}
    images += [scaled_image(images, size) for size in sorted(set(sizes) - drawn)]
    for size in png_sizes:
        chosen = [im for im in images if im.width == size and im.bits == 32]
        if not chosen:
            raise SourceError(f"{path}: png {size}: the icon has no 32-bit image of that size")
        for im in chosen:
            im.png = True
    return sorted(images, key=lambda im: (-im.width, -im.bits))


def scale2x(rows):
    """Each pixel becomes four; a corner takes a neighbour's colour where two neighbours meet there."""
    height, width = len(rows), len(rows[0])
    out = []
    for y in range(height):
        top, bottom = [], []
        for x in range(width):
            p = rows[y][x]
            a = rows[y - 1][x] if y > 0 else p
            d = rows[y + 1][x] if y + 1 < height else p
            c = rows[y][x - 1] if x > 0 else p
            b = rows[y][x + 1] if x + 1 < width else p
            top += [a if c == a and c != d and a != b else p, b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p, d if b == d and b != a and d != c else p]
        out += [top, bottom]
    return out


def shrink(rows, size):
    """Averages the area under each new pixel, weighting colours by their opacity."""
    old = len(rows)
    spans = []  # for each new pixel, the old pixels under it with their share
    for n in range(size):
        start, end = n * old / size, (n + 1) * old / size
        spans.append([(i, min(end, i + 1) - max(start, i)) for i in range(int(start), min(old, int(-(-end // 1))))
                      if min(end, i + 1) > max(start, i)])
    out = []
    for ys in spans:
        row = []
        for xs in spans:
            total = [0.0] * 4
            for y, wy in ys:
                for x, wx in xs:
                    r, g, b, a = rows[y][x]
                    weight = wx * wy
                    total = [total[0] + r * a * weight, total[1] + g * a * weight,
                             total[2] + b * a * weight, total[3] + a * weight]
            area = (old / size) ** 2
            alpha = total[3] / area
            if alpha < 0.5:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(min(255, round(c / total[3])) for c in total[:3]) + (min(255, round(alpha)),))
        out.append(row)
    return out


def scaled_image(images, size):
    """An image of a size that is not drawn, made from those that are."""
    larger = [im for im in images if im.width >= size]
    if larger:
        rows = min(larger, key=lambda im: (im.width, -im.bits)).rows
    else:
        rows = max(images, key=lambda im: (im.width, im.bits)).rows
        while len(rows) < size:
            rows = scale2x(rows)
    return Image(size, size, 32, shrink(rows, size) if len(rows) != size else rows)


def row_stride(width, bits):
    """Bytes per bitmap row: rows are padded to whole 32-bit words."""
    return (width * bits + 31) // 32 * 4


def and_mask(image):
    """1 bit per pixel, set where the pixel is fully transparent; bottom row first."""
    stride = row_stride(image.width, 1)
    out = bytearray()
    for row in reversed(image.rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def colour_bits_32(image):
    out = bytearray()
    for row in reversed(image.rows):
        for r, g, b, a in row:
            out += bytes((b, g, r, a)) if a else bytes(4)
    return bytes(out)


def colour_bits_4(image):
    """Colour table and 4-bit pixels; index 0 is black, kept for transparent pixels."""
    table = [(0, 0, 0)]
    index = {}
    for row in image.rows:
        for r, g, b, a in row:
            if a == 0 or (r, g, b) in index:
                continue
            if a != 255:
                raise SourceError("a 4-bit image cannot hold partly transparent colours")
            if (r, g, b) == (0, 0, 0):
                index[(r, g, b)] = 0
                continue
            if len(table) == 16:
                raise SourceError("a 4-bit image holds at most 15 colours besides black")
            index[(r, g, b)] = len(table)
            table.append((r, g, b))
    table += [(0, 0, 0)] * (16 - len(table))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in table)

    stride = row_stride(image.width, 4)
    pixels = bytearray()
    for row in reversed(image.rows):
        line = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            value = index[(r, g, b)] if a else 0
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
        pixels += line
    return colours, bytes(pixels)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_data(image):
    """The image as a PNG file: 8-bit RGBA, top row first, see-through pixels all zero."""
    raw = bytearray()
    for row in image.rows:
        raw.append(0)  # no filter
        for r, g, b, a in row:
            raw += bytes((r, g, b, a)) if a else bytes(4)
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def image_data(image):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), colours, mask."""
    if image.png:
        return png_data(image)
    if image.bits == 32:
        colours, pixels = b"", colour_bits_32(image)
    else:
        colours, pixels = colour_bits_4(image)
    mask = and_mask(image)
    header = struct.pack("<IiiHHIIiiII", 40, image.width, image.height * 2, 1,
                         image.bits, 0, len(pixels) + len(mask), 0, 0,
                         16 if image.bits == 4 else 0, 0)
    return header + colours + pixels + mask


def ico_file(images):
    """ICONDIR, one ICONDIRENTRY per image, then the images themselves."""
    blobs = [image_data(im) for im in images]
    offset = 6 + 16 * len(images)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    for im, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", im.width % 256, im.height % 256,
                           16 if im.bits == 4 else 0, 0, 1, im.bits, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    source_dir, output_dir = argv[1], argv[2]
    names = sorted(n for n in os.listdir(source_dir) if n.endswith(".txt"))
    if not names:
        print(f"make_icons: no icon sources in {source_dir}", file=sys.stderr)
        return 1
    os.makedirs(output_dir, exist_ok=True)
    for name in names:
        path = os.path.join(source_dir, name)
        try:
            data = ico_file(parse_source(path))
        except SourceError as e:
            print(f"make_icons: {path}: {e}" if not str(e).startswith(path)
                  else f"make_icons: {e}", file=sys.stderr)
            return 1
        target = os.path.join(output_dir, name[:-4] + ".ico")
        with open(target + ".tmp", "wb") as f:
            f.write(data)
        os.replace(target + ".tmp", target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
