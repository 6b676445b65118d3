#!/usr/bin/env bash
# mesa.sh WxHxD BIN_DIR: a table larger than the screen in the real game on
# an Xvfb screen, from a copy of the program's folder: a 2,000-piece puzzle
# on its big table, seen whole (key 0) and from near a corner at half size
# (the wheel, about the pointer); two neighbours joined at that size; the
# view moved by a right-button drag and by a click on the table overview
# (V hides and shows it); a piece into box 1 and back onto the table; the
# game saved (Ctrl+S) and opened (Ctrl+O) with its pieces and its view;
# then a 2 x 2 puzzle finished at twice the size (+ keys), to its video and
# finished picture. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
# Saves, records and the wallpaper are written beside the program: a copy.
juego_escena mesa "$1" "$2" copia

read -r ANCHO_MESA ALTO_MESA <<<"$(tamano_mesa)"
# The overview's screen rectangle while it shows ("" when hidden): kept
# clear of presses and drops.
PLANO=""

# The dump's piece lines, and its `# view` line.
piezas() { grep -v '^#' "$JUEGO_DUMP"; }
linea_vista() { grep '^# view ' "$JUEGO_DUMP"; }
terminado() { grep -qx '# finished 1' "$JUEGO_DUMP"; }

# a_pantalla TX TY: the screen point of a table point, through the view.
a_pantalla() { echo $((MESA_X + ($1 - VISTA_X) * ZOOM / 100)) $((MESA_Y + ($2 - VISTA_Y) * ZOOM / 100)); }
# The table point in the middle of piece i's cell.
medio() { echo $((P_X[$1] + MARGEN_X + CELDA_W / 2)) $((P_Y[$1] + MARGEN_Y + CELDA_H / 2)); }
# en_ventana X Y: a screen point well inside the table window (out of the
# band where a dragged piece scrolls the view) and off the overview.
en_ventana() {
  [ "$1" -ge $((MESA_X + 40)) ] && [ "$1" -lt $((MESA_X + ANCHO_MESA - 40)) ] &&
    [ "$2" -ge $((MESA_Y + 40)) ] && [ "$2" -lt $((MESA_Y + ALTO_MESA - 40)) ] || return 1
  [ -z "$PLANO" ] && return 0
  local px py pw ph
  read -r px py pw ph <<<"$PLANO"
  [ "$1" -lt $((px - 20)) ] || [ "$1" -ge $((px + pw + 20)) ] || [ "$2" -lt $((py - 20)) ] || [ "$2" -ge $((py + ph + 20)) ]
}
# pieza_a_la_vista: sets P to a loose piece whose middle shows.
pieza_a_la_vista() {
  local i x y
  for i in "${!P_X[@]}"; do
    [ "${P_TABLERO[$i]}.${P_GRUPO[$i]}" = 6.0 ] || continue
    read -r x y <<<"$(a_pantalla $(medio "$i"))"
    en_ventana "$x" "$y" && { P=$i; return 0; }
  done
  return 1
}
# par_a_la_vista: sets P and K to loose neighbours, and DX DY to P's place
# from K's corner, such that P's middle and its place beside K both show.
par_a_la_vista() {
  local i d k x y
  for i in "${!P_X[@]}"; do
    [ "${P_TABLERO[$i]}.${P_GRUPO[$i]}" = 6.0 ] || continue
    read -r x y <<<"$(a_pantalla $(medio "$i"))"
    en_ventana "$x" "$y" || continue
    for d in "1 $((-CELDA_W)) 0" "-1 $CELDA_W 0" "$COLS 0 $((-CELDA_H))" "$((-COLS)) 0 $CELDA_H"; do
      read -r k DX DY <<<"$d"
      case "$k" in
        1) [ $((i % COLS)) -lt $((COLS - 1)) ] || continue ;;
        -1) [ $((i % COLS)) -gt 0 ] || continue ;;
      esac
      k=$((i + k))
      [ "$k" -ge 0 ] && [ "$k" -lt $((FILAS * COLS)) ] && [ "${P_TABLERO[$k]}.${P_GRUPO[$k]}" = 6.0 ] || continue
      read -r x y <<<"$(a_pantalla $((P_X[k] + DX + MARGEN_X + CELDA_W / 2)) $((P_Y[k] + DY + MARGEN_Y + CELDA_H / 2)))"
      en_ventana "$x" "$y" && { P=$i; K=$k; return 0; }
    done
  done
  return 1
}
# tecla KEYS: a key that changes the view or the puzzle; waits for the dump.
tecla() {
  local marca
  marca=$(volcado_marca)
  xdotool key "$1"
  juego_esperar_volcado "$marca" 10
}
# panear X0 Y0 DX DY: a right-button drag from (X0, Y0) by DX DY screen
# pixels; waits for the dump the moved view writes.
panear() {
  local marca i
  marca=$(volcado_marca)
  puntero "$1" "$2"
  xdotool mousedown 3
  for i in 1 2 3 4 5 6 7 8; do xdotool mousemove $(($1 + $3 * i / 8)) $(($2 + $4 * i / 8)); sleep 0.03; done
  puntero $(($1 + $3)) $(($2 + $4))
  xdotool mouseup 3
  juego_esperar_volcado "$marca" 10
}
# cerca A B TOL: |A - B| <= TOL.
cerca() { [ $(($1 - $2)) -le "$3" ] && [ $(($2 - $1)) -le "$3" ]; }

