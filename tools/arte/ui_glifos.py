"""Glyphs engraved on the buttons. Each function gives the coverage (0..1)
of its symbol in an alto x ancho picture, centred on (cx, cy) with the
half-size r; they are drawn SS times larger and reduced."""
import math

import numpy as np

import tema
import ui_comun as uc


def _glifo(alto, ancho, cx, cy, r, trazos):
    """trazos(d, p, r) draws with p(x, y) mapping unit coordinates to pixels
    on the enlarged canvas; r is the half-size there."""
    def dibujo(d, s):
        def p(x, y):
            return ((cx + x * r) * s, (cy + y * r) * s)
        trazos(d, p, r * s)
    return uc.mascara(alto, ancho, dibujo)


def _linea(d, p, pts, ancho):
    q = [p(*a) for a in pts]
    d.line(q, fill=255, width=int(round(ancho)), joint='curve')
    for a in (q[0], q[-1]):
        h = ancho / 2.0
        d.ellipse((a[0] - h, a[1] - h, a[0] + h, a[1] + h), fill=255)


def _caja(d, p, x0, y0, x1, y1, relleno=255):
    a, b = p(x0, y0), p(x1, y1)
    d.rectangle((a[0], a[1], b[0], b[1]), fill=relleno)


def _orden(x0, y0, x1, y1):
    return min(x0, x1), min(y0, y1), max(x0, x1), max(y0, y1)


def _elipse(d, p, cx, cy, rx, ry, relleno=255, contorno=None, ancho=0):
    a, b = p(cx - rx, cy - ry), p(cx + rx, cy + ry)
    if contorno is None:
        d.ellipse((a[0], a[1], b[0], b[1]), fill=relleno)
    else:
        d.ellipse((a[0], a[1], b[0], b[1]), outline=contorno, width=int(round(ancho)))


