// Where the pop-up windows' controls stand on their archive pictures, in
// designed pixels: each window multiplies them by the interface's factor
// (Esc), and the data tests check that every control lies on its picture.
#pragma once

#include <cstdint>

// The new-puzzle window, on picture 224.
namespace DisenoNuevo {
constexpr int32_t kXAceptar = 119, kYAceptar = 255;
constexpr int32_t kXCerrar = 514, kYCerrar = 257;
// The tabs down the left edge, one per page.
constexpr int32_t kYPestaña[4] = {63, 109, 157, 203};
// The page header's slot, and the sliding page area.
constexpr int32_t kXEncabezado = 125, kYEncabezado = 1, kAnchoEncabezado = 228, kAltoEncabezado = 48;
constexpr int32_t kXPagina = 105, kAnchoPagina = 500, kAltoPagina = 230;
// The animated buttons under the pages: help, add a picture, preview.
constexpr int32_t kYBotonesPie = 235;
constexpr int32_t kXAyuda = 246, kXAgregar = 320, kXVistaPrevia = 395;
// Size page: fit and natural size.
constexpr int32_t kXZoom = 452, kYAjustar = 44, kYNatural = 134;
// Shape page: the three dies and the preview of their pieces.
constexpr int32_t kXTroquel[3] = {371, 427, 482}, kYTroquel = 78;
constexpr int32_t kXVistaTroquel = 147, kYVistaTroquel = 58;  // whole on the paper
// Shape page: the turned-pieces check box under the dies (its box, picture
// 187, is drawn for this place), its words after a gap, ending a few
// pixels short of the paper's right edge (605).
constexpr int32_t kXGiradas = 371, kYGiradas = 150, kHuecoGiradas = 6, kFinGiradas = 597;
// The size and count scrolls, and the picture page's.
constexpr int32_t kXDesplazador = 365, kYDesplazador = 61;
// The picture page's pager (picture 221), whole on the paper (which ends
// at 230), with a thumb that slides down its track as the pages go by.
constexpr int32_t kXDesplazadorImagenes = 555, kYDesplazadorImagenes = 68;
constexpr int32_t kAltoPulgar = 31;
// A scroll's picture: arrow, grip, arrow.
constexpr int32_t kAltosDesplazador[3] = {40, 79, 41};
// Count page: the captions and their counts, between the count scroll
// (ending at 410) and the paper's right edge (605), a few pixels clear of
// each.
constexpr int32_t kXRotulo = 416, kFinRotulos = 597;
constexpr int32_t kYRotulo[3] = {80, 120, 160};
constexpr int32_t kAltoRotulo = 18, kAltoRotuloMinimo = 11;
}  // namespace DisenoNuevo

// The puzzle file window, on picture 224 from its column 100 on (the
// places count from the window's corner).
namespace DisenoArchivo {
constexpr int32_t kMargenFondo = 100;
constexpr int32_t kXAceptar = 19, kYAceptar = 255;
constexpr int32_t kXCancelar = 414, kYCancelar = 257;
constexpr int32_t kYBotonesPie = 235, kXAyuda = 146, kXBorrar = 295;
constexpr int32_t kXDesplazador = 455, kYDesplazador = 68;  // the new-puzzle window's pager, at its place
}  // namespace DisenoArchivo

// The message box, on picture 148 (480 x 310 at the least).
namespace DisenoMensaje {
constexpr int32_t kAnchoMinimo = 480, kAltoMinimo = 310;
constexpr int32_t kXTitulo = 13, kYTitulo = 7;
constexpr int32_t kXAceptar = 18, kYAceptar = 255;
constexpr int32_t kXCancelar = 413, kYCancelar = 257;
// The input field, and the text's area and font height.
constexpr int32_t kXEntrada = 20, kYEntrada = 160, kAnchoEntrada = 225, kAltoEntrada = 24;
constexpr int32_t kXTexto = 20, kYTexto = 60, kAnchoTexto = 460, kAltoTexto = 190, kAltoFuente = 24;
}  // namespace DisenoMensaje

// The language window, on picture 215.
namespace DisenoIdioma {
constexpr int32_t kXTitulo = 77;
constexpr int32_t kXEtiquetas = 50, kYEtiquetas = 60, kPasoEtiquetas = 30, kAltoFuente = 30;
constexpr int32_t kYBotones = 256, kXAceptar = 0, kXCancelar = 180;
}  // namespace DisenoIdioma

// The music window, on picture 214.
namespace DisenoMusica {
constexpr int32_t kXTitulo = 77;
constexpr int32_t kYBotones = 256, kXSalir = 0, kXSilencio = 180;
// Each volume: its indicator's corner and its slider's track, from the
// bottom (silent) up.
constexpr int32_t kXMaestro = 35, kYMaestro = 51, kXPistaMaestro = 69;
constexpr int32_t kXOndas = 155, kYOndas = 53, kXPistaOndas = 181;
constexpr int32_t kYPistaAbajo = 236, kYPistaArriba = 100;
// The four track buttons, one under another.
constexpr int32_t kXPistas = 100, kYPistas = 104, kPasoPistas = 34;
}  // namespace DisenoMusica

// The video panel, on picture 166: exit, replay and web buttons.
namespace DisenoPanel {
constexpr int32_t kXSalir = 0, kYSalir = 416;
constexpr int32_t kXRepetir = 296, kYRepetir = 378;
constexpr int32_t kXWeb = 196, kYWeb = 423;
}  // namespace DisenoPanel
