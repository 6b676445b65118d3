#!/usr/bin/env bash
# escala.sh BIN_DIR: the real game at 192 dots per inch on a 3840 x 2160
# screen against the same at 96 on 1920 x 1080. At 144 (150 %) the game is
# the 96-dpi one, pixel for pixel: the whole table. The title strip, a piece
# box, the new-puzzle window and the message box must show twice their
# size, each pixel a 2 x 2 block of the 96-dpi one's colour (escala.py;
# letters, drawn at the screen's own size, and the felt are left out). Then,
# at 192 dpi, a game played with clicks at the scaled places: a new puzzle
# of the largest pieces chosen in its window and cut, a piece into a box
# through its button and taken back; then a puzzle of four pieces joined
# into one, which finishes it. Screenshots in out/e2e/.
. "$(dirname "$0")/juego_lib.sh"

if [ -z "${JUEGO_EN_PANTALLA:-}" ]; then
  juego_preparar "$1" copia
  for dpi in 96 144 192; do
    (export TESSERA_WINE_DPI=$dpi; . "$JUEGO_RAIZ/scripts/wine-env.sh"; wine_prefix_ready)
  done
  JUEGO_TOMAS=$(mktemp -d)
  trap 'rm -rf "$JUEGO_COPIA" "$JUEGO_TOMAS"' EXIT
  export JUEGO_TOMAS
  juego_en_pantalla 1920x1080x24 1920x1080x24 96 || exit 1
  juego_en_pantalla 1920x1080x24 1920x1080x24 144 || exit 1
  juego_en_pantalla 3840x2160x24 3840x2160x24 192 || exit 1
  exit 0
fi

pantalla=$1 dpi=$2
export TESSERA_WINE_DPI=$dpi
. "$JUEGO_RAIZ/scripts/wine-env.sh"
JUEGO_ESCENA="escala-$pantalla"
JUEGO_DUMP=$(mktemp -d)/volcado.txt
W=${pantalla%%x*}; resto=${pantalla#*x}; H=${resto%%x*}
shot() { import -window root "$JUEGO_SHOTS/$JUEGO_ESCENA-$1.png"; cp "$JUEGO_SHOTS/$JUEGO_ESCENA-$1.png" "$JUEGO_TOMAS/$dpi-$1.png"; }
fail() { echo "FAIL ($JUEGO_ESCENA): $*"; import -window root "$JUEGO_SHOTS/$JUEGO_ESCENA-fallo.png"; wineserver -k 2>/dev/null; exit 1; }
# The factor the game must choose, and a designed length in screen pixels.
k=$((dpi / 96))
e() { echo $(($1 * k)); }

# origen ID ANCHO ALTO: the client's corner of a framed window whose client
# is ANCHO x ALTO: the frame, as thick on every side, is the system's.
origen() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo $((X + (WIDTH - $2) / 2)) $((Y + (HEIGHT - $3) / 2))
}

juego_iniciar "" || fail "the game did not start"
grep -qx "# dpi $dpi scale $k" "$JUEGO_DUMP" || fail "the dump says $(grep '^# dpi' "$JUEGO_DUMP")"
shot mesa
if [ "$dpi" = 144 ]; then
  d=$(compare -metric AE "$JUEGO_TOMAS/96-mesa.png" "$JUEGO_TOMAS/144-mesa.png" null: 2>&1)
  [ "$d" = 0 ] || fail "at 144 dpi the play screen is not the 96-dpi one ($d pixels differ)"
  wineserver -k 2>/dev/null
  exit 0
fi

# Box 1 through its button, on the right edge.
boton1="$((W - $(e 25) + $(e 12))) $((H / 2 - $(e 112) + $(e 23)))"
clic_ventana $boton1 >/dev/null || fail "box 1 did not open"
shot caja
# Its pencil: the message box that asks the box's name.
m=$(clic_ventana $(( $(e 60) + $(e 300) - $(e 30) - $(e 20) )) $(( $(e 78) + $(e 15) ))) ||
  fail "the name question did not open"
