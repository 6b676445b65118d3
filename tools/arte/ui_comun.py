"""Materials, relief, glyphs, text and button states for the interface
pictures. Pictures are built as float RGB arrays (0..255, H x W x 3) and
turned into PIL pictures only at the end; shapes are drawn at SS times the
size and reduced, text is drawn at its final size."""
import numpy as np
from PIL import Image, ImageDraw, ImageFilter, ImageFont

import tema

SS = 4

# Brass ramp and wood ramp used by the materials below.
_LATON = np.array(tema.LATON, np.float32)
_LATON_CLARO = np.array(tema.LATON_CLARO, np.float32)
_LATON_OSCURO = np.array(tema.LATON_OSCURO, np.float32)


def col(c):
    return np.array(c, np.float32)


def lienzo(alto, ancho, color):
    return np.broadcast_to(col(color), (alto, ancho, 3)).copy()


def a_imagen(rgb):
    return Image.fromarray(np.clip(np.rint(rgb), 0, 255).astype(np.uint8), 'RGB')


def de_imagen(img):
    return np.asarray(img.convert('RGB'), np.float32).copy()


def mezclar(fondo, frente, alfa):
    """fondo*(1-alfa) + frente*alfa; frente may be a colour or an array."""
    alfa = np.asarray(alfa, np.float32)
    a = alfa[..., None] if alfa.ndim == fondo.ndim - 1 else alfa
    return fondo + (np.asarray(frente, np.float32) - fondo) * a


# ---------------------------------------------------------------- noise

def ruido(alto, ancho, sy, sx, semilla):
    """Periodic noise (wraps in both directions), unit deviation; sy, sx are
    the Gaussian widths of the filter in pixels, so grain can be stretched."""
    rng = np.random.default_rng(semilla)
    blanco = rng.standard_normal((alto, ancho))
    fy = np.fft.fftfreq(alto)[:, None]
    fx = np.fft.fftfreq(ancho)[None, :]
    filtro = np.exp(-2 * np.pi ** 2 * ((sy * fy) ** 2 + (sx * fx) ** 2))
    r = np.real(np.fft.ifft2(np.fft.fft2(blanco) * filtro))
    r -= r.mean()
    d = r.std()
    return (r / d if d > 0 else r).astype(np.float32)


def ruido1(n, s, semilla):
    return ruido(1, n, 0, s, semilla)[0]


# ---------------------------------------------------------------- materials

def _rampa(t, puntos):
    """Colour at t (array) along a list of (t, colour) stops."""
    ts = np.array([p[0] for p in puntos], np.float32)
    cs = np.array([p[1] for p in puntos], np.float32)
    out = np.empty(t.shape + (3,), np.float32)
    for c in range(3):
        out[..., c] = np.interp(t, ts, cs[:, c])
    return out


_RAMPA_NOGAL = [(-2.5, tema.NOGAL_OSCURO), (-0.6, (84, 52, 30)), (0.3, tema.NOGAL),
                (1.4, (128, 84, 48)), (2.6, tema.NOGAL_CLARO)]


def veta(n, semilla, periodo_medio=9.0):
    """A cross-section of straight-grained walnut: n values along the axis
    across the grain (periodic), in units of the wood ramp."""
    base = 0.9 * ruido1(n, n / 10.0, semilla) + 0.55 * ruido1(n, 3.0, semilla + 1)
    anillos = np.sin(2 * np.pi * np.cumsum(1.0 + 0.35 * ruido1(n, 6.0, semilla + 2)) / periodo_medio)
    oscuras = np.clip(ruido1(n, 0.9, semilla + 3) - 1.2, 0, None)
    return base + 0.45 * anillos - 1.6 * oscuras


def madera_1d(n, semilla, largo, eje):
    """Walnut whose grain runs along one axis: constant along `eje`
    (0: along y, so columns vary; 1: along x, so rows vary)."""
    perfil = _rampa(veta(n, semilla), _RAMPA_NOGAL)
    if eje == 0:
        return np.broadcast_to(perfil[None, :, :], (largo, n, 3)).copy()
    return np.broadcast_to(perfil[:, None, :], (n, largo, 3)).copy()


def madera(alto, ancho, semilla, vetas_en_x=True):
    """Walnut board with gently waving grain (periodic in both directions)."""
    if not vetas_en_x:
        return madera(ancho, alto, semilla, True).transpose(1, 0, 2).copy()
    ondas = 5.0 * ruido(alto, ancho, alto / 6.0, ancho / 5.0, semilla)
    n = 4 * alto
    perfil = veta(n, semilla + 10)
    v = (np.arange(alto)[:, None] + ondas) * 1.0
    t = np.interp(v % alto * (n / alto), np.arange(n), perfil, period=n)
    fibra = 0.35 * ruido(alto, ancho, 0.6, 14.0, semilla + 20)
    return _rampa(t + fibra, _RAMPA_NOGAL)


