#!/usr/bin/env python3
"""Draws every picture Numora ships and writes them under assets/.

    /usr/bin/python3 tools/make_assets.py [--out DIR]

Writes into assets/ beside this script, or into DIR, laid out the same way (the check
that the committed pictures are redrawn writes into a scratch DIR).

Outputs: the window icon (icons/numora*.png), the 18-frame spinning top
(icons/top_00..17.png), the three end-of-game pictures (icons/lost*, win*,
draw*), the About photo (about/photo.png) and the resource file assets.qrc.
The top, the end-of-game pictures and the photo are also drawn at twice their
size (name@2x.png) for scaled screens.

Shapes are drawn with Pillow's ImageDraw on a canvas several times larger than the
picture and reduced with Pillow's box filter; colours that vary from point to point
(wood, shading, the sunset) are computed with numpy. Pillow's quantiser makes the 16-
and 256-colour pictures and Pillow writes the PNG files (Debian: python3-pil,
python3-numpy). No randomness beyond a fixed integer hash, so every run
draws the same pixels.
"""

import argparse
import math
import os

import numpy as np
from PIL import Image, ImageChops, ImageDraw

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")

# ---------------------------------------------------------------- colour and noise


def hexc(s, a=None):
    c = tuple(int(s[i:i + 2], 16) / 255 for i in (0, 2, 4))
    return c if a is None else c + (a,)


