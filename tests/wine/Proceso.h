// Starting the real program from a test and finding its windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A Unix path handed in by CTest, as Wine sees it (drive Z: is the root).
inline std::string RutaWindows(std::string ruta) {
  if (!ruta.empty() && ruta[0] == '/') ruta = "Z:" + ruta;
  for (char& c : ruta)
    if (c == '/') c = '\\';
  return ruta;
}

class Proceso {
 public:
  explicit Proceso(const std::string& programa) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string linea = "\"" + programa + "\"";
    iniciado_ = CreateProcessA(programa.c_str(), linea.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                               &pi_) != 0;
  }
  ~Proceso() {
    if (!iniciado_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  Proceso(const Proceso&) = delete;
  Proceso& operator=(const Proceso&) = delete;

  bool Iniciado() const { return iniciado_; }

  // The first visible top-level window of the process with this class
  // ("#32770" for dialogs), waiting up to `ms`.
  HWND EsperarVentana(const char* clase, DWORD ms = 20000) const {
    for (DWORD t = 0; t < ms; t += 50) {
      Busqueda b{pi_.dwProcessId, clase, nullptr};
      EnumWindows(&Visitar, reinterpret_cast<LPARAM>(&b));
      if (b.encontrada) return b.encontrada;
      if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
  }

  // Every top-level window of the process, as "class 'title' visible"
  // lines, and whether it still runs: what a failed wait reports.
  std::string Ventanas() const {
    struct Lista {
      DWORD pid;
      std::string texto;
    } l{pi_.dwProcessId, {}};
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
          auto* lista = reinterpret_cast<Lista*>(p);
          DWORD pid = 0;
          GetWindowThreadProcessId(h, &pid);
          if (pid != lista->pid) return TRUE;
          char clase[64] = "", titulo[128] = "";
          GetClassNameA(h, clase, sizeof clase);
          GetWindowTextA(h, titulo, sizeof titulo);
          lista->texto += std::string(clase) + " '" + titulo + "'" + (IsWindowVisible(h) ? " visible\n" : " hidden\n");
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&l));
    const bool vivo = WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
    return (vivo ? "running, windows:\n" : "ended, windows:\n") + l.texto;
  }

  // Exit code, or -1 when it did not end within `ms`.
  long EsperarFin(DWORD ms = 20000) const {
    if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD codigo = 0;
    GetExitCodeProcess(pi_.hProcess, &codigo);
    return static_cast<long>(codigo);
  }

 private:
  struct Busqueda {
    DWORD pid;
    const char* clase;
    HWND encontrada;
  };
  static BOOL CALLBACK Visitar(HWND hwnd, LPARAM param) {
    auto* b = reinterpret_cast<Busqueda*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char clase[64] = "";
    GetClassNameA(hwnd, clase, sizeof clase);
    if (pid == b->pid && IsWindowVisible(hwnd) && lstrcmpiA(clase, b->clase) == 0) {
      b->encontrada = hwnd;
      return FALSE;
    }
    return TRUE;
  }

  PROCESS_INFORMATION pi_{};
  bool iniciado_ = false;
};

// The client area in screen coordinates.
inline RECT ClienteEnPantalla(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A window's text once it is not empty (a dialog may show before its text
// is put in), waiting up to `ms`.
inline std::string EsperarTexto(HWND hwnd, DWORD ms = 5000) {
  char texto[512] = "";
  for (DWORD t = 0; t <= ms && IsWindow(hwnd); t += 20) {
    if (GetWindowTextA(hwnd, texto, sizeof texto) > 0) break;
    Sleep(20);
  }
  return texto;
}

inline std::string TextoVentana(HWND hwnd) {
  char texto[512] = "";
  GetWindowTextA(hwnd, texto, sizeof texto);
  return texto;
}
