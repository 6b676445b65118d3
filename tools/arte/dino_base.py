"""Painting primitives shared by the dinosaur pictures: noise, blur,
smooth curves and antialiased layers composited onto a float canvas."""
import numpy as np
from PIL import Image, ImageDraw

SS = 3  # supersampling of drawn layers


def mezcla(a, b, t):
    return a + (b - a) * t


def suave(e0, e1, x):
    t = np.clip((x - e0) / (e1 - e0), 0.0, 1.0)
    return t * t * (3 - 2 * t)


def col(c):
    return np.array(c, dtype=np.float32) / 255.0


def _caja(a, r, eje):
    n = a.shape[eje]
    pad = [(0, 0)] * a.ndim
    pad[eje] = (r + 1, r)
    c = np.cumsum(np.pad(a, pad, mode='edge'), axis=eje, dtype=np.float64)
    hi = np.take(c, np.arange(2 * r + 1, 2 * r + 1 + n), axis=eje)
    lo = np.take(c, np.arange(0, n), axis=eje)
    return ((hi - lo) / (2 * r + 1)).astype(np.float32)


def redim(a, w, h, filtro=Image.BILINEAR):
    return np.asarray(Image.fromarray(a.astype(np.float32), 'F').resize((w, h), filtro), dtype=np.float32)


