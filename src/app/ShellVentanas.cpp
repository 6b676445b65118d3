#include "ShellVentanas.h"

#include <windows.h>

#include "ComunVentanas.h"
#include "Controles.h"
#include "Lupa.h"
#include "FinPuzzle.h"
#include "PlanoMesa.h"
#include "Progreso.h"
#include "Puzzle.h"
#include "TableroPuzzle.h"
#include "VistaMesa.h"
#include "Titulo.h"

namespace {

bool g_silencio = false;
UINT_PTR g_reloj = 0;

void CALLBACK TickReloj(HWND, UINT, UINT_PTR, DWORD) { PuzzleClockTick(); }

// A piece box is the parent of its board.
HWND Caja(int box) {
  HWND tablero = VentanaTablero(box);
  return tablero ? GetParent(tablero) : nullptr;
}

class ShellVentanas final : public PuzzleShell {
 public:
  void InvalidateBoardRect(int board, int32_t x, int32_t y, int32_t w, int32_t h) override {
    if (HWND v = VentanaTablero(board)) {
      RECT r{x, y, x + w, y + h};
      if (board == kTable && !VistaPlana()) {
        const RectMesa m = RectAVentana(VistaMesa(), {x, y, w, h});
        r = {m.x, m.y, m.x + m.ancho, m.y + m.alto};
      }
      InvalidateRect(v, &r, FALSE);
    }
    if (board == kTable) MesaCambiadaPlano({x, y, w, h});
  }
  void UpdateBoard(int board) override {
    if (HWND v = VentanaTablero(board)) UpdateWindow(v);
  }
  void NotifyBoardParent(int board, int code) override {
    HWND v = VentanaTablero(board);
    if (v && !g_silencio) SendMessageA(GetParent(v), kMsgNotificacion, static_cast<WPARAM>(code), reinterpret_cast<LPARAM>(v));
  }
  void PlayFitSound() override { SonarClic(); }
  void PuzzleFinished() override {
    VerPuzzleResuelto();
    PuzzleTerminado();
  }
  void HideBox(int box) override {
    if (HWND c = Caja(box)) OcultarFlotante(c);
  }
  void ShowTime(uint32_t seconds, uint32_t hours, uint32_t minutes, uint32_t secs) override {
    MostrarTiempo(seconds, hours, minutes, secs);
  }
  void RefreshMagnifier() override {
    ActualizarLupa();
    ActualizarPlano();
  }
  void Progress(double fraction) override { AvanzarTrabajo(fraction); }
  void SetWaitCursor(bool wait) override { SetCursor(LoadCursorA(nullptr, wait ? IDC_WAIT : IDC_ARROW)); }
  void StartClockTimer() override {
    if (!g_reloj) g_reloj = SetTimer(nullptr, 0, 1000, TickReloj);
  }
  void KillClockTimer() override {
    if (g_reloj) KillTimer(nullptr, g_reloj);
    g_reloj = 0;
  }
  int32_t GetBoxName(int box, char* buffer, int32_t size) override {
    HWND c = Caja(box);
    if (!c || !buffer || size < 1) return 0;
    buffer[0] = 0;
    return static_cast<int32_t>(SendMessageA(c, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
  }
  void SetBoxName(int box, const char* name) override {
    if (HWND c = Caja(box)) SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
  }
};

ShellVentanas g_shell;

}  // namespace

void InstalarShellVentanas() { SetPuzzleShell(&g_shell); }

void SilenciarNotificaciones(bool silencio) { g_silencio = silencio; }
