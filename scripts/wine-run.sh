#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (the CTest
# emulator of the Windows build). Exit code is the program's.
set -u
. "$(dirname "$0")/wine-env.sh"
wine_prefix_ready
wine_server_warm
exec wine "$@"
