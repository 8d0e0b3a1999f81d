#!/usr/bin/env python3
"""Generate all of Orbiquel's artwork into res/.

    python3 tools/make_artwork.py               writes the files below into res/
    python3 tools/make_artwork.py --check       re-reads res/, validates every format
                                                and compares the pixels with a fresh
                                                rendering (exit status 1 on a fault)
    python3 tools/make_artwork.py --preview DIR also writes enlarged PNG previews

Files (resource id in brackets):
    checker.bmp        [130]  8x8 1-bpp checkerboard
    lamp_enabled.bmp   [131]  13x17 8-bpp green lamp on magenta (mask colour)
    lamp_disabled.bmp  [132]  13x17 8-bpp grey lamp on magenta
    lamp_builtin.bmp   [134]  13x17 8-bpp violet lamp on magenta, RLE8
    title.bmp          [143]  223x27 8-bpp "Orbiquel" lettering
    background.bmp     [146]  217x377 8-bpp window face
    orbiquel.ico       [128]  32x32 and 16x16, 16 colours, AND mask
    clip.avi           [101]  20 frames 50x120, Microsoft RLE, green = transparent

and the same art at twice the size, for displays of 144 dots per inch and more
(the program scales it down where it needs less):
    lamp_*_2x.bmp      [151, 152, 154]  26x34 8-bpp, RLE8
    title_2x.bmp       [163]  446x54 8-bpp
    background_2x.bmp  [166]  600x1068 8-bpp, RLE8: the face for windows up to
                              that size (the 96-dpi window shows the 217x377
                              face stretched over about 258x534 or 300x435)
    clip_2x.avi        [103]  20 frames 100x240, Microsoft RLE

Everything is drawn procedurally with the standard library only (no fonts, no
image libraries); the pseudo-random textures use fixed seeds, so every run
produces the same bytes.
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")

BI_RGB, BI_RLE8 = 0, 1
MAGENTA = (255, 0, 255)
GREEN = (0, 255, 0)
CLIP_KEY_INDEX = 18

# Window geometry: the face bitmap is stretched over a client area of about
# WIN_W x WIN_H pixels; the controls are placed in dialog units (DLG_W x DLG_H).
BG_W, BG_H = 217, 377
WIN_W, WIN_H = 300, 435
LARGE = 2           # the larger set's scale
# The larger face is stretched over the window at 120, 144 and 192 dpi and
# must not be scaled up there: large enough for the 192-dpi window with
# either dialog font, about 589 x 882 with Comic Sans MS and 510 x 1008 with
# the Comic Neue that stands in for it under Wine.
LARGE_FACE_W, LARGE_FACE_H = 600, 1068
DLG_W, DLG_H = 172, 267
TITLE_W, TITLE_H = 223, 27
CLIP_W, CLIP_H, CLIP_FRAMES = 50, 120, 20
LAMP_W, LAMP_H = 13, 17


def dlg_rect(left, top, right, bottom):
    """Dialog-unit rectangle -> rectangle in face-bitmap pixels."""
    sx, sy = BG_W / DLG_W, BG_H / DLG_H
    return (left * sx, top * sy, right * sx, bottom * sy)


TITLE_RECT = dlg_rect(22, 13, 149, 26)
LIST_RECT = dlg_rect(15, 36, 157, 203)
SAVE_RECT = dlg_rect(22, 223, 54, 246)
CANCEL_RECT = dlg_rect(117, 223, 149, 246)
CLIP_RECT = dlg_rect(72, 207, 99, 252)


def window_polygon(w, h):
    return [(30, 0), (w - 30, 0), (w, 30), (w - 15, h - 30),
            (w - 82, h), (82, h), (15, h - 30), (0, 30)]


FACE_POLYGON = [(x * BG_W / WIN_W, y * BG_H / WIN_H)
                for x, y in window_polygon(WIN_W, WIN_H)]


# ---------------------------------------------------------------- helpers

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


def ramp(stops, t):
    """Piecewise linear colour ramp; stops = [(pos, (r, g, b)), ...]."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def to_rgb8(c):
    return tuple(int(clamp(v, 0, 255) + 0.5) for v in c)


class Rand:
    """xorshift32: small, fast and identical on every platform."""

    def __init__(self, seed):
        self.s = (seed & 0xFFFFFFFF) or 0x9E3779B9

    def next(self):
        s = self.s
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.s = s
        return s

    def uniform(self):
        return self.next() / 4294967296.0

    def signed(self):
        return self.uniform() * 2.0 - 1.0


def hash2(ix, iy, seed):
    h = (ix * 374761393 + iy * 668265263 + seed * 1442695041) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return h / 2147483647.5 - 1.0


def value_noise(x, y, seed):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    fx = fx * fx * (3 - 2 * fx)
    fy = fy * fy * (3 - 2 * fy)
    a = hash2(ix, iy, seed)
    b = hash2(ix + 1, iy, seed)
    c = hash2(ix, iy + 1, seed)
    d = hash2(ix + 1, iy + 1, seed)
    top = a + (b - a) * fx
    return top + (c + (d - c) * fx - top) * fy


def box_blur(grid, w, h, r):
    """Separable box blur with clamped edges (grid: list of rows)."""
    out = []
    n = 2 * r + 1
    for row in grid:
        new = []
        for x in range(w):
            s = 0.0
            for k in range(x - r, x + r + 1):
                s += row[min(w - 1, max(0, k))]
            new.append(s / n)
        out.append(new)
    res = [[0.0] * w for _ in range(h)]
    for x in range(w):
        for y in range(h):
            s = 0.0
            for k in range(y - r, y + r + 1):
                s += out[min(h - 1, max(0, k))][x]
            res[y][x] = s / n
    return res


def rrect_sd(px, py, rect, radius):
    """Signed distance to a rounded rectangle and the outward normal there."""
    l, t, r, b = rect
    cx, cy = (l + r) * 0.5, (t + b) * 0.5
    qx = abs(px - cx) - ((r - l) * 0.5 - radius)
    qy = abs(py - cy) - ((b - t) * 0.5 - radius)
    sx = 1.0 if px >= cx else -1.0
    sy = 1.0 if py >= cy else -1.0
    if qx > 0 and qy > 0:
        d = math.hypot(qx, qy)
        return d - radius, (sx * qx / d, sy * qy / d)
    if qx > qy:
        return qx - radius, (sx, 0.0)
    return qy - radius, (0.0, sy)


def grow(rect, m):
    return (rect[0] - m, rect[1] - m, rect[2] + m, rect[3] + m)


# ---------------------------------------------------------------- palettes

def median_cut(hist, n):
    """hist: {(r, g, b): count}. Returns up to n colours (weighted box means)."""
    boxes = [sorted(hist.items())]

    def stats(box):
        wsum = sum(c for _, c in box)
        best = (-1.0, 0)
        for ch in range(3):
            m = sum(k[ch] * c for k, c in box) / wsum
            var = sum((k[ch] - m) ** 2 * c for k, c in box)
            if var > best[0]:
                best = (var, ch)
        return best

    scored = [(stats(boxes[0]), boxes[0])]
    while len(scored) < n:
        scored.sort(key=lambda s: -s[0][0])
        (var, ch), box = scored[0]
        if var <= 0 or len(box) < 2:
            break
        box = sorted(box, key=lambda kc: (kc[0][ch], kc[0]))
        half = sum(c for _, c in box) / 2.0
        acc, cut = 0, 1
        for i, (_, c) in enumerate(box):
            acc += c
            if acc >= half:
                cut = min(max(i + 1, 1), len(box) - 1)
                break
        a, b = box[:cut], box[cut:]
        scored[0:1] = [(stats(a), a), (stats(b), b)]
    pal = []
    for _, box in scored:
        wsum = sum(c for _, c in box)
        pal.append(tuple(int(sum(k[ch] * c for k, c in box) / wsum + 0.5)
                         for ch in range(3)))
    return sorted(set(pal), key=lambda c: (0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2], c))