juego_iniciar "Image\\3.bmp,40,50,0" || fail "the game did not start with its puzzle"

# ---- A puzzle the screen's table cannot hold, on a larger table ------------
[ "$FILAS.$COLS" = 40.50 ] || fail "the puzzle is $FILAS x $COLS"
[ "$(piezas | awk '$2 == 6' | wc -l)" = 2000 ] || fail "not all 2,000 pieces lie on the table"
[ "$MESA_W" -gt "$ANCHO_MESA" ] && [ "$MESA_H" -gt "$ALTO_MESA" ] ||
  fail "the table is $MESA_W x $MESA_H, not larger than the screen's $ANCHO_MESA x $ALTO_MESA"
piezas | awk -v w="$MESA_W" -v h="$MESA_H" -v mx="$MARGEN_X" -v my="$MARGEN_Y" -v cw="$CELDA_W" -v ch="$CELDA_H" \
  '$3 + mx < 0 || $4 + my < 0 || $3 + mx + cw > w || $4 + my + ch > h { print; exit 1 }' >/dev/null ||
  fail "a piece's cell lies off the $MESA_W x $MESA_H table"
[ "$VISTA_X $VISTA_Y $ZOOM" = "0 0 100" ] || fail "a new game's view is $VISTA_X $VISTA_Y $ZOOM, not 0 0 100"
plano=$(esperar_nombre '^Table overview$' 10) || fail "the table overview did not open by itself"
shot inicio >/dev/null

# ---- Key 0: the whole table, centred where it is narrower -----------------
TABLA="$MESA_W x $MESA_H"
tecla 0 || fail "key 0 changed no view"
[ "$ZOOM" -lt 100 ] || fail "the whole table is seen at $ZOOM %"
# The zoom is a rounded percent: the scale lies within half a percent of it.
awk -v z="$ZOOM" -v vx="$VISTA_X" -v vy="$VISTA_Y" -v w="$MESA_W" -v h="$MESA_H" -v aw="$ANCHO_MESA" -v ah="$ALTO_MESA" 'BEGIN {
  todo = w * (z - 0.5) <= aw * 100 && h * (z - 0.5) <= ah * 100
  lleno = w * (z + 0.5) >= aw * 100 || h * (z + 0.5) >= ah * 100
  cx = 2 * vx + aw * 100 / z - w; cy = 2 * vy + ah * 100 / z - h
  exit !(todo && lleno && vx <= 0 && vy <= 0 && cx * cx <= (aw * 50 / z ^ 2 + 2) ^ 2 && cy * cy <= (ah * 50 / z ^ 2 + 2) ^ 2)
}' || fail "the view $VISTA_X $VISTA_Y at $ZOOM % does not show the $MESA_W x $MESA_H table whole and centred"
esperar_quieta "$(region_mesa)"
entera=$(shot entera)
# Beside the narrower axis the window shows the dark outside, on both sides;
# just inside the table's edge it does not.
color() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }
if [ "$VISTA_X" -lt 0 ]; then
  borde=$((MESA_X + (-VISTA_X) * ZOOM / 100)); y=$((MESA_Y + ALTO_MESA / 2))
  [ "$(color "$entera" $((MESA_X + 2)) $y)" = 28180D ] && [ "$(color "$entera" $((MESA_X + ANCHO_MESA - 3)) $y)" = 28180D ] &&
    [ "$(color "$entera" $((borde + 3)) $y)" != 28180D ] || fail "the whole table is not drawn centred between dark sides"
