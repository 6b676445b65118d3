"""The fifteen dinosaur pictures 1.bmp ... 15.bmp, each an 8-bit BMP
with its own 256-colour palette.

    dinosaurios.py OUTDIR [N ...]

Every picture is painted from fixed seeds, so each run writes the same
bytes."""
import os
import struct
import sys

import numpy as np
from PIL import Image, features

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmp  # noqa: E402
import dino_especies as E  # noqa: E402
from dino_base import Capa, col, mezcla  # noqa: E402
from dino_cuerpo import Figura  # noqa: E402
from dino_paisaje import (agua, arbusto, bosque_lejano, cicada, cielo, cola_caballo, conifera,  # noqa: E402
                          flores, helecho, hierba, montes, perfil, pterosaurio, roca, suelo, volcan)


def _linea(ln):
    return lambda x: ln[int(np.clip(x, 0, len(ln) - 1))]


def _plantas_frente(L, g, ln, c_hoja, n_hel=3, hierba_c=None, n_hierba=300, alto_h=18, cicadas=(), colas=()):
    h, w, _ = L.shape
    cp = Capa(w, h)
    f = _linea(ln)
    for x, a in cicadas:
        cicada(cp, g, x, f(x) + 30, a, (110, 84, 58), c_hoja)
    for x, a in colas:
        for j in range(5):
            xx = x + g.uniform(-25, 25)
            cola_caballo(cp, g, xx, f(xx) + g.uniform(10, 40), a * g.uniform(0.6, 1.0), (110, 140, 70))
    if hierba_c is not None:
        hierba(cp, g, 0, w, lambda x: h - 40, hierba_c, n_hierba // 4, alto_h * 1.6, y_extra=50)
    for i in range(n_hel):
        x = [g.uniform(-20, w * 0.2), g.uniform(w * 0.8, w + 20), g.uniform(w * 0.3, w * 0.7)][i % 3]
        helecho(cp, g, x, h + 10, g.uniform(0.16, 0.24) * h, c_hoja)
    cp.sobre(L)


def _bandada(L, g, pos, c=(60, 50, 60)):
    h, w, _ = L.shape
    cp = Capa(w, h)
    for x, y, t in pos:
        pterosaurio(cp, x, y, t, c, g.uniform(-0.15, 0.2), g.random() < 0.5)
    cp.sobre(L, textura=0)


def _flores(L, g, ln, n, colores, tam=3.0):
    h, w, _ = L.shape
    cp = Capa(w, h)
    flores(cp, g, n, 0, w, _linea(ln), h, colores, tam)
    cp.sobre(L, textura=0.1)


def _hierba(L, g, ln, c, n, alto):
    h, w, _ = L.shape
    cp = Capa(w, h, 2)
    f = _linea(ln)
    for _ in range(n):
        x = g.uniform(0, w)
        y = g.uniform(f(x), h)
        k = 0.5 + 1.0 * (y - f(x)) / max(1, h - f(x))
        hierba(cp, g, x, x, lambda _: y, c, 1, alto * k)
    cp.sobre(L)


# ---- the pictures -------------------------------------------------------

def p_triceratops(W=1024, H=768):
    g = np.random.default_rng(101)
    L = cielo(W, H, (70, 130, 210), (200, 225, 240), 470, 101, sol=(160, 90, 26, (255, 250, 220)), nubes=0.55)
    _bandada(L, g, [(640, 150, 30), (700, 190, 22), (590, 200, 18)])
    montes(L, 440, 170, (110, 130, 160), (190, 210, 228), 102, nieve=(240, 245, 250))
    montes(L, 470, 90, (90, 120, 110), (180, 205, 210), 103, celda=180)
    b = 485 + perfil(W, 260, 104) * 8
    bosque_lejano(L, b, 60, (60, 95, 70), 105, 1.3, bruma=(170, 200, 200))
    ln = 505 + perfil(W, 300, 106) * 10
    suelo(L, ln, [(120, 140, 60), (150, 160, 80), (110, 125, 55), (170, 160, 100)], 107)
    _hierba(L, g, ln, (110, 150, 60), 1000, 16)
    _flores(L, g, ln, 60, [(250, 240, 120), (255, 255, 240), (230, 120, 160)])
    cp = Capa(W, H)
    for x in (40, 130, 930, 990):
        conifera(cp, g, x, ln[min(W - 1, x)] + 20, g.uniform(300, 420), (90, 60, 40), (50, 90, 50))
    for x in (220, 780, 860):
        arbusto(cp, g, x, ln[x] + 25, 40, (80, 130, 60))
    cp.sobre(L)
    f = Figura(420, 640, 62, semilla=11)
    E.triceratops(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (70, 130, 50), 3, (110, 150, 60), 500, 16)
    return L


def p_albertosaurio(W=1024, H=768):
    g = np.random.default_rng(201)
    L = cielo(W, H, (150, 170, 200), (250, 225, 190), 430, 201, sol=(820, 250, 30, (255, 240, 200)), nubes=0.55,
              c_nube=(255, 245, 230), c_sombra=(190, 180, 190))
    montes(L, 400, 150, (130, 140, 170), (230, 215, 200), 202)
    b = 420 + perfil(W, 300, 203) * 8
    bosque_lejano(L, b, 70, (90, 110, 100), 204, 1.2, bruma=(220, 210, 200))
    rio_y = 445
    agua(L, rio_y, 540, (110, 140, 150), 205)
    ln = 540 + perfil(W, 240, 206) * 14
    ln = np.maximum(ln, rio_y + 20 + (np.arange(W) / W) * 80)
    suelo(L, ln, [(150, 140, 90), (120, 130, 70), (170, 150, 110), (110, 120, 60)], 207)
    _hierba(L, g, ln, (130, 150, 70), 800, 16)
    cp = Capa(W, H)
    for x in (70, 150, 960):
        conifera(cp, g, x, ln[min(W - 1, x)] + 30, g.uniform(380, 480), (80, 56, 40), (56, 86, 56), pisos=10)
    cp.sobre(L)
    f = Figura(570, 670, 55, espejo=True, semilla=21)
    E.albertosaurio(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (80, 130, 60), 3, (130, 150, 70), 400, 16, colas=[(900, 160)])
    return L


def p_estegosaurio(W=1024, H=768):
    g = np.random.default_rng(301)
    L = cielo(W, H, (90, 140, 200), (240, 220, 190), 460, 302, sol=(880, 120, 28, (255, 240, 200)), nubes=0.8)
    _bandada(L, g, [(400, 120, 34), (470, 160, 24)], (80, 60, 60))
    montes(L, 430, 200, (180, 110, 80), (230, 200, 180), 302, celda=400, rugoso=0.35)
    montes(L, 470, 80, (150, 110, 70), (220, 190, 160), 303, celda=200)
    ln = 500 + perfil(W, 300, 304) * 12
    suelo(L, ln, [(160, 140, 80), (130, 130, 70), (180, 150, 100), (120, 110, 60)], 305)
    _hierba(L, g, ln, (140, 150, 70), 800, 14)
    cp = Capa(W, H)
    for x in (60, 180, 880, 980):
        cicada(cp, g, x, ln[min(W - 1, x)] + 40, g.uniform(160, 240), (120, 90, 60), (80, 130, 50))
    cp.sobre(L)
    f = Figura(520, 660, 60, semilla=31)
    E.estegosaurio(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (90, 140, 50), 3, (140, 150, 70), 400, 14)
    return L


def p_alosaurio(W=800, H=600):
    g = np.random.default_rng(401)
    L = cielo(W, H, (60, 70, 110), (230, 160, 120), 380, 401, sol=(140, 300, 24, (255, 200, 140)), nubes=0.7,
              c_nube=(255, 200, 170), c_sombra=(110, 90, 120))
    montes(L, 360, 180, (90, 70, 90), (200, 140, 130), 402, celda=240)
    b = 380 + perfil(W, 200, 403) * 6
    bosque_lejano(L, b, 45, (70, 60, 60), 404, 1.2, bruma=(190, 130, 120))
    ln = 400 + perfil(W, 200, 405) * 10
    suelo(L, ln, [(130, 100, 70), (110, 90, 60), (150, 120, 80), (90, 80, 55)], 406)
    _hierba(L, g, ln, (120, 120, 60), 600, 12)
    cp = Capa(W, H)
    roca(cp, g, 690, 470, 70, (120, 100, 90))
    cicada(cp, g, 40, 560, 200, (110, 80, 60), (70, 110, 50))
    cp.sobre(L)
    f = Figura(330, 540, 48, semilla=41)
    E.alosaurio(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (70, 110, 50), 3, (120, 120, 60), 300, 12)
    return L


def p_celofisis(W=1024, H=768):
    g = np.random.default_rng(501)
    L = cielo(W, H, (120, 110, 170), (255, 200, 150), 420, 501, sol=(300, 400, 34, (255, 230, 170)), nubes=0.5,
              c_nube=(255, 220, 200), c_sombra=(170, 140, 170))
    montes(L, 400, 110, (120, 110, 150), (240, 190, 170), 502)
    agua(L, 410, 560, (120, 120, 160), 503, claro=(255, 230, 190))
    ln = 560 + perfil(W, 250, 504) * 15
    suelo(L, ln, [(200, 170, 120), (180, 150, 100), (210, 190, 140), (160, 140, 90)], 505)
    cp = Capa(W, H)
    for x in (930, 1000):
        conifera(cp, g, x, ln[min(W - 1, x)] + 20, g.uniform(380, 460), (80, 56, 40), (60, 90, 60))
    for x, a in ((60, 150), (130, 110)):
        cicada(cp, g, x, ln[x] + 10, a, (110, 80, 60), (80, 120, 60))
    cp.sobre(L)
    for (x, y, s, m, sem) in [(250, 600, 40, False, 51), (835, 640, 46, True, 52), (430, 740, 62, False, 53)]:
        f = Figura(x, y, s, espejo=m, semilla=sem)
        E.celofisis(f)
        f.sombra(L, 0.35)
        f.pintar(L)
    _plantas_frente(L, g, ln, (90, 130, 60), 2, None)
    return L


def p_tiranosaurio(W=1024, H=768):
    g = np.random.default_rng(601)
    L = cielo(W, H, (60, 70, 140), (250, 160, 100), 470, 601, sol=(800, 330, 30, (255, 210, 140)), nubes=0.55,
              c_nube=(255, 210, 180), c_sombra=(140, 100, 130))
    volcan(L, 280, 460, 500, 290, (90, 70, 75), (210, 140, 120), 602)
    montes(L, 480, 100, (110, 85, 95), (220, 150, 130), 603, celda=200)
    b = 490 + perfil(W, 200, 604) * 8
    bosque_lejano(L, b, 40, (70, 70, 66), 605, 1.2, bruma=(210, 150, 130))
    ln = 510 + perfil(W, 300, 606) * 10
    suelo(L, ln, [(130, 110, 70), (110, 100, 60), (150, 120, 80), (100, 90, 55)], 607)
    _hierba(L, g, ln, (130, 120, 60), 600, 14)
    cp = Capa(W, H)
    for x in (900, 970):
        conifera(cp, g, x, ln[min(W - 1, x)] + 30, g.uniform(380, 460), (80, 55, 40), (50, 80, 45))
    cicada(cp, g, 60, 700, 260, (110, 85, 60), (70, 120, 50))
    roca(cp, g, 760, 600, 50, (120, 100, 90))
    for x in (690, 1000):
        arbusto(cp, g, x, ln[min(W - 1, x)] + 40, 45, (90, 110, 50), 80)
    helecho(cp, g, 840, 640, 90, (80, 120, 50), 8)
    cp.sobre(L)
    f = Figura(400, 700, 62, semilla=61)
    E.tiranosaurio(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (80, 120, 50), 3, (130, 120, 60), 300, 14)
    return L


def p_deinonico(W=800, H=600):
    g = np.random.default_rng(701)
    L = cielo(W, H, (150, 180, 170), (210, 225, 200), 350, 701, nubes=0.55, c_nube=(230, 240, 230), c_sombra=(170, 190, 180))
    cp = Capa(W, H)
    for i in range(14):
        x = g.uniform(0, W)
        conifera(cp, g, x, 380, g.uniform(250, 380), (120, 130, 120), (120, 150, 130), pisos=8)
    cp.sobre(L, 0.8)
    L[:] = mezcla(L, col((200, 215, 200)), 0.35)
    cp = Capa(W, H)
    for i in range(8):
        x = g.uniform(0, W)
        conifera(cp, g, x, 420, g.uniform(350, 450), (90, 80, 70), (70, 110, 80), ancho=g.uniform(0.25, 0.4),
                 pisos=int(g.integers(7, 12)))
    cp.sobre(L)
    ln = 420 + perfil(W, 200, 702) * 10
    suelo(L, ln, [(90, 110, 60), (110, 120, 70), (80, 95, 55), (120, 110, 70)], 703)
    _hierba(L, g, ln, (90, 120, 60), 500, 12)
    cp = Capa(W, H)
    for x, a in ((60, 230), (480, 170), (740, 250)):
        cicada(cp, g, x, ln[x] + 15, a, (90, 70, 55), (60, 110, 60), 16)
    for x in (150, 400, 640):
        helecho(cp, g, x, ln[x] + 12, 70, (70, 120, 60), 8)
    for x in (100, 700):
        arbusto(cp, g, x, ln[x] + 20, 50, (70, 120, 60), 90)
    cp.sobre(L)
    for (x, y, s, m, sem) in [(660, 455, 32, True, 71), (300, 565, 52, False, 72)]:
        f = Figura(x, y, s, espejo=m, semilla=sem)
        E.deinonico(f, sem)
        f.sombra(L, 0.35)
        f.pintar(L)
    _plantas_frente(L, g, ln, (60, 110, 60), 3, (90, 120, 60), 250, 12)
    return L


def p_euoplocefalo(W=800, H=600):
    g = np.random.default_rng(801)
    L = cielo(W, H, (100, 140, 200), (240, 210, 170), 360, 801, sol=(660, 110, 22, (255, 240, 200)), nubes=0.7)
    _bandada(L, g, [(250, 90, 24), (300, 120, 18)], (80, 60, 60))
    montes(L, 330, 130, (170, 120, 90), (230, 200, 180), 802, celda=150, rugoso=0.4)
    montes(L, 370, 60, (150, 120, 80), (220, 200, 170), 803, celda=120)
    ln = 390 + perfil(W, 200, 804) * 10
    suelo(L, ln, [(170, 150, 90), (150, 140, 80), (190, 160, 110), (130, 120, 70)], 805)
    _hierba(L, g, ln, (150, 150, 70), 600, 12)
    _flores(L, g, ln, 70, [(250, 200, 60), (240, 90, 70), (255, 250, 235)])
    cp = Capa(W, H)
    for x in (60, 740):
        arbusto(cp, g, x, ln[x] + 20, 45, (90, 130, 60), 80)
    cp.sobre(L)
    f = Figura(370, 510, 58, semilla=81)
    E.euoplocefalo(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (90, 130, 60), 3, (150, 150, 70), 300, 12)
    return L


def p_braquiosaurio(W=576, H=768):
    g = np.random.default_rng(901)
    L = cielo(W, H, (60, 120, 200), (200, 225, 240), 520, 901, sol=(470, 110, 24, (255, 250, 230)), nubes=0.55)
    _bandada(L, g, [(230, 300, 24), (275, 340, 16)], (70, 60, 70))
    montes(L, 520, 120, (110, 130, 170), (200, 215, 230), 902)
    agua(L, 530, 600, (80, 130, 150), 903)
    ln = 600 + perfil(W, 200, 904) * 10
    suelo(L, ln, [(120, 140, 70), (140, 150, 80), (110, 120, 60), (160, 150, 90)], 905)
    _hierba(L, g, ln, (120, 150, 60), 500, 14)
    cp = Capa(W, H)
    for x in (40, 520):
        conifera(cp, g, x, ln[min(W - 1, x)] + 20, g.uniform(450, 560), (90, 60, 40), (50, 90, 55), pisos=11)
    cp.sobre(L)
    f = Figura(230, 720, 46, semilla=91)
    E.braquiosaurio(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (70, 130, 60), 3, (120, 150, 60), 250, 14)
    return L


def p_iguanodonte(W=1024, H=768):
    g = np.random.default_rng(1001)
    L = cielo(W, H, (90, 150, 210), (220, 235, 230), 420, 1001, nubes=0.75)
    _bandada(L, g, [(650, 140, 30), (730, 110, 22)], (60, 60, 70))
    montes(L, 400, 120, (100, 140, 130), (200, 220, 220), 1002)
    b = 420 + perfil(W, 200, 1003) * 8
    bosque_lejano(L, b, 80, (60, 100, 70), 1004, 1.4, bruma=(190, 210, 210))
    agua(L, 450, 560, (90, 140, 140), 1005)
    ln = 560 + perfil(W, 250, 1006) * 14
    suelo(L, ln, [(110, 140, 60), (130, 150, 70), (100, 120, 55), (150, 150, 90)], 1007)
    _hierba(L, g, ln, (110, 150, 60), 800, 16)
    _flores(L, g, ln, 50, [(255, 230, 90), (250, 250, 240)])
    cp = Capa(W, H)
    for x in (60, 960):
        cicada(cp, g, x, ln[min(W - 1, x)] + 30, g.uniform(230, 290), (110, 80, 60), (70, 130, 60))
    cp.sobre(L)
    f = Figura(570, 690, 62, espejo=True, semilla=101)
    E.iguanodonte(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (70, 130, 60), 3, (110, 150, 60), 400, 16)
    return L


def p_parasaurolofo(W=576, H=768):
    g = np.random.default_rng(1101)
    L = cielo(W, H, (80, 60, 120), (250, 150, 90), 470, 1101, sol=(380, 420, 30, (255, 200, 120)), nubes=0.6,
              c_nube=(255, 190, 150), c_sombra=(130, 90, 120))
    _bandada(L, g, [(120, 160, 26), (180, 120, 20), (230, 175, 16)], (70, 40, 60))
    montes(L, 460, 90, (100, 70, 90), (220, 140, 110), 1102)
    agua(L, 470, 620, (100, 70, 80), 1103, claro=(255, 200, 140))
    ln = 620 + perfil(W, 200, 1104) * 10
    suelo(L, ln, [(90, 90, 50), (100, 100, 55), (80, 80, 45), (110, 100, 60)], 1105)
    _hierba(L, g, ln, (110, 120, 50), 400, 14)
    cp = Capa(W, H)
    for x in (60, 500):
        for j in range(6):
            xx = x + g.uniform(-40, 40)
            cola_caballo(cp, g, xx, ln[int(np.clip(xx, 0, W - 1))] + 20, g.uniform(150, 260), (110, 130, 60))
    cp.sobre(L)
    f = Figura(470, 600, 19, espejo=True, semilla=112)
    E.parasaurolofo(f)
    f.pintar(L)
    f = Figura(190, 745, 66, semilla=111)
    E.parasaurolofo(f, inclina=-0.4)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (80, 110, 50), 2, (110, 120, 50), 200, 14)
    return L


