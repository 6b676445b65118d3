#!/usr/bin/env bash
# bench-juego.sh BIN_DIR OUTDIR: the times of the real game under Wine on a
# 1920 x 1080 x 24 screen with 840 pieces on the table: presses, drag steps
# and drops (with and without a fit), as the game measures them itself.
# Writes OUTDIR/juego.txt.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)/juego.txt
export JUEGO_BIN=$bin
export TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready

"$root/scripts/xvfb-run.sh" 1920x1080x24 bash -c '
  root=$1; out=$2
  . "$root/tests/e2e/juego_lib.sh"
  JUEGO_DUMP=$(mktemp -d)/volcado.txt
  juego_iniciar "Image\\3.bmp,24,35,0" || { echo "bench-juego: the game did not start"; exit 1; }
  ARRASTRE_PASOS=30
  for n in $(seq 0 9); do
    # A piece off the heap into the empty upper table, then beside its neighbour.
    read -r x0 y0 <<<"$(centro_pieza $((n * 83 + 17)))"
    pieza_movida "$x0" "$y0" $((49 + 40 + n * 160 + MARGEN_X + CELDA_W / 2)) $((78 + 40 + MARGEN_Y + CELDA_H / 2)) ||
      continue
    p=$MOVIDA
    if [ $((p % COLS)) -lt $((COLS - 1)) ]; then k=$((p + 1)); dx=$((-CELDA_W)); else k=$((p - 1)); dx=$CELDA_W; fi
    read -r x0 y0 <<<"$(centro_pieza "$p")"
    arrastrar "$x0" "$y0" $((49 + P_X[k] + dx + 2 + MARGEN_X + CELDA_W / 2)) $((78 + P_Y[k] + 1 + MARGEN_Y + CELDA_H / 2))
  done
  grep "^# time" "$JUEGO_DUMP" | tee "$out"
  wineserver -k 2>/dev/null' _ "$root" "$out"
