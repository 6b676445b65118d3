#!/usr/bin/env bash
# dist.sh WIN64_BUILD OUTDIR: lays the program out with its data, the way
# it expects to find it beside itself.
set -euo pipefail
build=$1
out=$2
bin=$build/bin
rm -rf "$out"
mkdir -p "$out/folder"
cp "$bin/Tessera.exe" "$bin/Tessera.rf" "$bin/about.exe" "$out/"
for d in Image Video Help Music; do
  cp -r "$bin/$d" "$out/$d"
done
echo "dist: $(cd "$out" && pwd)"
