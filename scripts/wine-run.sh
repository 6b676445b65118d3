#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (the CTest
# emulator of the Windows build). Exit code is the program's.
#
# The program writes into files that are copied out when it ends: a helper
# process Wine starts on the program's behalf inherits its output handles,
# and must not keep the caller's pipes open after the program has ended.
set -u
. "$(dirname "$0")/wine-env.sh"
wine_prefix_ready
wine_server_warm
salida=$(mktemp) errores=$(mktemp)
trap 'rm -f "$salida" "$errores"' EXIT
wine "$@" >"$salida" 2>"$errores" </dev/null
rc=$?
# A test program always prints before its first test: a failure with no
# output at all is Wine not starting it, seen now and then on a busy
# machine. Said, and tried once more.
if [ $rc != 0 ] && [ ! -s "$salida" ] && [[ " $* " == *" --gtest_"* ]]; then
  echo "wine-run: the program ended ($rc) before printing anything; once more" >&2
  cat "$errores" >&2
  wine "$@" >"$salida" 2>"$errores" </dev/null
  rc=$?
fi
cat "$salida"
cat "$errores" >&2
exit $rc
