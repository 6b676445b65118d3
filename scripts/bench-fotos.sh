#!/usr/bin/env bash
# bench-fotos.sh WIN64_BUILD OUTDIR: the player's photos under Wine, with
# five 12-megapixel JPEG photos made now (bench/wine/fotos_bench.py): adding
# one to an empty cache, the memory that takes (a fresh process each time),
# and paging the picture list once they are converted, for the tables of a
# 1920 x 1080 and a 3840 x 2160 screen. Writes OUTDIR/fotos.txt.
# BENCH_FOTOS=corto: a quick check that the bench works, with one
# 800 x 600 photo, once each, for the smaller table, in OUTDIR/fotos-corto.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
if [ "${BENCH_FOTOS:-}" = corto ]; then
  corto=1 out=$(cd "$2" && pwd)/fotos-corto.txt REPS=${REPS:-1} MEMORIAS=${MEMORIAS:-1}
else
  corto=0 out=$(cd "$2" && pwd)/fotos.txt REPS=${REPS:-7} MEMORIAS=${MEMORIAS:-3}
fi
exe=$build/bench/bench_fotos.exe
[ -f "$exe" ] || { echo "bench-fotos: $exe is missing (make win64)"; exit 1; }
# Windows' view of a Unix path.
z() { local p=${1//\//\\}; echo "Z:$p"; }

export TESSERA_WINE_KIND=null
. "$root/scripts/wine-env.sh"
wine_prefix_ready
wine_server_warm || true

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo "bench-fotos: making the photos"
fotos=()
if [ $corto = 0 ]; then
  /usr/bin/python3 -B "$root/bench/wine/fotos_bench.py" "$tmp"
  for k in 1 2 3 4 5; do fotos+=("$(z "$tmp/foto$k.jpg")"); done
  mesas=("1843 952" "3763 2032")
  descripcion="4000x3000 JPEG, foto1 with EXIF orientation 6"
else
  /usr/bin/python3 -B "$root/bench/wine/fotos_bench.py" "$tmp/foto1.jpg" 800 600 1
  fotos=("$(z "$tmp/foto1.jpg")")
  mesas=("1843 952")
  descripcion="800x600 JPEG"
fi
correr() { wine "$exe" "$@" </dev/null; }

{
  echo "# bench-fotos $(date -u +%FT%TZ) $(git -C "$root" rev-parse --short HEAD 2>/dev/null)"
  echo "# photos: $descripcion, $(du -b "$tmp"/foto1.jpg | cut -f1) to" \
       "$(du -b "$tmp"/foto*.jpg | cut -f1 | sort -n | tail -n 1) bytes"
  for mesa in "${mesas[@]}"; do
    read -r w h <<<"$mesa"
    echo "# table ${w}x${h} (screen $((w + 77))x$((h + 128)))"
    cache=$tmp/cache-${w}x${h}
    mkdir -p "$cache"
    for foto in "${fotos[@]:0:2}"; do correr anadir "$foto" "$w" "$h" "$(z "$cache")\\" "$REPS"; done
    for _ in $(seq 1 "$MEMORIAS"); do correr memoria "${fotos[0]}" "$w" "$h" "$(z "$cache")\\"; done
    correr paginas "$w" "$h" "$(z "$cache")\\" "$REPS" "${fotos[@]}"
  done
} | tee "$out"
echo "bench-fotos: $out"
