#include "ResaltePista.h"

#include <algorithm>
#include <vector>

#include "Escala.h"
#include "ObjetosGDI.h"
#include "Puzzle.h"
#include "TableroPuzzle.h"
#include "VistaMesa.h"

namespace {

constexpr UINT kDuracion = 1000;   // ms
constexpr UINT kEspera = 100;      // ms between looks while a drag goes on
constexpr int kBorde = 2;          // the outline's width, designed pixels
// Brass, as the interface's fittings; the pieces lighten towards cream.
constexpr uint8_t kLaton[3] = {39, 162, 201};  // blue, green, red
constexpr uint8_t kCrema[3] = {200, 240, 255};

UINT_PTR g_temporizador = 0;
HWND g_mesa = nullptr;
RECT g_area{};     // on the table
RECT g_ventana{};  // on its window

void CALLBACK AlTerminar(HWND, UINT, UINT_PTR, DWORD);

// The pixels of the area as the table shows them, the group lightened and
// ringed, top-down 32-bit rows.
std::vector<uint32_t> Pintar(const std::vector<int32_t>& grupo) {
  Board& mesa = puzzle.boards[kTable];
  const int32_t izquierda = g_area.left, arriba = g_area.top, derecha = g_area.right, abajo = g_area.bottom;
  const int32_t w = derecha - izquierda, h = abajo - arriba;
  std::vector<uint8_t> dentro(static_cast<size_t>(w) * h, 0);
  for (int32_t p : grupo) {
    const PieceRecord& r = puzzle.pieces[p];
    for (int32_t py = std::max(0, arriba - r.y); py < puzzle.boxH && r.y + py < abajo; ++py)
      for (int32_t px = std::max(0, izquierda - r.x); px < puzzle.boxW && r.x + px < derecha; ++px)
        if (*puzzle.SheetPixel(p, px, py) == 1)
          dentro[static_cast<size_t>(r.y + py - arriba) * w + (r.x + px - izquierda)] = 1;
  }
  // The ring: whatever lies within kBorde of the group, in rows then columns.
  const int32_t d = Esc(kBorde);
  std::vector<uint8_t> filas(dentro.size(), 0), cerca(dentro.size(), 0);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if (dentro[static_cast<size_t>(y) * w + x])
        for (int32_t k = std::max(0, x - d); k <= std::min(w - 1, x + d); ++k) filas[static_cast<size_t>(y) * w + k] = 1;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x)
      if (filas[static_cast<size_t>(y) * w + x])
        for (int32_t k = std::max(0, y - d); k <= std::min(h - 1, y + d); ++k) cerca[static_cast<size_t>(k) * w + x] = 1;

  std::vector<uint32_t> pixeles(dentro.size());
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* fila = mesa.Row(arriba + y) + static_cast<int64_t>(izquierda) * 3;
    for (int32_t x = 0; x < w; ++x, fila += 3) {
      const size_t i = static_cast<size_t>(y) * w + x;
      uint8_t c[3] = {fila[0], fila[1], fila[2]};
      if (dentro[i])
        for (int k = 0; k < 3; ++k) c[k] = static_cast<uint8_t>(c[k] + (kCrema[k] - c[k]) * 2 / 5);
      else if (cerca[i])
        for (int k = 0; k < 3; ++k) c[k] = kLaton[k];
      pixeles[i] = static_cast<uint32_t>(c[0]) | static_cast<uint32_t>(c[1]) << 8 | static_cast<uint32_t>(c[2]) << 16;
    }
  }
  return pixeles;
}

void Temporizar(UINT ms) {
  g_temporizador = SetTimer(nullptr, g_temporizador, ms, AlTerminar);
}

// A drag reads the screen under its sprite: the table repaints once the
// drag is over, so that no lightened pixel it carried stays behind.
void CALLBACK AlTerminar(HWND, UINT, UINT_PTR, DWORD) {
  if (GetCapture() && g_mesa && IsWindow(g_mesa)) {
    Temporizar(kEspera);
    return;
  }
  TerminarResaltePista();
}

}  // namespace