class Quantizer:
    """Maps colours to the nearest palette entry; entries in `skip` are never
    chosen (e.g. a transparency key)."""

    def __init__(self, palette, skip=()):
        self.entries = [(i, c) for i, c in enumerate(palette) if i not in skip]
        self.cache = {}

    def __call__(self, c):
        key = (int(clamp(c[0], 0, 255)) >> 2, int(clamp(c[1], 0, 255)) >> 2,
               int(clamp(c[2], 0, 255)) >> 2)
        idx = self.cache.get(key)
        if idx is None:
            r, g, b = key[0] * 4 + 2, key[1] * 4 + 2, key[2] * 4 + 2
            best = 1 << 30
            for i, (pr, pg, pb) in self.entries:
                d = 3 * (pr - r) ** 2 + 4 * (pg - g) ** 2 + 2 * (pb - b) ** 2
                if d < best:
                    best, idx = d, i
            self.cache[key] = idx
        return idx


def histogram(colours):
    hist = {}
    for c in colours:
        k = (int(clamp(c[0], 0, 255)) >> 2 << 2 | 2, int(clamp(c[1], 0, 255)) >> 2 << 2 | 2,
             int(clamp(c[2], 0, 255)) >> 2 << 2 | 2)
        hist[k] = hist.get(k, 0) + 1
    return hist


def quantize_image(rows, ncolours=256):
    """rows: top-down rows of float RGB. Returns (palette, index rows)."""
    pal = median_cut(histogram(c for row in rows for c in row), ncolours)
    q = Quantizer(pal)
    idx = [[q(c) for c in row] for row in rows]
    return pad_palette(pal), idx


def pad_palette(pal, size=256):
    return list(pal) + [(0, 0, 0)] * (size - len(pal))


# ---------------------------------------------------------------- RLE8

def rle8_encode(rows_bottom_up):
    """Microsoft RLE8: encoded runs, absolute runs (>= 3 bytes, word aligned),
    end-of-line after each row but the last, end-of-bitmap at the end."""
    out = bytearray()
    last = len(rows_bottom_up) - 1
    for y, row in enumerate(rows_bottom_up):
        n = len(row)
        lit = []
        i = 0
        while i <= n:
            run = 0
            if i < n:
                run = 1
                while i + run < n and run < 255 and row[i + run] == row[i]:
                    run += 1
            if i == n or run >= 3 or (run == 2 and not lit):
                while lit:
                    chunk, lit = lit[:255], lit[255:]
                    if len(chunk) >= 3:
                        out += bytes((0, len(chunk))) + bytes(chunk)
                        if len(chunk) & 1:
                            out.append(0)
                    else:
                        for v in chunk:
                            out += bytes((1, v))
                if i == n:
                    break
                out += bytes((run, row[i]))
                i += run
            else:
                lit.extend(row[i:i + run])
                i += run
        out += b"\x00\x01" if y == last else b"\x00\x00"
    return bytes(out)


def rle8_decode(data, width, height):
    """Strict decoder: returns bottom-up rows; raises ValueError on any fault
    (overrun, missing pixels, data after the end-of-bitmap marker)."""
    rows = [[None] * width for _ in range(height)]
    x = y = i = 0
    while True:
        if i + 2 > len(data):
            raise ValueError("RLE8 data ends without end-of-bitmap")
        c, v = data[i], data[i + 1]
        i += 2
        if c:
            if y >= height or x + c > width:
                raise ValueError("RLE8 run overflows row %d" % y)
            rows[y][x:x + c] = [v] * c
            x += c
        elif v == 0:
            x, y = 0, y + 1
        elif v == 1:
            break
        elif v == 2:
            x, y = x + data[i], y + data[i + 1]
            i += 2
        else:
            if y >= height or x + v > width or i + v > len(data):
                raise ValueError("RLE8 absolute run overflows row %d" % y)
            rows[y][x:x + v] = list(data[i:i + v])
            x += v
            i += v + (v & 1)
    if i != len(data):
        raise ValueError("%d bytes after end-of-bitmap" % (len(data) - i))
    if any(p is None for row in rows for p in row):
        raise ValueError("RLE8 data leaves pixels undefined")
    return rows


# ---------------------------------------------------------------- BMP / ICO

def pack_rows(rows_bottom_up, bpp):
    out = bytearray()
    for row in rows_bottom_up:
        if bpp == 8:
            line = bytes(row)
        elif bpp == 4:
            line = bytes((row[i] << 4) | (row[i + 1] if i + 1 < len(row) else 0)
                         for i in range(0, len(row), 2))
        else:
            line = bytes(sum(bit << (7 - j) for j, bit in enumerate(row[i:i + 8]))
                         for i in range(0, len(row), 8))
        out += line + b"\0" * (-len(line) % 4)
    return bytes(out)


def info_header(w, h, bpp, compression, size_image, clr_used):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, compression,
                       size_image, 0, 0, clr_used, 0)


def rgbquads(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def bmp_bytes(rows, palette, bpp=8, compression=BI_RGB):
    """rows are top-down; stored bottom-up as usual."""
    h, w = len(rows), len(rows[0])
    bottom_up = rows[::-1]
    if compression == BI_RLE8:
        data = rle8_encode(bottom_up)
    else:
        data = pack_rows(bottom_up, bpp)
    pal = rgbquads(palette)
    off = 14 + 40 + len(pal)
    return (struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off)
            + info_header(w, h, bpp, compression, len(data), len(palette)) + pal + data)


def ico_bytes(images):
    """images: list of (index rows top-down, 16-colour palette, mask rows with
    1 = transparent)."""
    head = struct.pack("<HHH", 0, 1, len(images))
    blobs = []
    for rows, pal, mask in images:
        h, w = len(rows), len(rows[0])
        xor = pack_rows(rows[::-1], 4)
        andm = pack_rows(mask[::-1], 1)
        blobs.append(info_header(w, 2 * h, 4, BI_RGB, len(xor) + len(andm), 0)
                     + rgbquads(pal) + xor + andm)
    off = 6 + 16 * len(images)
    entries = b""
    for (rows, _, _), blob in zip(images, blobs):
        entries += struct.pack("<BBBBHHII", len(rows[0]), len(rows), 16, 0, 1, 4,
                               len(blob), off)
        off += len(blob)
    return head + entries + b"".join(blobs)


# ---------------------------------------------------------------- checker

def make_checker():
    rows = [[(x + y + 1) & 1 for x in range(8)] for y in range(8)]
    # bottom stored row = rows[7] = 0,1,0,1... = 0x55
    return bmp_bytes(rows, [(0, 0, 0), (255, 255, 255)], bpp=1), rows


# ---------------------------------------------------------------- lamps

LAMP_UNDERLAY = (20, 19, 38)   # the dark list panel the lamps are shown on

LAMP_STYLES = {
    "enabled": dict(dark=(6, 58, 22), mid=(38, 186, 72), light=(190, 255, 190),
                    rim=(4, 30, 12), glow=0.55, shine=1.0),
    "disabled": dict(dark=(40, 41, 48), mid=(112, 114, 124), light=(196, 198, 206),
                     rim=(24, 24, 30), glow=0.0, shine=0.55),
    "builtin": dict(dark=(40, 24, 104), mid=(118, 92, 228), light=(214, 204, 255),
                    rim=(22, 12, 60), glow=0.45, shine=1.0),
}


