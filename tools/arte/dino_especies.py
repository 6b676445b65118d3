"""The fifteen animals, each drawn in the local frame of a Figura:
x forward (the head is at +x), y down, the ground at y = 0, about ten
units from tail tip to snout."""
import numpy as np

from dino_cuerpo import girar

OSC = 0.68  # far-side limbs are in shadow
UNA = (235, 225, 200)
TINTA = (35, 25, 18)


def pierna_bipeda(f, hx, k, C, V, oscuro=1.0, fino=1.0, garra=False, patron=None):
    r = fino
    p = f.pieza(C, V, oscuro=oscuro, patron=patron)
    p.elipse(hx, -3.0 * k, 0.9 * k * r, 1.25 * k, 0.25)
    p.tubo([(hx + 0.1 * k, -2.3 * k, 0.55 * k * r), (hx + 0.7 * k, -1.5 * k, 0.38 * k * r),
            (hx + 0.2 * k, -0.5 * k, 0.2 * k * r), (hx + 0.45 * k, -0.14 * k, 0.17 * k * r)])
    p.tubo([(hx + 0.25 * k, -0.12 * k, 0.16 * k * r), (hx + 0.8 * k, -0.1 * k, 0.13 * k * r),
            (hx + 1.25 * k, -0.08 * k, 0.1 * k * r)])
    uc = tuple(int(c * oscuro) for c in UNA)
    f.trazo([(hx + 1.2 * k, -0.12 * k), (hx + 1.45 * k, -0.04 * k), (hx + 1.5 * k, 0.0)], uc, 0.1 * k, 0.02 * k)
    if garra:
        f.trazo([(hx + 0.55 * k, -0.2 * k), (hx + 0.75 * k, -0.5 * k), (hx + 0.95 * k, -0.42 * k)], uc, 0.12 * k, 0.02 * k)
    f.pies.append((hx + 0.6 * k, 0.0))


def pata(f, x, ytop, k, C, V, oscuro=1.0, delante=False, patron=None):
    """A pillar leg from the body (ytop) to the ground."""
    p = f.pieza(C, V, oscuro=oscuro, patron=patron)
    if delante:
        p.elipse(x, ytop + 0.4 * k, 0.55 * k, 0.9 * k, -0.2)
        p.tubo([(x + 0.05 * k, ytop + 0.6 * k, 0.45 * k), (x + 0.2 * k, ytop * 0.45, 0.34 * k),
                (x + 0.15 * k, -0.3 * k, 0.32 * k)])
    else:
        p.elipse(x, ytop + 0.4 * k, 0.8 * k, 1.2 * k, 0.3)
        p.tubo([(x - 0.05 * k, ytop + 0.9 * k, 0.55 * k), (x + 0.05 * k, ytop * 0.45, 0.42 * k),
                (x, -0.3 * k, 0.36 * k)])
    p.elipse(x + 0.15 * k, -0.2 * k, 0.52 * k, 0.22 * k)
    uc = tuple(int(c * oscuro) for c in UNA)
    uc = tuple(int(c * oscuro * 0.85) for c in UNA)
    for d in (0.0, 0.25, 0.5):
        f.mancha([(x + (d - 0.06) * k + 0.1 * k, -0.02 * k), (x + (d + 0.07) * k + 0.1 * k, -0.02 * k),
                  (x + (d + 0.06) * k + 0.12 * k, -0.13 * k), (x + (d - 0.04) * k + 0.12 * k, -0.15 * k)], uc)
    f.pies.append((x, 0.0))


def brazo(f, pts, C, V, oscuro=1.0, dedos=3, largo=0.25, patron=None):
    f.pieza(C, V, oscuro=oscuro, patron=patron).tubo(pts)
    x, y, r = pts[-1]
    uc = tuple(int(c * oscuro) for c in UNA)
    for i in range(dedos):
        a = 0.6 + i * 0.45
        f.trazo([(x, y), (x + np.cos(a) * largo, y + np.sin(a) * largo * 0.8),
                 (x + np.cos(a + 0.6) * largo * 1.2, y + np.sin(a + 0.6) * largo)], uc, r * 0.7, 0.02)


def plumas(f, pts, largo, C, n=40, semilla=0, grueso=0.06, banda=0.0):
    """Short feather strokes along a curve (spread over a band), pointing
    backwards."""
    g = np.random.default_rng(semilla)
    q = np.asarray(pts, float)
    d = np.r_[0, np.cumsum(np.hypot(*np.diff(q, axis=0).T))]
    for i in range(n):
        u = g.uniform(0, d[-1])
        x, y = np.interp(u, d, q[:, 0]), np.interp(u, d, q[:, 1]) + g.uniform(0, banda)
        l = largo * g.uniform(0.6, 1.2)
        a = np.pi + g.uniform(-0.5, 0.3)
        m = g.uniform(0.8, 1.2)
        c = tuple(int(min(255, v * m)) for v in C)
        f.trazo([(x, y), (x + np.cos(a) * l * 0.5, y + np.sin(a) * l * 0.5 - l * 0.1),
                 (x + np.cos(a) * l, y + np.sin(a) * l)], c, grueso, 0.01)


