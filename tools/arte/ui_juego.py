"""Pictures of the play screen: the table and the wood around it, the
title strip, the bars along the left and bottom edges with their fold-out
windows, the box buttons and the title bars of the piece boxes.

The strips are repainted in blocks whose phase follows the repainted
rectangle, so each is invariant along the direction it is tiled in: the
title strip, the options bar and window vary only down their height, the
tool bar and tools window only across their width."""
import numpy as np

import bmp
import tema
import ui_comun as uc
import ui_glifos as gl
import ui_textos as tx

TINTA_LATON = (52, 34, 10)
CREMA = (250, 240, 214)

LETRAS_AJUSTE = (tema.LETRA_TITULO, '/usr/share/fonts/truetype/dejavu/DejaVuSerifCondensed-Bold.ttf')


def texto_que_cabe(s, ancho, alto, tam_max, tam_min=11, rutas=LETRAS_AJUSTE):
    """The font and size for s: the first face that fits at a readable size,
    else the last face at the largest size that fits."""
    for ruta in rutas:
        t = uc.tam_que_cabe(s, ruta, tam_max, ancho, alto, tam_min)
        w, h = uc.medir(s, ruta, t)
        if w <= ancho and (t >= tam_max - 4 or ruta == rutas[-1]):
            return ruta, t
    return rutas[-1], tam_min


# ---------------------------------------------------------------- profiles

def _filas(perfil_y, ancho):
    return np.broadcast_to(perfil_y[:, None, :], (perfil_y.shape[0], ancho, 3)).copy()


def _columnas(perfil_x, alto):
    return np.broadcast_to(perfil_x[None, :, :], (alto, perfil_x.shape[0], 3)).copy()


def _tono(perfil, i, f):
    perfil[i] = perfil[i] * f


def _aclarar(perfil, i, t, color=(255, 228, 180)):
    perfil[i] = perfil[i] + (uc.col(color) - perfil[i]) * t


def _riel(perfil, i):
    """Two rows (or columns) of brass rail starting at i."""
    perfil[i] = uc.col(tema.LATON_CLARO)
    perfil[i + 1] = uc.col(tema.LATON_OSCURO)


def perfil_titulo():
    """Rows of the title strip: walnut moulding, brass rail, a cream paper
    band for the elapsed time, brass rail, walnut moulding."""
    n = 78
    p = uc.madera_1d(n, 101, 1, 1)[:, 0, :]
    papel = uc.col(tema.PAPEL)
    fibra = uc.ruido1(78, 0.7, 102)
    for y in range(9, 67):
        sombra = 0.16 * np.exp(-(y - 9) / 2.5) + 0.05 * ((y - 9) / 57.0) ** 2
        p[y] = papel * (1 - sombra) + 1.5 * fibra[y]
    _riel(p, 7)
    _riel(p, 67)
    _tono(p, 0, 0.55)
    _aclarar(p, 1, 0.3)
    _aclarar(p, 69, 0.25)
    _tono(p, 6, 0.75)
    _tono(p, 76, 0.7)
    _tono(p, 77, 0.45)
    return p


def perfil_barra_herramientas():
    n = 25
    p = uc.madera_1d(n, 201, 1, 0)[0]
    _aclarar(p, 0, 0.3)
    _riel(p, 21)
    _tono(p, 23, 0.7)
    _tono(p, 24, 0.45)
    return p


def perfil_herramientas():
    n = 98
    p = uc.madera_1d(n, 211, 1, 0)[0]
    _aclarar(p, 0, 0.15)
    _tono(p, 89, 0.8)
    _aclarar(p, 90, 0.3)
    _riel(p, 92)
    _tono(p, 95, 0.85)
    _tono(p, 96, 0.7)
    _tono(p, 97, 0.45)
    return p


def perfil_barra_opciones():
    n = 25
    p = uc.madera_1d(n, 301, 1, 1)[:, 0, :]
    _tono(p, 0, 0.45)
    _aclarar(p, 1, 0.3)
    _riel(p, 2)
    _tono(p, 24, 0.6)
    return p


def perfil_opciones():
    n = 103
    p = uc.madera_1d(n, 311, 1, 1)[:, 0, :]
    _tono(p, 0, 0.45)
    _aclarar(p, 1, 0.3)
    _riel(p, 3)
    _tono(p, 5, 0.7)
    _tono(p, 6, 0.85)
    return p


def perfil_caja():
    """Rows of a piece box's title bar: light, for its black title."""
    n = 31
    p = uc.madera_1d(n, 401, 1, 1)[:, 0, :]
    papel = uc.col(tema.PAPEL)
    for y in range(5, 27):
        p[y] = papel * (1 - 0.12 * np.exp(-(y - 5) / 2.0) - 0.04 * (y - 5) / 21.0)
    _tono(p, 0, 0.6)
    _aclarar(p, 1, 0.25)
    p[4] = uc.col(tema.LATON_OSCURO)
    p[27] = uc.col(tema.LATON)
    _tono(p, 30, 0.5)
    return p


