// CWNDMUSICA: opened by the tools window's music button. Each slider drives
// one mixer fader and follows changes made elsewhere; a track button plays
// its track (the disc's, or the program's own) and is remembered in the
// settings file.
#include "Musica.h"

#include <array>
#include <memory>

#include "BotonCheck.h"
#include "ComunVentanas.h"
#include "Configuracion.h"
#include "Controles.h"
#include "Deslizador.h"
#include "DibujoHIMAGE.h"
#include "DisenoVentanas.h"
#include "Globales.h"
#include "Mensaje.h"
#include "Mezclador.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Proyector.h"
#include "ReproductorCD.h"

namespace {

using namespace DisenoMusica;

constexpr char kClase[] = "CWNDMUSICA";

constexpr uint32_t kImagenFondo = 214;
constexpr uint32_t kImagenTitulo = 2100;  // + language
constexpr uint32_t kImagenSalir = 212, kImagenSilencio = 213;
constexpr uint32_t kImagenPerilla = 507;
constexpr uint32_t kImagenMaestro = 503, kImagenOndas = 505;
constexpr uint32_t kImagenPista = 530;  // + track - 1
constexpr int kPistas = 4;
constexpr int kMaximo = 99;

constexpr DWORD kVolumen = MIXERCONTROL_CONTROLTYPE_VOLUME;
static_assert(kVolumen == 0x50030001);

// One volume: its slider, its indicator strip and where that is drawn.
struct Volumen {
  HWND deslizador = nullptr;
  std::unique_ptr<Proyector> indicador;
  POINT lugar{};
  DWORD control = kSinMixer;
};

struct Estado {
  HWND ventana = nullptr, padre = nullptr;
  std::unique_ptr<ControlDC> fondo, imagenSalir, imagenSilencio, imagenPerilla;
  std::array<std::unique_ptr<ControlDC>, kPistas> imagenPistas;
  std::array<HWND, kPistas> pistas{};
  int32_t pista = 0;  // the track chosen, 1 to 4 (0: none)
  Volumen maestro, ondas;
  DWORD controlCD = kSinMixer;  // looked up, not used
  HWND salir = nullptr, silencio = nullptr;
  bool sujetado = false;  // a slider is held: the mixer's news wait
  CicloDialogo ciclo{true};
};
Estado g;

LRESULT Enviar(HWND control, UINT msg, LPARAM valor) { return control ? SendMessageA(control, msg, 0, valor) : 0; }
LPARAM Punto16(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

DWORD ControlDeVolumen(DWORD tipoComponente) { return ControlMixer(LineaMixer(tipoComponente), kVolumen); }

void Indicador(Volumen& v, int cuadro) {
  if (v.indicador) v.indicador->TransparenciaParcial(cuadro, v.lugar.x, v.lugar.y, true, false, false, ROP_SRCCOPY);
}

void CrearVolumen(HWND hwnd, Volumen& v, uint32_t imagen, POINT lugar, int xPista, DWORD control) {
  v.control = control;
  v.lugar = lugar;
  // Without the background or its strip (pictures that could not be had)
  // the volume shows no indicator.
  v.indicador.reset();
  if (HIMAGE fondo = ImagenDe(g.fondo)) {
    auto indicador = std::make_unique<Proyector>();
    indicador->Destino(fondo);
    indicador->Destino(hwnd);
    indicador->CambiarNumFil(2);
    if (indicador->Cargar(imagen, false, EscalaInterfaz())) v.indicador = std::move(indicador);
  }

  HWND d = CrearControl(kClaseDeslizador, hwnd, 0, 0, 0, nullptr);
  Enviar(d, kMsgDeslPonerFilas, 1);
  Enviar(d, kMsgDeslPonerColumnas, 1);
  Enviar(d, kMsgDeslPonerInicio, Punto16(Esc(xPista), Esc(kYPistaAbajo)));
  Enviar(d, kMsgDeslPonerFin, Punto16(Esc(xPista), Esc(kYPistaArriba)));
  Enviar(d, kMsgDeslPonerFondo, reinterpret_cast<LPARAM>(ImagenDe(g.fondo)));
  Enviar(d, kMsgDeslPonerTira, reinterpret_cast<LPARAM>(ImagenDe(g.imagenPerilla)));
  Enviar(d, kMsgDeslPonerMaximo, kMaximo);
  // Every percentage can show: 100 % as 99, 37 % as 37.
  Enviar(d, kMsgDeslPonerPaso, 1);
  Enviar(d, kMsgDeslPonerPosicion, 50);
  Enviar(d, kMsgDeslPonerCuadro, 0);
  Enviar(d, kMsgDeslPonerPosicion, std::min(LeerVolumen(control), kMaximo));
  v.deslizador = d;
}

void MarcarPista() {
  for (int k = 0; k < kPistas; ++k) Enviar(g.pistas[static_cast<size_t>(k)], kMsgCheckPonerMarcado, g.pista == k + 1);
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  g.sujetado = false;
  AbrirMixer(hwnd);
  const DWORD maestro = ControlDeVolumen(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS);
  const DWORD ondas = ControlDeVolumen(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT);
  g.controlCD = ControlDeVolumen(MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC);

  if (auto titulo = CargarImagenArchivo(kImagenTitulo + static_cast<uint32_t>(idioma)); ImagenDe(titulo) && ImagenDe(g.fondo))
    TransferirHIMAGE(ImagenDe(g.fondo), Esc(kXTitulo), 0, AnchoImagen(titulo), AltoImagen(titulo), titulo->Imagen(),
                     0, 0, ROP_SRCCOPY);
  g.imagenSalir = CargarImagenArchivo(kImagenSalir);
  g.salir = CrearControl("COVCOMMAND", hwnd, Esc(kXSalir), Esc(kYBotones), 0, ImagenDe(g.imagenSalir));
  g.imagenSilencio = CargarImagenArchivo(kImagenSilencio);
  g.silencio = CrearControl("COVCOMMAND", hwnd, Esc(kXSilencio), Esc(kYBotones), 0, ImagenDe(g.imagenSilencio));

  g.imagenPerilla = CargarImagenArchivo(kImagenPerilla);
  CrearVolumen(hwnd, g.maestro, kImagenMaestro, {Esc(kXMaestro), Esc(kYMaestro)}, kXPistaMaestro, maestro);
  CrearVolumen(hwnd, g.ondas, kImagenOndas, {Esc(kXOndas), Esc(kYOndas)}, kXPistaOndas, ondas);

  g.pista = LeerPistaConfigurada();
  for (int k = 0; k < kPistas; ++k) {
    auto& imagen = g.imagenPistas[static_cast<size_t>(k)];
    imagen = CargarImagenArchivo(kImagenPista + static_cast<uint32_t>(k));
    HWND b = CrearControl(kClaseBotonCheck, hwnd, Esc(kXPistas), Esc(kYPistas + kPasoPistas * k), 0, nullptr);
    Enviar(b, kMsgCheckPonerOpcion, 1);
    Enviar(b, kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(imagen)));
    g.pistas[static_cast<size_t>(k)] = b;
  }
  MarcarPista();

  Indicador(g.maestro, 0);
  Indicador(g.ondas, 0);
  return 0;
}

// Track k + 1: a new one, or the current one while nothing plays, starts.
void ElegirPista(int k) {
  if (g.pista == k + 1 && DispositivoCD()) return;
  g.pista = k + 1;
  MarcarPista();
  AbrirCD(g.pista);
  if (!GuardarPista(g.pista)) MostrarMensaje(kTextoConfiguracionNoGuardada, g.ventana, nullptr, false);
}

void OnVolumen(Volumen& v, int codigo) {
  switch (codigo) {
    case kNotifPresionado:
      g.sujetado = true;
      Indicador(v, 1);
      break;
    case kNotifSoltado:
      g.sujetado = false;
      Indicador(v, 0);
      break;
    case kNotifActivado: {
      const auto posicion = static_cast<int32_t>(Enviar(v.deslizador, kMsgDeslObtenerPosicion, 0));
      Enviar(v.deslizador, kMsgDeslPonerCuadro, 0);
      PonerVolumen(v.control, posicion);
      break;
    }
    default: break;
  }
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (control == g.maestro.deslizador) return OnVolumen(g.maestro, codigo), 0;
  if (control == g.ondas.deslizador) return OnVolumen(g.ondas, codigo), 0;
  if (codigo != kNotifActivado) return 0;
  if (control == g.salir) {
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  } else if (control == g.silencio) {
    CerrarCD();
    MarcarPista();
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  } else {
    for (int k = 0; k < kPistas; ++k)
      if (control == g.pistas[static_cast<size_t>(k)]) ElegirPista(k);
  }
  return 0;
}

// Another program moved a fader: the slider follows unless one is held.
LRESULT OnCambioMezclador(DWORD control) {
  if (g.sujetado) return 0;
  for (Volumen* v : {&g.maestro, &g.ondas}) {
    if (v->control == kSinMixer || control != v->control) continue;
    const LRESULT volumen = std::min(LeerVolumen(control), kMaximo);
    if (volumen != Enviar(v->deslizador, kMsgDeslObtenerPosicion, 0)) {
      Enviar(v->deslizador, kMsgDeslPonerPosicion, volumen);
      Enviar(v->deslizador, kMsgDeslPonerCuadro, 0);
    }
  }
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.fondo), ROP_SRCCOPY);
  return 0;
}