def lamp_rgb(style, k=1):
    """The lamp at k times its size; the geometry stays in 1x units."""
    s = LAMP_STYLES[style]
    cx, cy, rad = 6.5, 8.5, 5.5
    lx, ly, lz = -0.45, -0.62, 0.64
    ln = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / ln, ly / ln, lz / ln
    hx, hy, hz = lx, ly, lz + 1.0
    hn = math.sqrt(hx * hx + hy * hy + hz * hz)
    hx, hy, hz = hx / hn, hy / hn, hz / hn
    ss = 6
    rows = []
    for py in range(LAMP_H * k):
        row = []
        for px in range(LAMP_W * k):
            acc = [0.0, 0.0, 0.0]
            inside = 0
            for sy in range(ss):
                for sx in range(ss):
                    nx = ((px + (sx + 0.5) / ss) / k - cx) / rad
                    ny = ((py + (sy + 0.5) / ss) / k - cy) / rad
                    r2 = nx * nx + ny * ny
                    if r2 > 1.0:
                        continue
                    inside += 1
                    nz = math.sqrt(1.0 - r2)
                    diff = max(0.0, nx * lx + ny * ly + nz * lz)
                    col = ramp([(0.0, s["dark"]), (0.55, s["mid"]), (1.0, s["light"])],
                               0.12 + 0.88 * diff)
                    if s["glow"]:
                        g = s["glow"] * (1.0 - r2)
                        col = mix(col, s["mid"], g * 0.5)
                        col = (col[0] + 40 * g, col[1] + 40 * g, col[2] + 40 * g)
                    # light bouncing inside the glass, lower right
                    bounce = max(0.0, 0.55 * nx + 0.8 * ny) ** 2 * 0.35
                    col = mix(col, s["mid"], bounce)
                    shine = max(0.0, nx * hx + ny * hy + nz * hz) ** 40 * s["shine"]
                    col = mix(col, (255, 255, 255), clamp(shine))
                    rim = smoothstep(0.72, 1.0, math.sqrt(r2))
                    col = mix(col, s["rim"], rim * 0.85)
                    acc[0] += col[0]
                    acc[1] += col[1]
                    acc[2] += col[2]
            cov = inside / float(ss * ss)
            if cov < 0.3:
                row.append(MAGENTA)
            else:
                avg = (acc[0] / inside, acc[1] / inside, acc[2] / inside)
                row.append(to_rgb8(mix(LAMP_UNDERLAY, avg, clamp(cov / 0.9))))
        rows.append(row)
    return rows


def make_lamp(style, k=1):
    rgb = lamp_rgb(style, k)
    colours = sorted({c for row in rgb for c in row if c != MAGENTA})
    for c in colours:
        # keep every lamp colour far away from the mask colour
        assert (c[0] - 255) ** 2 + c[1] ** 2 + (c[2] - 255) ** 2 > 100 ** 2, c
    if len(colours) < 256:
        pal = [MAGENTA] + colours
        lookup = {c: i for i, c in enumerate(pal)}
        rows = [[lookup[c] for c in row] for row in rgb]
    else:           # the larger lamps hold more shades than a palette
        pal = [MAGENTA] + median_cut(histogram(colours), 255)
        q = Quantizer(pal, skip=(0,))
        rows = [[0 if c == MAGENTA else q(c) for c in row] for row in rgb]
    comp = BI_RLE8 if style == "builtin" or k > 1 else BI_RGB
    return bmp_bytes(rows, pad_palette(pal), compression=comp), rows


# ---------------------------------------------------------------- face

LIGHT = (-0.55, -0.835)          # 2-D direction towards the light (upper left)

LIST_PANEL = (grow(LIST_RECT, 3.5), 5.0)
BUTTON_PLATES = [(grow(SAVE_RECT, 4.0), 5.0), (grow(CANCEL_RECT, 4.0), 5.0)]
CLIP_WELL = (grow(CLIP_RECT, 2.5), 7.0)
RECESS_BOX = grow((LIST_PANEL[0][0], LIST_PANEL[0][1], LIST_PANEL[0][2], CLIP_WELL[0][3]), 6.0)


def recess_sd(px, py):
    """The list panel and the clip well below it form one recess, joined with
    a smooth fillet. Returns (signed distance, how much the point belongs to
    the well: 0..1)."""
    a = rrect_sd(px, py, *LIST_PANEL)[0]
    b = rrect_sd(px, py, *CLIP_WELL)[0]
    k = 5.0
    h = clamp(0.5 + 0.5 * (b - a) / k)
    return b + (a - b) * h - k * h * (1 - h), smoothstep(-1.5, 1.5, a - b)


def polygon_edges(poly):
    edges = []
    for i, (ax, ay) in enumerate(poly):
        bx, by = poly[(i + 1) % len(poly)]
        ln = math.hypot(bx - ax, by - ay)
        edges.append((ax, ay, -(by - ay) / ln, (bx - ax) / ln))  # inward normal
    return edges


def gauss(x, w):
    return math.exp(-(x * x) / (w * w))


def render_face(width=BG_W, height=BG_H):
    """Float RGB rows of the window face, width x height pixels; the face's
    geometry is laid out in BG_W x BG_H units, so a larger size renders the
    same face with finer pixels."""
    rnd = Rand(0x0B19C0E1)
    edges = polygon_edges(FACE_POLYGON)
    # brushed grain: a slowly varying value per row plus streaks along x
    row_val = [rnd.signed() for _ in range(BG_H + 2)]
    row_val = [(row_val[y] * 0.5 + row_val[y + 1] * 0.3 + row_val[y + 2] * 0.2)
               for y in range(BG_H)]
    streak_step = 14.0
    nlat = int(BG_W / streak_step) + 3
    streak = [[rnd.signed() for _ in range(nlat)] for _ in range(BG_H)]
    clip_cx = (CLIP_RECT[0] + CLIP_RECT[2]) / 2
    clip_cy = (CLIP_RECT[1] + CLIP_RECT[3]) / 2
    unit_x, unit_y = BG_W / width, BG_H / height
    rows = []
    for y in range(height):
        py = (y + 0.5) * unit_y
        fy = min(BG_H - 1, int(py))
        row = []
        vy = py / BG_H
        base = ramp([(0.0, (50, 49, 86)), (0.45, (37, 36, 66)), (1.0, (25, 24, 46))], vy)
        lat = streak[fy]
        for x in range(width):
            px = (x + 0.5) * unit_x
            # soft light from the top centre and slow cloudy variation
            sheen = 16.0 * math.exp(-((px - 120) / 120.0) ** 2 - ((py - 30) / 150.0) ** 2)
            cloud = value_noise(px / 46.0, py / 46.0, 7) * 0.6 \
                + value_noise(px / 19.0, py / 19.0, 11) * 0.4
            f = px / streak_step
            k = int(f)
            t = f - k
            t = t * t * (3 - 2 * t)
            grain = row_val[fy] * 0.55 + (lat[k] + (lat[k + 1] - lat[k]) * t) * 0.45
            fine = rnd.signed()
            lum = sheen + cloud * 5.0
            tex = grain * 6.0 + fine * 2.2
            r = base[0] + lum * 0.85 + tex * 0.9
            g = base[1] + lum * 0.85 + tex * 0.9
            b = base[2] + lum * 1.2 + tex * 1.25

            # window rim: raised bevel along the polygon, then an engraved groove
            d = 1e9
            nx = ny = 0.0
            for ax, ay, ex, ey in edges:
                dd = (px - ax) * ex + (py - ay) * ey
                if dd < d:
                    d, nx, ny = dd, -ex, -ey
            facing = nx * LIGHT[0] + ny * LIGHT[1]
            d = max(d, 0.0)           # outside the window: just continue the rim
            shade = 0.0
            if d < 6.0:
                shade += facing * 26.0 * (1.0 - d / 6.0) ** 1.5
            shade += facing * (-14.0 * gauss(d - 9.0, 0.8) + 11.0 * gauss(d - 10.4, 0.7))
            shade -= 5.0 * gauss(d - 9.6, 1.2)

            # faint orbit around the clip well
            ex_, ey_ = (px - clip_cx) / 34.0, (py - clip_cy - 6.0) / 9.5
            rr = math.sqrt(ex_ * ex_ + ey_ * ey_)
            orbit = gauss((rr - 1.0) * 9.5, 0.75) * (0.55 + 0.45 * clamp(ey_ * 1.2, -1.0, 1.0))

            hits = []
            if RECESS_BOX[0] < px < RECESS_BOX[2] and RECESS_BOX[1] < py < RECESS_BOX[3]:
                sd, wmix = recess_sd(px, py)
                if sd < 5.0:
                    gx = recess_sd(px + 0.5, py)[0] - recess_sd(px - 0.5, py)[0]
                    gy = recess_sd(px, py + 0.5)[0] - recess_sd(px, py - 0.5)[0]
                    gl = math.hypot(gx, gy) or 1.0
                    hits.append((wmix, sd, gx / gl, gy / gl))
            for rect, rad in BUTTON_PLATES:
                if rect[0] - 6 < px < rect[2] + 6 and rect[1] - 6 < py < rect[3] + 6:
                    sd, (onx, ony) = rrect_sd(px, py, rect, rad)
                    if sd < 5.0:
                        hits.append((None, sd, onx, ony))
            inset = None
            for wmix, sd, onx, ony in hits:
                pf = onx * LIGHT[0] + ony * LIGHT[1]
                orbit *= smoothstep(1.0, 4.0, sd)
                if sd > 0:
                    # sloped wall leading down into the recess, lit lip around it
                    wall = 1.0 - sd / 3.0 if sd < 3.0 else 0.0
                    shade += -pf * 20.0 * wall
                    shade += max(0.0, pf) * 7.0 * gauss(sd - 3.6, 0.8)
                else:
                    inset = (wmix, sd, pf)
            if inset:
                wmix, sd, pf = inset
                if wmix is None:          # button plate: a shallow, calm socket
                    depth, calm, tint = 0.8, 0.45, 0.0
                else:                     # list panel, deepening into the clip well
                    depth = 0.52 + (0.4 - 0.52) * wmix
                    calm = 0.35 - 0.1 * wmix
                    tint = 4.0 * (1 - wmix)
                r = base[0] * depth + (lum * 0.5 + tex * 0.9 * calm) * depth - tint * 0.25
                g = base[1] * depth + (lum * 0.5 + tex * 0.9 * calm) * depth
                b = base[2] * depth + (lum * 0.8 + tex * 1.25 * calm) * depth + tint
                # shadow cast by the wall along the upper left inside edge
                edge = math.exp(sd / 3.0)
                shade += -max(0.0, pf) * 18.0 * edge + max(0.0, -pf) * 6.0 * edge
            glow = orbit * 0.55
            r += shade + glow * 50
            g += shade + glow * 95
            b += shade * 1.15 + glow * 150
            row.append((r, g, b))
        rows.append(row)
    return rows


