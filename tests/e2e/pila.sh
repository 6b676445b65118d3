#!/usr/bin/env bash
# pila.sh WxHxD BIN_DIR: five pieces of a one-colour picture dragged into a
# pile in the real game, each over the last by half a cell; in the
# screenshot every piece's cut shows: its lit top and left edges, and the
# top piece's shaded edge and shadow. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena pila "$1" "$2"
aqui=$(dirname "$0")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
/usr/bin/python3 -B "$aqui/pila.py" make "$dir/color.bmp" || fail "no picture"

juego_iniciar "Z:${dir//\//\\}\\color.bmp,4,6,0" || fail "the game did not start with its puzzle"
[ "$FILAS.$COLS" = 4.6 ] || fail "the puzzle is $FILAS x $COLS"
shot inicio >/dev/null

# The pile in the empty upper half: each piece half a cell right and 0.4
# of a cell down from the one below it (never a neighbour's place).
esquinas=()
apilada=()
for k in 0 1 2 3 4; do
  juego_leer
  # A piece not on the pile, whose middle no piled piece's box covers.
  p=-1
  for i in $(seq 0 23); do
    [[ " ${apilada[*]:-} " == *" $i "* ]] && continue
    cx=$((P_X[i] + MARGEN_X + CELDA_W / 2)); cy=$((P_Y[i] + MARGEN_Y + CELDA_H / 2)); libre=1
    for j in ${apilada[@]:-}; do
      [ $cx -ge "${P_X[j]}" ] && [ $cx -lt $((P_X[j] + 2 * MARGEN_X + CELDA_W)) ] &&
        [ $cy -ge "${P_Y[j]}" ] && [ $cy -lt $((P_Y[j] + 2 * MARGEN_Y + CELDA_H)) ] && libre=0
    done
    [ $libre = 1 ] && { p=$i; break; }
  done
  [ "$p" -ge 0 ] || fail "no piece left to pile"
  tx=$((20 + k * CELDA_W * 6 / 10)); ty=$((10 + k * CELDA_H * 4 / 10))
  read -r x0 y0 <<<"$(centro_pieza "$p")"
  x1=$((MESA_X + tx + MARGEN_X + CELDA_W / 2)); y1=$((MESA_Y + ty + MARGEN_Y + CELDA_H / 2))
  pieza_movida "$x0" "$y0" "$x1" "$y1" || fail "no piece moved onto the pile"
  # The press may have taken a piece lying over the one aimed at, off its
  # middle: that piece, now on top, goes again from its middle.
  if [ "${P_X[$MOVIDA]}.${P_Y[$MOVIDA]}" != "$tx.$ty" ]; then
    m=$MOVIDA
    read -r x0 y0 <<<"$(centro_pieza "$m")"
    arrastrar "$x0" "$y0" "$x1" "$y1" || fail "piece $m did not go onto the pile"
    [ "${P_X[$m]}.${P_Y[$m]}" = "$tx.$ty" ] || fail "piece $m lies at ${P_X[$m]},${P_Y[$m]}, not $tx,$ty"
    MOVIDA=$m
  fi
  apilada+=("$MOVIDA")
  [ "${P_GRUPO[$MOVIDA]}" = 0 ] || fail "piece $MOVIDA joined a neighbour on the pile"
  esquinas+=("$((MESA_X + P_X[MOVIDA] + MARGEN_X)),$((MESA_Y + P_Y[MOVIDA] + MARGEN_Y))")
done
puntero $((W - 5)) $((H / 2))
esperar_quieta "$(region_mesa)" 10
pila=$(shot pila)
/usr/bin/python3 -B "$aqui/pila.py" check "$pila" "$CELDA_W" "$CELDA_H" "$MARGEN_X" "$MARGEN_Y" "${esquinas[@]}" || fail "a piece's cut does not show in the pile"
wineserver -k 2>/dev/null
echo "PASS ($JUEGO_ESCENA): the cuts of five piled pieces show"