void ResaltarPista() {
  TerminarResaltePista();
  HWND mesa = VentanaTablero(kTable);
  const Board& b = puzzle.boards[kTable];
  if (!mesa || !puzzle.Exists() || puzzle.finished || b.count == 0 || !b.HasImage()) return;
  const int32_t frente = puzzle.order[b.first];
  const int32_t g = puzzle.pieces[frente].group;
  std::vector<int32_t> grupo;
  for (int32_t i = b.first; i < b.first + b.count; ++i) {
    const int32_t p = puzzle.order[i];
    if (p == frente || (g != 0 && puzzle.pieces[p].group == g)) grupo.push_back(p);
  }
  Punto pos, tam;
  RunBounds(b.first, 1, &pos, &tam);
  for (int32_t p : grupo) {
    const PieceRecord& r = puzzle.pieces[p];
    const int32_t x1 = std::max(pos.x + tam.x, r.x + puzzle.boxW), y1 = std::max(pos.y + tam.y, r.y + puzzle.boxH);
    pos = {std::min(pos.x, r.x), std::min(pos.y, r.y)};
    tam = {x1 - pos.x, y1 - pos.y};
  }
  const int32_t d = Esc(kBorde);
  g_area = {std::max(0, pos.x - d), std::max(0, pos.y - d), std::min(b.Width(), pos.x + tam.x + d),
            std::min(b.Height(), pos.y + tam.y + d)};
  if (g_area.right <= g_area.left || g_area.bottom <= g_area.top) return;
  g_mesa = mesa;
  const LONG w = g_area.right - g_area.left, h = g_area.bottom - g_area.top;
  // On a table larger than its window the view goes to where the piece went.
  if (!VistaPlana()) MostrarRectMesa({g_area.left, g_area.top, w, h});
  // The join's own repaint first, or it would paint over the highlight.
  UpdateWindow(mesa);
  const std::vector<uint32_t> pixeles = Pintar(grupo);
  BITMAPINFO bi{};
  if (VistaPlana()) {
    g_ventana = g_area;
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DCVentana dc(mesa);
    SetDIBitsToDevice(dc.Get(), g_area.left, g_area.top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0,
                      static_cast<UINT>(h), pixeles.data(), &bi, DIB_RGB_COLORS);
  } else {
    // The highlighted area at the view's scale, over the window it shows in.
    const Vista& v = VistaMesa();
    std::vector<uint8_t> bgr(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < pixeles.size(); ++i)
      for (int k = 0; k < 3; ++k) bgr[i * 3 + static_cast<size_t>(k)] = static_cast<uint8_t>(pixeles[i] >> (8 * k));
    const RectMesa r = RectAVentana(v, {g_area.left, g_area.top, w, h});
    const LONG x0 = std::max(0L, static_cast<LONG>(r.x)), y0 = std::max(0L, static_cast<LONG>(r.y));
    const LONG x1 = std::min(static_cast<LONG>(v.ancho), static_cast<LONG>(r.x + r.ancho));
    const LONG y1 = std::min(static_cast<LONG>(v.alto), static_cast<LONG>(r.y + r.alto));
    if (x1 <= x0 || y1 <= y0) return;
    // Window pixels at the area's rim show some table beside it: that part
    // comes from the table itself.
    const RectMesa dentro{x0, y0, x1 - x0, y1 - y0};
    const RectMesa t = RectAMesa(v, dentro);
    const Board& tablero = puzzle.boards[kTable];
    std::vector<uint8_t> trozo(static_cast<size_t>(t.ancho) * t.alto * 3);
    for (int32_t y = 0; y < t.alto; ++y)
      for (int32_t x = 0; x < t.ancho; ++x) {
        const int32_t tx = std::clamp(t.x + x, 0, tablero.Width() - 1), ty = std::clamp(t.y + y, 0, tablero.Height() - 1);
        const bool enArea = tx >= g_area.left && tx < g_area.right && ty >= g_area.top && ty < g_area.bottom;
        const uint8_t* src = enArea ? &bgr[(static_cast<size_t>(ty - g_area.top) * w + (tx - g_area.left)) * 3]
                                    : tablero.Image().Fila(ty) + static_cast<int64_t>(tx) * 3;
        std::copy_n(src, 3, &trozo[(static_cast<size_t>(y) * t.ancho + x) * 3]);
      }
    const int32_t paso = (dentro.ancho * 3 + 3) & ~3;
    std::vector<uint8_t> ventana(static_cast<size_t>(paso) * dentro.alto);
    CopiasReducidas().Pintar({trozo.data(), t.ancho * 3, t.ancho, t.alto, t.x, t.y}, v, dentro, ventana.data(), paso,
                             0);
    g_ventana = {x0, y0, x1, y1};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), paso / 3, -dentro.alto, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    DCVentana dc(mesa);
    SetDIBitsToDevice(dc.Get(), x0, y0, static_cast<DWORD>(dentro.ancho), static_cast<DWORD>(dentro.alto), 0, 0, 0,
                      static_cast<UINT>(dentro.alto), ventana.data(), &bi, DIB_RGB_COLORS);
  }
  Temporizar(kDuracion);
}

void TerminarResaltePista() {
  if (g_temporizador) KillTimer(nullptr, g_temporizador);
  g_temporizador = 0;
  if (g_mesa && IsWindow(g_mesa)) InvalidateRect(g_mesa, &g_ventana, FALSE);
  g_mesa = nullptr;
}

bool ResaltePistaActivo() { return g_temporizador != 0; }

RECT AreaResaltePista() { return g_area; }
