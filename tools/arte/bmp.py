"""Writing the game's pictures: BMP blocks with explicit headers.

Every picture is written with a 40-byte info header, an explicit colour
count (256 for 8-bit), an exact image size and bottom-up rows, so the
archive builder and the program's readers see the same bytes every run.
"""
import struct

import numpy as np
from PIL import Image


def _cabecera(ancho, alto, bits, colores, tam):
    return struct.pack('<IiiHHIIiiII', 40, ancho, alto, 1, bits, 0, tam, 2835, 2835, colores, colores)


def _filas(pixeles, bytes_fila):
    alto = pixeles.shape[0]
    stride = (bytes_fila + 3) & ~3
    datos = np.zeros((alto, stride), dtype=np.uint8)
    datos[:, :bytes_fila] = pixeles.reshape(alto, bytes_fila)
    return datos[::-1].tobytes(), stride


def bloque(imagen):
    """The archive block (info header, colour table, rows) of a PIL picture:
    mode 'P' gives 8 bits with a 256-entry table, 'RGB' gives 24 bits."""
    if imagen.mode == 'P':
        ind = np.asarray(imagen, dtype=np.uint8)
        pal = (imagen.getpalette() or [])[:768]
        pal += [0] * (768 - len(pal))
        tabla = b''.join(struct.pack('<BBBB', pal[3 * i + 2], pal[3 * i + 1], pal[3 * i], 0) for i in range(256))
        filas, stride = _filas(ind, imagen.width)
        return _cabecera(imagen.width, imagen.height, 8, 256, len(filas)) + tabla + filas
    if imagen.mode != 'RGB':
        imagen = imagen.convert('RGB')
    rgb = np.asarray(imagen, dtype=np.uint8)[:, :, ::-1]  # BGR
    filas, stride = _filas(np.ascontiguousarray(rgb), imagen.width * 3)
    return _cabecera(imagen.width, imagen.height, 24, 0, len(filas)) + filas


def guardar(imagen, ruta):
    """A whole BMP file (14-byte file header + block) at `ruta`."""
    b = bloque(imagen)
    colores = struct.unpack_from('<I', b, 32)[0]
    cab = struct.pack('<2sIHHI', b'BM', 14 + len(b), 0, 0, 14 + 40 + 4 * colores)
    with open(ruta, 'wb') as f:
        f.write(cab + b)


def paleta_de(imagenes, colores=256):
    """One 256-entry palette for a group of RGB pictures that will be
    copied into each other (median cut over all of them, deterministic)."""
    ancho = max(i.width for i in imagenes)
    alto = sum(i.height for i in imagenes)
    lienzo = Image.new('RGB', (ancho, alto))
    y = 0
    for i in imagenes:
        lienzo.paste(i.convert('RGB'), (0, y))
        y += i.height
    p = lienzo.quantize(colors=colores, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = p.getpalette()[:3 * colores]
    pal += [0] * (768 - len(pal))
    ref = Image.new('P', (1, 1))
    ref.putpalette(pal)
    return ref


def a_paleta(imagen, ref, tramado=True):
    """`imagen` mapped onto the palette of `ref` (a 'P' picture), with
    Floyd-Steinberg dithering unless `tramado` is False."""
    d = Image.Dither.FLOYDSTEINBERG if tramado else Image.Dither.NONE
    return imagen.convert('RGB').quantize(palette=ref, dither=d)


def a_8bits(imagen, colores=256, tramado=True):
    """`imagen` reduced to its own palette of at most 256 colours."""
    ref = paleta_de([imagen], colores)
    return a_paleta(imagen, ref, tramado)