fi

# ---- The wheel, about the pointer, to half size; V hides the overview -----
xdotool key v
esperar_ventana_ida "$plano" 10 || fail "V did not hide the table overview"
AX=120 AY=100
puntero $((MESA_X + AX)) $((MESA_Y + AY))
for _ in $(seq 1 30); do
  [ "$ZOOM" -ge 48 ] && break
  z0=$ZOOM x0=$VISTA_X y0=$VISTA_Y
  marca=$(volcado_marca)
  xdotool click 4
  juego_esperar_volcado "$marca" 10 || fail "a wheel notch at $z0 % changed no view"
  [ "$ZOOM" -gt "$z0" ] || fail "a wheel notch went from $z0 % to $ZOOM %"
  # Once the table is wider and higher than the window, the table point
  # under the pointer stays there (within the percent's rounding).
  if [ "$x0" -gt 0 ] && [ "$y0" -gt 0 ]; then
    awk -v a="$x0 $y0 $z0" -v b="$VISTA_X $VISTA_Y $ZOOM" -v px=$AX -v py=$AY 'BEGIN {
      split(a, u); split(b, v)
      tx = px * 50 / u[3] ^ 2 + px * 50 / v[3] ^ 2 + 2; ty = py * 50 / u[3] ^ 2 + py * 50 / v[3] ^ 2 + 2
      dx = u[1] + px * 100 / u[3] - v[1] - px * 100 / v[3]; dy = u[2] + py * 100 / u[3] - v[2] - py * 100 / v[3]
      exit !(dx * dx <= tx * tx && dy * dy <= ty * ty)
    }' || fail "the wheel from $x0 $y0 $z0 % to $VISTA_X $VISTA_Y $ZOOM % moved the table point under the pointer"
  fi
done
[ "$ZOOM" -ge 48 ] && [ "$ZOOM" -le 56 ] || fail "the wheel stopped at $ZOOM %, not about 50 %"
esperar_quieta "$(region_mesa)"
shot mitad >/dev/null

# Two neighbours joined at that size, P dropped 4 and 1 screen pixels off
# its place beside K: 8 to 10 table pixels, within the fit's 6 pixels of
# the screen, beyond 6 of the table.
par_a_la_vista || fail "no two neighbours show at $ZOOM %"
p=$P; k=$K
read -r x0 y0 <<<"$(a_pantalla $(medio "$p"))"
read -r x1 y1 <<<"$(a_pantalla $((P_X[k] + DX + MARGEN_X + CELDA_W / 2)) $((P_Y[k] + DY + MARGEN_Y + CELDA_H / 2)))"
arrastrar "$x0" "$y0" $((x1 + 4)) $((y1 - 1)) || fail "the drag of piece $p at $ZOOM % was not seen"
[ "${P_GRUPO[$p]}" != 0 ] && [ "${P_GRUPO[$p]}" = "${P_GRUPO[$k]}" ] ||
  fail "pieces $p and $k did not join at $ZOOM % (groups ${P_GRUPO[$p]} ${P_GRUPO[$k]}, at ${P_X[$p]},${P_Y[$p]} and ${P_X[$k]},${P_Y[$k]})"
[ $((P_X[p] - P_X[k])) = "$DX" ] && [ $((P_Y[p] - P_Y[k])) = "$DY" ] || fail "piece $p did not land in its place beside $k"
esperar_quieta "$(region_mesa)"
shot unidas >/dev/null