def p_velociraptor(W=1024, H=768):
    g = np.random.default_rng(1201)
    L = cielo(W, H, (80, 150, 220), (240, 225, 200), 430, 1201, sol=(180, 80, 28, (255, 255, 230)), nubes=0.55)
    _bandada(L, g, [(720, 120, 30), (800, 90, 20), (640, 150, 18)], (90, 60, 50))
    montes(L, 410, 120, (200, 140, 100), (240, 210, 190), 1202, celda=300, rugoso=0.35)
    ln = 430 + perfil(W, 400, 1203) * 20
    suelo(L, ln, [(230, 180, 120), (220, 165, 105), (240, 195, 140), (210, 150, 95)], 1204, celda=160)
    ln2 = 560 + perfil(W, 300, 1205) * 25
    suelo(L, ln2, [(225, 170, 110), (210, 155, 100), (235, 185, 130)], 1206, celda=140)
    _hierba(L, g, ln2, (170, 150, 80), 300, 12)
    cp = Capa(W, H)
    for x in (80, 960):
        arbusto(cp, g, x, ln2[min(W - 1, x)] + 10, 40, (120, 130, 60), 60)
    roca(cp, g, 860, 620, 60, (170, 120, 90))
    cp.sobre(L)
    for (x, y, s, m, sem) in [(800, 590, 42, True, 121), (330, 705, 62, False, 122)]:
        f = Figura(x, y, s, espejo=m, semilla=sem)
        E.velociraptor(f, sem)
        f.sombra(L, 0.35)
        f.pintar(L)
    _plantas_frente(L, g, ln2, (110, 130, 60), 2, (170, 150, 80), 150, 12)
    return L


