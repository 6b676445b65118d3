"""Checks of the interface pictures that the size rules cannot see.

usage: prueba_interfaz.py IMAGEDIR
Draws everything twice in memory and exits non-zero on the first failure."""
import os
import sys

import numpy as np

sys.dont_write_bytecode = True  # the build runs this from the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmp  # noqa: E402
import interfaz  # noqa: E402
import piezas  # noqa: E402
import ui_juego  # noqa: E402
import ui_ventanas  # noqa: E402

GRUPOS = {
    'G1': [224, 197] + [b + i for b in (2000, 2010, 2020, 2030, 2040, 2050) for i in range(6)],
    'G2': [160, 265] + [2090 + i for i in range(6)],
    'G3': [214, 503, 505, 507] + [2100 + i for i in range(6)],
    'G4': [148, 262] + [2150 + i for i in range(6)],
    'G5': [215] + [2170 + i for i in range(6)],
}

# (number, background, x, y, frames) of pictures copied into a background
COPIADOS = ([(b + i, 224, 125, 1, 1) for b in (2000, 2010, 2020, 2030, 2040, 2050) for i in range(6)]
            + [(2100 + i, 214, 77, 0, 1) for i in range(6)]
            + [(2170 + i, 215, 77, 0, 1) for i in range(6)]
            + [(2150 + i, 148, 13, 7, 1) for i in range(6)]
            + [(503, 214, 35, 51, 2), (505, 214, 155, 53, 2)]
            + [(262, 148, 125 + 50 * i, 247, 2) for i in range(5)])

# (number, background, x, y, frames) of 24-bit buttons standing on a background
ENCIMA = ([(530 + k, 214, 100, 104 + 34 * k, 4) for k in range(4)]
          + [(187, 224, ui_ventanas.CASILLA_X, ui_ventanas.CASILLA_Y, 4)])

fallos = []


def comprobar(cond, texto):
    if not cond:
        fallos.append(texto)


def rgb(img):
    return np.asarray(img.convert('RGB'), np.int32)


def constantes(out):
    """Strips repainted at a moving phase may only vary across their tiling."""
    for num in (122, 105, 123, 227):
        a = rgb(out[num])
        comprobar((a == a[:, :1]).all(), '%d changes along its rows' % num)
    for num in (104, 120):
        a = rgb(out[num])
        comprobar((a == a[:1]).all(), '%d changes down its columns' % num)


def sin_costuras(out):
    """The tiles laid on a grid: the step across the wrap is no larger than
    the steps inside the tile."""
    for num in (6000, 6001, 160):
        a = rgb(out[num]).astype(np.float64)
        for eje in (0, 1):
            dentro = np.abs(np.diff(a, axis=eje)).mean()
            borde = np.abs(np.take(a, 0, eje) - np.take(a, -1, eje)).mean()
            comprobar(borde <= 1.5 * dentro, '%d shows a seam (axis %d: %.1f vs %.1f)' % (num, eje, borde, dentro))


def paletas(out):
    for nombre, nums in GRUPOS.items():
        tablas = set()
        for n in nums:
            comprobar(out[n].mode == 'P', '%d of %s is not 8-bit' % (n, nombre))
            tablas.add(bytes(out[n].getpalette()[:768]))
        comprobar(len(tablas) == 1, '%s pictures carry %d different colour tables' % (nombre, len(tablas)))


def encajes(out):
    """Outside its drawing a copied picture holds the very indices of its
    background, so its edge cannot show."""
    for num, fondo, x, y, cuadros in COPIADOS:
        pieza = np.asarray(out[num])
        h, w = pieza.shape[0] // cuadros, pieza.shape[1]
        debajo = np.asarray(out[fondo])[y:y + h, x:x + w]
        for k in range(cuadros):
            c = pieza[k * h:(k + 1) * h]
            borde = np.concatenate([c[0], c[-1], c[:, 0], c[:, -1]])
            esperado = np.concatenate([debajo[0], debajo[-1], debajo[:, 0], debajo[:, -1]])
            iguales = (borde == esperado).mean()
            comprobar(iguales > 0.97, '%d frame %d does not match %d at (%d, %d): %.0f%%'
                      % (num, k, fondo, x, y, 100 * iguales))


