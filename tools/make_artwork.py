#!/usr/bin/env python3
"""Paints the KervaneSettings artwork: the window banner and the application icon.

The banner is drawn in a logical 597 x 159 space and painted twice: at 100 % into
banner.bmp and at 200 % (1194 x 318, every shape and glow drawn at the finer grid,
not enlarged) into banner-200.png.  Everything is drawn procedurally with the
standard library, so running this again gives byte-identical files.  Run from the
repository root:

    python3 tools/make_artwork.py
"""
import math
import os
import struct

from rgb_png import write_rgb_png

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "src", "app", "resources", "art")
W, H = 597, 159


# ---------------------------------------------------------------- helpers
def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smooth(t):
    t = clamp(t)
    return t * t * (3 - 2 * t)


def hexc(s):
    return tuple(int(s[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def ramp(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def Rng(seed):
    """Tiny LCG so the art never depends on Python's random module changing."""
    state = [seed]

    def next_value():
        state[0] = (state[0] * 6364136223846793005 + 1442695040888963407) & (2 ** 64 - 1)
        return (state[0] >> 11) / float(2 ** 53)
    return next_value


def noise_fn(seed, n=64):
    rng = Rng(seed)
    lat = [rng() * 2 - 1 for _ in range(n)]

    def f(x):  # smooth 1-D value noise, octaves summed
        total, amp, freq = 0.0, 1.0, 1.0
        for _ in range(4):
            p = x * freq
            i = math.floor(p)
            u = smooth(p - i)
            total += amp * (lat[i % n] * (1 - u) + lat[(i + 1) % n] * u)
            amp, freq = amp * 0.5, freq * 2.07
        return total
    return f


class Mask:
    """Coverage mask rasterised at ss x ss samples per pixel, then box-filtered.
    Shapes are given in a w x h space that is drawn at `scale` pixels per unit."""
    def __init__(self, w, h, ss=4, scale=1):
        self.w, self.h, self.ss, self.k = w * scale, h * scale, ss, ss * scale
        self.buf = [0.0] * (self.w * ss * self.h * ss)

    def poly(self, contours, clip=None):
        """Even-odd fill of one shape (several contours allowed), OR-ed into the mask."""
        S, K, SW = self.ss, self.k, self.w * self.ss
        edges = []
        for c in contours:
            for i in range(len(c)):
                (x0, y0), (x1, y1) = c[i], c[(i + 1) % len(c)]
                if y0 != y1:
                    edges.append((x0 * K, y0 * K, x1 * K, y1 * K))
        if not edges:
            return
        ylo = min(min(e[1], e[3]) for e in edges)
        yhi = max(max(e[1], e[3]) for e in edges)
        if clip:
            ylo, yhi = max(ylo, clip[0] * K), min(yhi, clip[1] * K)
        one = [1.0] * SW
        for sy in range(max(0, int(ylo)), min(self.h * S, int(math.ceil(yhi)))):
            yc = sy + 0.5
            if yc < ylo or yc > yhi:
                continue
            xs = sorted(x0 + (yc - y0) * (x1 - x0) / (y1 - y0)
                        for x0, y0, x1, y1 in edges if (y0 <= yc) != (y1 <= yc))
            base = sy * SW
            for a, b in zip(xs[::2], xs[1::2]):
                xa, xb = max(0, int(math.ceil(a - 0.5))), min(SW, int(math.ceil(b - 0.5)))
                if xb > xa:
                    self.buf[base + xa:base + xb] = one[:xb - xa]

    def coverage(self):
        S, SW, inv = self.ss, self.w * self.ss, 1.0 / (self.ss * self.ss)
        out = []
        for y in range(self.h):
            acc = [0.0] * SW
            for sy in range(S):
                row = self.buf[(y * S + sy) * SW:(y * S + sy + 1) * SW]
                acc = [a + b for a, b in zip(acc, row)]
            out.extend(sum(acc[x * S:x * S + S]) * inv for x in range(self.w))
        return out


def blur(src, w, h, r, passes=3):
    """Box blur repeated a few times, which is close enough to a gaussian glow."""
    def rows(a, w, h):
        out = []
        for y in range(h):
            row = a[y * w:(y + 1) * w]
            pad = [row[0]] * r + row + [row[-1]] * (r + 1)
            s = sum(pad[:2 * r + 1])
            for x in range(w):
                out.append(s / (2 * r + 1))
                s += pad[x + 2 * r + 1] - pad[x]
        return out

    def transpose(a, w, h):
        return [a[y * w + x] for x in range(w) for y in range(h)]
    a = src
    for _ in range(passes):
        a = transpose(rows(transpose(rows(a, w, h), w, h), h, w), h, w)
    return a


# ---------------------------------------------------------------- lettering
def glyph(ch, T, t, serif):
    """Outline of one capital in a box whose cap height is 1 (y grows downwards)."""
    P = []

    def line(x0, y0, x1, y1, w):
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        ux, uy = dx / ln, dy / ln
        nx, ny, e = -uy * w / 2, ux * w / 2, w / 2
        ax, ay, bx, by = x0 - ux * e, y0 - uy * e, x1 + ux * e, y1 + uy * e
        P.append([[(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)]])

    def curve(pts):
        left, right = [], []
        for i, (x, y, w) in enumerate(pts):
            a, b = pts[max(i - 1, 0)], pts[min(i + 1, len(pts) - 1)]
            dx, dy = b[0] - a[0], b[1] - a[1]
            ln = math.hypot(dx, dy) or 1.0
            nx, ny = -dy / ln * w / 2, dx / ln * w / 2
            left.append((x + nx, y + ny))
            right.append((x - nx, y - ny))
        P.append([left + right[::-1]])

    def arc(cx, cy, rx, ry, a0, a1, wf=None, n=32):
        wf = wf or (lambda a: t + (T - t) * abs(math.cos(a)))
        pts = []
        for i in range(n + 1):
            a = math.radians(a0 + (a1 - a0) * i / n)
            pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a), wf(a)))
        curve(pts)

    def spline(ctrl, n=10):  # Catmull-Rom through (x, y, width) points
        c = [ctrl[0]] + ctrl + [ctrl[-1]]
        pts = []
        for i in range(1, len(c) - 2):
            for k in range(n + (i == len(c) - 3)):
                s = k / n
                pts.append(tuple(0.5 * (2 * c[i][j] + (c[i + 1][j] - c[i - 1][j]) * s
                                        + (2 * c[i - 1][j] - 5 * c[i][j] + 4 * c[i + 1][j] - c[i + 2][j]) * s * s
                                        + (3 * c[i][j] - c[i - 1][j] - 3 * c[i + 1][j] + c[i + 2][j]) * s ** 3)
                                 for j in range(3)))
        curve(pts)

    bar = lambda xa, xb, y: line(xa, y, xb, y, t)
    top = lambda xa, xb: serif and bar(xa, xb, t / 2)
    bot = lambda xa, xb: serif and bar(xa, xb, 1 - t / 2)
    tick = lambda x, ya, yb: serif and line(x, ya, x, yb, t)
    stem = lambda x, ya=0.0, yb=1.0, w=T: line(x, ya, x, yb, w)
    if ch == "V":
        adv = 0.80; line(0.08, 0, 0.40, 1, T); line(0.74, 0, 0.40, 1, t)
        top(-0.04, 0.22); top(0.62, 0.86)
    elif ch == "A":
        adv = 0.82; line(0.40, 0, 0.07, 1, t); line(0.43, 0, 0.76, 1, T); bar(0.22, 0.62, 0.64)
        bot(-0.04, 0.18); bot(0.64, 0.88)
    elif ch == "E":
        adv = 0.64; stem(0.12); bar(0.12, 0.58, t / 2); bar(0.12, 0.50, 0.5); bar(0.12, 0.62, 1 - t / 2)
        tick(0.58, 0, 0.17); tick(0.50, 0.42, 0.58); tick(0.62, 0.82, 1); top(-0.02, 0.12); bot(-0.02, 0.12)
    elif ch == "L":
        adv = 0.60; stem(0.12); bar(0.12, 0.60, 1 - t / 2); tick(0.60, 0.80, 1)
        top(-0.02, 0.27); bot(-0.02, 0.12)
    elif ch == "M":
        adv = 1.0; line(0.10, 0, 0.08, 1, t); line(0.10, 0, 0.50, 1, T); line(0.50, 1, 0.90, 0, t)
        line(0.90, 0, 0.92, 1, T); bot(-0.03, 0.20); bot(0.80, 1.04)
    elif ch == "O":
        adv = 0.92
        ang = [2 * math.pi * i / 64 for i in range(64)]
        P.append([[(0.46 + 0.46 * math.cos(a), 0.5 + 0.5 * math.sin(a)) for a in ang],
                  [(0.46 + (0.46 - T) * math.cos(a), 0.5 + (0.5 - t) * math.sin(a)) for a in ang]])
    elif ch == "R":
        adv = 0.76; stem(0.12); bar(0.12, 0.44, t / 2); arc(0.44, 0.27, 0.22, 0.27 - t / 2, -90, 90)
        bar(0.12, 0.44, 0.54 - t / 2); line(0.40, 0.52, 0.74, 1, T)
        top(-0.02, 0.12); bot(-0.02, 0.26); bot(0.62, 0.86)
    elif ch == "D":
        adv = 0.88; stem(0.12); bar(0.12, 0.42, t / 2); bar(0.12, 0.42, 1 - t / 2)
        arc(0.42, 0.5, 0.34, 0.5 - t / 2, -90, 90); top(-0.02, 0.12); bot(-0.02, 0.12)
    elif ch == "U":
        adv = 0.86; stem(0.12, 0, 0.62); line(0.76, 0, 0.76, 0.62, t)
        arc(0.44, 0.62, 0.32, 0.38 - t / 2, 180, 0, lambda a: t + (T - t) * max(0.0, -math.cos(a)))
        top(-0.02, 0.26); top(0.64, 0.88)
    elif ch == "S":
        adv = 0.62
        spline([(0.56, 0.16, t), (0.32, 0.03, t), (0.11, 0.24, T * 0.8), (0.32, 0.47, T),
                (0.52, 0.70, T * 0.8), (0.32, 0.97, t), (0.06, 0.84, t)])
        tick(0.56, 0.02, 0.20); tick(0.06, 0.80, 0.98)
    elif ch == "K":
        adv = 0.78; stem(0.12); line(0.18, 0.62, 0.70, 0, t); line(0.34, 0.42, 0.76, 1, T)
        top(-0.02, 0.26); bot(-0.02, 0.26); top(0.58, 0.82); bot(0.64, 0.88)
    elif ch == "N":
        adv = 0.88; line(0.10, 0, 0.10, 1, t); line(0.10, 0, 0.78, 1, T); line(0.78, 0, 0.78, 1, t)
        bot(-0.02, 0.22); top(0.66, 0.90)
    elif ch == "T":
        adv = 0.72; bar(0.0, 0.72, t / 2); stem(0.36); bot(0.22, 0.50)
        tick(0.02, 0, 0.17); tick(0.70, 0, 0.17)
    elif ch == "I":
        adv = 0.26; stem(0.13); top(0.0, 0.26); bot(0.0, 0.26)
    elif ch == "G":
        adv = 0.86; arc(0.46, 0.5, 0.38, 0.5 - t / 2, -42, -300)
        stem(0.78, 0.56, 0.94); bar(0.58, 0.90, 0.56); tick(0.80, 0.04, 0.26)
    elif ch == "-":
        adv = 0.48; line(0.08, 0.58, 0.40, 0.58, T * 0.8)
    elif ch == "*":  # a small diamond used as a separator
        adv = 0.5; P.append([[(0.25, 0.36), (0.39, 0.5), (0.25, 0.64), (0.11, 0.5)]])
    else:
        adv = 0.38
    return adv, P


def text_width(s, cap, track):
    return sum(glyph(c, 0.1, 0.1, False)[0] * cap + track * cap for c in s) - track * cap


def draw_text(mask, s, x, baseline, cap, track, T, t, serif):
    top = baseline - cap
    for c in s:
        adv, polys = glyph(c, T, t, serif)
        for contours in polys:
            mask.poly([[(x + px * cap, top + py * cap) for px, py in ctr] for ctr in contours],
                      clip=(top, baseline))
        x += (adv + track) * cap


# ---------------------------------------------------------------- banner
class Canvas:
    """The banner's pixels.  Everything is placed in the logical W x H space and
    sampled at s pixels per logical pixel, so s=2 is the same picture at 200 %."""
    def __init__(self, w, h, s=1):
        self.s, self.w, self.h = s, w * s, h * s
        self.px = [[0.0, 0.0, 0.0] for _ in range(self.w * self.h)]
        # logical coordinates of each column and row: the pixel's centre, and the
        # centre less half a logical pixel (which is the plain index when s=1)
        self.xc = [(i + 0.5) / s for i in range(self.w)]
        self.yc = [(i + 0.5) / s for i in range(self.h)]
        self.xs = [c - 0.5 for c in self.xc]
        self.ys = [c - 0.5 for c in self.yc]

    def blank(self):
        return [0.0] * (self.w * self.h)

    def over(self, cov, colour, k=1.0, add=False):
        """Paint colour (an RGB tuple or a function of the pixel's column and row)
        through a coverage list, either blended over what is there or added on top as light."""
        w = self.w
        for i, c in enumerate(cov):
            a = c * k
            if a > 0.001:
                col = colour(i % w, i // w) if callable(colour) else colour
                p = self.px[i]
                for j in range(3):
                    p[j] += col[j] * a if add else (col[j] - p[j]) * a


def paint_banner(S=1):
    cv = Canvas(W, H, S)
    w, h, xs, ys = cv.w, cv.h, cv.xs, cv.ys
    horizon = 124.0
    sky = [(0.0, hexc("0b0a22")), (0.30, hexc("1d1747")), (0.55, hexc("3f2560")),
           (0.74, hexc("7e3560")), (0.87, hexc("c8533f")), (0.96, hexc("f08c3e")), (1.0, hexc("ffc070"))]
    sun_x = 360.0
    for y in range(h):
        base = ramp(sky, ys[y] / horizon)
        for x in range(w):
            g = math.exp(-((xs[x] - sun_x) / 210.0) ** 2 - ((horizon - ys[y]) / 48.0) ** 2)
            cv.px[y * w + x] = list(mix(base, hexc("ffb868"), 0.55 * g))

    # wisps of cloud, lit from below by the sunken sun
    cloud_noise = noise_fn(11)
    clouds = [(150, 46, 120, 2.6, 0.35), (250, 58, 160, 3.2, 0.40), (420, 72, 190, 3.0, 0.45),
              (90, 84, 140, 3.5, 0.40), (330, 92, 220, 3.6, 0.50), (540, 98, 120, 3.0, 0.40)]
    for cx, cy, ln, th, k in clouds:
        col = mix(hexc("2a1d4e"), hexc("ff9e66"), smooth((cy - 40) / 70.0))
        cov = cv.blank()
        for y in range(max(0, int((cy - 4 * th) * S)), min(h, int((cy + 4 * th) * S))):
            for x in range(max(0, int((cx - 1.3 * ln) * S)), min(w, int((cx + 1.3 * ln) * S))):
                lx = xs[x]
                u = (lx - cx) / ln
                v = (ys[y] - cy - 0.04 * (lx - cx) - 2.0 * cloud_noise(lx / 40.0 + cx)) / th
                cov[y * w + x] = math.exp(-u ** 4 - v * v) * (0.55 + 0.45 * cloud_noise(lx / 13.0 + cy))
        cv.over([clamp(c) for c in cov], col, k)

    # stars, thinning out as the sky warms towards the horizon; each one lights a
    # logical pixel's area wherever it falls, the brightest with a small cross
    rng = Rng(1977)
    stars = cv.blank()
    moon = (522.0, 40.0, 15.0)
    for _ in range(190):
        x, y, b = rng() * (W - 2), rng() ** 1.5 * 104, rng() ** 3
        b = (0.25 + 0.75 * b) * clamp(1.0 - y / 105.0) ** 1.3
        if math.hypot(x - moon[0], y - moon[1]) < 30:
            continue
        x, y = x * S, y * S
        ix, iy, fx, fy = int(x), int(y), x - int(x), y - int(y)
        wx, wy = [1 - fx] + [1.0] * (S - 1) + [fx], [1 - fy] + [1.0] * (S - 1) + [fy]
        for dy in range(S + 1):
            for dx in range(S + 1):
                stars[(iy + dy) * w + ix + dx] += b * (wx[dx] * wy[dy])
        if b > 0.7:
            for d, k in ((1, 0.35), (2, 0.12)):
                for dx, dy in ((d, 0), (-d, 0), (0, d), (0, -d)):
                    for py in range(iy + dy * S, iy + dy * S + S):
                        for px in range(ix + dx * S, ix + dx * S + S):
                            if 0 <= px < w and 0 <= py < h:
                                stars[py * w + px] += b * k
    cv.over(stars, hexc("fff1de"), 0.9, add=True)

    # crescent moon with a soft halo; the lit limb faces the set sun (lower left)
    mx, my, mr = moon
    halo, lit, dark = cv.blank(), cv.blank(), cv.blank()
    for y in range(h):
        for x in range(w):
            d = math.hypot(cv.xc[x] - mx, cv.yc[y] - my)
            halo[y * w + x] = 0.32 * math.exp(-max(0.0, d - mr) / 12.0) + 0.10 * math.exp(-d / 70.0)
            disc = clamp((mr - d) * S + 0.5)
            if disc > 0:
                sh = clamp((mr * 0.93 - math.hypot(cv.xc[x] - mx - 6.5, cv.yc[y] - my + 5.0)) * S + 0.5)
                lit[y * w + x], dark[y * w + x] = disc * (1 - sh), disc * sh
    cv.over(halo, hexc("b8a4e8"), add=True)
    cv.over(dark, hexc("2a2452"), 0.55)
    cv.over(lit, lambda x, y: mix(hexc("fff6dc"), hexc("f2c98a"),
                                  clamp((xs[x] - mx + ys[y] - my + mr) / (3 * mr))))

    # mountain ranges, far to near, with valley mist between them
    castle_x = 468.0
    ranges = [  # seed, base, amplitude, scale, body colour, rim colour, mist colour
        (3, 110, 19, 95.0, hexc("5a3466"), hexc("e08a66"), hexc("c06a66")),
        (7, 127, 12, 70.0, hexc("2e1c42"), hexc("8a4456"), hexc("6b3553")),
        (5, 145, 8, 45.0, hexc("120c1f"), hexc("3c2038"), None),
    ]
    ridges = []
    for n, (seed, base, amp, scale, body, rim, mist) in enumerate(ranges):
        nz = noise_fn(seed)

        def ridge(x, nz=nz, base=base, amp=amp, scale=scale, n=n):
            h = base + amp * nz(x / scale + 3.1 * n)
            if n == 1:  # a knoll for the castle to stand on
                h = min(h, 117 + ((x - castle_x) / 36.0) ** 2 * 10)
            return h
        ridges.append(ridge)
        cov = cv.blank()
        for x in range(w):
            hs = [ridge((x + (k + 0.5) / 4) / S) for k in range(4)]
            for y in range(int(min(hs) * S), h):
                cov[y * w + x] = sum(clamp(y + 1 - r * S) for r in hs) / 4
        hs = [ridge(c) for c in cv.xc]
        cv.over(cov, lambda x, y: mix(body, rim, 0.8 * math.exp(-(ys[y] - hs[x]) / 5.0)
                                      * (0.4 + 0.6 * math.exp(-((xs[x] - sun_x) / 260.0) ** 2))))
        if n == 1:
            paint_castle(cv, castle_x, ridge(castle_x) + 1, body)
        if mist:
            y0 = base - amp * 0.2
            fade = [smooth((v - y0) / 34.0) for v in ys]
            cv.over([fade[i // w] for i in range(w * h)], mist, 0.45)

    # pines along the nearest ridge
    trees, rng = Mask(W, H, scale=S), Rng(4242)
    for _ in range(46):
        x = rng() * W
        if 200 < x < 380 and rng() < 0.7:
            continue
        th, gy = 5 + rng() * 10, ridges[2](x) + 2
        for k in range(3):
            ty, bw = gy - th * (0.35 + 0.32 * k), th * (0.42 - 0.1 * k)
            trees.poly([[(x - bw, ty + th * 0.42), (x, ty - th * 0.18), (x + bw, ty + th * 0.42)]])
        trees.poly([[(x - 0.6, gy), (x - 0.6, gy - th), (x + 0.6, gy - th), (x + 0.6, gy)]])
    cv.over(trees.coverage(), hexc("0f0a1a"))

    # vignette, then a thin ember rule along the bottom edge (one logical pixel high)
    for i, p in enumerate(cv.px):
        x, y = xs[i % w], ys[i // w]
        v = ((x - W * 0.5) / (W * 0.58)) ** 2 + ((y - H * 0.42) / (H * 0.9)) ** 2
        f = 1.0 - 0.55 * smooth((v - 0.35) / 0.9)
        p[:] = [c * f for c in p]
    for x in range(w):
        k = math.exp(-((xs[x] - W / 2) / (W * 0.38)) ** 2)
        for y in range(h - S, h):
            p = cv.px[y * w + x]
            p[:] = mix(p, hexc("f0a050"), 0.75 * k)
        for y in range(h - 2 * S, h - S):
            p = cv.px[y * w + x]
            p[:] = mix(p, hexc("07050e"), 0.6)

    paint_titles(cv)
    return cv


def paint_castle(cv, cx, gy, colour):
    S, w, h = cv.s, cv.w, cv.h
    m, k = Mask(W, H, scale=S), 0.9
    rect = lambda x0, y0, x1, y1: m.poly([[(cx + k * x0, gy + k * y0), (cx + k * x1, gy + k * y0),
                                            (cx + k * x1, gy + k * y1), (cx + k * x0, gy + k * y1)]])
    roof = lambda x0, x1, y0, tip: m.poly([[(cx + k * x0, gy + k * y0), (cx + k * (x0 + x1) / 2, gy + k * tip),
                                            (cx + k * x1, gy + k * y0)]])
    rect(-34, -13, 34, 18)
    for x in range(-34, 34, 6):
        rect(x, -16, x + 3, -12)
    rect(-40, -27, -29, 18); roof(-42, -27, -27, -42)
    rect(27, -23, 37, 18); roof(25, 39, -23, -36)
    rect(-14, -33, 11, -12)
    for x in range(-14, 11, 5):
        rect(x, -36, x + 3, -32)
    rect(-4.5, -52, 4.5, -33); roof(-7, 7, -52, -72); rect(-0.4, -77, 0.4, -71)
    cv.over(m.coverage(), lambda x, y: mix(colour, hexc("1c1030"), 0.3 * smooth((gy + 2 - cv.ys[y]) / 10.0)))
    # lit windows: each one logical pixel wide and two high, on the logical pixel grid
    glow = cv.blank()
    for wx, wy in ((-35, -19), (31, -15), (-6, -25), (3, -25), (0, -45), (-20, -5), (16, -4)):
        gx0, gy0 = int(cx + k * wx) * S, int(gy + k * wy) * S
        for y in range(gy0, gy0 + 2 * S):
            for x in range(gx0, gx0 + S):
                glow[y * w + x] = 1.0
    cv.over(blur(glow, w, h, S, 2), hexc("ff9a40"), 1.6, add=True)
    cv.over(glow, hexc("ffd088"))


def paint_titles(cv):
    S, w, h = cv.s, cv.w, cv.h
    title, cap, track = "VAELMOOR", 50.0, 0.10
    tw = text_width(title, cap, track)
    x0, base = 36.0, 80.0
    m = Mask(W, H, scale=S)
    draw_text(m, title, x0, base, cap, track, 0.165, 0.06, True)
    tmask = m.coverage()

    sub, scap, strack = "DUSKRUNE * KERVANE SETTINGS", 10.5, 0.42
    sw = text_width(sub, scap, strack)
    sx, sbase = x0 + (tw - sw) / 2, 110.0
    m = Mask(W, H, scale=S)
    draw_text(m, sub, sx, sbase, scap, strack, 0.17, 0.12, False)
    # a fine rule between the two lines, fading out at both ends, with a centred diamond
    ry, cxr = 92.0, x0 + tw / 2
    m.poly([[(cxr, ry - 3.5), (cxr + 3.5, ry), (cxr, ry + 3.5), (cxr - 3.5, ry)]])
    smask = m.coverage()
    for x in range(int((cxr - tw * 0.55) * S), int((cxr + tw * 0.55) * S)):
        a = 0.8 * (1 - smooth(abs(cv.xc[x] - cxr) / (tw * 0.55)) ** 2)
        for y in range(int(ry) * S, int(ry) * S + S):
            i = y * w + x
            smask[i] = max(smask[i], a)

    both = [max(a, b) for a, b in zip(tmask, smask)]
    cv.over(blur(tmask, w, h, 7 * S), hexc("ff7a30"), 0.55, add=True)
    cv.over(blur(smask, w, h, 3 * S), hexc("ff9a50"), 0.35, add=True)
    shift = 2 * S * w + 2 * S  # two logical pixels down and to the right
    shadow = blur(both[-shift:] + both[:-shift], w, h, 2 * S)
    cv.over([clamp(s * 1.6) for s in shadow], hexc("0a0510"), 0.75)
    edge = blur(tmask, w, h, S, 1)
    cv.over([clamp(e * 2.2) for e in edge], hexc("3a160c"), 0.85)
    top = base - cap
    cv.over(tmask, lambda x, y: ramp([(0.0, hexc("fff7dc")), (0.45, hexc("f6d487")),
                                      (0.75, hexc("e59a45")), (1.0, hexc("b8612a"))], (cv.ys[y] - top) / cap))
    cv.over(smask, hexc("f3e4c8"))


# ---------------------------------------------------------------- icon
def paint_icon(n, ss):
    """The emblem: a gilt shield holding a crescent moon over a dark peak at dusk.
    ss=1 gives hard pixel edges, which suit the 16-colour images better."""
    o = {16: 1, 32: 1, 48: 2}[n] / n      # dark outline and gold border, whole pixels
    b = {16: 1, 32: 2, 48: 3}[n] / n

    def shield(d):
        l, r, top, tip = 0.0625 + d, 0.9375 - d, 0.0625 + d, 0.98 - 1.5 * d
        pts = [(l, top), (r, top), (r, 0.50)]
        for i in range(1, 13):  # quadratic curve down to the point
            s = i / 12.0
            pts.append(((1 - s) ** 2 * r + 2 * s * (1 - s) * r + s * s * 0.5,
                        (1 - s) ** 2 * 0.50 + 2 * s * (1 - s) * 0.80 + s * s * tip))
        pts += [(1 - x, y) for x, y in reversed(pts[3:-1])] + [(l, 0.50)]
        return [(x * n, y * n) for x, y in pts]

    def cov(*shapes):
        m = Mask(n, n, ss)
        for s in shapes:
            m.poly(s)
        return m.coverage()
    outer, gold, field = cov([shield(0)]), cov([shield(o)]), cov([shield(o + b)])
    mr = 0.16 if n > 16 else 0.19
    mc = (0.62, 0.29) if n > 16 else (0.61, 0.31)
    circle = lambda cx, cy, r, k=48: [[((cx + r * math.cos(a)) * n, (cy + r * math.sin(a)) * n)
                                       for a in (2 * math.pi * i / k for i in range(k))]]
    disc = cov(circle(mc[0], mc[1], mr))
    bite = cov(circle(mc[0] + mr * 0.45, mc[1] - mr * 0.40, mr * 0.86))
    peak = cov([[(x * n, y * n) for x, y in ((0.0, 1.0), (0.0, 0.78), (0.20, 0.66), (0.40, 0.50),
                                             (0.56, 0.64), (0.70, 0.56), (1.0, 0.80), (1.0, 1.0))]])
    star = cov([[(x * n, y * n) for x, y in ((0.28, 0.13), (0.30, 0.20), (0.37, 0.22), (0.30, 0.24),
                                             (0.28, 0.31), (0.26, 0.24), (0.19, 0.22), (0.26, 0.20))]]
               ) if n > 32 else [0.0] * (n * n)
    sky = [(0.0, hexc("16113c")), (0.35, hexc("3f2462")), (0.52, hexc("a23e55")),
           (0.66, hexc("ee8238")), (0.80, hexc("ffc46c"))]
    pixels = []
    for i in range(n * n):
        y = (i // n + 0.5) / n
        c = hexc("1c0f1c")
        c = mix(c, mix(hexc("ffe7a0"), hexc("c0782c"), y), gold[i])
        f = field[i]
        c = mix(c, ramp(sky, (y - 0.1) / 0.8), f)
        c = mix(c, hexc("fff0c4"), f * disc[i] * (1 - bite[i]))
        c = mix(c, hexc("130c22"), f * peak[i])
        c = mix(c, hexc("ffe9c0"), f * star[i])
        pixels.append((c, outer[i]))
    return pixels


VGA16 = [hexc(h) for h in ("000000", "800000", "008000", "808000", "000080", "800080", "008080",
                           "c0c0c0", "808080", "ff0000", "00ff00", "ffff00", "0000ff", "ff00ff",
                           "00ffff", "ffffff")]


def nearest(c, pal):
    rm = (c[0] + 0.5) / 2  # a cheap perceptual weighting
    return min(range(len(pal)), key=lambda k: (2 + rm) * (c[0] - pal[k][0]) ** 2 + 4 * (c[1] - pal[k][1]) ** 2
               + (3 - rm) * (c[2] - pal[k][2]) ** 2)


def saturate(c, k=1.7):
    """Push muted colours towards the bold VGA hues so gold stays yellow, not grey."""
    g = sum(c) / 3
    return tuple(clamp(g + (v - g) * k) for v in c)


def median_cut(colours, count):
    boxes = [sorted(set(colours))]
    while len(boxes) < count:
        boxes.sort(key=lambda bx: -len(bx))
        bx = boxes[0]
        if len(bx) < 2:
            break
        ch = max(range(3), key=lambda j: max(c[j] for c in bx) - min(c[j] for c in bx))
        bx = sorted(bx, key=lambda c: (c[ch], c))
        boxes[0:1] = [bx[:len(bx) // 2], bx[len(bx) // 2:]]
    return sorted(tuple(sum(c[j] for c in bx) / len(bx) for j in range(3)) for bx in boxes)


def to8(c):
    return tuple(int(round(clamp(v) * 255)) for v in c)


def icon_entry(pixels, n, bpp):
    opaque = [a >= 0.5 for _, a in pixels]
    if bpp == 32:
        rows = [b"".join(bytes((*to8(c)[::-1], int(round(a * 255)))) if a > 0 else b"\0\0\0\0"
                         for c, a in pixels[y * n:(y + 1) * n]) for y in range(n)]
        pal = b""
    else:
        if bpp == 4:
            pal = VGA16
        else:
            pal = [(0.0, 0.0, 0.0)] + median_cut([to8(c) for (c, a), o in zip(pixels, opaque) if o], 255)
            pal = [pal[0]] + [tuple(v / 255 for v in c) for c in pal[1:]]
            pal += [(0.0, 0.0, 0.0)] * (256 - len(pal))
        look = saturate if bpp == 4 else (lambda c: c)
        idx = [nearest(look(c), pal) if o else 0 for (c, a), o in zip(pixels, opaque)]
        rows = []
        for y in range(n):
            r = idx[y * n:(y + 1) * n]
            rows.append(bytes(r) if bpp == 8 else bytes(r[x] << 4 | r[x + 1] for x in range(0, n, 2)))
        pal = b"".join(bytes((*to8(c)[::-1], 0)) for c in pal)
    pad = lambda r: r + b"\0" * (-len(r) % 4)
    xor = b"".join(pad(r) for r in reversed(rows))
    mask_rows = []
    for y in range(n):
        bits = [0 if o else 1 for o in opaque[y * n:(y + 1) * n]]
        mask_rows.append(bytes(sum(bits[x + k] << (7 - k) for k in range(8) if x + k < n)
                               for x in range(0, n, 8)))
    andm = b"".join(pad(r) for r in reversed(mask_rows))
    hdr = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, bpp, 0, len(xor) + len(andm), 0, 0, 0, 0)
    return hdr + pal + xor + andm


def write_icon(path):
    smooth_px = {n: paint_icon(n, 6) for n in (48, 32, 16)}
    crisp_px = {n: paint_icon(n, 1) for n in (48, 32, 16)}
    entries = [(n, bpp, icon_entry(crisp_px[n] if bpp == 4 else smooth_px[n], n, bpp))
               for bpp in (4, 8, 32) for n in (48, 32, 16)]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for n, bpp, data in entries:
        out += struct.pack("<BBBBHHII", n, n, 16 if bpp == 4 else 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(d for _, _, d in entries))


def write_bmp(path, cv):
    bayer = [0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5]  # ordered dither hides banding
    rows = []
    for y in range(cv.h - 1, -1, -1):
        row = bytearray()
        for x in range(cv.w):
            d = (bayer[(y % 4) * 4 + x % 4] + 0.5) / 16.0
            r, g, b = (int(clamp(v) * 255 + d) for v in cv.px[y * cv.w + x])
            row += bytes((min(b, 255), min(g, 255), min(r, 255), 255))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, cv.w, cv.h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + pixels)


def write_png(path, cv):
    """The 200 % banner as a 24-bit RGB PNG.  No dither: at this size the sky's 8-bit
    steps are a few pixels apart and do not show, and dither noise would not compress."""
    rows = [bytes(int(clamp(v) * 255 + 0.5) for p in cv.px[y * cv.w:(y + 1) * cv.w] for v in p)
            for y in range(cv.h)]
    write_rgb_png(path, cv.w, cv.h, rows)


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp(os.path.join(OUT, "banner.bmp"), paint_banner())
    write_png(os.path.join(OUT, "banner-200.png"), paint_banner(2))
    write_icon(os.path.join(OUT, "KervaneSettings.ico"))


if __name__ == "__main__":
    main()
