#!/usr/bin/env bash
# ayudas.sh WxHxD BIN_DIR: the helps for big puzzles in the real game on an
# Xvfb screen, from a copy of the program's folder, all from the keyboard:
# a 6 x 8 puzzle of a picture of coloured blocks made now; Ctrl+E puts the
# loose edge pieces into the first box, named "Edges", and Ctrl+Z takes
# them out again; a join undone with Ctrl+Z and done again with Ctrl+Y;
# Ctrl+G spreads the loose pieces apart and leaves the pair; Ctrl+B shows
# the ghost picture (its pixels checked against the picture) and hides it;
# Escape does not end the game. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
# The ghost setting goes into Tessera.ini beside the program: a copy.
juego_escena ayudas "$1" "$2" copia

IMAGEN="$JUEGO_COPIA/bloques.bmp"
# 280 x 80, blocks of 20 x 20 in colours of a fixed seed. Fitted to the
# 947 x 640 table it lies 947 x 270, cells of 118 x 45: a long strip, so
# that the table has room to spread the inner pieces whole boxes apart.
imagen_bloques "$IMAGEN" 280 80 20 19 || fail "no picture made"

# The dump's piece lines: number, board, place, group, mark.
piezas() { grep -v '^#' "$JUEGO_DUMP"; }
borde() { local r=$(($1 / COLS)) c=$(($1 % COLS)); [ $r = 0 ] || [ $r = $((FILAS - 1)) ] || [ $c = 0 ] || [ $c = $((COLS - 1)) ]; }
read -r ANCHO_MESA ALTO_MESA <<<"$(tamano_mesa)"

# tecla KEYS: a shortcut that changes the puzzle; waits for the dump it writes.
tecla() {
  local marca
  marca=$(volcado_marca)
  xdotool key "$1"
  juego_esperar_volcado "$marca" 10
}

juego_iniciar "Z:${IMAGEN//\//\\},6,8,0" || fail "the game did not start with its puzzle"
[ "$FILAS.$COLS" = 6.8 ] || fail "the puzzle is $FILAS x $COLS"
[ "$CELDA_W.$CELDA_H" = 118.45 ] || fail "cells of $CELDA_W x $CELDA_H, not 118 x 45"
BOX_W=$((CELDA_W + 2 * MARGEN_X)); BOX_H=$((CELDA_H + 2 * MARGEN_Y))

# ---- Ctrl+E: the loose edge pieces into the first box; Ctrl+Z: back --------
# Every loose edge piece in box 1 (board 0); the inner ones and any in a
# group still on the table.
en_la_caja() {
  local i
  for i in "${!P_X[@]}"; do
    if borde "$i" && [ "${P_GRUPO[$i]}" = 0 ]; then
      [ "${P_TABLERO[$i]}" = 0 ] || fail "loose edge piece $i is on board ${P_TABLERO[$i]}, not in box 1"
    else
      [ "${P_TABLERO[$i]}" = 6 ] || fail "piece $i (inner or joined) left the table for board ${P_TABLERO[$i]}"
    fi
  done
}
# What "Edges" looks like in a box's title: box 2 (10 pixels lower right
# than box 1) named so with its pencil, the way a player names a box.
antes=$(ventanas)
xdotool key 2
caja=$(esperar_ventana_nueva "$antes" 10) || fail "key 2 did not open box 2"
m=$(clic_ventana 325 103) || fail "the pencil asked no name"
xdotool type --delay 60 "Edges"; xdotool key Return
esperar_ventana_ida "$m" || fail "the name question did not close"
esperar_quieta
nombrada=$(shot nombrada)
xdotool key 2
esperar_ventana_ida "$caja" 10 || fail "key 2 did not close box 2"
# The box hidden, the keyboard is the game's again: no click needed.
antes=$(piezas)
abiertas=$(ventanas)
tecla ctrl+e || fail "Ctrl+E changed nothing"
en_la_caja
caja=$(esperar_ventana_nueva "$abiertas" 10) || fail "Ctrl+E opened no box"
esperar_quieta
bordes=$(shot bordes)
# The title strip left of the pencil, box 1's against box 2's.
convert "$bordes" -crop 240x26+60+78 +repage "$JUEGO_COPIA/a.png" && convert "$nombrada" -crop 240x26+70+88 +repage "$JUEGO_COPIA/b.png" ||
  fail "no title strips"
[ "$(compare -metric AE "$JUEGO_COPIA/a.png" "$JUEGO_COPIA/b.png" null: 2>&1)" = 0 ] || fail "box 1's title is not \"Edges\""
tecla ctrl+z || fail "Ctrl+Z changed nothing after Ctrl+E"
[ "$(piezas)" = "$antes" ] || fail "Ctrl+Z did not give back the table as it was before Ctrl+E"
# The box keyboard shortcut closes it again.
xdotool key 1
esperar_ventana_ida "$caja" 10 || fail "key 1 did not close box 1"

