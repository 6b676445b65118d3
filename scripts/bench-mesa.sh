#!/usr/bin/env bash
# bench-mesa.sh BIN_DIR OUT W H ROWS COLS: the game with a big table, run by
# bench-juego.sh on its own X screen (DISPLAY and Wine set): a W x H photo
# made now, cut at ROWS x COLS, timed in three runs of the game:
#  - 1:1: drags, a pan with the right button and with the arrow keys, the
#    game saved with Ctrl+S and opened again (the first run also prepares
#    the photo);
#  - 1:2: the wheel out to 50 %, then drags;
#  - whole: key 0 shows the whole table, drags, then the wheel back in.
# Each run's "# time" lines and the game's peak memory go to OUT as a
# table; a cut the game refuses is said there. GIRADA=1 cuts the pieces
# turned.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$1 out=$2 fw=$3 fh=$4 filas=$5 columnas=$6
. "$root/tests/e2e/juego_lib.sh"
export JUEGO_ESPERA=180
juego_copia "$bin"
trap 'rm -rf "$JUEGO_COPIA"' EXIT
rm "$JUEGO_BIN/Image"
mkdir "$JUEGO_BIN/Image"
find "$bin/Image/" -maxdepth 1 -type f -exec ln -s {} "$JUEGO_BIN/Image/" \;
JUEGO_DUMP=$JUEGO_COPIA/volcado.txt
read -r W H < <(xdpyinfo | awk '/dimensions:/ {split($2, t, "x"); print t[1], t[2]}')
pedido="Image\\grande.jpg,$filas,$columnas,0${GIRADA:+,1}"
crudo=$JUEGO_COPIA/crudo.txt
: >"$crudo"
notas=$JUEGO_COPIA/notas.txt
: >"$notas"

/usr/bin/python3 -B "$root/bench/wine/fotos_bench.py" "$JUEGO_BIN/Image/grande.jpg" "$fw" "$fh" 11 ||
  { echo "bench-mesa: no photo" | tee "$out"; exit 1; }

# The peak memory (VmHWM, or the field given, in MB) of the Linux process
# that runs this copy's Tessera.exe (its working folder is the copy's).
memoria() {
  local p
  for p in $(pgrep -f 'Tessera\.exe'); do
    [ "$(readlink "/proc/$p/cwd" 2>/dev/null)" = "$JUEGO_BIN" ] || continue
    awk -v c="${1:-VmHWM}:" '$1 == c {printf "%d\n", $2 / 1024}' "/proc/$p/status" 2>/dev/null
  done | sort -n | tail -n 1
}

# The whole table's scale (from the window's and the table's sizes, as
# the game works it out): the dump's percent is rounded.
escala_entera() {
  read -r vw vh <<<"$(tamano_mesa)"
  awk -v a="$vw" -v b="$vh" -v c="$MESA_W" -v d="$MESA_H" 'BEGIN {e = a / c; if (b / d < e) e = b / d; if (e > 1) e = 1; print e}'
}

# The pieces on the table whose middle lies well inside the table's window
# at scale S (room for the drag to its lower right, none under the overview
# in the upper right corner), every one of them in ten: "piece x y" a line.
en_pantalla() {
  local s=$1 vw vh
  read -r vw vh <<<"$(tamano_mesa)"
  awk -v s="$s" -v vx="$VISTA_X" -v vy="$VISTA_Y" -v mx="$MESA_X" -v my="$MESA_Y" -v vw="$vw" -v vh="$vh" \
    -v cx=$((MARGEN_X + CELDA_W / 2)) -v cy=$((MARGEN_Y + CELDA_H / 2)) '
    $1 != "#" && $2 == 6 {
      x = int(($3 + cx - vx) * s); y = int(($4 + cy - vy) * s)
      if (x < 40 || y < 40 || x > vw - 200 || y > vh - 160 || (x > vw - 420 && y < 300)) next
      if (n++ % 10 == 3) print $1, mx + x, my + y
    }' "$JUEGO_DUMP"
}

