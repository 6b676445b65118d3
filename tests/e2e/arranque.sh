#!/usr/bin/env bash
# arranque.sh WxHxD BIN_DIR: starts the real game, without its test hooks,
# on an Xvfb screen, checks that the intro plays and that a click skips it,
# that the main window then covers the screen and the play screen is drawn
# on it, closes it with Alt+F4 as a player would, and expects exit code 0.
# Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena arranque "$1" "$2"

lanzar() {
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$JUEGO_BIN" && exec wine Tessera.exe) &
  JUEGO_PID=$!
}
juego_ver_intro intro lanzar || fail "the intro did not appear"
captura=$JUEGO_CUADRO
# The video at the middle of the black screen.
middle=$(convert "$captura" -crop 640x480+$((W / 2 - 320))+$((H / 2 - 240)) +repage -format "%[fx:mean]" info:)
awk -v m="$middle" "BEGIN { exit !(m > 0.1) }" || fail "the intro shows nothing (mean $middle)"
intro=$(juego_intro)
for intento in 1 2; do
  clic $((W / 2)) $((H / 2))
  esperar_ventana_ida "$intro" && break
  [ $intento = 1 ] && echo "retrying: a click did not end the intro"
done
juego_intro >/dev/null && fail "a click did not end the intro"
win=$(esperar_nombre "^Tessera\$") || fail "the main window did not follow the intro"
esperar_quieta
captura=$(shot juego) || fail "no screenshot"
size=$(identify -format "%wx%h" "$captura")
[ "$size" = "${W}x$H" ] || fail "screenshot is $size"
# The title strip and the felt table, not the black of an empty window.
title=$(convert "$captura" -crop "${W}x78+0+0" +repage -format "%[fx:mean]" info:)
table=$(convert "$captura" -crop "$((W - 124))x$((H - 268))+60+100" +repage -format "%[fx:mean]" info:)
awk -v t="$title" -v m="$table" "BEGIN { exit !(t > 0.3 && m > 0.05) }" ||
  fail "the play screen is not drawn (title $title, table $table)"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$X" -le 0 ] && [ "$Y" -le 0 ] && [ $((X + WIDTH)) -ge "$W" ] && [ $((Y + HEIGHT)) -ge "$H" ] ||
  fail "the window is at $X,$Y size ${WIDTH}x$HEIGHT"
puntero $((W / 2)) $((H / 2))
xdotool key alt+F4
fin=$((SECONDS + 30))
while kill -0 $JUEGO_PID 2>/dev/null && [ $SECONDS -lt $fin ]; do sleep 0.1; done
kill -0 $JUEGO_PID 2>/dev/null && fail "the game did not end on Alt+F4"
wait $JUEGO_PID
rc=$?
wineserver -k 2>/dev/null; wineserver -w
[ $rc -eq 0 ] || fail "exit code $rc"
echo "PASS: a click skips the intro; the play screen covers the screen; Alt+F4 ends the game with code 0"
