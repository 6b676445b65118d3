#!/usr/bin/env bash
# bench-juego.sh BIN_DIR OUTDIR: the times of the real game under Wine:
# presses, drag steps and drops (with and without a fit), as the game
# measures them itself, in two cases:
#  - a 1920 x 1080 x 24 screen with 840 pieces on the table: OUTDIR/juego.txt;
#  - a 3840 x 2160 x 24 screen with a 12-megapixel photo (made now, shaped
#    like the table) cut at the largest count the 45-pixel minimum cell
#    allows, about 3,700 pieces: OUTDIR/juego-4k.txt, and a screenshot of
#    the table before the drags, OUTDIR/juego-4k.png.
#  - a table larger than the screen: a 24-megapixel photo (made now) cut
#    at 81 x 122 = 9,882 pieces, on both screens, by bench-mesa.sh: drags
#    at 1:1, at 1:2 and with the whole table shown, zooms, pans, the photo
#    prepared and cut, a save and an open, the peak memory:
#    OUTDIR/juego-10k-1080.txt and juego-10k-4k.txt (and a screenshot of
#    the table at 1:1 beside each); the same asked of a photo just under
#    the 100 megapixels a photo may have, at 160 x 250 = 40,000 pieces,
#    where the game may refuse: OUTDIR/juego-40k-1080.txt and juego-40k-4k.txt.
# The 4K and 10k cases and the quick check run again with the pieces cut
# turned, beside the upright figures: OUTDIR/juego-4k-giradas.txt,
# juego-10k-1080-giradas.txt, juego-10k-4k-giradas.txt, juego-corto-giradas.txt.
# BENCH_JUEGO=1080, 4k, 10k or 40k runs one case only; BENCH_JUEGO=corto a quick
# check that the bench works: a 1024 x 768 x 24 screen, 48 pieces and three
# drags, in OUTDIR/juego-corto.txt.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "$1" && pwd)
mkdir -p "$2"
outdir=$(cd "$2" && pwd)
export JUEGO_BIN=$bin
export TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready
caso=${BENCH_JUEGO:-todos}
rc=0

# The drags each case times, run on its screen with the game started:
# ARRASTRES pieces (every SALTO-th) off the heap into the empty upper
# table, each then beside its neighbour.
arrastres='
  ARRASTRE_PASOS=30
  for n in $(seq 0 $((ARRASTRES - 1))); do
    read -r x0 y0 <<<"$(centro_pieza $((n * SALTO + 17)))"
    pieza_movida "$x0" "$y0" $((49 + 40 + n * 160 + MARGEN_X + CELDA_W / 2)) $((78 + 40 + MARGEN_Y + CELDA_H / 2)) ||
      continue
    p=$MOVIDA
    if [ $((p % COLS)) -lt $((COLS - 1)) ]; then k=$((p + 1)); dx=$((-CELDA_W)); else k=$((p - 1)); dx=$CELDA_W; fi
    read -r x0 y0 <<<"$(centro_pieza "$p")"
    arrastrar "$x0" "$y0" $((49 + P_X[k] + dx + 2 + MARGEN_X + CELDA_W / 2)) $((78 + P_Y[k] + 1 + MARGEN_Y + CELDA_H / 2))
  done
'

# Then the view: two wheel notches in over the table, three arrow keys,
# key 0 back to the whole table; each waits for the dump the change writes.
vistas='
  vista() { marca=$(volcado_marca); "$@"; juego_esperar_volcado "$marca" || echo "bench-juego: no view change ($*)"; }
  puntero $((MESA_X + 300)) $((MESA_Y + 200))
  vista xdotool click 4; vista xdotool click 4
  vista xdotool key Right; vista xdotool key Down; vista xdotool key Left
  vista xdotool key 0
'
export vistas

# plano SCREEN PUZZLE OUT DRAGS STRIDE: a case of a shipped picture; the
# dump's "# time" lines go to OUT.
plano() {
  "$root/scripts/xvfb-run.sh" "$1" bash -c '
    root=$1; out=$2; ARRASTRES=$5; SALTO=$6
    . "$root/tests/e2e/juego_lib.sh"
    JUEGO_DUMP=$(mktemp -d)/volcado.txt
    juego_iniciar "$4" || { echo "bench-juego: the game did not start"; exit 1; }
    eval "$3"
    eval "$vistas"
    grep "^# time" "$JUEGO_DUMP" | tee "$out"
    wineserver -k 2>/dev/null' _ "$root" "$3" "$arrastres" "$2" "$4" "$5"
}