def cruz(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _linea(d, p, [(-0.62, -0.62), (0.62, 0.62)], 0.3 * R)
        _linea(d, p, [(-0.62, 0.62), (0.62, -0.62)], 0.3 * R)
    return _glifo(alto, ancho, cx, cy, r, t)


def guion(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _linea(d, p, [(-0.6, 0.5), (0.6, 0.5)], 0.28 * R)
    return _glifo(alto, ancho, cx, cy, r, t)


def visto(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _linea(d, p, [(-0.72, 0.02), (-0.22, 0.55), (0.75, -0.6)], 0.3 * R)
    return _glifo(alto, ancho, cx, cy, r, t)


def letra(s, ruta=tema.LETRA_TITULO, escala=1.7):
    def g(alto, ancho, cx, cy, r):
        tam = max(6, int(round(r * escala)))
        return uc.mascara_texto(alto, ancho, s, ruta, tam, cx, cy + 0.5)
    return g


def lupa(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _elipse(d, p, -0.18, -0.18, 0.5, 0.5, contorno=255, ancho=0.2 * R)
        _linea(d, p, [(0.2, 0.2), (0.68, 0.68)], 0.3 * R)
    return _glifo(alto, ancho, cx, cy, r, t)


def bombilla(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _elipse(d, p, 0.0, -0.18, 0.5, 0.5)
        d.polygon([p(-0.3, 0.15), p(0.3, 0.15), p(0.22, 0.45), p(-0.22, 0.45)], fill=255)
        _caja(d, p, -0.24, 0.5, 0.24, 0.6)
        _caja(d, p, -0.2, 0.66, 0.2, 0.76)
        # the filament is left uncut in the glass
        d.line([p(-0.17, -0.05), p(-0.08, -0.28), p(0.0, -0.05), p(0.08, -0.28), p(0.17, -0.05)],
               fill=0, width=int(round(0.09 * R)), joint='curve')
        for ang in (-150, -115, -65, -30):
            a = math.radians(ang)
            _linea(d, p, [(0.66 * math.cos(a), -0.18 + 0.66 * math.sin(a)),
                          (0.86 * math.cos(a), -0.18 + 0.86 * math.sin(a))], 0.1 * R)
    return _glifo(alto, ancho, cx, cy, r, t)


def nota(alto, ancho, cx, cy, r):
    def t(d, p, R):
        for x, y in ((-0.42, 0.5), (0.42, 0.36)):
            a, b = p(x - 0.25, y - 0.17), p(x + 0.25, y + 0.17)
            d.ellipse((a[0], a[1], b[0], b[1]), fill=255)
        _caja(d, p, -0.25, -0.55, -0.15, 0.48)
        _caja(d, p, 0.59, -0.69, 0.69, 0.34)
        d.polygon([p(-0.25, -0.55), p(0.69, -0.69), p(0.69, -0.45), p(-0.25, -0.31)], fill=255)
    return _glifo(alto, ancho, cx, cy, r, t)


def trofeo(alto, ancho, cx, cy, r):
    def t(d, p, R):
        a, b = p(-0.5, -0.95), p(0.5, 0.15)
        d.chord((a[0], a[1], b[0], b[1]), 0, 180, fill=255)
        _caja(d, p, -0.5, -0.72, 0.5, -0.4)
        for s in (-1, 1):
            _elipse(d, p, s * 0.52, -0.38, 0.22, 0.2, contorno=255, ancho=0.1 * R)
        _caja(d, p, -0.08, 0.1, 0.08, 0.45)
        _caja(d, p, -0.3, 0.45, 0.3, 0.58)
        _caja(d, p, -0.42, 0.6, 0.42, 0.76)
    return _glifo(alto, ancho, cx, cy, r, t)


def impresora(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _caja(d, p, -0.42, -0.75, 0.42, -0.2)
        _caja(d, p, -0.32, -0.65, 0.32, -0.3, 0)
        a, b = p(-0.78, -0.22), p(0.78, 0.42)
        d.rounded_rectangle((a[0], a[1], b[0], b[1]), radius=0.12 * R, fill=255)
        _caja(d, p, -0.5, 0.18, 0.5, 0.8)
        _caja(d, p, -0.4, 0.28, 0.4, 0.7, 0)
        for y in (0.38, 0.5, 0.6):
            _caja(d, p, -0.3, y, 0.3, y + 0.05)
        _elipse(d, p, 0.58, -0.05, 0.07, 0.07, relleno=0)
    return _glifo(alto, ancho, cx, cy, r, t)


def papelera(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _caja(d, p, -0.62, -0.62, 0.62, -0.48)
        _caja(d, p, -0.2, -0.76, 0.2, -0.62)
        d.polygon([p(-0.5, -0.4), p(0.5, -0.4), p(0.4, 0.78), p(-0.4, 0.78)], fill=255)
        for x in (-0.22, 0.0, 0.22):
            _caja(d, p, x - 0.045, -0.28, x + 0.045, 0.64, 0)
    return _glifo(alto, ancho, cx, cy, r, t)


def disquete(alto, ancho, cx, cy, r):
    """Save: a diskette with its shutter and label."""
    def t(d, p, R):
        d.polygon([p(-0.72, -0.72), p(0.5, -0.72), p(0.72, -0.5), p(0.72, 0.72), p(-0.72, 0.72)], fill=255)
        _caja(d, p, -0.42, -0.72, 0.36, -0.24, 0)
        _caja(d, p, 0.12, -0.64, 0.28, -0.32)
        _caja(d, p, -0.5, 0.06, 0.5, 0.72, 0)
        for y in (0.22, 0.38, 0.54):
            _caja(d, p, -0.38, y, 0.38, y + 0.06)
    return _glifo(alto, ancho, cx, cy, r, t)


def carpeta(alto, ancho, cx, cy, r):
    """Open: a folder with its front flap lifted."""
    def t(d, p, R):
        d.polygon([p(-0.78, -0.56), p(-0.3, -0.56), p(-0.18, -0.42), p(0.62, -0.42), p(0.62, 0.66),
                   p(-0.78, 0.66)], fill=255)
        d.polygon([p(-0.62, -0.18), p(0.86, -0.18), p(0.66, 0.66), p(-0.78, 0.66)], fill=0)
        d.polygon([p(-0.54, -0.08), p(0.74, -0.08), p(0.58, 0.58), p(-0.7, 0.58)], fill=255)
    return _glifo(alto, ancho, cx, cy, r, t)


def carpeta_mas(alto, ancho, cx, cy, r):
    """Add a picture: a closed folder with a plus at its lower right, in a
    gap of its own so the plus reads apart from the folder."""
    def t(d, p, R):
        def q(x, y):
            return p(x, y - 0.05)  # the pair's box is centred, not the folder
        d.polygon([q(-0.9, -0.66), q(-0.42, -0.66), q(-0.28, -0.5), q(0.62, -0.5), q(0.62, 0.42), q(-0.9, 0.42)],
                  fill=255)
        _caja(d, q, -0.9, -0.38, 0.62, -0.29, 0)
        _elipse(d, q, 0.52, 0.42, 0.52, 0.52, relleno=0)
        _caja(d, q, 0.41, 0.04, 0.63, 0.8)
        _caja(d, q, 0.14, 0.31, 0.9, 0.53)
    return _glifo(alto, ancho, cx, cy, r, t)


def lapiz(alto, ancho, cx, cy, r):
    def t(d, p, R):
        def rot(x, y):
            a = math.radians(-45)
            return p(x * math.cos(a) - y * math.sin(a), x * math.sin(a) + y * math.cos(a))
        d.polygon([rot(-0.55, -0.22), rot(0.75, -0.22), rot(0.75, 0.22), rot(-0.55, 0.22)], fill=255)
        d.polygon([rot(-0.6, -0.22), rot(-0.95, 0.0), rot(-0.6, 0.22)], fill=255)
        d.line([rot(0.5, -0.24), rot(0.5, 0.24)], fill=0, width=max(1, int(round(0.08 * R))))
    return _glifo(alto, ancho, cx, cy, r, t)


def pieza_poligono(d, p, relleno=255, vacio=0):
    """A jigsaw piece: body with a knob on top and right and a hollow on
    the left, in unit coordinates (-1..1)."""
    _caja(d, p, -0.62, -0.5, 0.5, 0.62, relleno)
    _elipse(d, p, -0.06, -0.68, 0.22, 0.22, relleno)
    _elipse(d, p, 0.68, 0.06, 0.22, 0.22, relleno)
    _elipse(d, p, -0.62, 0.06, 0.2, 0.2, vacio)


def pieza(alto, ancho, cx, cy, r):
    return _glifo(alto, ancho, cx, cy, r, lambda d, p, R: pieza_poligono(d, p))


def pieza_hueca(alto, ancho, cx, cy, r, grosor=0.17):
    llena = pieza(alto, ancho, cx, cy, r)
    dentro = pieza(alto, ancho, cx, cy, r * (1 - grosor))
    return np.clip(llena - dentro, 0, 1)


def bordes_a_caja(alto, ancho, cx, cy, r):
    """Edges to a box: a puzzle's border, laid as separate pieces, sinking
    into an open tray, with an arrow down through its hole."""
    def t(d, p, R):
        def q(x, y):
            return p(x, y + 0.12)  # the pair's box is centred, not the tray
        g = 0.07  # the cut between two border pieces
        lado, grueso = 0.58, 0.22
        top = -0.92
        xs = [-lado, -lado / 3, lado / 3, lado]
        for a, b in zip(xs[:-1], xs[1:]):
            _caja(d, q, a + g / 2, top, b - g / 2, top + grueso)
        for s in (-1, 1):
            x0, x1 = (-lado, -lado + grueso) if s < 0 else (lado - grueso, lado)
            _caja(d, q, x0, top + grueso + g, x1, top + grueso + g + 0.3)
            _caja(d, q, x0, top + grueso + 2 * g + 0.3, x1, 0.3)
        # the arrow down through the border's hole
        _caja(d, q, -0.07, -0.62, 0.07, -0.3)
        d.polygon([q(-0.22, -0.34), q(0.22, -0.34), q(0.0, -0.06)], fill=255)
        # the tray's front, cut clear of what sinks behind it
        d.polygon([q(-0.98, -0.06), q(0.98, -0.06), q(0.8, 0.72), q(-0.8, 0.72)], fill=0)
        d.polygon([q(-0.86, 0.04), q(0.86, 0.04), q(0.72, 0.66), q(-0.72, 0.66)], fill=255)
    return _glifo(alto, ancho, cx, cy, r, t)


def esparcir(alto, ancho, cx, cy, r):
    """Spread: four pieces flying apart from the centre, each with a motion
    mark behind it."""
    # the knobs stand up and right, so the pieces' bodies lie down and left
    # of the centre to keep the whole centred
    ox, oy = -0.08, 0.08

    def t(d, p, R):
        for sx, sy in ((-1, -1), (1, -1), (-1, 1), (1, 1)):
            def q(x, y, sx=sx, sy=sy):
                return p(ox + sx * 0.56 + 0.38 * (x + 0.06), oy + sy * 0.56 + 0.38 * (y - 0.06))
            pieza_poligono(d, q)
            _linea(d, p, [(ox + sx * 0.14, oy + sy * 0.14), (ox + sx * 0.28, oy + sy * 0.28)], 0.09 * R)
    return _glifo(alto, ancho, cx, cy, r, t)


def fantasma(alto, ancho, cx, cy, r):
    """Ghost picture: a landscape in a dashed frame, its mountains and sun
    cut only half as deep so the picture reads faint."""
    def marco(d, p, R):
        x0, y0, x1, y1, w = -0.86, -0.66, 0.86, 0.66, 0.13
        esq = 0.36
        for sx, x in ((1, x0), (-1, x1)):
            for sy, y in ((1, y0), (-1, y1)):
                _caja(d, p, *_orden(x, y, x + sx * esq, y + sy * w))
                _caja(d, p, *_orden(x, y, x + sx * w, y + sy * esq))
        for y in (y0, y1 - w):
            _caja(d, p, -0.2, y, 0.2, y + w)
        for x in (x0, x1 - w):
            _caja(d, p, x, -0.11, x + w, 0.11)

    def paisaje(d, p, R):
        d.polygon([p(-0.62, 0.46), p(-0.22, -0.12), p(0.02, 0.16), p(0.28, -0.26), p(0.64, 0.46)], fill=255)
        _elipse(d, p, -0.4, -0.3, 0.13, 0.13)
    borde = _glifo(alto, ancho, cx, cy, r, marco)
    tenue = _glifo(alto, ancho, cx, cy, r, paisaje)
    return np.maximum(borde, 0.5 * tenue)


def resolver(alto, ancho, cx, cy, r):
    """A finished puzzle: a square cut into four pieces."""
    def t(d, p, R):
        _caja(d, p, -0.72, -0.72, 0.72, 0.72)
        w = max(1, int(round(0.1 * R)))
        d.line([p(0, -0.72), p(0, -0.52)], fill=0, width=w)
        d.line([p(0, -0.12), p(0, 0.2)], fill=0, width=w)
        d.line([p(0, 0.56), p(0, 0.72)], fill=0, width=w)
        d.line([p(-0.72, 0), p(-0.5, 0)], fill=0, width=w)
        d.line([p(-0.14, 0), p(0.16, 0)], fill=0, width=w)
        d.line([p(0.52, 0), p(0.72, 0)], fill=0, width=w)
        for (x, y, a0, a1) in ((0.0, -0.32, 270, 90), (0.0, 0.38, 90, 270),
                               (-0.32, 0.0, 0, 180), (0.34, 0.0, 180, 360)):
            a, b = p(x - 0.2, y - 0.2), p(x + 0.2, y + 0.2)
            d.arc((a[0], a[1], b[0], b[1]), a0, a1, fill=0, width=w)
    return _glifo(alto, ancho, cx, cy, r, t)


def ajustar(alto, ancho, cx, cy, r):
    """Fit: a frame with four arrows pointing out to its corners."""
    def t(d, p, R):
        a, b = p(-0.8, -0.62), p(0.8, 0.62)
        d.rectangle((a[0], a[1], b[0], b[1]), outline=255, width=int(round(0.11 * R)))
        for sx in (-1, 1):
            for sy in (-1, 1):
                _linea(d, p, [(sx * 0.14, sy * 0.1), (sx * 0.48, sy * 0.34)], 0.12 * R)
                d.polygon([p(sx * 0.6, sy * 0.44), p(sx * 0.3, sy * 0.42), p(sx * 0.56, sy * 0.16)], fill=255)
    return _glifo(alto, ancho, cx, cy, r, t)


def natural(alto, ancho, cx, cy, r):
    return uc.mascara_texto(alto, ancho, '1:1', tema.LETRA_TEXTO, max(6, int(round(r * 1.05))), cx, cy + 0.5)


def flecha(arriba):
    def g(alto, ancho, cx, cy, r):
        s = -1 if arriba else 1
        def t(d, p, R):
            d.polygon([p(0, s * 0.6), p(-0.75, -s * 0.4), p(0.75, -s * 0.4)], fill=255)
        return _glifo(alto, ancho, cx, cy, r, t)
    return g


def altavoz(alto, ancho, cx, cy, r):
    def t(d, p, R):
        _caja(d, p, -0.85, -0.25, -0.5, 0.25)
        d.polygon([p(-0.52, -0.25), p(-0.1, -0.62), p(-0.1, 0.62), p(-0.52, 0.25)], fill=255)
        for k, rr in enumerate((0.32, 0.58, 0.84)):
            a, b = p(-0.1 - rr, -rr), p(-0.1 + rr, rr)
            d.arc((a[0], a[1], b[0], b[1]), -45, 45, fill=255, width=int(round(0.11 * R)))
    return _glifo(alto, ancho, cx, cy, r, t)


def onda(alto, ancho, cx, cy, r):
    def t(d, p, R):
        pts = [(-0.9 + 1.8 * i / 40, 0.42 * math.sin(2 * math.pi * i / 40 * 1.5)
                * (0.6 + 0.4 * math.cos(math.pi * (i / 40 - 0.5)))) for i in range(41)]
        _linea(d, p, pts, 0.16 * R)
    return _glifo(alto, ancho, cx, cy, r, t)


def globo(alto, ancho, cx, cy, r):
    def t(d, p, R):
        w = 0.1 * R
        _elipse(d, p, 0, 0, 0.75, 0.75, contorno=255, ancho=w)
        _elipse(d, p, 0, 0, 0.32, 0.75, contorno=255, ancho=w)
        d.line([p(0, -0.75), p(0, 0.75)], fill=255, width=int(round(w)))
        d.line([p(-0.75, 0), p(0.75, 0)], fill=255, width=int(round(w)))
        d.line([p(-0.64, -0.38), p(0.64, -0.38)], fill=255, width=int(round(w)))
        d.line([p(-0.64, 0.38), p(0.64, 0.38)], fill=255, width=int(round(w)))
    return _glifo(alto, ancho, cx, cy, r, t)


def repetir(alto, ancho, cx, cy, r):
    def t(d, p, R):
        a, b = p(-0.62, -0.62), p(0.62, 0.62)
        d.arc((a[0], a[1], b[0], b[1]), -60, 220, fill=255, width=int(round(0.2 * R)))
        ang = math.radians(-60)
        x, y = 0.62 * math.cos(ang), 0.62 * math.sin(ang)
        d.polygon([p(x + 0.3, y - 0.05), p(x - 0.28, y - 0.2), p(x - 0.02, y + 0.4)], fill=255)
    return _glifo(alto, ancho, cx, cy, r, t)


def prohibido_nota(alto, ancho, cx, cy, r):
    """Music off: a note under a bar."""
    n = nota(alto, ancho, cx, cy, r * 0.78)
    aro = _glifo(alto, ancho, cx, cy, r, lambda d, p, R: (
        _elipse(d, p, 0, 0, 0.9, 0.9, contorno=255, ancho=0.14 * R),
        _linea(d, p, [(-0.62, -0.62), (0.62, 0.62)], 0.16 * R)))
    hueco = _glifo(alto, ancho, cx, cy, r, lambda d, p, R: _linea(d, p, [(-0.62, -0.62), (0.62, 0.62)], 0.34 * R))
    return np.maximum(n * (1 - hueco), aro)


def huella(alto, ancho, cx, cy, r, grados):
    """A three-toed footprint pointing at `grados` (0 = up), for the trail
    on the information page."""
    a = math.radians(grados)

    def rot(x, y):
        return (x * math.cos(a) - y * math.sin(a), x * math.sin(a) + y * math.cos(a))

    def ovalo(d, p, x, y, rx, ry, giro):
        g = math.radians(giro)
        pts = []
        for k in range(24):
            t = 2 * math.pi * k / 24
            u, v = rx * math.cos(t), ry * math.sin(t)
            pts.append(p(*rot(x + u * math.cos(g) - v * math.sin(g), y + u * math.sin(g) + v * math.cos(g))))
        d.polygon(pts, fill=255)

    def t(d, p, R):
        ovalo(d, p, 0, 0.35, 0.3, 0.36, 0)
        for dx, giro in ((-0.38, -28), (0.0, 0), (0.38, 28)):
            ovalo(d, p, dx, -0.3, 0.11, 0.42, giro)
    return _glifo(alto, ancho, cx, cy, r, t)
