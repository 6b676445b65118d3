#!/usr/bin/env bash
# bench.sh BENCH_BUILD OUTDIR: runs every benchmark, one JSON file each.
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
for exe in "$build"/bench/bench_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  name=${name#bench_}
  "$exe" --benchmark_out="$out/$name.json" --benchmark_out_format=json
done
echo "bench: results in $out"
