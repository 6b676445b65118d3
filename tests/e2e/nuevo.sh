#!/usr/bin/env bash
# nuevo.sh WxHxD BIN_DIR: a new player's first puzzle on an Xvfb screen of
# that size: the game starts with an empty table, the title strip's
# new-puzzle button opens the new-puzzle window, a click chooses the third
# picture, the count page is looked at, OK cuts the puzzle onto the table.
# Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena nuevo "$1" "$2"

juego_iniciar "" || fail "the game did not start"
[ "${#P_X[@]}" = 0 ] || fail "the table is not empty at start"
vacia=$(shot vacia)

# The window (a 610 x 310 picture in a 3-pixel dialog frame) stands
# centred on the screen.
X=$(( (W - 616) / 2 + 3 )); Y=$(( (H - 316) / 2 + 3 ))
v=$(clic_ventana 133 37) || fail "the new-puzzle window did not open"
ventana=$(shot ventana)
distinta "$vacia" "$ventana" "600x300+$X+$Y" || fail "the new-puzzle window shows nothing"

# The third thumbnail (its frame moves there), then the count page.
clic_cambia "440x127+$((X + 106))+$((Y + 88))" $((X + 106 + 2 * 89 + 43)) $((Y + 88 + 63)) ||
  fail "the third thumbnail was not chosen"
clic_cambia "500x230+$((X + 105))+$Y" $((X + 52)) $((Y + 157 + 22)) || fail "the count page did not come up"
cantidad=$(shot cantidad)
distinta "$ventana" "$cantidad" "500x230+$((X + 105))+$Y" || fail "the count page did not come up"

marca=$(volcado_marca)
clic $((X + 159)) $((Y + 277))
juego_esperar_volcado "$marca" || fail "OK cut no puzzle"
[ "${FILAS:-0}" -ge 2 ] && [ "${COLS:-0}" -ge 2 ] || fail "no puzzle was cut"
[ "${#P_X[@]}" = $((FILAS * COLS)) ] || fail "${#P_X[@]} pieces for $FILAS x $COLS"
esperar_ventana_ida "$v" || fail "the window is still there"
esperar_quieta
mesa=$(shot mesa)
distinta "$ventana" "$mesa" "600x300+$X+$Y" || fail "the window is still there"
echo "nuevo ($JUEGO_PANTALLA): a $FILAS x $COLS puzzle of the third picture is on the table"
wineserver -k 2>/dev/null
exit 0
