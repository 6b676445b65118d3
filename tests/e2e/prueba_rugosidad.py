"""Tests of the roughness measure and of where it finds the thumbnails
(run: /usr/bin/python3 -m unittest discover -s tests/e2e -p 'prueba_*.py')."""
import os
import struct
import subprocess
import sys
import tempfile
import unittest

import numpy as np
from PIL import Image

import rugosidad as r

AQUI = os.path.dirname(os.path.abspath(__file__))


class Medida(unittest.TestCase):
    def test_plano_y_franjas(self):
        self.assertEqual(r.rugosidad(np.full((5, 9), 77)), 0.0)
        franjas = np.tile([0, 255], (4, 5))
        self.assertEqual(r.rugosidad(franjas), 255.0)
        rampa = np.tile(np.arange(0, 30, 3), (6, 1))
        self.assertEqual(r.rugosidad(rampa), 3.0)

    def test_solo_cuenta_lo_horizontal(self):
        filas = np.repeat(np.arange(0, 250, 50)[:, None], 8, axis=1)
        self.assertEqual(r.rugosidad(filas), 0.0)
        self.assertEqual(r.rugosidad(filas.T), 50.0)

    def test_demasiado_estrecho(self):
        self.assertEqual(r.rugosidad(np.zeros((10, 1))), 0.0)
        self.assertEqual(r.rugosidad(np.zeros((0, 5))), 0.0)

    def test_gris_de_la_captura(self):
        # Pure red, green and blue side by side: grey 76, 150, 29.
        img = Image.fromarray(np.array([[[255, 0, 0], [0, 255, 0], [0, 0, 255]]], dtype=np.uint8))
        self.assertAlmostEqual(r.rugosidad_region(img, 0, 0, 3, 1), (74 + 121) / 2, delta=1)


class Miniaturas(unittest.TestCase):
    def test_tamano_ajustado(self):
        self.assertEqual(r.tamano_miniatura(800, 600), (82, 61))
        self.assertEqual(r.tamano_miniatura(400, 800), (61, 123))
        self.assertEqual(r.tamano_miniatura(82, 123), (82, 123))
        self.assertEqual(r.tamano_miniatura(164, 10), (82, 5))
        self.assertEqual(r.tamano_miniatura(1, 10000), (1, 123))
        self.assertEqual(r.tamano_miniatura(0, 50), (1, 1))

    def test_cabecera_bmp(self):
        with tempfile.TemporaryDirectory() as d:
            ruta = os.path.join(d, "a.bmp")
            Image.new("RGB", (37, 21)).save(ruta)
            self.assertEqual(r.tamano_bmp(ruta), (37, 21))
            # A top-down file keeps its height negative.
            arriba = os.path.join(d, "b.bmp")
            with open(arriba, "wb") as f:
                f.write(b"BM" + bytes(16) + struct.pack("<ii", 40, -30) + bytes(30))
            self.assertEqual(r.tamano_bmp(arriba), (40, 30))
            malo = os.path.join(d, "c.bmp")
            with open(malo, "wb") as f:
                f.write(b"GIF89a" + bytes(40))
            with self.assertRaises(ValueError):
                r.tamano_bmp(malo)

    def test_encuentra_cada_miniatura(self):
        # Noise everywhere but where the thumbnails lie, worked out here by
        # hand: a crop that strays picks the noise up.
        azar = np.random.default_rng(7)
        pantalla = azar.integers(0, 256, (400, 800, 3), dtype=np.uint8)
        x0, y0 = 150, 60
        lisa = np.tile(np.linspace(40, 200, 82).astype(np.uint8)[:, None], (1, 3))
        lugares = [  # (file size, screen rectangle of the whole picture)
            ((800, 600), (x0 + 106 + 0 * 89 + 2, y0 + 88 + 33, 82, 61)),
            ((400, 800), (x0 + 106 + 1 * 89 + 12, y0 + 88 + 2, 61, 123)),
            ((640, 480), (x0 + 106 + 2 * 89 + 2, y0 + 88 + 33, 82, 61)),
        ]
        for indice, ((_, _), (x, y, w, h)) in enumerate(lugares):
            if indice == 2:
                continue  # left as noise: a garbled thumbnail
            pantalla[y:y + h, x:x + w] = lisa[None, :w, :]
        with tempfile.TemporaryDirectory() as d:
            rutas = []
            for k, ((w, h), _) in enumerate(lugares):
                rutas.append(os.path.join(d, f"{k + 1}.bmp"))
                Image.new("RGB", (w, h)).save(rutas[-1])
            captura = os.path.join(d, "captura.png")
            Image.fromarray(pantalla).save(captura)
            salida = subprocess.run([sys.executable, "-B", os.path.join(AQUI, "rugosidad.py"), "miniaturas", captura,
                                     str(x0), str(y0)] + rutas, capture_output=True, text=True, check=True).stdout
        valores = {linea.split()[0]: float(linea.split()[1]) for linea in salida.splitlines()}
        self.assertEqual(sorted(valores), ["1.bmp", "2.bmp", "3.bmp"])
        self.assertLess(valores["1.bmp"], 2.2)
        self.assertLess(valores["2.bmp"], 2.2)
        self.assertGreater(valores["3.bmp"], 40)

    def test_region_por_linea_de_ordenes(self):
        with tempfile.TemporaryDirectory() as d:
            captura = os.path.join(d, "c.png")
            img = np.zeros((20, 40), dtype=np.uint8)
            img[5:10, 10:20] = np.tile([0, 100], (5, 5))
            Image.fromarray(img).save(captura)
            orden = [sys.executable, "-B", os.path.join(AQUI, "rugosidad.py"), "region", captura]
            self.assertEqual(subprocess.run(orden + ["10x5+10+5"], capture_output=True, text=True).stdout, "100.00\n")
            self.assertEqual(subprocess.run(orden + ["10x5+25+5"], capture_output=True, text=True).stdout, "0.00\n")
            self.assertEqual(subprocess.run(orden[:-1] + ["nada"], capture_output=True).returncode, 2)


if __name__ == "__main__":
    unittest.main()
