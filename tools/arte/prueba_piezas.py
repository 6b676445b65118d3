"""Tests of the piece-shape pictures, on small made-up dies that follow the
label rules (run: /usr/bin/python3 -m unittest discover -s tools/arte)."""
import os
import struct
import tempfile
import unittest

import numpy as np
from PIL import Image

import bmp
import piezas


def dueno_tiling(x, y, forma):
    """Cell (col, fila) owning tiling pixel (x, y) of a period-2 tiling with
    one tab per edge; `forma` 0 square, 1 round, 2 off-centre round."""
    i, j = np.floor_divide(x, 200), np.floor_divide(y, 200)
    u, v = x - 200 * i, y - 200 * j
    col, fila = i.copy(), j.copy()

    def tab(t, d):  # t along the edge, d depth into the receiving cell
        if forma == 0:
            return (np.abs(t - 100) <= 20) & (d < 45)
        c = 100 if forma == 1 else 80
        return ((t - c) ** 2 + (d - 30) ** 2 <= 22 ** 2) | ((np.abs(t - c) <= 9) & (d < 30))

    # Edge between columns i and i+1 of row j: the tab points right when (i + j) is even.
    en_izq = tab(v, u) & ((i - 1 + j) % 2 == 0)
    en_der = tab(v, 200 - u) & ((i + j) % 2 == 1)
    # Edge between rows j and j+1 of column i: the tab points down when (i + j) is odd.
    en_arr = tab(u, v) & ((i + j - 1) % 2 == 1)
    en_aba = tab(u, 200 - v) & ((i + j) % 2 == 0)
    col = np.where(en_izq, i - 1, np.where(en_der, i + 1, col))
    fila = np.where(~(en_izq | en_der) & en_arr, j - 1, np.where(~(en_izq | en_der) & en_aba, j + 1, fila))
    return col, fila


def troquel(forma):
    """A 532 x 532 label array made from the tiling as the dies are made."""
    y, x = np.mgrid[0:532, 0:532] - 66
    col, fila = dueno_tiling(x, y, forma)
    inversa = {v: k for k, v in piezas._CELDA_DE.items()}
    e = np.zeros((532, 532), np.uint8)
    for (f, c), etiqueta in inversa.items():
        e[(fila == f) & (col == c)] = etiqueta
    return e


def guardar_troquel(e, ruta):
    im = Image.fromarray(e, 'P')
    im.putpalette([v for i in range(256) for v in (i * 19 % 256, i * 71 % 256, i * 37 % 256)])
    bmp.guardar(im, ruta)


def conexa(mascara):
    """True when the pixels of a boolean array form one 4-connected region."""
    alcanzado = np.zeros_like(mascara)
    alcanzado[tuple(np.argwhere(mascara)[0])] = True
    while True:
        nuevo = alcanzado.copy()
        nuevo[1:] |= alcanzado[:-1]
        nuevo[:-1] |= alcanzado[1:]
        nuevo[:, 1:] |= alcanzado[:, :-1]
        nuevo[:, :-1] |= alcanzado[:, 1:]
        nuevo &= mascara
        if (nuevo == alcanzado).all():
            return bool((alcanzado == mascara).all())
        alcanzado = nuevo


