"""The four background tracks of the Music folder, composed by rule and
played by small additive instruments:

    musica.py OUTDIR

    OUTDIR/1.wav  D major, 72 bpm in three: soft keys, waltz accompaniment
    OUTDIR/2.wav  A minor, 60 bpm: a music box over a held organ
    OUTDIR/3.wav  F major, 84 bpm: plucked arpeggios under a flute
    OUTDIR/4.wav  E flat major, 63 bpm: marimba and strings, a sung lead

Each file is mono 8-bit PCM at 22,050 Hz and loops without a seam: the
music is laid on a circular timeline, so the tails of the last notes and
of the echoes sound again over the first bars. The same bytes every run:
oscillators and decays read tables made once with the math module, the
signal path uses only plain arithmetic, the melodies come from a fixed-seed
generator of this file's own."""
import math
import os
import struct
import sys

import numpy as np

SR = 22050
TAM_TABLA = 4096
_SENO = np.array([math.sin(2 * math.pi * i / TAM_TABLA) for i in range(TAM_TABLA + 1)])
_PASO_EXP = 64  # table points per unit
_EXP = np.array([math.exp(-i / _PASO_EXP) for i in range(40 * _PASO_EXP + 2)])

MAYOR = (0, 2, 4, 5, 7, 9, 11)
MENOR = (0, 2, 3, 5, 7, 8, 10)


def _leer(tabla, x):
    i = np.floor(x).astype(np.int64)
    f = x - i
    return tabla[i] + (tabla[i + 1] - tabla[i]) * f


def seno(ciclos):
    """sin(2 pi ciclos)."""
    return _leer(_SENO, (ciclos - np.floor(ciclos)) * TAM_TABLA)


def decae(x):
    """exp(-x) for x >= 0 (zero past 40)."""
    return _leer(_EXP, np.minimum(x, 40.0) * _PASO_EXP)


def frecuencia(midi):
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


class Azar:
    """xorshift32: the same numbers on every machine."""

    def __init__(self, semilla):
        self.s = (semilla * 2654435761 + 1) & 0xFFFFFFFF or 1

    def entero(self, n):
        s = self.s
        s ^= (s << 13) & 0xFFFFFFFF
        s ^= s >> 17
        s ^= (s << 5) & 0xFFFFFFFF
        self.s = s
        return s % n

    def real(self):
        return self.entero(1 << 24) / float(1 << 24)

    def elegir(self, lista):
        return lista[self.entero(len(lista))]


# ---------------------------------------------------------------- instruments

class Timbre:
    """parciales(f) -> [(ratio, amplitude, decay time in s or None)]."""

    def __init__(self, parciales, ataque, soltar, coro=(0.0,), vibrato=0.0):
        self.parciales, self.ataque, self.soltar = parciales, ataque, soltar
        self.coro, self.vibrato = coro, vibrato


def tocar(timbre, midi, dur, vel):
    """One note: dur seconds held, then its release."""
    f0 = frecuencia(midi)
    n_son = int(round(dur * SR))
    n = n_son + int(round(timbre.soltar * SR))
    t = np.arange(n) / SR
    parciales = [p for p in timbre.parciales(f0) if f0 * p[0] < 0.42 * SR]
    total = sum(a for _, a, _ in parciales)
    s = np.zeros(n)
    for cents in timbre.coro:
        f = f0 * 2.0 ** (cents / 1200.0)
        ciclos = f * t
        if timbre.vibrato:
            # 5 Hz, growing in over the first half second
            prof = timbre.vibrato * np.minimum(t / 0.5, 1.0)
            ciclos = ciclos - f * prof * seno(5.0 * t + 0.25) / (2 * math.pi * 5.0)
        for k, (r, a, tau) in enumerate(parciales):
            p = seno(ciclos * r + 0.13 * k + cents / 50.0)
            if tau is not None:
                p = p * decae(t / tau)
            s += a * p
    s *= 1.0 / (total * len(timbre.coro))
    subida = np.minimum(t / timbre.ataque, 1.0)
    env = subida * subida * (3 - 2 * subida)
    u = np.clip((t - dur) / timbre.soltar, 0.0, 1.0)
    env *= (1 - u) * (1 - u)
    return vel * s * env


def _teclas(f):
    return [(1, 1.0, 2.2), (2, 0.4, 0.9), (3, 0.14, 0.45), (4, 0.06, 0.3), (7.02, 0.025, 0.08)]


def _campana(f):
    return [(1, 1.0, 1.5), (3.0, 0.22, 0.45), (4.07, 0.14, 0.3), (6.75, 0.05, 0.12)]


def _organo(f):
    return [(1, 1.0, None), (2, 0.32, None), (3, 0.1, None), (4, 0.05, None)]


