#!/usr/bin/env python3
"""Makes the 12-megapixel photos the benchmarks read, at run time: a scene
of soft gradients, blurred shapes, sharp edges and sensor-like grain, so
that the JPEG decoder has a real photo's work (a flat picture decodes far
faster).

  fotos_bench.py CARPETA        five 4000 x 3000 photos, foto1.jpg (EXIF
                                orientation 6, as a phone held upright
                                writes it) to foto5.jpg
  fotos_bench.py RUTA W H SEED  one photo of that size, no orientation
"""
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter


def escena(ancho, alto, semilla):
    r = random.Random(semilla)
    # Sky and ground: two vertical gradients of colours of their own.
    def degradado(arriba, abajo, alto_parte):
        g = Image.linear_gradient('L').resize((ancho, alto_parte))
        return Image.composite(Image.new('RGB', (ancho, alto_parte), abajo),
                               Image.new('RGB', (ancho, alto_parte), arriba), g)
    horizonte = int(alto * r.uniform(0.35, 0.6))
    cielo = tuple(r.randrange(90, 230) for _ in range(3))
    im = Image.new('RGB', (ancho, alto))
    im.paste(degradado(cielo, tuple(min(255, c + 40) for c in cielo), horizonte), (0, 0))
    suelo = tuple(r.randrange(30, 160) for _ in range(3))
    im.paste(degradado(suelo, tuple(c // 3 for c in suelo), alto - horizonte), (0, horizonte))
    # Things at every scale, then softened as a lens would.
    d = ImageDraw.Draw(im)
    tonos = [tuple(r.randrange(40, 220) for _ in range(3)) for _ in range(6)]

    def tono():
        return tuple(max(0, min(255, c + r.randrange(-30, 30))) for c in r.choice(tonos))
    for _ in range(300):
        x, y = r.randrange(ancho), r.randrange(alto)
        rx, ry = r.randrange(10, ancho // 8), r.randrange(10, alto // 8)
        d.ellipse((x - rx, y - ry, x + rx, y + ry), fill=tono())
    im = im.filter(ImageFilter.GaussianBlur(12))
    # Sharper things in front: buildings, poles, branches.
    d = ImageDraw.Draw(im)
    for _ in range(40):
        x, y = r.randrange(ancho), r.randrange(alto)
        w, h = r.randrange(60, 500), r.randrange(100, 900)
        d.rectangle((x, y, x + w, y + h), fill=tono())
        for v in range(y + 20, y + h - 20, 60):
            for u in range(x + 15, x + w - 30, 50):
                d.rectangle((u, v, u + 25, v + 30), fill=tono())
    for _ in range(200):
        x, y = r.randrange(ancho), r.randrange(alto)
        d.line((x, y, x + r.randrange(-300, 300), y + r.randrange(-300, 300)), fill=tono(), width=r.randrange(1, 5))
    im = im.filter(ImageFilter.GaussianBlur(1.2))
    # Grain, different in each channel.
    ruido = [Image.effect_noise((ancho, alto), 8) for _ in range(3)]
    gris = Image.new('L', (ancho, alto), 128)
    canales = [ImageChops.add(c, ImageChops.subtract(n, gris, offset=0), 1, 0)
               for c, n in zip(im.split(), ruido)]
    # subtract clips below 0: add back the half that was lost, symmetric grain.
    canales = [ImageChops.subtract(c, ImageChops.subtract(gris, n), 1, 0) for c, n in zip(canales, ruido)]
    return Image.merge('RGB', canales)


def guardar(im, ruta, orientacion=None):
    opciones = {'quality': 92}
    if orientacion:
        exif = Image.Exif()
        exif[274] = orientacion
        opciones['exif'] = exif.tobytes()
    im.save(ruta, **opciones)


def main(args):
    if len(args) == 1:
        for k in range(1, 6):
            guardar(escena(4000, 3000, k), f'{args[0]}/foto{k}.jpg', 6 if k == 1 else None)
    elif len(args) == 4:
        guardar(escena(int(args[1]), int(args[2]), int(args[3])), args[0])
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main(sys.argv[1:])
