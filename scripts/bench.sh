#!/usr/bin/env bash
# bench.sh BENCH_BUILD OUTDIR [ARG...]: runs every benchmark, one JSON file
# each; each program is also given the ARGs (a shorter run, a filter).
set -euo pipefail
build=$1
out=$2
shift 2
mkdir -p "$out"
for exe in "$build"/bench/bench_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  name=${name#bench_}
  "$exe" --benchmark_out="$out/$name.json" --benchmark_out_format=json "$@"
done
echo "bench: results in $out"
