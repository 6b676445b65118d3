"""A photo of 3 x 3 coloured blocks, and whether a screenshot shows it.

    bloques.py foto FILE SIDE
        writes a JPEG of SIDE x SIDE pixels: the nine colours below, in
        blocks of SIDE / 3, row by row from the upper left
    bloques.py mira SHOT WxH+X+Y
        whether that rectangle of the screenshot shows the photo scaled to
        it: the middle of each block must be its colour (each channel of
        its mean within TOLERANCIA); one line each, and exit code 1 if not
    bloques.py busca SHOT
        where the screenshot shows the photo, as "WxH+X+Y": from the upper
        left of its first block's colour to the lower right of its last
        one's; exit code 1 (and the blocks on stderr) when it is not there
        or its blocks are not all right
    bloques.py claros SHOT WxH+X+Y
        how many pixels of that rectangle are near white (text, here)
    bloques.py bmp FILE
        the same of a 24-bit BMP file, over the whole picture
    bloques.py piezas SHOT < CELLS
        whether the nine pieces of a 3 x 3 puzzle of the photo show their
        blocks: CELLS has a line "x y w h" for each piece, in order, its
        cell on the screen; the middle of each must show its block's colour,
        or that of a piece whose cell (with room for its tabs) lies there
        too, as it may lie on top, or of a block beside that piece's, which
        its tabs show
"""
import struct
import sys

import numpy as np
from PIL import Image

# Far from each other, from the table's felt and from the paper of the
# windows, so that a block in the wrong place or a missing one shows.
COLORES = [
    (230, 30, 30), (30, 30, 230), (240, 220, 30),
    (240, 140, 20), (160, 40, 200), (30, 200, 220),
    (250, 250, 250), (20, 20, 20), (240, 120, 200),
]
# The JPEG's rounding and the scaling's blending at the edges stay well
# inside this; the nearest other colour is more than 60 away.
TOLERANCIA = 40


def hacer_foto(ruta, lado):
    imagen = Image.new("RGB", (lado, lado))
    paso = lado / 3
    for i, color in enumerate(COLORES):
        x, y = i % 3, i // 3
        imagen.paste(color, (round(x * paso), round(y * paso), round((x + 1) * paso), round((y + 1) * paso)))
    imagen.save(ruta, quality=95)


def medias(pixeles):
    """The mean colour of the middle half of each block of an RGB array
    that shows the photo, row by row."""
    alto, ancho = pixeles.shape[:2]
    resultado = []
    for i in range(9):
        x0, x1 = ancho * (4 * (i % 3) + 1) // 12, ancho * (4 * (i % 3) + 3) // 12
        y0, y1 = alto * (4 * (i // 3) + 1) // 12, alto * (4 * (i // 3) + 3) // 12
        bloque = pixeles[y0:max(y1, y0 + 1), x0:max(x1, x0 + 1), :3].reshape(-1, 3)
        resultado.append(tuple(int(round(v)) for v in bloque.mean(axis=0)))
    return resultado


def comparar(pixeles):
    """Lines saying each block's colour and its verdict; True when all match."""
    bien = True
    lineas = []
    for i, (visto, esperado) in enumerate(zip(medias(pixeles), COLORES)):
        ok = cerca(visto, esperado)
        bien = bien and ok
        lineas.append(f"block {i}: {visto} expected {esperado} {'ok' if ok else 'WRONG'}")
    return bien, lineas


def cerca(visto, esperado):
    return max(abs(a - b) for a, b in zip(visto, esperado)) <= TOLERANCIA


def vecinas(k):
    """The blocks beside block k in the 3 x 3 photo."""
    x, y = k % 3, k // 3
    return [3 * b + a for a, b in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)) if 0 <= a < 3 and 0 <= b < 3]


