#!/usr/bin/env bash
# arranque.sh BIN_DIR: starts the real game on a 1024x768x24 Xvfb screen,
# checks that the intro plays and that a click skips it, that the main
# window then covers the screen and the play screen is drawn on it, closes
# it with Alt+F4 as a player would, and expects exit code 0.
# Keeps the screenshots in BIN_DIR/../e2e/arranque.png and intro.png.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
bin=$(cd "$1" && pwd)
shots="$bin/../e2e"
mkdir -p "$shots"
export TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready

exec "$root/scripts/xvfb-run.sh" 1024x768x24 bash -c '
  root=$1; bin=$2; shot=$3
  . "$root/tests/e2e/juego_lib.sh"
  W=1024; H=768
  fail() { echo "FAIL: $*"; import -window root "${shot%/*}/arranque-fallo.png"; wineserver -k 2>/dev/null; exit 1; }
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$bin" && exec wine Tessera.exe) &
  JUEGO_PID=$!
  esperar_video || fail "the intro did not appear"
  import -window root "${shot%/*}/intro.png" || fail "no screenshot"
  # The video at the middle of the black screen.
  middle=$(convert "${shot%/*}/intro.png" -crop 640x480+192+144 +repage -format "%[fx:mean]" info:)
  awk -v m="$middle" "BEGIN { exit !(m > 0.1) }" || fail "the intro shows nothing (mean $middle)"
  intro=$(juego_intro)
  for intento in 1 2; do
    clic 512 384
    esperar_ventana_ida "$intro" && break
    [ $intento = 1 ] && echo "retrying: a click did not end the intro"
  done
  juego_intro >/dev/null && fail "a click did not end the intro"
  win=$(esperar_nombre "^Tessera\$") || fail "the main window did not follow the intro"
  esperar_quieta
  import -window root "$shot" || fail "no screenshot"
  size=$(identify -format "%wx%h" "$shot")
  [ "$size" = 1024x768 ] || fail "screenshot is $size"
  # The title strip and the felt table, not the black of an empty window.
  title=$(convert "$shot" -crop 1024x78+0+0 +repage -format "%[fx:mean]" info:)
  table=$(convert "$shot" -crop 900x500+60+100 +repage -format "%[fx:mean]" info:)
  awk -v t="$title" -v m="$table" "BEGIN { exit !(t > 0.3 && m > 0.05) }" ||
    fail "the play screen is not drawn (title $title, table $table)"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$X" -le 0 ] && [ "$Y" -le 0 ] && [ $((X + WIDTH)) -ge 1024 ] && [ $((Y + HEIGHT)) -ge 768 ] ||
    fail "the window is at $X,$Y size ${WIDTH}x$HEIGHT"
  puntero 512 384
  xdotool key alt+F4
  fin=$((SECONDS + 30))
  while kill -0 $JUEGO_PID 2>/dev/null && [ $SECONDS -lt $fin ]; do sleep 0.1; done
  kill -0 $JUEGO_PID 2>/dev/null && fail "the game did not end on Alt+F4"
  wait $JUEGO_PID
  rc=$?
  wineserver -k 2>/dev/null; wineserver -w
  [ $rc -eq 0 ] || fail "exit code $rc"
  echo "PASS: a click skips the intro; the play screen covers the screen; Alt+F4 ends the game with code 0"' _ "$root" "$bin" "$shots/arranque.png"
