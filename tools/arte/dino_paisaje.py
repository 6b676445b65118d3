"""Landscapes for the dinosaur pictures: sky, clouds, mountains, volcanoes,
water, textured ground and the plants of the age (conifers, cycads,
tree ferns, ferns, horsetails), all painted from seeded noise."""
import numpy as np
from PIL import Image

from dino_base import Capa, col, mezcla, pegar, ruido, suave, redim


def ruido_est(w, h, celda, semilla, sx=1.0, sy=1.0, octavas=4):
    """Noise stretched by 1/sx across and 1/sy down (streaks, layers)."""
    n = ruido(max(2, int(w * sx)), max(2, int(h * sy)), celda, semilla, octavas)
    return redim(n, w, h, Image.BICUBIC)


def perfil(w, celda, semilla, octavas=5, persistencia=0.5):
    """A 1-D fractal profile in about -1..1 (ridges, shores)."""
    g = np.random.default_rng(semilla)
    x = np.arange(w, dtype=np.float64)
    tot = np.zeros(w)
    amp, suma, c = 1.0, 0.0, float(celda)
    for _ in range(octavas):
        n = int(w / c) + 3
        v = g.random(n) * 2 - 1
        u = x / c + g.random()
        i = np.floor(u).astype(int)
        f = u - i
        f = f * f * (3 - 2 * f)
        tot += amp * (v[i] * (1 - f) + v[i + 1] * f)
        suma += amp
        amp *= persistencia
        c = max(1.0, c / 2)
    return tot / suma


def cielo(w, h, arriba, horizonte, y_hor, semilla, sol=None, nubes=0.5,
          c_nube=(255, 250, 240), c_sombra=(170, 170, 190), celda=220):
    """Gradient sky with a sun glow and shaded drifting clouds."""
    y = np.linspace(0, 1, h, dtype=np.float32)[:, None] * (h / max(1, y_hor))
    t = np.clip(y, 0, 1) ** 0.8
    L = np.empty((h, w, 3), np.float32)
    L[:] = mezcla(col(arriba), col(horizonte), t[..., None])
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    if sol is not None:
        sx, sy, sr, sc = sol
        d = np.hypot(xx - sx, (yy - sy) * 1.1)
        glow = np.exp(-d / (sr * 5.0))[..., None]
        L = mezcla(L, col(sc), glow * 0.55)
        disco = suave(sr + 1.5, sr - 1.5, d)[..., None]
        L = mezcla(L, np.minimum(1, col(sc) * 0.3 + 0.75), disco)
    if nubes > 0:
        n = ruido_est(w, h, celda, semilla, sx=0.45, sy=1.2, octavas=6)
        n2 = ruido_est(w, h, celda, semilla, sx=0.45, sy=1.2, octavas=6)
        n2 = np.roll(n2, -int(celda * 0.08), axis=0)  # sampled lower: shading
        alto = suave(1.15, 0.2, y)  # thinner near the horizon
        th = 0.58 - nubes * 0.22
        dens = suave(th, th + 0.16, n) * alto
        sh = suave(-0.06, 0.06, n - n2)
        c = mezcla(col(c_sombra), col(c_nube), sh[..., None])
        if sol is not None:
            c = mezcla(c, np.minimum(1, col(sol[3]) * 1.1), (glow * 0.6))
        L = mezcla(L, c, dens[..., None] * 0.95)
    # high thin streaks so no stretch of sky is flat
    ci = ruido_est(w, h, 90, semilla + 9, sx=0.12, sy=1.0, octavas=5)
    velo = suave(0.52, 0.72, ci) * suave(1.0, 0.3, y) * 0.35
    L = mezcla(L, np.minimum(1, col(c_nube) * 0.97), velo[..., None])
    fino = ruido(w, h, 6, semilla + 7, 3)
    trazos = ruido_est(w, h, 24, semilla + 8, sx=0.15, sy=1.0, octavas=3)
    L *= (0.975 + 0.03 * fino + 0.03 * trazos)[..., None]
    return L