def make_background(face, compression=BI_RGB):
    pal, idx = quantize_image(face)
    return bmp_bytes(idx, pal, compression=compression), idx


# ---------------------------------------------------------------- title

SW = 2.7            # stroke width
HS = SW / 2
XH = 13.0           # x-height
ASC = 19.0          # ascender height
CAP = 18.8
DESC = 5.0
BASE = 21.0         # baseline (pixels from the top)
BOWL = (XH + 0.5) / 2 - HS   # centre-line radius of round bowls


def glyph(ch, x0):
    """Stroke primitives of one letter with its left edge at x0; returns
    (primitives, advance). Coordinates: y grows downwards, angles in degrees,
    counter-clockwise as seen on screen."""
    B, R = BASE, BOWL
    cy = B - XH / 2 + 0.1
    if ch == "O":
        rad = CAP / 2 - HS + 0.2
        c = (x0 + rad + HS, B - CAP / 2)
        return [("arc", c[0], c[1], rad, 0, 360)], 2 * (rad + HS)
    if ch == "r":
        sx = x0 + HS
        return [("seg", sx, B - XH, sx, B),
                ("arc", sx + R, cy, R, 52, 180)], HS + R + R * math.cos(math.radians(52)) + HS
    if ch == "b":
        sx = x0 + HS
        return [("seg", sx, B - ASC, sx, B), ("arc", sx + R, cy, R, 0, 360)], 2 * (R + HS)
    if ch == "q":
        sx = x0 + HS + 2 * R
        return [("seg", sx, B - XH, sx, B + DESC),
                ("arc", x0 + HS + R, cy, R, 0, 360)], 2 * (R + HS)
    if ch == "i":
        sx = x0 + HS
        return [("seg", sx, B - XH, sx, B), ("dot", sx, B - XH - 3.9, 1.75)], 2 * HS
    if ch == "l":
        sx = x0 + HS
        return [("seg", sx, B - ASC, sx, B)], 2 * HS
    if ch == "u":
        ru = R * 0.92
        sx = x0 + HS
        ucy = B - HS - ru + 0.2
        return [("seg", sx, B - XH, sx, ucy), ("seg", sx + 2 * ru, B - XH, sx + 2 * ru, B),
                ("arc", sx + ru, ucy, ru, 180, 360)], 2 * (ru + HS)
    if ch == "e":
        c = (x0 + HS + R, cy)
        return [("arc", c[0], c[1], R, 0, 322),
                ("seg", c[0] - R, c[1] - 0.2, c[0] + R + HS * 0.5, c[1] - 0.2)], 2 * (R + HS)
    raise KeyError(ch)


# gap before each letter, tuned by eye for even colour
TITLE_TEXT = "Orbiquel"
TITLE_GAPS = [0.0, 3.6, 2.6, 3.4, 3.2, 3.8, 3.3, 3.0]


def layout_title():
    prims, x = [], 0.0
    for ch, gap in zip(TITLE_TEXT, TITLE_GAPS):
        x += gap
        p, adv = glyph(ch, x)
        prims.extend(p)
        x += adv
    shift = (TITLE_W - x) / 2.0
    out = []
    for p in prims:
        if p[0] == "seg":
            out.append(("seg", p[1] + shift, p[2], p[3] + shift, p[4]))
        else:
            out.append((p[0], p[1] + shift) + tuple(p[2:]))
    return out, shift, shift + x


def inside_prim(p, x, y):
    kind = p[0]
    if kind == "seg":           # vertical or horizontal stroke, butt ends
        _, x0, y0, x1, y1 = p
        if x0 == x1:
            return abs(x - x0) <= HS and min(y0, y1) <= y <= max(y0, y1)
        return abs(y - y0) <= HS and min(x0, x1) <= x <= max(x0, x1)
    if kind == "dot":
        return (x - p[1]) ** 2 + (y - p[2]) ** 2 <= p[3] ** 2
    _, cx, cy, rad, a0, a1 = p
    d = math.hypot(x - cx, y - cy)
    if abs(d - rad) > HS:
        return False
    if a1 - a0 >= 360:
        return True
    a = math.degrees(math.atan2(cy - y, x - cx)) % 360.0
    return (a - a0) % 360.0 <= (a1 - a0)


def prim_bbox(p):
    if p[0] == "seg":
        return (min(p[1], p[3]) - HS, min(p[2], p[4]) - HS,
                max(p[1], p[3]) + HS, max(p[2], p[4]) + HS)
    r = p[3] + (HS if p[0] == "arc" else 0)
    return (p[1] - r, p[2] - r, p[1] + r, p[2] + r)


def title_coverage(k=1):
    """How much of each pixel the letters cover, at k times the size; the
    letters are laid out in 1x units."""
    prims, left, right = layout_title()
    boxes = [(prim_bbox(p), p) for p in prims]
    ss = 5
    cov = []
    for y in range(TITLE_H * k):
        row = []
        for x in range(TITLE_W * k):
            cand = [p for (bx0, by0, bx1, by1), p in boxes
                    if bx0 - 1 <= x / k <= bx1 + 1 and by0 - 1 <= y / k <= by1 + 1]
            if not cand:
                row.append(0.0)
                continue
            n = 0
            for sy in range(ss):
                yy = (y + (sy + 0.5) / ss) / k
                for sx in range(ss):
                    xx = (x + (sx + 0.5) / ss) / k
                    for p in cand:
                        if inside_prim(p, xx, yy):
                            n += 1
                            break
            row.append(n / float(ss * ss))
        cov.append(row)
    return cov, left, right


def title_backdrop(face, k=1):
    """The face as it appears behind the title once it is stretched over the
    window (k times the size): sample the face pixel that lands under each
    title pixel."""
    fw, fh = len(face[0]), len(face)
    ox = 22 * WIN_W / DLG_W
    oy = 13 * WIN_H / DLG_H
    rows = []
    for y in range(TITLE_H * k):
        fy = min(fh - 1, int((oy * k + y + 0.5) * fh / (WIN_H * k)))
        rows.append([face[fy][min(fw - 1, int((ox * k + x + 0.5) * fw / (WIN_W * k)))]
                     for x in range(TITLE_W * k)])
    return rows


