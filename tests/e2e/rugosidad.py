"""Roughness of what a screenshot shows: the mean absolute difference
between horizontally adjacent grey pixels. A picture scaled down well
measures about 8-14; the same picture drawn as noise measures 30-48.

    rugosidad.py region SHOT WxH+X+Y
        the roughness of that region of the screenshot
    rugosidad.py miniaturas SHOT X Y [escala=K] BMP...
        the roughness of each thumbnail of the new-puzzle window's picture
        page, whose client corner lies at X, Y on the screen, drawn at the
        interface's factor K (1 unless given); BMP are the files the five
        thumbnails show, in order (fewer leave the rest out). One line
        each: the file's name and its roughness.
"""
import struct
import sys

import numpy as np
from PIL import Image

# The picture page: thumbnail windows of 86 x 127, 89 apart, from (106, 88)
# of the client; the picture fitted into 82 x 123 and centred in its window.
X_MINIATURA, Y_MINIATURA, PASO_MINIATURA = 106, 88, 89
ANCHO_VENTANA, ALTO_VENTANA = 86, 127
ANCHO_CAJA, ALTO_CAJA = 82, 123
# The chosen thumbnail's frame may reach a pixel into the picture.
RECORTE = 2


def rugosidad(gris):
    """Mean |p(x+1, y) - p(x, y)| of a 2-D grey array; 0 when narrower
    than 2 pixels."""
    g = np.asarray(gris, dtype=np.int32)
    if g.ndim != 2 or g.shape[1] < 2 or g.shape[0] < 1:
        return 0.0
    return float(np.abs(np.diff(g, axis=1)).mean())


def rugosidad_region(imagen, x, y, ancho, alto):
    """Roughness of a region of a PIL image, in grey."""
    return rugosidad(imagen.convert("L").crop((x, y, x + ancho, y + alto)))


def tamano_bmp(ruta):
    """Width and height of a BMP file, from its header."""
    with open(ruta, "rb") as f:
        cabecera = f.read(26)
    if len(cabecera) < 26 or cabecera[:2] != b"BM":
        raise ValueError(f"{ruta}: not a BMP file")
    ancho, alto = struct.unpack("<ii", cabecera[18:26])
    return ancho, abs(alto)


def tamano_miniatura(ancho, alto):
    """The picture's size fitted into the 82 x 123 box, at least 1 x 1."""
    if ancho < 1 or alto < 1:
        return 1, 1
    escala = ALTO_CAJA / alto if alto * ANCHO_CAJA / ancho > ALTO_CAJA else ANCHO_CAJA / ancho
    return max(int(ancho * escala), 1), max(int(alto * escala), 1)


def rectangulo_miniatura(indice, x0, y0, ancho, alto, escala=1):
    """Screen rectangle (x, y, w, h) of the picture thumbnail `indice`
    shows, for a picture of ancho x alto, less the frame's reach; the
    window's places and the picture's size `escala` times the designed."""
    w, h = (v * escala for v in tamano_miniatura(ancho, alto))
    x = x0 + escala * (X_MINIATURA + PASO_MINIATURA * indice) + (escala * ANCHO_VENTANA - w) // 2
    y = y0 + escala * Y_MINIATURA + (escala * ALTO_VENTANA - h) // 2
    r = RECORTE * escala
    return x + r, y + r, max(w - 2 * r, 0), max(h - 2 * r, 0)


def medir_miniaturas(imagen, x0, y0, rutas, escala=1):
    """[(file, roughness)] of the thumbnails showing those files."""
    medidas = []
    for i, ruta in enumerate(rutas):
        x, y, w, h = rectangulo_miniatura(i, x0, y0, *tamano_bmp(ruta), escala)
        medidas.append((ruta, rugosidad_region(imagen, x, y, w, h)))
    return medidas


def leer_geometria(texto):
    """'WxH+X+Y' as (x, y, w, h)."""
    tam, x, y = texto.split("+")
    w, h = tam.split("x")
    return int(x), int(y), int(w), int(h)


def main(argv):
    if len(argv) == 3 and argv[0] == "region":
        x, y, w, h = leer_geometria(argv[2])
        print(f"{rugosidad_region(Image.open(argv[1]), x, y, w, h):.2f}")
        return 0
    if len(argv) >= 4 and argv[0] == "miniaturas":
        imagen = Image.open(argv[1])
        rutas, escala = argv[4:], 1
        if rutas and rutas[0].startswith("escala="):
            escala, rutas = int(rutas[0].split("=", 1)[1]), rutas[1:]
        for ruta, valor in medir_miniaturas(imagen, int(argv[2]), int(argv[3]), rutas, escala):
            print(f"{ruta.rsplit('/', 1)[-1]} {valor:.2f}")
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
