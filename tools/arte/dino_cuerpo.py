"""Dinosaur bodies: pieces built from tubes along smooth spines and
smooth outlines, drawn in a local frame (x forward, y down, ground at 0)
and painted with pillow shading, countershading, skin grain, patterns
and a soft dark outline."""
import numpy as np
from PIL import Image, ImageDraw

from dino_base import Capa, catmull, col, difuminar, mezcla, pegar, ruido, suave

LUZ = np.array([-0.55, -0.7, 0.55], np.float32)
LUZ /= np.linalg.norm(LUZ)


def girar(pts, giro):
    """Points (x, y, extra...) turned by giro = (cx, cy, angle)."""
    if giro is None:
        return pts
    cx, cy, a = giro
    p = np.array(pts, dtype=np.float64)
    x, y = p[:, 0] - cx, p[:, 1] - cy
    c, s = np.cos(a), np.sin(a)
    p[:, 0], p[:, 1] = cx + x * c - y * s, cy + x * s + y * c
    return p


class Pieza:
    def __init__(self, color, vientre=None, patron=None, oscuro=1.0, relieve=1.0, borde=1.0, grano=1.0, giro=None):
        self.giro = giro
        self.prims = []
        self.color = color
        self.vientre = vientre
        self.patron = patron
        self.oscuro = oscuro
        self.relieve = relieve
        self.borde = borde
        self.grano = grano
        self.grosor = []

    def tubo(self, pts, n=16):
        pts = girar(pts, self.giro)
        self.prims.append(('tubo', catmull(pts, n)))
        self.grosor.append(float(np.mean([p[2] for p in pts])) * 2)
        return self

    def forma(self, pts, n=10):
        p = catmull(girar(pts, self.giro), n, cerrado=True)
        self.prims.append(('poli', p))
        self.grosor.append(_grosor(p))
        return self

    def poli(self, pts):
        p = np.asarray(girar(pts, self.giro), np.float64)
        self.prims.append(('poli', p))
        self.grosor.append(_grosor(p))
        return self

    def elipse(self, cx, cy, rx, ry, ang=0.0):
        t = np.linspace(0, 2 * np.pi, 48, endpoint=False)
        x, y = rx * np.cos(t), ry * np.sin(t)
        c, s = np.cos(ang), np.sin(ang)
        p = girar(np.stack([cx + x * c - y * s, cy + x * s + y * c], 1), self.giro)
        self.prims.append(('poli', p))
        self.grosor.append(2 * min(rx, ry))
        return self


def _grosor(p):
    x, y = p[:, 0], p[:, 1]
    area = 0.5 * abs(np.dot(x, np.roll(y, 1)) - np.dot(y, np.roll(x, 1)))
    per = np.sum(np.hypot(np.diff(x, append=x[0]), np.diff(y, append=y[0])))
    return 4 * area / max(1e-6, per)


