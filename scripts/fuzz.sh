#!/usr/bin/env bash
# fuzz.sh FUZZ_BUILD SECONDS: runs each fuzz target for a bounded time
# (the puzzle-file target for at least five minutes),
# keeping its corpus in the build folder; seeds come from the shared
# bitmap corpus when it is there.
set -u
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
shared=${TESSERA_SHARED_DIR:-$root/../shared}
status=0
for exe in "$build"/fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  if [ "$name" = fuzz_bmp ] && [ -d "$shared/bmpsuite" ]; then
    seeds=("$shared/bmpsuite/g" "$shared/bmpsuite/q" "$shared/bmpsuite/b")
  fi
  [ -d "$root/fuzz/seeds/$name" ] && seeds+=("$root/fuzz/seeds/$name")
  limit=$seconds
  if [ "$name" = fuzz_puzzle_file ] && [ "$limit" -lt 300 ]; then limit=300; fi
  echo "== $name: ${limit}s =="
  if ! "$exe" -max_total_time="$limit" -print_final_stats=1 -artifact_prefix="$build/" "$corpus" "${seeds[@]}" \
      2>"$build/$name.log"; then
    status=1
    tail -n 40 "$build/$name.log"
  else
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|cov:' "$build/$name.log" | tail -n 3
  fi
done
exit $status