def abanico(f, x, y, ang0, ang1, largo, C, n=7, oscuro=1.0):
    """A fan of long feathers (wing or tail)."""
    cc = np.asarray(C, float) * oscuro
    for i in range(n):
        a = ang0 + (ang1 - ang0) * i / max(1, n - 1)
        l = largo * (0.8 + 0.2 * np.sin(i))
        ex, ey = x + np.cos(a) * l, y + np.sin(a) * l
        c = tuple(int(min(255, v * (0.85 + 0.25 * (i % 2)))) for v in cc)
        f.trazo([(x, y), ((x + ex) / 2, (y + ey) / 2 + l * 0.06), (ex, ey)], c, largo * 0.16, largo * 0.05)


# ---- big theropods ---------------------------------------------------

def tiranosaurio(f, C=(120, 96, 62), V=(214, 190, 146), R=(72, 52, 34)):
    pierna_bipeda(f, 0.0, 1.0, C, V, OSC)
    brazo(f, [(1.95, -3.15, 0.15), (2.2, -2.85, 0.11), (2.45, -2.9, 0.08)], C, V, OSC, 2, 0.15)
    f.pieza(C, V, patron=('rayas', 3.2, R)).tubo(
        [(-5.9, -3.55, 0.06), (-4.6, -3.3, 0.25), (-3.1, -3.4, 0.5), (-1.6, -3.75, 0.8), (-0.3, -3.85, 1.05),
         (0.9, -3.75, 1.08), (1.9, -3.5, 0.92), (2.5, -3.95, 0.68), (2.9, -4.5, 0.58)]).elipse(0.6, -3.3, 1.6, 1.05, 0.05)
    f.pieza((110, 30, 30), relieve=0.4, borde=0.3, grano=0.3).poli([(2.6, -4.38), (4.55, -4.5), (4.5, -4.0), (2.7, -4.0)])
    f.pieza(C, V).forma([(2.5, -4.45), (3.2, -4.18), (4.0, -4.05), (4.55, -4.0), (4.6, -3.82), (4.0, -3.62),
                          (3.2, -3.56), (2.6, -3.72), (2.35, -4.1)])
    f.pieza(C, V, patron=('rayas', 3.2, R)).forma(
        [(2.4, -5.0), (2.9, -5.42), (3.5, -5.5), (4.1, -5.3), (4.6, -5.05), (4.9, -4.78), (4.85, -4.52), (4.3, -4.42),
         (3.6, -4.38), (3.0, -4.33), (2.5, -4.33), (2.25, -4.6)])
    f.dientes([(3.0, -4.36), (4.65, -4.48)], 0.14)
    f.dientes([(3.2, -4.13), (4.45, -4.03)], 0.11, abajo=False)
    f.ojo(3.4, -5.02, 0.12, (230, 160, 30))
    f.trazo([(3.12, -5.2), (3.4, -5.28), (3.65, -5.22)], (50, 35, 22), 0.09, 0.04)
    f.trazo([(4.55, -4.88), (4.7, -4.86)], (40, 28, 18), 0.07, 0.05)
    pierna_bipeda(f, 0.55, 1.0, C, V)
    brazo(f, [(2.05, -3.2, 0.16), (2.35, -2.85, 0.12), (2.65, -2.95, 0.09)], C, V, 1.0, 2, 0.16)


def albertosaurio(f, C=(150, 110, 80), V=(226, 204, 168), R=(90, 56, 42)):
    pierna_bipeda(f, 0.0, 1.08, C, V, OSC, fino=0.82)
    brazo(f, [(1.8, -3.45, 0.13), (2.1, -3.1, 0.09), (2.35, -3.12, 0.07)], C, V, OSC, 2, 0.14)
    f.pieza(C, V, patron=('rayas', 4.0, R)).tubo(
        [(-6.0, -3.4, 0.05), (-4.6, -3.5, 0.22), (-3.0, -3.7, 0.45), (-1.5, -3.9, 0.72), (-0.2, -4.0, 0.9),
         (0.9, -3.9, 0.9), (1.8, -3.7, 0.75), (2.4, -4.2, 0.52), (2.75, -4.7, 0.45)]).elipse(0.5, -3.55, 1.4, 0.85, 0.05)
    f.pieza((110, 30, 30), relieve=0.4, borde=0.3, grano=0.3).poli([(2.55, -4.55), (4.3, -4.65), (4.25, -4.2), (2.6, -4.25)])
    f.pieza(C, V).forma([(2.45, -4.6), (3.2, -4.35), (3.9, -4.25), (4.35, -4.2), (4.35, -4.05), (3.8, -3.9),
                          (3.1, -3.88), (2.55, -4.0), (2.35, -4.3)])
    f.pieza(C, V, patron=('rayas', 4.0, R)).forma(
        [(2.4, -5.05), (2.85, -5.4), (3.4, -5.42), (3.95, -5.22), (4.45, -5.0), (4.6, -4.75), (4.5, -4.55),
         (3.9, -4.5), (3.2, -4.48), (2.55, -4.5), (2.25, -4.75)])
    f.dientes([(2.95, -4.5), (4.45, -4.6)], 0.12)
    f.dientes([(3.1, -4.3), (4.2, -4.22)], 0.09, abajo=False)
    f.mancha([(3.0, -5.33), (3.2, -5.55), (3.35, -5.38)], (150, 60, 40))
    f.ojo(3.25, -5.08, 0.11, (240, 190, 40))
    f.trazo([(2.98, -5.25), (3.3, -5.32)], (60, 35, 22), 0.08, 0.04)
    f.trazo([(4.3, -4.9), (4.42, -4.88)], (40, 28, 18), 0.06, 0.05)
    pierna_bipeda(f, 0.5, 1.08, C, V, fino=0.82)
    brazo(f, [(1.9, -3.5, 0.14), (2.2, -3.1, 0.1), (2.5, -3.15, 0.08)], C, V, 1.0, 2, 0.15)


