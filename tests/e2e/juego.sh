#!/usr/bin/env bash
# juego.sh WxHxD BIN_DIR: plays the real game on an Xvfb screen of that
# size: a puzzle cut at start-up, one piece dragged onto its neighbour's
# place (they join), the pair dragged into box 1 through its box button,
# box 1 opened, the magnifier opened from the options window, and the
# game ended from there with exit code 0. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena juego "$1" "$2"

juego_iniciar "Image\\3.bmp,6,8,0" || fail "the game did not start with its puzzle"
[ "$FILAS.$COLS" = 6.8 ] || fail "the puzzle is $FILAS x $COLS"
inicio=$(shot inicio)

# Any piece, moved into the empty upper left of the table; a neighbour
# with room beside it, and that place, 3 and 2 pixels off.
pieza_a_la_esquina || fail "no piece moved, or none that can join a neighbour"
p=$P; k=$K
read -r x0 y0 <<<"$(centro_pieza "$p")"
x1=$((49 + P_X[k] + DX + 3 + MARGEN_X + CELDA_W / 2)); y1=$((78 + P_Y[k] + DY - 2 + MARGEN_Y + CELDA_H / 2))
arrastrar "$x0" "$y0" "$x1" "$y1"
[ "${P_GRUPO[$p]}" != 0 ] && [ "${P_GRUPO[$p]}" = "${P_GRUPO[$k]}" ] ||
  fail "pieces $p and $k did not join (groups ${P_GRUPO[$p]} ${P_GRUPO[$k]})"
[ $((P_X[p] - P_X[k])) = "$DX" ] && [ $((P_Y[p] - P_Y[k])) = "$DY" ] || fail "piece $p did not land in place"
shot encaje >/dev/null

# The pair into box 1 through its button on the right edge.
read -r x0 y0 <<<"$(centro_pieza "$p")"
arrastrar "$x0" "$y0" $((W - 13)) $((H / 2 - 112 + 15))
[ "${P_TABLERO[$p]}" = 0 ] && [ "${P_TABLERO[$k]}" = 0 ] ||
  fail "the pair is on boards ${P_TABLERO[$p]} and ${P_TABLERO[$k]}, not in box 1"
esperar_quieta
antes=$(shot antes-caja)
clic_ventana $((W - 13)) $((H / 2 - 112 + 15)) >/dev/null || fail "box 1 did not open"
caja=$(shot caja)
distinta "$antes" "$caja" "300x300+60+78" || fail "box 1 did not open"

# The options window slides up; its magnifier button shows the magnifier.
opciones || fail "the options window did not slide up"
antes=$(shot antes-lupa)
read -r x y <<<"$(boton_opcion 1)"
clic_ventana "$x" "$y" >/dev/null || fail "the magnifier did not open"
lupa=$(shot lupa)
distinta "$antes" "$lupa" "70x30+$((W / 4 + 170))+$((H / 2))" 50 || fail "the magnifier did not open"

# Exit from the options window.
opciones || fail "the options window did not slide up again"
read -r x y <<<"$(boton_opcion 6)"
juego_salir "$x" "$y" || fail "the game did not end from the options window"
[ "$JUEGO_CODIGO" = 0 ] || fail "exit code $JUEGO_CODIGO"
echo "PASS ($JUEGO_PANTALLA): pieces $p and $k joined, went into box 1, magnifier shown, exit code 0"