def p_saltasaurio(W=1024, H=768):
    g = np.random.default_rng(1301)
    L = cielo(W, H, (90, 130, 190), (250, 210, 160), 450, 1301, sol=(880, 300, 30, (255, 230, 170)), nubes=0.5,
              c_nube=(255, 235, 210), c_sombra=(180, 160, 170))
    montes(L, 430, 120, (140, 120, 130), (240, 210, 180), 1302)
    ln = 460 + perfil(W, 300, 1303) * 8
    suelo(L, ln, [(190, 160, 90), (170, 150, 80), (200, 170, 110), (150, 140, 70)], 1304)
    _hierba(L, g, ln, (170, 150, 70), 800, 16)
    _flores(L, g, ln, 80, [(250, 240, 120), (250, 140, 60), (240, 240, 250)])
    for (x, y, s, sem) in [(150, 500, 10, 131), (250, 505, 12, 132), (800, 498, 9, 133)]:
        f = Figura(x, y, s, semilla=sem)
        E.saltasaurio(f)
        f.pintar(L)
    cp = Capa(W, H)
    for x in (40, 990):
        conifera(cp, g, x, ln[min(W - 1, x)] + 40, g.uniform(380, 460), (90, 60, 40), (70, 90, 50), ancho=0.45)
    for x in (640, 860):
        cicada(cp, g, x, ln[x] + 30, g.uniform(110, 150), (110, 84, 58), (90, 120, 50), 12)
    for x in (720, 920, 120):
        arbusto(cp, g, x, ln[x] + 45, 38, (100, 120, 50), 70)
    cp.sobre(L)
    f = Figura(470, 690, 54, semilla=134)
    E.saltasaurio(f)
    f.sombra(L)
    f.pintar(L)
    _plantas_frente(L, g, ln, (100, 130, 60), 3, (170, 150, 70), 400, 16)
    return L


