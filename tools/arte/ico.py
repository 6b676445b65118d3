"""Writing icon (.ico) and cursor (.cur) files for the executable's resources.

Every image is stored as a 32-bit BGRA picture followed by its 1-bit AND
mask, so systems that ignore the alpha channel still see the same shape:
a pixel is transparent exactly where its alpha is below one half.
"""
import struct

import numpy as np


def _imagen(rgba):
    """The DIB of one RGBA picture (numpy h x w x 4): a 40-byte header whose
    height counts both halves, the bottom-up colour rows and the mask."""
    alto, ancho = rgba.shape[:2]
    opaco = rgba[:, :, 3] >= 128
    bgra = rgba[:, :, [2, 1, 0, 3]].copy()
    bgra[~opaco] = 0  # transparent pixels must not tint the screen
    colores = bgra[::-1].tobytes()
    stride = ((ancho + 31) // 32) * 4
    mascara = np.zeros((alto, stride * 8), dtype=np.uint8)
    mascara[:, :ancho] = ~opaco
    mascara = np.packbits(mascara, axis=1)[::-1].tobytes()
    cabecera = struct.pack('<IiiHHIIiiII', 40, ancho, 2 * alto, 1, 32, 0,
                           len(colores) + len(mascara), 0, 0, 0, 0)
    return cabecera + colores + mascara


def escribir(ruta, imagenes, punto=None):
    """Writes `imagenes` (PIL RGBA pictures, at most 255 px a side) into one
    file: an icon, or a cursor with hot spot `punto` (x, y) when it is given.
    The hot spot is in the coordinates of the first image and grows with
    the others (a larger image is the first one enlarged)."""
    tipo = 1 if punto is None else 2
    datos = [_imagen(np.asarray(im.convert('RGBA'), dtype=np.uint8)) for im in imagenes]
    salida = struct.pack('<HHH', 0, tipo, len(datos))
    desplazamiento = 6 + 16 * len(datos)
    for im, d in zip(imagenes, datos):
        assert 0 < im.width < 256 and 0 < im.height < 256
        if tipo == 1:
            campo1, campo2 = 1, 32  # planes, bits per pixel
        else:
            campo1, campo2 = (c * im.width // imagenes[0].width for c in punto)
            assert 0 <= campo1 < im.width and 0 <= campo2 < im.height
        salida += struct.pack('<BBBBHHII', im.width, im.height, 0, 0, campo1, campo2, len(d), desplazamiento)
        desplazamiento += len(d)
    with open(ruta, 'wb') as f:
        f.write(salida + b''.join(datos))