# ---- A join undone with Ctrl+Z and done again with Ctrl+Y -------------------
pieza_a_la_esquina || fail "no piece moved, or none that can join a neighbour"
p=$P; k=$K
antes=$(piezas)
read -r x0 y0 <<<"$(centro_pieza "$p")"
arrastrar "$x0" "$y0" $((49 + P_X[k] + DX + 3 + MARGEN_X + CELDA_W / 2)) $((78 + P_Y[k] + DY - 2 + MARGEN_Y + CELDA_H / 2))
[ "${P_GRUPO[$p]}" != 0 ] && [ "${P_GRUPO[$p]}" = "${P_GRUPO[$k]}" ] ||
  fail "pieces $p and $k did not join (groups ${P_GRUPO[$p]} ${P_GRUPO[$k]})"
unidas=$(piezas)
tecla ctrl+z || fail "Ctrl+Z changed nothing after the join"
[ "${P_GRUPO[$p]}.${P_GRUPO[$k]}" = 0.0 ] || fail "Ctrl+Z left pieces $p and $k in groups ${P_GRUPO[$p]} ${P_GRUPO[$k]}"
[ "$(piezas)" = "$antes" ] || fail "Ctrl+Z did not put pieces $p and $k back where they were"
tecla ctrl+y || fail "Ctrl+Y changed nothing"
[ "$(piezas)" = "$unidas" ] || fail "Ctrl+Y did not join pieces $p and $k again as they were"
PAR="${P_X[$p]} ${P_Y[$p]} ${P_X[$k]} ${P_Y[$k]}"

# esparcidas PASO_X PASO_Y MARGEN: no two loose pieces of the table closer
# than PASO on both axes (a box, or a cell: then the tabs may overlap),
# each inside the table but for MARGEN, none over the pair's boxes, and
# the pair where it was.
esparcidas() {
  local i j n=0
  [ "${P_X[$p]} ${P_Y[$p]} ${P_X[$k]} ${P_Y[$k]}" = "$PAR" ] || fail "the spread moved the joined pair"
  for i in "${!P_X[@]}"; do
    [ "${P_TABLERO[$i]}.${P_GRUPO[$i]}" = 6.0 ] || continue
    n=$((n + 1))
    (( P_X[i] >= -$3 && P_Y[i] >= -$4 && P_X[i] + BOX_W <= ANCHO_MESA + $3 && P_Y[i] + BOX_H <= ALTO_MESA + $4 )) ||
      fail "piece $i at ${P_X[$i]},${P_Y[$i]} is not wholly on the table"
    for j in "${!P_X[@]}"; do
      [ "$j" -gt "$i" ] || [ "$j" = "$p" ] || [ "$j" = "$k" ] || continue
      [ "${P_TABLERO[$j]}" = 6 ] && { [ "${P_GRUPO[$j]}" = 0 ] || [ "$j" = "$p" ] || [ "$j" = "$k" ]; } || continue
      local px=$1 py=$2
      [ "$j" = "$p" ] || [ "$j" = "$k" ] && { px=$BOX_W; py=$BOX_H; }
      (( P_X[i] - P_X[j] >= px || P_X[j] - P_X[i] >= px || P_Y[i] - P_Y[j] >= py || P_Y[j] - P_Y[i] >= py )) ||
        fail "pieces $i and $j overlap: ${P_X[$i]},${P_Y[$i]} and ${P_X[$j]},${P_Y[$j]}"
    done
  done
  echo "$n loose pieces spread"
}

# ---- Ctrl+G: all the loose pieces, too many for whole boxes apart -----------
tecla ctrl+g || fail "Ctrl+G changed nothing"
esperar_quieta
shot esparcidas >/dev/null
esparcidas "$CELDA_W" "$CELDA_H" "$MARGEN_X" "$MARGEN_Y"
# The edge pieces into the box again; the inner ones have room.
abiertas=$(ventanas)
tecla ctrl+e || fail "Ctrl+E changed nothing the second time"
en_la_caja
caja=$(esperar_ventana_nueva "$abiertas" 10) || fail "Ctrl+E opened no box the second time"
xdotool key 1
esperar_ventana_ida "$caja" 10 || fail "key 1 did not close box 1"
tecla ctrl+g || fail "Ctrl+G changed nothing the second time"
esparcidas "$BOX_W" "$BOX_H" 0 0
esperar_quieta
shot interiores >/dev/null

