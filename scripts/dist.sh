#!/usr/bin/env bash
# dist.sh WIN64_BUILD OUTDIR: lays the program out with its data, the way
# it expects to find it beside itself.
#
# OUTDIR may hold a game the player has played: what the player made there
# (saved games in folder\, the honour roll, the settings, the wallpaper,
# pictures of their own in Image\) is kept. Only the program's own files
# are copied over, and those an earlier layout shipped but this one does
# not are removed; OUTDIR/.shipped lists what was shipped.
set -euo pipefail
build=$1
out=$2
bin=$build/bin
mkdir -p "$out/folder"
nuevos=$(mktemp)
trap 'rm -f "$nuevos"' EXIT
(cd "$bin" && { printf '%s\n' Tessera.exe Tessera.rf about.exe; find Image Video Help Music -type f; } | LC_ALL=C sort) >"$nuevos"
if [ -f "$out/.shipped" ]; then
  LC_ALL=C comm -23 <(LC_ALL=C sort "$out/.shipped") "$nuevos" | while IFS= read -r f; do rm -f "$out/$f"; done
fi
while IFS= read -r f; do
  mkdir -p "$out/$(dirname "$f")"
  cmp -s "$bin/$f" "$out/$f" || cp "$bin/$f" "$out/$f"
done <"$nuevos"
cp "$nuevos" "$out/.shipped"
echo "dist: $(cd "$out" && pwd)"