def montes(L, base, alto, color, bruma, semilla, celda=260, rugoso=0.55,
           nieve=None, luz=-1, niebla=0.5):
    """A mountain range whose ridge rises `alto` px above row `base`,
    shaded by slope and fading into `bruma` at its foot."""
    h, w, _ = L.shape
    p = perfil(w, celda, semilla, 6, rugoso)
    p = (p - p.min()) / max(1e-6, p.max() - p.min())
    cresta = base - alto * p
    yy = np.arange(h, dtype=np.float32)[:, None]
    m = np.clip(yy - cresta[None, :] + 0.5, 0, 1)
    pend = np.gradient(cresta)
    lado = np.clip(0.5 + luz * pend[None, :] * 0.9, 0, 1)
    roc = ruido(w, h, 70, semilla + 1, 6, 0.55)
    gy, gx = np.gradient(roc)
    rel = np.clip(0.5 + luz * gx * 90 - gy * 35, 0, 1)
    prof0 = np.clip((yy - cresta[None, :]) / max(1, alto * 0.5), 0, 1)
    lado = mezcla(lado, rel, 0.35 + 0.3 * prof0)
    vet = ruido_est(w, h, 40, semilla + 2, sx=1.0, sy=0.5, octavas=4)
    c = col(color)[None, None] * (0.72 + 0.45 * lado[..., None]) * (0.92 + 0.16 * vet[..., None])
    prof = np.clip((yy - cresta[None, :]) / max(1, alto), 0, 1.2)
    if nieve is not None:
        sn = suave(0.22, 0.1, prof + (vet - 0.5) * 0.25) * suave(0.55, 0.8, p)[None, :]
        c = mezcla(c, col(nieve) * (0.85 + 0.2 * lado[..., None]), sn[..., None])
    c = mezcla(c, col(bruma), (np.clip(prof, 0, 1) ** 1.5 * niebla)[..., None])
    pegar(L, c, m)
    return cresta


def volcan(L, cx, base, ancho, alto, color, bruma, semilla, humo=(110, 100, 100),
           lava=(255, 120, 30)):
    """A cone with a glowing crater, lava runs and a smoke plume."""
    h, w, _ = L.shape
    g = np.random.default_rng(semilla)
    x = np.arange(w, dtype=np.float32)
    u = np.abs(x - cx) / (ancho / 2)
    top = 0.09
    perfil_ = np.where(u < top, 1.0 - 0.04 * (1 - u / top), np.clip(1 - (u - top) / (1 - top), 0, 1) ** 1.4)
    perfil_ += perfil(w, 40, semilla, 4) * 0.04 * (u < 1.05)
    cresta = base - alto * perfil_
    yy = np.arange(h, dtype=np.float32)[:, None]
    m = np.clip(yy - cresta[None, :] + 0.5, 0, 1) * (u < 1.2)[None, :]
    vet = ruido_est(w, h, 50, semilla + 2, sx=1.0, sy=0.2, octavas=5)
    lado = np.clip(0.5 - (x - cx)[None, :] / ancho * 1.2, 0.1, 1)
    c = col(color)[None, None] * (0.7 + 0.5 * lado[..., None] * (0.6 + 0.7 * vet[..., None]))
    prof = np.clip((yy - cresta[None, :]) / alto, 0, 1)
    # lava runs down from the crater
    rios = np.zeros((h, w), np.float32)
    for k in range(4):
        x0 = cx + g.uniform(-0.06, 0.06) * ancho
        dx = g.uniform(-0.3, 0.3) * ancho
        ys = np.arange(h, dtype=np.float32)
        xc = x0 + dx * np.clip((ys - (base - alto)) / alto, 0, 1) ** 1.3 + perfil(h, 30, semilla + 10 + k, 3) * 8
        wid = 2.5 + 2.5 * g.random()
        fade = suave(base - alto * g.uniform(0.3, 0.6), base - alto * 0.95, ys)
        rios = np.maximum(rios, np.exp(-((x[None, :] - xc[:, None]) / wid) ** 2) * fade[:, None])
    c = mezcla(c, col(lava), (rios * (0.6 + 0.4 * vet))[..., None])
    c = mezcla(c, col(bruma), (prof ** 1.6 * 0.45)[..., None])
    pegar(L, c, m)
    # crater glow and plume
    yy2, xx2 = np.mgrid[0:h, 0:w].astype(np.float32)
    ytop = base - alto
    glow = np.exp(-(((xx2 - cx) / (ancho * 0.12)) ** 2 + ((yy2 - ytop) / (alto * 0.12)) ** 2))
    L[:] = mezcla(L, col(lava), glow[..., None] * 0.55)
    n = ruido(w, h, 70, semilla + 3, 6)
    t = np.clip((ytop - yy2) / (ytop + 1), 0, 1)
    eje = cx + (t ** 1.3) * ancho * 0.75
    wid = ancho * (0.05 + 0.3 * t)
    pl = np.exp(-((xx2 - eje) / wid) ** 2) * (yy2 < ytop + 4)
    dens = suave(0.2, 0.75, pl * (0.3 + 1.1 * n)) * (1 - t * 0.5)
    sh = suave(0.3, 0.7, n)
    cs = mezcla(col(humo) * 0.7, col(humo) * 1.25, sh[..., None])
    cs = mezcla(cs, col(lava), (np.exp(-t * 8) * 0.6)[..., None])
    pegar(L, np.clip(cs, 0, 1), dens * 0.92)
    return cresta


