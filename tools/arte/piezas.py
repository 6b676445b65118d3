"""Pictures of the piece shapes: the die preview (106) and the three die
choices (184-186), drawn from the real die label pictures so the art shows
exactly the shapes the cut will make.

    piezas.py OUTDIR TROQUELDIR

reads TROQUELDIR/5000.bmp to 5002.bmp and writes OUTDIR/106.bmp and
OUTDIR/184.bmp to 186.bmp. The piece functions are shared with the video
generator."""
import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bmp  # noqa: E402
import tema  # noqa: E402

LADO_TROQUEL = 532
CELDA = 200      # die cell
MARGEN = 66      # die margin around the 2 x 2 cells
PERIODO = 400    # the die is a window of a tiling repeating every 2 cells

# Window cell (row, column) each die label stands for; None for the corners.
_CELDA_DE = {1: (0, 0), 2: (0, 1), 3: (1, 0), 4: (1, 1), 5: (-1, 0), 6: (-1, 1),
             7: (0, 2), 8: (1, 2), 9: (2, 0), 10: (2, 1), 11: (0, -1), 12: (1, -1)}

MARCO_PREVIEW = (224, 170)   # one frame of 106
MARCO_OPCION = (52, 52)      # one frame of 184-186


def leer_troquel(ruta):
    """The 532 x 532 label array (rows from the top) of a die BMP."""
    with Image.open(ruta) as im:
        if im.mode != 'P' or im.size != (LADO_TROQUEL, LADO_TROQUEL):
            raise ValueError('%s: not an 8-bit %d x %d die' % (ruta, LADO_TROQUEL, LADO_TROQUEL))
        e = np.asarray(im, dtype=np.uint8).copy()
    if e.max() > 12:
        raise ValueError('%s: label %d out of range' % (ruta, int(e.max())))
    return e


def leer_troqueles(carpeta):
    return [leer_troquel(os.path.join(carpeta, '%d.bmp' % (5000 + i))) for i in range(3)]


