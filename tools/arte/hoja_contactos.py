"""Contact sheets: every archive picture with its number, size and frame
grid, section by section as the manifest orders them, and the fifteen
pictures with their names.

    hoja_contactos.py MANIFEST ARTDIR IMAGEDIR STRINGS.rc OUTDIR
"""
import os
import re
import sys

from PIL import Image, ImageDraw, ImageFont

import tema

ANCHO_HOJA = 1600
MARGEN = 12
FONDO = (60, 60, 64)
REJILLA = (255, 0, 255)
LETRA = ImageFont.truetype(tema.LETRA_TEXTO, 13)
LETRA_TITULO = ImageFont.truetype(tema.LETRA_TITULO, 22)

# Frames across and down of each layout.
MARCOS = {'single': (1, 1), 'cmd3': (1, 3), 'chk4': (1, 4), 'anim10': (10, 1), 'rows2': (1, 2),
          'rows6': (1, 6), 'knob': (1, 2), 'scroll': (1, 3), 'die': (1, 1)}


def secciones(ruta):
    """[(title, [(number, layout), ...]), ...] in the manifest's order."""
    resultado, titulo = [], 'Pictures'
    for linea in open(ruta, encoding='utf-8'):
        if linea.startswith('## '):
            titulo = linea[3:].strip()
            continue
        campos = linea.split('#')[0].split()
        if len(campos) != 7:
            continue
        a, _, b = campos[0].partition('-')
        numeros = range(int(a), int(b or a) + 1)
        if not resultado or resultado[-1][0] != titulo:
            resultado.append((titulo, []))
        resultado[-1][1].extend((n, campos[3]) for n in numeros)
    return resultado


def ficha(imagen, numero, disposicion):
    """The picture on a dark card with its grid and caption."""
    im = imagen.convert('RGB')
    if disposicion == 'die':  # labels: spread them over visible colours
        im = imagen.point(lambda v: (v * 37) % 256).convert('RGB')
    escala = 1
    if im.width > 700:
        escala = 700 / im.width
        im = im.resize((700, max(1, round(im.height * escala))), Image.LANCZOS)
    columnas, filas = MARCOS[disposicion]
    d = ImageDraw.Draw(im)
    for i in range(1, columnas):
        x = i * im.width // columnas
        d.line([(x, 0), (x, im.height)], fill=REJILLA)
    for j in range(1, filas):
        y = j * im.height // filas
        d.line([(0, y), (im.width, y)], fill=REJILLA)
    texto = f'{numero}  {imagen.width}x{imagen.height}  {"8" if imagen.mode == "P" else "24"}-bit  {disposicion}'
    ancho = max(im.width, int(LETRA.getlength(texto))) + 8
    card = Image.new('RGB', (ancho, im.height + 24), FONDO)
    card.paste(im, (4, 20))
    ImageDraw.Draw(card).text((4, 2), texto, font=LETRA, fill=(255, 255, 255))
    return card


def componer(titulo, fichas, ruta):
    """Lays cards out in rows (shelf packing) under a title."""
    x, y, alto_fila, lugares = MARGEN, 40, 0, []
    for f in fichas:
        if x + f.width > ANCHO_HOJA - MARGEN and x > MARGEN:
            x, y, alto_fila = MARGEN, y + alto_fila + MARGEN, 0
        lugares.append((x, y))
        x += f.width + MARGEN
        alto_fila = max(alto_fila, f.height)
    hoja = Image.new('RGB', (ANCHO_HOJA, y + alto_fila + MARGEN), (40, 40, 44))
    ImageDraw.Draw(hoja).text((MARGEN, 8), titulo, font=LETRA_TITULO, fill=(255, 255, 255))
    for f, p in zip(fichas, lugares):
        hoja.paste(f, p)
    hoja.save(ruta)


def nombres(ruta_rc):
    texto = open(ruta_rc, encoding='utf-8').read()
    return {int(n): s for n, s in re.findall(r'^\s*(50\d\d)\s*,?\s*"([^"]*)"', texto, re.M)}


def main(manifiesto, arte, imagenes, textos, salida):
    os.makedirs(salida, exist_ok=True)
    for i, (titulo, numeros) in enumerate(secciones(manifiesto), 1):
        fichas = []
        for n, disposicion in numeros:
            ruta = os.path.join(arte, f'{n}.bmp')
            if os.path.exists(ruta):
                fichas.append(ficha(Image.open(ruta), n, disposicion))
        nombre = re.sub(r'[^a-z0-9]+', '-', titulo.lower()).strip('-')[:40]
        componer(titulo, fichas, os.path.join(salida, f'{i:02d}-{nombre}.png'))
    por_nombre = nombres(textos)
    fichas = []
    for k in range(1, 16):
        im = Image.open(os.path.join(imagenes, f'{k}.bmp')).convert('RGB')
        im.thumbnail((380, 300), Image.LANCZOS)
        card = Image.new('RGB', (im.width + 8, im.height + 26), FONDO)
        card.paste(im, (4, 22))
        ImageDraw.Draw(card).text((4, 3), f'{k}.bmp  {por_nombre.get(5000 + k, "?")}', font=LETRA, fill=(255, 255, 255))
        fichas.append(card)
    componer('Image\\1.bmp ... 15.bmp', fichas, os.path.join(salida, 'imagenes.png'))
    print(f'contact sheets in {salida}')


if __name__ == '__main__':
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
