#!/usr/bin/env bash
# run.sh DIST_DIR [SCREENSHOT]: starts the game under Wine.
#  - With a display: in a 1024 x 768 Wine desktop window (FULLSCREEN=1 for
#    the whole screen), on an empty table: "New puzzle" starts a game
#    (TESSERA_DEBUG_NEW puts one on the table at once).
#  - Without one: on its own Xvfb; opens the new-puzzle window and, as a
#    player would, chooses the second picture and fewer, larger pieces on
#    the count page, then OK; then plays a few moves (a piece into box 1,
#    the box opened, another piece carried across), saves SCREENSHOT
#    (out/screenshot.png) and ends the game.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$(cd "$1" && pwd)
export TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready

if [ -n "${DISPLAY:-}" ]; then
  cd "$dist"
  if [ "${FULLSCREEN:-0}" = 1 ]; then
    exec wine Tessera.exe
  fi
  exec wine explorer /desktop=Tessera,1024x768 Tessera.exe
fi

shot=${2:-$root/out/screenshot.png}
mkdir -p "$(dirname "$shot")"
rm -f "$shot"
export JUEGO_BIN=$dist
"$root/scripts/xvfb-run.sh" 1024x768x24 bash -c '
  root=$1; shot=$2
  . "$root/tests/e2e/juego_lib.sh"
  JUEGO_DUMP=$(mktemp -d)/volcado.txt
  juego_iniciar "${TESSERA_DEBUG_NEW-}" || exit 1
  if [ "${#P_X[@]}" = 0 ]; then
    # The new-puzzle window, centred: the second picture, larger pieces
    # on the count page (the lower arrow of the scroll held down), OK.
    X=$(( (1024 - 616) / 2 + 3 )); Y=$(( (768 - 316) / 2 + 3 ))
    clic 133 37; sleep 1
    clic $((X + 106 + 89 + 43)) $((Y + 151))
    clic $((X + 52)) $((Y + 179))
    xdotool mousemove $((X + 387)) $((Y + 200)); sleep 0.2
    xdotool mousedown 1; sleep 4; xdotool mouseup 1; sleep 0.3
    marca=$(volcado_marca)
    clic $((X + 159)) $((Y + 277))
    juego_esperar_volcado "$marca"
    [ "${#P_X[@]}" -gt 0 ] || exit 1
  fi
  # A piece into box 1 through its button, the box opened, another piece
  # carried across the table.
  read -r x y <<<"$(centro_pieza 0)"
  arrastrar "$x" "$y" 1011 287
  clic 1011 287
  read -r x y <<<"$(centro_pieza 1)"
  arrastrar "$x" "$y" 600 200
  sleep 0.5
  import -window root "$shot"
  wineserver -k 2>/dev/null' _ "$root" "$shot"
if [ -f "$shot" ]; then
  echo "run: no display here; the game ran on its own X server. Screenshot: $shot"
else
  echo "run: the game could not be shown" >&2
  exit 1
fi