# ---- A right-button drag moves the view, not the piece under it -----------
antes=$(piezas); presiones=$N_PRESION
# Pressed on a loose piece with room for the drag left and up.
x0=$((MESA_X + ANCHO_MESA / 2)); y0=$((MESA_Y + ALTO_MESA / 2))
for i in "${!P_X[@]}"; do
  [ "${P_TABLERO[$i]}.${P_GRUPO[$i]}" = 6.0 ] || continue
  read -r x y <<<"$(a_pantalla $(medio "$i"))"
  en_ventana "$x" "$y" && [ "$x" -ge $((MESA_X + 250)) ] && [ "$y" -ge $((MESA_Y + 200)) ] && { x0=$x; y0=$y; break; }
done
vx=$VISTA_X; vy=$VISTA_Y
panear "$x0" "$y0" -200 -150 || fail "a right-button drag changed no view"
cerca "$VISTA_X" $((vx + 200 * 100 / ZOOM)) 1 && cerca "$VISTA_Y" $((vy + 150 * 100 / ZOOM)) 1 ||
  fail "a drag of 200, 150 pixels at $ZOOM % moved the view from $vx $vy to $VISTA_X $VISTA_Y"
[ "$(piezas)" = "$antes" ] && [ "$N_PRESION" = "$presiones" ] || fail "the right-button drag moved a piece"
esperar_quieta "$(region_mesa)"
shot panorama >/dev/null

# ---- V shows the overview again; a click on it brings that spot ----------
xdotool key v
plano=$(esperar_nombre '^Table overview$' 10) || fail "V did not show the table overview again"
eval "$(xdotool getwindowgeometry --shell "$plano")"
PLANO="$X $Y $WIDTH $HEIGHT"
esperar_quieta
shot plano-antes >/dev/null
# The miniature: (4, 35) in the window, 8 and 39 narrower; the whole table
# in it at one scale, centred on the other axis.
read -r s ox oy <<<"$(awk -v w=$((WIDTH - 8)) -v h=$((HEIGHT - 39)) -v mw="$MESA_W" -v mh="$MESA_H" 'BEGIN {
  s = w / mw; if (h / mh < s) s = h / mh
  printf "%.8f %d %d\n", s, int((w - mw * s) / 2), int((h - mh * s) / 2) }')"
# Three quarters across and down, away from the view's frame.
tx=$((MESA_W * 3 / 4)); ty=$((MESA_H * 3 / 4))
[ $tx -gt $((VISTA_X + ANCHO_MESA * 100 / ZOOM)) ] || fail "the overview's target lies in the view already"
read -r cx cy <<<"$(awk -v s="$s" -v tx=$tx -v ty=$ty -v ox="$ox" -v oy="$oy" 'BEGIN { printf "%d %d\n", 4 + ox + int(tx * s), 35 + oy + int(ty * s) }')"
marca=$(volcado_marca)
clic $((X + cx)) $((Y + cy))
juego_esperar_volcado "$marca" 10 || fail "a click on the overview changed no view"
# The view's middle is the clicked spot, to a pixel of the miniature.
tol=$(awk -v s="$s" 'BEGIN { printf "%d\n", 1 / s + 3 }')
cerca $((VISTA_X + ANCHO_MESA * 50 / ZOOM)) $tx "$tol" && cerca $((VISTA_Y + ALTO_MESA * 50 / ZOOM)) $ty "$tol" ||
  fail "a click on the overview at $tx,$ty brought the view to $VISTA_X $VISTA_Y"
puntero $((MESA_X + ANCHO_MESA / 2)) $((MESA_Y + ALTO_MESA / 2))
esperar_quieta
plano_despues=$(shot plano)
# Its brass frame (201, 162, 39) now lies where the view is, in the miniature.
/usr/bin/python3 -B - "$plano_despues" "$X" "$Y" "$s" "$ox" "$oy" "$VISTA_X" "$VISTA_Y" \
  $((ANCHO_MESA * 100 / ZOOM)) $((ALTO_MESA * 100 / ZOOM)) <<'EOF' || fail "the overview's frame is not where the view is"
import sys
import numpy as np
from PIL import Image
x, y = int(sys.argv[2]), int(sys.argv[3])
s = float(sys.argv[4]); ox, oy, vx, vy, vw, vh = map(int, sys.argv[5:11])
a = np.asarray(Image.open(sys.argv[1]).convert("RGB")).astype(int)
mini = a[y + 35:, x + 4:]
ys, xs = np.nonzero((mini == [201, 162, 39]).all(axis=2))
if xs.size < 100:
    sys.exit(f"frame: {xs.size} brass pixels")
