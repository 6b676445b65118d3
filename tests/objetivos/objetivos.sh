#!/usr/bin/env bash
# objetivos.sh TARGET ARG... OUT: a short run of a README target that the
# suite does not otherwise run, and a look at what it made, so that a
# target that broke fails the suite. OUT is emptied first.
#   tour BIN_DIR OUT          the tour: one screen, one language, each
#                             window once (TOUR_CORTO); every step reached
#   bench-juego BIN_DIR OUT   the game's own timings, on 48 pieces
#   bench-fotos WIN64 OUT     one small photo added and paged
#   run WIN64 OUT             `make run` without a display, in a fresh
#                             layout: its screenshot shows the table with
#                             pieces, one of them in box 1
#   bench BUILD OUT           every benchmark of the native build once, at
#                             the smaller screen, through scripts/bench.sh
#   contact-sheet COMMAND... OUT  the contact sheets: COMMAND OUT is the
#                             contact-sheet target's command
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
objetivo=$1
salida=${*: -1}
rm -rf "$salida"; mkdir -p "$salida"
salida=$(cd "$salida" && pwd)
fallo() { echo "FAIL ($objetivo): $*"; exit 1; }

# tiempos FILE NAME...: each NAME has a "# time NAME n=N" line with N > 0.
tiempos() {
  local f=$1 nombre
  shift
  for nombre in "$@"; do
    grep -Eq "^# time $nombre n=[1-9]" "$f" || fallo "$(basename "$f") has no timing of $nombre"
  done
}

case "$objetivo" in
  tour)
    TOUR_CORTO=1 TESSERA_WINE_DIR=$root/build/wine "$root/scripts/tour.sh" "$2" "$salida" | tee "$salida/tour.log"
    [ "${PIPESTATUS[0]}" = 0 ] || fallo "the tour stopped"
    # Every step, in order (the tour names each as it takes it), each a
    # screen with something on it.
    pasos="intro mesa-vacia nuevo-imagenes-1 nuevo-imagen-grande mesa caja mensaje-nombre opciones lupa"
    pasos+=" herramientas musica honor idioma guardar abrir mensaje-pregunta info info-imagen acerca mesa-entera mesa-girada"
    pasos+=" video final mensaje-fondo honor-nombre"
    vistos=$(sed -n 's/^  [0-9][0-9]-//p' "$salida/tour.log" | tr '\n' ' ')
    [ "$vistos" = "$pasos " ] || fallo "the steps were: $vistos"
    for f in $(sed -n 's/^  \([0-9][0-9]-.*\)/\1.png/p' "$salida/tour.log"); do
      desviacion=$(convert "$salida/1024x768x24-en/$f" -scale 25% -format "%[fx:standard_deviation]" info:) ||
        fallo "no screenshot $f"
      awk -v d="$desviacion" 'BEGIN { exit !(d > 0.05) }' || fallo "$f shows a blank screen"
    done
    identify "$salida/1024x768x24-en.png" >/dev/null || fallo "no contact sheet"
    ;;
  bench-juego)
    BENCH_JUEGO=corto "$root/scripts/bench-juego.sh" "$2" "$salida" || fallo "the bench stopped"
    tiempos "$salida/juego-corto.txt" press drag drop zoom pan
    tiempos "$salida/juego-corto-giradas.txt" press drag drop
    ;;
  bench-fotos)
    BENCH_FOTOS=corto "$root/scripts/bench-fotos.sh" "$2" "$salida" || fallo "the bench stopped"
    tiempos "$salida/fotos-corto.txt" add_foto1_1843x952 page_1843x952
    grep -q "^# memory add_foto1_1843x952 peak_private_mb=" "$salida/fotos-corto.txt" || fallo "no memory line"
    ;;
  run)
    "$root/scripts/dist.sh" "$2" "$salida/Tessera" >/dev/null || fallo "the program was not laid out"
    env -u DISPLAY "$root/scripts/run.sh" "$salida/Tessera" "$salida/screenshot.png" || fallo "the game did not run"
    # The table's felt with pieces on it, and a piece in box 1, opened at
    # the table's upper left.
    /usr/bin/python3 - "$salida/screenshot.png" <<'PY' || fallo "the screenshot shows no game"
import sys
import numpy as np
from PIL import Image
a = np.asarray(Image.open(sys.argv[1]).convert("RGB")).astype(int)
r, g, b = a[..., 0], a[..., 1], a[..., 2]
fieltro = (g > r + 15) & (g > b + 10) & (r < 90) & (g < 140)
mesa, caja = fieltro[78:718, 49:997].mean(), fieltro[115:373, 64:356].mean()
print(f"{a.shape[1]}x{a.shape[0]}: felt on {mesa:.0%} of the table, {caja:.0%} of box 1")
sys.exit(0 if a.shape[:2] == (768, 1024) and 0.3 < mesa < 0.95 and 0.3 < caja < 0.9 else 1)
PY
    ;;
  bench)
    "$root/scripts/bench.sh" "$2" "$salida" --benchmark_min_time=0.001 --benchmark_filter=-/3840 >"$salida/bench.log" ||
      { tail -n 20 "$salida/bench.log"; fallo "a benchmark program failed"; }
    # Every program's results, with no benchmark that gave up.
    for exe in "$2"/bench/bench_*; do
      [ -x "$exe" ] || continue
      nombre=$(basename "$exe"); nombre=${nombre#bench_}
      /usr/bin/python3 - "$salida/$nombre.json" <<'PY' || fallo "$nombre.json: no results, or a benchmark that failed"
import json, sys
resultados = json.load(open(sys.argv[1]))["benchmarks"]
errores = [b["name"] + ": " + b.get("error_message", "") for b in resultados if b.get("error_occurred")]
print(f"{sys.argv[1]}: {len(resultados)} benchmarks", *errores, sep="\n  ")
sys.exit(1 if errores or not resultados else 0)
PY
    done
    ;;
  contact-sheet)
    "${@:2:$#-2}" "$salida" || fallo "the contact sheets were not made"
    # A sheet for each section of the manifest, each with pictures under its
    # title (alone, 52 pixels high), and the sheet of the fifteen pictures.
    secciones=$(grep -c '^## ' "$root/assets/manifiesto.txt")
    [ "$(ls "$salida"/[0-9][0-9]-*.png | wc -l)" = "$secciones" ] || fallo "not $secciones section sheets"
    for f in "$salida"/*.png; do
      alto=$(identify -format %h "$f") || fallo "$(basename "$f") is no picture"
      [ "$alto" -gt 52 ] || fallo "$(basename "$f") has no pictures"
    done
    [ -f "$salida/imagenes.png" ] || fallo "no sheet of the fifteen pictures"
    ;;
  *)
    echo "objetivos.sh: unknown target $objetivo" >&2
    exit 2
    ;;
esac
echo "PASS ($objetivo)"
