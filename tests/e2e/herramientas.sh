#!/usr/bin/env bash
# herramientas.sh WxHxD BIN_DIR: the tools window of the real game on an
# Xvfb screen: it slides out from its strip; the honour roll opens over the
# whole screen and its exit button closes it; the music window opens, its
# master slider's knob is dragged up, and its exit button closes it.
# Screenshots go to out/e2e/.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
pantalla=$1
bin=$(cd "$2" && pwd)
export JUEGO_BIN=$bin
export JUEGO_SHOTS="$root/out/e2e"
mkdir -p "$JUEGO_SHOTS"
export TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready

exec "$root/scripts/xvfb-run.sh" "$pantalla" bash -c '
  root=$1; pantalla=$2
  . "$root/tests/e2e/juego_lib.sh"
  JUEGO_DUMP=$(mktemp -d)/volcado.txt
  W=${pantalla%%x*}; resto=${pantalla#*x}; H=${resto%%x*}
  shot() { import -window root "$JUEGO_SHOTS/herramientas-$pantalla-$1.png"; echo "$JUEGO_SHOTS/herramientas-$pantalla-$1.png"; }
  fail() { echo "FAIL ($pantalla): $*"; shot fallo >/dev/null; wineserver -k 2>/dev/null; exit 1; }

  juego_iniciar "" || fail "the game did not start"
  mesa=$(shot mesa)
  # The tools: four buttons s apart down the window under the title strip.
  s=$(( (H - 78) / 5 ))
  herramientas() { xdotool mousemove 10 $((H / 2)); sleep 1.2; }
  boton() { clic 49 $((78 + $1 * s)); sleep 0.8; }

  herramientas
  fuera=$(shot herramientas)
  distinta "$mesa" "$fuera" "90x$((H - 160))+0+80" || fail "the tools window did not slide out"

  boton 4
  honor=$(shot honor)
  distinta "$fuera" "$honor" "$((W / 2))x$((H / 2))+$((W / 4))+$((H / 4))" || fail "the honour roll did not open"
  clic $((W * 100000 / 115732 + 35)) $((H * 1000 / 1197 + 35)); sleep 0.8
  cerrado=$(shot honor-cerrado)
  distinta "$honor" "$cerrado" "$((W / 2))x$((H / 2))+$((W / 4))+$((H / 4))" || fail "the honour roll did not close"

  herramientas
  boton 3
  musica=$(shot musica)
  X=$(( (W - 266) / 2 + 3 )); Y=$(( (H - 306) / 2 + 3 ))
  distinta "$cerrado" "$musica" "260x300+$X+$Y" || fail "the music window did not open"
  # The master knob rests at 50 of 0-99 on its track from y 236 up to y 100.
  ARRASTRE_PASOS=6
  xdotool mousemove $((X + 69)) $((Y + 168)); sleep 0.2
  xdotool mousedown 1; sleep 0.1
  for i in 1 2 3 4 5 6; do xdotool mousemove $((X + 69)) $((Y + 168 - 8 * i)); sleep 0.05; done
  xdotool mouseup 1; sleep 0.4
  subido=$(shot musica-subido)
  distinta "$musica" "$subido" "40x150+$((X + 49))+$((Y + 90))" || fail "the master slider did not move"
  clic $((X + 40)) $((Y + 278)); sleep 0.8
  fin=$(shot musica-cerrada)
  distinta "$subido" "$fin" "260x300+$X+$Y" || fail "the music window did not close"
  echo "herramientas ($pantalla): tools, honour roll and music window opened and closed; the slider moved"
  wineserver -k 2>/dev/null
  exit 0' _ "$root" "$pantalla"
