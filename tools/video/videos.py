"""The three videos of the Video folder, rendered frame by frame and
encoded as MS Video 1 AVI files (they play with the system's own codec):

    videos.py OUTDIR TROQUELDIR

    OUTDIR/0.avi  panel: pieces drifting over the felt, a seamless loop
    OUTDIR/1.avi  puzzle finished: a trophy and bursts of pieces
    OUTDIR/2.avi  intro: the title assembling from jigsaw pieces

The pieces are cut with the real dies in TROQUELDIR (5000-5002.bmp)."""
import math
import os
import subprocess
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'arte'))
import piezas  # noqa: E402
import tema  # noqa: E402

FPS = 15
SEGUNDOS = {0: 8.0, 1: 4.0, 2: 5.0}
TAMANOS = {0: (480, 360), 1: (640, 480), 2: (640, 480)}


def codificar(cuadros, tam, ruta):
    """Pipes RGB frames to ffmpeg; the options make the file the same bytes
    on every run. The encoder copies blocks that changed little from the
    frame before, so faint changes leave traces until its next key frame:
    one every second (frame numbers divisible by FPS)."""
    orden = ['ffmpeg', '-y', '-hide_banner', '-loglevel', 'error',
             '-f', 'rawvideo', '-pix_fmt', 'rgb24', '-s', '%dx%d' % tam, '-r', str(FPS), '-i', 'pipe:0',
             '-an', '-c:v', 'msvideo1', '-pix_fmt', 'rgb555le', '-keyint_min', str(FPS - 1),
             '-fflags', '+bitexact', '-flags:v', '+bitexact', '-map_metadata', '-1', ruta]
    proc = subprocess.Popen(orden, stdin=subprocess.PIPE, stderr=subprocess.PIPE)
    n = 0
    try:
        for im in cuadros:
            if im.size != tam or im.mode != 'RGB':
                raise ValueError('frame %d is %s %s, not RGB %s' % (n, im.mode, im.size, tam))
            proc.stdin.write(im.tobytes())
            n += 1
    except BrokenPipeError:
        pass  # ffmpeg stopped early: its message says why
    finally:
        try:
            proc.stdin.close()
        except BrokenPipeError:
            pass
        error = proc.stderr.read().decode(errors='replace').strip()
        rc = proc.wait()
    if rc != 0:
        raise OSError('ffmpeg failed (%d) writing %s: %s' % (rc, ruta, error))
    return n


def suave(t):
    """0..1 ease in and out."""
    t = min(max(t, 0.0), 1.0)
    return t * t * (3 - 2 * t)


def frenado(t):
    """0..1 ease out: fast start, gentle landing."""
    t = min(max(t, 0.0), 1.0)
    return 1 - (1 - t) ** 3


def mesa(ancho, alto, borde):
    """The desk: felt framed by walnut with a brass inlay."""
    im = piezas.madera(ancho, alto)
    im.paste(piezas.fieltro(ancho - 2 * borde, alto - 2 * borde), (borde, borde))
    d = ImageDraw.Draw(im)
    d.rectangle((borde - 3, borde - 3, ancho - borde + 2, alto - borde + 2), outline=tema.LATON, width=2)
    d.rectangle((borde - 1, borde - 1, ancho - borde, alto - borde), outline=tema.NOGAL_OSCURO)
    return im


def girar(sprite, grados):
    if abs(grados) < 0.05:
        return sprite
    return sprite.rotate(grados, resample=Image.Resampling.BICUBIC, expand=True)


def poner_centrado(lienzo, sprite, cx, cy, grados=0.0, alto=0, radio=2):
    """`sprite` rotated about its centre, placed with its centre at (cx, cy)."""
    g = girar(sprite, grados)
    piezas.poner(lienzo, g, cx - g.width / 2, cy - g.height / 2, alto=alto, radio=radio)


# ---------------------------------------------------------------- intro (2)