def bosque_lejano(L, base, alto, color, semilla, densidad=1.0, bruma=None):
    """A band of distant conifers standing on row profile `base`."""
    h, w, _ = L.shape
    g = np.random.default_rng(semilla)
    cp = Capa(w, h, 2)
    base = np.broadcast_to(np.asarray(base, np.float32), (w,))
    n = int(w / 7 * densidad)
    for _ in range(n):
        x = g.uniform(-10, w + 10)
        yb = base[int(np.clip(x, 0, w - 1))] + g.uniform(0, alto * 0.3)
        a = alto * g.uniform(0.5, 1.1)
        ww = a * g.uniform(0.18, 0.32)
        c = col(color) * g.uniform(0.85, 1.15)
        if g.random() < 0.6:
            pts = [(x, yb - a)]
            for k in range(5):
                f = (k + 1) / 5
                pts += [(x + ww * f, yb - a + a * f * 0.95), (x + ww * f * 0.5, yb - a + a * f * 0.95 - a * 0.05)]
            pts += [(x, yb)]
            pts = pts + [(2 * x - px, py) for px, py in reversed(pts[1:-1])]
        else:
            r = ww * 1.3
            pts = [(x + r * np.cos(t) * g.uniform(0.8, 1.1), yb - a * 0.6 + r * 1.1 * np.sin(t) * g.uniform(0.8, 1.1))
                   for t in np.linspace(0, 2 * np.pi, 12, endpoint=False)]
            cp.linea([(x, yb), (x, yb - a * 0.5)], c * 0.8, max(1, a * 0.05))
        cp.poli(pts, c)
    rgb, a = cp.resultado()
    tex = ruido(w, h, 4, semilla + 1, 2)
    rgb = rgb * (0.9 + 0.2 * tex[..., None])
    L *= (1 - a)[..., None]
    L += rgb
    # fill beneath the trees
    yy = np.arange(h, dtype=np.float32)[:, None]
    m = np.clip(yy - (base[None, :] + alto * 0.15), 0, 1)
    pegar(L, col(color) * (0.9 + 0.15 * tex[..., None]), m)
    if bruma is not None:
        f = suave(base.min() - alto, base.max() + alto * 0.3, yy) * 0.35
        L[:] = mezcla(L, col(bruma), (f * (yy > base.min() - alto * 1.2))[..., None])


def suelo(L, linea, colores, semilla, celda=90, hierba=None, y_luz=None):
    """Textured ground below the row profile `linea`: patches of the given
    colours, fine grain and darker dips; returns its coverage."""
    h, w, _ = L.shape
    linea = np.broadcast_to(np.asarray(linea, np.float32), (w,))
    yy = np.arange(h, dtype=np.float32)[:, None]
    m = np.clip(yy - linea[None, :] + 0.5, 0, 1)
    n1 = ruido_est(w, h, celda, semilla, sx=0.5, sy=1.5, octavas=5)
    n2 = ruido(w, h, 8, semilla + 1, 3)
    n3 = ruido_est(w, h, 30, semilla + 2, sx=0.4, sy=2.0, octavas=3)
    cs = [col(c) for c in colores]
    k = len(cs) - 1
    t = np.clip(n1 * 1.5 - 0.25, 0, 0.999) * k
    i = t.astype(int)
    f = suave(0.0, 1.0, t - i)[..., None]
    pal = np.stack(cs)
    c = mezcla(pal[i], pal[np.minimum(i + 1, k)], f)
    hb = ruido_est(w, h, 3, semilla + 3, sx=1.0, sy=0.35, octavas=2)
    c *= (0.9 + 0.2 * hb[..., None])
    c *= (0.84 + 0.3 * n2[..., None]) * (0.9 + 0.2 * n3[..., None])
    # closer ground slightly darker and richer
    prof = np.clip((yy - linea.min()) / max(1, h - linea.min()), 0, 1)
    c *= (1.05 - 0.2 * prof)[..., None]
    pegar(L, c, m)
    return m