case "$caso" in
  todos|1080) plano 1920x1080x24 "Image\\3.bmp,24,35,0" "$outdir/juego.txt" 10 83 || rc=1 ;;
  corto)
    plano 1024x768x24 "Image\\3.bmp,6,8,0" "$outdir/juego-corto.txt" 3 13 || rc=1
    plano 1024x768x24 "Image\\3.bmp,6,8,0,1" "$outdir/juego-corto-giradas.txt" 3 13 || rc=1 ;;
  4k|10k|40k) ;;
  *) echo "bench-juego: BENCH_JUEGO is 1080, 4k, 10k, 40k or corto" >&2; exit 2 ;;
esac

if [ "$caso" = todos ] || [ "$caso" = 4k ]; then
  "$root/scripts/xvfb-run.sh" 3840x2160x24 bash -c '
    root=$1; out=$2; bin=$3
    . "$root/tests/e2e/juego_lib.sh"
    # Starting, cutting and each settled look of the big table take longer.
    export JUEGO_ESPERA=120
    juego_copia "$bin"
    trap "rm -rf \"\$JUEGO_COPIA\"" EXIT
    # A folder of pictures of its own (the copy links the build'"'"'s), so the
    # photo and its converted copy stay out of the build.
    rm "$JUEGO_BIN/Image"
    mkdir "$JUEGO_BIN/Image"
    find "$bin/Image/" -maxdepth 1 -type f -exec ln -s {} "$JUEGO_BIN/Image/" \;
    read -r mw mh <<<"$(tamano_mesa)"
    # 12 megapixels shaped like the table: fitted, it fills the table.
    read -r fw fh <<<"$(/usr/bin/python3 -c "import math; w = round(math.sqrt(12e6 * $mw / $mh)); print(w, round(w * $mh / $mw))")"
    /usr/bin/python3 -B "$root/bench/wine/fotos_bench.py" "$JUEGO_BIN/Image/foto4k.jpg" "$fw" "$fh" 7 ||
      { echo "bench-juego: no photo"; exit 1; }
    JUEGO_DUMP=$JUEGO_COPIA/volcado.txt
    # A 2 x 2 cut first converts the photo and tells the fitted size (twice
    # the cell); then the largest count whose cells are 45 pixels or more.
    juego_iniciar "Image\\foto4k.jpg,2,2,0" || { echo "bench-juego: the game did not start with the photo"; exit 1; }
    filas=$((2 * CELDA_H / 45)); columnas=$((2 * CELDA_W / 45))
    juego_iniciar "Image\\foto4k.jpg,$filas,$columnas,0" || { echo "bench-juego: the game did not start at 4K"; exit 1; }
    while [ "$CELDA_W" -lt 45 ] || [ "$CELDA_H" -lt 45 ]; do
      [ "$CELDA_W" -lt 45 ] && columnas=$((columnas - 1))
      [ "$CELDA_H" -lt 45 ] && filas=$((filas - 1))
      juego_iniciar "Image\\foto4k.jpg,$filas,$columnas,0" || { echo "bench-juego: the game did not start at 4K"; exit 1; }
    done
    echo "bench-juego 4K: photo ${fw}x${fh}, table ${mw}x${mh}, $FILAS x $COLS = $((FILAS * COLS)) pieces, cell ${CELDA_W}x${CELDA_H}"
    import -window root "${out%.txt}.png"
    ARRASTRES=10 SALTO=83
    eval "$4"
    { grep -E "^# (rows|cols|cell) " "$JUEGO_DUMP"; grep "^# time" "$JUEGO_DUMP"; } | tee "$out"
    # The same drags of the same cut with its pieces turned.
    juego_iniciar "Image\\foto4k.jpg,$filas,$columnas,0,1" || { echo "bench-juego: the game did not start turned"; exit 1; }
    eval "$4"
    { grep -E "^# (rows|cols|cell|margin) " "$JUEGO_DUMP"; grep "^# time" "$JUEGO_DUMP"; } | tee "${out%.txt}-giradas.txt"
    wineserver -k 2>/dev/null' _ "$root" "$outdir/juego-4k.txt" "$bin" "$arrastres" || rc=1
fi

# grande NAME W H ROWS COLS [-giradas]: the big table on both screens, the
# pieces turned with the last argument.
grande() {
  local pantalla sufijo
  for pantalla in 1920x1080x24:1080 3840x2160x24:4k; do
    sufijo=${pantalla#*:}
    echo "bench-juego: $1 pieces at $sufijo${6:+ turned}"
    GIRADA=${6:+1} "$root/scripts/xvfb-run.sh" "${pantalla%:*}" bash "$root/scripts/bench-mesa.sh" "$bin" \
      "$outdir/juego-$1-$sufijo${6:-}.txt" "$2" "$3" "$4" "$5" || rc=1
  done
}
if [ "$caso" = todos ] || [ "$caso" = 10k ]; then
  grande 10k 6000 4000 81 122
  grande 10k 6000 4000 81 122 -giradas
fi
if [ "$caso" = todos ] || [ "$caso" = 40k ]; then grande 40k 12247 8164 160 250; fi
exit $rc