# Ten drags of pieces in view at scale S, 120 x 80 screen pixels each.
arrastres() {
  local s=$1 hechos=0 k x0 y0 lista
  ARRASTRE_PASOS=30
  lista=$(en_pantalla "$s")
  while read -r k x0 y0; do
    [ $hechos -ge 10 ] && break
    [ -n "$x0" ] || continue
    arrastrar "$x0" "$y0" $((x0 + 120)) $((y0 + 80)) && hechos=$((hechos + 1))
  done <<<"$lista"
  [ $hechos -ge 10 ] || echo "only $hechos drags at scale $s" | tee -a "$notas"
}

# A key or a wheel notch that changes the view: waits for the dump.
vista() {
  local marca
  marca=$(volcado_marca)
  "$@"
  juego_esperar_volcado "$marca" 60 || echo "bench-mesa: the view did not change ($*)"
}

# iniciar NAME: starts the game with the puzzle; fails (and says why in
# OUT) when no puzzle was cut.
iniciar() {
  juego_iniciar "$pedido" || { echo "the game did not start ($1)" | tee -a "$notas"; return 1; }
  if [ "${FILAS:-0}" = 0 ]; then
    echo "the game cut no puzzle of the ${fw}x${fh} photo at $filas x $columnas (table ${MESA_W}x${MESA_H})" | tee -a "$notas"
    return 1
  fi
  echo "$1: $FILAS x $COLS = $((FILAS * COLS)) pieces, cell ${CELDA_W}x${CELDA_H}, margin ${MARGEN_X}x${MARGEN_Y}, table ${MESA_W}x${MESA_H}, view ${VISTA_X} ${VISTA_Y} ${ZOOM}%; started: peak $(memoria) MB, resident $(memoria VmRSS) MB" | tee -a "$notas"
}

# Notes the run's figures in the raw file: one "RUN NAME n median worst" a
# line, and "RUN mem MB".
anotar() {
  grep "^# time" "$JUEGO_DUMP" | awk -v c="$1" '{sub("n=", "", $4); sub("median_ms=", "", $5); sub("worst_ms=", "", $6); print c, $3, $4, $5, $6}' >>"$crudo"
  echo "$1 mem $(memoria)" >>"$crudo"
  echo "$1: at the end: peak $(memoria) MB, resident $(memoria VmRSS) MB" >>"$notas"
  wineserver -k 2>/dev/null
}

llano() {
  iniciar 1:1 || { anotar 1:1; return 1; }
  import -window root "${out%.txt}.png"
  arrastres 1
  # A pan with the right button, 30 moves of 12 pixels, then arrow keys.
  read -r vw vh <<<"$(tamano_mesa)"
  puntero $((MESA_X + vw / 2)) $((MESA_Y + vh / 2))
  local marca i
  marca=$(volcado_marca)
  xdotool mousedown 3
  for i in $(seq 1 30); do xdotool mousemove $((MESA_X + vw / 2 - 12 * i)) $((MESA_Y + vh / 2 - 8 * i)); sleep 0.03; done
  xdotool mouseup 3
  juego_esperar_volcado "$marca" 60 || echo "bench-mesa: the right button did not pan"
  for i in Right Right Down Right Down Left Up Left Right Down; do vista xdotool key "$i"; done
  # Saved as "grande", then opened from the file window.
  local v e=${ESCALA:-1}
  v=$(ventanas)
  xdotool key ctrl+s
  v=$(esperar_ventana_nueva "$v") || echo "bench-mesa: Ctrl+S opened no window"
  esperar_quieta >/dev/null
  xdotool type --delay 60 "grande"; xdotool key Return
  esperar_ventana_ida "$v" 120 || echo "bench-mesa: the save window did not close"
  [ -s "$JUEGO_BIN/folder/grande.epf" ] || echo "bench-mesa: nothing saved"
  esperar_quieta >/dev/null
  v=$(ventanas)
  xdotool key ctrl+o
  v=$(esperar_ventana_nueva "$v") || echo "bench-mesa: Ctrl+O opened no window"
  esperar_quieta >/dev/null
  local ax=$(( (W - 516 * e) / 2 + 3 * e )) ay=$(( (H - 316 * e) / 2 + 3 * e ))
  clic $((ax + 60 * e)) $((ay + 153 * e))
  esperar_quieta "$((510 * e))x$((150 * e))+$ax+$((ay + 100 * e))" >/dev/null
  marca=$(volcado_marca)
  clic $((ax + 59 * e)) $((ay + 277 * e))
  if ! juego_esperar_volcado "$marca" 120; then
    echo "the saved game did not open" | tee -a "$notas"
    import -window root "${out%.txt}-abrir.png"
    # The message, then the file window, away.
    xdotool key Return; sleep 1; xdotool key Escape
  fi
  esperar_ventana_ida "$v" 60 || echo "bench-mesa: the open window did not close"
  esperar_quieta >/dev/null
  # A pan writes the dump again, with the save's time in it.
  vista xdotool key Left
  anotar 1:1
}