def papel(alto, ancho, semilla, color=tema.PAPEL):
    base = lienzo(alto, ancho, color)
    manchas = 3.0 * ruido(alto, ancho, 18, 18, semilla) + 1.6 * ruido(alto, ancho, 0.8, 0.8, semilla + 1)
    return base + manchas[..., None] * np.array([1.0, 1.0, 0.9], np.float32)


def fieltro(alto, ancho, semilla):
    """Calm green felt: fine fibres and a faint cloudiness, periodic."""
    base = lienzo(alto, ancho, tema.FIELTRO)
    nube = ruido(alto, ancho, 22, 22, semilla)
    fibra = ruido(alto, ancho, 0.7, 0.7, semilla + 1)
    pelo = ruido(alto, ancho, 0.5, 2.5, semilla + 2)
    v = 3.0 * nube + 3.2 * fibra + 1.8 * pelo
    return base + v[..., None] * np.array([0.7, 1.0, 0.75], np.float32)


def corcho(alto, ancho, semilla):
    """Cork board: a mid tone that carries black and white text alike."""
    base = lienzo(alto, ancho, (168, 128, 84))
    grano = ruido(alto, ancho, 1.1, 1.1, semilla)
    # granules, clipped so that no single one marks the repeat
    motas = np.clip(ruido(alto, ancho, 1.6, 1.6, semilla + 1) - 1.0, 0, 0.8)
    claras = np.clip(ruido(alto, ancho, 1.3, 1.3, semilla + 2) - 1.3, 0, 0.6)
    nube = ruido(alto, ancho, 14, 14, semilla + 3)
    v = 8.0 * grano - 14.0 * motas + 8.0 * claras + 1.5 * nube
    return base + v[..., None] * np.array([1.0, 0.85, 0.7], np.float32)


def laton(alto, ancho, semilla=7):
    """Brushed brass, light from above."""
    grad = np.linspace(1.12, 0.86, alto, dtype=np.float32)[:, None, None]
    cepillado = 0.024 * ruido(alto, ancho, 0.4, 12.0, semilla)[..., None]
    return _LATON[None, None, :] * (grad + cepillado)


# ---------------------------------------------------------------- relief

def desenfocar(a, radio):
    if radio <= 0:
        return a
    img = Image.fromarray(np.clip(a * 255.0, 0, 255).astype(np.uint8), 'L')
    b = img.filter(ImageFilter.GaussianBlur(radio))
    return np.asarray(b, np.float32) / 255.0


def desplazar(a, dx, dy):
    out = np.zeros_like(a)
    h, w = a.shape[:2]
    xs0, xd0 = (0, dx) if dx >= 0 else (-dx, 0)
    ys0, yd0 = (0, dy) if dy >= 0 else (-dy, 0)
    cw, ch = w - abs(dx), h - abs(dy)
    if cw > 0 and ch > 0:
        out[yd0:yd0 + ch, xd0:xd0 + cw] = a[ys0:ys0 + ch, xs0:xs0 + cw]
    return out


def luz(alfa, radio, fuerza=1.0):
    """Shading (about -1..1) of a raised shape lit from the top left."""
    h = desenfocar(alfa, radio)
    gy, gx = np.gradient(h)
    return np.clip((-gx - gy) * fuerza * radio * 1.6, -1.0, 1.0)


def sombra(rgb, alfa, dx=2, dy=2, radio=2.0, fuerza=0.45):
    s = desenfocar(desplazar(alfa, dx, dy), radio) * (1 - alfa)
    return rgb * (1 - fuerza * s[..., None])


def resplandor(rgb, alfa, radio=4.0, fuerza=0.55, color=tema.LATON_CLARO):
    g = np.clip(desenfocar(alfa, radio) * 1.6, 0, 1) * (1 - alfa)
    return mezclar(rgb, col(color), g * fuerza)


# ---------------------------------------------------------------- masks

def mascara(alto, ancho, dibujo):
    """Anti-aliased mask (0..1) of what `dibujo(draw, s)` paints in white on
    a canvas SS times larger; s is the scale factor to use for coordinates."""
    img = Image.new('L', (ancho * SS, alto * SS), 0)
    dibujo(ImageDraw.Draw(img), SS)
    return np.asarray(img.reduce(SS), np.float32) / 255.0