def difuminar(a, sigma):
    """Approximate Gaussian blur of a 2-D float array (three box passes;
    large radii are blurred on a reduced copy)."""
    if sigma < 0.5:
        return a.astype(np.float32)
    h, w = a.shape
    f = int(max(1, sigma // 4))
    b = a.astype(np.float32)
    if f > 1:
        b = redim(b, max(1, w // f), max(1, h // f), Image.BOX)
    s = sigma / f
    r = max(1, int(round((np.sqrt(4 * s * s + 1) - 1) / 2)))
    for _ in range(3):
        b = _caja(_caja(b, r, 0), r, 1)
    if f > 1:
        b = redim(b, w, h, Image.BILINEAR)
    return b


def ruido(w, h, celda, semilla, octavas=4, persistencia=0.5):
    """Fractal value noise in about 0..1, the coarsest cell `celda` px."""
    g = np.random.default_rng(semilla)
    total = np.zeros((h, w), np.float32)
    amp, suma = 1.0, 0.0
    c = float(celda)
    for _ in range(octavas):
        gw, gh = int(w / c) + 3, int(h / c) + 3
        rej = g.random((gh, gw)).astype(np.float32)
        big = redim(rej, int(gw * c), int(gh * c), Image.BICUBIC)
        ox, oy = int(g.integers(0, max(1, int(c)))), int(g.integers(0, max(1, int(c))))
        total += amp * big[oy:oy + h, ox:ox + w]
        suma += amp
        amp *= persistencia
        c = max(1.0, c / 2)
    return np.clip(total / suma, 0, 1)


def catmull(pts, n=None, cerrado=False):
    """Catmull-Rom curve through points (x, y, extra...), dense samples."""
    p = np.asarray(pts, dtype=np.float64)
    if cerrado:
        p = np.vstack([p[-1:], p, p[:2]])
    else:
        p = np.vstack([2 * p[0] - p[1], p, 2 * p[-1] - p[-2]])
    segs = len(p) - 3
    if n is None:
        n = 24
    out = []
    for i in range(segs):
        p0, p1, p2, p3 = p[i], p[i + 1], p[i + 2], p[i + 3]
        t = np.linspace(0, 1, n, endpoint=False)[:, None]
        t2, t3 = t * t, t * t * t
        out.append(0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2
                          + (-p0 + 3 * p1 - 3 * p2 + p3) * t3))
    if not cerrado:
        out.append(p[-2][None])
    return np.vstack(out)


class Capa:
    """A supersampled RGB layer with its coverage mask; drawing is in
    canvas pixels. Composited premultiplied (black background)."""

    def __init__(self, w, h, ss=SS):
        self.w, self.h, self.ss = w, h, ss
        self.rgb = Image.new('RGB', (w * ss, h * ss))
        self.m = Image.new('L', (w * ss, h * ss))
        self.dr = ImageDraw.Draw(self.rgb)
        self.dm = ImageDraw.Draw(self.m)

    def _p(self, pts):
        s = self.ss
        return [(float(x) * s, float(y) * s) for x, y in pts]

    @staticmethod
    def _c(c):
        if isinstance(c, np.ndarray) or (isinstance(c, (tuple, list)) and max(c) <= 1.0 and any(isinstance(v, float) for v in c)):
            return tuple(int(round(min(1, max(0, v)) * 255)) for v in c)
        return tuple(int(v) for v in c)

    def poli(self, pts, c):
        p = self._p(pts)
        if len(p) >= 3:
            self.dr.polygon(p, fill=self._c(c))
            self.dm.polygon(p, fill=255)

    def elipse(self, cx, cy, rx, ry, c):
        s = self.ss
        b = [(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s]
        self.dr.ellipse(b, fill=self._c(c))
        self.dm.ellipse(b, fill=255)

    def linea(self, pts, c, ancho):
        p = self._p(pts)
        wd = max(1, int(round(ancho * self.ss)))
        self.dr.line(p, fill=self._c(c), width=wd, joint='curve')
        self.dm.line(p, fill=255, width=wd, joint='curve')

    def trazo(self, pts, c, a0, a1):
        """A stroke tapering from width a0 to a1 (one polygon, round start)."""
        pts = np.asarray(pts, dtype=np.float64)
        d = np.r_[0, np.cumsum(np.hypot(*np.diff(pts, axis=0).T))]
        L = d[-1]
        cc = self._c(c)
        s = self.ss
        if L <= 0:
            return
        n = int(np.clip(L / 3, 3, 24))
        t = np.linspace(0, L, n)
        xs, ys = np.interp(t, d, pts[:, 0]), np.interp(t, d, pts[:, 1])
        dx, dy = np.gradient(xs), np.gradient(ys)
        nn = np.hypot(dx, dy) + 1e-9
        r = (a0 + (a1 - a0) * t / L) * 0.5
        nx, ny = -dy / nn * r, dx / nn * r
        poli = list(zip((xs + nx) * s, (ys + ny) * s)) + list(zip((xs - nx)[::-1] * s, (ys - ny)[::-1] * s))
        self.dr.polygon(poli, fill=cc)
        self.dm.polygon(poli, fill=255)
        r0 = a0 * 0.5 * s
        b = [xs[0] * s - r0, ys[0] * s - r0, xs[0] * s + r0, ys[0] * s + r0]
        self.dr.ellipse(b, fill=cc)
        self.dm.ellipse(b, fill=255)

    def resultado(self):
        rgb = np.asarray(self.rgb.resize((self.w, self.h), Image.BOX), dtype=np.float32) / 255.0
        a = np.asarray(self.m.resize((self.w, self.h), Image.BOX), dtype=np.float32) / 255.0
        return rgb, a

    def sobre(self, lienzo, opacidad=1.0, textura=0.22, semilla=0):
        rgb, a = self.resultado()
        if textura:
            n = ruido(self.w, self.h, 3, semilla + 977, 2)
            m = ruido(self.w, self.h, 14, semilla + 978, 2)
            rgb = rgb * (1 + textura * (n - 0.5) + textura * 0.8 * (m - 0.5))[..., None]
        lienzo *= (1 - a * opacidad)[..., None]
        lienzo += rgb * opacidad
        return a


def pegar(lienzo, color, alfa):
    """Paint `color` (RGB triple or image) through coverage `alfa`."""
    a = alfa[..., None]
    lienzo *= (1 - a)
    lienzo += np.asarray(color, np.float32) * a
