// COVTXT: a clickable text label drawn over its parent's background picture
// (so it looks transparent), with an optional drop shadow. It turns to its
// hover weight while the pointer is over it and, pressed, moves the text
// onto its shadow. It sizes itself to the wider and taller of its two
// fonts' extents, widened by any ink its first and last letters put outside
// them, plus the shadow offset, so no ink is cut and hovering never resizes
// it.
// Until it has a text, a face name and a background picture it is not
// ready: black and deaf to the mouse.
//
// Messages (value in lParam, wParam 0); set messages return 1 unless said.
// A value out of its range raises the assertion named and is kept anyway.
//   1324 / 1325  get / set enabled; disabling ends a press, no repaint
//   1326 / 1327  get / set the parent's background picture (HIMAGE, kept by
//                the sender); null (a picture that could not be had) takes
//                it away, makes the label unready and gives 0
//   1334 / 1335  get / set shadow on
//   1336 / 1337  get / set shadow colour (COLORREF, black)
//   1338 / 1339  get / set text colour (white)
//   1340 / 1341  get / set disabled text colour (RGB 160, 160, 164)
//   1342 / 1343  get / set shadow offset in pixels, 1..20 (2; "delay de la
//                sombra fuera de rango")
//   1344 / 1345  get / set font height, 0..400 (10; "Tamaño de fuente sale
//                del rango permitido")
//   1346 / 1347  get / set normal weight, 0..1000 (400; "tamaño de fuente
//                invalido")
//   1348 / 1349  get / set hover weight, 0..1000 (700; same assertion)
//   1350         copy the text out: wParam buffer size, lParam buffer; copies
//                the text with its terminator, cut to the buffer (then
//                without terminator); returns the bytes copied
//   1351         set text (1 to 199 characters; null: "Puntero al buffer de
//                texto invalido"; other lengths: "Este buffer probablemente
//                es invalido (¿no es NULL terminated?)"; refused with 0)
//   1352         set font face (0 to 99 characters, "" is the system's face;
//                null as above; longer: "Este buffer probablemente es
//                invalido (no es NULL terminated)", refused with 0)
//   any other message from 1324 to 1424 -> 1, does nothing
// Notifications (1324 to the parent; wParam code, lParam the label):
//   0 pressed, 1 released after a press, 2 pointer entered, 3 pointer left,
//   4 clicked.
#pragma once

#include <windows.h>

constexpr char kClaseEtiquetaTexto[] = "COVTXT";

constexpr UINT kMsgTextoObtenerSombra = 1334;
constexpr UINT kMsgTextoPonerSombra = 1335;
constexpr UINT kMsgTextoObtenerColorSombra = 1336;
constexpr UINT kMsgTextoPonerColorSombra = 1337;
constexpr UINT kMsgTextoObtenerColor = 1338;
constexpr UINT kMsgTextoPonerColor = 1339;
constexpr UINT kMsgTextoObtenerColorInactivo = 1340;
constexpr UINT kMsgTextoPonerColorInactivo = 1341;
constexpr UINT kMsgTextoObtenerDelaySombra = 1342;
constexpr UINT kMsgTextoPonerDelaySombra = 1343;
constexpr UINT kMsgTextoObtenerAltoFuente = 1344;
constexpr UINT kMsgTextoPonerAltoFuente = 1345;
constexpr UINT kMsgTextoObtenerPesoNormal = 1346;
constexpr UINT kMsgTextoPonerPesoNormal = 1347;
constexpr UINT kMsgTextoObtenerPesoSobre = 1348;
constexpr UINT kMsgTextoPonerPesoSobre = 1349;
constexpr UINT kMsgTextoCopiar = 1350;
constexpr UINT kMsgTextoPoner = 1351;
constexpr UINT kMsgTextoPonerFuente = 1352;

LRESULT CALLBACK ProcEtiquetaTexto(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
