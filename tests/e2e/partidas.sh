#!/usr/bin/env bash
# partidas.sh WxHxD BIN_DIR: saving, opening and the language in the real
# game on an Xvfb screen, from a copy of the program's folder: two pieces
# joined and put in a renamed box, the game saved as "first"; a new puzzle
# (the changed game goes to the autosave); "first" opened (the pair is back
# in its box), then the autosave; a changed game left by exiting is in the
# autosave after a restart; Spanish chosen, and still Spanish after a
# restart. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
# The game writes its saves and settings beside itself: a copy.
juego_escena partidas "$1" "$2" copia

carpeta="$JUEGO_BIN/folder"
# The pieces as the dump shows them: board, place, group of each.
estado() { local i; for i in "${!P_X[@]}"; do printf "%s " "$i:${P_TABLERO[$i]}:${P_X[$i]}:${P_Y[$i]}:${P_GRUPO[$i]}"; done; }
# An option that opens a window: prints its id.
opcion() {
  local x y
  opciones || fail "the options window did not slide up"
  read -r x y <<<"$(boton_opcion "$1")"
  clic_ventana "$x" "$y"
}
# The file window: a 510 x 310 client in a 3-pixel frame; its saved games
# in a row of thumbnails 111 apart.
AX=$(( (W - 516) / 2 + 3 )); AY=$(( (H - 316) / 2 + 3 ))
abrir_partida() {
  local marca v
  v=$(opcion 3) || fail "the open window did not open"
  shot "abrir-$1" >/dev/null
  # The first game may be chosen already: the row need not change.
  clic $((AX + 111 * $1 + 60)) $((AY + 153))
  esperar_quieta "510x150+$AX+$((AY + 100))"
  marca=$(volcado_marca)
  clic $((AX + 59)) $((AY + 277))
  juego_esperar_volcado "$marca" || fail "saved game $1 did not open"
  esperar_ventana_ida "$v" || fail "the open window did not close"
  esperar_quieta
}
salir() { juego_salir $((W - 20)) 15 || fail "the game did not end"; }

juego_iniciar "Image\\3.bmp,3,4,0" || fail "the game did not start with its puzzle"
# Any piece into the empty upper left, then its neighbour beside it.
pieza_a_la_esquina || fail "no piece moved, or none that can join a neighbour"
p=$P; k=$K
read -r x0 y0 <<<"$(centro_pieza "$p")"
arrastrar "$x0" "$y0" $((49 + P_X[k] + DX + 3 + MARGEN_X + CELDA_W / 2)) $((78 + P_Y[k] + DY - 2 + MARGEN_Y + CELDA_H / 2))
[ "${P_GRUPO[$p]}" != 0 ] && [ "${P_GRUPO[$p]}" = "${P_GRUPO[$k]}" ] || fail "pieces $p and $k did not join"
# The pair into box 1; the box opened and renamed with its pencil.
read -r x0 y0 <<<"$(centro_pieza "$p")"
arrastrar "$x0" "$y0" $((W - 13)) $((H / 2 - 112 + 15))
[ "${P_TABLERO[$p]}" = 0 ] || fail "the pair is not in box 1"
clic_ventana $((W - 13)) $((H / 2 - 112 + 15)) >/dev/null || fail "box 1 did not open"
m=$(clic_ventana 315 93) || fail "the pencil asked no name"
xdotool type --delay 60 "Dinos"; xdotool key Return
esperar_ventana_ida "$m" || fail "the name question did not close"
esperar_quieta
shot caja >/dev/null
guardado=$(estado)

v=$(opcion 4) || fail "the save window did not open"
xdotool type --delay 60 "first"; xdotool key Return
esperar_ventana_ida "$v" || fail "the save window did not close"
[ -s "$carpeta/first.epf" ] || fail "nothing saved as first"
esperar_quieta
shot guardado >/dev/null
mover_una() {
  local i q=-1
  for i in "${!P_X[@]}"; do [ "${P_TABLERO[$i]}" = 6 ] && { q=$i; break; }; done
  [ "$q" -ge 0 ] || fail "no piece on the table"
  read -r x0 y0 <<<"$(centro_pieza "$q")"
  pieza_movida "$x0" "$y0" $(hacia_el_centro "$x0" "$y0" 35) || fail "no piece moved"
}
# A change after saving, then a new puzzle: the changed game goes to the
# autosave first.
mover_una
cambiado=$(estado)
v=$(clic_ventana 133 37) || fail "the new-puzzle window did not open"
[ -s "$carpeta/Autosave.epf" ] || fail "the changed game was not kept when the new puzzle started"
NX=$(( (W - 616) / 2 + 3 )); NY=$(( (H - 316) / 2 + 3 ))
marca=$(volcado_marca)
clic $((NX + 159)) $((NY + 277))
juego_esperar_volcado "$marca" || fail "no new puzzle was cut"
esperar_ventana_ida "$v" || fail "the new-puzzle window did not close"
esperar_quieta
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
v=$(opcion 5) || fail "the language window did not open"
shot idioma >/dev/null
clic_cambia "260x200+$LX+$((LY + 50))" $((LX + 80)) $((LY + 75)) || fail "Spanish was not marked"
clic_cierra "$v" $((LX + 40)) $((LY + 278)) || fail "the language window did not close"
espanol=$(shot espanol)
distinta "$antes" "$espanol" "270x78+0+0" || fail "the title strip did not change language"
grep -q "Idioma=0" "$JUEGO_BIN/Tessera.ini" || fail "the language was not kept in Tessera.ini"
salir
juego_iniciar "" || fail "the game did not start a third time"
otra=$(shot espanol-otra-vez)
distinta "$espanol" "$otra" "270x78+0+0" 0 && fail "the language did not last"
salir
echo "partidas ($JUEGO_PANTALLA): saved, opened, autosaved on a new puzzle and on exit; Spanish kept"