def p_maiasaura(W=800, H=600):
    g = np.random.default_rng(1401)
    L = cielo(W, H, (110, 160, 220), (250, 235, 210), 360, 1401, sol=(120, 100, 24, (255, 245, 210)), nubes=0.5)
    montes(L, 340, 120, (110, 140, 130), (220, 230, 220), 1402)
    ln = 380 + perfil(W, 200, 1403) * 10
    suelo(L, ln, [(150, 150, 80), (170, 160, 90), (130, 140, 70), (180, 160, 110)], 1404)
    _hierba(L, g, ln, (140, 150, 70), 600, 14)
    _flores(L, g, ln, 60, [(250, 240, 130), (200, 130, 220), (255, 255, 240)])
    f = Figura(640, 420, 14, espejo=True, semilla=140)
    E.maiasaura(f)
    f.pintar(L)
    f = Figura(300, 500, 46, semilla=141)
    E.maiasaura(f, inclina=0.75)
    f.sombra(L)
    f.pintar(L)
    f = Figura(520, 560, 46, semilla=142)
    E.nido(f, 0.0, 3.2, [(-0.3, (170, 140, 100), (236, 216, 180), 0.9, -1),
                          (0.25, (170, 140, 100), (236, 216, 180), 1.0, 1)])
    f.pintar(L)
    _plantas_frente(L, g, ln, (80, 130, 60), 3, (140, 150, 70), 300, 14)
    return L


