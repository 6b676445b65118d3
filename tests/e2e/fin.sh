#!/usr/bin/env bash
# fin.sh WxHxD BIN_DIR: a whole game in the real program on an Xvfb screen,
# from a copy of the program's folder: the intro plays and a key skips it;
# a 2 x 2 puzzle is finished by dragging its pieces together; the finishing
# video plays to its end; the finished picture is printed from its preview
# (a PDF appears on the test printer); yes to the wallpaper question (the
# file and the registry value are there); a name in the honour roll, which
# Records.ovr keeps with the score. Screenshots go to out/e2e/.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
pantalla=$1
bin=$(cd "$2" && pwd)
# The game writes its records and wallpaper beside itself.
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
  shot() { import -window root "$JUEGO_SHOTS/fin-$pantalla-$1.png"; echo "$JUEGO_SHOTS/fin-$pantalla-$1.png"; }
  fail() { echo "FAIL ($pantalla): $*"; shot fallo >/dev/null; wineserver -k 2>/dev/null; exit 1; }
  # Whether the middle of the screen shows more than one colour.
  imagen_en_medio() {
    local c
    c=$(convert "$1" -crop "200x150+$((W / 2 - 100))+$((H / 2 - 75))" +repage -format "%k" info:)
    [ "${c:-1}" -gt 1 ]
  }
  izq=$(( (W - 800) / 2 )); arr=$(( (H - 600) / 2 ))
  # The message box: a 500 x 310 picture in a 3-pixel frame, OK at (18, 255).
  caja_ok() { clic $(( (W - 506) / 2 + 3 + 58 )) $(( (H - 316) / 2 + 3 + 277 )); sleep 0.5; }

  # The intro plays; a key skips it and the main window comes.
  rm -f "$JUEGO_DUMP"
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$JUEGO_BIN" && TESSERA_DEBUG_DUMP="Z:${JUEGO_DUMP//\//\\}" TESSERA_DEBUG_NEW="Image\\3.bmp,2,2,0" exec wine Tessera.exe) &
  JUEGO_PID=$!
  for _ in $(seq 1 100); do juego_intro >/dev/null && break; sleep 0.1; done
  juego_intro >/dev/null || fail "the intro did not show"
  sleep 1
  intro=$(shot intro)
  imagen_en_medio "$intro" || fail "the intro shows nothing"
  [ -s "$JUEGO_DUMP" ] && fail "the main window came before the intro was skipped"
  # A key ends it well before its own end; again while it lacks the keyboard.
  for _ in $(seq 1 20); do
    [ -s "$JUEGO_DUMP" ] && break
    juego_intro >/dev/null && xdotool key space
    sleep 0.1
  done
  [ -s "$JUEGO_DUMP" ] || fail "the intro was not skipped by a key"
  sleep 0.5
  juego_leer
  [ "$FILAS.$COLS" = 2.2 ] || fail "the puzzle is $FILAS x $COLS"
  shot mesa >/dev/null

  # The big pieces overlap, so a press may take another piece than the one
  # aimed at. A short nudge shows which piece lies on top at a point; that
  # piece is then on top everywhere and goes to its place from its middle.
  # The finished picture fills the table from its upper left corner.
  unida() { local k; for k in 1 2 3; do [ "${P_GRUPO[$k]}" != 0 ] && [ "${P_GRUPO[$k]}" = "${P_GRUPO[0]}" ] || return 1; done; }
  a_su_sitio() {
    local k=$1 x0 y0
    read -r x0 y0 <<<"$(centro_pieza "$k")"
    arrastrar "$x0" "$y0" $((49 + 20 + (k % 2) * CELDA_W + CELDA_W / 2)) $((78 + 2 + (k / 2) * CELDA_H + CELDA_H / 2))
  }
  # The point of piece k farthest from the cells of the pieces already in
  # their places (which lie on top), as "x y distance".
  punto_visible() {
    local k=$1 i j x y d m o ox oy mejor="0 0 -1"
    for i in 1 2 3 4 5 6 7 8 9; do
      for j in 1 2 3 4 5 6 7 8 9; do
        x=$((P_X[k] + CELDA_W * i / 10)); y=$((P_Y[k] + CELDA_H * j / 10)); m=100000
        for o in 0 1 2 3; do
          [ "${P_X[$o]}" = $((20 - MARGEN_X + (o % 2) * CELDA_W)) ] || continue
          [ "$o" = "$k" ] && continue
          ox=0; oy=0
          [ "$x" -lt "${P_X[$o]}" ] && ox=$((P_X[o] - x)); [ "$x" -ge $((P_X[o] + CELDA_W)) ] && ox=$((x - P_X[o] - CELDA_W))
          [ "$y" -lt "${P_Y[$o]}" ] && oy=$((P_Y[o] - y)); [ "$y" -ge $((P_Y[o] + CELDA_H)) ] && oy=$((y - P_Y[o] - CELDA_H))
          d=$((ox > oy ? ox : oy)); [ "$d" -lt "$m" ] && m=$d
        done
        [ "$m" -gt "${mejor##* }" ] && mejor="$((49 + MARGEN_X + x)) $((78 + MARGEN_Y + y)) $m"
      done
    done
    echo "$mejor"
  }
  unir() {
    for _ in $(seq 1 16); do
      unida && break
      movida=-1
      for k in 0 1 2 3; do
        [ "$k" != 0 ] && [ "${P_GRUPO[$k]}" != 0 ] && [ "${P_GRUPO[$k]}" = "${P_GRUPO[0]}" ] && continue
        if [ "${P_X[$k]}" = $((20 - MARGEN_X + (k % 2) * CELDA_W)) ]; then
          # In its place but alone: dropped there again, it joins its neighbours.
          [ "$k" = 0 ] && continue
          read -r x0 y0 <<<"$(centro_pieza "$k")"
          arrastrar "$x0" "$y0" $((x0 + 3)) $((y0 + 2))
          movida=-2; break
        fi
        read -r x0 y0 d <<<"$(punto_visible "$k")"
        pieza_movida "$x0" "$y0" $((x0 + 6)) $((y0 + 6)) && { movida=$MOVIDA; break; }
        # A nudge may finish the puzzle: another press would end its video.
        unida && return 0
      done
      unida && return 0
      [ "$movida" -ge 0 ] && a_su_sitio "$movida"
    done
    unida
  }
  # A layout the moves above cannot solve is dealt again.
  for intento in 1 2 3; do
    unir && break
    [ "$intento" = 3 ] && break
    juego_iniciar "Image\\3.bmp,2,2,0" || fail "the game did not start again"
  done
  unida || fail "the pieces did not join into one"

  # The finishing video, watched to its end, then the finished picture.
  for _ in $(seq 1 50); do juego_intro >/dev/null && break; sleep 0.1; done
  juego_intro >/dev/null || fail "the finishing video did not start"
  sleep 1
  video=$(shot video)
  imagen_en_medio "$video" || fail "the finishing video shows nothing"
  for _ in $(seq 1 150); do juego_intro >/dev/null || break; sleep 0.1; done
  juego_intro >/dev/null && fail "the finishing video did not end"
  sleep 1
  vista=$(shot vista-previa)
  distinta "$video" "$vista" "300x200+$((izq + 20))+$((arr + 20))" || fail "the preview did not follow the video"

  # Print: a new PDF appears on the test printer.
  rm -f "$JUEGO_SHOTS/fin-$pantalla-impreso.png"
  antes_pdf=$(ls "$IMPRESORA_SALIDA" 2>/dev/null)
  clic $((izq + 589 + 35)) $((arr + 496 + 35))
  pdf=""
  for _ in $(seq 1 100); do
    for f in "$IMPRESORA_SALIDA"/*.pdf; do
      [ -e "$f" ] && ! grep -qxF "$(basename "$f")" <<<"$antes_pdf" && { pdf=$f; break; }
    done
    [ -n "$pdf" ] && break
    sleep 0.2
  done
  [ -n "$pdf" ] || fail "no PDF came from the print button"
  # The printer may still be writing it.
  for _ in $(seq 1 50); do
    pdftoppm -r 30 -png -singlefile "$pdf" "$JUEGO_SHOTS/fin-$pantalla-impreso" 2>/dev/null && break
    sleep 0.2
  done
  [ -s "$JUEGO_SHOTS/fin-$pantalla-impreso.png" ] || fail "the PDF cannot be read"

  # Closing the preview asks about the wallpaper: yes.
  clic $((izq + 669 + 35)) $((arr + 496 + 35))
  sleep 0.8
  shot pregunta-fondo >/dev/null
  caja_ok
  sleep 0.5
  # The honour roll asks the name.
  shot nombre >/dev/null
  xdotool type --delay 60 "Zed"
  xdotool key Return
  sleep 0.8
  shot cuadro >/dev/null
  clic $((W * 100000 / 115732 + 35)) $((H * 1000 / 1197 + 35)); sleep 0.8
  # Exit from the title strip.
  clic $((W - 20)) 15
  for _ in $(seq 1 100); do kill -0 $JUEGO_PID 2>/dev/null || break; sleep 0.1; done
  kill -0 $JUEGO_PID 2>/dev/null && fail "the game did not end"
  wineserver -w

  [ -s "$JUEGO_BIN/Tessera.bmp" ] || fail "no wallpaper file"
  [ "$(head -c 2 "$JUEGO_BIN/Tessera.bmp")" = BM ] || fail "the wallpaper file is not a bitmap"
  wine reg query "HKCU\\Control Panel\\Desktop" /v TileWallpaper 2>/dev/null | grep -q "REG_SZ *0" ||
    fail "TileWallpaper is not 0"
  wine reg query "HKCU\\Control Panel\\Desktop" /v Wallpaper 2>/dev/null | grep -qi "Tessera.bmp" ||
    fail "the wallpaper is not the game picture"
  [ -s "$JUEGO_BIN/Records.ovr" ] || fail "no Records.ovr"
  python3 - "$JUEGO_BIN/Records.ovr" <<"FIN" || fail "Records.ovr does not hold the name and a score"
import struct, sys
d = open(sys.argv[1], "rb").read()
assert len(d) == 296, len(d)
nombre = d[16:40].split(b"\0")[0]
assert nombre == b"Zed", nombre
assert struct.unpack("<i", d[40:44])[0] > 0
FIN
  wineserver -k 2>/dev/null
  echo "fin ($pantalla): intro skipped, puzzle finished, video, print-out, wallpaper and honour roll"' _ "$root" "$pantalla"