def duenos(etiquetas, cols, filas):
    """Which piece owns each pixel of a `cols` x `filas` puzzle cut with the
    die, at 200 pixels a cell: an int array of row * cols + col. The outer
    edges are straight, as the cut makes them on the picture's border."""
    tf = np.full(256, -99, dtype=np.int32)
    tc = np.full(256, -99, dtype=np.int32)
    for e, (f, c) in _CELDA_DE.items():
        tf[e], tc[e] = f, c
    y, x = np.mgrid[0:filas * CELDA, 0:cols * CELDA]
    e = etiquetas[y % PERIODO + MARGEN, x % PERIODO + MARGEN]
    if (tf[e] == -99).any():
        raise ValueError('die has unlabelled pixels inside its period')
    f = np.clip((y // PERIODO) * 2 + tf[e], 0, filas - 1)
    c = np.clip((x // PERIODO) * 2 + tc[e], 0, cols - 1)
    return f * cols + c


def mascaras(mapa, cols, filas, celda):
    """Antialiased masks ('L', full puzzle size at `celda` pixels a cell) of
    every piece of an owner map, in row-major order."""
    tam = (cols * celda, filas * celda)
    return [Image.fromarray(((mapa == k) * 255).astype(np.uint8)).resize(tam, Image.Resampling.BOX)
            for k in range(cols * filas)]


def pieza_suelta(mascara, imagen, relieve=1.0):
    """One piece as an RGBA sprite cropped to its mask: `imagen` (same size
    as the mask) with a bevel lit from the top left and a dark outline.
    Returns (sprite, (x, y) of the crop in the puzzle)."""
    caja = mascara.getbbox()
    caja = (max(caja[0] - 1, 0), max(caja[1] - 1, 0),
            min(caja[2] + 1, mascara.width), min(caja[3] + 1, mascara.height))
    m = mascara.crop(caja)
    a = np.asarray(m, dtype=np.float32) / 255
    rgb = np.asarray(imagen.convert('RGB').crop(caja), dtype=np.float32)
    dentro = np.asarray(m.filter(ImageFilter.MinFilter(3)), dtype=np.float32) / 255
    luz = np.clip(a - _desplazada(a, 2, 2), 0, 1)
    sombra = np.clip(a - _desplazada(a, -2, -2), 0, 1)
    borde = np.clip(a - dentro, 0, 1)
    rgb = rgb + relieve * (luz[..., None] * 90 - sombra[..., None] * 80)
    rgb = rgb * (1 - 0.55 * borde[..., None])
    rgba = np.dstack([np.clip(rgb, 0, 255), a * 255]).round().astype(np.uint8)
    return Image.fromarray(rgba, 'RGBA'), caja[:2]


def _desplazada(a, dx, dy):
    """`a` moved by (dx, dy) pixels, zero where nothing moved in."""
    r = np.zeros_like(a)
    h, w = a.shape
    r[max(dy, 0):h + min(dy, 0), max(dx, 0):w + min(dx, 0)] = \
        a[max(-dy, 0):h + min(-dy, 0), max(-dx, 0):w + min(-dx, 0)]
    return r


def sombra_de(sprite, radio=2, opacidad=0.45):
    """A soft black shadow of an RGBA sprite, padded by 2 * `radio`."""
    p = 2 * radio + 1
    a = Image.new('L', (sprite.width + 2 * p, sprite.height + 2 * p), 0)
    a.paste(sprite.getchannel('A'), (p, p))
    a = a.filter(ImageFilter.GaussianBlur(radio)).point(lambda v: int(v * opacidad))
    s = Image.new('RGBA', a.size, (0, 0, 0, 0))
    s.putalpha(a)
    return s, p


def poner(lienzo, sprite, x, y, alto=0, radio=2):
    """Composites `sprite` at (x, y) onto an RGBA canvas, lifted `alto`
    pixels towards the top left above its shadow."""
    if alto > 0:
        s, p = sombra_de(sprite, radio)
        lienzo.alpha_composite(s, (int(round(x)) - p + alto // 2, int(round(y)) - p + alto // 2))
    lienzo.alpha_composite(sprite, (int(round(x)) - alto // 2, int(round(y)) - alto // 2))


def ruido(ancho, alto, semilla, escala=1.0):
    """Fixed smooth noise in [-1, 1] for textures (same every run)."""
    rng = np.random.default_rng(semilla)
    n = rng.standard_normal((alto // 4 + 2, ancho // 4 + 2)).astype(np.float32)
    im = Image.fromarray(n).resize((ancho, alto), Image.Resampling.BICUBIC)
    return np.clip(np.asarray(im) * escala / 2, -1, 1)


def fieltro(ancho, alto, semilla=7):
    """Green felt with a fine fibre texture."""
    rng = np.random.default_rng(semilla)
    base = np.array(tema.FIELTRO, dtype=np.float32)
    n = ruido(ancho, alto, semilla) * 6 + rng.standard_normal((alto, ancho)).astype(np.float32) * 4
    yy, xx = np.mgrid[0:alto, 0:ancho]
    vineta = 1 - 0.18 * (((xx - ancho / 2) / ancho) ** 2 + ((yy - alto / 2) / alto) ** 2) * 2
    rgb = (base[None, None, :] + n[..., None]) * vineta[..., None]
    return Image.fromarray(np.clip(rgb, 0, 255).round().astype(np.uint8), 'RGB')


def madera(ancho, alto, semilla=11):
    """Walnut with grain running across."""
    rng = np.random.default_rng(semilla)
    yy, xx = np.mgrid[0:alto, 0:ancho].astype(np.float32)
    onda = ruido(ancho, alto, semilla, 2.0) * 9
    veta = np.sin((yy + onda + 3 * np.sin(xx / 37.0)) / 2.3) * 0.5 + 0.5
    t = (veta ** 3)[..., None]
    oscuro, cuerpo = np.array(tema.NOGAL_OSCURO, np.float32), np.array(tema.NOGAL, np.float32)
    rgb = cuerpo * (1 - 0.55 * t) + oscuro * 0.55 * t
    rgb += rng.standard_normal((alto, ancho, 1)).astype(np.float32) * 3
    return Image.fromarray(np.clip(rgb, 0, 255).round().astype(np.uint8), 'RGB')


def paisaje(ancho, alto, sol=None):
    """A small landscape to print on sample pieces: sky, sun, hills, a lake.
    `sol` is the sun's (x, y, radius) in pixels; by default high on the
    right."""
    y = np.linspace(0, 1, alto, dtype=np.float32)[:, None, None]
    cielo = np.array((118, 168, 214), np.float32) * (1 - y) + np.array((238, 222, 182), np.float32) * y
    im = Image.fromarray(np.broadcast_to(cielo, (alto, ancho, 3)).round().astype(np.uint8), 'RGB')
    d = ImageDraw.Draw(im)
    sx, sy, r = sol if sol else (ancho * 0.72, alto * 0.25, alto * 0.13)
    d.ellipse((sx - r, sy - r, sx + r, sy + r), fill=tema.LATON_CLARO)
    for i, (nivel, amp, color) in enumerate(((0.55, 0.10, (96, 120, 92)), (0.68, 0.08, (62, 118, 60)),
                                            (0.80, 0.06, (44, 92, 46)))):
        pts = [(x, alto * (nivel + amp * math.sin(x / ancho * math.pi * (2 + i) + i * 1.7)))
               for x in range(0, ancho + 4, 4)]
        d.polygon(pts + [(ancho, alto), (0, alto)], fill=color)
    d.ellipse((ancho * 0.08, alto * 0.84, ancho * 0.55, alto * 1.02), fill=(92, 142, 186))
    d.rectangle((ancho * 0.18, alto * 0.60, ancho * 0.30, alto * 0.74), fill=tema.PAPEL)
    d.polygon([(ancho * 0.16, alto * 0.61), (ancho * 0.24, alto * 0.52), (ancho * 0.32, alto * 0.61)],
              fill=tema.ROJO_SELLO)
    return im


def marco_laton(im, grueso, hundido=False, brillo=1.0):
    """Draws a bevelled brass frame `grueso` pixels wide round `im`."""
    d = ImageDraw.Draw(im)
    w, h = im.size
    cuerpo = _mezcla(tema.LATON, tema.LATON_CLARO, brillo - 1) if brillo >= 1 else \
        _mezcla(tema.LATON, tema.LATON_OSCURO, 1 - brillo)
    claro, oscuro = _mezcla(cuerpo, (255, 250, 220), 0.45), _mezcla(cuerpo, tema.NOGAL_OSCURO, 0.5)
    if hundido:
        claro, oscuro = oscuro, claro
    for i in range(grueso):
        d.rectangle((i, i, w - 1 - i, h - 1 - i), outline=cuerpo)
    d.line([(0, h - 1), (0, 0), (w - 1, 0)], fill=claro)
    d.line([(1, h - 1), (w - 1, h - 1), (w - 1, 1)], fill=oscuro)
    g = grueso - 1
    d.line([(g, h - 1 - g), (w - 1 - g, h - 1 - g), (w - 1 - g, g)], fill=claro)
    d.line([(g, h - 1 - g), (g, g), (w - 1 - g, g)], fill=oscuro)


def _mezcla(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(x * (1 - t) + y * t)) for x, y in zip(a, b))


# The die preview's puzzle: 3 x 2 cells of 54 pixels, piece 1 lifted out
# and piece 4 nudged; the sun shines on piece 0, which stays in place.
PREVIEW_COLS, PREVIEW_FILAS, PREVIEW_CELDA = 3, 2, 54
RADIO_SOL = 11
ANCHO_ARO = 2  # the brass rim round the piece in hand


def sol_del_preview(ms):
    """The sun of the die preview, (x, y, radius): whole inside piece 0
    (clear of its tabs and blanks by 2 pixels), as near the top left of
    the sky as it can stand, so that no outline cuts it into a ring."""
    margen = RADIO_SOL + 2
    dentro = np.asarray(ms[0].filter(ImageFilter.MinFilter(2 * margen + 1))) == 255
    ys, xs = np.nonzero(dentro)
    if len(xs) == 0:
        return None
    k = np.argmin(np.hypot(xs - PREVIEW_CELDA * 0.4, ys - PREVIEW_CELDA * 0.4))
    return float(xs[k]), float(ys[k]), float(RADIO_SOL)


def con_aro(sprite):
    """The piece in hand, ringed in bright brass: the mark of the piece the
    player holds."""
    p = ANCHO_ARO
    a = Image.new('L', (sprite.width + 2 * p, sprite.height + 2 * p), 0)
    a.paste(sprite.getchannel('A'), (p, p))
    aro = Image.new('RGBA', a.size, tema.LATON_CLARO + (0,))
    aro.putalpha(a.filter(ImageFilter.MaxFilter(2 * p + 1)))
    aro.alpha_composite(sprite, (p, p))
    return aro, p


def cuadro_preview(etiquetas):
    """One frame of the die preview: a 3 x 2 puzzle cut with the die on
    felt inside a brass frame, one piece lifted out of its place and ringed
    in brass as the piece in hand."""
    ancho, alto = MARCO_PREVIEW
    cols, filas, celda = PREVIEW_COLS, PREVIEW_FILAS, PREVIEW_CELDA
    mapa = duenos(etiquetas, cols, filas)
    ms = mascaras(mapa, cols, filas, celda)
    foto = paisaje(cols * celda, filas * celda, sol_del_preview(ms))
    lienzo = fieltro(ancho, alto).convert('RGBA')
    ox, oy = 22, 52
    # The empty place of the lifted piece: darker felt in its outline.
    hueco = ms[1].filter(ImageFilter.MaxFilter(3))
    sombra_hueco = Image.new('RGBA', hueco.size, tema.FIELTRO_OSCURO + (0,))
    sombra_hueco.putalpha(hueco.point(lambda v: v * 200 // 255))
    lienzo.alpha_composite(sombra_hueco, (ox, oy))
    for k in (0, 2, 3, 4, 5):
        sp, (x, y) = pieza_suelta(ms[k], foto)
        poner(lienzo, sp, ox + x, oy + y, alto=2 if k != 4 else 0, radio=1)
    # A second piece slightly raised, shifted off its place.
    sp, (x, y) = pieza_suelta(ms[4], foto)
    poner(lienzo, sp, ox + x + 3, oy + y + 2, alto=4, radio=2)
    sp, (x, y) = pieza_suelta(ms[1], foto)
    girada, _ = con_aro(sp.rotate(-14, resample=Image.Resampling.BICUBIC, expand=True))
    poner(lienzo, girada, ox + x + 64 - (girada.width - sp.width) // 2,
          oy + y - 42 - (girada.height - sp.height) // 2, alto=8, radio=3)
    im = lienzo.convert('RGB')
    marco_laton(im, 4)
    return im


def pieza_tipica(etiquetas):
    """The mask (200 pixels a cell) of one inner piece of the die, cropped:
    of those with a tab out, the most compact, so a small picture of it
    shows the tabs and blanks as large as possible."""
    mapa = duenos(etiquetas, 4, 4)
    mejor, lado_min = None, None
    for f in (1, 2):
        for c in (1, 2):
            m = mapa == f * 4 + c
            ys, xs = np.nonzero(m)
            alto, ancho = ys.max() - ys.min() + 1, xs.max() - xs.min() + 1
            if max(alto, ancho) > CELDA and (lado_min is None or max(alto, ancho) < lado_min):
                mejor, lado_min = m[ys.min():ys.max() + 1, xs.min():xs.max() + 1], max(alto, ancho)
    return mejor


def tira_opcion(etiquetas):
    """The CHK4 strip of a die choice: up, up + hovered, checked,
    checked + hovered, each a brass-framed paper plate with one piece."""
    ancho, alto = MARCO_OPCION
    forma = pieza_tipica(etiquetas)
    lado = 42
    esc = lado / max(forma.shape)
    tam = (max(1, round(forma.shape[1] * esc)), max(1, round(forma.shape[0] * esc)))
    mascara = Image.fromarray((forma * 255).astype(np.uint8)).resize(tam, Image.Resampling.BOX)
    tira = Image.new('RGB', (ancho, alto * 4))
    for estado in range(4):
        marcado, encima = estado >= 2, estado % 2 == 1
        fondo = _mezcla(tema.PAPEL, tema.LATON_CLARO, 0.35) if marcado else tema.PAPEL
        if encima:
            fondo = _mezcla(fondo, (255, 255, 255), 0.25)
        cuadro = Image.new('RGB', (ancho, alto), fondo)
        if marcado:  # a warm brass glow round the plate's inner edge
            a = Image.new('L', (ancho, alto), 0)
            ImageDraw.Draw(a).rectangle((3, 3, ancho - 4, alto - 4), outline=255, width=4)
            a = a.filter(ImageFilter.GaussianBlur(3)).point(lambda v: min(255, v * 2))
            cuadro.paste(Image.new('RGB', (ancho, alto), tema.LATON_CLARO if encima else tema.LATON), (0, 0), a)
        color = tema.ROJO_SELLO if marcado else tema.NOGAL_CLARO
        if encima:
            color = _mezcla(color, tema.LATON_CLARO, 0.3)
        relleno = Image.new('RGB', tam, color)
        sp, _ = pieza_suelta(mascara, relleno, relieve=0.8)
        lienzo = cuadro.convert('RGBA')
        x, y = (ancho - sp.width) // 2, (alto - sp.height) // 2
        if marcado:  # pressed: shifted down-right, lying flat
            poner(lienzo, sp, x + 1, y + 1, alto=0)
        else:
            poner(lienzo, sp, x + 1, y + 1, alto=3 if encima else 2, radio=1)
        cuadro = lienzo.convert('RGB')
        marco_laton(cuadro, 3, hundido=marcado,
                    brillo=1.6 if encima else (0.6 if marcado else 1.0))
        tira.paste(cuadro, (0, alto * estado))
    return tira


def generar(salida, carpeta_troqueles):
    troqueles = leer_troqueles(carpeta_troqueles)
    os.makedirs(salida, exist_ok=True)
    cuadros = [cuadro_preview(e) for e in troqueles]
    ancho, alto = MARCO_PREVIEW
    tira = Image.new('RGB', (ancho, alto * 6))
    for i in range(6):  # frames 3-5 are never shown: copies of 0-2
        tira.paste(cuadros[i % 3], (0, alto * i))
    bmp.guardar(tira, os.path.join(salida, '106.bmp'))
    for i, e in enumerate(troqueles):
        bmp.guardar(tira_opcion(e), os.path.join(salida, '%d.bmp' % (184 + i)))


def main(argv):
    if len(argv) != 3:
        sys.stderr.write('usage: piezas.py OUTDIR TROQUELDIR\n')
        return 2
    try:
        generar(argv[1], argv[2])
    except (OSError, ValueError) as err:
        sys.stderr.write('piezas.py: %s\n' % err)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
