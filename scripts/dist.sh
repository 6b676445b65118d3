#!/usr/bin/env bash
# dist.sh WIN64_BUILD OUTDIR: lays the program out with its data, the way
# it expects to find it beside itself.
set -euo pipefail
build=$1
out=$2
rm -rf "$out"
mkdir -p "$out"/{Image,Video,Help,folder}
cp "$build/bin/Tessera.exe" "$build/bin/Tessera.rf" "$out/"
for d in Image Video Help; do
  if [ -d "$build/data/$d" ]; then cp -r "$build/data/$d/." "$out/$d/"; fi
done
echo "dist: $(cd "$out" && pwd)"
