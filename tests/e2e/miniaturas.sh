#!/usr/bin/env bash
# miniaturas.sh WxHxD BIN_DIR: the picture thumbnails of the new-puzzle
# window of the real game on an Xvfb screen, page by page with the scroll's
# arrows (down through every picture, then back up to the first page): each
# thumbnail must look like a picture scaled down, not like noise. The
# measure is the mean difference between horizontally adjacent grey pixels
# (rugosidad.py): 8-14 for a good thumbnail, 30-48 for a garbled one; above
# 20 fails. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena miniaturas "$1" "$2"

# The pictures in the order the window shows them.
mapfile -t imagenes < <(ls "$JUEGO_BIN/Image/"*.bmp | sort -V)
[ "${#imagenes[@]}" -ge 6 ] || fail "only ${#imagenes[@]} pictures: nothing to page through"

juego_iniciar "" || fail "the game did not start"
# The window (a 610 x 310 picture in a 3-pixel dialog frame), centred; the
# thumbnails in a row, the scroll to their right (arrows 40 and 41 high
# around a 79-pixel grip, from (555, 75)).
X=$(( (W - 616) / 2 + 3 )); Y=$(( (H - 316) / 2 + 3 ))
fila="440x127+$((X + 106))+$((Y + 88))"
clic_ventana 133 37 >/dev/null || fail "the new-puzzle window did not open"
esperar_quieta "$fila" || fail "the thumbnails never settled"

malas=""
informe=""
medir() {  # page (0-based), screenshot name
  local primera=$(( $1 * 5 )) captura nombre valor
  captura=$(shot "$2")
  while read -r nombre valor; do
    informe+=" ${nombre%.bmp}=$valor"
    awk -v v="$valor" "BEGIN { exit !(v > 20) }" && { grep -qw "${nombre%.bmp}" <<<"$malas" || malas+=" ${nombre%.bmp}"; }
  done < <(/usr/bin/python3 -B "$JUEGO_RAIZ/tests/e2e/rugosidad.py" miniaturas "$captura" "$X" "$Y" "${imagenes[@]:primera:5}")
}
paginas=$(( (${#imagenes[@]} + 4) / 5 ))
medir 0 pagina-1
for p in $(seq 1 $((paginas - 1))); do
  clic_cambia "$fila" $((X + 575)) $((Y + 214)) || fail "the scroll did not show page $((p + 1))"
  medir "$p" "pagina-$((p + 1))"
done
for p in $(seq $((paginas - 2)) -1 0); do
  clic_cambia "$fila" $((X + 575)) $((Y + 95)) || fail "the scroll did not go back to page $((p + 1))"
done
medir 0 pagina-1-otra-vez
echo "miniaturas ($JUEGO_PANTALLA):$informe"
[ -z "$malas" ] || fail "garbled thumbnails (roughness above 20) of pictures$malas"
wineserver -k 2>/dev/null
echo "PASS ($JUEGO_PANTALLA): every thumbnail looks like its picture"