def _pulsado(f):
    caida = 1.4 * (220.0 / f) ** 0.4
    return [(k, 1.0 / k ** 1.4, caida / k ** 0.75) for k in range(1, 11)]


def _flauta(f):
    return [(1, 1.0, None), (2, 0.22, None), (3, 0.09, None), (4, 0.03, None)]


def _marimba(f):
    return [(1, 1.0, 0.7), (3.93, 0.22, 0.12), (9.2, 0.05, 0.04)]


def _cuerdas(f):
    return [(k, 1.0 / k ** 1.7, None) for k in range(1, 11)]


def _ocarina(f):
    return [(1, 1.0, None), (2, 0.08, None), (3, 0.05, None)]


def _bajo(f):
    return [(1, 1.0, 3.0), (2, 0.35, 1.2), (3, 0.1, 0.6)]


TECLAS = Timbre(_teclas, 0.006, 0.35)
CAMPANA = Timbre(_campana, 0.003, 0.6)
ORGANO = Timbre(_organo, 0.6, 1.0, coro=(-4.0, 4.0))
PULSADO = Timbre(_pulsado, 0.003, 0.25)
FLAUTA = Timbre(_flauta, 0.07, 0.18, vibrato=0.005)
MARIMBA = Timbre(_marimba, 0.003, 0.3)
CUERDAS = Timbre(_cuerdas, 0.9, 1.4, coro=(-6.0, 0.0, 6.0))
OCARINA = Timbre(_ocarina, 0.09, 0.25, vibrato=0.004)
BAJO = Timbre(_bajo, 0.012, 0.3)


# ---------------------------------------------------------------- the circular timeline

class Cinta:
    """A loop of n samples: what runs past the end sounds again at the start."""

    def __init__(self, n):
        self.x = np.zeros(n)

    def poner(self, inicio, s):
        n = len(self.x)
        i = inicio % n
        while len(s):
            k = min(len(s), n - i)
            self.x[i:i + k] += s[:k]
            s, i = s[k:], 0


def reverberar(x, mezcla):
    """A room made of echoes rolled round the loop (two diffusing stages
    and a soft low pass), so the tail of the end falls on the start."""
    def etapa(s, toques):
        return sum(g * np.roll(s, int(ms * SR / 1000)) for ms, g in toques)
    y = etapa(x, ((29, 0.5), (47, 0.45), (67, 0.4), (89, 0.34), (131, 0.28), (173, 0.22), (239, 0.16),
                  (313, 0.11)))
    y = etapa(y, ((0, 1.0), (11, 0.6), (23, 0.45), (37, 0.32), (97, 0.25), (211, 0.14)))
    for _ in range(3):
        y = (y + np.roll(y, 1) + np.roll(y, 2)) / 3.0
    return x + mezcla * y / 3.0


# ---------------------------------------------------------------- composition

