"""Draws every interface picture of the archive.

usage: interfaz.py OUTDIR IMAGEDIR
OUTDIR receives <number>.bmp for each picture; IMAGEDIR holds the game's
pictures 1.bmp ... 15.bmp, whose first five appear as thumbnails."""
import os
import sys

sys.dont_write_bytecode = True  # the build runs this from the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmp  # noqa: E402
import ui_juego  # noqa: E402
import ui_ventanas  # noqa: E402


def dibujar(dir_imagenes):
    out = {}
    ui_juego.todo(out)
    ui_ventanas.todo(out, dir_imagenes)
    return out


def main(argv):
    if len(argv) != 3:
        sys.stderr.write('usage: interfaz.py OUTDIR IMAGEDIR\n')
        return 2
    destino, imagenes = argv[1], argv[2]
    os.makedirs(destino, exist_ok=True)
    for num, img in sorted(dibujar(imagenes).items()):
        bmp.guardar(img, os.path.join(destino, '%d.bmp' % num))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