class Figura:
    """A drawing in the local frame, placed at (ox, oy) with scale s
    (pixels per unit), facing right or mirrored."""

    def __init__(self, ox, oy, s, espejo=False, semilla=1):
        self.ox, self.oy, self.s, self.espejo = ox, oy, s, espejo
        self.piezas = []
        self.detalles = []
        self.pies = []
        self.semilla = semilla
        self.giro = None  # (cx, cy, angle) applied to what is added while set

    def a_px(self, p):
        p = np.asarray(p, np.float64)
        x = p[..., 0] * (-1 if self.espejo else 1)
        return np.stack([self.ox + x * self.s, self.oy + p[..., 1] * self.s], -1)

    def pieza(self, *a, **k):
        p = Pieza(*a, giro=self.giro, **k)
        self.piezas.append(p)
        return p

    # details drawn over the shaded pieces
    def _g(self, pts):
        return girar(pts, self.giro)

    def ojo(self, x, y, r, iris=(200, 150, 40)):
        self.detalles.append(('ojo', tuple(self._g([(x, y)])[0]), r, iris))

    def linea(self, pts, c, ancho):
        self.detalles.append(('linea', self._g(pts), c, ancho))

    def trazo(self, pts, c, a0, a1):
        self.detalles.append(('trazo', self._g(pts), c, a0, a1))

    def mancha(self, pts, c):
        self.detalles.append(('poli', self._g(pts), c))

    def dientes(self, pts, largo, c=(250, 245, 225), abajo=True):
        self.detalles.append(('dientes', self._g(pts), largo, c, abajo))

    def pintar(self, L):
        h, w, _ = L.shape
        for k, p in enumerate(self.piezas):
            _pintar_pieza(L, self, p, self.semilla * 31 + k)
        cp = Capa(w, h)
        s = self.s
        for d in self.detalles:
            if d[0] == 'ojo':
                (x, y), r, iris = d[1], d[2] * s, d[3]
                cx, cy = self.a_px((x, y))
                cp.elipse(cx, cy, r * 1.35, r * 1.2, (25, 18, 12))
                cp.elipse(cx, cy, r, r, iris)
                cp.elipse(cx, cy, r * 0.45, r * 0.8, (10, 8, 6))
                cp.elipse(cx - r * 0.3, cy - r * 0.35, r * 0.28, r * 0.28, (255, 255, 250))
            elif d[0] == 'linea':
                cp.linea([tuple(q) for q in self.a_px(d[1])], d[2], max(1.0, d[3] * s))
            elif d[0] == 'trazo':
                cp.trazo(self.a_px(d[1]), d[2], max(0.8, d[3] * s), max(0.6, d[4] * s))
            elif d[0] == 'poli':
                cp.poli([tuple(q) for q in self.a_px(d[1])], d[2])
            elif d[0] == 'dientes':
                pts, largo, c, abajo = d[1], d[2], d[3], d[4]
                q = self.a_px(pts)
                seg = np.r_[0, np.cumsum(np.hypot(*np.diff(q, axis=0).T))]
                n = int(seg[-1] / max(2.0, largo * s * 0.9))
                for i in range(n):
                    u = (i + 0.5) / n * seg[-1]
                    x = np.interp(u, seg, q[:, 0])
                    y = np.interp(u, seg, q[:, 1])
                    l = largo * s * (0.7 + 0.3 * np.sin(i * 2.1) ** 2)
                    bw = largo * s * 0.35
                    dy = l if abajo else -l
                    cp.poli([(x - bw, y), (x + bw, y), (x + bw * 0.2, y + dy)], c)
        cp.sobre(L)

    def sombra(self, L, fuerza=0.45, color=(20, 25, 10)):
        """Soft contact shadow on the ground under the feet."""
        if not self.pies:
            return
        q = self.a_px(np.asarray(self.pies))
        h, w, _ = L.shape
        x0, x1 = q[:, 0].min(), q[:, 0].max()
        y = q[:, 1].mean()
        cp = Capa(w, h, 1)
        rx = (x1 - x0) / 2 + self.s * 1.2
        cp.elipse((x0 + x1) / 2 + self.s * 0.6, y + self.s * 0.05, rx, self.s * 0.45, (0, 0, 0))
        for x, yy in q:
            cp.elipse(x, yy, self.s * 0.7, self.s * 0.22, (0, 0, 0))
        _, a = cp.resultado()
        a = difuminar(a, self.s * 0.25)
        pegar(L, col(color), np.clip(a, 0, 1) * fuerza)