visto = (xs.min(), ys.min(), xs.max() + 1, ys.max() + 1)
esperado = (ox + vx * s, oy + vy * s, ox + (vx + vw) * s, oy + (vy + vh) * s)
print(f"frame: seen {visto}, expected {tuple(round(e, 1) for e in esperado)}")
sys.exit(0 if all(abs(v - e) <= 2 for v, e in zip(visto, esperado)) else 1)
EOF

# ---- A piece into box 1 through its button, and back onto the table -------
pieza_a_la_vista || fail "no loose piece shows"
q=$P
read -r x0 y0 <<<"$(a_pantalla $(medio "$q"))"
arrastrar "$x0" "$y0" $((W - 13)) $((H / 2 - 112 + 15)) || fail "the drag of piece $q to box 1 was not seen"
[ "${P_TABLERO[$q]}" = 0 ] || fail "piece $q is on board ${P_TABLERO[$q]}, not in box 1"
antes=$(ventanas)
xdotool key 1
caja=$(esperar_ventana_nueva "$antes" 10) || fail "key 1 did not open box 1"
esperar_quieta
shot caja >/dev/null
eval "$(xdotool getwindowgeometry --shell "$caja")"
# The box's board lies inside its 6-pixel frame, under its 31-pixel title,
# at 1:1; the drop goes to the middle of the table window.
x0=$((X + 6 + P_X[q] + MARGEN_X + CELDA_W / 2)); y0=$((Y + 6 + 31 + P_Y[q] + MARGEN_Y + CELDA_H / 2))
x1=$((MESA_X + ANCHO_MESA / 2)); y1=$((MESA_Y + ALTO_MESA / 2))
arrastrar "$x0" "$y0" "$x1" "$y1" || fail "the drag of piece $q out of box 1 was not seen"
[ "${P_TABLERO[$q]}" = 6 ] || fail "piece $q is on board ${P_TABLERO[$q]}, not back on the table"
# Its middle lies under the pointer, through the view.
cerca $((P_X[q] + MARGEN_X + CELDA_W / 2)) $((VISTA_X + (x1 - MESA_X) * 100 / ZOOM)) 3 &&
  cerca $((P_Y[q] + MARGEN_Y + CELDA_H / 2)) $((VISTA_Y + (y1 - MESA_Y) * 100 / ZOOM)) 3 ||
  fail "piece $q came out of the box at ${P_X[$q]},${P_Y[$q]}, not under the pointer"
xdotool key 1
esperar_ventana_ida "$caja" 10 || fail "key 1 did not close box 1"
puntero $((MESA_X + ANCHO_MESA / 2)) $((MESA_Y + 40))
esperar_quieta
de_la_caja=$(shot de-la-caja)
# The overview still stands over the table: its title as before the box.
read -r px py pw _ <<<"$PLANO"
distinta "$plano_despues" "$de_la_caja" "${pw}x31+$px+$py" 0
[ $? = 1 ] || fail "the table overview is no longer seen once box 1 closed"

