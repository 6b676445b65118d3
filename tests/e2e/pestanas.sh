#!/usr/bin/env bash
# pestanas.sh WxHxD BIN_DIR: the "Tools" and "Options" tabs clicked as a
# new player does, at once and after the strip has slid out: the click
# only opens the strip; the button that slid under the pointer does
# nothing (no window opens, the puzzle dump is not rewritten) until the
# pointer has left it and come back. Then a button's tooltip after the
# pause. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena pestanas "$1" "$2"

juego_iniciar "Image\\3.bmp,4,5,0" || fail "the game did not start with its puzzle"
k=$ESCALA

# nada_hecho ANTES MARCA QUE: no window opened and no dump was written
# since the `ventanas` list ANTES and the dump mark MARCA. A tooltip (a
# window less than 40 high) is no window that opened.
nada_hecho() {
  sleep 1
  local v WINDOW X Y WIDTH HEIGHT SCREEN
  for v in $(ventanas); do
    grep -qx "$v" <<<"$1" && continue
    eval "$(xdotool getwindowgeometry --shell "$v")"
    [ "$HEIGHT" -lt $((40 * k)) ] || fail "$3 opened a window ($v, ${WIDTH}x$HEIGHT)"
  done
  [ "$(volcado_marca)" = "$2" ] || fail "$3 changed the puzzle"
  return 0
}

# pestana NOMBRE X Y ESPERA REGION: the pointer comes from the table onto the
# tab at (X, Y) and clicks after ESPERA seconds (0: while the strip slides);
# the strip must be out and nothing else done.
pestana() {
  local antes marca
  puntero $((W / 2)) $((H / 2)); sleep 0.5
  antes=$(ventanas); marca=$(volcado_marca)
  puntero "$2" "$3"
  sleep "$4"
  xdotool click 1
  esperar_quieta "$5"
  shot "$1" >/dev/null
  nada_hecho "$antes" "$marca" "a click on the $1 tab"
  # A second click where the pointer still rests does nothing either.
  xdotool click 1
  nada_hecho "$antes" "$marca" "a second click on the $1 tab"
}

herr="$((98 * k))x$((H - 160 * k))+0+$((80 * k))"
opc="${W}x$((103 * k))+0+$((H - 103 * k))"
pestana herramientas-al-vuelo $((12 * k)) $((H / 2)) 0 "$herr"
pestana herramientas $((12 * k)) $((H / 2)) 1 "$herr"
pestana opciones-al-vuelo $((W / 2)) $((H - 12 * k)) 0 "$opc"
pestana opciones $((W / 2)) $((H - 12 * k)) 1 "$opc"

# A button the pointer came onto works: the magnifier from the options.
read -r x y <<<"$(boton_opcion 1)"
puntero $((x - 60 * k)) "$y"; sleep 0.3
clic_ventana "$x" "$y" >/dev/null || fail "the magnifier button did not work once the pointer came onto it"

# Resting on the exit button, its tooltip shows after the pause, beside
# the pointer, on the game's paper: somewhere within 60 pixels below or
# above the pointer, the paper colour (243, 233, 210) now shows.
read -r x y <<<"$(boton_opcion 6)"
puntero $((x - 5)) "$y"; puntero "$x" "$y"
sleep 1.5
globo=$(shot globo)
/usr/bin/python3 - "$globo" "$x" "$y" <<'EOF' || fail "no tooltip beside the exit button"
import sys
import numpy as np
from PIL import Image
a = np.asarray(Image.open(sys.argv[1]).convert("RGB")).astype(int)
x, y = int(sys.argv[2]), int(sys.argv[3])
zona = a[max(0, y - 60):y + 60, max(0, x - 200):x + 200]
papel = (np.abs(zona - (243, 233, 210)).sum(axis=2) == 0).sum()
print(f"paper pixels beside the pointer: {papel}")
sys.exit(0 if papel > 300 else 1)
EOF
echo "pestanas ($JUEGO_PANTALLA): the tab clicks only opened the strips; the buttons work once reached"
wineserver -k 2>/dev/null
exit 0
