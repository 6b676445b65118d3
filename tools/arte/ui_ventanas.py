"""Pictures of the windows: new puzzle and puzzle files, message box, music,
language, honour roll, picture information, preview and print-out, video
panel.

Pictures copied into a background by index share its palette. A caption
or strip is cut from its background at the place it is copied to and keeps
the background's own indices outside its drawing, so nothing shows where
it lands."""
import os

import numpy as np
from PIL import Image

import tema
import ui_comun as uc
import ui_glifos as gl
import ui_juego as uj
import ui_textos as tx

CREMA = uj.CREMA
TINTA = tema.TINTA
TINTAS = (uc.rampa_tinta(tema.PAPEL, tema.TINTA, 10) + uc.rampa_tinta(tema.NOGAL_OSCURO, CREMA, 8)
          + uc.rampa_tinta(tema.LATON_OSCURO, tema.LATON_CLARO, 8))
NOMBRES = ('Triceratops', 'Albertosaurus', 'Stegosaurus', 'Allosaurus', 'Coelophysis')


class Grupo:
    """Pictures sharing one palette. The background is quantised once;
    each derived picture is a block of it with its own drawing laid in."""

    def __init__(self, fondo, llano=None):
        self.fondo = fondo
        self.llano = np.zeros(fondo.shape[:2], np.float32) if llano is None else llano
        self.derivados = []  # (num, rgb, x, y, drawn coverage)
        self.sueltos = []    # (num, rgb, drawn coverage): own pictures of the group

    def derivado(self, num, rgb, x, y, dibujo, filas=1):
        self.derivados.append((num, rgb, x, y, dibujo, filas))

    def suelto(self, num, rgb, dibujo=None):
        self.sueltos.append((num, rgb, dibujo))

    def cerrar(self, ref=None):
        imgs = [uc.a_imagen(self.fondo)] + [uc.a_imagen(d[1]) for d in self.derivados] + \
               [uc.a_imagen(s[1]) for s in self.sueltos]
        if ref is None:
            ref = uc.paleta_grupo(imgs, TINTAS)
        base = uc.cuantizar(imgs[0], ref, self.llano)
        ind = np.asarray(base)
        pal = ref.getpalette()[:768]
        res = {}
        for num, rgb, x, y, dibujo, filas in self.derivados:
            h, w = rgb.shape[:2]
            hc = h // filas  # the frames of a strip stand on the same block
            llana = np.asarray(uc.a_imagen(rgb).quantize(palette=ref, dither=Image.Dither.NONE))
            zona = uc.desenfocar(dibujo, 1.0) > 0.02
            debajo = np.tile(ind[y:y + hc, x:x + w], (h // hc, 1))
            bloque = np.where(zona, llana, debajo).astype(np.uint8)
            res[num] = bloque
        for num, rgb, dibujo in self.sueltos:
            llano = dibujo if dibujo is not None else np.ones(rgb.shape[:2], np.float32)
            res[num] = np.asarray(uc.cuantizar(uc.a_imagen(rgb), ref, llano))
        return base, res, pal


def _p(ind, pal):
    img = Image.fromarray(np.ascontiguousarray(ind, np.uint8), 'P')
    img.putpalette(pal)
    return img


def _cerrar(grupo, out, num_fondo, ref=None):
    """Each picture of the group into `out`; those derived band by band,
    under keys (number, band), are stacked into one."""
    base, res, pal = grupo.cerrar(ref)
    out[num_fondo] = base
    bandas = {}
    for num, ind in res.items():
        if isinstance(num, tuple):
            bandas.setdefault(num[0], []).append((num[1], ind))
        else:
            out[num] = _p(ind, pal)
    for num, partes in bandas.items():
        out[num] = _p(np.concatenate([ind for _, ind in sorted(partes, key=lambda p: p[0])]), pal)


def hoja(rgb, x0, y0, x1, y1, semilla):
    """A sheet of paper set into the wood, with a soft shadow at its top
    and left edges."""
    rgb[y0:y1, x0:x1] = uc.papel(y1 - y0, x1 - x0, semilla)
    return uc.hundir(rgb, x0, y0, x1, y1, 0.28, 4)


def rotulo(fondo, s, tam_max, color, sombra_col, rutas=uj.LETRAS_AJUSTE, margen=10):
    alto, ancho = fondo.shape[:2]
    ruta, tam = uj.texto_que_cabe(s, ancho - 2 * margen, alto - 6, tam_max, 12, rutas)
    return uc.escribir(fondo, s, ruta, tam, ancho / 2.0, alto / 2.0, color, sombra_col)


def _cmd_en(fondo, x, y, w, h, glifo, r=12):
    f = fondo[y:y + h, x:x + w]
    forma = uc.rect_redondo(h, w, 3, 3, w - 3, h - 3, 9)
    return uc.cmd3(f, forma, glifo(h, w, w / 2.0, h / 2.0, r), radio_relieve=3.0)


# ---------------------------------------------------------------- new puzzle, files

def nuevo(out):
    W, H = 610, 310
    rgb = uc.madera(H, W, 224)
    rgb = hoja(rgb, 105, 0, 605, 230, 2240)
    rgb[230, 105:] = uc.col(tema.LATON_CLARO)
    rgb[231, 105:] = uc.col(tema.LATON_OSCURO)
    rgb[:, 104] *= 0.6
    rgb = uc.biselar(rgb, 0.2, 0.45)
    # the maker's badge above the tabs
    sello = uc.circulo(H, W, 52, 31, 22)
    pieza = gl.pieza(H, W, 52, 31, 13)
    rgb = uc.placa_laton(rgb, sello, pieza, 'normal', radio_relieve=3.0)
    # The wood is quantised without dither: a dithered grain strews stray
    # brass dots over it.
    llano = np.ones((H, W), np.float32)
    llano[0:230, 105:605] = 0
    g = Grupo(rgb, llano)
    for base, palabras in [(2000 + 10 * p, c) for p, c in enumerate(tx.CABECERAS)] + \
            [(2040, tx.ABRIR), (2050, tx.GUARDAR)]:
        for i, s in enumerate(palabras):
            c, m = cabecera(rgb[1:49, 125:353].copy(), s)
            g.derivado(base + i, c, 125, 1, m)
    # tabs, OK and close stand on the same wood
    for i, y in enumerate((63, 109, 157, 203)):
        for lang, s in enumerate(tx.PESTANAS[i]):
            out[1000 + 10 * i + lang] = uc.a_imagen(pestana(rgb[y:y + 44, 0:105], s))
    out[223] = uc.a_imagen(_cmd_en(rgb, 119, 255, 80, 44, gl.visto))
    out[222] = uc.a_imagen(_cmd_en(rgb, 514, 257, 80, 44, gl.cruz, 11))
    for num, y, glifo in ((199, 44, gl.ajustar), (198, 134, gl.natural)):
        out[num] = uc.a_imagen(uc.anim10(rgb[y:y + 70, 452:522].copy(), glifo))
    for banda, (y, tira) in enumerate(desplazamiento(rgb, 365, 61, 45)):
        alto = tira.shape[0] // 3
        dibujo = np.clip(np.abs(tira - np.tile(rgb[y:y + alto, 365:410], (3, 1, 1))).max(axis=2) / 24.0, 0, 1)
        g.derivado((197, banda), tira, 365, y, dibujo, filas=3)
    out[221] = uc.a_imagen(paginador(45))
    _cerrar(g, out, 224)
    # the turned-pieces box stands on the finished paper, like the track
    # buttons on theirs
    fondo = np.asarray(out[224].convert('RGB'), np.float32)
    x, y, lado = CASILLA_X, CASILLA_Y, CASILLA_LADO
    out[187] = uc.a_imagen(casilla(fondo[y:y + lado, x:x + lado]))


# The Shape page's check box (its words are the program's, written beside
# it): under the three shape buttons, whole on the paper, where the
# program places it (DisenoVentanas.h).
CASILLA_X, CASILLA_Y, CASILLA_LADO = 371, 150, 24


def casilla(fondo):
    """A check box without its words: an empty paper key edged in brass
    (up, up hovered); checked, a brass plate pressed in with a tick
    engraved (down, down hovered, the tick red). Its outer ring fades into
    the paper it stands on, so no edge shows."""
    alto, ancho = fondo.shape[:2]
    forma = uc.rect_redondo(alto, ancho, 2, 2, ancho - 3, alto - 3, 5)
    borde = np.clip(forma - uc.rect_redondo(alto, ancho, 3.5, 3.5, ancho - 4.5, alto - 4.5, 3.5), 0, 1)
    visto = gl.visto(alto, ancho, (ancho - 1) / 2.0, (alto - 1) / 2.0, 7)
    return teclas_de_papel(fondo, forma, borde, visto, 187, 0.7, borde)


def teclas_de_papel(fondo, forma, borde, marca, semilla, rojo, brillo, tinta=None):
    """The four looks of a paper key edged in brass with a mark: up and up
    hovered (the paper of `semilla`, the glow along `brillo`, the mark in
    `tinta` and red when hovered, or none); down and down hovered (a brass
    plate pressed in, the mark engraved, red at `rojo` when hovered). Its
    outer ring fades into the background."""
    alto, ancho = fondo.shape[:2]
    yy, xx = np.mgrid[0:alto, 0:ancho]
    orilla = np.minimum(np.minimum(yy, alto - 1 - yy), np.minimum(xx, ancho - 1 - xx))
    orilla = np.minimum(orilla / 2.0, 1.0)[..., None]
    cuadros = []
    for abajo in (False, True):
        for sobre in (False, True):
            if abajo:
                c = uc.placa_laton(fondo, forma, marca, 'pulsado', radio_relieve=2.0)
                if sobre:
                    c = uc.mezclar(c, uc.col(tema.LATON_CLARO), uc.desplazar(forma, 1, 1) * 0.3)
                    c = uc.mezclar(c, uc.col(tema.ROJO_SELLO), uc.desplazar(marca, 1, 1) * rojo)
            else:
                c = uc.sombra(fondo, forma, 1, 1, 1.2, 0.4)
                tecla = uc.papel(alto, ancho, semilla) * (1.04 if sobre else 1.0)
                c = uc.mezclar(c, tecla, forma)
                c = uc.mezclar(c, uc.col(tema.LATON if sobre else tema.LATON_OSCURO), borde * 0.9)
                if sobre:
                    c = uc.resplandor(c, brillo, 2.0, 0.5)
                if tinta is not None:
                    c = uc.mezclar(c, uc.col(tema.ROJO_SELLO if sobre else tinta), marca)
            cuadros.append(fondo + (c - fondo) * orilla)
    return uc.tira_vertical(cuadros)


# A page header's words keep this far inside its slot, and its rule reaches
# RAYA_SOBRA past them on either side: the rule stays on the slot and is
# centred on the words' ink, whatever their length.
MARGEN_CABECERA = 22
RAYA_SOBRA = 12
FILA_RAYA = 43  # the rule's two rows; the slot's last rows stay the background's


def cabecera(fondo, s):
    """A page header: its words centred in the slot, underlined by a brass
    rule centred on their ink."""
    c, m = rotulo(fondo, s, 24, TINTA, None, margen=MARGEN_CABECERA)
    xs = np.nonzero(m[:FILA_RAYA].max(axis=0) > 0.25)[0]
    raya = np.zeros_like(m)
    raya[FILA_RAYA:FILA_RAYA + 2, xs.min() - RAYA_SOBRA:xs.max() + 1 + RAYA_SOBRA] = 0.55
    return uc.mezclar(c, uc.col(tema.LATON_OSCURO), raya), np.maximum(m, raya)


def pestana(fondo, s):
    """A page tab: up, up hovered, down (checked), down hovered."""
    alto, ancho = fondo.shape[:2]
    forma = uc.rect_redondo(alto, ancho, 6, 4, ancho - 5, alto - 4, 7)
    ruta, tam = uj.texto_que_cabe(s, ancho - 30, alto - 12, 17, 11, (tema.LETRA_TEXTO, tema.LETRA_CONDENSADA))
    m = uc.mascara_texto(alto, ancho, s, ruta, tam, ancho / 2.0 + 6, alto / 2.0)
    cuadros = []
    for abajo in (False, True):
        for sobre in (False, True):
            c = fondo.copy()
            if abajo:
                c = uc.sombra(c, forma, 2, 2, 1.5, 0.5)
                hoja_ = uc.papel(alto, ancho, 1000) * (1.03 if sobre else 1.0)
                c = uc.mezclar(c, hoja_, forma)
                c = uc.mezclar(c, uc.col(tema.ROJO_SELLO if sobre else TINTA), m)
                marca = uc.circulo(alto, ancho, 15, alto / 2.0, 3.5)
                c = uc.mezclar(c, uc.col(tema.ROJO_SELLO), marca)
            else:
                marco = np.clip(forma - uc.rect_redondo(alto, ancho, 7, 5, ancho - 6, alto - 5, 6), 0, 1)
                c = uc.mezclar(c, uc.col(tema.LATON if sobre else tema.LATON_OSCURO), marco * 0.8)
                if sobre:
                    c = uc.resplandor(c, m, 2.5, 0.6)
                c = uc.mezclar(c, uc.col(tema.LATON_CLARO if sobre else CREMA), m)
            cuadros.append(c)
    return uc.tira_vertical(cuadros)


def desplazamiento(rgb, x, fila, ancho):
    """The spin control drawn on the paper where it stands at (x, fila): up
    arrow (40), grip (79), down arrow (41), each in three states. The bands
    with the row each stands on."""
    bandas = []
    for alto, glifo in ((40, gl.flecha(True)), (79, None), (41, gl.flecha(False))):
        fondo = rgb[fila:fila + alto, x:x + ancho]
        if glifo is None:
            forma = uc.rect_redondo(alto, ancho, 5, 2, ancho - 5, alto - 2, 6)
            g = np.zeros((alto, ancho), np.float32)
            for k in range(-3, 4):
                y = alto / 2.0 + 6 * k
                g = np.maximum(g, uc.rect_redondo(alto, ancho, 13, y - 1.2, ancho - 13, y + 1.2, 1))
        else:
            forma = uc.rect_redondo(alto, ancho, 4, 3, ancho - 4, alto - 3, 8)
            g = glifo(alto, ancho, ancho / 2.0, alto / 2.0, 10)
        bandas.append((fila, uc.cmd3(fondo, forma, g, radio_relieve=2.5)))
        fila += alto
    return bandas


# The pager's thumb: as high as this in its band of 79 (the program shows
# it at a height the value sets).
ALTO_PULGAR = 31


def paginador(ancho):
    """The pager of the picture and file pages: a walnut slot set into the
    paper, an arrow plate at each end and between them a brass thumb that
    slides. Bands: up arrow (40), track (79: the empty track, then the thumb
    and the thumb lit, each in the top ALTO_PULGAR rows over the track),
    down arrow (41). Every row of the track is alike, so the thumb may
    stand anywhere on it."""
    alto = 160
    perfil = np.linspace(0.62, 0.82, ancho, dtype=np.float32)[:, None] * uc.col(tema.NOGAL)
    ranura = np.broadcast_to(perfil[None], (alto, ancho, 3)).copy()
    ranura = uc.hundir(ranura, 0, 0, ancho, alto, 0.35, 3)
    arriba = uc.cmd3(ranura[0:40], uc.rect_redondo(40, ancho, 4, 4, ancho - 4, 37, 8),
                     gl.flecha(True)(40, ancho, ancho / 2.0, 20.5, 10), radio_relieve=2.5)
    abajo = uc.cmd3(ranura[119:160], uc.rect_redondo(41, ancho, 4, 3, ancho - 4, 37, 8),
                    gl.flecha(False)(41, ancho, ancho / 2.0, 20.0, 10), radio_relieve=2.5)
    pista = ranura[40:119]
    forma = uc.rect_redondo(ALTO_PULGAR, ancho, 6, 2, ancho - 6, ALTO_PULGAR - 2, 6)
    estrias = np.zeros((ALTO_PULGAR, ancho), np.float32)
    for k in (-1, 0, 1):
        y = ALTO_PULGAR / 2.0 + 5 * k
        estrias = np.maximum(estrias, uc.rect_redondo(ALTO_PULGAR, ancho, 14, y - 1.2, ancho - 14, y + 1.2, 1))
    pulgares = uc.cmd3(pista[0:ALTO_PULGAR], forma, estrias, radio_relieve=2.5)
    cuadros = [pista]
    for k in (0, 1):  # normal, lit
        c = pista.copy()
        c[0:ALTO_PULGAR] = pulgares[k * ALTO_PULGAR:(k + 1) * ALTO_PULGAR]
        cuadros.append(c)
    return uc.tira_vertical([arriba] + cuadros + [abajo])


# ---------------------------------------------------------------- message box

def mensaje(out):
    W, H = 500, 310
    rgb = uc.madera(H, W, 148)
    rgb = hoja(rgb, 14, 56, 486, 244, 1480)
    # the groove that holds the five progress marks: the same in every column
    canal = np.linspace(0.55, 0.75, 48, dtype=np.float32)[:, None, None] * uc.col(tema.NOGAL)
    rgb[246:294, 116:378] = canal
    rgb = uc.hundir(rgb, 116, 246, 378, 294, 0.3, 3)
    rgb = uc.biselar(rgb, 0.2, 0.45)
    llano = np.zeros((H, W), np.float32)
    llano[246:294, 116:378] = 1
    g = Grupo(rgb, llano)
    for i, s in enumerate(tx.MENSAJE):
        c, m = rotulo(rgb[7:53, 13:480].copy(), s, 28, CREMA, tema.NOGAL_OSCURO, margen=16)
        g.derivado(2150 + i, c, 13, 7, m)
    celda = rgb[247:291, 125:169]
    espera = celda.copy()
    hueco = uc.circulo(44, 44, 22, 22, 13)
    espera = uc.mezclar(espera, uc.col(tema.NOGAL_OSCURO) * 0.7, hueco)
    espera = uc.mezclar(espera, uc.col(tema.LATON_OSCURO), np.clip(hueco - uc.circulo(44, 44, 22, 22, 11.5), 0, 1))
    hecho = uc.placa_laton(celda.copy(), uc.circulo(44, 44, 22, 22, 15), gl.visto(44, 44, 22, 22.5, 9),
                           'normal', radio_relieve=2.5)
    g.suelto(262, np.concatenate([espera, hecho]))
    _cerrar(g, out, 148)
    out[146] = uc.a_imagen(_cmd_en(rgb, 18, 255, 80, 44, gl.visto))
    out[147] = uc.a_imagen(_cmd_en(rgb, 413, 257, 80, 44, gl.cruz, 11))


# ---------------------------------------------------------------- music

def _panel(numero, glifo, radio_glifo, textos, rotulos, ranuras=()):
    """The small paper panels of the music and language windows (260 x 300):
    walnut, paper, a brass badge at the top left, a caption per language
    at (77, 0) as pictures rotulos + language; sliders' slots where asked."""
    W, H = 260, 300
    rgb = uc.madera(H, W, numero)
    rgb = hoja(rgb, 8, 51, 252, 249, 10 * numero)
    for x in ranuras:
        rgb = ranura(rgb, x, 100, 236)
    rgb = uc.biselar(rgb, 0.2, 0.45)
    sello = uc.circulo(H, W, 38, 25, 19)
    rgb = uc.placa_laton(rgb, sello, glifo(H, W, 38, 25, radio_glifo), 'normal', radio_relieve=3.0)
    g = Grupo(rgb)
    for i, s in enumerate(textos):
        c, m = rotulo(rgb[0:48, 77:260].copy(), s, 28, CREMA, tema.NOGAL_OSCURO, margen=12)
        g.derivado(rotulos + i, c, 77, 0, m)
    return rgb, g


def musica(out):
    rgb, g = _panel(214, gl.nota, 11, tx.MUSICA, 2100, ranuras=(69, 181))
    for num, x, y, w, h, glifo in ((503, 35, 51, 68, 36, gl.altavoz), (505, 155, 53, 52, 34, gl.onda)):
        base = rgb[y:y + h, x:x + w]
        cuadros, marcas = [], []
        for activo in (False, True):
            m = glifo(h, w, w / 2.0, h / 2.0, 15)
            c = base.copy()
            if activo:
                c = uc.resplandor(c, m, 3.0, 0.9, tema.LATON_CLARO)
                c = uc.mezclar(c, uc.col(tema.ROJO_SELLO), m)
            else:
                c = uc.mezclar(c, uc.col(TINTA), m * 0.85)
            cuadros.append(c)
            marcas.append(uc.desenfocar(m, 2.0) * 3)
        g.derivado(num, np.concatenate(cuadros), x, y, np.concatenate(marcas), filas=2)
    g.suelto(507, perilla(), np.ones((36, 34), np.float32))
    out[212] = uc.a_imagen(_cmd_en(rgb, 0, 256, 80, 44, gl.visto))
    out[213] = uc.a_imagen(_cmd_en(rgb, 180, 256, 80, 44, gl.prohibido_nota, 14))
    _cerrar(g, out, 214)
    # the knob strip: sprite over mask, indices 0/255 in the mask
    out[507] = mascara_perilla(out[507])
    # the track buttons stand on the finished background, so their edges
    # carry its very colours
    fondo = np.asarray(out[214].convert('RGB'), np.float32)
    for k in range(4):
        x, y = PISTA_X, PISTA_Y + PISTA_PASO * k
        out[530 + k] = uc.a_imagen(pista(fondo[y:y + PISTA_H, x:x + PISTA_W], k + 1))


PISTA_X, PISTA_Y, PISTA_PASO, PISTA_W, PISTA_H = 100, 104, 34, 60, 30


def pista(fondo, n):
    """A track button: a paper key edged in brass with a note and its
    number (up, up hovered); checked, a brass plate pressed in with them
    engraved (down, down hovered). Its outer ring fades into the
    background it stands on, so no edge shows."""
    alto, ancho = fondo.shape[:2]
    forma = uc.rect_redondo(alto, ancho, 2, 2, ancho - 4, alto - 4, 7)
    borde = np.clip(forma - uc.rect_redondo(alto, ancho, 3.5, 3.5, ancho - 5.5, alto - 5.5, 5.5), 0, 1)
    cy = (alto - 2) / 2.0
    glifo = np.maximum(gl.nota(alto, ancho, 20, cy, 8.5),
                       uc.mascara_texto(alto, ancho, str(n), tema.LETRA_TITULO, 19, 40, cy + 0.5))
    return teclas_de_papel(fondo, forma, borde, glifo, 530, 0.55, glifo, TINTA)


KW, KH = 34, 18


def ranura(rgb, x, y0, y1):
    """The slot a slider knob runs in, with a scale on its left."""
    rgb = rgb.copy()
    rgb[y0 - 6:y1 + 7, x - 2:x + 3] = uc.col(tema.PAPEL_SOMBRA) * 0.82
    rgb = uc.hundir(rgb, x - 2, y0 - 6, x + 3, y1 + 7, 0.35, 2)
    for k in range(11):
        y = int(round(y0 + (y1 - y0) * k / 10.0))
        largo = 9 if k % 5 == 0 else 5
        rgb[y, x - 8 - largo:x - 7] = uc.mezclar(rgb[y, x - 8 - largo:x - 7], uc.col(TINTA), np.full(largo + 1, 0.45))
    return rgb


def perilla():
    """A brass fader cap over a plain paper backing; the mask decides what
    shows, the backing only softens the anti-aliased edge."""
    fondo = uc.lienzo(KH, KW, tema.PAPEL_SOMBRA)
    forma = uc.rect_redondo(KH, KW, 0, 0, KW, KH, 4)
    raya = uc.rect_redondo(KH, KW, 3, KH / 2.0 - 1, KW - 3, KH / 2.0 + 1, 0.5)
    s = uc.placa_laton(fondo, forma, raya, 'normal', radio_relieve=2.0)
    return np.concatenate([s, uc.lienzo(KH, KW, (0, 0, 0))])


def mascara_perilla(img):
    ind = np.asarray(img).copy()
    forma = uc.rect_redondo(KH, KW, 0, 0, KW, KH, 4) > 0.5
    sprite = ind[:KH]
    sprite[~forma] = 0
    ind[KH:] = np.where(forma, 0, 255)
    return _p(ind, img.getpalette()[:768])


# ---------------------------------------------------------------- language

def idioma(out):
    """The language window: its own paper, a globe badge, a caption per
    language, and OK and Cancel cut from its own wood."""
    rgb, g = _panel(215, gl.globo, 13, tx.IDIOMA, 2170)
    out[216] = uc.a_imagen(_cmd_en(rgb, 0, 256, 80, 44, gl.visto))
    out[217] = uc.a_imagen(_cmd_en(rgb, 180, 256, 80, 44, gl.cruz, 11))
    _cerrar(g, out, 215)


# ---------------------------------------------------------------- honour roll, information

def _tira_corcho():
    return uc.corcho(80, 80, 160)


def honor_e_info(out, dir_imagenes):
    tile = _tira_corcho()
    g = Grupo(tile, np.ones((80, 80), np.float32))  # no dither: the tile wraps
    for i, s in enumerate(tx.HONOR):
        g.suelto(2090 + i, *cartel(s))
    pagina, llano = pagina_info()
    g.suelto(265, pagina, llano)
    _cerrar(g, out, 160)
    ind265 = out[265]
    fondo = np.asarray(ind265.convert('RGB'), np.float32)
    for k, (x, y) in enumerate(CUADROS_INFO):
        out[700 + k] = uc.a_imagen(cuadro(fondo[y:y + CUADRO_ALTO, x:x + CUADRO_ANCHO], k, dir_imagenes))


# The picture buttons on the information page: four in a row and one under
# the first, all inside the walnut frame (10 wide) with 10 to spare.
MARCO_INFO = 10
CUADRO_ANCHO, CUADRO_ALTO = 182, 104
CUADROS_INFO = tuple((21 + 192 * k, 90) for k in range(4)) + ((21, 199),)


def cartel(s):
    """The honour roll's heading: a paper card in a walnut frame between
    two brass cups."""
    W, H = 520, 100
    rgb = uc.madera(H, W, 2090)
    rgb = uc.biselar(rgb, 0.25, 0.5, 2)
    rgb = hoja(rgb, 70, 10, 450, 90, 2091)
    c, m = rotulo(rgb[10:90, 70:450].copy(), s, 38, TINTA, None, margen=12)
    rgb[10:90, 70:450] = c
    marca = np.zeros((H, W), np.float32)
    marca[10:90, 70:450] = m
    for cx in (35, 485):
        forma = uc.circulo(H, W, cx, 50, 28)
        rgb = uc.placa_laton(rgb, forma, gl.trofeo(H, W, cx, 51, 17), 'normal', radio_relieve=3.0)
    return rgb, marca


def pagina_info():
    W, H = 800, 600
    rgb = np.tile(_tira_corcho(), (H // 80 + 1, W // 80, 1))[:H]
    # a walnut frame hides where the page meets the tiled canvas
    marco = np.zeros((H, W), np.float32)
    m = MARCO_INFO
    marco[:m, :] = marco[-m:, :] = 1
    marco[:, :m] = marco[:, -m:] = 1
    madera = uc.madera(H, W, 265)
    rgb = uc.sombra(rgb, marco, 3, 3, 3.0, 0.5)
    rgb = uc.mezclar(rgb, madera, marco)
    rgb = uc.biselar(rgb, 0.25, 0.5, 2)
    rgb[m:m + 1, m:W - m] *= 0.6
    rgb[m:H - m, m:m + 1] *= 0.6
    # the name plate
    placa = uc.rect_redondo(H, W, 270, 22, 530, 76, 10)
    nombre = uc.mascara_texto(H, W, 'DINOSAURIA', tema.LETRA_TITULO, 30, 400, 49)
    rgb = uc.placa_laton(rgb, placa, nombre, 'normal', radio_relieve=3.5, tinta=uj.TINTA_LATON)
    # a pinned card with a faint piece watermark fills the open corner
    tarjeta = uc.rect_redondo(H, W, 230, 225, 770, 470, 3)
    rgb = uc.sombra(rgb, tarjeta, 4, 4, 3.0, 0.5)
    rgb = uc.mezclar(rgb, uc.papel(H, W, 2650), tarjeta)
    # a trail of footprints walks across the card
    rastro = np.zeros((H, W), np.float32)
    for k in range(6):
        t = k / 5.0
        x = 290 + 420 * t
        y = 420 - 140 * t + (16 if k % 2 else -16)
        rastro = np.maximum(rastro, gl.huella(H, W, x, y, 30, 72))
    rgb = uc.mezclar(rgb, uc.col((150, 122, 92)), rastro * 0.55)
    for cx in (250, 750):
        chincheta = uc.circulo(H, W, cx, 240, 6)
        rgb = uc.placa_laton(rgb, chincheta, np.zeros((H, W), np.float32), 'normal', radio_relieve=2.0)
    return rgb, uc.desenfocar(nombre, 1.0) * 4


def _miniatura(dir_imagenes, k, w, h):
    ruta = os.path.join(dir_imagenes, '%d.bmp' % (k + 1))
    if not os.path.exists(ruta):
        return None
    img = Image.open(ruta).convert('RGB')
    # fill the opening, cropping the longer side
    esc = max(w / img.width, h / img.height)
    nw, nh = max(w, int(round(img.width * esc))), max(h, int(round(img.height * esc)))
    img = img.resize((nw, nh), Image.LANCZOS)
    x0, y0 = (nw - w) // 2, (nh - h) // 2
    return np.asarray(img.crop((x0, y0, x0 + w, y0 + h)), np.float32)


def cuadro(fondo, k, dir_imagenes):
    """A picture button: the picture in a walnut frame with its name."""
    alto, ancho = fondo.shape[:2]
    cuadros = []
    vista = _miniatura(dir_imagenes, k, ancho - 16, alto - 16)
    for estado in uc.ESTADOS:
        d = 1 if estado == 'pulsado' else 0
        c = fondo.copy()
        forma = np.zeros((alto, ancho), np.float32)
        forma[2 + d:alto - 2 + d, 2 + d:ancho - 2 + d] = 1
        c = uc.sombra(c, forma, 3, 3, 2.0, 0.55 if d == 0 else 0.3)
        if estado == 'sobre':
            c = uc.resplandor(c, forma, 3.0, 0.8)
        marco = uc.laton(alto, ancho, 70) if estado == 'sobre' else uc.madera(alto, ancho, 700 + k)
        if estado == 'pulsado':
            marco = marco * 0.8
        c = uc.mezclar(c, uc.biselar(marco, 0.3, 0.45, 2), forma)
        x0, y0 = 8 + d, 8 + d
        if vista is not None:
            v = vista * (0.85 if estado == 'pulsado' else 1.0)
            c[y0:y0 + alto - 16, x0:x0 + ancho - 16] = v
        else:
            c[y0:y0 + alto - 16, x0:x0 + ancho - 16] = uc.fieltro(alto - 16, ancho - 16, 7)
        c = uc.hundir(c, x0, y0, x0 + ancho - 16, y0 + alto - 16, 0.35, 3)
        # the name on a small paper label along the bottom of the picture
        ruta, tam = uj.texto_que_cabe(NOMBRES[k], ancho - 40, 16, 14, 9, (tema.LETRA_TEXTO, tema.LETRA_CONDENSADA))
        tw = uc.medir(NOMBRES[k], ruta, tam)[0]
        ly0, ly1 = alto - 8 - 21 + d, alto - 11 + d
        lx0, lx1 = ancho / 2.0 - tw / 2.0 - 7 + d, ancho / 2.0 + tw / 2.0 + 7 + d
        etiqueta = uc.rect_redondo(alto, ancho, lx0, ly0, lx1, ly1, 4)
        c = uc.sombra(c, etiqueta, 1, 1, 1.0, 0.4)
        c = uc.mezclar(c, uc.col(tema.PAPEL), etiqueta * 0.9)
        c, _ = uc.escribir(c, NOMBRES[k], ruta, tam, (lx0 + lx1) / 2.0, (ly0 + ly1) / 2.0, TINTA)
        cuadros.append(c)
    return uc.tira_vertical(cuadros)


# ---------------------------------------------------------------- print-out, video panel

def impresion(out):
    for num, alto, semilla in ((263, 243, 263), (264, 228, 264)):
        W = 1496
        rgb = uc.lienzo(alto, W, (255, 255, 255))
        nogal = uc.col(tema.NOGAL)
        laton = uc.col(tema.LATON_OSCURO)
        if num == 263:
            rgb[20:26] = nogal
            rgb[32:35] = laton
            rgb[alto - 35:alto - 32] = laton
            rgb[alto - 26:alto - 20] = nogal
            rgb, _ = uc.escribir(rgb, 'Tessera', tema.LETRA_TITULO, 120, W / 2.0, alto / 2.0 - 4, nogal)
            for cx in (260, W - 260):
                rgb = uc.mezclar(rgb, laton, gl.pieza(alto, W, cx, alto / 2.0, 60))
        else:
            rgb[20:26] = nogal
            rgb[32:35] = laton
            for k in range(11):
                cx = W / 2.0 + (k - 5) * 120
                r = 26 if k != 5 else 40
                m = gl.pieza(alto, W, cx, alto / 2.0 + 10, r) if k % 2 == 0 else \
                    gl.pieza_hueca(alto, W, cx, alto / 2.0 + 10, r, 0.18)
                rgb = uc.mezclar(rgb, laton if k != 5 else nogal, m)
        out[num] = uc.a_imagen(rgb)


def video(out):
    W, H = 640, 480
    rgb = uc.madera(H, W, 166)
    rgb = uc.biselar(rgb, 0.25, 0.5, 3)
    rgb[20:361, 20:620] = uc.col((14, 12, 10))
    rgb = uc.hundir(rgb, 20, 20, 620, 361, 0.5, 4)
    placa = uc.rect_redondo(H, W, 440, 392, 610, 452, 10)
    rgb = uc.placa_laton(rgb, placa, uc.mascara_texto(H, W, 'Tessera', tema.LETRA_TITULO, 30, 525, 421),
                         'normal', radio_relieve=3.0, tinta=uj.TINTA_LATON)
    out[166] = uc.a_imagen(rgb)
    out[163] = uc.a_imagen(_cmd_en(rgb, 0, 416, 80, 44, gl.cruz, 11))
    out[167] = uc.a_imagen(_cmd_en(rgb, 296, 378, 80, 44, gl.repetir, 13))
    out[165] = uc.a_imagen(_cmd_en(rgb, 196, 423, 80, 44, gl.globo, 14))


def todo(out, dir_imagenes):
    nuevo(out)
    mensaje(out)
    musica(out)
    idioma(out)
    honor_e_info(out, dir_imagenes)
    impresion(out)
    video(out)