# ---- Saved (Ctrl+S) and opened (Ctrl+O): the pieces and the view ----------
guardado=$(piezas); vista=$(linea_vista)
antes=$(ventanas)
xdotool key ctrl+s
v=$(esperar_ventana_nueva "$antes" 10) || fail "Ctrl+S opened no save window"
# "Amplia" comes before "Autosave" in the open window's list.
xdotool type --delay 60 "Amplia"; xdotool key Return
esperar_ventana_ida "$v" 60 || fail "the save window did not close"
[ -s "$JUEGO_BIN/folder/Amplia.epf" ] || fail "nothing saved as Amplia"
esperar_quieta
# A piece moved and the whole table: the game is no longer as saved.
pieza_a_la_vista || fail "no loose piece shows after saving"
read -r x0 y0 <<<"$(a_pantalla $(medio "$P"))"
pieza_movida "$x0" "$y0" $((x0 + 30)) $((y0 + 20)) || fail "no piece moved after saving"
tecla 0 || fail "key 0 changed no view after saving"
[ "$(piezas)" != "$guardado" ] && [ "$(linea_vista)" != "$vista" ] || fail "the game did not change after saving"
# A changed game asks first whether to leave it: yes (the autosave keeps it).
antes=$(ventanas)
xdotool key ctrl+o
m=$(esperar_ventana_nueva "$antes" 10) || fail "Ctrl+O asked nothing about the changed game"
esperar_quieta
shot dejar >/dev/null
clic_cierra "$m" $(( (W - 506) / 2 + 3 + 58 )) $(( (H - 316) / 2 + 3 + 277 )) || fail "the question did not close"
v=$(esperar_ventana_nueva "$antes" 30) || fail "Ctrl+O opened no open window"
esperar_quieta
shot abrir >/dev/null
AX=$(( (W - 516) / 2 + 3 )); AY=$(( (H - 316) / 2 + 3 ))
clic $((AX + 60)) $((AY + 153))
esperar_quieta "510x150+$AX+$((AY + 100))"
marca=$(volcado_marca)
clic $((AX + 59)) $((AY + 277))
juego_esperar_volcado "$marca" 60 || fail "Amplia did not open"
esperar_ventana_ida "$v" 60 || fail "the open window did not close"
esperar_quieta
juego_leer
[ "$(piezas)" = "$guardado" ] || fail "Amplia did not open with its pieces as they were saved"
[ "$(linea_vista)" = "$vista" ] || fail "Amplia opened with \"$(linea_vista)\", not \"$vista\""
shot abierta >/dev/null

# ---- A 2 x 2 puzzle finished at twice the size -----------------------------
juego_iniciar "Image\\3.bmp,2,2,0" || fail "the game did not start with the 2 x 2 puzzle"
[ "$FILAS.$COLS" = 2.2 ] || fail "the puzzle is $FILAS x $COLS"
[ "$MESA_W $MESA_H" = "$ANCHO_MESA $ALTO_MESA" ] || fail "the 2 x 2 puzzle lies on a $MESA_W x $MESA_H table"
PLANO=""
for _ in $(seq 1 8); do tecla plus || fail "+ changed no view at $ZOOM %"; done
[ "$ZOOM" = 200 ] || fail "eight + keys gave $ZOOM %, not 200 %"
# About the window's middle: the table's middle stays there.
cerca $((VISTA_X + ANCHO_MESA / 4)) $((ANCHO_MESA / 2)) 1 && cerca $((VISTA_Y + ALTO_MESA / 4)) $((ALTO_MESA / 2)) 1 ||
  fail "the + keys left the view at $VISTA_X $VISTA_Y"
esperar_quieta
shot doble >/dev/null

