"""iconos.py OUTDIR: the program's icons as .ico files.

  programa.ico     the program itself: a brass puzzle piece (16, 32, 48 px)
  escritorio.ico, mi_pc.ico, disco.ico, cd.ico, extraible.ico,
  carpeta.ico, carpeta_abierta.ico, carpeta_sugerida.ico,
  archivo_puzzle.ico, archivo_imagen.ico
                   the folder-tree nodes (16 and 32 px)

The tree icons are drawn on a 16-unit grid without smoothing, scaled by
whole numbers, with one-pixel outlines at every size. The program icon is
drawn large and reduced, so its round knobs come out smooth.
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

import ico
import tema

BORDE = tema.TINTA
PLATA = (200, 200, 196)
PLATA_CLARA = (236, 236, 232)
CIELO = (150, 190, 214)
LUZ = (90, 220, 90)


class Lienzo:
    """A square RGBA picture of `lado` pixels addressed in 16 units;
    a box (x0, y0, x1, y1) includes both corners."""

    def __init__(self, lado):
        self.k = lado // 16
        self.imagen = Image.new('RGBA', (lado, lado), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.imagen)

    def _caja(self, x0, y0, x1, y1):
        k = self.k
        return (x0 * k, y0 * k, (x1 + 1) * k - 1, (y1 + 1) * k - 1)

    def rect(self, x0, y0, x1, y1, relleno, borde=BORDE):
        self.d.rectangle(self._caja(x0, y0, x1, y1), fill=relleno, outline=borde)

    def ovalo(self, x0, y0, x1, y1, relleno, borde=BORDE):
        self.d.ellipse(self._caja(x0, y0, x1, y1), fill=relleno, outline=borde)

    def poligono(self, puntos, relleno, borde=BORDE):
        # Vertices at pixel centres, so edges land on whole units at any scale.
        k = self.k
        self.d.polygon([(x * k + (k - 1) / 2, y * k + (k - 1) / 2) for x, y in puntos], fill=relleno, outline=borde)

    def linea(self, x0, y0, x1, y1, color):
        k = self.k
        for i in range(k):
            self.d.line((x0 * k + i, y0 * k + i, x1 * k + i, y1 * k + i), fill=color)


def pantalla(c, x0, y0, x1, y1):
    """A walnut-framed screen showing the felt table with a paper sheet."""
    c.rect(x0, y0, x1, y1, tema.NOGAL)
    c.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, tema.FIELTRO, tema.NOGAL_OSCURO)
    c.rect(x0 + 2, y0 + 2, x0 + 5, y0 + 4, tema.PAPEL, None)


def escritorio(c):
    pantalla(c, 1, 1, 14, 11)
    c.rect(6, 12, 9, 12, tema.LATON_OSCURO, None)
    c.rect(3, 13, 12, 14, tema.LATON)


def mi_pc(c):
    pantalla(c, 0, 1, 10, 9)
    c.rect(4, 10, 6, 10, tema.LATON_OSCURO, None)
    c.rect(11, 2, 15, 14, tema.NOGAL)
    c.rect(12, 4, 14, 4, tema.LATON, None)
    c.rect(12, 6, 14, 6, tema.LATON, None)
    c.rect(13, 12, 13, 12, LUZ, None)
    c.rect(0, 12, 9, 14, tema.PAPEL)
    c.linea(1, 13, 8, 13, tema.PAPEL_SOMBRA)


def disco(c):
    c.rect(1, 5, 14, 11, tema.LATON)
    c.rect(2, 6, 13, 7, tema.LATON_CLARO, None)
    c.rect(2, 9, 13, 10, tema.LATON_OSCURO, None)
    c.rect(11, 9, 12, 9, LUZ, None)


def cd(c):
    c.rect(1, 11, 14, 14, tema.NOGAL)
    c.rect(3, 12, 10, 12, tema.NOGAL_OSCURO, None)
    c.rect(12, 12, 12, 12, LUZ, None)
    c.ovalo(2, 0, 13, 11, PLATA)
    c.ovalo(4, 2, 9, 7, PLATA_CLARA, None)
    c.ovalo(6, 4, 9, 7, CIELO, None)
    c.ovalo(7, 5, 8, 6, (0, 0, 0, 0))


def extraible(c):
    c.rect(2, 1, 13, 14, tema.NOGAL_OSCURO)
    c.rect(5, 1, 10, 5, tema.LATON)
    c.rect(8, 2, 9, 4, tema.NOGAL_OSCURO, None)
    c.rect(4, 8, 11, 14, tema.PAPEL)
    c.linea(5, 10, 10, 10, tema.PAPEL_SOMBRA)
    c.linea(5, 12, 10, 12, tema.PAPEL_SOMBRA)


def carpeta(c):
    c.rect(1, 2, 6, 4, tema.LATON_OSCURO)
    c.rect(1, 4, 14, 13, tema.LATON)
    c.rect(2, 5, 13, 5, tema.LATON_CLARO, None)


def carpeta_abierta(c):
    c.rect(1, 2, 6, 4, tema.LATON_OSCURO)
    c.rect(1, 4, 13, 13, tema.LATON_OSCURO)
    c.rect(3, 5, 11, 8, tema.PAPEL, tema.PAPEL_SOMBRA)
    c.poligono([(4, 7), (15, 7), (13, 13), (1, 13)], tema.LATON)
    c.linea(5, 8, 13, 8, tema.LATON_CLARO)


def carpeta_sugerida(c):
    carpeta(c)
    c.ovalo(8, 7, 14, 13, tema.ROJO_SELLO)
    c.poligono([(11, 8), (12, 10), (11, 12), (10, 10)], tema.LATON_CLARO, None)


def hoja(c):
    """A sheet of paper with a folded corner."""
    c.poligono([(2, 0), (10, 0), (13, 3), (13, 15), (2, 15)], tema.PAPEL)
    c.poligono([(10, 0), (10, 3), (13, 3)], tema.PAPEL_SOMBRA)


def archivo_puzzle(c):
    hoja(c)
    # Knobs first; the body covers their lower halves, then the seams go.
    c.ovalo(4, 4, 7, 7, tema.LATON)
    c.ovalo(8, 8, 11, 11, tema.LATON)
    c.rect(3, 6, 8, 12, tema.LATON)
    c.rect(5, 6, 6, 6, tema.LATON, None)
    c.rect(8, 9, 8, 10, tema.LATON, None)


def archivo_imagen(c):
    hoja(c)
    c.rect(4, 5, 11, 12, CIELO)
    c.ovalo(8, 6, 10, 8, tema.LATON_CLARO, None)
    c.poligono([(5, 12), (7, 9), (9, 11), (10, 10), (10, 12)], tema.FIELTRO, None)


# The tree's icons, in resource order from 211.
NODOS = (
    ('escritorio.ico', escritorio),
    ('mi_pc.ico', mi_pc),
    ('disco.ico', disco),
    ('cd.ico', cd),
    ('extraible.ico', extraible),
    ('carpeta.ico', carpeta),
    ('carpeta_abierta.ico', carpeta_abierta),
    ('carpeta_sugerida.ico', carpeta_sugerida),
    ('archivo_puzzle.ico', archivo_puzzle),
    ('archivo_imagen.ico', archivo_imagen),
)


def nodo(dibujar, lado):
    c = Lienzo(lado)
    dibujar(c)
    return c.imagen


def pieza(lado):
    """The program icon: a brass puzzle piece with a walnut rim, two knobs
    out (top, right) and one socket (bottom), drawn 8 times larger and
    reduced."""
    g = lado * 8
    u = g / 48.0
    forma = Image.new('L', (g, g), 0)
    d = ImageDraw.Draw(forma)
    d.rectangle((8 * u, 13 * u, 35 * u, 40 * u), fill=255)
    d.ellipse((15.5 * u, 3 * u, 27.5 * u, 15 * u), fill=255)   # knob, top
    d.ellipse((33 * u, 20.5 * u, 45 * u, 32.5 * u), fill=255)  # knob, right
    d.ellipse((16.5 * u, 31 * u, 26.5 * u, 41 * u), fill=0)    # socket, bottom
    borde = max(3, round(2.2 * u))
    interior = forma.filter(ImageFilter.MinFilter(2 * (borde // 2) + 1))
    # Brass lit from the top left.
    luz = Image.linear_gradient('L').resize((g, g)).rotate(45, resample=Image.BILINEAR, fillcolor=128)
    laton = Image.composite(Image.new('RGB', (g, g), tema.LATON_OSCURO), Image.new('RGB', (g, g), tema.LATON_CLARO), luz)
    imagen = Image.new('RGBA', (g, g), tema.NOGAL_OSCURO + (0,))
    imagen.paste(Image.new('RGBA', (g, g), tema.NOGAL_OSCURO + (255,)), (0, 0), forma)
    imagen.paste(laton.convert('RGBA'), (0, 0), interior)
    return imagen.resize((lado, lado), Image.BOX)


def main(salida):
    os.makedirs(salida, exist_ok=True)
    ico.escribir(os.path.join(salida, 'programa.ico'), [pieza(48), pieza(32), pieza(16)])
    for nombre, dibujar in NODOS:
        ico.escribir(os.path.join(salida, nombre), [nodo(dibujar, 32), nodo(dibujar, 16)])


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit('usage: iconos.py OUTDIR')
    main(sys.argv[1])