# ---------------------------------------------------------------- pictures

def mosaico():
    return bmp.a_8bits(uc.a_imagen(uc.fieltro(100, 100, 6000)), tramado=False)


def orla():
    """The walnut the table is set into, seen around the felt: a tile that
    wraps both ways, a shade darker than the bars so they stand out."""
    return uc.a_imagen(uc.madera(100, 200, 6001) * 0.8)


def boton_texto(fondo, s, glifo=None):
    """A brass plate carrying an icon on the left and an engraved word."""
    alto, ancho = fondo.shape[:2]
    forma = uc.rect_redondo(alto, ancho, 8, 5, ancho - 6, alto - 5, 9)
    x_txt0 = 48 if glifo else 18
    ruta, tam = texto_que_cabe(s, ancho - 14 - x_txt0, alto - 18, 22)
    cx = (x_txt0 + ancho - 12) / 2.0
    g = uc.mascara_texto(alto, ancho, s, ruta, tam, cx, alto / 2.0)
    if glifo:
        g = np.maximum(g, glifo(alto, ancho, 29, alto / 2.0, 14))
    return uc.cmd3(fondo, forma, g, radio_relieve=3.0, tinta=TINTA_LATON)


def titulo(out):
    p = perfil_titulo()
    out[122] = uc.a_imagen(_filas(p, 76))
    fila = lambda y0, alto, ancho: _filas(p[np.clip(np.arange(y0, y0 + alto), 0, 77)], ancho)
    for i, s in enumerate(tx.NUEVO_PUZZLE):
        out[2060 + i] = uc.a_imagen(boton_texto(fila(10, 54, 270), s, gl.pieza))
    # about: the game's name on an oval cartouche
    fondo = fila(-1, 70, 180)
    forma = uc.mascara(70, 180, lambda d, s: d.ellipse((6 * s, 6 * s, 174 * s - 1, 64 * s - 1), fill=255))
    nombre = uc.mascara_texto(70, 180, 'Tessera', tema.LETRA_TITULO, 25, 90, 34)
    adorno = np.maximum(gl.pieza(70, 180, 27, 35, 7), gl.pieza(70, 180, 153, 35, 7))
    out[129] = uc.a_imagen(uc.cmd3(fondo, forma, np.maximum(nombre, adorno), radio_relieve=3.5,
                                   tinta=TINTA_LATON))
    for num, glifo in ((119, gl.guion), (112, gl.cruz)):
        fondo = fila(0, 38, 36)
        forma = uc.rect_redondo(38, 36, 3, 4, 33, 34, 6)
        out[num] = uc.a_imagen(uc.cmd3(fondo, forma, glifo(38, 36, 18, 19, 10)))


def _pestana_madera(alto, semilla):
    """A 25-wide walnut tab on the right screen edge, framed on every side
    so that the screen's edge does not seem to cut it."""
    p = uc.madera_1d(25, semilla, 1, 0)[0]
    _aclarar(p, 0, 0.2)
    _tono(p, 1, 0.7)
    _tono(p, 23, 0.8)
    _tono(p, 24, 0.55)
    f = _columnas(p, alto)
    f[0] = uc.mezclar(f[0], (255, 228, 180), np.full(25, 0.3))
    f[-1] *= 0.55
    return f


def cajas(out):
    for i in range(6):
        fondo = _pestana_madera(46, 501)
        digito = uc.mascara_texto(46, 25, str(i + 1), tema.LETRA_TEXTO, 12, 11, 24)
        # the piece's tab to the right stays clear of the frame
        hueca = gl.pieza_hueca(46, 25, 11.5, 23, 10.5, 0.16)
        llena = gl.pieza(46, 25, 11.5, 23, 10.5)
        # empty: a brass outline around a cream numeral
        vacia = uc.cmd3(fondo, hueca, np.zeros_like(digito), radio_relieve=1.2)
        for k in range(3):
            d = uc.desplazar(digito, 1, 1) if k == 2 else digito
            cuadro = vacia[46 * k:46 * (k + 1)]
            if k == 1:
                cuadro[:] = uc.resplandor(cuadro, d, 2.0, 0.9)
            color = (CREMA, tema.LATON_CLARO, uc.col(CREMA) * 0.8)[k]
            cuadro[:] = uc.mezclar(cuadro, uc.col(color), d)
        # holding pieces: a solid brass piece with the numeral engraved
        con = uc.cmd3(fondo, llena, digito, radio_relieve=2.0, tinta=TINTA_LATON)
        out[200 + i] = uc.a_imagen(vacia)
        out[600 + i] = uc.a_imagen(con)
    fondo = _pestana_madera(44, 544)
    forma = uc.circulo(44, 25, 12, 22, 9.5)
    out[244] = uc.a_imagen(uc.cmd3(fondo, forma, gl.letra('i', escala=1.6)(44, 25, 12, 22, 9.5),
                                   radio_relieve=2.0, tinta=TINTA_LATON))