def rect_redondo(alto, ancho, x0, y0, x1, y1, r):
    return mascara(alto, ancho, lambda d, s: d.rounded_rectangle(
        (x0 * s, y0 * s, x1 * s - 1, y1 * s - 1), radius=r * s, fill=255))


def circulo(alto, ancho, cx, cy, r):
    return mascara(alto, ancho, lambda d, s: d.ellipse(
        ((cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s), fill=255))


# ---------------------------------------------------------------- text

_fuentes = {}


def fuente(ruta, tam):
    clave = (ruta, tam)
    if clave not in _fuentes:
        _fuentes[clave] = ImageFont.truetype(ruta, tam)
    return _fuentes[clave]


def medir(s, ruta, tam):
    x0, y0, x1, y1 = fuente(ruta, tam).getbbox(s)
    return x1 - x0, y1 - y0


def tam_que_cabe(s, ruta, tam_max, ancho, alto=None, tam_min=8):
    for t in range(tam_max, tam_min - 1, -1):
        w, h = medir(s, ruta, t)
        if w <= ancho and (alto is None or h <= alto):
            return t
    return tam_min


def mascara_texto(alto, ancho, s, ruta, tam, cx, cy):
    """Coverage of a text centred on (cx, cy), drawn at its final size."""
    img = Image.new('L', (ancho, alto), 0)
    ImageDraw.Draw(img).text((cx, cy), s, font=fuente(ruta, tam), fill=255, anchor='mm')
    return np.asarray(img, np.float32) / 255.0


def escribir(rgb, s, ruta, tam, cx, cy, color, sombra_col=None, dx=1, dy=1):
    alto, ancho = rgb.shape[:2]
    m = mascara_texto(alto, ancho, s, ruta, tam, cx, cy)
    if sombra_col is not None:
        rgb = mezclar(rgb, col(sombra_col), desplazar(m, dx, dy) * 0.8)
    return mezclar(rgb, col(color), m), m


def grabar(rgb, m, hondo=0.78, brillo=0.45):
    """Engrave the coverage m into a metal or wood surface: dark cut with a
    light lower-right lip."""
    labio = np.clip(desplazar(m, 1, 1) - m, 0, 1)
    rgb = rgb * (1 - hondo * m[..., None])
    return mezclar(rgb, col((255, 244, 200)), labio * brillo)


# ---------------------------------------------------------------- buttons

ESTADOS = ('normal', 'sobre', 'pulsado')


def placa_laton(fondo, alfa, glifo, estado, radio_relieve=2.5, semilla=7,
                tinta=None):
    """A brass fitting of outline `alfa` with the engraved glyph `glifo`
    on the background `fondo`, in one of the three button states."""
    alto, ancho = alfa.shape
    if estado == 'pulsado':
        alfa = desplazar(alfa, 1, 1)
        glifo = desplazar(glifo, 1, 1)
    metal = laton(alto, ancho, semilla)
    if estado == 'sobre':
        metal = mezclar(metal, _LATON_CLARO, np.full((alto, ancho), 0.45, np.float32)) * 1.05
    elif estado == 'pulsado':
        metal = mezclar(metal, _LATON_OSCURO, np.full((alto, ancho), 0.45, np.float32))
    sh = luz(alfa, radio_relieve) * (-0.8 if estado == 'pulsado' else 1.0)
    metal = metal * (1 + 0.38 * sh[..., None])
    if tinta is None:
        metal = grabar(metal, glifo)
    else:
        metal = mezclar(metal, col(tinta), glifo)
    out = fondo.copy()
    if estado == 'sobre':
        out = resplandor(out, alfa, 3.0, 0.7)
    elif estado == 'normal':
        out = sombra(out, alfa, 2, 2, 1.8, 0.5)
    else:
        out = sombra(out, alfa, 1, 1, 1.0, 0.35)
    return mezclar(out, metal, alfa)


def tira_vertical(cuadros):
    return np.concatenate(cuadros, axis=0)


def tira_horizontal(cuadros):
    return np.concatenate(cuadros, axis=1)


def cmd3(fondo, forma, glifo, **kw):
    """Normal, hovered and pressed frames of a brass button, stacked."""
    return tira_vertical([placa_laton(fondo, forma, glifo, e, **kw) for e in ESTADOS])


def anim10(fondo, dibujar_glifo, cx=None, cy=None, radio_max=None):
    """The ten frames of an animated button: a round brass medallion that
    rests small (0), grows and brightens (1-8), and is pressed (9).
    dibujar_glifo(alto, ancho, cx, cy, r) gives the glyph coverage."""
    alto, ancho = fondo.shape[:2]
    cx = ancho / 2.0 if cx is None else cx
    cy = alto / 2.0 if cy is None else cy
    rmax = radio_max or (min(alto, ancho) / 2.0 - 3.0)
    cuadros = []
    for k in range(10):
        if k == 9:
            r, estado, brillo = rmax * 0.93, 'pulsado', 0.0
        else:
            t = k / 8.0
            r = rmax * (0.80 + 0.20 * t)
            estado, brillo = 'normal', t
        forma = circulo(alto, ancho, cx, cy, r)
        aro = np.clip(forma - circulo(alto, ancho, cx, cy, r - max(2.0, r * 0.11)), 0, 1)
        g = dibujar_glifo(alto, ancho, cx, cy, r * 0.62)
        c = placa_laton(fondo, forma, g, estado, radio_relieve=max(2.0, r * 0.12))
        # a polished rim, then the hover glow that grows with the button
        c = mezclar(c, col((255, 236, 160)), aro * 0.25 * (estado != 'pulsado'))
        # the dome catches the light above and to the left of its centre
        yy, xx = np.mgrid[0:alto, 0:ancho].astype(np.float32)
        d = estado == 'pulsado'
        bx, by = cx - 0.32 * r + d, cy - 0.38 * r + d
        punto = np.exp(-((xx - bx) ** 2 + (yy - by) ** 2) / (2 * (0.42 * r) ** 2)) * forma
        c = mezclar(c, col((255, 246, 205)), punto * (0.12 if d else 0.32))
        if brillo > 0:
            c = resplandor(c, forma, 2.0 + 3.0 * brillo, 0.75 * brillo)
            c = mezclar(c, _LATON_CLARO, forma * (0.25 * brillo))
        cuadros.append(c)
    return tira_horizontal(cuadros)


def biselar(rgb, claro=0.22, oscuro=0.35, grosor=1):
    """Raised edge of a rectangular wooden block."""
    out = rgb.copy()
    for i in range(grosor):
        out[i, i:] = mezclar(out[i, i:], (255, 230, 190), np.full(out[i, i:].shape[0], claro))
        out[i:, i] = mezclar(out[i:, i], (255, 230, 190), np.full(out[i:, i].shape[0], claro))
        out[-1 - i, i:] *= 1 - oscuro
        out[i:, -1 - i] *= 1 - oscuro
    return out


def hundir(rgb, x0, y0, x1, y1, fuerza=0.35, ancho=3):
    """A recess: shadow along the top and left inner edges."""
    out = rgb.copy()
    for i in range(ancho):
        f = fuerza * (1 - i / ancho)
        out[y0 + i, x0:x1] *= 1 - f
        out[y0:y1, x0 + i] *= 1 - f
    out[y1 - 1, x0:x1] = mezclar(out[y1 - 1, x0:x1], (255, 235, 200), np.full(x1 - x0, 0.25))
    out[y0:y1, x1 - 1] = mezclar(out[y0:y1, x1 - 1], (255, 235, 200), np.full(y1 - y0, 0.25))
    return out


# ---------------------------------------------------------------- palettes

def paleta_grupo(imagenes, fijos=()):
    """One palette for pictures copied into each other: median cut over
    all of them, plus fixed entries (ink ramps) so text keeps its tones."""
    n = 256 - len(fijos)
    ancho = max(i.width for i in imagenes)
    alto = sum(i.height for i in imagenes)
    todo = Image.new('RGB', (ancho, alto))
    y = 0
    for i in imagenes:
        todo.paste(i, (0, y))
        y += i.height
    q = todo.quantize(colors=n, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = q.getpalette()[:3 * n]
    pal += [0] * (3 * n - len(pal))
    for c in fijos:
        pal += list(c)
    ref = Image.new('P', (1, 1))
    ref.putpalette(pal)
    return ref


def rampa_tinta(a, b, n):
    a, b = col(a), col(b)
    return [tuple(int(round(v)) for v in a + (b - a) * (i / (n - 1))) for i in range(n)]


def cuantizar(img, ref, sin_trama=None):
    """`img` on the palette of `ref`: dithered, except where `sin_trama`
    (a 0..1 coverage, for text and sharp glyphs) asks for plain nearest
    colours so edges stay crisp."""
    tramada = img.quantize(palette=ref, dither=Image.Dither.FLOYDSTEINBERG)
    if sin_trama is None:
        return tramada
    llana = img.quantize(palette=ref, dither=Image.Dither.NONE)
    zona = desenfocar(sin_trama, 1.0) > 0.02
    ind = np.where(zona, np.asarray(llana), np.asarray(tramada)).astype(np.uint8)
    out = Image.fromarray(ind, 'P')
    out.putpalette(ref.getpalette()[:768])
    return out