def agua(L, y0, y1, color, semilla, claro=(255, 255, 255), reflejo=0.55, ondas=1.0):
    """Water from row y0 to y1 reflecting what lies above y0."""
    h, w, _ = L.shape
    y0, y1 = int(y0), int(min(h, y1))
    n = y1 - y0
    if n <= 0:
        return
    yy = np.arange(n, dtype=np.float32)
    src = np.clip(y0 - 1 - (yy * 0.9).astype(int), 0, h - 1)
    desv = (ruido_est(w, n, 40, semilla, sx=0.15, sy=1.0, octavas=4) - 0.5) * 18 * ondas
    xs = np.clip(np.arange(w)[None, :] + desv * (0.3 + yy[:, None] / n), 0, w - 1).astype(int)
    ref = L[src[:, None], xs]
    prof = (yy / n)[:, None, None]
    c = mezcla(col(color), ref, reflejo * (1 - 0.5 * prof))
    est = ruido_est(w, n, 30, semilla + 1, sx=0.08, sy=1.5, octavas=4)
    c = c * (0.9 + 0.18 * est[..., None])
    brillo = suave(0.72, 0.85, est) * (0.35 + 0.4 * (1 - prof[..., 0]))
    c = mezcla(c, col(claro), brillo[..., None] * 0.45 * ondas)
    L[y0:y1] = c


# ---- plants -----------------------------------------------------------

def _f(c):
    c = np.asarray(c, np.float32)
    return c / 255.0 if c.max() > 1.0 else c


def _varia(g, c, k=0.12):
    return np.clip(_f(c) * (1 + g.uniform(-k, k)) + g.uniform(-k, k, 3) * 0.15, 0, 1)


def hoja_pinnada(cp, g, x, y, ang, largo, curva, c, ancho_f=0.3, grosor=1.5, folios=18):
    """A frond: an arching rachis with leaflets down both sides."""
    t = np.linspace(0, 1, 24)
    xs = x + np.cos(ang) * largo * t
    ys = y + np.sin(ang) * largo * t + curva * largo * t * t
    cp.linea(list(zip(xs, ys)), c * 0.7, grosor)
    for k in range(folios):
        u = (k + 1) / (folios + 1)
        px, py = np.interp(u, t, xs), np.interp(u, t, ys)
        dx = np.interp(min(1, u + 0.02), t, xs) - px
        dy = np.interp(min(1, u + 0.02), t, ys) - py
        a0 = np.arctan2(dy, dx)
        lf = largo * ancho_f * (1 - u * 0.75) * g.uniform(0.85, 1.1)
        for s in (-1, 1):
            a = a0 + s * g.uniform(0.6, 0.95)
            ex, ey = px + np.cos(a) * lf, py + np.sin(a) * lf + lf * 0.15
            cc = _varia(g, c, 0.1)
            cp.trazo([(px, py), ((px + ex) / 2, (py + ey) / 2 - lf * 0.05), (ex, ey)], cc, max(1.0, lf * 0.22), 0.6)


def helecho(cp, g, x, y, tam, c, frondas=9):
    for k in range(frondas):
        a = -np.pi / 2 + g.uniform(-1.25, 1.25)
        hoja_pinnada(cp, g, x + g.uniform(-4, 4), y, a, tam * g.uniform(0.7, 1.05), 0.55, _varia(g, c, 0.15),
                     0.28, max(1, tam * 0.02), 14)