# The table part the window shows.
LV=$((ANCHO_MESA * 100 / ZOOM)); HV=$((ALTO_MESA * 100 / ZOOM))
# ver VX VY: the view's corner brought there (within the table) by right-
# button drags from the window's middle.
ver() {
  local dx dy i
  for i in 1 2 3 4 5 6; do
    dx=$((( $1 < 0 ? 0 : $1 > MESA_W - LV ? MESA_W - LV : $1) - VISTA_X))
    dy=$((( $2 < 0 ? 0 : $2 > MESA_H - HV ? MESA_H - HV : $2) - VISTA_Y))
    cerca "$dx" 0 1 && cerca "$dy" 0 1 && return 0
    dx=$((dx * ZOOM / 100)); dy=$((dy * ZOOM / 100))
    dx=$((dx > 400 ? 400 : dx < -400 ? -400 : dx)); dy=$((dy > 280 ? 280 : dy < -280 ? -280 : dy))
    panear $((MESA_X + ANCHO_MESA / 2)) $((MESA_Y + ALTO_MESA / 2)) $((-dx)) $((-dy)) || return 1
  done
  return 1
}
# eje C T M CELDA LV LADO: for one axis of a drag of a piece's corner from
# C to T, prints the pressed point's offset in the piece's cell (its body,
# the middle three fifths) and the view's corner that shows both the press
# and the drop 20 table pixels in; nothing when no view shows both.
eje() {
  awk -v c="$1" -v t="$2" -v m="$3" -v celda="$4" -v lv="$5" -v lado="$6" 'BEGIN {
    for (d = 0; d <= celda * 3 / 10; d++) for (sg = -1; sg <= 1; sg += 2) {
      o = int(celda / 2) + sg * d
      a = c + m + o; b = t + m + o; lo = a < b ? a : b; hi = a < b ? b : a
      v = int((lo + hi - lv) / 2); if (v > lado - lv) v = lado - lv; if (v < 0) v = 0
      if (lo >= v + 20 && hi <= v + lv - 20) { print o, v; exit }
    }
  }'
}
# llevar K TX TY: piece K (on top) dragged until its corner is at TX TY,
# in steps that the window shows whole, the view moved between them.
llevar() {
  local k=$1 tx ty ox vx oy vy x0 y0 x1 y1 i
  for i in $(seq 1 8); do
    [ "${P_X[$k]} ${P_Y[$k]}" = "$2 $3" ] && return 0
    tx=$2; ty=$3
    # Half the way while no view shows the whole of it.
    while :; do
      read -r ox vx <<<"$(eje "${P_X[$k]}" "$tx" "$MARGEN_X" "$CELDA_W" "$LV" "$MESA_W")"
      read -r oy vy <<<"$(eje "${P_Y[$k]}" "$ty" "$MARGEN_Y" "$CELDA_H" "$HV" "$MESA_H")"
      [ -n "$ox" ] && [ -n "$oy" ] && break
      [ -n "$ox" ] || tx=$(((P_X[k] + tx) / 2))
      [ -n "$oy" ] || ty=$(((P_Y[k] + ty) / 2))
    done
    ver "$vx" "$vy" || fail "the view did not come to $vx $vy"
    read -r x0 y0 <<<"$(a_pantalla $((P_X[k] + MARGEN_X + ox)) $((P_Y[k] + MARGEN_Y + oy)))"
    read -r x1 y1 <<<"$(a_pantalla $((tx + MARGEN_X + ox)) $((ty + MARGEN_Y + oy)))"
    pieza_movida "$x0" "$y0" "$x1" "$y1" || fail "piece $k did not move at $ZOOM %"
    [ "$MOVIDA" = "$k" ] || [ "${P_GRUPO[$k]}" != 0 ] && [ "${P_GRUPO[$MOVIDA]}" = "${P_GRUPO[$k]}" ] ||
      fail "a press on piece $k took piece $MOVIDA"
    terminado && return 0
    # The last step lands within the fit's reach: a join pulls it in.
    [ "${P_GRUPO[$k]}" != 0 ] && [ "$tx $ty" = "$2 $3" ] && return 0
    cerca "${P_X[$k]}" "$tx" 2 && cerca "${P_Y[$k]}" "$ty" 2 ||
      fail "piece $k went to ${P_X[$k]},${P_Y[$k]}, not $tx,$ty"
  done
  return 1
}
# The piece on top at a point of piece i's cell away from the cells of the
# pieces already placed (which lie above it): a short nudge shows it. The
# farthest points first; a press that found the felt (a hole of the cut)
# or a placed piece's tab tries the next. Sets M, or fails.
de_arriba() {
  local i=$1 a b x y d o e ox oy puntos
  puntos=$(for a in 1 2 3 4 5 6 7 8 9; do
    for b in 1 2 3 4 5 6 7 8 9; do
      x=$((P_X[i] + MARGEN_X + CELDA_W * a / 10)); y=$((P_Y[i] + MARGEN_Y + CELDA_H * b / 10)); d=100000
      for o in $colocadas; do
        ox=0; oy=0
        [ $x -lt $((P_X[o] + MARGEN_X)) ] && ox=$((P_X[o] + MARGEN_X - x))
        [ $x -ge $((P_X[o] + MARGEN_X + CELDA_W)) ] && ox=$((x - P_X[o] - MARGEN_X - CELDA_W))
        [ $y -lt $((P_Y[o] + MARGEN_Y)) ] && oy=$((P_Y[o] + MARGEN_Y - y))
        [ $y -ge $((P_Y[o] + MARGEN_Y + CELDA_H)) ] && oy=$((y - P_Y[o] - MARGEN_Y - CELDA_H))
        e=$((ox > oy ? ox : oy)); [ $e -lt $d ] && d=$e
      done
      echo "$d $x $y"
    done
  done | sort -rn | head -n 8)
  while read -r d x y; do
    [ "$d" -gt 0 ] || return 1
    ver $((x - LV / 2)) $((y - HV / 2)) || return 1
    read -r x y <<<"$(a_pantalla "$x" "$y")"
    pieza_movida "$x" "$y" $((x + 6)) $((y + 6)) || continue
    [[ " $colocadas " == *" $MOVIDA "* ]] && continue
    M=$MOVIDA
    return 0
  done <<<"$puntos"
  return 1
}
# The finished puzzle's cells from the table's corner, as the solve lays
# them: the first piece placed (A) goes there, the rest beside it.
colocadas=""
for ronda in $(seq 1 10); do
  terminado && break
  [ "$(wc -w <<<"$colocadas")" = 4 ] && break
  m=""
  for i in 0 1 2 3; do
    [[ " $colocadas " == *" $i "* ]] && continue
    de_arriba "$i" && { m=$M; break; }
  done
  [ -n "$m" ] || fail "no press took a piece still to place"
  terminado && break
  if [ -z "$colocadas" ]; then
    a=$m; llevar "$m" $((20 + (m % 2) * CELDA_W - MARGEN_X)) $(((m / 2) * CELDA_H - MARGEN_Y)) || fail "piece $m did not reach its place"
  else
    llevar "$m" $((P_X[a] + (m % 2 - a % 2) * CELDA_W)) $((P_Y[a] + (m / 2 - a / 2) * CELDA_H)) ||
      fail "piece $m did not reach its place beside piece $a"
  fi
  colocadas+=" $m"
  echo "piece $m placed at ${P_X[$m]},${P_Y[$m]} (group ${P_GRUPO[$m]})"
