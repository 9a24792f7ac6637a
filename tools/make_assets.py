#!/usr/bin/env python3
"""Draws every picture Numora ships and writes them under assets/.

    /usr/bin/python3 tools/make_assets.py [--out DIR]

Writes into assets/ beside this script, or into DIR, laid out the same way (the check
that the committed pictures are reproduced byte for byte writes into a scratch DIR).

Outputs: the window icon (icons/numora*.png), the 18-frame spinning top
(icons/top_00..17.png), the three end-of-game pictures (icons/lost*, win*,
draw*), the About photo (about/photo.png) and the resource file assets.qrc.
The top, the end-of-game pictures and the photo are also drawn at twice their
size (name@2x.png) for scaled screens.

Only the Python standard library is used: a tiny supersampling rasteriser,
a median-cut + k-means palette quantiser and a PNG writer.  No randomness
beyond a fixed integer hash, so every run writes the same bytes.
"""

import argparse
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")

# ---------------------------------------------------------------- helpers


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(e0, e1, v):
    t = clamp((v - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def hexc(s, a=1.0):
    s = s.lstrip("#")
    return (int(s[0:2], 16) / 255, int(s[2:4], 16) / 255, int(s[4:6], 16) / 255, a)


def scale_rgb(c, k):
    return (c[0] * k, c[1] * k, c[2] * k) + tuple(c[3:])


def hash2(ix, iy, seed=0):
    h = (ix * 374761393 + iy * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0xFFFFFF)


def vnoise(x, y, seed=0):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = hash2(ix, iy, seed), hash2(ix + 1, iy, seed)
    c, d = hash2(ix, iy + 1, seed), hash2(ix + 1, iy + 1, seed)
    return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy


def fbm(x, y, octaves=4, seed=0):
    total, amp, norm = 0.0, 0.5, 0.0
    for o in range(octaves):
        total += amp * vnoise(x, y, seed + o * 17)
        norm += amp
        x, y, amp = x * 2.03, y * 2.03, amp * 0.5
    return total / norm


# ---------------------------------------------------------------- shapes
# A shape is (inside(x, y) -> bool, bounding box) in drawing units.


def circle(cx, cy, r):
    r2 = r * r
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry, angle=0.0):
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    m = max(rx, ry)

    def inside(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * ca + dy * sa, -dx * sa + dy * ca
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0
    return (inside, (cx - m, cy - m, cx + m, cy + m))


def rect(x0, y0, x1, y1):
    return (lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, (x0, y0, x1, y1))


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return x0 <= x <= x1 and y0 <= y <= y1 and dx * dx + dy * dy <= r * r
    return (inside, (x0, y0, x1, y1))


def polygon(pts):
    n = len(pts)

    def inside(x, y):
        c = False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                c = not c
            j = i
        return c
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    return (inside, (min(xs), min(ys), max(xs), max(ys)))


def seg_dist2(x, y, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    L = dx * dx + dy * dy
    t = 0.0 if L == 0 else clamp(((x - x0) * dx + (y - y0) * dy) / L)
    px, py = x0 + t * dx - x, y0 + t * dy - y
    return px * px + py * py


def stroke(pts, w):
    """Round-capped polyline of width w."""
    r2 = (w / 2) ** 2
    segs = list(zip(pts, pts[1:])) or [(pts[0], pts[0])]

    def inside(x, y):
        for (a, b) in segs:
            if seg_dist2(x, y, a[0], a[1], b[0], b[1]) <= r2:
                return True
        return False
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]
    h = w / 2
    return (inside, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))


def arc(cx, cy, r0, r1, a0, a1):
    """Ring between radii r0..r1 for angles a0..a1 (degrees, clockwise on screen)."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not r0 * r0 <= d2 <= r1 * r1:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return (a - a0) % 360 <= (a1 - a0) % 360
    return (inside, (cx - r1, cy - r1, cx + r1, cy + r1))


def bezier(p0, p1, p2, n=16):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / n for i in range(n + 1))]


def union(*shapes):
    tests = [s[0] for s in shapes]
    box = (min(s[1][0] for s in shapes), min(s[1][1] for s in shapes),
           max(s[1][2] for s in shapes), max(s[1][3] for s in shapes))
    return (lambda x, y: any(t(x, y) for t in tests), box)


def minus(a, b):
    return (lambda x, y: a[0](x, y) and not b[0](x, y), a[1])


def intersect(a, b):
    box = (max(a[1][0], b[1][0]), max(a[1][1], b[1][1]),
           min(a[1][2], b[1][2]), min(a[1][3], b[1][3]))
    return (lambda x, y: a[0](x, y) and b[0](x, y), box)


# ---------------------------------------------------------------- canvas


class Image:
    def __init__(self, w, h, px):
        self.w, self.h, self.px = w, h, px      # px: list of straight (r, g, b, a) floats


class Canvas:
    """Premultiplied float RGBA raster; draws in design units, ss x ss samples per pixel."""

    def __init__(self, w, h, scale=1.0, ss=4):
        self.w, self.h, self.ss = w, h, ss
        self.k = scale * ss
        self.W, self.H = w * ss, h * ss
        n = self.W * self.H
        self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n

    def fill(self, shape, colour, opacity=1.0):
        test, (x0, y0, x1, y1) = shape
        k, W = self.k, self.W
        i0, i1 = max(0, int(x0 * k) - 1), min(W, int(math.ceil(x1 * k)) + 1)
        j0, j1 = max(0, int(y0 * k) - 1), min(self.H, int(math.ceil(y1 * k)) + 1)
        fn = colour if callable(colour) else None
        R, G, B, A = self.r, self.g, self.b, self.a
        for j in range(j0, j1):
            y = (j + 0.5) / k
            row = j * W
            for i in range(i0, i1):
                x = (i + 0.5) / k
                if not test(x, y):
                    continue
                c = fn(x, y) if fn else colour
                if c is None:
                    continue
                ca = (c[3] if len(c) > 3 else 1.0) * opacity
                if ca <= 0:
                    continue
                idx, inv = row + i, 1.0 - ca
                R[idx] = c[0] * ca + R[idx] * inv
                G[idx] = c[1] * ca + G[idx] * inv
                B[idx] = c[2] * ca + B[idx] * inv
                A[idx] = ca + A[idx] * inv

    def image(self):
        ss, W, n = self.ss, self.W, float(self.ss * self.ss)
        px = []
        for y in range(self.h):
            for x in range(self.w):
                sr = sg = sb = sa = 0.0
                for j in range(y * ss, y * ss + ss):
                    base = j * W + x * ss
                    for idx in range(base, base + ss):
                        sr += self.r[idx]
                        sg += self.g[idx]
                        sb += self.b[idx]
                        sa += self.a[idx]
                if sa > 1e-6:
                    px.append((sr / sa, sg / sa, sb / sa, sa / n))
                else:
                    px.append((0.0, 0.0, 0.0, 0.0))
        return Image(self.w, self.h, px)


# ---------------------------------------------------------------- PNG output


def _chunk(tag, data):
    return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)


def _write(path, w, h, colour_type, depth, rows, plte=b"", trns=b""):
    raw = b"".join(b"\x00" + r for r in rows)
    out = b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, depth, colour_type, 0, 0, 0))
    if plte:
        out += _chunk(b"PLTE", plte)
    if trns:
        out += _chunk(b"tRNS", trns)
    out += _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(out)
    WRITTEN.append(os.path.relpath(path, OUT).replace(os.sep, "/"))


def b8(v):
    return int(round(clamp(v) * 255))


def save_truecolour(path, img, alpha=True):
    rows = []
    for y in range(img.h):
        row = bytearray()
        for r, g, b, a in img.px[y * img.w:(y + 1) * img.w]:
            row += bytes((b8(r), b8(g), b8(b), b8(a))) if alpha else bytes((b8(r), b8(g), b8(b)))
        rows.append(bytes(row))
    _write(path, img.w, img.h, 6 if alpha else 2, 8, rows)


def _opaque_key(p, cut, matte):
    """8-bit colour of a pixel once the alpha is made binary, or None if transparent."""
    r, g, b, a = p
    if a < cut:
        return None
    if matte is not None:            # blend partial coverage onto the known backdrop
        r, g, b = (m + (c - m) * a for c, m in zip((r, g, b), matte))
    return (b8(r), b8(g), b8(b))


def _dist(a, b):
    return 2 * (a[0] - b[0]) ** 2 + 4 * (a[1] - b[1]) ** 2 + 3 * (a[2] - b[2]) ** 2


def build_palette(images, ncolours, cut=0.5, matte=None):
    counts = {}
    for img in images:
        for p in img.px:
            k = _opaque_key(p, cut, matte)
            if k is not None:
                counts[k] = counts.get(k, 0) + 1
    boxes = [sorted(counts.items())]
    # median cut: split the box with the widest, most populated channel range
    while len(boxes) < ncolours:
        best, score, chan = None, -1, 0
        for bi, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c, _ in box]
                s = (max(vals) - min(vals)) * math.sqrt(sum(n for _, n in box))
                if s > score:
                    best, score, chan = bi, s, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda e: (e[0][chan], e[0]))
        half, acc, cutat = sum(n for _, n in box) / 2, 0, 1
        for i, (_, n) in enumerate(box):
            acc += n
            if acc >= half:
                cutat = min(max(i + 1, 1), len(box) - 1)
                break
        boxes += [box[:cutat], box[cutat:]]
    pal = [tuple(sum(c[ch] * n for c, n in box) / sum(n for _, n in box) for ch in range(3)) for box in boxes]
    # a few k-means rounds to settle the entries
    items = sorted(counts.items())
    for _ in range(8):
        acc = [[0.0, 0.0, 0.0, 0] for _ in pal]
        for c, n in items:
            i = min(range(len(pal)), key=lambda j: _dist(c, pal[j]))
            a = acc[i]
            a[0] += c[0] * n
            a[1] += c[1] * n
            a[2] += c[2] * n
            a[3] += n
        pal = [(a[0] / a[3], a[1] / a[3], a[2] / a[3]) if a[3] else p for a, p in zip(acc, pal)]
    return sorted({tuple(int(round(v)) for v in p) for p in pal})


def save_indexed(path, img, palette, cut=0.5, matte=None):
    """Palette PNG; index 0 is transparent when the picture has transparent pixels."""
    keys = [_opaque_key(p, cut, matte) for p in img.px]
    has_clear = any(k is None for k in keys)
    entries = ([(0, 0, 0)] if has_clear else []) + list(palette)
    first = 1 if has_clear else 0
    depth = 4 if len(entries) <= 16 else 8
    cache = {}
    idx = []
    for k in keys:
        if k is None:
            idx.append(0)
            continue
        if k not in cache:
            cache[k] = first + min(range(len(palette)), key=lambda j: _dist(k, palette[j]))
        idx.append(cache[k])
    rows = []
    for y in range(img.h):
        line = idx[y * img.w:(y + 1) * img.w]
        if depth == 4:
            line = line + [0] * (len(line) % 2)
            rows.append(bytes((line[i] << 4) | line[i + 1] for i in range(0, len(line), 2)))
        else:
            rows.append(bytes(line))
    plte = b"".join(bytes(c) for c in entries)
    _write(path, img.w, img.h, 3, depth, rows, plte, b"\x00" if has_clear else b"")


WRITTEN = []
OUT = ASSETS              # where the pictures go; --out changes it


def vignette(img, strength=0.35, grain=0.0, seed=0):
    """Darkens the corners and adds a faint film grain, applied per output pixel."""
    out = []
    for i, (r, g, b, a) in enumerate(img.px):
        x, y = i % img.w, i // img.w
        dx, dy = (x + 0.5) / img.w - 0.5, (y + 0.5) / img.h - 0.5
        k = 1.0 - strength * (dx * dx + dy * dy) * 2.0
        n = (hash2(x, y, seed) - 0.5) * grain
        out.append((r * k + n, g * k + n, b * k + n, a))
    return Image(img.w, img.h, out)


def outline(img, colour, cut=0.5):
    """Adds a one pixel outline around the opaque part of a picture."""
    w, h, px = img.w, img.h, img.px
    out = list(px)
    for y in range(h):
        for x in range(w):
            if px[y * w + x][3] >= cut:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < w and 0 <= ny < h and px[ny * w + nx][3] >= cut:
                    out[y * w + x] = tuple(colour[:3]) + (1.0,)
                    break
    return Image(w, h, out)


def over(top, below):
    out = []
    for (r, g, b, a), (r2, g2, b2, a2) in zip(top.px, below.px):
        oa = a + a2 * (1 - a)
        if oa <= 0:
            out.append((0.0, 0.0, 0.0, 0.0))
        else:
            out.append(((r * a + r2 * a2 * (1 - a)) / oa, (g * a + g2 * a2 * (1 - a)) / oa,
                        (b * a + b2 * a2 * (1 - a)) / oa, oa))
    return Image(top.w, top.h, out)


# ---------------------------------------------------------------- window icon: wooden number cubes

# Digits as polylines in a unit box (y grows downwards); one-point lines are dots.
DIGITS = {
    "7": [[(0.24, 0.22), (0.76, 0.22), (0.46, 0.82)]],
    "3": [[(0.28, 0.24), (0.68, 0.22), (0.48, 0.46), (0.70, 0.58), (0.68, 0.76), (0.50, 0.83), (0.28, 0.78)]],
    "4": [[(0.62, 0.83), (0.62, 0.20), (0.24, 0.64), (0.78, 0.64)]],
    "?": [[(0.30, 0.34), (0.36, 0.22), (0.52, 0.17), (0.68, 0.24), (0.70, 0.38), (0.52, 0.52), (0.51, 0.64)],
          [(0.51, 0.82)]],
}

LIGHT = (-0.45, 0.72, 0.53)          # camera space: x right, y up, z towards the viewer
_ln = math.sqrt(sum(v * v for v in LIGHT))
LIGHT = tuple(v / _ln for v in LIGHT)


def wood(p, seed):
    """Wood colour at a point of a cube (cube space), rings around an axis along x."""
    x, y, z = p
    r = math.hypot(y + 1.9 + 0.3 * seed, z - 1.1) * 7.0 + 1.4 * fbm(x * 1.2 + seed, (y + z) * 1.3, 3, seed)
    ring = 0.5 + 0.5 * math.sin(r * 2 * math.pi)
    fibre = vnoise(x * 3.0, (y * 23 + z * 19), seed + 7)
    light, dark = (0.86, 0.62, 0.36), (0.52, 0.30, 0.14)
    return mix(light, dark, clamp(0.55 * ring ** 3 + 0.35 * fibre))


def digit_dist(ch, s, t):
    best = 9.0
    for line in DIGITS[ch]:
        if len(line) == 1:
            line = line * 2
        for a, b in zip(line, line[1:]):
            best = min(best, seg_dist2(s, t, a[0], a[1], b[0], b[1]))
    return math.sqrt(best)


def draw_cube(cv, ox, oy, size, yaw, pitch, digits, seed):
    ca, sa = math.cos(math.radians(yaw)), math.sin(math.radians(yaw))
    cp, sp = math.cos(math.radians(pitch)), math.sin(math.radians(pitch))

    def cam(p):
        x, y, z = p
        x1, z1 = x * ca - z * sa, x * sa + z * ca
        return (x1, y * cp - z1 * sp, y * sp + z1 * cp)

    def proj(p):
        x, y, _ = cam(p)
        return (ox + size * x, oy - size * y)

    faces = [((0, 0, 1), (-.5, .5, .5), (1, 0, 0), (0, -1, 0)),
             ((1, 0, 0), (.5, .5, .5), (0, 0, -1), (0, -1, 0)),
             ((0, 0, -1), (.5, .5, -.5), (-1, 0, 0), (0, -1, 0)),
             ((-1, 0, 0), (-.5, .5, -.5), (0, 0, 1), (0, -1, 0)),
             ((0, 1, 0), (-.5, .5, -.5), (1, 0, 0), (0, 0, 1))]
    for fi, (n, o, u, v) in enumerate(faces):
        nc = cam(n)
        if nc[2] <= 0.02:
            continue
        O = proj(o)
        pu = proj(tuple(a + b for a, b in zip(o, u)))
        pv = proj(tuple(a + b for a, b in zip(o, v)))
        du, dv = (pu[0] - O[0], pu[1] - O[1]), (pv[0] - O[0], pv[1] - O[1])
        det = du[0] * dv[1] - du[1] * dv[0]
        corners = [O, pu, (pu[0] + dv[0], pu[1] + dv[1]), pv]
        shade = 0.32 + 0.78 * max(0.0, sum(a * b for a, b in zip(nc, LIGHT)))
        digit = digits.get(fi)

        def colour(x, y, O=O, du=du, dv=dv, det=det, o=o, u=u, v=v, shade=shade, digit=digit, top=(fi == 4)):
            px, py = x - O[0], y - O[1]
            s = (px * dv[1] - py * dv[0]) / det
            t = (du[0] * py - du[1] * px) / det
            p = tuple(oo + s * uu + t * vv for oo, uu, vv in zip(o, u, v))
            c = wood(p, seed)
            k = shade
            e = min(s, 1 - s, t, 1 - t)
            if e < 0.07:                    # rounded, worn edges catch the light
                k *= 1.0 + 0.45 * (1 - e / 0.07) ** 2
            if not top:
                k *= 1.0 - 0.25 * smooth(0.75, 1.0, t)   # darker towards the table
            else:
                k *= 1.0 + 0.15 * (1 - t)
            if digit:
                d = digit_dist(digit, s, t)
                if d < 0.10:
                    c = mix((0.12, 0.05, 0.02), c, smooth(0.075, 0.10, d))
                elif d < 0.14 and t > 0.02:
                    k *= 0.85 + 0.15 * smooth(0.10, 0.14, d)
            return (c[0] * k, c[1] * k, c[2] * k, 1.0)

        cv.fill(polygon(corners), colour)


BOKEH = [(4.0, 3.0, 2.6, (1.0, 0.70, 0.35)), (11.0, 6.0, 1.8, (1.0, 0.85, 0.55)),
         (27.0, 2.5, 3.0, (0.95, 0.55, 0.25)), (20.0, 7.5, 1.6, (1.0, 0.78, 0.45)),
         (31.0, 9.0, 2.0, (1.0, 0.65, 0.30))]


def icon_background(x, y):
    table = 13.0
    wall = [0.10, 0.065, 0.05]
    wall = [c * (1.0 + 0.5 * (1 - y / table)) for c in wall]
    for bx, by, br, col in BOKEH:
        d = math.hypot(x - bx, y - by) / br
        w = 0.35 * (1 - smooth(0.75, 1.05, d)) + 0.12 * math.exp(-d * d)
        wall = [c + w * cc for c, cc in zip(wall, col)]
    depth = clamp((y - table) / (32 - table))
    grain = fbm(x * 0.22, (y - table) * 1.6 / (0.35 + depth), 3, 11)
    streak = 0.5 + 0.5 * math.sin((y - table) * 4.0 / (0.3 + depth) + 6 * grain)
    base = mix((0.50, 0.29, 0.14), (0.32, 0.17, 0.08), 0.5 * streak * (0.3 + 0.7 * depth) + 0.3 * grain)
    pool = 1.15 - 0.9 * ((x - 13) / 26) ** 2 - 0.5 * depth
    tablec = [c * pool for c in base]
    t = smooth(table - 0.8, table + 0.8, y)
    c = mix(wall, tablec, t)
    return (c[0], c[1], c[2], 1.0)


def soft_shadow(cx, cy, rx, ry, strength):
    def colour(x, y):
        d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
        return (0.03, 0.015, 0.0, strength * math.exp(-2.2 * d))
    return (rect(cx - 2 * rx, cy - 2 * ry, cx + 2 * rx, cy + 2 * ry), colour)


def draw_icon(size):
    ss = 4 if size <= 64 else 3 if size <= 128 else 2
    cv = Canvas(size, size, size / 32.0, ss)
    cv.fill(round_rect(0, 0, 32, 32, 3.2), icon_background)
    for shp, col in (soft_shadow(27.0, 19.5, 6.5, 2.6, 0.75), soft_shadow(13.5, 28.5, 10.0, 3.2, 0.85)):
        cv.fill(intersect(shp, round_rect(0, 0, 32, 32, 3.2)), col)
    draw_cube(cv, 24.5, 13.5, 9.5, -24, 28, {0: "3", 3: "4"}, 2)       # back cube
    draw_cube(cv, 11.8, 19.8, 14.0, 18, 24, {0: "7", 1: "?"}, 0)       # front cube
    return vignette(cv.image(), 0.5, 0.03, size)


# ---------------------------------------------------------------- spinning top (18 frames)

TOP_FRAMES = 18
TOP_TIP = (16.0, 29.6)            # the point the top spins on


def top_radius(v):
    """Profile of the top: radius at height v above the tip (pixels). Returns (r, dr/dv, part)."""
    if v < 0 or v > 27.2:
        return 0.0, 0.0, None
    if v < 3.0:                                       # steel tip
        return 0.55 + 0.35 * v / 3.0, 0.12, "tip"
    if v < 12.0:                                      # lower body, a rounded cone
        t = (v - 3.0) / 9.0
        return 0.9 + 10.4 * math.sin(t * math.pi / 2) ** 0.85, 10.4 * 0.85 * math.pi / 2 / 9.0 * math.cos(t * math.pi / 2) ** 0.85, "body"
    if v < 14.0:                                      # rim band
        return 11.3, 0.0, "rim"
    if v < 19.4:                                      # dome
        t = (v - 14.0) / 5.6
        r = 11.3 * math.sqrt(max(0.0, 1 - t * t))
        if r > 1.9:
            return r, -11.3 * t / max(0.05, math.sqrt(max(1e-4, 1 - t * t))) / 5.6, "dome"
    if v < 25.3:                                      # handle
        return 1.9, 0.0, "handle"
    d = v - 25.3                                      # rounded end of the handle
    return math.sqrt(max(0.0, 1.9 * 1.9 - d * d)), -d / 1.9, "knob"


def top_colour(spin, tilt):
    ct, st = math.cos(tilt), math.sin(tilt)

    def colour(x, y):
        dx, dy = x - TOP_TIP[0], y - TOP_TIP[1]
        v = dx * st - dy * ct
        u = dx * ct + dy * st
        r, dr, part = top_radius(v)
        if part is None or abs(u) > r:
            return None
        s = u / r
        c = math.sqrt(max(0.0, 1 - s * s))
        # surface normal in the top's frame, then back to the screen frame
        nl = math.sqrt(s * s + dr * dr + c * c)
        nx, nv, nz = s / nl, -dr / nl, c / nl
        sx, sy = nx * ct + nv * st, nv * ct - nx * st           # screen x, screen up
        diff = max(0.0, sx * LIGHT[0] + sy * LIGHT[1] + nz * LIGHT[2])
        hx, hy, hz = LIGHT[0], LIGHT[1], LIGHT[2] + 1.0
        hl = math.sqrt(hx * hx + hy * hy + hz * hz)
        shine = max(0.0, (sx * hx + sy * hy + nz * hz) / hl) ** 24
        ang = math.degrees(math.asin(s)) - spin                 # angle around the axis
        if part == "tip":
            base, gloss = (0.70, 0.72, 0.76), 0.8
        elif part in ("handle", "knob"):
            base, gloss = (0.45, 0.16, 0.10), 0.5
        elif part == "rim":
            dot = (ang % 60.0) < 20.0
            base, gloss = ((0.15, 0.25, 0.75) if dot else (1.0, 0.80, 0.15)), 0.6
        else:
            stripe = (ang % 90.0) < 30.0
            base, gloss = ((0.97, 0.95, 0.90) if stripe else (0.86, 0.07, 0.06)), 0.7
        k = 0.42 + 0.70 * diff + 0.22 * nz * nz
        col = tuple(clamp(b * k + gloss * shine) for b in base)
        return col + (1.0,)
    return colour


def draw_top(frame, scale=1):
    phase = 2 * math.pi * frame / TOP_FRAMES
    spin = 360.0 * frame / TOP_FRAMES * 1.0                     # one turn per cycle, 20 degrees a frame
    tilt = math.radians(7.0) * math.sin(phase)                  # wobble: lean right, back, left
    size = 32 * scale
    cv = Canvas(size, size, float(scale), 4)
    cv.fill(rect(0, 0, 32, 32), top_colour(spin, tilt))
    img = cv.image()
    for _ in range(scale):                                      # the outline keeps its width
        img = outline(img, (0.28, 0.03, 0.03))
    floor = Canvas(size, size, float(scale), 4)
    floor.fill(ellipse(16.8, 30.4, 5.5, 1.1), (0.30, 0.30, 0.33, 0.6))   # shadow on the floor
    return over(img, floor.image())


# ---------------------------------------------------------------- end-of-game pictures (shown on black)

def draw_lost(size):
    """White wheelchair pictogram on a blue square."""
    cv = Canvas(size, size, size / 32.0, 4)
    bold = 1.0 if size >= 32 else 1.3       # thicker strokes survive the 16 pixel version
    cv.fill(round_rect(0.5, 0.5, 31.5, 31.5, 3.0), hexc("0a3f96"))
    cv.fill(minus(round_rect(0.5, 0.5, 31.5, 31.5, 3.0), round_rect(1.8, 1.8, 30.2, 30.2, 2.0)), hexc("2a68c8"))
    white = hexc("ffffff")
    w = 3.2 * bold
    person = [
        circle(15.0, 5.6, 2.7 * min(bold, 1.15)),
        stroke([(14.2, 10.6), (13.2, 18.6)], w),                  # back
        stroke([(14.0, 13.0), (19.6, 13.0)], 2.4 * bold),         # arm
        stroke([(13.2, 18.6), (20.2, 18.6)], w),                  # thigh on the seat
        stroke([(20.2, 18.6), (22.6, 25.2)], w * 0.9),            # shin
        stroke([(22.6, 25.6), (25.6, 25.6)], 2.4 * bold),         # foot
    ]
    for shp in person:
        cv.fill(shp, white)
    cv.fill(arc(13.2, 21.6, 7.8 - 1.2 * bold, 7.8 + 1.0 * bold, 35.0, 255.0), white)   # the wheel
    return cv.image()


def draw_win(size):
    """Cartoon head of a friendly white-haired old man with round glasses."""
    cv = Canvas(size, size, size / 32.0, 4)
    line = hexc("3a2418")
    skin, skin_dark = hexc("f4c49c"), hexc("d8956c")

    def face_shade(x, y):
        d = math.hypot((x - 13.5) / 9.5, (y - 12.0) / 12.0)
        return mix(skin, skin_dark, smooth(0.45, 1.15, d)) + (1.0,)

    def hair_shade(cy):
        def f(x, y):
            return mix(hexc("ffffff"), hexc("b8c0cc"), smooth(cy - 2.0, cy + 3.5, y)) + (1.0,)
        return f

    # ears, then the face over them
    for ex in (6.4, 25.6):
        cv.fill(ellipse(ex, 17.2, 3.0, 3.6), line)
        cv.fill(ellipse(ex, 17.2, 2.2, 2.8), skin_dark)
    cv.fill(ellipse(16.0, 16.6, 9.9, 12.4), line)
    cv.fill(ellipse(16.0, 16.6, 9.1, 11.6), face_shade)
    cv.fill(ellipse(13.0, 8.2, 3.2, 1.8, -20), (1.0, 1.0, 1.0, 0.45))      # shine on the bald top
    for wy in ((9.6, 11.2) if size >= 32 else ()):                           # forehead wrinkles
        cv.fill(stroke(bezier((12.8, wy + 0.5), (16.0, wy - 0.6), (19.2, wy + 0.5), 8), 0.55), skin_dark)
    # white hair tufts over the ears
    tufts = [(5.2, 12.6, 2.6), (4.0, 15.6, 2.3), (6.6, 10.2, 2.2), (4.4, 18.6, 1.8), (7.4, 13.4, 2.2)]
    for side in (0, 1):
        place = (lambda x: x) if side == 0 else (lambda x: 32.0 - x)
        for x, y, r in tufts:                                                # outline first
            cv.fill(circle(place(x), y, r + 0.7), line)
        for x, y, r in tufts:
            cv.fill(circle(place(x), y, r), hair_shade(y))
    # bushy eyebrows
    for bx in (11.6, 20.4):
        cv.fill(ellipse(bx, 12.2, 3.0, 1.25, -8 if bx < 16 else 8), hexc("e8ecf0"))
    # glasses: lenses, frames, bridge and arms (heavier lines in the small version)
    b = 1.0 if size >= 32 else 1.25
    for gx in (11.8, 20.2):
        cv.fill(circle(gx, 16.6, 3.0 + 0.9 * b), line)
        cv.fill(circle(gx, 16.6, 3.0), face_shade)
        cv.fill(circle(gx, 16.6, 3.0), (0.75, 0.88, 1.0, 0.35))
        cv.fill(ellipse(gx + 0.2, 17.1, 0.95 * b, 1.15 * b), hexc("2a1a12"))  # eyes
        cv.fill(circle(gx + 0.5, 16.6, 0.35), hexc("ffffff"))
        cv.fill(ellipse(gx - 1.3, 15.1, 1.0, 0.55, -35), (1.0, 1.0, 1.0, 0.9))  # glint
    cv.fill(stroke(bezier((15.0, 16.2), (16.0, 15.3), (17.0, 16.2), 6), 0.9 * b), line)
    cv.fill(stroke([(7.9, 16.0), (6.6, 15.6)], 0.9 * b), line)
    cv.fill(stroke([(24.1, 16.0), (25.4, 15.6)], 0.9 * b), line)
    # rosy cheeks, nose, a wide smile under a white moustache
    for cx in (9.4, 22.6):
        cv.fill(ellipse(cx, 21.8, 2.1, 1.4), (0.95, 0.42, 0.38, 0.5))
    cv.fill(ellipse(16.0, 20.8, 2.3, 2.0), hexc("c97a58"))
    cv.fill(ellipse(15.8, 20.5, 1.9, 1.6), hexc("eea882"))
    cv.fill(ellipse(15.4, 19.9, 0.7, 0.45), (1.0, 1.0, 1.0, 0.6))
    cv.fill(stroke(bezier((10.0, 23.2), (16.0, 30.4), (22.0, 23.2), 12), 1.5 * b), line)   # smile
    cv.fill(stroke(bezier((13.0, 27.3), (16.0, 28.6), (19.0, 27.3), 8), 0.8 * b), hexc("d0505a"))
    if size >= 32:
        for cx in (9.0, 23.0):                                               # smile creases
            cv.fill(stroke(bezier((cx, 22.4), (cx + (-0.8 if cx < 16 else 0.8), 23.6), (cx + (0.3 if cx < 16 else -0.3), 24.8), 6), 0.55), skin_dark)
    for mx, ang in ((14.0, 10), (18.0, -10)):
        cv.fill(ellipse(mx, 23.4, 2.7, 1.35, ang), line)
        cv.fill(ellipse(mx, 23.2, 2.2, 0.95, ang), hair_shade(22.8))
    return cv.image()


def draw_draw(size):
    """Two hands clasping: a blue sleeve from the left, a red one from the right (the
    16-pixel picture is set pixel by pixel, DRAW_16).

    The left hand's four fingers wrap down over the back of the right hand, and the right
    hand's thumb lies across the top of the left hand."""
    cv = Canvas(size, size, size / 32.0, 4)
    ol = 0.8
    line = hexc("2a160c")
    skin_l, skin_r = hexc("ffd7b0"), hexc("b5703c")

    def lit(c, y0, y1):
        return lambda x, y: mix(scale_rgb(c, 1.10), scale_rgb(c, 0.85), smooth(y0, y1, y)) + (1.0,)

    def part(shape, colour):
        cv.fill(shape(ol), line)                      # dark outline, then the part itself
        cv.fill(shape(0.0), colour)

    def bar(p0, p1, w):                               # rounded: fingers, hands
        return lambda grow: stroke([p0, p1], w + 2 * grow)

    def box(p0, p1, w):                               # square ended: sleeves, cuffs
        def shape(grow):
            L = math.hypot(p1[0] - p0[0], p1[1] - p0[1])
            dx, dy = (p1[0] - p0[0]) / L, (p1[1] - p0[1]) / L
            h = w / 2 + grow
            a = (p0[0] - dx * grow, p0[1] - dy * grow)
            b = (p1[0] + dx * grow, p1[1] + dy * grow)
            return polygon([(a[0] - dy * h, a[1] + dx * h), (b[0] - dy * h, b[1] + dx * h),
                            (b[0] + dy * h, b[1] - dx * h), (a[0] + dy * h, a[1] - dx * h)])
        return shape

    # sleeves and cuffs rising from the two lower corners
    part(box((-3.0, 30.0), (6.4, 22.6), 9.6), lit(hexc("2f6fd8"), 18, 31))
    part(box((6.4, 22.6), (8.6, 20.9), 9.2), lit(hexc("f4f4ee"), 16, 26))
    part(box((35.0, 30.0), (25.6, 22.6), 9.6), lit(hexc("d8342c"), 18, 31))
    part(box((25.6, 22.6), (23.4, 20.9), 9.2), lit(hexc("f4f4ee"), 16, 26))
    # the right hand's back, then the left hand reaching over it
    part(bar((23.0, 20.2), (18.0, 14.6), 10.0), lit(skin_r, 9, 24))
    part(bar((9.0, 20.2), (13.0, 15.6), 9.6), lit(skin_l, 9, 24))
    # the left hand's fingers wrap down over the back of the right hand
    for i in range(4):
        t = i / 3
        x = 12.6 + 7.2 * t
        part(bar((x - 0.8, 10.6 + 0.8 * t), (x + 1.0, 21.4 - 1.8 * t), 2.7), lit(skin_l, 9, 23))
    # the right hand's thumb across the top of the left hand
    part(bar((22.6, 12.0), (13.0, 10.6), 3.0), lit(skin_r, 8, 14))
    return cv.image()


# ---------------------------------------------------------------- pictures drawn pixel by pixel
# At 16 pixels a scaled drawing smudges; these are set one pixel at a time, one letter
# a pixel, "." clear.

def pixels(grid, colours):
    rows = grid.strip().split()
    assert all(len(r) == len(rows[0]) for r in rows)
    px = [(0.0, 0.0, 0.0, 0.0) if ch == "." else hexc(colours[ch]) for r in rows for ch in r]
    return Image(len(rows[0]), len(rows), px)


# The handshake at 16 pixels: the right hand's thumb across the top, the left hand's
# fingers over the back of the right hand, whose fingertips show under the left wrist.
DRAW_16 = """
................
................
................
................
....KKKKKKK.....
...KDDDDDDDKK...
KKKKLKKKKKKDDKKK
BBWKLLLLDLLDDKWR
BBWKLLLDLLDLLKWR
BBWKLLLDLLDLLKWR
BBWKLLKDLLDLLKWR
KKKKKDDKLLKLLKKK
....KDDKKKKKKK..
.....KK.........
................
................
"""
DRAW_COLOURS = {"K": "2a160c", "D": "b5703c", "L": "ffd7b0", "W": "f4f4ee", "B": "2f6fd8", "R": "d8342c"}

# The window icon at 16 pixels: one wooden cube showing a 7 on a dark ground.
ICON_16 = """
.bbbbbbbbbbbbbb.
bbbbbbbbbbbbbbbb
bbbbbKKKKKKKKKbb
bbbbKTTTTTTTTKKb
bbbKTTTTTTTTKSKb
bbKKKKKKKKKKSSKb
bbKWWWWWWWWKSSKb
bbKWKKKKKKWKSSKb
bbKWWWWWKWWKSSKb
bbKWWWWKWWWKSSKb
bbKWWWKWWWWKSSKb
bbKWWWKWWWWKSKbb
bbKWWWKWWWWKKbbb
bbKKKKKKKKKKbbbb
bbbbbbbbbbbbbbbb
.bbbbbbbbbbbbbb.
"""
ICON_COLOURS = {"b": "2b1a12", "K": "3a1e0c", "T": "f2c98c", "W": "dca46a", "S": "a8692e"}

# The same cube as a scalable icon for the hicolor theme.
ICON_SVG = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <rect x="0" y="0" width="32" height="32" rx="3.2" fill="#2b1a12"/>
  <polygon points="9,5 26,5 22,9 5,9" fill="#f2c98c" stroke="#3a1e0c" stroke-width="1.2" stroke-linejoin="round"/>
  <polygon points="22,9 26,5 26,23 22,27" fill="#a8692e" stroke="#3a1e0c" stroke-width="1.2" stroke-linejoin="round"/>
  <rect x="5" y="9" width="17" height="18" fill="#dca46a" stroke="#3a1e0c" stroke-width="1.2" stroke-linejoin="round"/>
  <polyline points="8.5,12.5 18.5,12.5 12.5,24" fill="none" stroke="#3a1e0c" stroke-width="2.4"
            stroke-linecap="round" stroke-linejoin="round"/>
</svg>
"""


# ---------------------------------------------------------------- About photo: fishing at sunset

PW, PH = 191, 80
HORIZON = 47.0
SUN = (138.0, 41.0, 5.2)


def far_ridge(x):
    return HORIZON - 2.0 - 5.0 * fbm(x * 0.018, 3.1, 4, 21) - 1.2 * vnoise(x * 0.25, 0.5, 22)


def near_ridge(x):
    hill = 15.0 * clamp(1.0 - x / 78.0) ** 1.4 + 4.0 * clamp((x - 150) / 60.0)
    trees = (1.2 * fbm(x * 0.15, 7.7, 3, 23) + 1.8 * vnoise(x * 0.9, 2.2, 24) ** 2) * smooth(0.0, 2.0, hill)
    return HORIZON - hill - trees


def sky(x, y):
    t = clamp(y / HORIZON)
    if t < 0.55:
        c = mix((0.20, 0.18, 0.40), (0.76, 0.34, 0.40), t / 0.55)
    else:
        c = mix((0.76, 0.34, 0.40), (1.0, 0.66, 0.30), (t - 0.55) / 0.45)
    dx, dy = x - SUN[0], (y - SUN[1]) * 1.3
    d = math.hypot(dx, dy)
    glow = math.exp(-d / 16.0) * 0.55 + math.exp(-d / 45.0) * 0.25
    c = mix(c, (1.0, 0.88, 0.55), clamp(glow))
    # long thin clouds, lit from below by the low sun
    dens = fbm(x * 0.012, y * 0.16, 5, 31)
    cl = smooth(0.46, 0.62, dens) * smooth(3.0, 12.0, y) * (1 - smooth(30.0, 40.0, y))
    if cl > 0:
        under = smooth(-0.05, 0.05, fbm(x * 0.012, (y + 1.2) * 0.16, 5, 31) - dens)
        lit = mix((0.35, 0.20, 0.32), (1.0, 0.52, 0.40), 0.35 + 0.65 * under)
        lit = mix(lit, (1.0, 0.80, 0.55), clamp(math.exp(-d / 40.0)))
        c = mix(c, lit, cl)
    if d < SUN[2]:
        c = mix(c, (1.0, 0.96, 0.82), smooth(SUN[2], SUN[2] - 0.8, d))
    return c


def land(x, y):
    """Colour of the hills at (x, y), or None where there is sky."""
    if y >= near_ridge(x):
        haze = smooth(HORIZON - 16, HORIZON, y) * 0.15
        return mix((0.10, 0.06, 0.10), (0.45, 0.22, 0.22), haze + 0.1 * vnoise(x * 0.8, y * 0.8, 41))
    if y >= far_ridge(x):
        return mix((0.27, 0.14, 0.24), (0.46, 0.24, 0.28), smooth(HORIZON - 8, HORIZON, y))
    return None


def scenery(x, y):
    if y < HORIZON:
        c = land(x, y) or sky(x, y)
        return c + (1.0,)
    # water: the sky and hills mirrored, broken up by ripples
    depth = (y - HORIZON) / (PH - HORIZON)
    rip = fbm(x * 0.07, y * (0.9 - 0.5 * depth) * 3.0, 3, 51) - 0.5
    my = HORIZON - (y - HORIZON) * 1.15 + rip * (1.5 + 5 * depth)
    mx = x + rip * 3.0
    c = land(mx, my) or sky(mx, max(0.0, my))
    c = mix(c, (0.10, 0.08, 0.16), 0.25 + 0.45 * depth)
    # the sun's glitter path, widening towards us
    w = 2.5 + (y - HORIZON) * 0.75
    path = math.exp(-((x - SUN[0]) / w) ** 2)
    sparkle = smooth(0.55, 0.78, fbm(x * 0.35, y * 2.2, 3, 61)) * path
    c = mix(c, (1.0, 0.82, 0.52), clamp(0.85 * sparkle + 0.25 * path * (1 - depth)))
    c = mix(c, (0.05, 0.04, 0.08), 0.35 * (rip + 0.5) * depth)
    return c + (1.0,)


BOAT_WATERLINE = 61.0


def boat_shapes():
    """Silhouettes of the boat, the fisherman and his rod (all backlit)."""
    hull = polygon([(50.0, 56.2), (98.0, 55.6), (103.5, 53.4), (99.0, 60.2), (94.0, 62.4), (58.0, 62.6), (52.0, 60.0)])
    man = union(
        polygon([(66.0, 56.5), (67.0, 48.0), (69.0, 44.6), (72.4, 44.6), (74.0, 48.4), (73.6, 56.5)]),   # body
        circle(70.8, 42.2, 2.3),                                   # head
        ellipse(70.8, 40.4, 4.0, 0.8),                             # hat brim
        round_rect(68.6, 37.4, 73.0, 40.6, 1.0),                   # hat crown
        stroke([(72.6, 47.0), (76.2, 50.0), (79.0, 49.2)], 1.8),   # arm to the rod
        stroke([(70.0, 55.6), (78.0, 55.4)], 2.6),                 # legs
        polygon([(83.0, 56.2), (92.0, 56.0), (92.5, 54.5), (83.5, 54.6)]),   # tackle box
    )
    rod = stroke(bezier((77.0, 51.0), (104.0, 32.0), (133.0, 25.0), 24), 0.55)
    line = stroke(bezier((133.0, 25.0), (137.0, 40.0), (136.0, 60.4), 24), 0.22)
    oar = stroke([(56.0, 52.0), (47.0, 61.5)], 0.8)
    return hull, man, rod, line, oar


def draw_photo(scale=1):
    cv = Canvas(PW * scale, PH * scale, float(scale), 3)
    cv.fill(rect(0, 0, PW, PH), scenery)
    hull, man, rod, line, oar = boat_shapes()
    dark = (0.07, 0.045, 0.06)
    # reflection of the boat, wobbling with the ripples
    for shp in (hull, man, oar):
        t, (x0, y0, x1, y1) = shp
        refl = (lambda x, y, t=t: t(x + 0.8 * math.sin(y * 2.1), 2 * BOAT_WATERLINE - y),
                (x0 - 1, 2 * BOAT_WATERLINE - y1, x1 + 1, 2 * BOAT_WATERLINE - y0))
        cv.fill(intersect(refl, rect(0, BOAT_WATERLINE - 0.5, PW, PH)), (0.06, 0.04, 0.08, 0.55))
    for shp in (man, oar):
        cv.fill(shp, dark)

    def hull_colour(x, y):                       # gunwale catching the last light
        rim = 1.0 - smooth(0.0, 1.4, y - (56.2 - (x - 50.0) * 0.013 - (2.2 * smooth(97, 103.5, x))))
        return mix(dark, (0.55, 0.26, 0.12), 0.7 * rim) + (1.0,)
    cv.fill(hull, hull_colour)
    cv.fill(rod, (0.10, 0.07, 0.07, 0.95))
    cv.fill(line, (1.0, 0.85, 0.60, 0.55))
    cv.fill(minus(ellipse(136.0, 60.6, 3.0, 0.7), ellipse(136.0, 60.6, 2.2, 0.4)), (1.0, 0.85, 0.6, 0.35))
    cv.fill(minus(ellipse(136.0, 60.6, 5.5, 1.2), ellipse(136.0, 60.6, 4.8, 0.9)), (1.0, 0.85, 0.6, 0.18))
    for bx, by, s in ((38.0, 14.0, 1.6), (45.0, 11.0, 1.2), (33.0, 18.5, 1.0)):   # birds
        cv.fill(stroke([(bx - s, by - 0.5 * s), (bx, by), (bx + s, by - 0.6 * s)], 0.45), (0.15, 0.08, 0.14, 0.9))
    return vignette(cv.image(), 0.45, 0.04, 7)


# ---------------------------------------------------------------- output

# Resources written by hand rather than drawn here.
HANDWRITTEN = ["help/help.html"]


def write_qrc():
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    lines += ["    <file>%s</file>" % f for f in WRITTEN + HANDWRITTEN]
    lines += ['</qresource>', '</RCC>', '']
    with open(os.path.join(OUT, "assets.qrc"), "w", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    global OUT
    parser = argparse.ArgumentParser(description="Draws Numora's pictures.")
    parser.add_argument("--out", default=ASSETS, help="directory to write into (default: assets/)")
    OUT = os.path.abspath(parser.parse_args().out)
    icons = os.path.join(OUT, "icons")
    for size in (32, 48, 64, 128, 256):
        name = "numora.png" if size == 32 else "numora-%d.png" % size
        save_truecolour(os.path.join(icons, name), draw_icon(size))
    icon16 = pixels(ICON_16, ICON_COLOURS)
    save_indexed(os.path.join(icons, "numora-16.png"), icon16, build_palette([icon16], 15))
    svg = os.path.join(icons, "numora.svg")
    with open(svg, "w", newline="\n") as f:
        f.write(ICON_SVG)
    WRITTEN.append(os.path.relpath(svg, OUT).replace(os.sep, "/"))

    # Every picture is drawn at twice its size as well, as name@2x.png, for scaled screens.
    for scale, suffix in ((1, ""), (2, "@2x")):
        frames = [draw_top(f, scale) for f in range(TOP_FRAMES)]
        pal = build_palette(frames, 15)                   # one palette for all frames: no flicker
        for f, img in enumerate(frames):
            save_indexed(os.path.join(icons, "top_%02d%s.png" % (f, suffix)), img, pal)

    # the end-of-game pictures sit on black: soft edges are blended onto black
    black = (0.0, 0.0, 0.0)
    for name, fn, sizes, colours in (("lost", draw_lost, (32, 16, 64), 16),
                                     ("win", draw_win, (32, 16, 48, 64), 256),
                                     ("draw", draw_draw, (32, 16, 64), 16)):
        for size in sizes:
            img = pixels(DRAW_16, DRAW_COLOURS) if (name, size) == ("draw", 16) else fn(size)
            pal = build_palette([img], colours - 1, cut=0.15, matte=black)
            fname = name + {32: ".png", 64: "@2x.png"}.get(size, "-%d.png" % size)
            save_indexed(os.path.join(icons, fname), img, pal, cut=0.15, matte=black)

    save_truecolour(os.path.join(OUT, "about", "photo.png"), draw_photo(), alpha=False)
    save_truecolour(os.path.join(OUT, "about", "photo@2x.png"), draw_photo(2), alpha=False)
    write_qrc()
    for f in WRITTEN:
        print("wrote " + os.path.join(OUT, f))


if __name__ == "__main__":
    main()