def orillas(out):
    """A 24-bit button shows its background's own colours along its edge."""
    for num, fondo, x, y, cuadros in ENCIMA:
        a = rgb(out[num])
        h, w = a.shape[0] // cuadros, a.shape[1]
        debajo = rgb(out[fondo])[y:y + h, x:x + w]
        for k in range(cuadros):
            c = a[k * h:(k + 1) * h]
            dif = max(np.abs(c[0] - debajo[0]).max(), np.abs(c[-1] - debajo[-1]).max(),
                      np.abs(c[:, 0] - debajo[:, 0]).max(), np.abs(c[:, -1] - debajo[:, -1]).max())
            comprobar(dif <= 2, '%d frame %d shows an edge on %d at (%d, %d): %d' % (num, k, fondo, x, y, dif))


def orilla_derecha(out):
    """The buttons on the screen's right edge end in a frame of their own,
    and their glyphs (in every state) keep off its last two columns."""
    for num, alto, semilla in [(n, 46, 501) for n in list(range(200, 206)) + list(range(600, 606))] + [(244, 44, 544)]:
        a = rgb(out[num])
        fondo = np.clip(ui_juego._pestana_madera(alto, semilla), 0, 255)
        for k in range(3):
            c = a[k * alto:(k + 1) * alto]
            invade = np.abs(c[:, -2:] - fondo[:, -2:]).max()
            comprobar(invade <= 60, '%d frame %d: its glyph reaches the right edge (%d)' % (num, k, invade))
            comprobar(c[:, -1].mean() < 0.75 * c[:, -6].mean(), '%d frame %d has no frame on its right' % (num, k))


def perilla(out):
    ind = np.asarray(out[507])
    h = ind.shape[0] // 2
    sprite, mascara = ind[:h], ind[h:]
    comprobar(set(np.unique(mascara)) <= {0, 255}, 'knob mask holds indices other than 0 and 255')
    comprobar((sprite[mascara == 255] == 0).all(), 'knob sprite is not 0 where the background shows')
    comprobar((mascara == 0).mean() > 0.5, 'knob mask covers less than half its frame')


def estados(out):
    """Every frame of a button must look different from the others."""
    tiras = {'cmd3': [2060, 2061, 129, 119, 112, 244, 225, 228, 223, 222, 146, 147, 212, 213,
                      216, 217, 163, 165, 167, 700, 701, 702, 703, 704] + list(range(200, 206))
                     + list(range(600, 606)),
             'chk4': [1000 + 10 * i + l for i in range(4) for l in range(6)] + [530, 531, 532, 533, 187],
             'anim10': [127, 117, 131, 132, 124, 113, 115, 126, 128, 133, 116, 118, 121, 158, 199, 198, 260,
                        130]}
    for forma, nums in tiras.items():
        for n in nums:
            a = rgb(out[n])
            if forma == 'anim10':
                w = a.shape[1] // 10
                cuadros = [a[:, k * w:(k + 1) * w] for k in range(10)]
            else:
                k = 3 if forma == 'cmd3' else 4
                h = a.shape[0] // k
                cuadros = [a[j * h:(j + 1) * h] for j in range(k)]
            for i in range(len(cuadros)):
                for j in range(i + 1, len(cuadros)):
                    comprobar(np.abs(cuadros[i] - cuadros[j]).mean() > 1.0,
                              '%d frames %d and %d look alike' % (n, i, j))
    for i in range(4):
        for j in range(i + 1, 4):
            comprobar(np.abs(rgb(out[530 + i]) - rgb(out[530 + j])).mean() > 1.0,
                      'track buttons %d and %d look alike' % (530 + i, 530 + j))
    for i in range(6):
        a, b = rgb(out[200 + i]), rgb(out[600 + i])
        comprobar(a.shape == b.shape and np.abs(a - b).mean() > 8, 'box %d looks the same empty and full' % i)


