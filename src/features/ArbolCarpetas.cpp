#include "ArbolCarpetas.h"

#include <memory>
#include <type_traits>

#include "Escala.h"
#include "Verificar.h"

namespace {

constexpr char kClase[] = "CWNDFILEMAN";
constexpr int kBytesVentana = 16;

struct BorrarLista {
  void operator()(HIMAGELIST lista) const { ImageList_Destroy(lista); }
};
using ListaIconos = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, BorrarLista>;

bool g_registrada = false;
ListaIconos g_iconos;

}  // namespace

bool FileViewRegister(HINSTANCE instancia, int primerIcono, int tiposArchivo) {
  bool registrada = false;
  if (!Verificar(g_registrada, "esta funcion solo debe ser llamada una vez por Aplicacion (en el WinMain)")) {
    g_registrada = true;
    INITCOMMONCONTROLSEX controles{sizeof controles, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controles);
    WNDCLASSA clase{};
    clase.lpfnWndProc = DefWindowProcA;
    clase.cbWndExtra = kBytesVentana;
    clase.hInstance = instancia;
    clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    clase.lpszClassName = kClase;
    registrada = RegisterClassA(&clase) != 0;
  }
  // A list made again replaces the old one rather than leaking it.
  const int iconos = tiposArchivo + 8;
  g_iconos.reset(ImageList_Create(Esc(16), Esc(16), ILC_COLORDDB, tiposArchivo + 9, 0));
  if (!g_iconos) return registrada;
  ImageList_SetBkColor(g_iconos.get(), RGB(255, 255, 255));
  for (int i = 0; i < iconos; ++i)
    if (HICON icono = LoadIconA(instancia, MAKEINTRESOURCEA(primerIcono + i))) ImageList_AddIcon(g_iconos.get(), icono);
  return registrada;
}

HIMAGELIST IconosArbolCarpetas() { return g_iconos.get(); }
