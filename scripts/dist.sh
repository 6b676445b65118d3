#!/usr/bin/env bash
# dist.sh WIN64_BUILD OUTDIR [PACKAGES]: lays the program out with its
# data, the way it expects to find it beside itself. With PACKAGES, what
# was shipped is also packed into that folder as Tessera-VERSION.zip (the
# folder to unpack and play anywhere) and Tessera-VERSION-setup.exe (the
# installer made from installer/Tessera.nsi; DIST_COMPRESOR=zlib makes it
# faster), VERSION from the VERSION file.
#
# OUTDIR may hold a game the player has played: what the player made there
# (saved games in folder\, the honour roll, the settings, the wallpaper,
# pictures of their own in Image\) is kept. Only the program's own files
# are copied over, and those an earlier layout shipped but this one does
# not are removed; OUTDIR/.shipped lists what was shipped.
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
bin=$build/bin
mkdir -p "$out/folder"
nuevos=$(mktemp)
archivos=$(mktemp --suffix=.nsh)
trap 'rm -f "$nuevos" "$archivos"' EXIT
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
[ $# -ge 3 ] || exit 0

raiz=$(cd "$(dirname "$0")/.." && pwd)
version=$(head -n 1 "$raiz/VERSION")
out=$(cd "$out" && pwd)
mkdir -p "$3"
paquetes=$(cd "$3" && pwd)
zip=$paquetes/Tessera-$version.zip
setup=$paquetes/Tessera-$version-setup.exe
rm -f "$zip" "$setup"

# The zip holds the folder under its own name, with an empty folder\ for
# the saves.
nombre=$(basename "$out")
(cd "$out/.." && { echo "$nombre/folder/"; sed "s|^|$nombre/|" "$nombre/.shipped"; } | zip -q -X "$zip" -@)

# The installer's list of files: each copied into its folder under
# $INSTDIR, and removed again, its folders last, the deepest first (a
# folder sorts after the one that holds it).
ruta_windows() { echo "${1//\//\\}"; }
{
  echo '!macro InstalarArchivos'
  antes=
  while IFS= read -r f; do
    d=$(dirname "$f")
    [ "$d" = "$antes" ] || echo "  SetOutPath \"\$INSTDIR$([ "$d" = . ] || echo "\\$(ruta_windows "$d")")\""
    antes=$d
    echo "  File \"$out/$f\""
  done <"$out/.shipped"
  echo '!macroend'
  echo '!macro QuitarArchivos'
  while IFS= read -r f; do echo "  Delete \"\$INSTDIR\\$(ruta_windows "$f")\""; done <"$out/.shipped"
  while IFS= read -r f; do
    d=$(dirname "$f")
    while [ "$d" != . ]; do echo "$d"; d=$(dirname "$d"); done
  done <"$out/.shipped" | LC_ALL=C sort -ru | while IFS= read -r d; do echo "  RMDir \"\$INSTDIR\\$(ruta_windows "$d")\""; done
  echo '!macroend'
} >"$archivos"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DARCHIVOS="$archivos" ${DIST_COMPRESOR:+-DCOMPRESOR=$DIST_COMPRESOR} \
  -DICONO="$build/generated/iconos/programa.ico" -DSALIDA="$setup" "$raiz/installer/Tessera.nsi" >/dev/null
echo "dist: $zip"
echo "dist: $setup"