def p_paquicefalosaurio(W=1024, H=768):
    g = np.random.default_rng(1501)
    L = cielo(W, H, (100, 140, 200), (230, 220, 210), 480, 1501, sol=(160, 130, 26, (255, 245, 220)), nubes=0.65)
    montes(L, 440, 220, (130, 120, 140), (220, 215, 220), 1502, nieve=(245, 245, 250))
    montes(L, 480, 110, (120, 110, 100), (210, 200, 190), 1503, celda=150)
    ln = 500 + perfil(W, 200, 1504) * 12
    suelo(L, ln, [(140, 130, 90), (120, 120, 80), (160, 140, 100), (110, 110, 70)], 1505)
    _hierba(L, g, ln, (140, 140, 70), 800, 14)
    _flores(L, g, ln, 50, [(250, 230, 100), (170, 140, 230)])
    cp = Capa(W, H)
    roca(cp, g, 900, 600, 110, (140, 130, 120))
    roca(cp, g, 90, 560, 70, (130, 125, 115))
    for x in (30, 990):
        conifera(cp, g, x, ln[min(W - 1, x)] + 10, g.uniform(300, 380), (90, 60, 40), (60, 90, 55))
    cp.sobre(L)
    for (x, m, sem, C, R) in [(300, False, 151, (120, 100, 130), (84, 64, 96)), (770, True, 152, (130, 110, 90), (90, 70, 50))]:
        f = Figura(x, 690, 50, espejo=m, semilla=sem)
        E.paquicefalosaurio(f, C=C, R=R)
        f.sombra(L)
        f.pintar(L)
    _plantas_frente(L, g, ln, (90, 130, 60), 3, (140, 140, 70), 200, 14)
    return L