def _etiqueta(fondo, s, forma, vertical):
    """A fold-out tab label: a brass plate with its word engraved."""
    alto, ancho = fondo.shape[:2]
    if vertical:
        largo, grueso = alto - 14, ancho - 8
        ruta, tam = texto_que_cabe(s, largo, grueso, 15, 9, (tema.LETRA_CONDENSADA,))
        m = uc.mascara_texto(ancho, alto, s, ruta, tam, alto / 2.0, ancho / 2.0)
        g = np.rot90(m).copy()
    else:
        ruta, tam = texto_que_cabe(s, ancho - 14, alto - 8, 15, 9, (tema.LETRA_TEXTO, tema.LETRA_CONDENSADA))
        g = uc.mascara_texto(alto, ancho, s, ruta, tam, ancho / 2.0, alto / 2.0)
    return uc.placa_laton(fondo, forma, g, 'normal', radio_relieve=2.0, tinta=TINTA_LATON)


# The tools window's buttons, top to bottom, each with its glyph, and where
# their medallion stands on the window's 98-wide strip (centre, largest radius).
BOTONES_HERRAMIENTAS = ((127, gl.resolver), (117, gl.bombilla), (131, gl.bordes_a_caja), (132, gl.esparcir),
                        (124, gl.nota), (113, gl.trofeo))
MEDALLON_HERRAMIENTAS = (45.0, 35.0, 31.0)


def barras(out):
    ph = perfil_barra_herramientas()
    out[104] = uc.a_imagen(_columnas(ph, 139))
    forma = uc.rect_redondo(140, 25, 2, 3, 22, 137, 5)
    for i, s in enumerate(tx.HERRAMIENTAS):
        out[2110 + i] = uc.a_imagen(_etiqueta(_columnas(ph, 140), s, forma, True))
    pt = perfil_herramientas()
    out[120] = uc.a_imagen(_columnas(pt, 95))
    fondo = _columnas(pt, 70)
    for num, glifo in BOTONES_HERRAMIENTAS:
        out[num] = uc.a_imagen(uc.anim10(fondo, glifo, *MEDALLON_HERRAMIENTAS))

    pb = perfil_barra_opciones()
    out[105] = uc.a_imagen(_filas(pb, 103))
    forma = uc.rect_redondo(25, 104, 3, 4, 101, 25 + 4, 6)
    for i, s in enumerate(tx.OPCIONES):
        out[2120 + i] = uc.a_imagen(_etiqueta(_filas(pb, 104), s, forma, False))
    po = perfil_opciones()
    out[123] = uc.a_imagen(_filas(po, 103))


def bloque_madera(alto, ancho):
    """The small wooden block behind the buttons that stand on several
    windows (help, magnifier, exit, erase, print): the options window's
    own wood, raised."""
    f = _filas(perfil_opciones()[27:27 + alto], ancho)
    return uc.biselar(f, 0.2, 0.35)


# The round buttons on the wooden block, each with its glyph.
BOTONES_REDONDOS = ((115, gl.letra('?', escala=1.75)), (126, gl.lupa), (128, gl.cruz),
                    (158, gl.papelera), (260, gl.impresora),
                    (133, gl.fantasma), (116, gl.disquete), (118, gl.carpeta), (121, gl.globo),
                    (130, gl.carpeta_mas))


def botones_compartidos(out):
    for num, glifo in BOTONES_REDONDOS:
        out[num] = uc.a_imagen(uc.anim10(bloque_madera(70, 70), glifo))


def cajas_titulo(out):
    p = perfil_caja()
    out[227] = uc.a_imagen(_filas(p, 30))
    for num, glifo in ((225, gl.cruz), (228, gl.lapiz)):
        fondo = _filas(p, 30)
        forma = uc.rect_redondo(31, 30, 4, 5, 26, 27, 4)
        out[num] = uc.a_imagen(uc.cmd3(fondo, forma, glifo(31, 30, 15, 16, 7.5)))


def todo(out):
    out[6000] = mosaico()
    out[6001] = orla()
    titulo(out)
    cajas(out)
    barras(out)
    botones_compartidos(out)
    cajas_titulo(out)
