#!/usr/bin/env python3
"""Makes the pictures the photo reader is tested on, in the folder given:
every kind a player may add, each EXIF orientation, and bad files. Each
good picture is plain colour blocks, so that a lossy file still reads
near its colours."""
import os
import struct
import sys
import zlib

from PIL import Image, ImageDraw

ROJO, AZUL, VERDE = (220, 20, 20), (20, 20, 220), (20, 200, 20)


def bloques(tamaño=(60, 40)):
    """Red top-left quarter, blue elsewhere."""
    im = Image.new('RGB', tamaño, AZUL)
    ImageDraw.Draw(im).rectangle((0, 0, tamaño[0] // 2 - 1, tamaño[1] // 2 - 1), fill=ROJO)
    return im


def png_enorme(ruta):
    def trozo(tipo, datos):
        return struct.pack('>I', len(datos)) + tipo + datos + struct.pack('>I', zlib.crc32(tipo + datos))
    cabecera = struct.pack('>IIBBBBB', 30000, 30000, 8, 2, 0, 0, 0)
    with open(ruta, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + trozo(b'IHDR', cabecera) + trozo(b'IDAT', zlib.compress(b'\0' * 64)) +
                trozo(b'IEND', b''))


def main(carpeta):
    os.makedirs(carpeta, exist_ok=True)
    en = lambda nombre: os.path.join(carpeta, nombre)
    b = bloques()
    b.save(en('rgb.jpg'), quality=95)
    b.save(en('progresivo.jpg'), quality=95, progressive=True)
    b.convert('CMYK').save(en('cmyk.jpg'), quality=95)
    b.convert('L').save(en('gris.jpg'), quality=95)
    b.save(en('rgb.png'))
    b.convert('L').save(en('gris.png'))
    gris16 = b.convert('L').convert('I').point(lambda v: v * 257)
    gris16.save(en('gris16.png'))
    b.convert('P', palette=Image.ADAPTIVE, colors=4).save(en('paleta.png'))
    b.save(en('rgb.bmp'))
    b.convert('RGBA').save(en('rgba32.bmp'))
    b.save(en('rgb.tif'))
    gris16.convert('I;16').save(en('gris16.tif'))
    # Several frames: the first is the picture.
    b.save(en('varios.gif'), save_all=True, append_images=[Image.new('RGB', (60, 40), VERDE)])
    b.save(en('varios.tif'), save_all=True, append_images=[Image.new('RGB', (60, 40), VERDE)])
    # See-through outside a red square.
    t = Image.new('RGBA', (60, 40), (0, 0, 0, 0))
    ImageDraw.Draw(t).rectangle((0, 0, 29, 19), fill=ROJO + (255,))
    t.save(en('transparente.png'))
    for k in range(1, 9):
        exif = Image.Exif()
        exif[274] = k
        b.save(en(f'orientacion{k}.jpg'), quality=95, exif=exif.tobytes())
    grande = Image.new('RGB', (6000, 4000), AZUL)
    ImageDraw.Draw(grande).rectangle((0, 0, 2999, 1999), fill=ROJO)
    grande.save(en('grande.jpg'), quality=90)
    b.save(en('Фото café.jpg'), quality=95)
    # Bad files.
    with open(en('rgb.jpg'), 'rb') as f:
        jpeg = f.read()
    with open(en('cortado.jpg'), 'wb') as f:
        f.write(jpeg[:len(jpeg) // 3])
    open(en('vacio.jpg'), 'wb').close()
    with open(en('texto.jpg'), 'w') as f:
        f.write('not a picture at all\n')
    png_enorme(en('enorme.png'))
    b.save(en('bmp_renombrado.png'), format='BMP')


if __name__ == '__main__':
    main(sys.argv[1])
