#!/usr/bin/env bash
# giradas.sh WxHxD BIN_DIR: a game of turned pieces in the real game on an
# Xvfb screen: a 3 x 3 puzzle of a picture made now, cut with its pieces
# turned. Each piece is laid on a spot of its own, set upright with right
# clicks and dragged to its place on the left of the table; a piece still
# turned does not join its upright neighbour there. The last join plays
# the finishing video. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena giradas "$1" "$2" copia

IMAGEN="$JUEGO_COPIA/franjas.bmp"
# 240 x 480, blocks of colours of a fixed seed: on the 947 x 640 table it
# lies 320 x 640, cells of 106 x 213.
imagen_bloques "$IMAGEN" 240 480 40 7 || fail "no picture made"

juego_iniciar "Z:${IMAGEN//\//\\},3,3,0,1" || fail "the game did not start with its puzzle"
[ "$FILAS.$COLS" = 3.3 ] || fail "the puzzle is $FILAS x $COLS"
[ ${#P_GIRO[@]} -gt 0 ] || fail "no piece was cut turned"
shot inicio >/dev/null

# A right click at a point; waits for the dump the turn writes.
clic_derecho() {
  local marca
  marca=$(volcado_marca)
  puntero "$1" "$2"
  xdotool click 3
  juego_esperar_volcado "$marca" 10
}
giro() { echo "${P_GIRO[$1]:-0}"; }
# Table point of a spot's middle: three columns and three rows right of the
# puzzle's place, far enough apart that no two pieces there join.
spot_x() { echo $((MESA_X + 430 + $1 % 3 * 195)); }
spot_y() { echo $((MESA_Y + 110 + $1 / 3 * 230)); }
en_spot() {
  local s x y
  read -r x y <<<"$(centro_pieza "$1")"
  for s in 0 1 2 3 4 5 6 7 8; do
    [ "$x" = "$(spot_x $s)" ] && [ "$y" = "$(spot_y $s)" ] && return 0
  done
  return 1
}
# Whether table point (X, Y) of the screen lies on the cell of a piece on
# a spot.
cubierto() {
  local i x y w h
  for i in 0 1 2 3 4 5 6 7 8; do
    en_spot "$i" || continue
    read -r x y <<<"$(centro_pieza "$i")"
    w=$CELDA_W; h=$CELDA_H
    [ $(($(giro "$i") % 2)) = 1 ] && { w=$CELDA_H; h=$CELDA_W; }
    [ $(($1 - x)) -ge $((-w / 2)) ] && [ $(($1 - x)) -le $((w / 2)) ] &&
      [ $(($2 - y)) -ge $((-h / 2)) ] && [ $(($2 - y)) -le $((h / 2)) ] && return 0
  done
  return 1
}
# Each piece to a spot, the rows clear of the pile first: a nudge at the
# middle of one not yet on a spot (one no piece on a spot covers, when
# there is one) tells which piece lies on top there, and that one goes
# from its own middle to a free spot.
for _ in $(seq 1 30); do
  libre=""; k=""
  for s in 0 1 2 6 7 8 3 4 5; do
    ocupado=""
    for i in 0 1 2 3 4 5 6 7 8; do
      read -r x y <<<"$(centro_pieza "$i")"
      [ "$x" = "$(spot_x $s)" ] && [ "$y" = "$(spot_y $s)" ] && ocupado=1
    done
    [ -z "$ocupado" ] && { libre=$s; break; }
  done
  for i in 0 1 2 3 4 5 6 7 8; do
    en_spot "$i" && continue
    [ -z "$k" ] && k=$i
    read -r x y <<<"$(centro_pieza "$i")"
    cubierto "$x" "$y" || { k=$i; break; }
  done
  [ -z "$k" ] && break
  read -r x0 y0 <<<"$(centro_pieza "$k")"
  pieza_movida "$x0" "$y0" $((x0 + 6)) $((y0 + 6)) || fail "no piece moved at $x0,$y0"
  read -r x0 y0 <<<"$(centro_pieza "$MOVIDA")"
  arrastrar "$x0" "$y0" "$(spot_x "$libre")" "$(spot_y "$libre")" || fail "piece $MOVIDA did not go to its spot"
done
for i in 0 1 2 3 4 5 6 7 8; do en_spot "$i" || fail "piece $i found no spot"; done
shot spots >/dev/null

# Right clicks at a piece's middle until it lies upright: each turns it a
# quarter about that point.
enderezar() {
  local n
  for n in 1 2 3 4; do
    [ "$(giro "$1")" = 0 ] && return 0
    read -r x y <<<"$(centro_pieza "$1")"
    clic_derecho "$x" "$y" || fail "a right click on piece $1 turned nothing"
  done
  [ "$(giro "$1")" = 0 ]
}
# Piece k's place: the puzzle's cells from the table's left edge.
destino() { echo $((MESA_X + 20 + $1 % 3 * CELDA_W + CELDA_W / 2)) $((MESA_Y + $1 / 3 * CELDA_H + CELDA_H / 2)); }
colocar() {
  read -r x0 y0 <<<"$(centro_pieza "$1")"
  read -r x1 y1 <<<"$(destino "$1")"
  arrastrar "$x0" "$y0" "$x1" "$y1" || fail "piece $1 was not dragged to its place"
}

enderezar 0 || fail "piece 0 did not come upright"
colocar 0
# Piece 1 at a wrong turn, dropped in its place beside piece 0: no join.
[ "$(giro 1)" = 0 ] && { read -r x y <<<"$(centro_pieza 1)"; clic_derecho "$x" "$y"; }
[ "$(giro 1)" != 0 ] || fail "piece 1 did not turn"
colocar 1
[ "${P_GRUPO[1]}" = 0 ] && [ "${P_GRUPO[0]}" = 0 ] || fail "piece 1 joined piece 0 at turn $(giro 1)"
shot sin-unir >/dev/null
enderezar 1 || fail "piece 1 did not come upright"
colocar 1
[ "${P_GRUPO[1]}" != 0 ] && [ "${P_GRUPO[1]}" = "${P_GRUPO[0]}" ] || fail "piece 1 upright did not join piece 0"
for k in 2 3 4 5 6 7; do
  enderezar "$k" || fail "piece $k did not come upright"
  colocar "$k"
  [ "${P_GRUPO[$k]}" = "${P_GRUPO[0]}" ] || fail "piece $k did not join"
done
enderezar 8 || fail "piece 8 did not come upright"
shot casi >/dev/null
read -r x0 y0 <<<"$(centro_pieza 8)"
read -r x1 y1 <<<"$(destino 8)"
puntero "$x0" "$y0"; esperar_quieta "$(region_mesa)" 10
xdotool mousedown 1
for i in 1 2 3 4 5 6 7 8; do xdotool mousemove $((x0 + (x1 - x0) * i / 8)) $((y0 + (y1 - y0) * i / 8)); sleep 0.03; done
puntero "$x1" "$y1"
xdotool mouseup 1
# The last join: the finishing video plays.
video=$(esperar_video video) || fail "the finishing video did not start"
echo "PASS ($JUEGO_PANTALLA): nine turned pieces set upright with right clicks and joined; a turned one did not join; the finishing video played"
wineserver -k 2>/dev/null