# ---- Ctrl+B: the ghost picture where the solved puzzle lies, and off again -
# It lies centred on the table, cellW x cols by cellH x rows: the picture
# as the cut scaled it, to the table's width.
GX=$((49 + (ANCHO_MESA - CELDA_W * COLS) / 2)); GY=$((78 + (ALTO_MESA - CELDA_H * FILAS) / 2))
mesa=$(region_mesa)
antes=$(shot sin-fantasma)
firma_antes=$(firma "$mesa")
xdotool key ctrl+b
esperar_cambio "$mesa" "$firma_antes" 10 || fail "Ctrl+B changed nothing on the table"
esperar_quieta "$mesa"
fantasma=$(shot fantasma)
tr -d '\r' <"$JUEGO_BIN/Tessera.ini" | grep -qx "Ghost=1" || fail "Tessera.ini does not keep Ghost=1"
# Where no piece lies: inside, the table moved 80/256 of the way toward the
# picture's colour (blocks' edges left out, where the scaling blends);
# around it, the table is as it was.
/usr/bin/python3 -B - "$IMAGEN" "$antes" "$fantasma" "$JUEGO_DUMP" $GX $GY $((CELDA_W * COLS)) $((CELDA_H * FILAS)) \
  "$ANCHO_MESA" "$ALTO_MESA" <<'EOF2' || fail "the ghost is not the picture, faint, over the table"
import sys
import numpy as np
from PIL import Image
pic, antes, despues, volcado = sys.argv[1:5]
gx, gy, gw, gh, aw, ah = map(int, sys.argv[5:11])
pic = np.asarray(Image.open(pic).convert("RGB")).astype(int)
t = np.asarray(Image.open(antes).convert("RGB")).astype(int)
a = np.asarray(Image.open(despues).convert("RGB")).astype(int)
cab = dict(l[2:].split(None, 1) for l in open(volcado) if l.startswith("# "))
cw, ch = map(int, cab["cell"].split()); mx, my = map(int, cab["margin"].split())
libre = np.zeros(t.shape[:2], bool)
libre[78:78 + ah, 49:49 + aw] = True
for l in open(volcado):
    if l.startswith("#"): continue
    _, tablero, x, y, _, _ = map(int, l.split())
    if tablero == 6: libre[max(0, 78 + y):max(0, 78 + y + ch + 2 * my), max(0, 49 + x):max(0, 49 + x + cw + 2 * mx)] = False
escala = aw / 280
ys, xs = np.mgrid[0:gh, 0:gw]
sx, sy = xs / escala, ys / escala
lejos = (np.abs(sx - np.round(sx / 20) * 20) > 1.2) & (np.abs(sy - np.round(sy / 20) * 20) > 1.2)
dentro = libre[gy:gy + gh, gx:gx + gw] & lejos
ref = pic[np.minimum(sy.astype(int), 79), np.minimum(sx.astype(int), 279)][dentro]
fondo, visto = t[gy:gy + gh, gx:gx + gw][dentro], a[gy:gy + gh, gx:gx + gw][dentro]
lejano = np.abs(ref - fondo) >= 48
r = (visto - fondo)[lejano] / (ref - fondo)[lejano]
bien = np.abs(r - 80 / 256) <= 0.03
print(f"ghost: {dentro.sum()} free pixels, {r.size} channels far from the table, median {np.median(r):.3f}, {bien.mean():.1%} near 80/256")
if r.size < 3000 or bien.mean() < 0.98: sys.exit(1)
alrededor = libre.copy()
alrededor[gy - 4:gy + gh + 4, gx - 4:gx + gw + 4] = False
cambiados = (np.abs(a - t).max(axis=2) > 0) & alrededor
print(f"ghost: {cambiados.sum()} pixels changed outside it")
sys.exit(1 if cambiados.any() else 0)
EOF2
firma_con=$(firma "$mesa")
xdotool key ctrl+b
esperar_cambio "$mesa" "$firma_con" 10 || fail "Ctrl+B again changed nothing on the table"
esperar_quieta "$mesa"
sin=$(shot sin-fantasma-otra-vez)
distinta "$antes" "$sin" "$mesa" 0
[ $? = 1 ] || fail "the table is not as it was before the ghost"
tr -d '\r' <"$JUEGO_BIN/Tessera.ini" | grep -qx "Ghost=0" || fail "Tessera.ini does not keep Ghost=0"

# ---- Escape on the table does not end the game -----------------------------
xdotool key Escape
sleep 1
kill -0 "$JUEGO_PID" 2>/dev/null && esperar_nombre '^Tessera$' 5 >/dev/null || fail "Escape ended the game"
opciones || fail "the options window did not slide up"
read -r x y <<<"$(boton_opcion 6)"
juego_salir "$x" "$y" || fail "the game did not end from the options window"
[ "$JUEGO_CODIGO" = 0 ] || fail "exit code $JUEGO_CODIGO"
echo "PASS ($JUEGO_PANTALLA): edges to box 1 and back, pieces $p and $k joined, undone and redone, spread twice, ghost shown and hidden, Escape kept the game"