def cicada(cp, g, x, y, alto, c_tronco, c_hoja, frondas=14):
    """A palm-like cycad or tree fern: scaly trunk and a crown of fronds."""
    top = y - alto
    inc = g.uniform(-0.15, 0.15) * alto
    pts = [(x, y), (x + inc * 0.4, y - alto * 0.5), (x + inc, top)]
    wd = max(4, alto * 0.11)
    c_tronco = _f(c_tronco)
    cp.trazo(pts, c_tronco, wd, wd * 0.75)
    for k in range(int(alto / max(3, wd * 0.35))):
        u = k / max(1, int(alto / max(3, wd * 0.35)))
        px = x + inc * u ** 1.5
        py = y - alto * u
        w = wd * (1 - 0.25 * u) * 0.5
        cp.linea([(px - w, py), (px, py + w * 0.35), (px + w, py)], np.asarray(c_tronco) * 0.6, max(1, wd * 0.08))
    tam = alto * g.uniform(0.55, 0.75)
    for k in range(frondas):
        a = -np.pi / 2 + (k / (frondas - 1) - 0.5) * 3.6 + g.uniform(-0.15, 0.15)
        hoja_pinnada(cp, g, x + inc, top, a, tam * g.uniform(0.8, 1.05), 0.5, _varia(g, c_hoja, 0.12),
                     0.22, max(1, tam * 0.025), 16)