origen "$m" "$(e 480)" "$(e 310)" >"$JUEGO_TOMAS/$dpi-mensaje.pos"
shot mensaje
xdotool key Escape
esperar_quieta
clic $boton1
esperar_quieta

# The new-puzzle window.
nuevo=$(clic_ventana "$(e 133)" "$(e 37)") || fail "the new-puzzle window did not open"
read -r NX NY <<<"$(origen "$nuevo" "$(e 610)" "$(e 310)")"
echo "$NX $NY" >"$JUEGO_TOMAS/$dpi-nuevo.pos"
shot nuevo

if [ "$dpi" = 192 ]; then
  # The sizes: each region at 192 dpi against the 96-dpi one doubled.
  comparar() {  # name, corner at 192, corner at 96, size at 96, masks
    /usr/bin/python3 -B "$JUEGO_RAIZ/tests/e2e/escala.py" "$JUEGO_TOMAS/192-$1.png" $2 "$JUEGO_TOMAS/96-$1.png" \
      $3 $4 "${@:5}" || fail "the $1 is not the 96-dpi one twice over"
  }
  # The strip, but for the clock's figures.
  comparar mesa "0 0" "0 0" "1920 78" "1310,8,190,54"
  # The box but for its name and its felt.
  comparar caja "120 156" "60 78" "300 300" "8,2,120,28" "6,37,288,257"
  # The question but for its text and its field.
  comparar mensaje "$(cat "$JUEGO_TOMAS/192-mensaje.pos")" "$(cat "$JUEGO_TOMAS/96-mensaje.pos")" "480 310" \
    "8,56,472,198" "18,158,230,28"
  # The window but for its thumbnails, read at the screen's size.
  comparar nuevo "$NX $NY" "$(cat "$JUEGO_TOMAS/96-nuevo.pos")" "610 310" "104,86,446,131"

  # On the count page, the picture under its grid dragged from near its
  # upper left corner to the screen's lower right: the largest pieces. OK.
  clic $((NX + $(e 52))) $((NY + $(e 179)))
  esperar_quieta
  x0=$((NX + $(e 140))) y0=$((NY + $(e 70)))
  puntero "$x0" "$y0"
  xdotool mousedown 1
  for f in 1 2 3 4 5 6 7 8; do puntero $((x0 + (W - 10 - x0) * f / 8)) $((y0 + (H - 10 - y0) * f / 8)); sleep 0.1; done
  xdotool mouseup 1
  esperar_quieta
  marca=$(volcado_marca)
  clic $((NX + $(e 159))) $((NY + $(e 277)))
  juego_esperar_volcado "$marca" || fail "OK cut no puzzle"
  [ "$((FILAS * COLS))" -le 300 ] || fail "the puzzle is $FILAS x $COLS: the drag made no larger pieces"
  esperar_quieta
  shot cortado >/dev/null
  # A piece dropped on box button 1 goes into box 1; Ctrl+Z takes it back.
  # (Whichever piece lies on top at piece 0's middle goes.)
  read -r x0 y0 <<<"$(centro_pieza 0)"
  pieza_movida "$x0" "$y0" $boton1 || fail "no piece moved"
  [ "${P_TABLERO[$MOVIDA]}" = 0 ] || fail "piece $MOVIDA did not go into box 1 (board ${P_TABLERO[$MOVIDA]})"
  marca=$(volcado_marca)
  xdotool key ctrl+z
  juego_esperar_volcado "$marca" || fail "Ctrl+Z wrote no dump"
  [ "${P_TABLERO[$MOVIDA]}" = 6 ] || fail "Ctrl+Z did not take piece $MOVIDA back"
  juego_iniciar "Image\\3.bmp,2,2,0" || fail "the game did not start with a small puzzle"
  juego_terminar_2x2 "Image\\3.bmp,2,2,0" || fail "the pieces did not join into one"
  esperar_video final >/dev/null || fail "the finishing video did not start"
fi
wineserver -k 2>/dev/null
exit 0
