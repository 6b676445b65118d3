"""Tests of the video generator (run: /usr/bin/python3 -m unittest
discover -s tools/video). The dies are made-up ones that follow the rules."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

import numpy as np
from PIL import Image

import videos

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'arte'))
import prueba_piezas  # noqa: E402


def sonda(ruta):
    r = subprocess.run(['ffprobe', '-v', 'error', '-select_streams', 'v', '-count_packets', '-show_entries',
                        'stream=codec_name,width,height,r_frame_rate,nb_read_packets', '-of', 'json', ruta],
                       capture_output=True, check=True, text=True)
    return json.loads(r.stdout)['streams'][0]


def cuadros(n, tam):
    for i in range(n):
        yield Image.new('RGB', tam, (40 * i % 256, 90, 200 - 30 * i % 200))


class Codificar(unittest.TestCase):
    def test_same_bytes_every_run_in_the_playable_format(self):
        with tempfile.TemporaryDirectory() as d:
            a, b = os.path.join(d, 'a.avi'), os.path.join(d, 'b.avi')
            self.assertEqual(videos.codificar(cuadros(6, (64, 48)), (64, 48), a), 6)
            videos.codificar(cuadros(6, (64, 48)), (64, 48), b)
            with open(a, 'rb') as fa, open(b, 'rb') as fb:
                self.assertEqual(fa.read(), fb.read())
            s = sonda(a)
            self.assertEqual((s['codec_name'], s['width'], s['height']), ('msvideo1', 64, 48))
            self.assertEqual((s['r_frame_rate'], s['nb_read_packets']), ('15/1', '6'))

    def test_a_frame_of_the_wrong_size_fails(self):
        with tempfile.TemporaryDirectory() as d:
            with self.assertRaises(ValueError):
                videos.codificar(cuadros(3, (32, 32)), (64, 48), os.path.join(d, 'x.avi'))
            with self.assertRaises(OSError):
                videos.codificar(cuadros(2, (64, 48)), (64, 48), os.path.join(d, 'no', 'x.avi'))


class Generar(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        cls.troqueles = os.path.join(cls.dir.name, 'troq')
        os.makedirs(cls.troqueles)
        for i in range(3):
            prueba_piezas.guardar_troquel(prueba_piezas.troquel(i), os.path.join(cls.troqueles, '%d.bmp' % (5000 + i)))

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def test_title_pieces_land_exactly_in_place(self):
        import piezas
        n = int((videos.fin_vuelos() + 0.1) * videos.FPS)  # all down, seams not yet faded
        for i, cuadro in enumerate(videos.intro(piezas.leer_troqueles(self.troqueles))):
            if i == n:
                break
        cols, filas, celda = videos.TITULO
        placa = np.asarray(videos.placa_titulo(cols * celda, filas * celda), np.int32)
        ancho, alto = videos.TAMANOS[2]
        ox, oy = (ancho - cols * celda) // 2, (alto - filas * celda) // 2
        im = np.asarray(cuadro, np.int32)
        errores = {}
        for dy in range(-3, 4):
            for dx in range(-3, 4):
                zona = im[oy + dy + 20:oy + dy + filas * celda - 20, ox + dx + 20:ox + dx + cols * celda - 20]
                errores[dx, dy] = np.abs(zona - placa[20:-20, 20:-20]).mean()
        self.assertEqual(min(errores, key=errores.get), (0, 0))
        self.assertLess(errores[0, 0], 12)

    def test_writes_three_videos_of_the_planned_size_and_length(self):
        salida = os.path.join(self.dir.name, 'out')
        self.assertEqual(videos.main(['videos.py', salida, self.troqueles]), 0)
        self.assertEqual(sorted(os.listdir(salida)), ['0.avi', '1.avi', '2.avi'])
        for modo in range(3):
            ruta = os.path.join(salida, '%d.avi' % modo)
            s = sonda(ruta)
            self.assertEqual((s['width'], s['height']), videos.TAMANOS[modo])
            self.assertEqual(int(s['nb_read_packets']), int(videos.SEGUNDOS[modo] * videos.FPS))
            self.assertLess(os.path.getsize(ruta), 4 << 20)


if __name__ == '__main__':
    unittest.main()