def alosaurio(f, C=(168, 132, 84), V=(232, 214, 170), R=(98, 64, 40), H=(190, 60, 40)):
    pierna_bipeda(f, 0.0, 1.0, C, V, OSC, fino=0.9)
    brazo(f, [(1.7, -3.3, 0.18), (2.05, -2.85, 0.13), (2.45, -2.75, 0.1)], C, V, OSC, 3, 0.25)
    f.pieza(C, V, patron=('rayas', 3.6, R)).tubo(
        [(-6.0, -3.3, 0.05), (-4.6, -3.4, 0.22), (-3.0, -3.6, 0.48), (-1.5, -3.8, 0.78), (-0.2, -3.9, 0.95),
         (0.9, -3.8, 0.95), (1.8, -3.6, 0.8), (2.4, -4.05, 0.55), (2.8, -4.5, 0.46)]).elipse(0.5, -3.45, 1.45, 0.9, 0.05)
    f.pieza((110, 30, 30), relieve=0.4, borde=0.3, grano=0.3).poli([(2.6, -4.35), (4.6, -4.45), (4.55, -3.9), (2.7, -4.0)])
    f.pieza(C, V).forma([(2.5, -4.4), (3.3, -4.05), (4.1, -3.9), (4.6, -3.85), (4.6, -3.7), (4.0, -3.55),
                          (3.2, -3.55), (2.6, -3.7), (2.35, -4.05)])
    f.pieza(C, V, patron=('rayas', 3.6, R)).forma(
        [(2.45, -4.95), (2.9, -5.25), (3.5, -5.3), (4.2, -5.05), (4.75, -4.8), (4.9, -4.6), (4.8, -4.42),
         (4.1, -4.4), (3.3, -4.35), (2.6, -4.35), (2.3, -4.65)])
    # brow horns
    f.pieza(H, relieve=0.6).forma([(3.05, -5.15), (3.3, -5.65), (3.55, -5.2)], 6)
    f.dientes([(2.95, -4.38), (4.7, -4.45)], 0.13)
    f.dientes([(3.2, -4.0), (4.5, -3.88)], 0.1, abajo=False)
    f.trazo([(3.6, -5.15), (4.6, -4.85)], (120, 90, 60), 0.08, 0.04)
    f.ojo(3.3, -4.95, 0.11, (250, 200, 50))
    f.trazo([(4.65, -4.72), (4.78, -4.7)], (40, 28, 18), 0.06, 0.05)
    pierna_bipeda(f, 0.5, 1.0, C, V, fino=0.9)
    brazo(f, [(1.85, -3.35, 0.19), (2.2, -2.85, 0.14), (2.65, -2.8, 0.11)], C, V, 1.0, 3, 0.28)


def celofisis(f, C=(190, 140, 70), V=(240, 222, 180), R=(120, 60, 40), semilla=0):
    k = 0.62
    pierna_bipeda(f, 0.0, k, C, V, OSC, fino=0.7)
    brazo(f, [(1.4, -2.0, 0.09), (1.65, -1.7, 0.07), (1.95, -1.72, 0.05)], C, V, OSC, 3, 0.16)
    f.pieza(C, V, patron=('rayas', 5.0, R)).tubo(
        [(-4.8, -2.2, 0.04), (-3.5, -2.1, 0.12), (-2.0, -2.0, 0.25), (-0.8, -2.05, 0.4), (0.2, -2.1, 0.48),
         (1.1, -2.05, 0.42), (1.7, -2.3, 0.26), (2.1, -2.9, 0.18), (2.4, -3.35, 0.16), (2.7, -3.55, 0.15)])
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.55, -3.7), (2.9, -3.85), (3.4, -3.75), (3.95, -3.6), (4.15, -3.48), (3.9, -3.42), (3.3, -3.38),
         (2.75, -3.3), (2.5, -3.45)])
    f.linea([(2.85, -3.42), (3.9, -3.48)], (60, 30, 20), 0.035)
    f.dientes([(3.0, -3.43), (3.85, -3.49)], 0.05)
    f.ojo(2.95, -3.62, 0.07, (220, 60, 30))
    f.mancha([(2.6, -3.78), (3.2, -3.95), (3.5, -3.78), (3.0, -3.72)], (190, 60, 40))
    pierna_bipeda(f, 0.35, k, C, V, fino=0.7)
    brazo(f, [(1.5, -2.0, 0.1), (1.75, -1.7, 0.07), (2.05, -1.72, 0.05)], C, V, 1.0, 3, 0.17)


# ---- feathered raptors ----------------------------------------------