done
# A drop joins one neighbour, and a nudge may have moved a placed piece: a
# piece out of A's group goes to its place beside A again, or, there
# already, is dropped there once more (a table pixel off) to join. A's
# neighbours first: the piece across from it joins nothing of A's dropped
# there again.
for ronda in $(seq 1 8); do
  terminado && break
  otra=""
  for i in $((a ^ 1)) $((a ^ 2)) $((a ^ 3)); do
    [ "$i" != "$a" ] && { [ "${P_GRUPO[$i]}" = 0 ] || [ "${P_GRUPO[$i]}" != "${P_GRUPO[$a]}" ]; } && { otra=$i; break; }
  done
  [ -n "$otra" ] || break
  tx=$((P_X[a] + (otra % 2 - a % 2) * CELDA_W)); ty=$((P_Y[a] + (otra / 2 - a / 2) * CELDA_H))
  if [ "${P_X[$otra]} ${P_Y[$otra]}" != "$tx $ty" ]; then
    llevar "$otra" "$tx" "$ty" || fail "piece $otra did not come back beside piece $a"
  else
    read -r x y <<<"$(medio "$otra")"
    ver $((x - LV / 2)) $((y - HV / 2)) || fail "the view did not come to piece $otra"
    read -r x y <<<"$(a_pantalla "$x" "$y")"
    arrastrar "$x" "$y" $((x + 2)) $((y + 2)) || fail "piece $otra was not dropped again"
  fi
  echo "piece $otra again at ${P_X[$otra]},${P_Y[$otra]} (group ${P_GRUPO[$otra]})"
done
terminado || fail "the 2 x 2 puzzle was not finished at $ZOOM % (groups ${P_GRUPO[*]})"

# The finishing video, then the finished picture, as at 1:1.
video=$(esperar_video video) || fail "the finishing video did not start"
v=$(esperar_ventana_nueva "$(ventanas)") || fail "the finished picture did not follow the video"
esperar_quieta
vista=$(shot terminado)
distinta "$video" "$vista" "300x200+$(( (W - 800) / 2 + 20 ))+$(( (H - 600) / 2 + 20 ))" || fail "the finished picture did not follow the video"
juego_cerrar_final "$v" Mesa
juego_salir $((W - 20)) 15 || fail "the game did not end"
echo "PASS ($JUEGO_PANTALLA): 2,000 pieces on a $TABLA table, whole and at half size, a join, panned, the overview, box 1, saved and opened; 2 x 2 finished at 200 %"
