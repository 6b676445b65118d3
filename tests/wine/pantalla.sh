#!/usr/bin/env bash
# pantalla.sh WxHxD program.exe args...: runs a Windows program under Wine
# on a fresh Xvfb screen of that size and depth, in the X11 prefix.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
screen=$1
shift
export TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready
# A server left from another screen would keep drawing there: start clean,
# and leave nothing behind holding the caller's output open.
exec "$root/scripts/xvfb-run.sh" "$screen" bash -c '
  wineserver -k 2>/dev/null; wineserver -w
  wine "$@"; rc=$?
  wineserver -k 2>/dev/null; wineserver -w
  exit $rc' _ "$@"