CUADROS = [p_triceratops, p_albertosaurio, p_estegosaurio, p_alosaurio, p_celofisis, p_tiranosaurio,
           p_deinonico, p_euoplocefalo, p_braquiosaurio, p_iguanodonte, p_parasaurolofo, p_velociraptor,
           p_saltasaurio, p_maiasaura, p_paquicefalosaurio]


def a_8bits(L):
    """Own 256-colour palette with Floyd-Steinberg dithering. The
    image-quantization library gives clean skies (no stray far colours);
    without it, median cut."""
    rgb = Image.fromarray((np.clip(L, 0, 1) * 255 + 0.5).astype(np.uint8), 'RGB')
    if features.check_feature('libimagequant'):
        return rgb.quantize(colors=256, method=Image.Quantize.LIBIMAGEQUANT, dither=Image.Dither.FLOYDSTEINBERG)
    ref = rgb.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    return rgb.quantize(palette=ref, dither=Image.Dither.FLOYDSTEINBERG)


def comprobar(ruta):
    """What the game's readers need of a numbered picture; returns the
    faults found (empty when the file is good)."""
    with open(ruta, 'rb') as f:
        d = f.read()
    if len(d) < 1078 or d[:2] != b'BM':
        return ['not a BMP file']
    off, = struct.unpack_from('<I', d, 10)
    tam, w, h, _, bits, comp, _, _, _, usados = struct.unpack_from('<IiiHHIIiiI', d, 14)
    fallos = []
    if tam != 40 or bits != 8 or comp != 0 or usados not in (0, 256) or off != 1078:
        fallos.append('header: size %d, %d bits, compression %d, %d colours, rows at %d' % (tam, bits, comp, usados, off))
    if not (480 <= w <= 1024 and 480 <= h <= 768 and 3 * h <= 4 * w and 3 * w <= 4 * h):
        fallos.append('size %d x %d' % (w, h))
    if len(d) != off + ((w + 3) & ~3) * h:
        fallos.append('file length %d' % len(d))
    return fallos


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__)
    salida = argv[1]
    os.makedirs(salida, exist_ok=True)
    cuales = [int(a) for a in argv[2:]] or range(1, 16)
    for k in cuales:
        L = CUADROS[k - 1]()
        ruta = os.path.join(salida, '%d.bmp' % k)
        bmp.guardar(a_8bits(L), ruta)
        fallos = comprobar(ruta)
        if fallos:
            sys.exit('%s: %s' % (ruta, '; '.join(fallos)))


if __name__ == '__main__':
    main(sys.argv)
