"""Tests of the music generator and of the tracks it made.

usage: prueba_musica.py MUSICDIR
MUSICDIR is the Music folder of the data build (1.wav ... 4.wav)."""
import math
import os
import struct
import sys
import tempfile
import unittest
from unittest import mock
import wave

import numpy as np

sys.dont_write_bytecode = True  # the build runs this from the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import musica  # noqa: E402

CARPETA = None
PISTAS = ['%d.wav' % n for n in (1, 2, 3, 4)]


def leer(ruta):
    with wave.open(ruta, 'rb') as w:
        formato = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype())
        x = np.frombuffer(w.readframes(w.getnframes()), np.uint8).astype(np.float64) - 128
    return formato, x


def costura(x):
    """How the join of the end to the start compares with the rest: the
    largest second difference across it over the 99.9th percentile of
    those inside, and the step across it over the 99th percentile step."""
    d2 = np.abs(np.diff(x, 2))
    junta = np.abs(np.diff(np.concatenate([x[-3:], x[:3]]), 2)).max()
    paso = abs(x[0] - x[-1])
    return junta / max(np.percentile(d2, 99.9), 1.0), paso / max(np.percentile(np.abs(np.diff(x)), 99), 1.0)


class Partes(unittest.TestCase):
    def test_what_runs_past_the_end_sounds_at_the_start(self):
        c = musica.Cinta(10)
        c.poner(8, np.arange(1.0, 6.0))
        c.poner(23, np.ones(2))
        self.assertEqual(c.x.tolist(), [3, 4, 5, 1, 1, 0, 0, 0, 1, 2])

    def test_every_note_starts_and_ends_in_silence(self):
        for nombre in ('TECLAS', 'CAMPANA', 'ORGANO', 'PULSADO', 'FLAUTA', 'MARIMBA', 'CUERDAS', 'OCARINA', 'BAJO'):
            s = musica.tocar(getattr(musica, nombre), 60, 0.8, 1.0)
            self.assertLess(abs(s[0]), 1e-3, nombre)
            self.assertLess(abs(s[-1]), 1e-3, nombre)
            self.assertGreater(np.abs(s).max(), 0.2, nombre)
            self.assertLessEqual(np.abs(s).max(), 1.0, nombre)

    def test_the_oscillator_tables_are_exact_enough(self):
        t = np.linspace(-3, 3, 10001)
        self.assertLess(np.abs(musica.seno(t) - np.sin(2 * np.pi * t)).max(), 1e-6)
        self.assertLess(np.abs(musica.decae(t + 3) - np.exp(-(t + 3))).max(), 1e-4)

    def test_a_tempo_without_whole_samples_a_beat_is_refused(self):
        with self.assertRaises(ValueError):
            musica.Pieza(60, musica.MAYOR, 66, 4, [0])

    def test_an_odd_length_wave_is_padded_and_reads_back(self):
        with tempfile.TemporaryDirectory() as d:
            ruta = os.path.join(d, 'x.wav')
            musica.escribir_wav(ruta, np.array([128, 0, 255], np.uint8))
            with open(ruta, 'rb') as f:
                b = f.read()
            self.assertEqual(len(b), 44 + 4)
            self.assertEqual(struct.unpack_from('<I', b, 4)[0], len(b) - 8)
            formato, x = leer(ruta)
            self.assertEqual(formato, (1, 1, 22050, 'NONE'))
            self.assertEqual(x.tolist(), [0, -128, 127])

    def test_the_seam_measure_hears_a_cut(self):
        n = np.arange(22050)
        entera = np.floor(100 * np.sin(2 * np.pi * 441 * n / 22050) + 0.5)  # 441 whole cycles
        cortada = np.floor(100 * np.sin(2 * np.pi * 437.3 * n / 22050) + 0.5)  # ends mid-cycle
        self.assertTrue(all(v <= 1.0 for v in costura(entera)))
        self.assertTrue(any(v > 1.0 for v in costura(cortada)))

    def test_the_four_pieces_differ_in_key_and_tempo(self):
        with mock.patch.object(musica, 'tocar', lambda *a: np.zeros(1)):  # the score only
            piezas = [musica.PIEZAS[n]() for n in (1, 2, 3, 4)]
        self.assertEqual(len({(p.tonica % 12, p.escala) for p in piezas}), 4)
        self.assertEqual(len({p.bpm for p in piezas}), 4)
        for p in piezas:
            self.assertEqual(len(p.cinta.x), p.pulso * p.pulsos * len(p.acordes))