def raptor(f, C, V, R, P, k=1.0, semilla=0, cola_plumas=True):
    """Deinonychus and Velociraptor: feathered, sickle-clawed."""
    abanico(f, 2.0 * k - 0.2, -2.45 * k, 2.2, 2.9, 1.1 * k, P, 6, OSC)
    pierna_bipeda(f, 0.0, 0.8 * k, C, V, OSC, fino=0.75, garra=True)
    f.pieza(C, V, oscuro=OSC).tubo([(1.6 * k, -2.7 * k, 0.14 * k), (2.0 * k, -2.3 * k, 0.1 * k), (2.45 * k, -2.25 * k, 0.07 * k)])
    if cola_plumas:
        abanico(f, -3.8 * k, -2.85 * k, 2.8, 3.5, 1.6 * k, P, 9)
    f.pieza(C, V, patron=('plumaje', 0.32 * k, R, P)).tubo(
        [(-5.0 * k, -2.9 * k, 0.06 * k), (-3.6 * k, -2.85 * k, 0.15 * k), (-2.0 * k, -2.8 * k, 0.3 * k),
         (-0.7 * k, -2.75 * k, 0.55 * k), (0.4 * k, -2.7 * k, 0.62 * k), (1.3 * k, -2.8 * k, 0.5 * k),
         (1.8 * k, -3.3 * k, 0.32 * k), (2.1 * k, -3.8 * k, 0.26 * k), (2.35 * k, -4.05 * k, 0.25 * k)])
    f.pieza((110, 30, 30), relieve=0.4, borde=0.3).poli([(2.3 * k, -3.88 * k), (3.55 * k, -3.98 * k), (3.45 * k, -3.7 * k), (2.35 * k, -3.75 * k)])
    f.pieza(C, V).forma([(2.3 * k, -3.9 * k), (2.9 * k, -3.75 * k), (3.45 * k, -3.7 * k), (3.45 * k, -3.6 * k),
                          (2.9 * k, -3.5 * k), (2.35 * k, -3.6 * k)])
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.2 * k, -4.25 * k), (2.55 * k, -4.45 * k), (3.0 * k, -4.4 * k), (3.5 * k, -4.15 * k), (3.7 * k, -3.98 * k),
         (3.5 * k, -3.88 * k), (2.9 * k, -3.85 * k), (2.3 * k, -3.85 * k), (2.1 * k, -4.05 * k)])
    f.dientes([(2.6 * k, -3.87 * k), (3.55 * k, -3.96 * k)], 0.07 * k)
    f.dientes([(2.7 * k, -3.73 * k), (3.35 * k, -3.7 * k)], 0.05 * k, abajo=False)
    f.ojo(2.65 * k, -4.18 * k, 0.09 * k, (250, 190, 30))
    plumas(f, [(-3.0 * k, -3.1 * k), (-1.2 * k, -3.35 * k), (0.4 * k, -3.35 * k), (1.4 * k, -3.2 * k),
               (1.95 * k, -3.75 * k), (2.2 * k, -4.25 * k)], 0.45 * k, P, 70, semilla, 0.1 * k, 0.12 * k)

    pierna_bipeda(f, 0.35 * k, 0.8 * k, C, V, fino=0.75, garra=True)
    # near arm with its wing of feathers
    abanico(f, 2.1 * k, -2.5 * k, 2.0, 2.8, 1.2 * k, P, 7)
    brazo(f, [(1.45 * k, -2.75 * k, 0.16 * k), (1.9 * k, -2.4 * k, 0.11 * k), (2.45 * k, -2.35 * k, 0.08 * k)],
          C, V, 1.0, 3, 0.25 * k)


def deinonico(f, semilla=0, C=(88, 82, 96), V=(200, 190, 176), R=(40, 36, 52), P=(60, 70, 110)):
    raptor(f, C, V, R, P, 1.0, semilla)


def velociraptor(f, semilla=0, C=(196, 138, 76), V=(240, 220, 180), R=(110, 62, 34), P=(150, 80, 40)):
    raptor(f, C, V, R, P, 1.0, semilla)


# ---- armoured and plated ----------------------------------------------

def triceratops(f, C=(110, 116, 84), V=(200, 192, 150), R=(70, 80, 52), F=(196, 110, 52)):
    pata(f, -1.2, -2.2, 1.0, C, V, OSC)
    pata(f, 1.7, -1.8, 0.85, C, V, OSC, delante=True)
    f.pieza(C, V, patron=('manchas', 0.5, R)).tubo(
        [(-5.2, -1.4, 0.08), (-4.0, -1.9, 0.35), (-2.6, -2.4, 0.8), (-1.2, -2.75, 1.25), (0.3, -2.75, 1.35),
         (1.5, -2.5, 1.15), (2.2, -2.25, 0.85)]).elipse(0.0, -2.2, 2.0, 1.25)
    # frill: a broad shield with a scalloped rim
    rim = [(3.35, -2.2), (3.65, -3.0), (3.6, -3.85), (3.2, -4.6), (2.5, -4.95), (1.8, -4.7), (1.35, -4.0),
           (1.3, -3.1), (1.65, -2.3), (2.3, -1.7)]
    f.pieza(F, (236, 176, 104), patron=('manchas', 0.3, (160, 70, 40)), relieve=0.6).forma(rim, 10)
    q = np.asarray(rim[1:-1])
    d = np.r_[0, np.cumsum(np.hypot(*np.diff(q, axis=0).T))]
    for i in range(11):
        u = d[-1] * (i + 0.5) / 11
        x, y = np.interp(u, d, q[:, 0]), np.interp(u, d, q[:, 1])
        cx, cy = 2.45, -3.25
        nx, ny = x - cx, y - cy
        n = np.hypot(nx, ny)
        nx, ny = nx / n, ny / n
        f.mancha([(x - ny * 0.14 - nx * 0.05, y + nx * 0.14 - ny * 0.05), (x + nx * 0.28, y + ny * 0.28),
                  (x + ny * 0.14 - nx * 0.05, y - nx * 0.14 - ny * 0.05)], (120, 66, 36))
    # head and horns
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.5, -2.9), (3.1, -3.2), (3.7, -3.0), (4.3, -2.6), (4.75, -2.1), (4.85, -1.6), (4.6, -1.45),
         (4.2, -1.55), (3.6, -1.45), (3.0, -1.5), (2.5, -1.8), (2.3, -2.4)])
    f.pieza((60, 55, 45), relieve=0.5).forma([(4.55, -2.1), (5.05, -1.75), (5.05, -1.4), (4.8, -1.25), (4.55, -1.5)], 6)
    f.linea([(3.4, -1.62), (4.7, -1.55)], (40, 30, 20), 0.05)
    f.pieza(UNA, (200, 190, 160), relieve=0.6).forma([(3.1, -3.0), (3.55, -3.35), (4.5, -4.35), (5.1, -4.7), (3.8, -3.1)], 6)
    f.pieza(UNA, (200, 190, 160), relieve=0.6).forma([(4.2, -2.45), (4.5, -3.0), (4.62, -3.2), (4.55, -2.4)], 6)
    f.ojo(3.35, -2.55, 0.1, (200, 140, 40))
    f.trazo([(3.15, -2.72), (3.55, -2.76)], (50, 40, 25), 0.07, 0.04)
    f.trazo([(4.6, -2.05), (4.7, -2.0)], (40, 30, 20), 0.06, 0.05)
    pata(f, -0.6, -2.0, 1.0, C, V)
    pata(f, 2.2, -1.6, 0.85, C, V, delante=True)


