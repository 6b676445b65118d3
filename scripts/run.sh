#!/usr/bin/env bash
# run.sh DIST_DIR: starts the game under Wine.
#  - With a display: in a 1024 x 768 Wine desktop window (FULLSCREEN=1 for
#    the whole screen).
#  - Without one: on its own Xvfb; waits for the main window (or the first
#    window), saves out/screenshot.png and ends the game.
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

mkdir -p "$root/out"
shot="$root/out/screenshot.png"
"$root/scripts/xvfb-run.sh" 1024x768x24 bash -c '
  dist=$1; shot=$2
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$dist" && exec wine Tessera.exe) &
  game=$!
  found=""
  for _ in $(seq 1 300); do
    # The main window is called "Tessera"; before it, take any window shown.
    found=$(xdotool search --onlyvisible --name "^Tessera\$" 2>/dev/null | head -n 1)
    [ -n "$found" ] && break
    if [ $(xdotool search --onlyvisible --name "." 2>/dev/null | wc -l) -gt 0 ] && [ $SECONDS -gt 20 ]; then
      break
    fi
    kill -0 $game 2>/dev/null || break
    sleep 0.2
  done
  sleep 1  # let the first paint finish
  import -window root "$shot"
  rc=$?
  wineserver -k 2>/dev/null
  wait $game 2>/dev/null
  exit $rc' _ "$dist" "$shot"
rc=$?
if [ $rc -eq 0 ] && [ -f "$shot" ]; then
  echo "run: no display here; the game ran on its own X server. Screenshot: $shot"
else
  echo "run: the game could not be shown (exit $rc)" >&2
  exit 1
fi