def smooth(e0, e1, v):
    t = np.clip((v - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


def mix(a, b, t):
    """a to b by t; colours are (..., 3) arrays or tuples, t a number or an array."""
    a, b, t = np.asarray(a, float), np.asarray(b, float), np.asarray(t, float)
    return a + (b - a) * (t[..., None] if t.ndim else t)


def hash2(ix, iy, seed=0):
    h = (np.asarray(ix, np.int64) * 374761393 + np.asarray(iy, np.int64) * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0xFFFFFF)


def vnoise(x, y, seed=0):
    """Value noise: the hash at whole coordinates, smoothly interpolated between them."""
    ix, iy = np.floor(x), np.floor(y)
    fx, fy = x - ix, y - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = hash2(ix, iy, seed), hash2(ix + 1, iy, seed)
    c, d = hash2(ix, iy + 1, seed), hash2(ix + 1, iy + 1, seed)
    return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy


def fbm(x, y, octaves=4, seed=0):
    total, amp, norm = 0.0, 0.5, 0.0
    for o in range(octaves):
        total = total + amp * vnoise(x, y, seed + o * 17)
        norm += amp
        x, y, amp = x * 2.03, y * 2.03, amp * 0.5
    return total / norm


# ---------------------------------------------------------------- shapes
# A shape draws itself on an ImageDraw in `fill`, its design units times k.


def _scaled(pts, k):
    return [(x * k, y * k) for x, y in pts]


def polygon(pts):
    return lambda d, k, fill: d.polygon(_scaled(pts, k), fill=fill)


def ellipse(cx, cy, rx, ry, angle=0.0):
    if angle:
        t = np.linspace(0.0, 2 * math.pi, 96, endpoint=False)
        ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
        u, v = rx * np.cos(t), ry * np.sin(t)
        return polygon(list(zip(cx + u * ca - v * sa, cy + u * sa + v * ca)))
    return lambda d, k, fill: d.ellipse([(cx - rx) * k, (cy - ry) * k, (cx + rx) * k, (cy + ry) * k], fill=fill)


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def rect(x0, y0, x1, y1):
    return lambda d, k, fill: d.rectangle([x0 * k, y0 * k, x1 * k, y1 * k], fill=fill)


def round_rect(x0, y0, x1, y1, r):
    # Two rectangles and four circles: ImageDraw's rounded_rectangle draws its corners
    # differently from one Pillow to the next.
    return union(rect(x0 + r, y0, x1 - r, y1), rect(x0, y0 + r, x1, y1 - r),
                 *(circle(x, y, r) for x in (x0 + r, x1 - r) for y in (y0 + r, y1 - r)))


def stroke(pts, w):
    """A polyline of width w with round ends and joints."""
    def draw(d, k, fill):
        p, r = _scaled(pts, k), w * k / 2
        if len(p) > 1:
            d.line(p, fill=fill, width=max(1, round(w * k)), joint="curve")
        for x, y in (p[0], p[-1]):
            d.ellipse([x - r, y - r, x + r, y + r], fill=fill)
    return draw


def ring(cx, cy, r0, r1, a0, a1):
    """The ring between radii r0 and r1 from angle a0 to a1 (degrees, clockwise on screen)."""
    return lambda d, k, fill: d.arc([(cx - r1) * k, (cy - r1) * k, (cx + r1) * k, (cy + r1) * k], a0, a1,
                                    fill=fill, width=max(1, round((r1 - r0) * k)))


def bezier(p0, p1, p2, n=16):
    t = np.linspace(0.0, 1.0, n + 1)
    return list(zip((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
                    (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]))


def union(*shapes):
    return lambda d, k, fill: [s(d, k, fill) for s in shapes]


def minus(a, b):
    return lambda d, k, fill: (a(d, k, fill), b(d, k, 0))


# ---------------------------------------------------------------- canvas


def to_image(a):
    """A float (h, w, 3 or 4) array as an 8-bit RGB or RGBA picture."""
    return Image.fromarray(np.clip(np.rint(a * 255), 0, 255).astype(np.uint8), "RGBA" if a.shape[2] == 4 else "RGB")


def to_array(img):
    return np.asarray(img, float) / 255


class Canvas:
    """A picture drawn in design units on ss x ss samples a pixel, reduced by picture()."""

    def __init__(self, w, h, scale=1.0, ss=4):
        self.w, self.h, self.k = w, h, scale * ss
        self.image = Image.new("RGBA", (w * ss, h * ss))

    def mask(self, shape):
        m = Image.new("L", self.image.size, 0)
        shape(ImageDraw.Draw(m), self.k, 255)
        return m

    def fill(self, shape, colour, opacity=1.0, clip=None):
        """Paints `shape` with a colour, or with colour(x, y) computed at every sample."""
        m = self.mask(shape)
        if clip is not None:
            m = ImageChops.multiply(m, self.mask(clip))
        self.paint(np.asarray(m, float) / 255, colour, opacity)

    def paint(self, coverage, colour, opacity=1.0):
        rows, cols = np.nonzero(coverage)
        if not len(rows):
            return
        y0, y1, x0, x1 = rows.min(), rows.max() + 1, cols.min(), cols.max() + 1
        alpha = coverage[y0:y1, x0:x1] * opacity
        if callable(colour):
            ys, xs = np.mgrid[y0:y1, x0:x1]
            c = colour((xs + 0.5) / self.k, (ys + 0.5) / self.k)
        else:
            c = np.broadcast_to(np.asarray(colour, float), (y1 - y0, x1 - x0, len(colour)))
        if c.shape[2] == 4:
            alpha = alpha * c[..., 3]
        layer = to_image(np.dstack([c[..., :3], alpha]))
        self.image.alpha_composite(layer, dest=(int(x0), int(y0)))

    def picture(self):
        return self.image.resize((self.w, self.h), Image.Resampling.BOX)


def vignette(img, strength=0.35, grain=0.0, seed=0):
    """Darkens the corners and adds a faint film grain, pixel by pixel."""
    a = to_array(img)
    h, w = a.shape[:2]
    y, x = np.mgrid[0:h, 0:w]
    dx, dy = (x + 0.5) / w - 0.5, (y + 0.5) / h - 0.5
    k = 1.0 - strength * (dx * dx + dy * dy) * 2.0
    a[..., :3] = a[..., :3] * k[..., None] + ((hash2(x, y, seed) - 0.5) * grain)[..., None]
    return to_image(a)


def outline(img, colour, cut=0.5):
    """A one-pixel outline around the opaque part of a picture."""
    a = np.asarray(img).copy()
    solid = a[..., 3] >= cut * 255
    near = np.zeros_like(solid)
    near[1:] |= solid[:-1]
    near[:-1] |= solid[1:]
    near[:, 1:] |= solid[:, :-1]
    near[:, :-1] |= solid[:, 1:]
    a[near & ~solid] = [round(c * 255) for c in colour] + [255]
    return Image.fromarray(a, "RGBA")


# ---------------------------------------------------------------- palettes and files


def quantise(images, colours, cut=0.5, matte=None):
    """Palette pictures sharing one palette of at most `colours` entries, chosen by Pillow's
    quantiser to cover their opaque pixels (its maximum coverage method keeps the small
    bright parts, such as the top's rim, that a median cut merges away). Index 0 is
    transparent where any pixel has an alpha below `cut`; pixels of partial alpha are
    blended onto `matte` where one is given."""
    arrays = [to_array(img) for img in images]
    rgbs, solids = [], []
    for a in arrays:
        rgb = a[..., :3] if matte is None else matte + (a[..., :3] - matte) * a[..., 3:]
        rgbs.append(np.clip(np.rint(rgb * 255), 0, 255).astype(np.uint8))
        solids.append(a[..., 3] >= cut)
    clear = not all(s.all() for s in solids)
    sample = Image.fromarray(np.concatenate([rgb[s] for rgb, s in zip(rgbs, solids)])[:, None, :], "RGB")
    palette = sample.quantize(colours - clear, method=Image.Quantize.MAXCOVERAGE, dither=Image.Dither.NONE)
    used = np.unique(np.asarray(palette))
    entries = np.asarray(palette.getpalette(), np.uint8).reshape(-1, 3)[used]
    renumber = np.zeros(256, np.uint8)
    renumber[used] = np.arange(len(used)) + clear
    out = []
    for rgb, solid in zip(rgbs, solids):
        index = renumber[np.asarray(Image.fromarray(rgb, "RGB").quantize(palette=palette, dither=Image.Dither.NONE))]
        out.append(indexed(np.where(solid, index, 0), entries, clear))
    return out


def indexed(index, entries, clear):
    """A palette picture from indices and (r, g, b) entries; index 0 clear when `clear`."""
    img = Image.fromarray(index.astype(np.uint8), "P")
    img.putpalette(np.concatenate([[[0, 0, 0]] if clear else np.zeros((0, 3)), entries]).astype(np.uint8).tobytes())
    if clear:
        img.info["transparency"] = 0
    return img


def pixels(grid, colours):
    """A palette picture set pixel by pixel: one letter a pixel, "." clear."""
    rows = grid.split()
    letters = sorted(set("".join(rows)) - {"."})
    clear = "." in grid
    number = {ch: i + clear for i, ch in enumerate(letters)}
    index = np.array([[number.get(ch, 0) for ch in row] for row in rows])
    return indexed(index, np.array([[int(colours[ch][i:i + 2], 16) for i in (0, 2, 4)] for ch in letters]), clear)


WRITTEN = []
OUT = ASSETS              # where the pictures go; --out changes it


def save(img, name):
    path = os.path.join(OUT, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, "PNG", **({"transparency": 0} if "transparency" in img.info else {}))
    WRITTEN.append(name)


# ---------------------------------------------------------------- window icon: wooden number cubes

# Digits as polylines in a unit box (y grows downwards); one-point lines are dots.
DIGITS = {
    "7": [[(0.24, 0.22), (0.76, 0.22), (0.46, 0.82)]],
    "3": [[(0.28, 0.24), (0.68, 0.22), (0.48, 0.46), (0.70, 0.58), (0.68, 0.76), (0.50, 0.83), (0.28, 0.78)]],
    "4": [[(0.62, 0.83), (0.62, 0.20), (0.24, 0.64), (0.78, 0.64)]],
    "?": [[(0.30, 0.34), (0.36, 0.22), (0.52, 0.17), (0.68, 0.24), (0.70, 0.38), (0.52, 0.52), (0.51, 0.64)],
          [(0.51, 0.82)]],
}

LIGHT = np.array([-0.45, 0.72, 0.53]) / np.linalg.norm([-0.45, 0.72, 0.53])   # x right, y up, z to the viewer


def wood(x, y, z, seed):
    """Wood colour at points of a cube (cube space): rings around an axis along x."""
    r = np.hypot(y + 1.9 + 0.3 * seed, z - 1.1) * 7.0 + 1.4 * fbm(x * 1.2 + seed, (y + z) * 1.3, 3, seed)
    grain = 0.55 * (0.5 + 0.5 * np.sin(r * 2 * math.pi)) ** 3 + 0.35 * vnoise(x * 3.0, y * 23 + z * 19, seed + 7)
    return mix((0.86, 0.62, 0.36), (0.52, 0.30, 0.14), np.clip(grain, 0.0, 1.0))


def digit_distance(ch, s, t):
    best = np.full(s.shape, 9.0)
    for line in DIGITS[ch]:
        line = line * 2 if len(line) == 1 else line
        for (x0, y0), (x1, y1) in zip(line, line[1:]):
            dx, dy = x1 - x0, y1 - y0
            u = np.clip(((s - x0) * dx + (t - y0) * dy) / max(dx * dx + dy * dy, 1e-12), 0.0, 1.0)
            best = np.minimum(best, np.hypot(x0 + u * dx - s, y0 + u * dy - t))
    return best


def draw_cube(cv, ox, oy, size, yaw, pitch, digits, seed):
    ca, sa = math.cos(math.radians(yaw)), math.sin(math.radians(yaw))
    cp, sp = math.cos(math.radians(pitch)), math.sin(math.radians(pitch))

    def cam(p):
        x, y, z = p
        x1, z1 = x * ca - z * sa, x * sa + z * ca
        return np.array([x1, y * cp - z1 * sp, y * sp + z1 * cp])

    def proj(p):
        x, y, _ = cam(p)
        return np.array([ox + size * x, oy - size * y])

    faces = [((0, 0, 1), (-.5, .5, .5), (1, 0, 0), (0, -1, 0)),
             ((1, 0, 0), (.5, .5, .5), (0, 0, -1), (0, -1, 0)),
             ((0, 0, -1), (.5, .5, -.5), (-1, 0, 0), (0, -1, 0)),
             ((-1, 0, 0), (-.5, .5, -.5), (0, 0, 1), (0, -1, 0)),
             ((0, 1, 0), (-.5, .5, -.5), (1, 0, 0), (0, 0, 1))]
    for fi, (n, o, u, v) in enumerate(faces):
        normal = cam(n)
        if normal[2] <= 0.02:
            continue
        o, u, v = np.array(o), np.array(u), np.array(v)
        corner = proj(o)
        du, dv = proj(o + u) - corner, proj(o + v) - corner
        det = du[0] * dv[1] - du[1] * dv[0]
        shade = 0.32 + 0.78 * max(0.0, normal @ LIGHT)

        def colour(x, y, corner=corner, du=du, dv=dv, det=det, o=o, u=u, v=v, shade=shade,
                   digit=digits.get(fi), top=(fi == 4)):
            px, py = x - corner[0], y - corner[1]
            s = (px * dv[1] - py * dv[0]) / det              # where on the face, 0 to 1 each way
            t = (du[0] * py - du[1] * px) / det
            c = wood(*(o[i] + s * u[i] + t * v[i] for i in range(3)), seed)
            edge = np.clip(np.minimum(np.minimum(s, 1 - s), np.minimum(t, 1 - t)), 0.0, None)
            k = shade * (1.0 + 0.45 * np.clip(1 - edge / 0.07, 0.0, None) ** 2)     # worn edges catch the light
            k = k * (1.0 + 0.15 * (1 - t) if top else 1.0 - 0.25 * smooth(0.75, 1.0, t))   # darker to the table
            if digit:
                d = digit_distance(digit, s, t)
                c = np.where((d < 0.10)[..., None], mix((0.12, 0.05, 0.02), c, smooth(0.075, 0.10, d)), c)
                k = np.where((d >= 0.10) & (d < 0.14) & (t > 0.02), k * (0.85 + 0.15 * smooth(0.10, 0.14, d)), k)
            return c * k[..., None]

        cv.fill(polygon([corner, corner + du, corner + du + dv, corner + dv]), colour)


BOKEH = [(4.0, 3.0, 2.6, (1.0, 0.70, 0.35)), (11.0, 6.0, 1.8, (1.0, 0.85, 0.55)),
         (27.0, 2.5, 3.0, (0.95, 0.55, 0.25)), (20.0, 7.5, 1.6, (1.0, 0.78, 0.45)),
         (31.0, 9.0, 2.0, (1.0, 0.65, 0.30))]


def icon_background(x, y):
    """A dim wall with blurred lights behind a wooden table top."""
    table = 13.0
    wall = np.array([0.10, 0.065, 0.05]) * (1.0 + 0.5 * (1 - y / table))[..., None]
    for bx, by, br, col in BOKEH:
        d = np.hypot(x - bx, y - by) / br
        wall = wall + (0.35 * (1 - smooth(0.75, 1.05, d)) + 0.12 * np.exp(-d * d))[..., None] * np.array(col)
    depth = np.clip((y - table) / (32 - table), 0.0, 1.0)
    grain = fbm(x * 0.22, (y - table) * 1.6 / (0.35 + depth), 3, 11)
    streak = 0.5 + 0.5 * np.sin((y - table) * 4.0 / (0.3 + depth) + 6 * grain)
    board = mix((0.50, 0.29, 0.14), (0.32, 0.17, 0.08), 0.5 * streak * (0.3 + 0.7 * depth) + 0.3 * grain)
    board = board * (1.15 - 0.9 * ((x - 13) / 26) ** 2 - 0.5 * depth)[..., None]
    return mix(wall, board, smooth(table - 0.8, table + 0.8, y))


def soft_shadow(cx, cy, rx, ry, strength):
    def colour(x, y):
        a = strength * np.exp(-2.2 * (((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2))
        return np.dstack([np.full_like(a, 0.03), np.full_like(a, 0.015), np.zeros_like(a), a])
    return rect(cx - 2 * rx, cy - 2 * ry, cx + 2 * rx, cy + 2 * ry), colour


def draw_icon(size):
    cv = Canvas(size, size, size / 32.0, 4 if size <= 64 else 3 if size <= 128 else 2)
    tile = round_rect(0, 0, 32, 32, 3.2)
    cv.fill(tile, icon_background)
    for shape, colour in (soft_shadow(27.0, 19.5, 6.5, 2.6, 0.75), soft_shadow(13.5, 28.5, 10.0, 3.2, 0.85)):
        cv.fill(shape, colour, clip=tile)
    draw_cube(cv, 24.5, 13.5, 9.5, -24, 28, {0: "3", 3: "4"}, 2)       # back cube
    draw_cube(cv, 11.8, 19.8, 14.0, 18, 24, {0: "7", 1: "?"}, 0)       # front cube
    return vignette(cv.picture(), 0.5, 0.03, size)


# ---------------------------------------------------------------- spinning top (18 frames)

TOP_FRAMES = 18
TOP_TIP = (16.0, 29.6)            # the point the top spins on
TIP, BODY, RIM, DOME, HANDLE, KNOB = range(6)


def top_profile(v):
    """The top's radius at height v above the tip (pixels), its slope dr/dv, and the part."""
    t_body = np.clip((v - 3.0) / 9.0, 0.0, 1.0) * math.pi / 2
    t_dome = (v - 14.0) / 5.6
    dome = 11.3 * np.sqrt(np.clip(1 - t_dome * t_dome, 0.0, None))
    knob = v - 25.3
    part = np.select([v < 0, v < 3.0, v < 12.0, v < 14.0, (v < 19.4) & (dome > 1.9), v < 25.3, v <= 27.2],
                     [-1, TIP, BODY, RIM, DOME, HANDLE, KNOB], -1)
    r = np.choose(part + 1, [0.0, 0.55 + 0.35 * v / 3.0, 0.9 + 10.4 * np.sin(t_body) ** 0.85, 11.3, dome, 1.9,
                             np.sqrt(np.clip(1.9 * 1.9 - knob * knob, 0.0, None))])
    dr = np.choose(part + 1, [0.0, 0.12, 10.4 * 0.85 * math.pi / 2 / 9.0 * np.cos(t_body) ** 0.85, 0.0,
                              -11.3 * t_dome / np.maximum(0.05, np.sqrt(np.clip(1 - t_dome * t_dome, 1e-4, None))) / 5.6,
                              0.0, -knob / 1.9])
    return r, dr, part


def top_colour(spin, tilt):
    ct, st = math.cos(tilt), math.sin(tilt)
    half = LIGHT + (0, 0, 1)
    half = half / np.linalg.norm(half)

    def colour(x, y):
        dx, dy = x - TOP_TIP[0], y - TOP_TIP[1]
        v, u = dx * st - dy * ct, dx * ct + dy * st
        r, dr, part = top_profile(v)
        inside = (part >= 0) & (np.abs(u) <= r)
        s = np.clip(u / np.maximum(r, 1e-9), -1.0, 1.0)
        c = np.sqrt(1 - s * s)
        # the surface normal in the top's frame, then on the screen (x right, y up)
        length = np.sqrt(s * s + dr * dr + c * c)
        nx, nv, nz = s / length, -dr / length, c / length
        sx, sy = nx * ct + nv * st, nv * ct - nx * st
        diffuse = np.maximum(0.0, sx * LIGHT[0] + sy * LIGHT[1] + nz * LIGHT[2])
        shine = np.maximum(0.0, sx * half[0] + sy * half[1] + nz * half[2]) ** 24
        turn = np.degrees(np.arcsin(s)) - spin                   # the angle around the axis
        stripe, dot = (turn % 90.0) < 30.0, (turn % 60.0) < 20.0
        base = np.select([(part == TIP)[..., None], ((part == HANDLE) | (part == KNOB))[..., None],
                          ((part == RIM) & dot)[..., None], (part == RIM)[..., None], stripe[..., None]],
                         [(0.70, 0.72, 0.76), (0.45, 0.16, 0.10), (0.15, 0.25, 0.75), (1.0, 0.80, 0.15),
                          (0.97, 0.95, 0.90)], (0.86, 0.07, 0.06))
        gloss = np.select([part == TIP, (part == HANDLE) | (part == KNOB), part == RIM], [0.8, 0.5, 0.6], 0.7)
        k = 0.42 + 0.70 * diffuse + 0.22 * nz * nz
        return np.dstack([np.clip(base * k[..., None] + (gloss * shine)[..., None], 0.0, 1.0), inside])
    return colour


def draw_top(frame, scale=1):
    phase = 2 * math.pi * frame / TOP_FRAMES
    spin = 360.0 * frame / TOP_FRAMES                           # one turn per cycle, 20 degrees a frame
    tilt = math.radians(7.0) * math.sin(phase)                  # wobble: lean right, back, left
    size = 32 * scale
    cv = Canvas(size, size, float(scale))
    cv.fill(rect(0, 0, 32, 32), top_colour(spin, tilt))
    img = cv.picture()
    for _ in range(scale):                                      # the outline keeps its width
        img = outline(img, (0.28, 0.03, 0.03))
    floor = Canvas(size, size, float(scale))
    floor.fill(ellipse(16.8, 30.4, 5.5, 1.1), (0.30, 0.30, 0.33, 0.6))   # shadow on the floor
    return Image.alpha_composite(floor.picture(), img)


# ---------------------------------------------------------------- end-of-game pictures (shown on black)

def draw_lost(size):
    """White wheelchair pictogram on a blue square."""
    cv = Canvas(size, size, size / 32.0)
    bold = 1.0 if size >= 32 else 1.3       # thicker strokes survive the 16 pixel version
    cv.fill(round_rect(0.5, 0.5, 31.5, 31.5, 3.0), hexc("0a3f96"))
    cv.fill(minus(round_rect(0.5, 0.5, 31.5, 31.5, 3.0), round_rect(1.8, 1.8, 30.2, 30.2, 2.0)), hexc("2a68c8"))
    w = 3.2 * bold
    person = union(
        circle(15.0, 5.6, 2.7 * min(bold, 1.15)),
        stroke([(14.2, 10.6), (13.2, 18.6)], w),                  # back
        stroke([(14.0, 13.0), (19.6, 13.0)], 2.4 * bold),         # arm
        stroke([(13.2, 18.6), (20.2, 18.6)], w),                  # thigh on the seat
        stroke([(20.2, 18.6), (22.6, 25.2)], w * 0.9),            # shin
        stroke([(22.6, 25.6), (25.6, 25.6)], 2.4 * bold),         # foot
        ring(13.2, 21.6, 7.8 - 1.2 * bold, 7.8 + 1.0 * bold, 35.0, 255.0))   # the wheel
    cv.fill(person, hexc("ffffff"))
    return cv.picture()


def draw_win(size):
    """Cartoon head of a friendly white-haired old man with round glasses."""
    cv = Canvas(size, size, size / 32.0)
    line = hexc("3a2418")
    skin, skin_dark = hexc("f4c49c"), hexc("d8956c")

    def face_shade(x, y):
        return mix(skin, skin_dark, smooth(0.45, 1.15, np.hypot((x - 13.5) / 9.5, (y - 12.0) / 12.0)))

    def hair_shade(cy):
        return lambda x, y: mix(hexc("ffffff"), hexc("b8c0cc"), smooth(cy - 2.0, cy + 3.5, y))

    # ears, then the face over them
    for ex in (6.4, 25.6):
        cv.fill(ellipse(ex, 17.2, 3.0, 3.6), line)
        cv.fill(ellipse(ex, 17.2, 2.2, 2.8), skin_dark)
    cv.fill(ellipse(16.0, 16.6, 9.9, 12.4), line)
    cv.fill(ellipse(16.0, 16.6, 9.1, 11.6), face_shade)
    cv.fill(ellipse(13.0, 8.2, 3.2, 1.8, -20), (1.0, 1.0, 1.0, 0.45))      # shine on the bald top
    for wy in ((9.6, 11.2) if size >= 32 else ()):                           # forehead wrinkles
        cv.fill(stroke(bezier((12.8, wy + 0.5), (16.0, wy - 0.6), (19.2, wy + 0.5), 8), 0.55), skin_dark)
    # white hair tufts over the ears, outlined first
    tufts = [(5.2, 12.6, 2.6), (4.0, 15.6, 2.3), (6.6, 10.2, 2.2), (4.4, 18.6, 1.8), (7.4, 13.4, 2.2)]
    for place in (lambda x: x, lambda x: 32.0 - x):
        cv.fill(union(*(circle(place(x), y, r + 0.7) for x, y, r in tufts)), line)
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
    cv.fill(union(stroke(bezier((15.0, 16.2), (16.0, 15.3), (17.0, 16.2), 6), 0.9 * b),
                  stroke([(7.9, 16.0), (6.6, 15.6)], 0.9 * b), stroke([(24.1, 16.0), (25.4, 15.6)], 0.9 * b)), line)
    # rosy cheeks, nose, a wide smile under a white moustache
    for cx in (9.4, 22.6):
        cv.fill(ellipse(cx, 21.8, 2.1, 1.4), (0.95, 0.42, 0.38, 0.5))
    cv.fill(ellipse(16.0, 20.8, 2.3, 2.0), hexc("c97a58"))
    cv.fill(ellipse(15.8, 20.5, 1.9, 1.6), hexc("eea882"))
    cv.fill(ellipse(15.4, 19.9, 0.7, 0.45), (1.0, 1.0, 1.0, 0.6))
    cv.fill(stroke(bezier((10.0, 23.2), (16.0, 30.4), (22.0, 23.2), 12), 1.5 * b), line)   # smile
    cv.fill(stroke(bezier((13.0, 27.3), (16.0, 28.6), (19.0, 27.3), 8), 0.8 * b), hexc("d0505a"))
    if size >= 32:                                                           # smile creases
        cv.fill(union(*(stroke(bezier((cx, 22.4), (cx - 0.8 * side, 23.6), (cx + 0.3 * side, 24.8), 6), 0.55)
                        for cx, side in ((9.0, 1), (23.0, -1)))), skin_dark)
    for mx, ang in ((14.0, 10), (18.0, -10)):
        cv.fill(ellipse(mx, 23.4, 2.7, 1.35, ang), line)
        cv.fill(ellipse(mx, 23.2, 2.2, 0.95, ang), hair_shade(22.8))
    return cv.picture()


def draw_draw(size):
    """Two hands clasping: a blue sleeve from the left, a red one from the right (the
    16-pixel picture is set pixel by pixel, DRAW_16).

    The left hand's four fingers wrap down over the back of the right hand, and the right
    hand's thumb lies across the top of the left hand."""
    cv = Canvas(size, size, size / 32.0)
    ol = 0.8
    skin_l, skin_r = hexc("ffd7b0"), hexc("b5703c")

    def lit(c, y0, y1):
        return lambda x, y: mix(np.multiply(c, 1.10), np.multiply(c, 0.85), smooth(y0, y1, y))

    def part(shape, colour):
        cv.fill(shape(ol), hexc("2a160c"))            # dark outline, then the part itself
        cv.fill(shape(0.0), colour)

    def bar(p0, p1, w):                               # rounded: fingers, hands
        return lambda grow: stroke([p0, p1], w + 2 * grow)

    def box(p0, p1, w):                               # square ended: sleeves, cuffs
        def shape(grow):
            length = math.hypot(p1[0] - p0[0], p1[1] - p0[1])
            dx, dy = (p1[0] - p0[0]) / length, (p1[1] - p0[1]) / length
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
    return cv.picture()


# ---------------------------------------------------------------- pictures set pixel by pixel
# At 16 pixels a scaled drawing smudges; these are set one pixel at a time.

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
    hill = 15.0 * np.clip(1.0 - x / 78.0, 0.0, 1.0) ** 1.4 + 4.0 * np.clip((x - 150) / 60.0, 0.0, 1.0)
    trees = (1.2 * fbm(x * 0.15, 7.7, 3, 23) + 1.8 * vnoise(x * 0.9, 2.2, 24) ** 2) * smooth(0.0, 2.0, hill)
    return HORIZON - hill - trees


def sky(x, y):
    t = np.clip(y / HORIZON, 0.0, 1.0)
    c = np.where((t < 0.55)[..., None], mix((0.20, 0.18, 0.40), (0.76, 0.34, 0.40), t / 0.55),
                 mix((0.76, 0.34, 0.40), (1.0, 0.66, 0.30), (t - 0.55) / 0.45))
    d = np.hypot(x - SUN[0], (y - SUN[1]) * 1.3)
    c = mix(c, (1.0, 0.88, 0.55), np.clip(np.exp(-d / 16.0) * 0.55 + np.exp(-d / 45.0) * 0.25, 0.0, 1.0))
    # long thin clouds, lit from below by the low sun
    density = fbm(x * 0.012, y * 0.16, 5, 31)
    cloud = smooth(0.46, 0.62, density) * smooth(3.0, 12.0, y) * (1 - smooth(30.0, 40.0, y))
    under = smooth(-0.05, 0.05, fbm(x * 0.012, (y + 1.2) * 0.16, 5, 31) - density)
    lit = mix((0.35, 0.20, 0.32), (1.0, 0.52, 0.40), 0.35 + 0.65 * under)
    c = mix(c, mix(lit, (1.0, 0.80, 0.55), np.clip(np.exp(-d / 40.0), 0.0, 1.0)), cloud)
    return np.where((d < SUN[2])[..., None], mix(c, (1.0, 0.96, 0.82), smooth(SUN[2], SUN[2] - 0.8, d)), c)


def landscape(x, y):
    """The hills where they are, the sky elsewhere."""
    near = mix((0.10, 0.06, 0.10), (0.45, 0.22, 0.22),
               smooth(HORIZON - 16, HORIZON, y) * 0.15 + 0.1 * vnoise(x * 0.8, y * 0.8, 41))
    far = mix((0.27, 0.14, 0.24), (0.46, 0.24, 0.28), smooth(HORIZON - 8, HORIZON, y))
    return np.where((y >= near_ridge(x))[..., None], near,
                    np.where((y >= far_ridge(x))[..., None], far, sky(x, np.maximum(y, 0.0))))


def scenery(x, y):
    # the water mirrors the sky and the hills, broken up by ripples
    depth = np.clip((y - HORIZON) / (PH - HORIZON), 0.0, 1.0)
    ripple = fbm(x * 0.07, y * (0.9 - 0.5 * depth) * 3.0, 3, 51) - 0.5
    water = landscape(x + ripple * 3.0, HORIZON - (y - HORIZON) * 1.15 + ripple * (1.5 + 5 * depth))
    water = mix(water, (0.10, 0.08, 0.16), 0.25 + 0.45 * depth)
    # the sun's glitter path, widening towards us
    path = np.exp(-((x - SUN[0]) / (2.5 + (y - HORIZON) * 0.75)) ** 2)
    sparkle = smooth(0.55, 0.78, fbm(x * 0.35, y * 2.2, 3, 61)) * path
    water = mix(water, (1.0, 0.82, 0.52), np.clip(0.85 * sparkle + 0.25 * path * (1 - depth), 0.0, 1.0))
    water = mix(water, (0.05, 0.04, 0.08), 0.35 * (ripple + 0.5) * depth)
    return np.where((y < HORIZON)[..., None], landscape(x, y), water)


WATERLINE = 61.0


def draw_photo(scale=1):
    cv = Canvas(PW * scale, PH * scale, float(scale), 3)
    cv.fill(rect(0, 0, PW, PH), scenery)
    hull = polygon([(50.0, 56.2), (98.0, 55.6), (103.5, 53.4), (99.0, 60.2), (94.0, 62.4), (58.0, 62.6), (52.0, 60.0)])
    man = union(
        polygon([(66.0, 56.5), (67.0, 48.0), (69.0, 44.6), (72.4, 44.6), (74.0, 48.4), (73.6, 56.5)]),   # body
        circle(70.8, 42.2, 2.3),                                   # head
        ellipse(70.8, 40.4, 4.0, 0.8),                             # hat brim
        round_rect(68.6, 37.4, 73.0, 40.6, 1.0),                   # hat crown
        stroke([(72.6, 47.0), (76.2, 50.0), (79.0, 49.2)], 1.8),   # arm to the rod
        stroke([(70.0, 55.6), (78.0, 55.4)], 2.6),                 # legs
        polygon([(83.0, 56.2), (92.0, 56.0), (92.5, 54.5), (83.5, 54.6)]))   # tackle box
    oar = stroke([(56.0, 52.0), (47.0, 61.5)], 0.8)
    dark = (0.07, 0.045, 0.06)
    # the boat mirrored below the waterline, wobbling with the ripples
    boat = np.asarray(cv.mask(union(hull, man, oar)), float) / 255
    rows = np.arange(boat.shape[0])
    source = np.clip(np.rint(2 * WATERLINE * cv.k - 1 - rows).astype(int), 0, boat.shape[0] - 1)
    wobble = np.rint(0.8 * np.sin((rows + 0.5) / cv.k * 2.1) * cv.k).astype(int)
    cols = np.clip(np.arange(boat.shape[1])[None, :] + wobble[:, None], 0, boat.shape[1] - 1)
    reflection = boat[source[:, None], cols] * ((rows + 0.5) / cv.k >= WATERLINE - 0.5)[:, None]
    cv.paint(reflection, (0.06, 0.04, 0.08, 0.55))
    cv.fill(union(man, oar), dark)

    def hull_colour(x, y):                       # the gunwale catching the last light
        rim = 1.0 - smooth(0.0, 1.4, y - (56.2 - (x - 50.0) * 0.013 - 2.2 * smooth(97, 103.5, x)))
        return mix(dark, (0.55, 0.26, 0.12), 0.7 * rim)
    cv.fill(hull, hull_colour)
    cv.fill(stroke(bezier((77.0, 51.0), (104.0, 32.0), (133.0, 25.0), 24), 0.55), (0.10, 0.07, 0.07, 0.95))  # rod
    cv.fill(stroke(bezier((133.0, 25.0), (137.0, 40.0), (136.0, 60.4), 24), 0.22), (1.0, 0.85, 0.60, 0.55))  # line
    for rx, ry, alpha in ((3.0, 0.7, 0.35), (5.5, 1.2, 0.18)):                   # rings where the line enters
        cv.fill(minus(ellipse(136.0, 60.6, rx, ry), ellipse(136.0, 60.6, rx * 0.78, ry * 0.65)), (1.0, 0.85, 0.6, alpha))
    for bx, by, s in ((38.0, 14.0, 1.6), (45.0, 11.0, 1.2), (33.0, 18.5, 1.0)):   # birds
        cv.fill(stroke([(bx - s, by - 0.5 * s), (bx, by), (bx + s, by - 0.6 * s)], 0.45), (0.15, 0.08, 0.14, 0.9))
    return vignette(cv.picture().convert("RGB"), 0.45, 0.04, 7)


# ---------------------------------------------------------------- output

# Resources written by hand rather than drawn here.
HANDWRITTEN = ["help/help.html"]


def main():
    global OUT
    parser = argparse.ArgumentParser(description="Draws Numora's pictures.")
    parser.add_argument("--out", default=ASSETS, help="directory to write into (default: assets/)")
    OUT = os.path.abspath(parser.parse_args().out)
    for size in (32, 48, 64, 128, 256):
        save(draw_icon(size), "icons/numora.png" if size == 32 else "icons/numora-%d.png" % size)
    save(pixels(ICON_16, ICON_COLOURS), "icons/numora-16.png")
    with open(os.path.join(OUT, "icons", "numora.svg"), "w", newline="\n") as f:
        f.write(ICON_SVG)
    WRITTEN.append("icons/numora.svg")

    # Every picture is drawn at twice its size as well, as name@2x.png, for scaled screens.
    # The frames of the top share one palette, so that no colour flickers as it spins.
    for scale, suffix in ((1, ""), (2, "@2x")):
        for f, img in enumerate(quantise([draw_top(f, scale) for f in range(TOP_FRAMES)], 16)):
            save(img, "icons/top_%02d%s.png" % (f, suffix))

    # The end-of-game pictures sit on black: soft edges are blended onto black.
    for name, draw, sizes, colours in (("lost", draw_lost, (32, 16, 64), 16),
                                       ("win", draw_win, (32, 16, 48, 64), 256),
                                       ("draw", draw_draw, (32, 16, 64), 16)):
        for size in sizes:
            fname = "icons/" + name + {32: ".png", 64: "@2x.png"}.get(size, "-%d.png" % size)
            if (name, size) == ("draw", 16):
                save(pixels(DRAW_16, DRAW_COLOURS), fname)
            else:
                save(quantise([draw(size)], colours, cut=0.15, matte=np.zeros(3))[0], fname)

    save(draw_photo(), "about/photo.png")
    save(draw_photo(2), "about/photo@2x.png")
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">', '<qresource prefix="/">']
    lines += ["    <file>%s</file>" % f for f in WRITTEN + HANDWRITTEN]
    lines += ['</qresource>', '</RCC>', '']
    with open(os.path.join(OUT, "assets.qrc"), "w", newline="\n") as f:
        f.write("\n".join(lines))
    for f in WRITTEN:
        print("wrote " + os.path.join(OUT, f))


if __name__ == "__main__":
    main()