def _placa(x, y, s):
    return [(x - 0.3 * s, y + 0.4), (x - 0.5 * s, y - 0.45 * s), (x - 0.12 * s, y - 1.15 * s), (x + 0.05 * s, y - 1.2 * s),
            (x + 0.45 * s, y - 0.5 * s), (x + 0.32 * s, y + 0.4)]


def estegosaurio(f, C=(126, 130, 78), V=(210, 200, 150), R=(80, 86, 50), P=(200, 100, 60)):
    puntos = [(-4.4, -2.1), (-3.6, -2.65), (-2.8, -3.35), (-2.0, -3.95), (-1.1, -4.25), (-0.2, -4.2), (0.7, -3.9),
              (1.5, -3.35), (2.2, -2.65)]
    tam = [0.5, 0.7, 0.95, 1.15, 1.3, 1.25, 1.05, 0.8, 0.55]
    pc = np.asarray(P, float)
    for i, ((x, y), s) in enumerate(zip(puntos, tam)):
        x2 = x + 0.4
        f.pieza(tuple(pc * 0.8), tuple(pc), relieve=0.6).poli(_placa(x2, y, s))
    pata(f, -1.0, -2.6, 1.05, C, V, OSC)
    pata(f, 1.4, -1.6, 0.75, C, V, OSC, delante=True)
    f.pieza(C, V, patron=('manchas', 0.45, R)).tubo(
        [(-5.6, -1.8, 0.07), (-4.5, -2.2, 0.2), (-3.3, -2.75, 0.5), (-2.0, -3.15, 0.85), (-0.7, -3.3, 1.15),
         (0.5, -3.0, 1.05), (1.5, -2.4, 0.75), (2.4, -1.85, 0.42), (3.1, -1.55, 0.3)]).elipse(-0.6, -2.5, 1.9, 1.2, -0.1)
    # tail spikes
    for (bx, by, tx, ty) in [(-4.9, -2.05, -5.8, -3.0), (-4.6, -2.2, -5.2, -3.25), (-5.0, -1.9, -6.0, -2.35), (-4.7, -2.0, -5.6, -2.5)]:
        f.pieza((225, 210, 175), (240, 230, 200), relieve=0.6).forma([(bx - 0.12, by + 0.06), (tx, ty), (bx + 0.14, by - 0.02), (bx, by + 0.12)], 5)
    for i, ((x, y), s) in enumerate(zip(puntos, tam)):
        if i % 2 == 0:
            continue
        f.pieza(P, (240, 170, 110), relieve=0.6).poli(_placa(x, y, s))
        f.linea([(x - 0.02 * s, y + 0.2), (x - 0.05 * s, y - 0.8 * s)], tuple(int(v * 0.7) for v in P), 0.04)
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.9, -1.75), (3.3, -1.85), (3.75, -1.7), (4.05, -1.45), (3.95, -1.25), (3.4, -1.2), (2.95, -1.3)])
    f.linea([(3.45, -1.33), (3.98, -1.35)], (40, 30, 20), 0.04)
    f.ojo(3.4, -1.6, 0.07, (210, 150, 40))
    pata(f, -0.4, -2.4, 1.05, C, V)
    pata(f, 1.9, -1.5, 0.75, C, V, delante=True)


