"""The edges of a pile of pieces of a one-colour picture, in a screenshot.

    pila.py make FILE            writes the picture (a 24-bit BMP)
    pila.py check SHOT CW CH MX MY X,Y...
        each X,Y is the screen point of a piece's cell corner, from the bottom
        of the pile to its top; CW CH the cell's size, MX MY the margins of
        its box. Every piece must show its cut: scanning up or left from
        inside its cell, where no piece above it lies, the first pixels off
        the picture's colour are lighter (the lit bevel). The top piece must
        show its shaded bevel below.
"""
import sys

import numpy as np
from PIL import Image

COLOR = (150, 120, 90)  # red, green, blue, as written; the screen's may differ a little


def hacer(ruta, ancho=600, alto=400):
    Image.new("RGB", (ancho, alto), COLOR).save(ruta, format="BMP")


def es_color(p):
    return all(abs(int(a) - b) <= 2 for a, b in zip(p, COLOR))


def claro(p):
    return all(int(a) >= b + 4 for a, b in zip(p, COLOR))


def oscuro(p):
    return all(int(a) <= b - 4 for a, b in zip(p, COLOR))


def libre(x0, y0, x1, y1, cajas):
    """Whether the segment's bounding box misses every box."""
    return all(x1 < bx0 or x0 > bx1 or y1 < by0 or y0 > by1 for bx0, by0, bx1, by1 in cajas)


def primer_cambio(img, x, y, dx, dy, pasos):
    """The first pixel off the picture's colour from (x, y) along (dx, dy)."""
    for _ in range(pasos):
        x, y = x + dx, y + dy
        if not (0 <= x < img.shape[1] and 0 <= y < img.shape[0]):
            return None, None
        if not es_color(img[y, x]):
            return (x, y), img[y, x]
    return None, None


def comprobar(img, cw, ch, mx, my, esquinas):
    errores = []
    cajas = [(cx - mx, cy - my, cx + cw + mx, cy + ch + my) for cx, cy in esquinas]
    for k, (cx, cy) in enumerate(esquinas):
        encima = cajas[k + 1:]
        hallado = []
        for f in (4, 3, 5, 6, 8):
            x0, y0 = cx + cw // f, cy + ch // f
            if not es_color(img[y0, x0]):
                continue
            for nombre, dx, dy in (("top", 0, -1), ("left", -1, 0)):
                x1, y1 = (x0, cy - 2) if dy else (cx - 2, y0)
                if not libre(min(x0, x1), min(y0, y1), x0, y0, encima):
                    continue
                donde, p = primer_cambio(img, x0, y0, dx, dy, max(cw, ch))
                if donde is None or not claro(p):
                    errores.append(f"piece {k}: no lit {nombre} edge from {x0},{y0} (found {donde} {p})")
                else:
                    hallado.append(nombre)
            if hallado:
                break
        if not hallado:
            errores.append(f"piece {k}: no edge found")
    # The top piece: its shaded bottom edge.
    cx, cy = esquinas[-1]
    x0, y0 = cx + cw // 4, cy + ch // 2
    donde, p = primer_cambio(img, x0, y0, 0, 1, ch)
    if donde is None or not oscuro(p):
        errores.append(f"top piece: no shaded bottom edge below {x0},{y0} (found {donde} {p})")
    return errores


def main():
    if sys.argv[1] == "make":
        hacer(sys.argv[2])
        return 0
    global COLOR
    img = np.asarray(Image.open(sys.argv[2]).convert("RGB"))
    cw, ch, mx, my = (int(v) for v in sys.argv[3:7])
    esquinas = [tuple(int(v) for v in a.split(",")) for a in sys.argv[7:]]
    # The picture's colour as the screen shows it: the middle of the top piece.
    cx, cy = esquinas[-1]
    COLOR = tuple(int(v) for v in img[cy + ch // 2, cx + cw // 2])
    errores = comprobar(img, cw, ch, mx, my, esquinas)
    for e in errores:
        print(e)
    return 1 if errores else 0


if __name__ == "__main__":
    sys.exit(main())