class Duenos(unittest.TestCase):
    def test_every_piece_is_one_region_with_straight_outer_edges(self):
        for forma in range(3):
            mapa = piezas.duenos(troquel(forma), 3, 2)
            self.assertEqual(mapa.shape, (400, 600))
            self.assertEqual(set(np.unique(mapa)), set(range(6)))
            for k in range(6):
                self.assertTrue(conexa(mapa == k), 'die %d piece %d' % (forma, k))
                f, c = divmod(k, 3)
                self.assertEqual(mapa[200 * f + 100, 200 * c + 100], k)
            # Outer rows and columns belong to the border pieces.
            self.assertTrue((mapa[0] // 3 == 0).all() and (mapa[-1] // 3 == 1).all())
            self.assertTrue((mapa[:, 0] % 3 == 0).all() and (mapa[:, -1] % 3 == 2).all())

    def test_tabs_cross_the_inner_edges_both_ways(self):
        mapa = piezas.duenos(troquel(1), 2, 2)
        izquierda = mapa[:, :200]
        self.assertTrue(((izquierda % 2) == 1).any(), 'no tab of column 1 reaches column 0')
        self.assertTrue(((mapa[:, 200:] % 2) == 0).any(), 'no tab of column 0 reaches column 1')
        self.assertTrue((mapa[200:] < 2).any() and (mapa[:200] >= 2).any())

    def test_shapes_repeat_every_two_cells(self):
        mapa = piezas.duenos(troquel(2), 6, 6)
        a = mapa[100:500, 100:500] == 7
        b = mapa[500:900, 500:900] == 21
        self.assertTrue(a.any())
        np.testing.assert_array_equal(a, b)

    def test_piece_sprite_keeps_the_mask_as_alpha(self):
        ms = piezas.mascaras(piezas.duenos(troquel(0), 3, 3), 3, 3, 40)
        sprite, (x, y) = piezas.pieza_suelta(ms[4], Image.new('RGB', (120, 120), (200, 100, 50)))
        m = np.asarray(ms[4].crop((x, y, x + sprite.width, y + sprite.height)))
        np.testing.assert_array_equal(np.asarray(sprite.getchannel('A')), m)
        self.assertEqual(m.sum(), np.asarray(ms[4]).sum(), 'the crop cut part of the piece off')


class Lectura(unittest.TestCase):
    def test_the_preview_sun_lies_whole_in_one_piece_left_in_place(self):
        # Cut by an outline, the sun would show as a hollow ring.
        for i in range(3):
            ms = piezas.mascaras(piezas.duenos(troquel(i), piezas.PREVIEW_COLS, piezas.PREVIEW_FILAS),
                                 piezas.PREVIEW_COLS, piezas.PREVIEW_FILAS, piezas.PREVIEW_CELDA)
            sol = piezas.sol_del_preview(ms)
            self.assertIsNotNone(sol, 'die %d' % i)
            x, y, r = sol
            lado = piezas.PREVIEW_CELDA
            yy, xx = np.mgrid[0:lado * piezas.PREVIEW_FILAS, 0:lado * piezas.PREVIEW_COLS]
            disco = np.hypot(xx - x, yy - y) <= r + 1
            self.assertTrue((np.asarray(ms[0])[disco] == 255).all(), 'die %d: the sun leaves piece 0' % i)
            self.assertLess(y + r, 0.45 * lado * piezas.PREVIEW_FILAS, 'die %d: the sun is not in the sky' % i)

    def test_refuses_what_is_not_a_die(self):
        with tempfile.TemporaryDirectory() as d:
            casos = {
                'rgb.bmp': Image.new('RGB', (532, 532)),
                'small.bmp': Image.fromarray(troquel(0)[:400, :400], 'P'),
                'label.bmp': Image.fromarray(np.full((532, 532), 13, np.uint8), 'P'),
            }
            for nombre, im in casos.items():
                ruta = os.path.join(d, nombre)
                bmp.guardar(im, ruta)
                with self.assertRaises(ValueError, msg=nombre):
                    piezas.leer_troquel(ruta)
            self.assertEqual(piezas.main(['piezas.py', d, os.path.join(d, 'none')]), 1)


class Generar(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.TemporaryDirectory()
        troqueles = os.path.join(cls.dir.name, 'troq')
        os.makedirs(troqueles)
        for i in range(3):
            guardar_troquel(troquel(i), os.path.join(troqueles, '%d.bmp' % (5000 + i)))
        cls.salida = os.path.join(cls.dir.name, 'out')
        assert piezas.main(['piezas.py', cls.salida, troqueles]) == 0

    @classmethod
    def tearDownClass(cls):
        cls.dir.cleanup()

    def abrir(self, n):
        ruta = os.path.join(self.salida, '%d.bmp' % n)
        with open(ruta, 'rb') as f:
            cab = f.read(54)
        self.assertEqual(struct.unpack_from('<H', cab, 28)[0], 24)
        return np.asarray(Image.open(ruta).convert('RGB'), dtype=np.int32)

    def test_preview_shows_each_die_in_its_frame_and_repeats(self):
        im = self.abrir(106)
        ancho, alto = piezas.MARCO_PREVIEW
        self.assertEqual(im.shape, (6 * alto, ancho, 3))
        cuadros = [im[alto * i:alto * (i + 1)] for i in range(6)]
        for i in range(3):
            np.testing.assert_array_equal(cuadros[i], cuadros[i + 3])
            self.assertGreater(np.abs(cuadros[i] - cuadros[(i + 1) % 3]).mean(), 0.5, 'dies %d and %d look alike' % (i, i + 1))

    def test_choices_fit_their_slots_and_the_checked_look_stands_out(self):
        for n in (184, 185, 186):
            im = self.abrir(n)
            ancho, alto = piezas.MARCO_OPCION
            self.assertEqual(im.shape, (4 * alto, ancho, 3))
            self.assertLessEqual(ancho, 55)
            arriba, encima, marcado, marcado_encima = (im[alto * i:alto * (i + 1)] for i in range(4))
            self.assertGreater(np.abs(marcado - arriba).mean(), 15)
            self.assertGreater(np.abs(marcado_encima - encima).mean(), 15)
            self.assertGreater(np.abs(encima - arriba).mean(), 2)
            self.assertGreater(np.abs(marcado_encima - marcado).mean(), 2)
        self.assertGreater(np.abs(self.abrir(184) - self.abrir(186)).mean(), 0.5)


if __name__ == '__main__':
    unittest.main()