def _pintar_pieza(L, fig, p, semilla):
    h, w, _ = L.shape
    ss = 3
    polys = []
    for tipo, pts in p.prims:
        q = fig.a_px(pts[:, :2])
        if tipo == 'tubo':
            r = pts[:, 2] * fig.s
            polys.append(('tubo', q, r))
        else:
            polys.append(('poli', q, None))
    allq = np.vstack([q for _, q, _ in polys])
    rmax = max([r.max() for t, _, r in polys if r is not None] + [0])
    sig = max(1.5, float(np.mean(p.grosor)) * fig.s * 0.28 * p.relieve)
    m = int(rmax + sig * 2 + 4)
    x0 = int(max(0, np.floor(allq[:, 0].min()) - m))
    y0 = int(max(0, np.floor(allq[:, 1].min()) - m))
    x1 = int(min(w, np.ceil(allq[:, 0].max()) + m))
    y1 = int(min(h, np.ceil(allq[:, 1].max()) + m))
    if x1 <= x0 or y1 <= y0:
        return
    bw, bh = x1 - x0, y1 - y0
    im = Image.new('L', (bw * ss, bh * ss))
    dr = ImageDraw.Draw(im)
    for tipo, q, r in polys:
        qq = (q - [x0, y0]) * ss
        if tipo == 'tubo':
            d = np.r_[0, np.cumsum(np.hypot(*np.diff(qq, axis=0).T))]
            rr = r * ss
            n = int(d[-1] / max(1.0, rr.min() * 0.25)) + 2
            t = np.linspace(0, d[-1], n)
            xs, ys, rs = np.interp(t, d, qq[:, 0]), np.interp(t, d, qq[:, 1]), np.interp(t, d, rr)
            for x, y, r_ in zip(xs, ys, rs):
                dr.ellipse([x - r_, y - r_, x + r_, y + r_], fill=255)
        else:
            dr.polygon([tuple(v) for v in qq], fill=255)
    A = np.asarray(im.resize((bw, bh), Image.BOX), np.float32) / 255.0
    B = difuminar(A, sig)
    gy, gx = np.gradient(B)
    k = sig * 2.2
    nx, ny, nz = -gx * k, -gy * k, np.full_like(B, 1.0)
    nn = np.sqrt(nx * nx + ny * ny + nz * nz)
    nx, ny, nz = nx / nn, ny / nn, nz / nn
    lx = LUZ[0] * (-1 if getattr(fig, 'luz_izq', True) is False else 1)
    lam = np.clip(nx * lx + ny * LUZ[1] + nz * LUZ[2], 0, 1)
    base = col(p.color) * p.oscuro
    vientre = col(p.vientre) * p.oscuro if p.vientre is not None else np.minimum(1, base * 1.25 + 0.06)
    yy, xx = np.mgrid[y0:y1, x0:x1].astype(np.float32)
    # local coordinates for patterns
    lxx = (xx - fig.ox) / fig.s * (-1 if fig.espejo else 1)
    lyy = (yy - fig.oy) / fig.s
    c = np.empty((bh, bw, 3), np.float32)
    c[:] = base
    arriba = suave(0.25, -0.35, ny)
    pat = p.patron
    if pat:
        tipo = pat[0]
        if tipo == 'rayas':
            frec, pc = pat[1], col(pat[2]) * p.oscuro
            warp = ruido(bw, bh, max(4, fig.s * 0.8), semilla + 5, 3)
            v = np.sin(lxx * frec + lyy * frec * 0.35 + warp * 4.0)
            band = suave(0.25, 0.6, v) * arriba
            c = mezcla(c, pc, band[..., None] * 0.85)
        elif tipo == 'manchas':
            tam, pc = pat[1], col(pat[2]) * p.oscuro
            n = ruido(bw, bh, max(2, tam * fig.s), semilla + 6, 2)
            sp = suave(0.6, 0.66, n) * (0.35 + 0.65 * arriba)
            c = mezcla(c, pc, sp[..., None] * 0.8)
        elif tipo == 'plumaje':
            # overlapping rows of feathers whose tips point backwards
            tam, pc, pc2 = pat[1], col(pat[2]) * p.oscuro, col(pat[3]) * p.oscuro
            warp = ruido(bw, bh, max(4, fig.s * 0.5), semilla + 7, 2)
            a = -lxx / (tam * 0.75) + warp * 0.6
            b = lyy / tam
            fila = np.floor(a)
            b2 = b + 0.5 * (fila % 2)
            fx = b2 - np.floor(b2) - 0.5
            fy = a - fila
            r = np.sqrt(fx * fx + (fy * 0.8) ** 2)
            dentro = suave(0.62, 0.5, r)
            c = mezcla(c, pc, (0.55 * (1 - dentro) + 0.3 * fy * dentro)[..., None] * (0.4 + 0.6 * arriba[..., None]))
            c = mezcla(c, pc2, (dentro * (1 - fy) * 0.35 * arriba)[..., None])
        elif tipo == 'lomo':
            pc = col(pat[1]) * p.oscuro
            c = mezcla(c, pc, arriba[..., None] * 0.75)
    vb = suave(0.05, 0.55, ny)
    c = mezcla(c, vientre, vb[..., None])
    grano = ruido(bw, bh, max(2.0, fig.s * 0.09), semilla + 1, 2)
    mot = ruido(bw, bh, max(6.0, fig.s * 0.6), semilla + 2, 3)
    c *= (1 + p.grano * (0.2 * (grano[..., None] - 0.5) + 0.16 * (mot[..., None] - 0.5)))
    sh = 0.42 + 0.78 * lam
    c *= sh[..., None]
    # warm bounce light from the ground on down-facing edges
    c += (suave(0.3, 0.9, ny) * 0.06)[..., None]
    borde = A * suave(0.9, 0.45, difuminar(A, 1.3))
    c = mezcla(c, base * 0.25, (borde * 0.85 * p.borde)[..., None])
    pegar(L[y0:y1, x0:x1], np.clip(c, 0, 1), A)
