#!/usr/bin/env bash
# partidas.sh WxHxD BIN_DIR: saving, opening and the language in the real
# game on an Xvfb screen, from a copy of the program's folder: two pieces
# joined and put in a renamed box, the game saved as "first"; a new puzzle
# (the changed game goes to the autosave); "first" opened (the pair is back
# in its box), then the autosave; a changed game left by exiting is in the
# autosave after a restart; Spanish chosen, and still Spanish after a
# restart. Screenshots go to out/e2e/.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
pantalla=$1
bin=$(cd "$2" && pwd)
# The game writes its saves and settings beside itself.
. "$root/tests/e2e/juego_lib.sh"
juego_copia "$bin"
trap 'rm -rf "$JUEGO_COPIA"' EXIT
export JUEGO_SHOTS="$root/out/e2e"
mkdir -p "$JUEGO_SHOTS"
export TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready

"$root/scripts/xvfb-run.sh" "$pantalla" bash -c '
  root=$1; pantalla=$2
  . "$root/tests/e2e/juego_lib.sh"
  JUEGO_DUMP=$(mktemp -d)/volcado.txt
  W=${pantalla%%x*}; resto=${pantalla#*x}; H=${resto%%x*}
  shot() { import -window root "$JUEGO_SHOTS/partidas-$pantalla-$1.png"; echo "$JUEGO_SHOTS/partidas-$pantalla-$1.png"; }
  fail() { echo "FAIL ($pantalla): $*"; shot fallo >/dev/null; wineserver -k 2>/dev/null; exit 1; }
  carpeta="$JUEGO_BIN/folder"
  # The pieces as the dump shows them: board, place, group of each.
  estado() { local i; for i in "${!P_X[@]}"; do printf "%s " "$i:${P_TABLERO[$i]}:${P_X[$i]}:${P_Y[$i]}:${P_GRUPO[$i]}"; done; }
  # Options slide up from the bottom edge; six buttons across.
  opcion() {
    xdotool mousemove $((W / 2 + 150)) $((H - 8)); sleep 0.2
    xdotool mousemove $((W / 2 + 160)) $((H - 10)); sleep 1.5
    clic $(( ($1 + 1) * W / 7 )) $((H - 103 + 27 + 30)); sleep 0.8
  }
  # The file window: a 510 x 310 client in a 3-pixel frame.
  AX=$(( (W - 516) / 2 + 3 )); AY=$(( (H - 316) / 2 + 3 ))
  abrir_partida() {
    local marca suma
    opcion 2
    shot "abrir-$1" >/dev/null
    marca=$(stat -c %Y.%s "$JUEGO_DUMP"); suma=$(md5sum < "$JUEGO_DUMP")
    clic $((AX + 111 * $1 + 60)) $((AY + 153))
    clic $((AX + 59)) $((AY + 277))
    juego_esperar_volcado "$marca" "$suma"
  }
  salir() {
    clic $((W - 20)) 15
    for _ in $(seq 1 100); do kill -0 $JUEGO_PID 2>/dev/null || break; sleep 0.1; done
    kill -0 $JUEGO_PID 2>/dev/null && fail "the game did not end"
    wineserver -w
  }

  juego_iniciar "Image\\3.bmp,3,4,0" || fail "the game did not start with its puzzle"
  # Any piece into the empty upper left, then its neighbour beside it.
  read -r x0 y0 <<<"$(centro_pieza 0)"
  pieza_movida "$x0" "$y0" $((49 + 30 + MARGEN_X + CELDA_W / 2)) $((78 + 10 + MARGEN_Y + CELDA_H / 2)) ||
    fail "no piece moved"
  p=$MOVIDA
  if [ $((p % COLS)) -lt $((COLS - 1)) ]; then k=$((p + 1)); dx=$((-CELDA_W)); else k=$((p - 1)); dx=$CELDA_W; fi
  read -r x0 y0 <<<"$(centro_pieza "$p")"
  arrastrar "$x0" "$y0" $((49 + P_X[k] + dx + 3 + MARGEN_X + CELDA_W / 2)) $((78 + P_Y[k] - 2 + MARGEN_Y + CELDA_H / 2))
  [ "${P_GRUPO[$p]}" != 0 ] && [ "${P_GRUPO[$p]}" = "${P_GRUPO[$k]}" ] || fail "pieces $p and $k did not join"
  # The pair into box 1; the box opened and renamed.
  read -r x0 y0 <<<"$(centro_pieza "$p")"
  arrastrar "$x0" "$y0" $((W - 13)) $((H / 2 - 112 + 15))
  [ "${P_TABLERO[$p]}" = 0 ] || fail "the pair is not in box 1"
  clic $((W - 13)) $((H / 2 - 112 + 15)); sleep 0.5
  clic 315 93; sleep 0.5
  xdotool type --delay 60 "Dinos"; xdotool key Return; sleep 0.8
  shot caja >/dev/null
  guardado=$(estado)

  opcion 3
  xdotool type --delay 60 "first"; xdotool key Return; sleep 1
  [ -s "$carpeta/first.epf" ] || fail "nothing saved as first"
  shot guardado >/dev/null
  mover_una() {
    local i q=-1
    for i in "${!P_X[@]}"; do [ "${P_TABLERO[$i]}" = 6 ] && { q=$i; break; }; done
    [ "$q" -ge 0 ] || fail "no piece on the table"
    read -r x0 y0 <<<"$(centro_pieza "$q")"
    pieza_movida "$x0" "$y0" $((x0 + 40)) $((y0 + 30)) || fail "no piece moved"
  }
  # A change after saving, then a new puzzle: the changed game goes to the
  # autosave first.
  mover_una
  cambiado=$(estado)
  clic 133 37; sleep 1
  [ -s "$carpeta/Autosave.epf" ] || fail "the changed game was not kept when the new puzzle started"
  NX=$(( (W - 616) / 2 + 3 )); NY=$(( (H - 316) / 2 + 3 ))
  marca=$(stat -c %Y.%s "$JUEGO_DUMP"); suma=$(md5sum < "$JUEGO_DUMP")
  clic $((NX + 159)) $((NY + 277))
  juego_esperar_volcado "$marca" "$suma"
  [ "$(estado)" != "$guardado" ] || fail "no new puzzle was cut"

  # "first" (after "Autosave" in the list) and then the autosave: each as it was.
  abrir_partida 1
  [ "$(estado)" = "$guardado" ] || fail "first did not open as it was saved"
  [ "${P_TABLERO[$p]}" = 0 ] && [ "${P_GRUPO[$p]}" = "${P_GRUPO[$k]}" ] || fail "the pair is not back in its box"
  shot primero >/dev/null
  abrir_partida 0
  [ "$(estado)" = "$cambiado" ] || fail "the autosave is not the game as the new puzzle found it"

  # A change, then exit: the autosave has it after a restart.
  mover_una
  cambiado=$(estado)
  salir
  juego_iniciar "" || fail "the game did not start again"
  abrir_partida 0
  [ "$(estado)" = "$cambiado" ] || fail "the game left by the exit is not in the autosave"

  # Spanish, at once and after a restart.
  antes=$(shot ingles)
  LX=$(( (W - 266) / 2 + 3 )); LY=$(( (H - 306) / 2 + 3 ))
  opcion 4
  shot idioma >/dev/null
  clic $((LX + 80)) $((LY + 75))
  clic $((LX + 40)) $((LY + 278)); sleep 0.8
  espanol=$(shot espanol)
  distinta "$antes" "$espanol" "270x78+0+0" || fail "the title strip did not change language"
  grep -q "Idioma=0" "$JUEGO_BIN/Tessera.ini" || fail "the language was not kept in Tessera.ini"
  salir
  juego_iniciar "" || fail "the game did not start a third time"
  otra=$(shot espanol-otra-vez)
  distinta "$espanol" "$otra" "270x78+0+0" && fail "the language did not last"
  salir
  echo "partidas ($pantalla): saved, opened, autosaved on a new puzzle and on exit; Spanish kept"' _ "$root" "$pantalla"
