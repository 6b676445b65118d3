#include "ReproductorCD.h"

#include <string>

#include "Globales.h"

namespace {
int32_t g_pista = 0;  // the track opened last
}  // namespace

namespace {

MCIDEVICEID g_dispositivo = 0;
bool g_archivo = false;  // the wave file stands in for the disc
int32_t g_vueltas = 0;    // times the track started again at its end

DWORD Enviar(UINT comando, DWORD banderas, void* parametros) {
  return mciSendCommandA(g_dispositivo, comando, banderas, reinterpret_cast<DWORD_PTR>(parametros));
}

// Tracks, minutes, seconds, frames: the track in the lowest byte.
DWORD Posicion(int32_t pista) { return MCI_MAKE_TMSF(pista, 0, 0, 0); }

bool AbrirDisco() {
  MCI_OPEN_PARMSA abrir{};
  abrir.lpstrDeviceType = reinterpret_cast<LPCSTR>(static_cast<DWORD_PTR>(MCI_DEVTYPE_CD_AUDIO));
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&abrir)))
    return false;
  g_dispositivo = abrir.wDeviceID;
  g_archivo = false;
  MCI_SET_PARMS formato{};
  formato.dwTimeFormat = MCI_FORMAT_TMSF;
  Enviar(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &formato);
  return true;
}

bool AbrirArchivo() {
  const std::string ruta = arranque.carpeta + "Music\\" + std::to_string(g_pista) + ".wav";
  MCI_OPEN_PARMSA abrir{};
  abrir.lpstrDeviceType = "waveaudio";
  abrir.lpstrElementName = ruta.c_str();
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&abrir)))
    return false;
  g_dispositivo = abrir.wDeviceID;
  g_archivo = true;
  return true;
}

// Plays to the end of the track (the wave file, or one disc track; the last
// two tracks play on to the end of the disc) from `desde`, or from where the
// device stands.
void Tocar(bool desde) {
  MCI_PLAY_PARMS tocar{};
  tocar.dwCallback = reinterpret_cast<DWORD_PTR>(ventanaPrincipal);
  DWORD banderas = MCI_NOTIFY;
  if (g_archivo) {
    if (desde) banderas |= MCI_FROM;
  } else {
    if (desde) {
      tocar.dwFrom = Posicion(g_pista + 1);
      banderas |= MCI_FROM;
    }
    if (g_pista < 3) {
      tocar.dwTo = Posicion(g_pista + 2);
      banderas |= MCI_TO;
    }
  }
  Enviar(MCI_PLAY, banderas, &tocar);
}

}  // namespace

void AbrirCD(int32_t pista) {
  CerrarCD();
  g_pista = pista;
  if (AbrirDisco() || AbrirArchivo()) ReproducirPista();
}

void ReproducirPista() {
  if (!g_dispositivo) return;
  Enviar(MCI_STOP, MCI_WAIT, nullptr);
  Tocar(true);
}

void PausarCD() {
  if (g_dispositivo) Enviar(MCI_PAUSE, MCI_WAIT, nullptr);
}

void ReanudarCD() {
  if (g_dispositivo) Tocar(false);
}

void CerrarCD() {
  if (!g_dispositivo) return;
  Enviar(MCI_STOP, MCI_WAIT, nullptr);
  Enviar(MCI_CLOSE, MCI_WAIT, nullptr);
  g_dispositivo = 0;
  g_archivo = false;
}

MCIDEVICEID DispositivoCD() { return g_dispositivo; }
bool MusicaDeArchivo() { return g_archivo; }
int32_t VueltasPista() { return g_vueltas; }

void FinDePista(WPARAM resultado, LPARAM dispositivo) {
  if (resultado != MCI_NOTIFY_SUCCESSFUL || !g_dispositivo || static_cast<MCIDEVICEID>(dispositivo) != g_dispositivo)
    return;
  ++g_vueltas;
  ReproducirPista();
}

int32_t PistaCD() { return g_pista; }
