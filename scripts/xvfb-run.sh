#!/usr/bin/env bash
# xvfb-run.sh WxHxD command...: runs a command with DISPLAY on its own Xvfb
# (a free display number, the given screen), then stops that server.
set -u
screen=$1; shift
for n in $(seq 70 199); do
  [ -e "/tmp/.X$n-lock" ] && continue
  Xvfb ":$n" -screen 0 "$screen" -br -nolisten tcp >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null && xdpyinfo -display ":$n" >/dev/null 2>&1; then
    export DISPLAY=":$n"
    "$@"
    rc=$?
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    exit $rc
  fi
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
done
echo "xvfb-run.sh: no free display" >&2
exit 1