def placa_titulo(ancho, alto):
    """Cream plaque with a brass border and the game's name in two lines."""
    im = Image.new('RGB', (ancho, alto), tema.PAPEL)
    n = piezas.ruido(ancho, alto, 5) * 5
    a = np.asarray(im, dtype=np.float32) + n[..., None]
    im = Image.fromarray(np.clip(a, 0, 255).astype(np.uint8), 'RGB')
    piezas.marco_laton(im, 8)
    d = ImageDraw.Draw(im)
    d.rectangle((12, 12, ancho - 13, alto - 13), outline=tema.PAPEL_SOMBRA, width=2)
    for texto, cy, color, tam in (('Tessera', 0.34, tema.TINTA, 96), ('Puzzle', 0.70, tema.ROJO_SELLO, 84)):
        letra = ImageFont.truetype(tema.LETRA_TITULO, tam)
        x0, y0, x1, y1 = d.textbbox((0, 0), texto, font=letra)
        x, y = (ancho - (x1 - x0)) / 2 - x0, alto * cy - (y1 - y0) / 2 - y0
        d.text((x + 2, y + 3), texto, font=letra, fill=tema.PAPEL_SOMBRA)
        d.text((x, y), texto, font=letra, fill=color)
    return im


# The title is a 7 x 3 puzzle of 80-pixel cells; piece k of the shuffled
# order starts flying at INICIO + k * ESCALON and lands VUELO later.
TITULO = (7, 3, 80)
INICIO, ESCALON, VUELO = 0.1, 0.09, 0.85


def fin_vuelos():
    cols, filas, _ = TITULO
    return INICIO + (cols * filas - 1) * ESCALON + VUELO


def intro(troqueles):
    ancho, alto = TAMANOS[2]
    cols, filas, celda = TITULO
    fondo = mesa(ancho, alto, 22).convert('RGBA')
    placa = placa_titulo(cols * celda, filas * celda)
    ms = piezas.mascaras(piezas.duenos(troqueles[0], cols, filas), cols, filas, celda)
    ox, oy = (ancho - cols * celda) // 2, (alto - filas * celda) // 2
    rng = np.random.default_rng(2)
    vuelos = []
    orden = rng.permutation(cols * filas)
    for turno, k in enumerate(orden):
        sp, (x, y) = piezas.pieza_suelta(ms[k], placa)
        destino = (ox + x + sp.width / 2, oy + y + sp.height / 2)
        # Start outside the screen, beyond the side the piece's cell is nearest.
        ang = math.atan2(destino[1] - alto / 2, destino[0] - ancho / 2) + rng.uniform(-0.6, 0.6)
        inicio = (ancho / 2 + math.cos(ang) * 520, alto / 2 + math.sin(ang) * 420)
        t0 = INICIO + turno * ESCALON
        vuelos.append((sp, inicio, destino, t0, rng.uniform(-160, 160)))
    completo = fondo.copy()
    sombra = Image.new('L', placa.size, 0)
    sombra.paste(255, (0, 0, placa.width, placa.height))
    s, p = piezas.sombra_de(Image.merge('RGBA', (*placa.split(), sombra)), 4, 0.5)
    completo.alpha_composite(s, (ox - p + 3, oy - p + 4))
    completo.paste(placa, (ox, oy))
    aterrizaje = fin_vuelos()  # 2.75 s
    for n in range(int(SEGUNDOS[2] * FPS)):
        t = n / FPS
        lienzo = fondo.copy()
        for sp, (x0, y0), (x1, y1), t0, giro in vuelos:
            u = (t - t0) / VUELO
            if u <= 0:
                continue
            f = frenado(u)
            cx, cy = x0 + (x1 - x0) * f, y0 + (y1 - y0) * f
            alto_p = int(round(10 * (1 - f))) if u < 1 else 0
            poner_centrado(lienzo, sp, cx, cy, giro * (1 - f), alto=alto_p, radio=3)
        # Once all are down the seams fade into the whole plaque and a glint
        # runs over the letters, both over before the key frame at 4 s.
        fusion = suave((t - aterrizaje - 0.15) / 0.4)
        if fusion > 0:
            lienzo = Image.blend(lienzo, completo, fusion)
        brillo = (t - aterrizaje - 0.45) / 0.6
        if 0 < brillo < 1:
            lienzo = destello(lienzo, (ox, oy, ox + placa.width, oy + placa.height), brillo)
        yield lienzo.convert('RGB')