def render_title(face, k=1):
    """The title at k times its size over the face it is shown on; the
    letters, lines and light are laid out in 1x units."""
    w, h = TITLE_W * k, TITLE_H * k
    cov, left, right = title_coverage(k)
    glow = box_blur(box_blur(cov, w, h, 2 * k), w, h, k)
    soft = box_blur(cov, w, h, k)
    back = title_backdrop(face, k)
    mid_y = BASE - XH / 2 + 0.1
    top, bottom = BASE - ASC, BASE + DESC
    out = []
    for y in range(h):
        v = (y + 0.5) / k
        fade = clamp(min(y + 0.5, h - y - 0.5) / (3.5 * k))
        row = []
        for x in range(w):
            u = (x + 0.5) / k
            c = back[y][x]
            # flanking hairlines that fade out towards the ends
            line = 0.0
            for x0, x1, sgn in ((14.0, left - 9.0, 1), (right + 9.0, TITLE_W - 14.0, -1)):
                if x0 - 2 <= x / k <= x1 + 2:
                    t = clamp((u - x0) / (x1 - x0))
                    if sgn < 0:
                        t = 1 - t
                    edge = smoothstep(x0 - 1, x0 + 4, u) * (1 - smoothstep(x1, x1 + 1.5, u))
                    line = max(line, gauss(v - mid_y, 0.6) * t ** 1.6 * edge)
            dots = 0.0
            for dx in (left - 5.0, right + 5.0):
                dots = max(dots, gauss(math.hypot(u - dx, v - mid_y), 1.25))
            sh = 0.0
            if y >= k and x >= k:
                sh = soft[y - k][x - k]
            g = glow[y][x] * fade
            c = (c[0] * (1 - 0.5 * sh), c[1] * (1 - 0.5 * sh), c[2] * (1 - 0.45 * sh))
            halo = g * 0.75 + line * 0.25 + dots * 0.35
            c = (c[0] + 30 * halo, c[1] + 85 * halo, c[2] + 190 * halo)
            hl = line * 0.8 + dots
            if hl > 0.01:
                c = mix(c, (150, 200, 255), clamp(hl))
            a = cov[y][x]
            if a > 0:
                t = clamp((v - top) / (bottom - top - DESC))
                fill = ramp([(0.0, (236, 248, 255)), (0.45, (170, 215, 255)),
                             (1.0, (96, 156, 242))], t)
                up = soft[y - k][x - k] if y >= k and x >= k else 0.0
                dn = soft[y + k][x + k] if y + k < h and x + k < w else 0.0
                bev = dn - up
                fill = (fill[0] + 34 * bev, fill[1] + 30 * bev, fill[2] + 18 * bev)
                c = mix(c, fill, a)
            row.append(c)
        out.append(row)
    return out


def make_title(face, k=1):
    pal, idx = quantize_image(render_title(face, k))
    return bmp_bytes(idx, pal), idx


# ---------------------------------------------------------------- icon

ICON_PALETTE = [
    (0, 0, 0), (14, 16, 44), (28, 34, 92), (40, 58, 150),
    (58, 92, 206), (96, 140, 246), (150, 190, 255), (214, 232, 255),
    (255, 255, 255), (44, 26, 92), (82, 52, 164), (128, 98, 226),
    (70, 196, 255), (164, 234, 255), (8, 8, 24), (110, 120, 170),
]


def icon_image(size):
    """Orbiquel's glyph: a shaded sphere inside a tilted orbit ring whose near
    half passes in front of it, rendered with 8x8 supersampling. Returns
    (index rows, mask rows)."""
    s = size / 32.0
    cx = cy = size / 2.0
    rad = 8.4 * s
    ring_rx, ring_ry = 14.6 * s, 5.2 * s
    tilt = math.radians(-22)
    ring_w = 2.1 * s
    ct, st = math.cos(tilt), math.sin(tilt)
    ss = 8
    rows, mask = [], []
    for py in range(size):
        row, mrow = [], []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            hit = 0
            for sy in range(ss):
                for sx in range(ss):
                    x = px + (sx + 0.5) / ss - cx
                    y = py + (sy + 0.5) / ss - cy
                    u = x * ct + y * st            # ring frame
                    v = -x * st + y * ct
                    f_ = (u / ring_rx) ** 2 + (v / ring_ry) ** 2
                    grad = 2 * math.hypot(u / ring_rx ** 2, v / ring_ry ** 2) + 1e-9
                    on_ring = abs(f_ - 1.0) / grad < ring_w * 0.5
                    front = v > 0
                    r2 = (x * x + y * y) / (rad * rad)
                    col = None
                    if on_ring and (front or r2 > 1.0):
                        t = clamp(0.5 - 0.5 * (u / ring_rx))
                        col = ramp([(0.0, (70, 160, 245)), (0.5, (150, 225, 255)),
                                    (1.0, (235, 250, 255))], t if front else t * 0.4)
                    elif r2 <= 1.0:
                        nx, ny = x / rad, y / rad
                        nz = math.sqrt(max(0.0, 1 - r2))
                        diff = max(0.0, -0.45 * nx - 0.6 * ny + 0.66 * nz)
                        col = ramp([(0.0, (44, 30, 100)), (0.3, (82, 56, 170)),
                                    (0.65, (70, 110, 230)), (1.0, (180, 210, 255))], diff)
                        shine = max(0.0, -0.3 * nx - 0.4 * ny + 0.87 * nz) ** 30
                        col = mix(col, (255, 255, 255), shine)
                    if col:
                        hit += 1
                        acc[0] += col[0]
                        acc[1] += col[1]
                        acc[2] += col[2]
            if hit * 2 >= ss * ss:
                c = (acc[0] / hit, acc[1] / hit, acc[2] / hit)
                best, bi = 1 << 30, 1
                for i, p in enumerate(ICON_PALETTE[1:], 1):
                    d = 3 * (p[0] - c[0]) ** 2 + 4 * (p[1] - c[1]) ** 2 + 2 * (p[2] - c[2]) ** 2
                    if d < best:
                        best, bi = d, i
                row.append(bi)
                mrow.append(0)
            else:
                row.append(0)
                mrow.append(1)
        rows.append(row)
        mask.append(mrow)
    return rows, mask


def ring_path(cx, cy, rx, ry, tilt_deg, steps=720):
    """Pixels of a tilted ellipse as a clean one-pixel 8-connected loop; each
    entry is ((x, y), is_front) where the front is the half nearer the viewer."""
    t = math.radians(tilt_deg)
    ct, st = math.cos(t), math.sin(t)
    path = []
    for k in range(steps):
        a = 2 * math.pi * k / steps
        u, v = rx * math.cos(a), ry * math.sin(a)
        p = (int(math.floor(cx + u * ct - v * st)), int(math.floor(cy + u * st + v * ct)))
        if not path or path[-1][0] != p:
            path.append((p, math.sin(a) > 0))
    if path[0][0] == path[-1][0]:
        path.pop()
    changed = True
    while changed:          # drop the inner pixel of every staircase corner
        changed = False
        i = 0
        while i < len(path):
            a, b = path[i - 1][0], path[(i + 1) % len(path)][0]
            if max(abs(a[0] - b[0]), abs(a[1] - b[1])) <= 1:
                del path[i]
                changed = True
            else:
                i += 1
    return path


def icon16_image():
    """The 16x16 glyph is laid out pixel by pixel: a 10 px sphere with banded
    shading and a one-pixel ring, which stays crisp at this size."""
    cx = cy = 8.0
    rad = 5.0
    ring = dict(ring_path(cx, cy, 7.6, 2.8, -22))
    lx, ly, lz = -0.45, -0.6, 0.66
    bands = [(0.975, 8), (0.91, 7), (0.8, 6), (0.64, 5), (0.46, 4), (0.27, 10), (-2.0, 9)]
    rows, mask = [], []
    for y in range(16):
        row, mrow = [], []
        for x in range(16):
            nx, ny = (x + 0.5 - cx) / rad, (y + 0.5 - cy) / rad
            r2 = nx * nx + ny * ny
            idx = 0
            if (x, y) in ring and (ring[(x, y)] or r2 > 1.0):
                idx = (13 if x < 8 else 12) if ring[(x, y)] else 4
            elif r2 <= 1.0:
                nz = math.sqrt(1.0 - r2)
                diff = (nx * lx + ny * ly + nz * lz) / math.sqrt(lx * lx + ly * ly + lz * lz)
                idx = next(i for limit, i in bands if diff >= limit)
                if r2 > 0.62 and nx + ny > 0.5:
                    idx = 9            # dark rim on the shadow side
            row.append(idx)
            mrow.append(0 if idx else 1)
        rows.append(row)
        mask.append(mrow)
    return rows, mask


