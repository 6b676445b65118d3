"""escala.py: whether a screenshot's region at factor 2 is the same region
at factor 1 with each pixel a 2 x 2 block of its colour.

    escala.py GRANDE.png X Y CHICA.png x y ANCHO ALTO [MASK...]

(X, Y) in GRANDE and (x, y) in CHICA are the region's corners, ANCHO x ALTO
its size at factor 1; each MASK "x,y,w,h" (factor-1 pixels, from the
region's corner) is left out: letters are drawn at the screen's own size.
Prints the blocks compared and those that differ; exits 1 when any does.
"""
import sys

import numpy as np
from PIL import Image


def bloques_distintos(grande, chica, mascaras=()):
    """Counts of the factor-1 pixels compared and of those whose 2 x 2
    block in `grande` (an array twice as high and wide) is not all their
    colour, leaving out the masked rectangles (x, y, w, h); and the first
    few of those, as (x, y)."""
    alto, ancho = chica.shape[:2]
    fuera = np.ones((alto, ancho), dtype=bool)
    for x, y, w, h in mascaras:
        fuera[max(y, 0):max(y + h, 0), max(x, 0):max(x + w, 0)] = False
    iguales = np.ones((alto, ancho), dtype=bool)
    for dy in (0, 1):
        for dx in (0, 1):
            iguales &= np.all(grande[dy::2, dx::2][:alto, :ancho] == chica, axis=2)
    distintos = ~iguales & fuera
    ys, xs = np.nonzero(distintos)
    return int(fuera.sum()), int(distintos.sum()), list(zip(xs[:5].tolist(), ys[:5].tolist()))


def main(argv):
    grande = np.asarray(Image.open(argv[1]).convert('RGB'))
    X, Y = int(argv[2]), int(argv[3])
    chica = np.asarray(Image.open(argv[4]).convert('RGB'))
    x, y, ancho, alto = (int(v) for v in argv[5:9])
    mascaras = [tuple(int(v) for v in m.split(',')) for m in argv[9:]]
    region = chica[y:y + alto, x:x + ancho]
    doble = grande[Y:Y + 2 * alto, X:X + 2 * ancho]
    if region.shape[:2] != (alto, ancho) or doble.shape[:2] != (2 * alto, 2 * ancho):
        print('the region lies off a screenshot')
        return 1
    comparados, distintos, primeros = bloques_distintos(doble, region, mascaras)
    print(f'{comparados} blocks compared, {distintos} differ' + (f', first at {primeros}' if distintos else ''))
    return 1 if distintos else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