def destello(lienzo, caja, fase):
    """A diagonal band of light crossing `caja` as `fase` goes 0..1."""
    x0, y0, x1, y1 = caja
    w, h = x1 - x0, y1 - y0
    yy, xx = np.mgrid[0:h, 0:w].astype(np.float32)
    centro = -h + (w + 2 * h) * fase
    a = np.clip(1 - np.abs(xx + yy * 0.6 - centro) / 28, 0, 1) ** 2 * 0.45
    luz = Image.new('RGBA', (w, h), (255, 246, 214, 0))
    luz.putalpha(Image.fromarray((a * 255).astype(np.uint8)))
    lienzo = lienzo.copy()
    lienzo.alpha_composite(luz, (x0, y0))
    return lienzo


# ------------------------------------------------------- puzzle finished (1)

def trofeo(ancho, alto, emblema):
    """A brass cup on a walnut plinth (RGBA), drawn large and reduced so its
    edges are smooth; `emblema` is a piece mask put on the bowl."""
    e = 3
    W, H = ancho * e, alto * e
    m = Image.new('L', (W, H), 0)
    d = ImageDraw.Draw(m)
    cx = W / 2
    copa_w, copa_top, copa_h = W * 0.62, H * 0.05, H * 0.52
    d.pieslice((cx - copa_w / 2, copa_top - copa_h, cx + copa_w / 2, copa_top + copa_h), 0, 180, fill=255)
    asa = W * 0.06
    for lado in (-1, 1):
        bx = cx + lado * copa_w * 0.47
        caja = (bx - W * 0.17, copa_top + H * 0.06, bx + W * 0.17, copa_top + H * 0.36)
        desde, hasta = (-90, 90) if lado > 0 else (90, 270)
        d.arc(caja, desde, hasta, fill=255, width=int(asa))
    pie_top = copa_top + copa_h - H * 0.02
    d.polygon([(cx - W * 0.05, pie_top), (cx + W * 0.05, pie_top), (cx + W * 0.09, H * 0.78), (cx - W * 0.09, H * 0.78)],
              fill=255)
    d.ellipse((cx - W * 0.08, H * 0.60, cx + W * 0.08, H * 0.66), fill=255)
    d.rounded_rectangle((cx - W * 0.26, H * 0.76, cx + W * 0.26, H * 0.82), radius=int(W * 0.02), fill=255)
    # Cylindrical shading across the brass.
    xs = np.linspace(-1, 1, W, dtype=np.float32)
    luz = np.clip(1 - np.abs(xs + 0.35) * 1.6, 0, 1) ** 1.5
    sombra = np.clip((xs - 0.1) * 1.2, 0, 1)
    base = np.array(tema.LATON, np.float32)
    fila = base * (1 - sombra[:, None] * 0.55) + np.array(tema.LATON_OSCURO, np.float32) * sombra[:, None] * 0.55
    fila = fila * (1 - luz[:, None]) + np.array(tema.LATON_CLARO, np.float32) * luz[:, None]
    rgb = np.broadcast_to(fila[None, :, :], (H, W, 3)).copy()
    dentro = np.asarray(m.filter(ImageFilter.MinFilter(2 * e + 1)), np.float32) / 255
    borde = np.asarray(m, np.float32) / 255 - dentro
    rgb = rgb * (1 - 0.5 * borde[..., None])
    im = Image.fromarray(np.dstack([np.clip(rgb, 0, 255), np.asarray(m)]).astype(np.uint8), 'RGBA')
    d = ImageDraw.Draw(im)
    d.ellipse((cx - copa_w / 2, copa_top - H * 0.035, cx + copa_w / 2, copa_top + H * 0.035),
              fill=tema.LATON_OSCURO, outline=tema.LATON_CLARO, width=e * 2)
    # Walnut plinth with a brass plate.
    d.rectangle((cx - W * 0.32, H * 0.82, cx + W * 0.32, H * 0.99), fill=tema.NOGAL, outline=tema.NOGAL_OSCURO,
                width=e * 2)
    d.rectangle((cx - W * 0.32 + e * 2, H * 0.82 + e * 2, cx + W * 0.32 - e * 2, H * 0.84), fill=tema.NOGAL_CLARO)
    d.rectangle((cx - W * 0.16, H * 0.87, cx + W * 0.16, H * 0.95), fill=tema.LATON, outline=tema.LATON_OSCURO,
                width=e)
    im = im.resize((ancho, alto), Image.Resampling.LANCZOS)
    lado = int(ancho * 0.30)
    esc = lado / max(emblema.shape)
    tam = (max(1, round(emblema.shape[1] * esc)), max(1, round(emblema.shape[0] * esc)))
    mk = Image.fromarray((emblema * 255).astype(np.uint8)).resize(tam, Image.Resampling.BOX)
    sp, _ = piezas.pieza_suelta(mk, Image.new('RGB', tam, tema.ROJO_SELLO), relieve=0.9)
    im.alpha_composite(sp, ((ancho - sp.width) // 2, int(alto * 0.20 - sp.height / 2 + alto * 0.05)))
    return im


def resplandor(ancho, alto, centro, radio):
    """A warm round glow (RGBA) fading out at `radio`."""
    yy, xx = np.mgrid[0:alto, 0:ancho].astype(np.float32)
    d = np.hypot(xx - centro[0], yy - centro[1]) / radio
    a = np.clip(1 - d, 0, 1) ** 2 * 0.45
    im = Image.new('RGBA', (ancho, alto), tema.LATON_CLARO + (0,))
    im.putalpha(Image.fromarray((a * 255).round().astype(np.uint8)))
    return im


def estrella(radio, color, puntas=5, interior=0.45):
    """A small antialiased star sprite."""
    e = 4
    lado = int(radio * 2 + 2) * e
    im = Image.new('RGBA', (lado, lado), color + (0,))
    pts = []
    for i in range(2 * puntas):
        r = radio * e * (1 if i % 2 == 0 else interior)
        a = -math.pi / 2 + i * math.pi / puntas
        pts.append((lado / 2 + r * math.cos(a), lado / 2 + r * math.sin(a)))
    ImageDraw.Draw(im).polygon(pts, fill=color + (255,))
    return im.resize((lado // e, lado // e), Image.Resampling.LANCZOS)


def confeti(troqueles, lado=28):
    """Small pieces of every die in the theme's colours, as sprites at 24
    turning steps: sprites[k][paso]."""
    colores = (tema.LATON, tema.ROJO_SELLO, tema.PAPEL, (96, 160, 104), tema.NOGAL_CLARO, tema.LATON_CLARO)
    formas = [piezas.pieza_tipica(e) for e in troqueles]
    sprites = []
    for i, color in enumerate(colores):
        forma = formas[i % len(formas)]
        esc = lado / max(forma.shape)
        tam = (max(1, round(forma.shape[1] * esc)), max(1, round(forma.shape[0] * esc)))
        mk = Image.fromarray((forma * 255).astype(np.uint8)).resize(tam, Image.Resampling.BOX)
        sp, _ = piezas.pieza_suelta(mk, Image.new('RGB', tam, color), relieve=0.7)
        sprites.append([girar(sp, 15 * p) for p in range(24)])
    return sprites


def final(troqueles):
    ancho, alto = TAMANOS[1]
    fondo = mesa(ancho, alto, 22).convert('RGBA')
    fondo.alpha_composite(resplandor(ancho, alto, (ancho / 2, alto * 0.5), 230))
    copa = trofeo(240, 280, piezas.pieza_tipica(troqueles[0]))
    sprites = confeti(troqueles)
    brillos = [estrella(r, c) for r, c in ((9, tema.LATON_CLARO), (6, (255, 250, 225)), (12, tema.LATON))]
    rng = np.random.default_rng(1)
    particulas = []
    for t0, (bx, by) in ((0.25, (170, 170)), (0.85, (470, 150)), (1.45, (320, 110)), (2.05, (200, 120)),
                         (2.45, (450, 180))):
        for _ in range(22):
            ang = rng.uniform(0, 2 * math.pi)
            vel = rng.uniform(90, 230)
            particulas.append((t0, bx, by, vel * math.cos(ang), vel * math.sin(ang) - 60,
                               int(rng.integers(len(sprites))), rng.uniform(0, 24), rng.uniform(-30, 30)))
    centelleos = [(rng.uniform(140, 500), rng.uniform(60, 420), rng.uniform(0, 4), int(rng.integers(3)))
                  for _ in range(18)]
    gravedad = 260.0
    for n in range(int(SEGUNDOS[1] * FPS)):
        t = n / FPS
        lienzo = fondo.copy()
        # The trophy rises in with a little bounce, then stays.
        u = t / 0.7
        esc = 1.0 if u >= 1 else max(0.05, frenado(u) * (1 + 0.12 * math.sin(u * math.pi)))
        c = copa if esc == 1.0 else copa.resize((max(1, int(copa.width * esc)), max(1, int(copa.height * esc))),
                                                Image.Resampling.BILINEAR)
        piezas.poner(lienzo, c, ancho / 2 - c.width / 2, alto * 0.56 - c.height / 2, alto=8, radio=5)
        for bx, by, t0, k in centelleos:
            f = math.sin((t - t0) * 2.4)
            if f > 0.3 and t > 0.6:
                s = brillos[k]
                a = s.copy()
                a.putalpha(s.getchannel('A').point(lambda v, f=f: int(v * (f - 0.3) / 0.7)))
                lienzo.alpha_composite(a, (int(bx - s.width / 2), int(by - s.height / 2)))
        for t0, bx, by, vx, vy, k, p0, w in particulas:
            dt = t - t0
            if dt < 0:
                continue
            x, y = bx + vx * dt, by + vy * dt + gravedad * dt * dt / 2
            if y > alto + 20 or x < -20 or x > ancho + 20:
                continue
            sp = sprites[k][int(p0 + w * dt) % 24]
            lienzo.alpha_composite(sp, (int(x - sp.width / 2), int(y - sp.height / 2)))
        yield lienzo.convert('RGB')


# ------------------------------------------------------------- panel (0)

def panel(troqueles):
    """Pieces of the three dies drifting slowly over the felt; every motion
    repeats exactly once per video, so the end joins the start."""
    ancho, alto = TAMANOS[0]
    fondo = mesa(ancho, alto, 16).convert('RGBA')
    rng = np.random.default_rng(0)
    foto = piezas.paisaje(4 * 64, 3 * 64)
    sueltas = []
    for i, e in enumerate(troqueles):
        ms = piezas.mascaras(piezas.duenos(e, 4, 3), 4, 3, 64)
        for k in (1 + i, 5 + i, 8 + i):
            sueltas.append(piezas.pieza_suelta(ms[k], foto)[0])
    periodo = SEGUNDOS[0]
    caminos = []
    for i, sp in enumerate(sueltas):  # one piece in each cell of a 3 x 3 grid
        fila, col = divmod((i * 4) % 9, 3)
        cx = ancho * (0.2 + 0.3 * col) + rng.uniform(-14, 14)
        cy = alto * (0.22 + 0.28 * fila) + rng.uniform(-10, 10)
        caminos.append((cx, cy, rng.uniform(12, 26), rng.uniform(8, 18), int(rng.choice((1, -1))),
                        rng.uniform(0, 2 * math.pi), rng.uniform(-25, 25), rng.uniform(5, 12), 2 + i % 4))
    for n in range(int(periodo * FPS)):
        fase = 2 * math.pi * n / (periodo * FPS)
        lienzo = fondo.copy()
        for sp, (cx, cy, rx, ry, vuelta, f0, g0, ga, alto_p) in zip(sueltas, caminos):
            a = vuelta * fase + f0
            poner_centrado(lienzo, sp, cx + rx * math.cos(a), cy + ry * math.sin(a), g0 + ga * math.sin(a),
                           alto=alto_p, radio=2)
        yield lienzo.convert('RGB')


VIDEOS = {0: panel, 1: final, 2: intro}


def generar(salida, carpeta_troqueles, modos=(0, 1, 2)):
    troqueles = piezas.leer_troqueles(carpeta_troqueles)
    os.makedirs(salida, exist_ok=True)
    for modo in modos:
        ruta = os.path.join(salida, '%d.avi' % modo)
        tmp = ruta + '.tmp.avi'
        codificar(VIDEOS[modo](troqueles), TAMANOS[modo], tmp)
        os.replace(tmp, ruta)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write('usage: videos.py OUTDIR TROQUELDIR\n')
        return 2
    try:
        generar(argv[1], argv[2])
    except (OSError, ValueError) as err:
        sys.stderr.write('videos.py: %s\n' % err)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