def make_icon():
    imgs = [icon_image(32), icon16_image()]
    return ico_bytes([(r, ICON_PALETTE, m) for r, m in imgs]), imgs


# ---------------------------------------------------------------- clip

CLIP_UNDERLAY = (12, 12, 26)    # the dark well the clip plays in


def sphere_col(nx, ny, stops, shine_amt):
    r2 = nx * nx + ny * ny
    nz = math.sqrt(max(0.0, 1.0 - r2))
    diff = max(0.0, -0.42 * nx - 0.58 * ny + 0.7 * nz)
    col = ramp(stops, diff)
    bounce = max(0.0, 0.5 * nx + 0.85 * ny) ** 2 * 0.4
    col = mix(col, stops[2][1], bounce)
    shine = max(0.0, -0.22 * nx - 0.31 * ny + 0.92 * nz) ** 36 * shine_amt
    return mix(col, (255, 255, 255), clamp(shine))


ORB_STOPS = [(0.0, (26, 18, 84)), (0.45, (70, 66, 200)), (0.8, (104, 150, 250)),
             (1.0, (206, 230, 255))]
SAT_STOPS = [(0.0, (20, 70, 120)), (0.45, (60, 170, 240)), (0.8, (150, 230, 255)),
             (1.0, (235, 250, 255))]


def clip_frame(f, k=1):
    """RGBA rows (alpha 0..1) of frame f at k times the size; everything loops
    over CLIP_FRAMES and is laid out in 1x units."""
    ph = f / float(CLIP_FRAMES)
    w2 = 2 * math.pi
    ocx, ocy = 25.0, 58.0
    pulse = math.sin(w2 * ph * 2)
    orad = 9.0 + 0.45 * pulse
    glow_amt = 0.55 + 0.2 * pulse
    # satellite on a tilted orbit, once round per loop
    orx, ory, tilt = 19.0, 6.0, math.radians(-14)
    ct, st = math.cos(tilt), math.sin(tilt)
    ang = w2 * ph
    u, v = orx * math.cos(ang), ory * math.sin(ang)
    sx, sy = ocx + u * ct - v * st, ocy + u * st + v * ct
    sat_front = math.sin(ang) > 0
    sat_dim = smoothstep(0.35, -0.35, math.sin(ang))    # 1 when far behind the orb
    srad = 2.6 + 0.5 * math.sin(ang)
    # motes rising through the whole height
    period = 140.0
    motes = []
    for m in range(4):
        yy = CLIP_H + 10 - ((f * period / CLIP_FRAMES + m * period / 4) % period)
        xx = 25 + 13 * math.sin(w2 * (yy / period * 1.5 + m * 0.27))
        a = math.sin(math.pi * clamp((CLIP_H + 10 - yy) / period)) ** 1.5
        motes.append((xx, yy, 1.1 + (0.5 + 0.25 * (m & 1)) * a, a))
    rows = []
    for y in range(CLIP_H * k):
        py = (y + 0.5) / k
        row = []
        for x in range(CLIP_W * k):
            px = (x + 0.5) / k
            col, a = (0.0, 0.0, 0.0), 0.0

            def over(c2, a2):
                nonlocal col, a
                if a2 <= 0:
                    return
                a2 = clamp(a2)
                col = mix(col, c2, a2 if a == 0 else a2)
                a = a + a2 * (1 - a)

            # orbit track (back half first)
            du, dv = (px - ocx) * ct + (py - ocy) * st, -(px - ocx) * st + (py - ocy) * ct
            er = math.hypot(du / orx, dv / ory)
            track = gauss((er - 1.0) * 6.5, 0.6) * 0.42
            if dv < 0:
                over((70, 110, 220), track * 0.75)
            for mx, my, mr, ma in motes:
                d = math.hypot(px - mx, py - my)
                if d < mr + 4:
                    over((120, 150, 255), ma * 0.6 * math.exp(-max(0.0, d - mr) / 1.4))
                    over((200, 215, 255), ma * clamp((mr - d) * k + 0.5))
            d_sat = math.hypot(px - sx, py - sy)

            def draw_sat():
                over((80, 200, 255), 0.55 * math.exp(-max(0.0, d_sat - srad) / 1.6)
                     * (1.0 - 0.4 * sat_dim))
                cov = clamp((srad - d_sat) * k + 0.5)
                if cov > 0:
                    c2 = sphere_col((px - sx) / srad, (py - sy) / srad, SAT_STOPS, 1.0)
                    over(mix(c2, (40, 60, 120), 0.35 * sat_dim), cov)

            if not sat_front:
                draw_sat()
            d = math.hypot(px - ocx, py - ocy)
            over((70, 100, 255), glow_amt * math.exp(-max(0.0, d - orad) / 3.2))
            cov = clamp((orad - d) * k + 0.5)
            if cov > 0:
                c2 = sphere_col((px - ocx) / orad, (py - ocy) / orad, ORB_STOPS, 1.0)
                c2 = mix(c2, (150, 180, 255), 0.12 * (1 + pulse) * (1 - d / orad))
                over(c2, cov)
            if dv >= 0:
                over((110, 170, 255), track)
            if sat_front:
                draw_sat()
            row.append((col, a))
        rows.append(row)
    return rows


def make_clip(k=1):
    frames = [clip_frame(f, k) for f in range(CLIP_FRAMES)]
    # flatten against the well colour; faint pixels become transparent
    rgb_frames = []
    for fr in frames:
        rgb_frames.append([[None if a < 0.16 else mix(CLIP_UNDERLAY, c, a) for c, a in row]
                           for row in fr])
    hist = histogram(c for fr in rgb_frames for row in fr for c in row if c is not None)
    pal = median_cut(hist, 255)
    pal = pal[:CLIP_KEY_INDEX] + [GREEN] + pal[CLIP_KEY_INDEX:]
    pal = pad_palette(pal)
    for i, c in enumerate(pal):
        if i != CLIP_KEY_INDEX:
            assert c[1] < 200 or c[0] > 80 or c[2] > 80, c   # no greens but the key
    q = Quantizer(pal, skip=(CLIP_KEY_INDEX,))
    idx_frames = [[[CLIP_KEY_INDEX if c is None else q(c) for c in row] for row in fr]
                  for fr in rgb_frames]
    return avi_bytes(idx_frames, pal), idx_frames, pal


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) & 1 else b"")


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def avi_bytes(frames, palette):
    h, w = len(frames[0]), len(frames[0][0])
    encoded = [rle8_encode(fr[::-1]) for fr in frames]
    maxsize = max(len(e) for e in encoded)
    rate, scale = 689, 100
    usec = int(round(1e6 * scale / rate))
    buf = (maxsize + 8 + 1023) // 1024 * 1024
    avih = struct.pack("<10I4I", usec, int(maxsize * rate / scale) + 1, 0, 0x10,
                       len(frames), 0, 1, buf, w, h, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"mrle", 0, 0, 0, 0, scale, rate,
                       0, len(frames), buf, 0xFFFFFFFF, 0, 0, 0, 0, 0)
    strf = info_header(w, h, 8, BI_RLE8, ((w + 3) & ~3) * h, 256) + rgbquads(palette)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)
    movi_data = b""
    index = b""
    for e in encoded:
        index += struct.pack("<4sIII", b"00dc", 0x10, 4 + len(movi_data), len(e))
        movi_data += chunk(b"00dc", e)
    movi = riff_list(b"LIST", b"movi", movi_data)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


# ---------------------------------------------------------------- readers / checks

