#!/usr/bin/env bash
# test.sh NATIVE_BUILD WIN64_BUILD: runs both suites, prints their CTest
# summaries, and fails when either fails.
set -u
native=$1
win64=$2
mkdir -p out
status=0

run_suite() {
  local name=$1 dir=$2 jobs=$3
  echo "== $name suite =="
  (cd "$dir" && ctest --output-on-failure --timeout 300 -j "$jobs") 2>&1 | tee "out/test-$name.log"
  local rc=${PIPESTATUS[0]}
  [ "$rc" -eq 0 ] || status=1
}

run_suite native "$native" "$(nproc)"
# The Wine prefixes are made once here, so that no test pays for it
# within its time limit.
for kind in null sonido x11 impresora; do
  TESSERA_WINE_KIND=$kind bash -c '. "$1/scripts/wine-env.sh" && wine_prefix_ready' _ "$PWD"
done
# The scaled interface's check: display prefixes at 144 and 192 dots per inch.
for dpi in 144 192; do
  TESSERA_WINE_KIND=x11 TESSERA_WINE_DPI=$dpi bash -c '. "$1/scripts/wine-env.sh" && wine_prefix_ready' _ "$PWD"
done
# The installer's test installs into a display prefix of its own.
TESSERA_WINE_DIR=${TESSERA_WINE_DIR:-$PWD/build/wine}/instalador TESSERA_WINE_KIND=x11 \
  bash -c '. "$1/scripts/wine-env.sh" && wine_prefix_ready' _ "$PWD"
run_suite wine "$win64" 2

passed=0
failed=0
echo "== Summaries =="
for name in native wine; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "out/test-$name.log" | tail -n 1)
  echo "$name: ${line:-no summary (the suite did not run)}"
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  else
    status=1
  fi
done
echo "Total: $passed passed, $failed failed"
exit $status
