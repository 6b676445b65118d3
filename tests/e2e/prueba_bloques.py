"""Tests of the block photo's checks (run as prueba_rugosidad.py is)."""
import os
import tempfile
import unittest

import numpy as np
from PIL import Image

import bloques as b


def foto(lado):
    with tempfile.TemporaryDirectory() as d:
        ruta = os.path.join(d, "f.jpg")
        b.hacer_foto(ruta, lado)
        return np.asarray(Image.open(ruta).convert("RGB"))


class Bloques(unittest.TestCase):
    def test_la_foto_y_sus_reducciones_se_reconocen(self):
        pixeles = foto(135)
        self.assertTrue(b.comparar(pixeles)[0])
        reducida = np.asarray(Image.fromarray(pixeles).resize((82, 82), Image.BILINEAR))
        self.assertTrue(b.comparar(reducida)[0])

    def test_bloques_cambiados_o_ausentes_fallan(self):
        pixeles = foto(135).copy()
        pixeles[:45, :45], pixeles[:45, 45:90] = pixeles[:45, 45:90].copy(), pixeles[:45, :45].copy()
        bien, lineas = b.comparar(pixeles)
        self.assertFalse(bien)
        self.assertEqual([l.endswith("WRONG") for l in lineas], [True, True] + [False] * 7)
        self.assertFalse(b.comparar(np.full((90, 90, 3), (47, 93, 58), np.uint8))[0])
        # Turned a quarter: the corners are other blocks.
        self.assertFalse(b.comparar(np.rot90(foto(135)))[0])

    def test_busca_la_foto_en_una_pantalla(self):
        pantalla = np.full((300, 400, 3), (150, 110, 70), np.uint8)
        pantalla[40:175, 200:335] = foto(135)
        self.assertEqual(b.buscar(pantalla), (200, 40, 135, 135))
        self.assertIsNone(b.buscar(np.full((50, 50, 3), 128, np.uint8)))

    def test_piezas_propias_o_cubiertas(self):
        pixeles = foto(135)
        pantalla = np.full((400, 400, 3), (47, 93, 58), np.uint8)
        celdas = []
        for i in range(9):
            x, y = 10 + 120 * (i % 3), 10 + 120 * (i // 3)
            pantalla[y:y + 45, x:x + 45] = pixeles[45 * (i // 3):45 * (i // 3) + 45, 45 * (i % 3):45 * (i % 3) + 45]
            celdas.append((x, y, 45, 45))
        self.assertTrue(b.comparar_piezas(pantalla, celdas)[0])
        # Piece 1 over piece 0's middle: piece 0 is covered, not wrong.
        encima = list(celdas)
        encima[1] = (10 + 20, 10, 45, 45)
        cubierta = pantalla.copy()
        cubierta[10:55, 30:75] = pixeles[0:45, 45:90]
        self.assertTrue(b.comparar_piezas(cubierta, encima)[0])
        # The same colour where nothing may cover it is wrong.
        self.assertFalse(b.comparar_piezas(cubierta, celdas)[0])
        # Piece 7 over piece 5's left, its tab over 5's middle showing
        # block 8, beside 7's: covered. Piece 1 there instead: wrong.
        def tab_de(k):
            con = pantalla.copy()
            cubre = list(celdas)
            cubre[k] = (217, 130, 45, 45)
            con[130:175, 217:262] = pixeles[45 * (k // 3):45 * (k // 3) + 45, 45 * (k % 3):45 * (k % 3) + 45]
            con[147:158, 262:277] = pixeles[100, 100]
            return con, cubre
        self.assertTrue(b.comparar_piezas(*tab_de(7))[0])
        self.assertFalse(b.comparar_piezas(*tab_de(1))[0])


if __name__ == "__main__":
    unittest.main()