mitad() {
  iniciar 1:2 || { anotar 1:2; return 1; }
  read -r vw vh <<<"$(tamano_mesa)"
  puntero $((MESA_X + vw / 2)) $((MESA_Y + vh / 2))
  local i
  for i in $(seq 1 12); do
    [ "$ZOOM" -le 50 ] && break
    vista xdotool click 5
  done
  [ "$ZOOM" = 50 ] || echo "bench-mesa: the wheel left the view at $ZOOM %"
  arrastres 0.5
  anotar 1:2
}

entera() {
  iniciar entera || { anotar entera; return 1; }
  vista xdotool key 0
  arrastres "$(escala_entera)"
  read -r vw vh <<<"$(tamano_mesa)"
  puntero $((MESA_X + vw / 3)) $((MESA_Y + vh / 3))
  local i
  for i in $(seq 1 8); do vista xdotool click 4; done
  anotar entera
}

llano && { mitad; entera; }

# The table: each run's drags, then the table's own operations.
awk -v foto="${fw}x${fh}" -v pedido="$filas x $columnas" -v pantalla="${W}x${H}" -v girada="${GIRADA:-}" '
  { v[$1 " " $2] = $3 " " $4 " " $5; if ($2 == "mem") m[$1] = $3 }
  function f(c, n,   a) { if (!((c " " n) in v)) return "-"; split(v[c " " n], a, " "); return a[1] ? a[2] " (" a[1] ")" : "-" }
  function w(c, n,   a) { if (!((c " " n) in v)) return "-"; split(v[c " " n], a, " "); return a[1] ? a[3] : "-" }
  END {
    printf "screen %s, photo %s cut at %s%s\n\n", pantalla, foto, pedido, girada ? ", pieces turned" : ""
    printf "%-7s %22s %12s %22s %22s %9s\n", "view", "drag median (n)", "drag worst", "press median (n)", "drop median (n)", "peak MB"
    split("1:1 1:2 entera", c, " ")
    for (i = 1; i <= 3; i++)
      printf "%-7s %22s %12s %22s %22s %9s\n", c[i], f(c[i], "drag"), w(c[i], "drag"), f(c[i], "press"), f(c[i], "drop"), m[c[i]] != "" ? m[c[i]] : "-"
    printf "\n%-22s %22s %12s\n", "operation (run)", "median ms (n)", "worst ms"
    split("zoom:1:2 zoom:entera pan:1:1 prepare:1:1 cut:1:1 cut:1:2 save:1:1 open:1:1", o, " ")
    for (i = 1; i <= 8; i++) { split(o[i], p, ":"); r = p[2] (p[3] != "" ? ":" p[3] : "")
      printf "%-22s %22s %12s\n", p[1] " (" r ")", f(r, p[1]), w(r, p[1]) }
  }' "$crudo" | tee "$out"
{ echo; cat "$notas"; } | tee -a "$out"