@unittest.skipIf(len(sys.argv) < 2, 'no Music folder given')
class Pistas(unittest.TestCase):
    def test_four_wave_files_in_the_playable_format_and_size(self):
        self.assertEqual(sorted(f for f in os.listdir(CARPETA) if not f.startswith('.')), PISTAS)
        total = 0
        for nombre in PISTAS:
            ruta = os.path.join(CARPETA, nombre)
            with open(ruta, 'rb') as f:
                cab = f.read(44)
            riff, tam, wav, fmt, lfmt, etiqueta, canales, sr, bps, bloque, bits, data, ldata = \
                struct.unpack('<4sI4s4sIHHIIHH4sI', cab)
            self.assertEqual((riff, wav, fmt, data), (b'RIFF', b'WAVE', b'fmt ', b'data'), nombre)
            self.assertEqual((lfmt, etiqueta, canales, sr, bps, bloque, bits), (16, 1, 1, 22050, 22050, 1, 8), nombre)
            self.assertEqual(tam + 8, os.path.getsize(ruta), nombre)
            self.assertGreaterEqual(44 + ldata, os.path.getsize(ruta) - 1, nombre)
            segundos = ldata / 22050.0
            self.assertTrue(50 <= segundos <= 70, '%s lasts %.1f s' % (nombre, segundos))
            total += os.path.getsize(ruta)
        self.assertLess(total, 8000000)

    def test_each_track_loops_without_a_click(self):
        for nombre in PISTAS:
            junta, paso = costura(leer(os.path.join(CARPETA, nombre))[1])
            self.assertLessEqual(junta, 1.0, nombre)
            self.assertLessEqual(paso, 1.0, nombre)

    def test_a_steady_level_without_clipping_or_gaps(self):
        for nombre in PISTAS:
            x = leer(os.path.join(CARPETA, nombre))[1]
            self.assertLess(abs(x.mean()), 2.0, nombre)
            self.assertLess(((x <= -128) | (x >= 127)).mean(), 1e-4, nombre)
            ventanas = x[:len(x) // 44100 * 44100].reshape(-1, 44100)
            rms = np.sqrt((ventanas ** 2).mean(axis=1))
            self.assertTrue(15 < math.sqrt((x ** 2).mean()) < 60, nombre)
            self.assertGreater(rms.min(), 8, '%s has a near-silent stretch' % nombre)

    def test_the_tracks_are_not_alike(self):
        xs = [leer(os.path.join(CARPETA, n))[1] for n in PISTAS]
        for i in range(4):
            for j in range(i + 1, 4):
                n = min(len(xs[i]), len(xs[j]))
                a, b = xs[i][:n], xs[j][:n]
                r = abs((a * b).mean()) / math.sqrt((a * a).mean() * (b * b).mean())
                self.assertLess(r, 0.1, '%s and %s' % (PISTAS[i], PISTAS[j]))

    def test_made_again_they_are_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as d:
            self.assertEqual(musica.main(['musica.py', d]), 0)
            for nombre in PISTAS:
                with open(os.path.join(d, nombre), 'rb') as a, open(os.path.join(CARPETA, nombre), 'rb') as b:
                    self.assertTrue(a.read() == b.read(), '%s differs from the build' % nombre)


if __name__ == '__main__':
    if len(sys.argv) > 1:
        CARPETA = sys.argv.pop(1)
    unittest.main()
