#!/usr/bin/env bash
# pestanas.sh WxHxD BIN_DIR: the "Tools" and "Options" tabs clicked as a
# new player does, at once and after the strip has slid out: the click
# only opens the strip; the button that slid under the pointer does
# nothing: no window opens, the puzzle dump is not rewritten. Then a
# button's tooltip after the pause. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena pestanas "$1" "$2"

juego_iniciar "Image\\3.bmp,4,5,0" || fail "the game did not start with its puzzle"
k=$ESCALA

# pestana NOMBRE X Y ESPERA REGION: the pointer comes from the table onto
# the tab at (X, Y) and clicks after ESPERA seconds (0: while the strip
# slides), then once more where it rests: the strip is out, no window
# opened (a tooltip, less than 40 high, is none) and the dump is as it was.
pestana() {
  local antes marca v WINDOW X Y WIDTH HEIGHT SCREEN
  puntero $((W / 2)) $((H / 2)); sleep 0.5
  antes=$(ventanas); marca=$(volcado_marca)
  puntero "$2" "$3"
  sleep "$4"
  xdotool click 1
  esperar_quieta "$5"
  xdotool click 1
  sleep 1
  shot "$1" >/dev/null
  for v in $(ventanas); do
    grep -qx "$v" <<<"$antes" && continue
    eval "$(xdotool getwindowgeometry --shell "$v")"
    [ "$HEIGHT" -lt $((40 * k)) ] || fail "a click on the $1 tab opened a window (${WIDTH}x$HEIGHT)"
  done
  [ "$(volcado_marca)" = "$marca" ] || fail "a click on the $1 tab changed the puzzle"
}

herr="$((98 * k))x$((H - 160 * k))+0+$((80 * k))"
opc="${W}x$((103 * k))+0+$((H - 103 * k))"
pestana herramientas-al-vuelo $((12 * k)) $((H / 2)) 0 "$herr"
pestana herramientas $((12 * k)) $((H / 2)) 1 "$herr"
pestana opciones-al-vuelo $((W / 2)) $((H - 12 * k)) 0 "$opc"
pestana opciones $((W / 2)) $((H - 12 * k)) 1 "$opc"

# Resting on the exit button, its tooltip shows on the game's paper
# (243, 233, 210) beside the pointer.
read -r x y <<<"$(boton_opcion 6)"
puntero $((x - 5)) "$y"; puntero "$x" "$y"
sleep 1.5
globo=$(shot globo)
papel=$(convert "$globo" -crop "400x120+$((x - 200))+$((y - 60))" +repage -fill black +opaque "rgb(243,233,210)" -fill white -opaque "rgb(243,233,210)" \
  -format "%[fx:int(mean*w*h)]" info:)
[ "${papel:-0}" -gt 300 ] || fail "no tooltip beside the exit button ($papel paper pixels)"
echo "pestanas ($JUEGO_PANTALLA): the tab clicks only opened the strips; the exit button named itself"
wineserver -k 2>/dev/null
exit 0
