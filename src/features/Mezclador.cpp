#include "Mezclador.h"

#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Verificar.h"

namespace {

HMIXER g_mixer = nullptr;
bool g_abierto = false;

bool Iniciado() { return !Verificar(!g_abierto, "se debe inicializar el mixer primero"); }

HMIXEROBJ Objeto() { return reinterpret_cast<HMIXEROBJ>(g_mixer); }

// The control `id`, when it is a fader with a range, and the channels of
// its line.
bool Fader(DWORD id, MIXERCONTROLA* control, DWORD* canales) {
  MIXERLINECONTROLSA controles{};
  controles.cbStruct = sizeof controles;
  controles.dwControlID = id;
  controles.cControls = 1;
  controles.cbmxctrl = sizeof *control;
  controles.pamxctrl = control;
  *control = {};
  control->cbStruct = sizeof *control;
  if (!g_mixer || id == kSinMixer ||
      mixerGetLineControlsA(Objeto(), &controles, MIXER_GETLINECONTROLSF_ONEBYID | MIXER_OBJECTF_HMIXER) !=
          MMSYSERR_NOERROR)
    return false;
  // Some drivers hand back another number here: the control is the one asked for.
  control->dwControlID = id;
  MIXERLINEA linea{};
  linea.cbStruct = sizeof linea;
  linea.dwLineID = controles.dwLineID;
  *canales = mixerGetLineInfoA(Objeto(), &linea, MIXER_GETLINEINFOF_LINEID | MIXER_OBJECTF_HMIXER) == MMSYSERR_NOERROR
                 ? std::clamp<DWORD>(linea.cChannels, 1, 8)
                 : 1;
  return (control->dwControlType & MIXERCONTROL_CT_CLASS_MASK) == MIXERCONTROL_CT_CLASS_FADER &&
         control->Bounds.dwMinimum < control->Bounds.dwMaximum;
}

// The values of every channel of the line (one per item of a control with
// several): some drivers answer a single channel with 0 even for a control
// that is the same on all of them.
struct Valores {
  Valores(const MIXERCONTROLA& control, DWORD canales)
      : items((control.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) ? control.cMultipleItems : 0),
        valores(static_cast<size_t>(std::max<DWORD>(items, 1)) * canales) {
    detalles.cbStruct = sizeof detalles;
    detalles.dwControlID = control.dwControlID;
    detalles.cChannels = canales;
    detalles.cMultipleItems = items;
    detalles.cbDetails = sizeof(MIXERCONTROLDETAILS_UNSIGNED);
    detalles.paDetails = valores.data();
  }
  DWORD items;
  std::vector<MIXERCONTROLDETAILS_UNSIGNED> valores;
  MIXERCONTROLDETAILS detalles{};
};

}  // namespace

bool AbrirMixer(HWND ventana) {
  const MMRESULT r = mixerOpen(&g_mixer, 0, reinterpret_cast<DWORD_PTR>(ventana), 0,
                               ventana ? CALLBACK_WINDOW : 0);
  if (r != MMSYSERR_NOERROR) g_mixer = nullptr;
  g_abierto = true;
  return r == MMSYSERR_NOERROR;
}

bool CerrarMixer() {
  if (!Iniciado()) return false;
  g_abierto = false;
  if (!g_mixer) return false;
  const bool bien = mixerClose(g_mixer) == MMSYSERR_NOERROR;
  g_mixer = nullptr;
  return bien;
}

DWORD LineaMixer(DWORD tipoComponente) {
  if (!Iniciado() || !g_mixer) return kSinMixer;
  MIXERLINEA linea{};
  linea.cbStruct = sizeof linea;
  linea.dwComponentType = tipoComponente;
  if (mixerGetLineInfoA(Objeto(), &linea, MIXER_GETLINEINFOF_COMPONENTTYPE | MIXER_OBJECTF_HMIXER) ==
          MMSYSERR_NOERROR &&
      linea.dwComponentType == tipoComponente)
    return linea.dwLineID;
  // Some drivers answer the search without an answer: every destination
  // and its sources are looked at instead.
  MIXERCAPSA caps{};
  if (mixerGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR) return kSinMixer;
  for (DWORD d = 0; d < caps.cDestinations; ++d) {
    MIXERLINEA destino{};
    destino.cbStruct = sizeof destino;
    destino.dwDestination = d;
    if (mixerGetLineInfoA(Objeto(), &destino, MIXER_GETLINEINFOF_DESTINATION | MIXER_OBJECTF_HMIXER) != MMSYSERR_NOERROR)
      continue;
    if (destino.dwComponentType == tipoComponente) return destino.dwLineID;
    for (DWORD f = 0; f < destino.cConnections; ++f) {
      MIXERLINEA fuente{};
      fuente.cbStruct = sizeof fuente;
      fuente.dwDestination = d;
      fuente.dwSource = f;
      if (mixerGetLineInfoA(Objeto(), &fuente, MIXER_GETLINEINFOF_SOURCE | MIXER_OBJECTF_HMIXER) == MMSYSERR_NOERROR &&
          fuente.dwComponentType == tipoComponente)
        return fuente.dwLineID;
    }
  }
  return kSinMixer;
}