def medallones(out):
    """Buttons that stand side by side differ only in their glyphs: beyond
    a glyph's reach every frame equals the same frame of the family's first
    (background, rim, shading, glow and growth), and each glyph's box is
    centred on its medallion. Two families: the round buttons on the wooden
    block, held to 115, and the tools window's, held to 127."""
    alto, ancho = out[115].height, out[115].width // 10
    familias = ((ui_juego.BOTONES_REDONDOS, (ancho / 2.0, alto / 2.0, min(alto, ancho) / 2.0 - 3)),
                (ui_juego.BOTONES_HERRAMIENTAS, ui_juego.MEDALLON_HERRAMIENTAS))
    for botones, (cx, cy, rmax) in familias:
        primero = botones[0][0]
        ref = rgb(out[primero])
        alto, ancho = ref.shape[0], ref.shape[1] // 10
        yy, xx = np.mgrid[0:alto, 0:ancho]
        centro = np.hypot(xx - cx, yy - cy)
        for num, glifo in botones:
            a = rgb(out[num])
            if a.shape != ref.shape:
                comprobar(False, '%d is %dx%d, not the size of %d' % (num, a.shape[1] // 10, a.shape[0], primero))
                continue
            for k in range(10):
                r = rmax * (0.93 if k == 9 else 0.8 + 0.025 * k)
                # glyphs keep within 1.25 units of 0.62 r, plus their lip and the press
                fuera = centro > 0.78 * r + 2
                dif = np.abs(a[:, k * ancho:(k + 1) * ancho] - ref[:, k * ancho:(k + 1) * ancho])[fuera].max()
                comprobar(dif <= 1, '%d frame %d differs from %d outside its glyph: %d' % (num, k, primero, dif))
            if num == 117:
                continue  # the bulb is centred; its rays reach above it
            ys, xs = np.nonzero(glifo(alto, ancho, cx, cy, 0.62 * rmax) > 0.5)
            dx, dy = (xs.min() + xs.max() + 1) / 2.0 - cx, (ys.min() + ys.max() + 1) / 2.0 - cy
            comprobar(max(abs(dx), abs(dy)) <= 1.5, '%d glyph off centre by (%.1f, %.1f)' % (num, dx, dy))


def cabeceras(out):
    """A page header's words stand inside its brass rule, which is centred
    on their ink and stays on the slot, in every language."""
    fondo = rgb(out[224])[1:49, 125:353]
    fila = ui_ventanas.FILA_RAYA
    for base in (2000, 2010, 2020, 2030, 2040, 2050):
        for l in range(6):
            a = rgb(out[base + l])
            xs = np.nonzero((a[:fila].sum(axis=2) < 250).any(axis=0))[0]
            raya = np.nonzero(np.abs(a[fila] - fondo[fila]).sum(axis=1) > 30)[0]
            if len(xs) == 0 or len(raya) == 0:
                comprobar(False, '%d has no words or no rule' % (base + l))
                continue
            comprobar(raya.min() <= xs.min() - 8 and raya.max() >= xs.max() + 8,
                      '%d: words %d-%d run past the rule %d-%d' % (base + l, xs.min(), xs.max(), raya.min(), raya.max()))
            comprobar(abs((raya.min() + raya.max()) - (xs.min() + xs.max())) <= 2,
                      '%d: rule off the words\' centre' % (base + l))
            comprobar(raya.min() >= 10 and raya.max() < a.shape[1] - 10, '%d: rule leaves the slot' % (base + l))


def madera_limpia(out):
    """The new-puzzle window's wood carries no stray brass dots: no brass
    pixel stands alone below the paper."""
    a = rgb(out[224])[232:, 106:]
    laton = (a[..., 0] - a[..., 2] > 90) & (a[..., 1] - a[..., 2] > 60)
    p = np.pad(laton, 1)
    vecinos = sum(np.roll(np.roll(p, dy, 0), dx, 1) for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                  if (dy, dx) != (0, 0))[1:-1, 1:-1]
    sueltos = np.argwhere(laton & (vecinos == 0))
    comprobar(len(sueltos) == 0, '224: stray brass dots on the wood at %s' % [(x + 106, y + 232) for y, x in sueltos[:4]])


def idiomas(out):
    """The six language variants of a worded picture all differ, except
    where two languages share the word."""
    for base in (2000, 2010, 2020, 2030, 2040, 2050, 2060, 2090, 2100, 2110, 2120, 2150, 2170):
        vistos = {}
        for l in range(6):
            vistos.setdefault(out[base + l].tobytes(), []).append(l)
        comprobar(len(vistos) >= 4, '%d: only %d distinct language pictures' % (base, len(vistos)))


def claridad(out):
    """Where the program writes black text the picture must be light; the
    full-screen tile carries black and white text, so it is a mid tone."""
    zonas = [(148, 20, 60, 480, 250), (224, 106, 50, 604, 228), (227, 0, 6, 30, 26),
             (122, 0, 14, 76, 56), (214, 50, 60, 250, 125), (215, 20, 60, 245, 245)]
    for num, x0, y0, x1, y1 in zonas:
        luz = rgb(out[num])[y0:y1, x0:x1].mean(axis=2)
        comprobar(np.percentile(luz, 5) > 170, '%d is too dark under its black text' % num)
    media = rgb(out[160]).mean()
    comprobar(90 < media < 175, 'tile 160 is not a mid tone (%.0f)' % media)


def medidas(out):
    """The places where the windows put their controls, against the sizes
    of the pictures (frame sizes as the controls compute them)."""
    def w(n, cols=1):
        return out[n].width // cols

    def h(n, filas=1):
        return out[n].height // filas

    W224, H224 = out[224].size
    comprobar(W224 >= max(605, 514 + w(222), 555 + w(221), 452 + w(199, 10), 452 + w(198, 10)), '224 too narrow')
    comprobar(H224 >= max(257 + h(222, 3), 255 + h(223, 3), *(235 + h(n) for n in (115, 126, 130, 158))),
              '224 too low')
    comprobar(h(199) <= 90, 'fit button reaches the natural-size button')
    # the check box: below the shape buttons (at 78) and right of the shape
    # preview (at 147), both drawn by piezas.py, on the paper with room for
    # its words
    cx, cy = ui_ventanas.CASILLA_X, ui_ventanas.CASILLA_Y
    comprobar(cy >= 78 + piezas.MARCO_OPCION[1] and cy + h(187, 4) <= 230 and cx >= 147 + piezas.MARCO_PREVIEW[0]
              and cx + w(187) <= 420,
              'the check box overlaps the shape page or leaves no room for its words')
    W214, H214 = out[214].size
    kw, kh = w(507), h(507, 2)
    comprobar(W214 >= max(180 + w(213), 181 - kw // 2 + kw, 155 + w(505), 35 + w(503), 77 + w(2100)), '214 too narrow')
    comprobar(H214 >= max(256 + h(212, 3), 256 + h(213, 3), 236 - kh // 2 + kh), '214 too low')
    comprobar(100 - kh // 2 >= max(51 + h(503, 2), 53 + h(505, 2)), 'volume indicators reach the sliders')
    comprobar(kh <= 40 and h(2100) <= 51, 'knob or music caption too tall')
    comprobar(69 - kw // 2 + kw <= 100 and 100 + w(530) <= 181 - kw // 2, 'track buttons reach the sliders')
    comprobar(h(530, 4) <= 34 and 104 + 34 * 3 + h(533, 4) <= min(249, 256), 'track buttons overlap or leave the paper')
    W148, H148 = out[148].size
    comprobar(W148 >= max(480, 413 + w(147)) and H148 >= max(291, 255 + h(146, 3), 257 + h(147, 3)), '148 too small')
    comprobar(13 + w(2150) <= W148 and h(2150) <= 53, 'message caption leaves the box')
    W166, H166 = out[166].size
    comprobar(W166 >= max(296 + w(167), 196 + w(165), w(163)) and
              H166 >= max(416 + h(163, 3), 378 + h(167, 3), 423 + h(165, 3)), 'video panel too small')
    W215, H215 = out[215].size
    comprobar(W215 >= max(180 + w(217), w(216), 77 + w(2170)) and H215 >= max(256 + h(216, 3), 256 + h(217, 3)),
              '215 too small')
    comprobar(h(2170) <= 51, 'language caption too tall')
    # on the smallest screen: new puzzle, the centred oval, the time at 570
    comprobar(w(2060) - 2 <= (800 - w(129)) // 2 and (800 + w(129)) // 2 <= 570, 'title strip buttons overlap')
    W265, H265 = out[265].size
    m = ui_ventanas.MARCO_INFO
    cajas = [(x, y, x + w(700 + k), y + h(700 + k, 3)) for k, (x, y) in enumerate(ui_ventanas.CUADROS_INFO)]
    for k, (x0, y0, x1, y1) in enumerate(cajas):
        comprobar(m < x0 and x1 < W265 - m and m < y0 and y1 < H265 - m, '%d reaches the page frame' % (700 + k))
        for j in range(k):
            a = cajas[j]
            comprobar(x1 <= a[0] or a[2] <= x0 or y1 <= a[1] or a[3] <= y0, '%d overlaps %d' % (700 + k, 700 + j))


def main(argv):
    imagenes = argv[1] if len(argv) > 1 else '.'
    out = interfaz.dibujar(imagenes)
    otra = interfaz.dibujar(imagenes)
    for n in out:
        comprobar(bmp.bloque(out[n]) == bmp.bloque(otra[n]), '%d differs between two runs' % n)
    for prueba in (constantes, sin_costuras, paletas, encajes, orillas, orilla_derecha, perilla, estados, medallones, idiomas,
                   claridad, medidas, cabeceras, madera_limpia):
        prueba(out)
    for f in fallos:
        print('FAIL', f)
    print('%d pictures, %d failures' % (len(out), len(fallos)))
    return 1 if fallos else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