def euoplocefalo(f, C=(124, 104, 76), V=(200, 180, 140), R=(84, 70, 50), A=(170, 150, 118)):
    pata(f, -1.3, -1.6, 0.85, C, V, OSC)
    pata(f, 1.4, -1.4, 0.8, C, V, OSC, delante=True)
    f.pieza(C, V).tubo([(-5.6, -1.1, 0.12), (-4.4, -1.3, 0.22), (-3.2, -1.6, 0.45), (-2.0, -1.9, 0.9)])
    f.pieza(A, (220, 200, 160), relieve=0.7).elipse(-5.75, -1.08, 0.55, 0.4)
    f.pieza(C, V, patron=('manchas', 0.4, R)).tubo(
        [(-2.8, -1.7, 0.6), (-1.6, -2.1, 1.1), (0.0, -2.25, 1.25), (1.4, -2.05, 1.05), (2.3, -1.8, 0.7)]).elipse(0.0, -1.75, 2.3, 1.05)
    # bands of bony plates and spikes over the back
    for fila, (dy, s) in enumerate([(-0.05, 0.2), (0.45, 0.17), (0.9, 0.14)]):
        for i in range(12):
            u = i / 11
            x = -2.6 + u * 4.8
            y = -(2.2 + 1.05 * np.sin(np.pi * (0.08 + 0.84 * u))) + dy + 0.15
            if fila == 0 and i % 3 == 1:
                f.pieza(A, (230, 215, 180), relieve=0.5).forma([(x - 0.18, y + 0.1), (x, y - 0.55), (x + 0.18, y + 0.1)], 5)
            else:
                f.pieza(A, (230, 215, 180), relieve=0.5, borde=0.8).elipse(x, y, s * 1.1, s * 0.8)
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.2, -1.95), (2.7, -2.2), (3.3, -2.1), (3.75, -1.75), (3.8, -1.35), (3.4, -1.15), (2.8, -1.2), (2.3, -1.45)])
    f.pieza(A, relieve=0.5).forma([(2.55, -2.05), (2.35, -2.45), (2.8, -2.15)], 5)
    f.pieza(A, relieve=0.5).forma([(2.7, -1.5), (2.3, -1.3), (2.75, -1.3)], 5)
    f.linea([(3.3, -1.35), (3.8, -1.42)], (40, 30, 20), 0.04)
    f.ojo(3.05, -1.75, 0.07, (210, 150, 40))
    pata(f, -0.5, -1.5, 0.85, C, V)
    pata(f, 2.0, -1.3, 0.8, C, V, delante=True)


# ---- sauropods -------------------------------------------------------

def braquiosaurio(f, C=(122, 126, 110), V=(206, 200, 176), R=(86, 92, 80)):
    """Upright giant: front legs longer, neck raised high."""
    pata(f, -1.6, -3.2, 1.15, C, V, OSC)
    pata(f, 1.5, -4.3, 1.1, C, V, OSC, delante=True)
    f.pieza(C, V, patron=('manchas', 0.6, R)).tubo(
        [(-6.5, -0.8, 0.08), (-5.2, -1.6, 0.3), (-3.8, -2.7, 0.65), (-2.3, -3.7, 1.15), (-0.6, -4.4, 1.5),
         (1.0, -5.0, 1.45), (1.9, -5.8, 1.0), (2.5, -7.3, 0.7), (2.9, -9.2, 0.55), (3.1, -11.0, 0.48),
         (3.25, -12.4, 0.45)]).elipse(-0.1, -4.1, 2.6, 1.6, -0.3)
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.8, -12.6), (3.2, -13.3), (3.7, -13.25), (3.9, -12.8), (4.5, -12.6), (4.85, -12.35), (4.8, -12.1),
         (4.2, -11.95), (3.5, -11.9), (2.95, -12.0)])
    f.linea([(3.9, -12.15), (4.75, -12.2)], (40, 30, 20), 0.05)
    f.ojo(3.75, -12.55, 0.1, (200, 150, 60))
    f.trazo([(3.6, -13.05), (3.75, -12.95)], (50, 40, 30), 0.08, 0.05)
    for i in range(9):
        y = -6.0 - i * 0.72
        f.trazo([(2.35 + i * 0.08, y), (2.75 + i * 0.085, y + 0.08)], tuple(int(v * 0.75) for v in C), 0.05, 0.02)
    pata(f, -0.9, -3.0, 1.15, C, V)
    pata(f, 2.2, -4.1, 1.1, C, V, delante=True)


def saltasaurio(f, C=(150, 120, 92), V=(220, 200, 170), R=(104, 80, 60), A=(178, 146, 110)):
    pata(f, -1.3, -2.5, 1.0, C, V, OSC)
    pata(f, 1.5, -2.6, 0.95, C, V, OSC, delante=True)
    f.pieza(C, V, patron=('manchas', 0.45, R)).tubo(
        [(-6.8, -0.9, 0.05), (-5.5, -1.4, 0.2), (-4.0, -2.2, 0.5), (-2.3, -2.9, 0.95), (-0.6, -3.2, 1.35),
         (1.0, -3.1, 1.3), (2.1, -3.1, 0.95), (2.9, -3.7, 0.6), (3.6, -4.6, 0.45), (4.4, -5.5, 0.38),
         (5.1, -5.9, 0.34)]).elipse(0.0, -2.75, 2.4, 1.35, -0.05)
    g = np.random.default_rng(7)
    for i in range(60):
        x = g.uniform(-3.2, 2.0)
        top = -3.2 - 1.2 * np.exp(-((x + 0.2) / 2.2) ** 2)
        y = top + g.uniform(0.2, 1.2) ** 1.5
        r = g.uniform(0.07, 0.16)
        f.pieza(A, (235, 220, 190), relieve=0.4, borde=0.7, grano=0.5).elipse(x, y, r, r * 0.8)
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(4.9, -6.05), (5.3, -6.3), (5.8, -6.2), (6.25, -5.95), (6.3, -5.75), (5.8, -5.62), (5.2, -5.6), (4.9, -5.75)])
    f.linea([(5.7, -5.75), (6.25, -5.8)], (40, 30, 20), 0.04)
    f.ojo(5.45, -6.05, 0.08, (210, 150, 40))
    pata(f, -0.6, -2.4, 1.0, C, V)
    pata(f, 2.1, -2.5, 0.95, C, V, delante=True)


