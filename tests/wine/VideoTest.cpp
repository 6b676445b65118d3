// The shipped videos beside the executable, played through MCI the way the
// video window plays them: open by file name, size, window, play to the end.
#include <windows.h>
#include <mmsystem.h>
#include <digitalv.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>

#include "Captura.h"

namespace {

struct Video {
  int modo;
  LONG ancho, alto;
  DWORD minimoMs, maximoMs;  // expected length
};

void PrintTo(const Video& v, std::ostream* os) { *os << "Video\\" << v.modo << ".avi"; }

constexpr Video kVideos[] = {
    {0, 480, 360, 4000, 12000},  // panel loop
    {1, 640, 480, 3000, 6000},   // puzzle finished
    {2, 640, 480, 4000, 7000},   // intro
};

std::string RutaVideo(int modo) {
  char ruta[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, ruta, MAX_PATH);
  std::string r = ruta;
  return r.substr(0, r.find_last_of('\\') + 1) + "Video\\" + std::to_string(modo) + ".avi";
}

// Records the MCI notifications it receives.
struct Receptor {
  HWND hwnd = nullptr;
  int avisos = 0;
  WPARAM resultado = 0;
  LPARAM dispositivo = 0;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MM_MCINOTIFY) {
      auto* r = reinterpret_cast<Receptor*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
      ++r->avisos;
      r->resultado = wp;
      r->dispositivo = lp;
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  Receptor() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PruebaVideo";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&wc);  // fails harmlessly when already registered
    hwnd = CreateWindowExA(0, "PruebaVideo", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 800, 600, nullptr, nullptr,
                           wc.hInstance, nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Receptor() { DestroyWindow(hwnd); }
  Receptor(const Receptor&) = delete;
  Receptor& operator=(const Receptor&) = delete;

  // Pumps messages until a notification arrives or `ms` pass.
  bool Esperar(DWORD ms) {
    const DWORD inicio = GetTickCount();
    while (avisos == 0 && GetTickCount() - inicio < ms) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
    }
    return avisos > 0;
  }
};

class Dispositivo {
 public:
  explicit Dispositivo(const std::string& ruta) {
    MCI_OPEN_PARMSA p{};
    p.lpstrElementName = ruta.c_str();
    error_ = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&p));
    if (error_ == 0) id_ = p.wDeviceID;
  }
  ~Dispositivo() {
    if (id_) mciSendCommandA(id_, MCI_CLOSE, MCI_WAIT, 0);
  }
  Dispositivo(const Dispositivo&) = delete;
  Dispositivo& operator=(const Dispositivo&) = delete;

  MCIDEVICEID Id() const { return id_; }
  std::string Error() const {
    char texto[256] = "";
    mciGetErrorStringA(error_, texto, sizeof texto);
    return std::to_string(error_) + " " + texto;
  }

 private:
  MCIDEVICEID id_ = 0;
  MCIERROR error_ = 0;
};

class VideoMCI : public ::testing::TestWithParam<Video> {};

TEST_P(VideoMCI, OpensSizesPlaysToTheEndAndNotifies) {
  const Video v = GetParam();
  const std::string ruta = RutaVideo(v.modo);
  ASSERT_NE(GetFileAttributesA(ruta.c_str()), INVALID_FILE_ATTRIBUTES) << ruta << " is missing";

  Receptor r;  // outlives the device, which draws into it
  ASSERT_NE(r.hwnd, nullptr);
  Dispositivo d(ruta);
  ASSERT_NE(d.Id(), 0u) << "cannot open " << ruta << ": " << d.Error();

  MCI_DGV_RECT_PARMS fuente{};
  ASSERT_EQ(mciSendCommandA(d.Id(), MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&fuente)),
            0u);
  EXPECT_EQ(fuente.rc.right - fuente.rc.left, v.ancho);
  EXPECT_EQ(fuente.rc.bottom - fuente.rc.top, v.alto);

  MCI_SET_PARMS formato{};
  formato.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  ASSERT_EQ(mciSendCommandA(d.Id(), MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&formato)),
            0u);
  MCI_STATUS_PARMS largo{};
  largo.dwItem = MCI_STATUS_LENGTH;
  ASSERT_EQ(mciSendCommandA(d.Id(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&largo)),
            0u);
  EXPECT_GE(largo.dwReturn, v.minimoMs);
  EXPECT_LE(largo.dwReturn, v.maximoMs);

  // Centred on the 800 x 600 window.
  MCI_DGV_PUT_PARMS destino{};
  destino.rc = {(800 - v.ancho) / 2, (600 - v.alto) / 2, v.ancho, v.alto};
  EXPECT_EQ(mciSendCommandA(d.Id(), MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT,
                            reinterpret_cast<DWORD_PTR>(&destino)),
            0u);
  MCI_DGV_WINDOW_PARMSA ventana{};
  ventana.hWnd = r.hwnd;
  const DWORD banderas = MCI_DGV_WINDOW_HWND | MCI_ANIM_WINDOW_ENABLE_STRETCH | MCI_WAIT;  // 0x00110002
  EXPECT_EQ(mciSendCommandA(d.Id(), MCI_WINDOW, banderas, reinterpret_cast<DWORD_PTR>(&ventana)), 0u);

  MCI_PLAY_PARMS juego{};
  juego.dwCallback = reinterpret_cast<DWORD_PTR>(r.hwnd);
  const DWORD inicio = GetTickCount();
  ASSERT_EQ(mciSendCommandA(d.Id(), MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&juego)), 0u);
  ASSERT_TRUE(r.Esperar(largo.dwReturn + 30000)) << "no notification after playing " << ruta;
  const DWORD duracion = GetTickCount() - inicio;
  EXPECT_EQ(r.resultado, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
  EXPECT_EQ(r.dispositivo, static_cast<LPARAM>(d.Id()));
  // A notification long before the end means the frames were not played.
  EXPECT_GE(duracion, largo.dwReturn * 3 / 4);

  // The last frame stays in the window: mostly not black.
  const RECT& c = destino.rc;  // left, top, width, height
  EXPECT_GT(Contar(r.hwnd, {c.left, c.top, c.left + c.right, c.top + c.bottom}, Claro), v.ancho * v.alto / 2)
      << "the frames were not drawn";

  MCI_STATUS_PARMS modo{};
  modo.dwItem = MCI_STATUS_MODE;
  mciSendCommandA(d.Id(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&modo));
  EXPECT_EQ(modo.dwReturn, static_cast<DWORD_PTR>(MCI_MODE_STOP));
}

INSTANTIATE_TEST_SUITE_P(Video, VideoMCI, ::testing::ValuesIn(kVideos),
                         [](const ::testing::TestParamInfo<Video>& i) { return "Mode" + std::to_string(i.param.modo); });

TEST(VideoMCIMissing, AMissingFileDoesNotOpen) {
  Dispositivo d(RutaVideo(9));
  EXPECT_EQ(d.Id(), 0u);
}

}  // namespace