class Pieza:
    def __init__(self, tonica, escala, bpm, pulsos, acordes):
        self.tonica, self.escala, self.bpm, self.pulsos = tonica, escala, bpm, pulsos
        self.acordes = acordes  # degree (0 = tonic) of each bar's chord
        self.pulso = SR * 60 // bpm  # samples per beat, whole by choice of tempo
        if SR * 60 % bpm:
            raise ValueError('%d bpm is not a whole number of samples a beat' % bpm)
        self.cinta = Cinta(self.pulso * pulsos * len(acordes))

    def midi(self, grado, octava=0):
        o, g = divmod(grado, 7)
        return self.tonica + 12 * (o + octava) + self.escala[g]

    def tonos(self, compas, n=3):
        """Degrees of the chord of a bar: root, third, fifth (, seventh)."""
        r = self.acordes[compas % len(self.acordes)]
        return [r + 2 * i for i in range(n)]

    def nota(self, timbre, compas, pulso, grado, dur, vel, octava=0):
        s = tocar(timbre, self.midi(grado, octava), dur * self.pulso / SR, vel)
        self.cinta.poner(int(round((compas * self.pulsos + pulso) * self.pulso)), s)

    def notas(self, timbre, lista, octava=0):
        for compas, pulso, grado, dur, vel in lista:
            self.nota(timbre, compas, pulso, grado, dur, vel, octava)

    def acompanar(self, timbre, pulsos, grados, dur, vel, octava=0, cuatro=False):
        """The bar's chord, tone per tone, at the given beats."""
        for c in range(len(self.acordes)):
            tonos = self.tonos(c, 4 if cuatro else 3)
            for p, i in zip(pulsos, grados):
                self.nota(timbre, c, p, tonos[i % len(tonos)] + 7 * (i // len(tonos)), dur, vel, octava)


def melodia(pieza, azar, ritmos, cierres, bajo, alto, inicio, vel=0.9, final=None):
    """A tune over the chords, four bars a phrase. The first note of a bar,
    notes on a strong beat and long notes take a tone of the chord near the
    last note (leaning to the middle of the range); the others step along
    the scale, turning back after a leap. Bar 3 of a phrase repeats the
    shape of bar 1 from its own chord. Rhythms are lists of beat lengths,
    negative for rests. Returns (bar, beat, degree, length, vel)."""
    notas, previo, direccion = [], inicio, 1
    centro = (bajo + alto) / 2.0
    for frase in range(0, len(pieza.acordes), 4):
        ra, rb = azar.elegir(ritmos), azar.elegir(ritmos)
        forma = []
        for k in range(min(4, len(pieza.acordes) - frase)):
            c = frase + k
            ritmo = (ra, rb, ra, azar.elegir(cierres))[k]
            raiz = pieza.acordes[c]
            cerca = [t + 7 * o for t in pieza.tonos(c, 3) for o in range(-2, 4) if bajo <= t + 7 * o <= alto]
            p, j, ultima = 0.0, 0, len([d for d in ritmo if d > 0]) - 1
            for d in ritmo:
                if d < 0:
                    p -= d
                    continue
                fuerte = j == 0 or d >= 2 or (pieza.pulsos % 2 == 0 and p % 2 == 0)
                if k == 2 and 0 < j < len(forma):
                    g = previo + forma[j]
                    if d >= 2 and (g - raiz) % 7 not in (0, 2, 4):
                        g = min(cerca, key=lambda t: abs(t - g))
                elif fuerte:
                    cerca.sort(key=lambda t: (abs(t - previo) + (3 if t == previo else 0) + 0.3 * abs(t - centro),
                                              azar.real()))
                    g = cerca[0] if azar.entero(3) else cerca[min(1, len(cerca) - 1)]
                else:
                    if not bajo + 1 <= previo + direccion <= alto - 1 or azar.entero(4) == 0:
                        direccion = -direccion
                    g = previo + direccion
                if k == 3 and j == ultima and final is not None and frase + 4 >= len(pieza.acordes):
                    g = min((final + 7 * o for o in range(-2, 4)), key=lambda t: abs(t - previo))
                g = max(bajo, min(alto, g))
                if abs(g - previo) >= 2:
                    direccion = -1 if g > previo else 1
                elif g != previo:
                    direccion = 1 if g > previo else -1
                if k == 0:
                    forma.append(g - previo if j else 0)
                fuerza = vel * (1.0 if p == 0 else 0.82) * (0.94 + 0.06 * azar.real())
                notas.append((c, p, g, d, fuerza))
                previo, p, j = g, p + d, j + 1
    return notas


def pieza_1():
    """Morning at the desk: soft keys in three, a waltz accompaniment."""
    p = Pieza(62, MAYOR, 72, 3, [0, 5, 3, 4, 0, 5, 1, 4, 3, 4, 2, 5, 1, 3, 4, 4, 0, 5, 3, 2, 1, 4, 0, 4])
    azar = Azar(1)
    for c in range(len(p.acordes)):
        p.nota(BAJO, c, 0, p.acordes[c], 2.6, 0.55, -2)
    p.acompanar(TECLAS, (1, 2), (1, 2), 0.9, 0.22, -1)
    p.acompanar(TECLAS, (1, 2), (3, 3), 0.9, 0.13, -1)
    p.acompanar(CUERDAS, (0,), (0,), 3.0, 0.1, -1)
    p.acompanar(CUERDAS, (0,), (1,), 3.0, 0.08, -1)
    p.acompanar(CUERDAS, (0,), (2,), 3.0, 0.07, -1)
    ritmos = [[2, 1], [1, 1, 1], [1.5, 0.5, 1], [1, 2], [2, 0.5, 0.5]]
    cierres = [[3], [2, -1]]
    p.notas(TECLAS, melodia(p, azar, ritmos, cierres, 5, 14, 9, 0.62, final=1))
    return p


def pieza_2():
    """Night on the felt: a music box over a held organ."""
    p = Pieza(57, MENOR, 60, 4, [0, 5, 2, 6, 0, 5, 3, 6, 5, 6, 2, 0, 3, 0, 5, 6])
    azar = Azar(2)
    for c in range(len(p.acordes)):
        p.nota(BAJO, c, 0, p.acordes[c], 3.8, 0.45, -2)
    p.acompanar(ORGANO, (0, 0, 0), (0, 1, 2), 3.9, 0.1, -1)
    p.acompanar(ORGANO, (0,), (3,), 3.9, 0.06, -1, cuatro=True)
    # a rising broken chord in the second half of every other bar
    for c in range(1, len(p.acordes), 2):
        for i, g in enumerate(p.tonos(c, 4)):
            p.nota(CAMPANA, c, 2 + 0.5 * i, g + 7, 1.5, 0.22)
    ritmos = [[1, 1, 2], [0.5, 0.5, 1, 2], [2, 1, 1], [1, 0.5, 0.5, 2], [1.5, 0.5, 2]]
    cierres = [[3, -1], [4]]
    p.notas(CAMPANA, melodia(p, azar, ritmos, cierres, 9, 19, 11, 0.6, final=1), 0)
    return p


def pieza_3():
    """Brass garden: plucked eighths under a flute."""
    p = Pieza(53, MAYOR, 84, 4, [0, 2, 3, 4, 0, 5, 1, 4, 3, 4, 2, 5, 1, 4, 0, 0, 3, 1, 4, 4])
    azar = Azar(3)
    for c in range(len(p.acordes)):
        p.nota(BAJO, c, 0, p.acordes[c], 1.8, 0.5, -1)
        p.nota(BAJO, c, 2, p.acordes[c] + 4, 1.8, 0.4, -1)
    figura = (0, 1, 3, 4, 5, 4, 3, 1)  # chord tones up and down, two octaves
    p.acompanar(PULSADO, [0.5 * i for i in range(8)], figura, 0.6, 0.3, 0)
    ritmos = [[2, 2], [1, 1, 2], [1.5, 0.5, 2], [1, 1, 1, 1], [3, 1]]
    cierres = [[4], [3, -1]]
    p.notas(FLAUTA, melodia(p, azar, ritmos, cierres, 9, 19, 11, 0.5, final=4), 0)
    return p


def pieza_4():
    """Evening tiles: marimba and strings under a sung lead."""
    p = Pieza(51, MAYOR, 63, 4, [0, 3, 5, 3, 0, 3, 1, 4, 5, 2, 3, 0, 1, 3, 4, 4])
    azar = Azar(4)
    for c in range(len(p.acordes)):
        p.nota(BAJO, c, 0, p.acordes[c], 2.5, 0.5, -1)
        p.nota(BAJO, c, 2.5, p.acordes[c] + 4, 1.2, 0.3, -1)
    for i in range(4):
        p.acompanar(CUERDAS, (0,), (i,), 4.0, 0.07, 0, cuatro=True)
    figura = (4, 5, 6, 5, 7, 6, 5, 6)
    pesos = (0.3, 0.18, 0.22, 0.17, 0.26, 0.18, 0.22, 0.17)
    for c in range(len(p.acordes)):
        tonos = p.tonos(c, 4)
        for i, (f, v) in enumerate(zip(figura, pesos)):
            p.nota(MARIMBA, c, 0.5 * i, tonos[f % 4] + 7 * (f // 4) - 7, 0.45, v, 1)
    ritmos = [[4], [2, 2], [3, 1], [2, 1, 1], [1, 1, 2], [-1, 1, 2]]
    cierres = [[4], [3, -1]]
    p.notas(OCARINA, melodia(p, azar, ritmos, cierres, 8, 17, 11, 0.55, final=4), 0)
    return p


PIEZAS = {1: pieza_1, 2: pieza_2, 3: pieza_3, 4: pieza_4}


def mezclar(pieza, sala=0.55):
    """The finished loop, in -1..1: echoes, a gentle level, no clipping."""
    x = reverberar(pieza.cinta.x, sala)
    x = x - x.mean()
    x = x / np.abs(x).max()
    # a soft knee lifts the quiet passages for 8 bits
    x = 1.6 * x / (1.0 + 0.6 * np.abs(x))
    return 0.9 * x


def a_8bits(x):
    return np.clip(np.floor(x * 127.0 + 128.5), 0, 255).astype(np.uint8)


def escribir_wav(ruta, muestras):
    """Mono 8-bit PCM WAVE."""
    datos = muestras.astype(np.uint8).tobytes()
    cab = struct.pack('<4sI4s4sIHHIIHH4sI', b'RIFF', 36 + len(datos) + (len(datos) & 1), b'WAVE',
                      b'fmt ', 16, 1, 1, SR, SR, 1, 8, b'data', len(datos))
    with open(ruta, 'wb') as f:
        f.write(cab + datos + b'\x80' * (len(datos) & 1))


def generar(salida, numeros=(1, 2, 3, 4)):
    os.makedirs(salida, exist_ok=True)
    for n in numeros:
        ruta = os.path.join(salida, '%d.wav' % n)
        escribir_wav(ruta + '.tmp', a_8bits(mezclar(PIEZAS[n]())))
        os.replace(ruta + '.tmp', ruta)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('usage: musica.py OUTDIR\n')
        return 2
    try:
        generar(argv[1])
    except (OSError, ValueError) as err:
        sys.stderr.write('musica.py: %s\n' % err)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