def conifera(cp, g, x, y, alto, c_tronco, c_hoja, ancho=0.35, pisos=9, luz=-1):
    """A tall conifer: bare trunk, tiers of drooping branch masses."""
    c_tronco = _f(c_tronco)
    cp.trazo([(x, y), (x, y - alto)], c_tronco, max(2, alto * 0.035), max(1, alto * 0.01))
    c_hoja = _f(c_hoja)
    for k in range(pisos):
        u = 0.3 + 0.7 * k / pisos
        py = y - alto * u
        wdt = alto * ancho * (1 - u) ** 0.9 * g.uniform(0.8, 1.15) + alto * 0.03
        th = alto * 0.06
        for s in (-1, 1):
            n = 7
            pts = [(x, py - th * 0.5)]
            for j in range(n + 1):
                f = j / n
                pts.append((x + s * wdt * f, py - th * 0.4 + th * 1.2 * f * f + (j % 2) * th * 0.35))
            pts.append((x, py + th * 0.7))
            cc = _varia(g, c_hoja * (1.1 if s == luz else 0.85), 0.08)
            cp.poli(pts, cc)
            pts2 = [(px, py_ - th * 0.25) for px, py_ in pts[:-1]]
            pts2 = pts2[:len(pts2) // 2 + 2] + [(x, py)]
            cp.poli(pts2, np.minimum(1, cc * 1.25))
            # needle tufts hanging from the branch edge
            for j in range(1, n + 1, 1):
                fx = j / n
                bx = x + s * wdt * fx
                by = py - th * 0.4 + th * 1.2 * fx * fx
                cp.linea([(bx, by - th * 0.3), (bx - s * th * 0.15, by + th * 0.25)], np.minimum(1, cc * (0.7 + 0.6 * (j % 2))),
                         max(1.0, th * 0.12))


def cola_caballo(cp, g, x, y, alto, c, nudos=7):
    """Horsetail: a jointed stem with whorls of fine needles."""
    c = _f(c)
    inc = g.uniform(-0.12, 0.12) * alto
    for k in range(nudos):
        u0, u1 = k / nudos, (k + 1) / nudos
        p0 = (x + inc * u0, y - alto * u0)
        p1 = (x + inc * u1, y - alto * u1)
        cp.linea([p0, p1], c * (0.9 + 0.2 * (k % 2)), max(1.5, alto * 0.03 * (1 - u0 * 0.5)))
        cp.linea([(p1[0] - alto * 0.02, p1[1]), (p1[0] + alto * 0.02, p1[1])], c * 0.5, 1.2)
        if k < nudos - 1:
            for j in range(8):
                a = np.pi * (j / 7) + g.uniform(-0.1, 0.1)
                ln = alto * 0.12 * (1 - u1 * 0.6)
                cp.linea([p1, (p1[0] + np.cos(a) * ln * 1.3, p1[1] - np.sin(a) * ln * 0.3 + ln * 0.5)], c * 1.1, 1)
    tip = (x + inc, y - alto)
    cp.elipse(tip[0], tip[1] - alto * 0.03, alto * 0.02, alto * 0.05, c * 0.7)


def arbusto(cp, g, x, y, r, c, hojas=60):
    """A leafy bush: many small leaves lit from the upper left."""
    c = _f(c)
    for k in range(hojas):
        a = g.uniform(np.pi, 2 * np.pi)
        d = r * np.sqrt(g.random())
        px, py = x + np.cos(a) * d * 1.3, y + np.sin(a) * d * 0.9
        luz = np.clip(0.5 + ((x - px) + (y - py)) / (2.5 * r), 0, 1)
        cc = _varia(g, c * (0.65 + 0.7 * luz), 0.1)
        l = r * g.uniform(0.15, 0.3)
        ang = g.uniform(0, np.pi)
        cp.poli([(px - np.cos(ang) * l, py - np.sin(ang) * l), (px + np.sin(ang) * l * 0.35, py - np.cos(ang) * l * 0.35),
                 (px + np.cos(ang) * l, py + np.sin(ang) * l), (px - np.sin(ang) * l * 0.35, py + np.cos(ang) * l * 0.35)], cc)


def hierba(cp, g, x0, x1, linea, c, n, alto, y_extra=0.0):
    """Grass blades along a ground profile."""
    c = _f(c)
    for _ in range(n):
        x = g.uniform(x0, x1)
        y = float(linea(x)) + g.uniform(0, y_extra)
        a = alto * g.uniform(0.5, 1.2)
        b = g.uniform(-0.4, 0.4) * a
        cp.trazo([(x, y), (x + b * 0.3, y - a * 0.6), (x + b, y - a)], _varia(g, c, 0.18), max(1.2, a * 0.08), 0.5)


def roca(cp, g, x, y, r, c):
    c = _f(c)
    n = 9
    ang = np.linspace(np.pi, 2 * np.pi, n)
    pts = [(x + np.cos(a) * r * g.uniform(0.85, 1.15), y + np.sin(a) * r * 0.75 * g.uniform(0.85, 1.15)) for a in ang]
    cp.poli(pts + [(x + r, y + r * 0.1), (x - r, y + r * 0.1)], c * 0.7)
    cp.poli(pts[:6] + [(x + r * 0.1, y - r * 0.1)], c * 1.0)
    cp.poli(pts[:3] + [(x - r * 0.3, y - r * 0.35)], np.minimum(1, c * 1.25))


def pterosaurio(cp, x, y, tam, c, aleteo=0.0, espejo=False):
    """A flying pterosaur seen from below: membrane wings, crested head."""
    s = -1 if espejo else 1
    c = _f(c)
    a = aleteo
    for lado in (-1, 1):
        cp.poli([(x + s * px * tam * lado * -1, y + py * tam) for px, py in
                 [(0.05, 0.0), (0.45, -0.22 + a * 0.6), (1.0, -0.3 + a), (0.6, 0.0), (0.25, 0.12), (0.05, 0.12)]], c)
    cp.poli([(x - s * 0.05 * tam, y - 0.02 * tam), (x + s * 0.3 * tam, y - 0.05 * tam), (x + s * 0.42 * tam, y + 0.0),
             (x + s * 0.3 * tam, y + 0.04 * tam), (x - s * 0.1 * tam, y + 0.1 * tam)], c)
    cp.poli([(x + s * 0.2 * tam, y - 0.04 * tam), (x + s * 0.05 * tam, y - 0.16 * tam), (x + s * 0.28 * tam, y - 0.05 * tam)], c)


def flores(cp, g, n, x0, x1, linea, h, colores, tam=3.0):
    """Small five-petalled flowers scattered over the ground, larger
    towards the bottom of the picture."""
    for _ in range(n):
        x = g.uniform(x0, x1)
        y0 = float(linea(x))
        y = g.uniform(y0 + 4, h)
        k = tam * (0.4 + 1.2 * (y - y0) / max(1, h - y0))
        c = _f(colores[int(g.integers(0, len(colores)))])
        for i in range(5):
            a = i * 2 * np.pi / 5 + g.uniform(0, 0.3)
            cp.elipse(x + np.cos(a) * k, y + np.sin(a) * k * 0.7, k * 0.75, k * 0.6, c * g.uniform(0.85, 1.1))
        cp.elipse(x, y, k * 0.45, k * 0.4, (0.95, 0.8, 0.2))