LRESULT OnDestroy() {
  CerrarMixer();
  return 0;
}

// The controls are gone by now, so their pictures can go.
void OnNcDestroy() { g = Estado(); }

LRESULT CALLBACK ProcMusica(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case MM_MIXM_CONTROL_CHANGE: return OnCambioMezclador(static_cast<DWORD>(lParam));
    case WM_DESTROY: g.ciclo.Atender(hwnd, msg, wParam, lParam); return OnDestroy();
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarMusica(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcMusica, .estilo = CS_OWNDC});
}

void AbrirMusica(HWND padre) {
  if (g.ventana) return;
  OcultarVentanasFlotantes(nullptr);
  g.fondo = CargarImagenArchivo(kImagenFondo);
  g.padre = padre;
  if (!g.ciclo.CrearCentrado(kClase, AnchoImagen(g.fondo), AltoImagen(g.fondo), padre)) g = Estado();
}

HWND VentanaMusica() { return g.ventana; }
HWND DeslizadorMaestro() { return g.maestro.deslizador; }
HWND DeslizadorOndas() { return g.ondas.deslizador; }
HWND BotonPistaMusica(int indice) { return indice >= 0 && indice < kPistas ? g.pistas[static_cast<size_t>(indice)] : nullptr; }
HWND BotonSalirMusica() { return g.salir; }
HWND BotonSilencioMusica() { return g.silencio; }
int32_t PistaMusica() { return g.pista; }