def read_bmp(data, offset=0, in_icon=False):
    """Parse a BMP file (or a DIB inside an icon); returns a dict with the
    header fields, the palette and the decoded top-down rows."""
    if not in_icon:
        if data[:2] != b"BM":
            raise ValueError("no BM signature")
        bfsize, _, _, off = struct.unpack_from("<IHHI", data, 2)
        if bfsize != len(data):
            raise ValueError("bfSize %d != file size %d" % (bfsize, len(data)))
        offset = 14
    (bisize, w, h, planes, bpp, comp, size_image, _, _, clr_used, _) = \
        struct.unpack_from("<IiiHHIIiiII", data, offset)
    if bisize != 40 or planes != 1:
        raise ValueError("unexpected BITMAPINFOHEADER")
    ncol = clr_used or (1 << bpp)
    pal_at = offset + 40
    pal = [(r, g, b) for b, g, r, _ in struct.iter_unpack("<BBBB", data[pal_at:pal_at + 4 * ncol])]
    bits_at = pal_at + 4 * ncol
    if not in_icon and off != bits_at:
        raise ValueError("bfOffBits %d, pixels start at %d" % (off, bits_at))
    if in_icon:
        h //= 2
    stride = ((w * bpp + 31) // 32) * 4
    if comp == BI_RLE8:
        pix = data[bits_at:bits_at + size_image]
        if bits_at + size_image != len(data):
            raise ValueError("biSizeImage does not match the RLE8 data")
        rows = rle8_decode(pix, w, h)
    elif comp == BI_RGB:
        rows = []
        for y in range(h):
            line = data[bits_at + y * stride:bits_at + (y + 1) * stride]
            if bpp == 8:
                rows.append(list(line[:w]))
            elif bpp == 4:
                rows.append([(line[x // 2] >> (4 - 4 * (x & 1))) & 15 for x in range(w)])
            else:
                rows.append([(line[x // 8] >> (7 - x % 8)) & 1 for x in range(w)])
        if not in_icon and size_image not in (0, stride * h):
            raise ValueError("biSizeImage %d != %d" % (size_image, stride * h))
        if not in_icon and bits_at + stride * h != len(data):
            raise ValueError("pixel data size mismatch")
    else:
        raise ValueError("compression %d" % comp)
    return dict(w=w, h=h, bpp=bpp, comp=comp, pal=pal, ncol=ncol, rows=rows[::-1],
                bits_at=bits_at, stride=stride, size_image=size_image)


def read_ico(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    images = []
    for i in range(count):
        bw, bh, ncol, _, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        dib = read_bmp(data[off:off + size], 0, in_icon=True)
        xor_len = dib["stride"] * dib["h"]
        and_stride = ((dib["w"] + 31) // 32) * 4
        and_at = dib["bits_at"] + xor_len
        mask = []
        for y in range(dib["h"]):
            line = data[off + and_at + y * and_stride:off + and_at + (y + 1) * and_stride]
            mask.append([(line[x // 8] >> (7 - x % 8)) & 1 for x in range(dib["w"])])
        if dib["size_image"] != xor_len + and_stride * dib["h"] or and_at + and_stride * dib["h"] != size:
            raise ValueError("icon image %d: sizes do not add up" % i)
        images.append(dict(dib, entry=(bw, bh, ncol, planes, bpp), mask=mask[::-1]))
    return images


def read_riff(data, start, end):
    """List of (fourcc, list type or None, data start, size) for one level."""
    out = []
    pos = start
    while pos < end:
        fourcc, size = data[pos:pos + 4], struct.unpack_from("<I", data, pos + 4)[0]
        if pos + 8 + size > end:
            raise ValueError("chunk %r at %d overruns its parent" % (fourcc, pos))
        if fourcc in (b"LIST", b"RIFF"):
            out.append((fourcc, data[pos + 8:pos + 12], pos + 12, size - 4))
        else:
            out.append((fourcc, None, pos + 8, size))
        pos += 8 + size + (size & 1)
    if pos != end:
        raise ValueError("chunks do not end at the end of their parent")
    return out


def read_avi(data):
    (top,) = read_riff(data, 0, len(data))
    if top[0] != b"RIFF" or top[1] != b"AVI ":
        raise ValueError("not a RIFF AVI")
    parts = read_riff(data, top[2], top[2] + top[3])
    lists = {p[1]: p for p in parts if p[0] == b"LIST"}
    hdrl = read_riff(data, lists[b"hdrl"][2], lists[b"hdrl"][2] + lists[b"hdrl"][3])
    avih = [p for p in hdrl if p[0] == b"avih"][0]
    strl = [p for p in hdrl if p[1] == b"strl"][0]
    strl_parts = {p[0]: p for p in read_riff(data, strl[2], strl[2] + strl[3])}
    strh = struct.unpack_from("<4s4sIHHIIIIIIIIhhhh", data, strl_parts[b"strh"][2])
    strf_at, strf_size = strl_parts[b"strf"][2], strl_parts[b"strf"][3]
    fmt = struct.unpack_from("<IiiHHIIiiII", data, strf_at)
    pal = [(r, g, b) for b, g, r, _ in struct.iter_unpack("<BBBB", data[strf_at + 40:strf_at + strf_size])]
    movi = lists[b"movi"]
    chunks = read_riff(data, movi[2], movi[2] + movi[3])
    idx1 = [p for p in parts if p[0] == b"idx1"][0]
    index = list(struct.iter_unpack("<4sIII", data[idx1[2]:idx1[2] + idx1[3]]))
    frames = [rle8_decode(data[c[2]:c[2] + c[3]], fmt[1], fmt[2])[::-1] for c in chunks]
    return dict(avih=struct.unpack_from("<14I", data, avih[2]), strh=strh, fmt=fmt, pal=pal,
                chunks=chunks, index=index, movi_at=movi[2] - 4, frames=frames, data=data)


def check_files(built):
    """Validate the files in res/ and compare them with `built`; prints faults."""
    faults = []

    def expect(cond, what):
        if not cond:
            faults.append(what)

    def load(name):
        with open(os.path.join(RES, name), "rb") as fh:
            return fh.read()

    for name, (data, _) in sorted(built.items()):
        try:
            expect(load(name) == data, "%s differs from a fresh rendering" % name)
        except OSError as e:
            faults.append(str(e))
    if faults:
        print("\n".join(faults))
        return False
    try:
        chk = read_bmp(load("checker.bmp"))
        raw = load("checker.bmp")
        expect((chk["w"], chk["h"], chk["bpp"], chk["comp"]) == (8, 8, 1, BI_RGB), "checker header")
        expect(chk["pal"][:2] == [(0, 0, 0), (255, 255, 255)], "checker colours")
        expect([raw[chk["bits_at"] + 4 * i:chk["bits_at"] + 4 * i + 4] for i in range(8)]
               == [bytes((0x55 if i % 2 == 0 else 0xAA, 0, 0, 0)) for i in range(8)],
               "checker rows must alternate 55/AA")

        for name, comp in (("lamp_enabled.bmp", BI_RGB), ("lamp_disabled.bmp", BI_RGB),
                           ("lamp_builtin.bmp", BI_RLE8)):
            bm = read_bmp(load(name))
            expect((bm["w"], bm["h"], bm["bpp"], bm["comp"], bm["ncol"])
                   == (LAMP_W, LAMP_H, 8, comp, 256), name + " header")
            expect(bm["rows"] == built[name][1], name + " pixels do not decode back")
            rgb = [[bm["pal"][i] for i in row] for row in bm["rows"]]
            border = rgb[0] + rgb[-1] + [r[0] for r in rgb] + [r[-1] for r in rgb]
            expect(all(c == MAGENTA for c in border), name + ": border must be magenta")
            solid = [(x, y) for y, row in enumerate(rgb) for x, c in enumerate(row) if c != MAGENTA]
            xs, ys = {p[0] for p in solid}, {p[1] for p in solid}
            expect((min(xs), max(xs), min(ys), max(ys)) == (1, 11, 3, 13),
                   name + ": lamp should be an 11 px disc centred in the cell")
            near = [c for row in rgb for c in row if c != MAGENTA and
                    (c[0] - 255) ** 2 + c[1] ** 2 + (c[2] - 255) ** 2 < 100 ** 2]
            expect(not near, name + ": near-magenta colours in the lamp")

        for name, (w, h), comp in (("title.bmp", (TITLE_W, TITLE_H), BI_RGB),
                                   ("background.bmp", (BG_W, BG_H), BI_RGB),
                                   ("title_2x.bmp", (TITLE_W * LARGE, TITLE_H * LARGE), BI_RGB),
                                   ("background_2x.bmp", (LARGE_FACE_W, LARGE_FACE_H), BI_RLE8)):
            bm = read_bmp(load(name))
            expect((bm["w"], bm["h"], bm["bpp"], bm["comp"], bm["ncol"]) == (w, h, 8, comp, 256),
                   name + " header")
            expect(bm["rows"] == built[name][1], name + " pixels")

        for style in ("enabled", "disabled", "builtin"):
            name = "lamp_%s_2x.bmp" % style
            bm = read_bmp(load(name))
            expect((bm["w"], bm["h"], bm["comp"]) == (LAMP_W * LARGE, LAMP_H * LARGE, BI_RLE8), name + " header")
            expect(bm["rows"] == built[name][1], name + " pixels do not decode back")
            expect(bm["pal"][0] == MAGENTA and bm["rows"][0][0] == 0, name + ": magenta ground")
        large = read_avi(load("clip_2x.avi"))
        expect(large["fmt"][1:3] == (CLIP_W * LARGE, CLIP_H * LARGE), "clip_2x.avi frame size")
        expect(large["pal"][CLIP_KEY_INDEX] == GREEN, "clip_2x.avi: palette entry 18 green")
        expect(large["frames"] == built["clip_2x.avi"][1][0], "clip_2x.avi frames do not decode back")

        icons = read_ico(load("orbiquel.ico"))
        expect([i["entry"] for i in icons] == [(32, 32, 16, 1, 4), (16, 16, 16, 1, 4)], "icon entries")
        for img, (rows, mask) in zip(icons, built["orbiquel.ico"][1]):
            n = img["w"]
            expect((img["w"], img["h"], img["bpp"]) == (n, n, 4), "icon %d header" % n)
            expect(img["rows"] == rows and img["mask"] == mask, "icon %d pixels" % n)
            expect(all(img["rows"][y][x] == 0 for y in range(n) for x in range(n)
                       if img["mask"][y][x]), "icon %d: transparent pixels must be black" % n)
            expect(img["mask"][0][0] == 1 and img["mask"][n // 2][n // 2] == 0,
                   "icon %d: corners transparent, centre opaque" % n)

        avi = read_avi(load("clip.avi"))
        usec, _, _, flags, total, _, streams, _, w, h = avi["avih"][:10]
        expect((usec, flags & 0x10, total, streams, w, h) == (145138, 0x10, CLIP_FRAMES, 1, CLIP_W, CLIP_H),
               "avih fields")
        sh = avi["strh"]
        expect(sh[0] == b"vids" and sh[1] == b"mrle", "stream must be vids/mrle")
        expect((sh[6], sh[7], sh[9]) == (100, 689, CLIP_FRAMES), "stream rate/scale/length")
        expect(sh[13:] == (0, 0, 0, 0), "rcFrame must be empty")
        fmt = avi["fmt"]
        expect((fmt[0], fmt[1], fmt[2], fmt[4], fmt[5], fmt[9]) == (40, CLIP_W, CLIP_H, 8, BI_RLE8, 256),
               "strf BITMAPINFOHEADER")
        expect(len(avi["pal"]) == 256 and avi["pal"][CLIP_KEY_INDEX] == GREEN, "palette entry 18 green")
        expect(avi["pal"].count(GREEN) == 1, "green used only for the key")
        expect([c[0] for c in avi["chunks"]] == [b"00dc"] * CLIP_FRAMES, "movi must hold 20 00dc chunks")
        expect(len(avi["index"]) == CLIP_FRAMES, "idx1 entries")
        for (ck, fl, off, ln), c in zip(avi["index"], avi["chunks"]):
            at = avi["movi_at"] + off
            expect(ck == b"00dc" and fl == 0x10, "idx1 key-frame flags")
            expect(avi["data"][at:at + 4] == b"00dc" and at + 8 == c[2] and ln == c[3],
                   "idx1 offset/length must point at the chunk")
        frames, pal = built["clip.avi"][1]
        expect(avi["frames"] == frames, "clip frames do not decode back")
        expect(all(fr[-1][0] == CLIP_KEY_INDEX for fr in avi["frames"]),
               "first decoded pixel of each frame must be the key colour")
    except (ValueError, KeyError, IndexError, struct.error) as e:
        faults.append("unreadable file: %r" % (e,))
    print("\n".join(faults) if faults else "all artwork checks passed")
    return not faults


def png_bytes(rgb_rows):
    h, w = len(rgb_rows), len(rgb_rows[0])
    raw = b"".join(b"\0" + bytes(v for c in row for v in c) for row in rgb_rows)

    def part(tag, body):
        return (struct.pack(">I", len(body)) + tag + body
                + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" + part(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + part(b"IDAT", zlib.compress(raw, 9)) + part(b"IEND", b""))


def enlarge(rows, k):
    return [[c for c in row for _ in range(k)] for row in rows for _ in range(k)]


def write_previews(outdir):
    """Enlarged PNGs of what the files in res/ decode to."""
    os.makedirs(outdir, exist_ok=True)

    def save(name, rows, k):
        with open(os.path.join(outdir, name), "wb") as fh:
            fh.write(png_bytes(enlarge(rows, k)))

    for name, k in (("checker.bmp", 8), ("lamp_enabled.bmp", 10), ("lamp_disabled.bmp", 10),
                    ("lamp_builtin.bmp", 10), ("title.bmp", 4), ("background.bmp", 2)):
        with open(os.path.join(RES, name), "rb") as fh:
            bm = read_bmp(fh.read())
        save(name[:-4] + ".png", [[bm["pal"][i] for i in row] for row in bm["rows"]], k)
    with open(os.path.join(RES, "orbiquel.ico"), "rb") as fh:
        for img in read_ico(fh.read()):
            rows = [[(200, 200, 200) if m else img["pal"][i] for i, m in zip(r, mr)]
                    for r, mr in zip(img["rows"], img["mask"])]
            save("icon%d.png" % img["w"], rows, 10 if img["w"] == 16 else 6)
    with open(os.path.join(RES, "clip.avi"), "rb") as fh:
        avi = read_avi(fh.read())
    strip = []
    for y in range(CLIP_H):
        line = []
        for fr in avi["frames"][:10]:
            line += [CLIP_UNDERLAY if i == CLIP_KEY_INDEX else avi["pal"][i] for i in fr[y]] + [(90, 90, 90)]
        strip.append(line)
    save("clip.png", strip, 3)


# ---------------------------------------------------------------- driver

def build():
    """Render everything; returns {filename: (bytes, pixel data for checks)}."""
    out = {}
    out["checker.bmp"] = make_checker()
    out["lamp_enabled.bmp"] = make_lamp("enabled")
    out["lamp_disabled.bmp"] = make_lamp("disabled")
    out["lamp_builtin.bmp"] = make_lamp("builtin")
    face = render_face()
    out["background.bmp"] = make_background(face)
    out["title.bmp"] = make_title(face)
    out["orbiquel.ico"] = make_icon()
    data, frames, pal = make_clip()
    out["clip.avi"] = (data, (frames, pal))
    for style in ("enabled", "disabled", "builtin"):
        out["lamp_%s_2x.bmp" % style] = make_lamp(style, LARGE)
    large_face = render_face(LARGE_FACE_W, LARGE_FACE_H)
    out["background_2x.bmp"] = make_background(large_face, BI_RLE8)
    out["title_2x.bmp"] = make_title(large_face, LARGE)
    data, frames, pal = make_clip(LARGE)
    out["clip_2x.avi"] = (data, (frames, pal))
    return out


def main(argv):
    if "--check" in argv:
        return 0 if check_files(build()) else 1
    built = build()
    os.makedirs(RES, exist_ok=True)
    for name, (data, _) in sorted(built.items()):
        with open(os.path.join(RES, name), "wb") as fh:
            fh.write(data)
        print("%-18s %7d bytes" % (name, len(data)))
    if "--preview" in argv:
        write_previews(argv[argv.index("--preview") + 1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
