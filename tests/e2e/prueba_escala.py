"""Tests of the doubled-region check (run as prueba_rugosidad.py is)."""
import unittest

import numpy as np

import escala


def dibujo(alto=6, ancho=8):
    rng = np.random.default_rng(3)
    return rng.integers(0, 255, (alto, ancho, 3), dtype=np.uint8)


class Escala(unittest.TestCase):
    def test_cada_pixel_en_un_bloque_de_su_color_coincide(self):
        chica = dibujo()
        grande = chica.repeat(2, axis=0).repeat(2, axis=1)
        self.assertEqual(escala.bloques_distintos(grande, chica)[:2], (48, 0))

    def test_un_pixel_movido_o_suavizado_se_ve_y_la_mascara_lo_calla(self):
        chica = dibujo()
        grande = chica.repeat(2, axis=0).repeat(2, axis=1)
        grande[5, 7] = grande[5, 7] // 2 + 1  # one screen pixel of block (3, 2)
        comparados, distintos, primeros = escala.bloques_distintos(grande, chica)
        self.assertEqual((distintos, primeros), (1, [(3, 2)]))
        self.assertEqual(escala.bloques_distintos(grande, chica, [(3, 2, 1, 1)])[:2], (47, 0))
        corrida = np.roll(chica.repeat(2, axis=0).repeat(2, axis=1), 1, axis=1)
        self.assertGreater(escala.bloques_distintos(corrida, chica)[1], 40)


if __name__ == '__main__':
    unittest.main()