# ---- ornithopods -------------------------------------------------------

def ornitopodo(f, C, V, R, cabeza, k=1.0, brazo_suelo=True, patron=None, pulgar=False, inclina=0.0):
    """A duck-billed or beaked plant-eater leaning forward on its hands."""
    pierna_bipeda(f, 0.0, 0.95 * k, C, V, OSC)
    pf = [(1.55 * k, -2.3 * k, 0.26 * k), (1.75 * k, -1.2 * k, 0.18 * k), (1.9 * k, -0.15 * k, 0.15 * k)] if brazo_suelo else \
         [(1.6 * k, -2.5 * k, 0.22 * k), (2.05 * k, -2.0 * k, 0.15 * k), (2.4 * k, -1.75 * k, 0.11 * k)]
    brazo(f, pf, C, V, OSC, 3, 0.2 * k)
    cuello = [(1.3 * k, -2.8 * k, 0.85 * k), (2.05 * k, -3.05 * k, 0.55 * k), (2.6 * k, -3.65 * k, 0.42 * k),
              (2.95 * k, -4.1 * k, 0.36 * k)]
    giro = (1.3 * k, -2.8 * k, inclina) if inclina else None
    f.pieza(C, V, patron=patron or ('rayas', 3.0 / k, R)).tubo(
        [(-5.6 * k, -3.7 * k, 0.05 * k), (-4.2 * k, -3.7 * k, 0.25 * k), (-2.6 * k, -3.6 * k, 0.55 * k),
         (-1.2 * k, -3.5 * k, 0.9 * k), (0.2 * k, -3.25 * k, 1.05 * k)] + [tuple(p) for p in girar(cuello, giro)]
    ).elipse(0.3 * k, -2.8 * k, 1.7 * k, 1.0 * k, 0.22)
    f.giro = giro
    cabeza(f, k)
    f.giro = None
    pierna_bipeda(f, 0.45 * k, 0.95 * k, C, V)
    pn = [(1.75 * k, -2.35 * k, 0.27 * k), (2.0 * k, -1.2 * k, 0.19 * k), (2.2 * k, -0.15 * k, 0.16 * k)] if brazo_suelo else \
         [(1.8 * k, -2.55 * k, 0.23 * k), (2.3 * k, -2.05 * k, 0.16 * k), (2.7 * k, -1.8 * k, 0.12 * k)]
    brazo(f, pn, C, V, 1.0, 3, 0.2 * k)
    if pulgar:
        x, y = pn[-1][0], pn[-1][1]
        f.pieza(UNA, (250, 240, 220), relieve=0.6).poli([(x - 0.13 * k, y + 0.02 * k), (x - 0.02 * k, y - 0.65 * k),
                                                         (x + 0.14 * k, y - 0.02 * k)])
    if brazo_suelo:
        f.pies.append((pn[-1][0], 0))


def _cabeza_pico(f, k, C, V, R, cresta=None, B=(70, 60, 50)):
    if cresta is not None:
        f.pieza(cresta, (240, 200, 150), relieve=0.7).tubo(
            [(3.2 * k, -4.7 * k, 0.16 * k), (2.6 * k, -5.1 * k, 0.15 * k), (1.8 * k, -5.45 * k, 0.13 * k),
             (1.2 * k, -5.55 * k, 0.11 * k)])
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.65 * k, -4.35 * k), (3.0 * k, -4.75 * k), (3.5 * k, -4.8 * k), (4.0 * k, -4.55 * k), (4.55 * k, -4.25 * k),
         (4.8 * k, -4.0 * k), (4.7 * k, -3.8 * k), (4.2 * k, -3.78 * k), (3.6 * k, -3.72 * k), (3.0 * k, -3.75 * k),
         (2.7 * k, -3.95 * k)])
    f.pieza(B, relieve=0.5).forma([(4.45 * k, -4.15 * k), (4.95 * k, -4.05 * k), (4.95 * k, -3.8 * k), (4.55 * k, -3.75 * k)], 6)
    f.linea([(3.55 * k, -3.86 * k), (4.6 * k, -3.9 * k)], (40, 30, 20), 0.04 * k)
    f.ojo(3.35 * k, -4.4 * k, 0.09 * k, (160, 110, 40))
    f.trazo([(4.55 * k, -4.12 * k), (4.68 * k, -4.13 * k)], (40, 30, 20), 0.06 * k, 0.05 * k)


def iguanodonte(f, C=(104, 120, 96), V=(210, 206, 170), R=(70, 84, 64)):
    ornitopodo(f, C, V, R, lambda f, k: _cabeza_pico(f, k, C, V, R), 1.0, False, pulgar=True)


def parasaurolofo(f, C=(92, 118, 132), V=(220, 214, 190), R=(200, 130, 50), semilla=0, inclina=0.0):
    ornitopodo(f, C, V, R, lambda f, k: _cabeza_pico(f, k, C, V, R, (200, 96, 48)), 1.0, False,
               patron=('rayas', 3.4, (54, 70, 86)), inclina=inclina)