def comparar_piezas(pixeles, celdas):
    """Lines saying what the middle of each piece's cell shows; True when
    each shows its own block, or its own and those of pieces that may lie
    over it there and of the blocks their tabs show (an edge may cross
    the sample)."""
    bien = True
    lineas = []
    for i, (x, y, w, h) in enumerate(celdas):
        cx, cy = x + w // 2, y + h // 2
        muestra = pixeles[cy - 4:cy + 5, cx - 4:cx + 5, :3].reshape(-1, 3).astype(np.int32)
        encima = [j for j, (x2, y2, w2, h2) in enumerate(celdas)
                  if j != i and x2 - w2 // 3 <= cx + 4 and cx - 4 < x2 + w2 + w2 // 3
                  and y2 - h2 // 3 <= cy + 4 and cy - 4 < y2 + h2 + h2 // 3]
        # A piece's tabs show the blocks of its neighbours in the photo.
        vistos = {i} | {k for j in encima for k in (j, *vecinas(j))}
        def parte(k):
            return (np.abs(muestra - np.array(COLORES[k])).max(axis=1) <= TOLERANCIA)
        propia = float(parte(i).mean())
        if propia >= 0.5:
            veredicto = "ok"
        elif float(np.logical_or.reduce([parte(k) for k in vistos]).mean()) >= 0.75:
            veredicto = "covered"
        else:
            veredicto = "WRONG"
            bien = False
        visto = tuple(int(round(v)) for v in muestra.mean(axis=0))
        lineas.append(f"piece {i}: {visto} expected {COLORES[i]} {veredicto}")
    return bien, lineas


def buscar(pixeles):
    """(x, y, w, h) of the photo in an RGB array, or None."""
    p = pixeles[:, :, :3].astype(np.int32)
    def donde(color):
        ys, xs = np.nonzero(np.abs(p - np.array(color)).max(axis=2) <= TOLERANCIA)
        return (xs, ys) if len(xs) else None
    primero, ultimo = donde(COLORES[0]), donde(COLORES[8])
    if primero is None or ultimo is None:
        return None
    x0, y0 = int(primero[0].min()), int(primero[1].min())
    x1, y1 = int(ultimo[0].max()) + 1, int(ultimo[1].max()) + 1
    return (x0, y0, x1 - x0, y1 - y0) if x1 > x0 and y1 > y0 else None


def leer_bmp(ruta):
    """RGB rows, top first, of an uncompressed 24-bit BMP file."""
    with open(ruta, "rb") as f:
        datos = f.read()
    if datos[:2] != b"BM":
        raise ValueError(f"{ruta}: not a BMP file")
    inicio = struct.unpack("<I", datos[10:14])[0]
    ancho, alto = struct.unpack("<ii", datos[18:26])
    bits = struct.unpack("<H", datos[28:30])[0]
    if bits != 24:
        raise ValueError(f"{ruta}: {bits} bits a pixel")
    fila = (ancho * 3 + 3) // 4 * 4
    filas = np.frombuffer(datos, np.uint8, fila * abs(alto), inicio).reshape(abs(alto), fila)
    pixeles = filas[:, :ancho * 3].reshape(abs(alto), ancho, 3)[:, :, ::-1]
    return pixeles[::-1] if alto > 0 else pixeles


def main(argv):
    if len(argv) == 3 and argv[0] == "foto":
        hacer_foto(argv[1], int(argv[2]))
        return 0
    if len(argv) == 3 and argv[0] == "mira":
        tam, x, y = argv[2].split("+")
        w, h = (int(v) for v in tam.split("x"))
        captura = Image.open(argv[1]).convert("RGB")
        bien, lineas = comparar(np.asarray(captura.crop((int(x), int(y), int(x) + w, int(y) + h))))
    elif len(argv) == 2 and argv[0] == "busca":
        captura = np.asarray(Image.open(argv[1]).convert("RGB"))
        sitio = buscar(captura)
        if sitio is None:
            print("the photo's first and last blocks are not there", file=sys.stderr)
            return 1
        x, y, w, h = sitio
        bien, lineas = comparar(captura[y:y + h, x:x + w])
        if not bien:
            print("\n".join(lineas), file=sys.stderr)
        print(f"{w}x{h}+{x}+{y}")
        return 0 if bien else 1
    elif len(argv) == 3 and argv[0] == "claros":
        tam, x, y = argv[2].split("+")
        w, h = (int(v) for v in tam.split("x"))
        region = np.asarray(Image.open(argv[1]).convert("RGB"))[int(y):int(y) + h, int(x):int(x) + w]
        print(int((region.min(axis=2) > 230).sum()))
        return 0
    elif len(argv) == 2 and argv[0] == "piezas":
        celdas = [tuple(int(v) for v in linea.split()) for linea in sys.stdin if linea.strip()]
        captura = np.asarray(Image.open(argv[1]).convert("RGB"))
        bien, lineas = comparar_piezas(captura, celdas) if len(celdas) == 9 else (False, [f"{len(celdas)} cells"])
    elif len(argv) == 2 and argv[0] == "bmp":
        bien, lineas = comparar(leer_bmp(argv[1]))
    else:
        print(__doc__, file=sys.stderr)
        return 2
    print("\n".join(lineas))
    return 0 if bien else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