DWORD ControlMixer(DWORD linea, DWORD tipo) {
  if (!Iniciado() || !g_mixer || linea == kSinMixer) return kSinMixer;
  MIXERLINEA info{};
  info.cbStruct = sizeof info;
  info.dwLineID = linea;
  if (mixerGetLineInfoA(Objeto(), &info, MIXER_GETLINEINFOF_LINEID | MIXER_OBJECTF_HMIXER) != MMSYSERR_NOERROR ||
      info.cControls == 0)
    return kSinMixer;
  // Every control of the line, and the one of the type asked for.
  std::vector<MIXERCONTROLA> controles(info.cControls);
  for (MIXERCONTROLA& c : controles) c.cbStruct = sizeof c;
  MIXERLINECONTROLSA pedido{};
  pedido.cbStruct = sizeof pedido;
  pedido.dwLineID = linea;
  pedido.cControls = info.cControls;
  pedido.cbmxctrl = sizeof(MIXERCONTROLA);
  pedido.pamxctrl = controles.data();
  if (mixerGetLineControlsA(Objeto(), &pedido, MIXER_GETLINECONTROLSF_ALL | MIXER_OBJECTF_HMIXER) != MMSYSERR_NOERROR)
    return kSinMixer;
  for (const MIXERCONTROLA& c : controles)
    if (c.dwControlType == tipo) return c.dwControlID;
  return kSinMixer;
}

int32_t LeerVolumen(DWORD id) {
  if (!Iniciado()) return 50;
  MIXERCONTROLA control;
  DWORD canales = 1;
  if (!Fader(id, &control, &canales)) return 50;
  Valores v(control, canales);
  if (mixerGetControlDetailsA(Objeto(), &v.detalles, MIXER_GETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER) !=
      MMSYSERR_NOERROR)
    return 50;
  const double rango = static_cast<double>(control.Bounds.dwMaximum) - control.Bounds.dwMinimum;
  const double valor = static_cast<double>(v.valores[0].dwValue) - control.Bounds.dwMinimum;
  return static_cast<int32_t>(valor * 100 / rango);
}

bool PonerVolumen(DWORD id, int32_t porcentaje) {
  if (!Iniciado() || porcentaje < 0 || porcentaje > 100) return false;
  MIXERCONTROLA control;
  DWORD canales = 1;
  if (!Fader(id, &control, &canales)) return false;
  Valores v(control, canales);
  for (auto& valor : v.valores)
    valor.dwValue = ValorVolumen(control.Bounds.dwMinimum, control.Bounds.dwMaximum, control.Metrics.cSteps, porcentaje);
  return mixerSetControlDetails(Objeto(), &v.detalles, MIXER_SETCONTROLDETAILSF_VALUE | MIXER_OBJECTF_HMIXER) == MMSYSERR_NOERROR;
}

DWORD ValorVolumen(DWORD minimo, DWORD maximo, DWORD pasos, int32_t porcentaje) {
  const double rango = static_cast<double>(maximo) - minimo;
  const double v = porcentaje * rango / 100;
  auto Crudo = [&](double x) { return static_cast<DWORD>(std::fmin(static_cast<double>(maximo), minimo + std::trunc(x))); };
  if (pasos <= 1) return Crudo(v);
  // The control's own steps: the one that reads back as the same
  // percentage when there is one (the slider then stays where it was put),
  // else the nearest.
  const double paso = rango / (pasos - 1);
  for (const double x : {std::ceil(v / paso) * paso, std::floor(v / paso) * paso})
    if (static_cast<int32_t>(std::trunc(x) * 100 / rango) == porcentaje) return Crudo(x);
  return Crudo(std::round(v / paso) * paso);
}