def maiasaura(f, C=(134, 110, 84), V=(224, 204, 166), R=(90, 72, 54), k=1.0, inclina=0.0):
    def cab(f, k):
        _cabeza_pico(f, k, C, V, R)
        f.pieza((110, 80, 60), relieve=0.6).forma([(3.1 * k, -4.65 * k), (3.35 * k, -5.0 * k), (3.55 * k, -4.7 * k)], 5)
    ornitopodo(f, C, V, R, cab, k, True, inclina=inclina)


def cria(f, x, C, V, k=0.35, mira=1, y=0.0):
    """A hatchling standing in the nest, big head up."""
    m = mira
    f.pieza(C, V).elipse(x, y - 0.5 * k, 0.65 * k, 0.5 * k)
    f.pieza(C, V).tubo([(x + 0.15 * k * m, y - 0.7 * k, 0.3 * k), (x + 0.35 * k * m, y - 1.15 * k, 0.27 * k)])
    f.pieza(C, V).forma([(x + 0.05 * k * m, y - 1.35 * k), (x + 0.3 * k * m, y - 1.8 * k), (x + 0.8 * k * m, y - 1.85 * k),
                         (x + 1.2 * k * m, y - 1.55 * k), (x + 1.3 * k * m, y - 1.3 * k), (x + 0.9 * k * m, y - 1.12 * k),
                         (x + 0.35 * k * m, y - 1.05 * k)])
    f.ojo(x + 0.58 * k * m, y - 1.5 * k, 0.17 * k, (60, 40, 20))
    f.linea([(x + 0.85 * k * m, y - 1.25 * k), (x + 1.25 * k * m, y - 1.3 * k)], (40, 30, 20), 0.05 * k)


def paquicefalosaurio(f, C=(120, 100, 130), V=(224, 210, 200), R=(84, 64, 96), D=(200, 180, 160)):
    pierna_bipeda(f, 0.0, 0.95, C, V, OSC, fino=0.9)
    brazo(f, [(1.6, -3.0, 0.14), (1.9, -2.6, 0.1), (2.2, -2.55, 0.08)], C, V, OSC, 3, 0.15)
    f.pieza(C, V, patron=('rayas', 3.5, R)).tubo(
        [(-5.2, -3.1, 0.05), (-3.9, -3.2, 0.2), (-2.4, -3.4, 0.5), (-1.1, -3.5, 0.85), (0.2, -3.45, 1.0),
         (1.3, -3.3, 0.85), (2.0, -3.6, 0.55), (2.5, -4.0, 0.44)]).elipse(0.3, -3.1, 1.55, 1.0, 0.08)
    f.pieza(C, V, patron=('lomo', R)).forma(
        [(2.3, -3.7), (2.45, -4.35), (3.0, -4.6), (3.6, -4.4), (4.0, -4.0), (4.2, -3.7), (3.85, -3.45),
         (3.1, -3.38), (2.5, -3.42)])
    f.pieza((90, 80, 70), relieve=0.5).forma([(3.95, -3.95), (4.35, -3.8), (4.3, -3.55), (3.95, -3.5)], 5)
    f.pieza(D, (245, 235, 220), relieve=0.9, patron=('manchas', 0.25, (160, 140, 120))).forma(
        [(2.15, -4.1), (2.2, -4.85), (2.7, -5.35), (3.35, -5.3), (3.8, -4.85), (3.85, -4.4), (3.4, -4.22), (2.7, -4.2)])
    for (x, y) in [(2.12, -4.25), (2.1, -4.6), (2.25, -4.95), (3.95, -4.45), (4.05, -4.15), (2.35, -3.75), (2.2, -4.0)]:
        f.pieza(D, relieve=0.5).forma([(x - 0.09, y + 0.06), (x - 0.02, y - 0.17), (x + 0.09, y + 0.06)], 4)
    f.linea([(3.3, -3.62), (4.1, -3.68)], (40, 30, 20), 0.04)
    f.ojo(3.3, -4.05, 0.1, (230, 170, 40))
    f.trazo([(3.1, -4.2), (3.5, -4.22)], (60, 45, 35), 0.07, 0.03)
    pierna_bipeda(f, 0.45, 0.95, C, V, fino=0.9)
    brazo(f, [(1.75, -3.0, 0.15), (2.05, -2.6, 0.11), (2.35, -2.55, 0.08)], C, V, 1.0, 3, 0.16)


def nido(f, x, r, crias=(), T=(140, 110, 70), E=(236, 226, 200)):
    """A mound of earth with a hollow of eggs and hatchlings."""
    f.pieza(T, (170, 140, 95), patron=('manchas', 0.25, (100, 80, 50))).forma(
        [(x - r, 0.0), (x - r * 0.75, -0.22 * r), (x - r * 0.3, -0.3 * r), (x + r * 0.3, -0.3 * r),
         (x + r * 0.75, -0.22 * r), (x + r, 0.0)])
    f.pieza((80, 62, 40), relieve=0.5, grano=0.5).elipse(x, -0.27 * r, r * 0.68, r * 0.12)
    for dx, C, V, k, mira in crias:
        cria(f, x + dx * r, C, V, k, mira, -0.27 * r)
    for i, dx in enumerate(np.linspace(-0.5, 0.5, 6)):
        f.pieza(E, (250, 245, 230), relieve=0.6, patron=('manchas', 0.08, (180, 160, 130))).elipse(
            x + dx * r, -0.22 * r - (0.04 * r if i % 2 else 0), r * 0.09, r * 0.12)
