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

// The control `id`, when it is a fader with a range.
bool Fader(DWORD id, MIXERCONTROLA* control) {
  MIXERLINECONTROLSA controles{};
  controles.cbStruct = sizeof controles;
  controles.dwControlID = id;
  controles.cControls = 1;
  controles.cbmxctrl = sizeof *control;
  controles.pamxctrl = control;
  *control = {};
  control->cbStruct = sizeof *control;
  if (!g_mixer || mixerGetLineControlsA(Objeto(), &controles, MIXER_GETLINECONTROLSF_ONEBYID) != MMSYSERR_NOERROR)
    return false;
  return (control->dwControlType & MIXERCONTROL_CT_CLASS_MASK) == MIXERCONTROL_CT_CLASS_FADER &&
         control->Bounds.dwMinimum < control->Bounds.dwMaximum;
}

// One channel's values: one per item of a control with several.
struct Valores {
  explicit Valores(const MIXERCONTROLA& control)
      : items((control.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) ? control.cMultipleItems : 0),
        valores(std::max<DWORD>(items, 1)) {
    detalles.cbStruct = sizeof detalles;
    detalles.dwControlID = control.dwControlID;
    detalles.cChannels = 1;
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
  if (!Iniciado() || !g_mixer) return 0;
  MIXERLINEA linea{};
  linea.cbStruct = sizeof linea;
  linea.dwComponentType = tipoComponente;
  if (mixerGetLineInfoA(Objeto(), &linea, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return 0;
  return linea.dwLineID;
}

DWORD ControlMixer(DWORD linea, DWORD tipo) {
  if (!Iniciado() || !g_mixer) return 0;
  MIXERCONTROLA control{};
  control.cbStruct = sizeof control;
  MIXERLINECONTROLSA controles{};
  controles.cbStruct = sizeof controles;
  controles.dwLineID = linea;
  controles.dwControlType = tipo;
  controles.cControls = 1;
  controles.cbmxctrl = sizeof control;
  controles.pamxctrl = &control;
  if (mixerGetLineControlsA(Objeto(), &controles, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) return 0;
  return control.dwControlID;
}

int32_t LeerVolumen(DWORD id) {
  if (!Iniciado()) return 50;
  MIXERCONTROLA control;
  if (!Fader(id, &control)) return 50;
  Valores v(control);
  if (mixerGetControlDetailsA(Objeto(), &v.detalles, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) return 50;
  const double rango = static_cast<double>(control.Bounds.dwMaximum) - control.Bounds.dwMinimum;
  const double valor = static_cast<double>(v.valores[0].dwValue) - control.Bounds.dwMinimum;
  return static_cast<int32_t>(valor * 100 / rango);
}

bool PonerVolumen(DWORD id, int32_t porcentaje) {
  if (!Iniciado() || porcentaje < 0 || porcentaje > 100) return false;
  MIXERCONTROLA control;
  if (!Fader(id, &control)) return false;
  Valores v(control);
  for (auto& valor : v.valores)
    valor.dwValue = ValorVolumen(control.Bounds.dwMinimum, control.Bounds.dwMaximum, control.Metrics.cSteps, porcentaje);
  return mixerSetControlDetails(Objeto(), &v.detalles, MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
}

DWORD ValorVolumen(DWORD minimo, DWORD maximo, DWORD pasos, int32_t porcentaje) {
  const double rango = static_cast<double>(maximo) - minimo;
  double v = porcentaje * rango / 100;
  // To the nearest of the control's steps, when it has some.
  if (pasos > 1) {
    const double paso = rango / (pasos - 1);
    v = std::round(v / paso) * paso;
  }
  const double crudo = std::fmin(static_cast<double>(maximo), minimo + std::trunc(v));
  return static_cast<DWORD>(crudo);
}
