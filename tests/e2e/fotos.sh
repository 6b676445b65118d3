#!/usr/bin/env bash
# fotos.sh WxHxD BIN_DIR: a player's own photo through the whole journey in
# the real game on an Xvfb screen, from a copy of the program's folder. A
# JPEG of nine coloured blocks (bloques.py), made now in a folder of its own
# with accents in its name, is added through the new-puzzle window's add
# button and the system's open dialog (its path typed into the name field):
# it is copied into Image, its thumbnail shows its blocks, it is cut as a
# 3 x 3 puzzle from its converted copy in Image\Cache, solved with the tools
# window, and the table shows its blocks. A 3 x 3 of it is saved with a
# piece moved and opened again after another puzzle. A 2 x 2 of it is
# finished by hand: its finished-picture page (its name, no story), a
# print-out on the test printer, the wallpaper, the honour roll.
# Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
# The game writes beside itself, and adding a picture writes into Image:
# a copy, with a folder of pictures of its own.
juego_escena fotos "$1" "$2" copia
if [ -L "$JUEGO_BIN/Image" ]; then
  compartida=$(readlink "$JUEGO_BIN/Image")
  rm "$JUEGO_BIN/Image" && cp -r "$compartida" "$JUEGO_BIN/Image" || fail "no folder of pictures of its own"
fi
medida() { /usr/bin/python3 -B "$JUEGO_RAIZ/tests/e2e/bloques.py" "$@"; }
# Its checks, quiet unless a block is wrong.
bloques() {
  local salida
  salida=$(medida "$@") || { echo "$salida"; return 1; }
}

# xdotool types a capital accented letter as a small one, so the accents
# here are small ones: the game must keep the name exactly as chosen.
NOMBRE="été à Kraków"
fuera=$(mktemp -d)
trap 'rm -rf "$fuera"' EXIT
mkdir "$fuera/zdjęcia"
FOTO="$fuera/zdjęcia/$NOMBRE.jpg"
# 135 pixels square: the shortest side a puzzle may have, so at the
# picture's natural size (the size page's natural button) the most pieces
# its 45-pixel minimum allows are 3 x 3. At the fitted size, the smallest
# count of a square picture on this table is 4 x 4 already.
bloques foto "$FOTO" 135 || fail "no photo made"

izq=$(( (W - 800) / 2 )); arr=$(( (H - 600) / 2 ))
# The new-puzzle window: a 610 x 310 picture in a 3-pixel frame, centred.
X=$(( (W - 616) / 2 + 3 )); Y=$(( (H - 316) / 2 + 3 ))
fila="440x127+$((X + 106))+$((Y + 88))"
pagina="500x230+$((X + 105))+$Y"

# The pictures of the list, and where the photo shows: last, on the page
# that ends the list (the list pages five at a time, never past its end).
ultima_pagina() {
  N=$(find "$JUEGO_BIN/Image" -maxdepth 1 -type f \( -iname '*.bmp' -o -iname '*.jpg' \) | wc -l)
  local i=$((N - 1)) primera
  primera=$((i - i % 5)); [ $primera -gt $((N - 5)) ] && primera=$((N - 5)); [ $primera -lt 0 ] && primera=0
  RANURA=$((i - primera))
}
# The photo's thumbnail, 82 pixels square in its 86 x 127 window, must
# show its blocks.
mira_miniatura() {
  local captura
  captura=$(shot "$1")
  bloques mira "$captura" "82x82+$((X + 106 + 89 * RANURA + 2))+$((Y + 88 + 22))" ||
    fail "the thumbnail does not show the photo ($1)"
}
# The size page, then its natural-size button: 3 x 3 (see above); OK cuts it.
cortar_3x3() {
  local marca
  clic_cambia "$pagina" $((X + 52)) $((Y + 109 + 22)) || fail "the size page did not come up"
  clic $((X + 452 + 35)) $((Y + 134 + 35))
  esperar_quieta "$pagina"
  shot tamano >/dev/null
  marca=$(volcado_marca)
  clic $((X + 159)) $((Y + 277))
  juego_esperar_volcado "$marca" || fail "OK cut no puzzle"
  [ "$FILAS.$COLS" = 3.3 ] || fail "the photo was cut ${FILAS:-0} x ${COLS:-0}, not 3 x 3"
  [ "${#P_X[@]}" = 9 ] || fail "${#P_X[@]} pieces for 3 x 3"
  esperar_ventana_ida "$1" || fail "the new-puzzle window is still there"
  esperar_quieta
}

# ---- Added through the open dialog -----------------------------------------
ultima_pagina
enviadas=$N
juego_iniciar "" || fail "the game did not start"
[ "${#P_X[@]}" = 0 ] || fail "the table is not empty at start"
v=$(clic_ventana 133 37) || fail "the new-puzzle window did not open"
esperar_quieta "$fila"
shot ventana >/dev/null
primeras=$(firma "$fila")
# The add button stands between help and preview, at (320, 235) in the window.
d=$(clic_ventana $((X + 320 + 35)) $((Y + 235 + 35))) || fail "the add button opened no dialog"
[ "$(xdotool getwindowname "$d")" = "Add pictures" ] || fail "the window that came is not the open dialog"
# The name field has the keyboard when the dialog opens. On a busy machine
# xdotool now and then loses a letter it types through a borrowed key (the
# accented ones): the dialog then says the path does not exist, and the
# path is typed again over the old one.
ruta="Z:${FOTO//\//\\}"
for intento in 1 2 3; do
  xdotool type --delay 40 "$ruta"
  shot dialogo >/dev/null
  antes=$(ventanas)
  xdotool key Return
  # Either the dialog goes, or its warning comes.
  aviso=""
  for _ in $(seq 1 300); do
    ventanas | grep -qx "$d" || break
    aviso=$(esperar_ventana_nueva "$antes" 0) && break
    sleep 0.1
  done
  [ -z "$aviso" ] && break
  echo "retrying: the open dialog did not find the path it was given"
  xdotool key Return
  esperar_ventana_ida "$aviso" || fail "the open dialog's warning did not close"
  xdotool key ctrl+a BackSpace
done
ventanas | grep -qx "$d" && fail "the open dialog did not close"
# The list pages to the photo once it is in.
esperar_cambio "$fila" "$primeras" || fail "the thumbnails did not page to the photo"
esperar_quieta "$fila"
copia="$JUEGO_BIN/Image/$NOMBRE.jpg"
[ -f "$copia" ] || fail "the photo is not in Image under its own name: $(ls "$JUEGO_BIN/Image" | tr '\n' ' ')"
cmp -s "$FOTO" "$copia" || fail "the copy in Image differs from the photo"
ultima_pagina
[ "$N" = $((enviadas + 1)) ] || fail "$N pictures in Image, not the $enviadas shipped and the photo"
mira_miniatura agregada

# ---- Cut as 3 x 3 from its converted copy, and solved ----------------------
cortar_3x3 "$v"
convertidas=("$JUEGO_BIN/Image/Cache/"*.foto.bmp)
[ "${#convertidas[@]}" = 1 ] && [ -f "${convertidas[0]}" ] || fail "not one converted copy in Image\\Cache"
CONVERTIDA=$(basename "${convertidas[0]}")
[ "$(identify -format %wx%h "${convertidas[0]}")" = 135x135 ] || fail "the converted copy is not 135 x 135"
bloques bmp "${convertidas[0]}" >/dev/null || fail "the converted copy does not show the photo's blocks"
[ "$(cat "$JUEGO_BIN/Image/Cache/${CONVERTIDA%%-*}.nombre")" = "$NOMBRE" ] || fail "the converted copy's name note is not the photo's name"

herramientas || fail "the tools window did not slide out"
read -r x y <<<"$(boton_herramienta 1)"
marca=$(volcado_marca)
pregunta=$(clic_ventana "$x" "$y") || fail "the solve button did not ask first"
xdotool key Return
esperar_ventana_ida "$pregunta" || fail "the solve question did not close"
juego_esperar_volcado "$marca" || fail "yes to the solve question did nothing"
for i in $(seq 0 8); do
  [ $((P_X[i] - P_X[0])).$((P_Y[i] - P_Y[0])) = $((CELDA_W * (i % 3))).$((CELDA_H * (i / 3))) ] ||
    fail "piece $i is not in its place after solving"
done
puntero $((W / 2)) $((H - 140))
esperar_quieta
resuelto=$(shot resuelto)
bloques mira "$resuelto" "$((3 * CELDA_W))x$((3 * CELDA_H))+$((49 + P_X[0] + MARGEN_X))+$((78 + P_Y[0] + MARGEN_Y))" ||
  fail "the solved puzzle does not show the photo"

# ---- Saved and opened again -------------------------------------------------
estado() { local i; for i in "${!P_X[@]}"; do printf "%s " "$i:${P_TABLERO[$i]}:${P_X[$i]}:${P_Y[$i]}:${P_GRUPO[$i]}"; done; }
opcion() {
  local x y
  opciones || fail "the options window did not slide up"
  read -r x y <<<"$(boton_opcion "$1")"
  clic_ventana "$x" "$y"
}
v=$(clic_ventana 133 37) || fail "the new-puzzle window did not open again"
esperar_quieta "$fila"
# Down to the last page, then the photo.
for _ in $(seq 1 $(( (N - 5 + 4) / 5 ))); do
  clic_cambia "$fila" $((X + 575)) $((Y + 214)) || fail "the scroll did not page down"
done
clic_cambia "$fila" $((X + 106 + 89 * RANURA + 43)) $((Y + 88 + 63)) || fail "the photo's thumbnail was not chosen"
mira_miniatura elegida
cortar_3x3 "$v"
read -r x0 y0 <<<"$(centro_pieza 4)"
pieza_movida "$x0" "$y0" $(hacia_el_centro "$x0" "$y0" 60) || fail "no piece moved"
guardado=$(estado)
carpeta="$JUEGO_BIN/folder"
v=$(opcion 4) || fail "the save window did not open"
xdotool type --delay 60 "foto"; xdotool key Return
esperar_ventana_ida "$v" || fail "the save window did not close"
[ -s "$carpeta/foto.epf" ] || fail "nothing saved as foto"
esperar_quieta
# The saved game names the converted copy it was cut from.
guardada=$(/usr/bin/python3 -c 'import sys; print(open(sys.argv[1], "rb").read()[40:300].split(b"\0")[0].decode("latin-1"))' "$carpeta/foto.epf")
[[ "$guardada" == *'\Image\Cache\'"$CONVERTIDA" ]] || fail "the saved game's picture is $guardada"

# Another puzzle (the first picture, as the window offers it), then the save.
v=$(clic_ventana 133 37) || fail "the new-puzzle window did not open a third time"
marca=$(volcado_marca)
clic $((X + 159)) $((Y + 277))
juego_esperar_volcado "$marca" || fail "no other puzzle was cut"
esperar_ventana_ida "$v" || fail "the new-puzzle window did not close"
esperar_quieta
[ "$(estado)" != "$guardado" ] || fail "no other puzzle was cut"
# The file window lists its games by name: the autosave, if any, first.
AX=$(( (W - 516) / 2 + 3 )); AY=$(( (H - 316) / 2 + 3 ))
n=0; [ -e "$carpeta/Autosave.epf" ] && n=1
v=$(opcion 3) || fail "the open window did not open"
clic $((AX + 111 * n + 60)) $((AY + 153))
esperar_quieta "510x150+$AX+$((AY + 100))"
marca=$(volcado_marca)
clic $((AX + 59)) $((AY + 277))
juego_esperar_volcado "$marca" || fail "the saved game did not open"
esperar_ventana_ida "$v" || fail "the open window did not close"
esperar_quieta
[ "$(estado)" = "$guardado" ] || fail "the saved game did not open as it was saved"
# Each piece shows its block where the dump puts it. A busy machine may
# still owe the repaint of where the open window was, so a few shots.
celdas=$(for i in $(seq 0 8); do
  echo "$((49 + P_X[i] + MARGEN_X)) $((78 + P_Y[i] + MARGEN_Y)) $CELDA_W $CELDA_H"
done)
fin=$((SECONDS + 10))
until visto=$(bloques piezas "$(shot abierta)" <<<"$celdas"); do
  [ $SECONDS -lt $fin ] || { echo "$visto"; fail "the saved game's pieces do not show the photo"; }
  sleep 1
done

# ---- Finished by hand: its page, the print-out, the wallpaper, the roll ----
# The start-up hook takes the photo (by its name in Image, accents and
# all) as the window does: a 2 x 2 of it, fitted to the table, joined as
# fin.sh joins its puzzle. The solve button above ends no game this way.
salir() { juego_salir $((W - 20)) 15 || fail "the game did not end"; }
salir
pedido="Image\\$NOMBRE.jpg,2,2,0"
juego_iniciar "$pedido" || fail "the game did not start with a 2 x 2 of the photo"
[ "$FILAS.$COLS" = 2.2 ] || fail "the photo was cut ${FILAS:-0} x ${COLS:-0} at start, not 2 x 2"
juego_terminar_2x2 "$pedido" || fail "the pieces did not join into one"
video=$(esperar_video video) || fail "the finishing video did not start"
v=$(esperar_ventana_nueva "$(ventanas)") || fail "the finished-picture page did not follow the video"
esperar_quieta
pagina_final=$(shot terminada)
distinta "$video" "$pagina_final" "300x200+$((izq + 20))+$((arr + 20))" || fail "the page did not follow the video"
# The photo is on the page; its name, white, to its right; and no story
# under it, where a shipped picture's runs: the cork there has no white.
foto=$(medida busca "$pagina_final") || fail "the finished-picture page does not show the photo"
IFS=x+ read -r fw fh fx fy <<<"$foto"
[ "$fw" = "$fh" ] && [ "$fw" -ge 135 ] || fail "the photo on its page is $foto"
[ "$(medida claros "$pagina_final" "400x60+$((fx + fw + 10))+$fy")" -gt 100 ] || fail "no name beside the photo"
[ "$(medida claros "$pagina_final" "${W}x$((arr + 480 - fy - fh - 10))+0+$((fy + fh + 10))")" = 0 ] ||
  fail "a story under the photo"

# Printed: a new PDF on the test printer, with the name on its card.
antes_pdf=$(ls "$IMPRESORA_SALIDA" 2>/dev/null)
antes=$(ventanas)
clic $((izq + 589 + 35)) $((arr + 496 + 35))
pdf=""
limite=$((SECONDS + 60))
while [ -z "$pdf" ] && [ $SECONDS -lt $limite ]; do
  for f in "$IMPRESORA_SALIDA"/*.pdf; do
    [ -e "$f" ] && ! grep -qxF "$(basename "$f")" <<<"$antes_pdf" && { pdf=$f; break; }
  done
  sleep 0.2
done
[ -n "$pdf" ] || fail "no PDF came from the print button"
impreso="$JUEGO_SHOTS/$JUEGO_ESCENA-impreso"
rm -f "$impreso.png"
# The printer may still be writing it.
limite=$((SECONDS + 10))
until pdftoppm -r 50 -png -singlefile "$pdf" "$impreso" 2>/dev/null; do
  [ $SECONDS -lt $limite ] || break
  sleep 0.2
done
[ -s "$impreso.png" ] || fail "the PDF cannot be read"
echo "$impreso.png"
bloques busca "$impreso.png" >/dev/null || fail "the print-out does not show the photo"
# Its only words are the photo's name, exactly.
texto=$(pdftotext "$pdf" - | tr -s ' \n\f' '   ' | sed 's/^ //; s/ $//')
[ "$texto" = "$NOMBRE" ] || fail "the print-out says \"$texto\", not the photo's name alone"
limite=$((SECONDS + 60))
until [ "$(ventanas)" = "$antes" ] || [ $SECONDS -ge $limite ]; do sleep 0.1; done
esperar_quieta

# Closing the page asks about the wallpaper: yes. Then the honour roll.
juego_cerrar_final "$v" Foto
salir
# The wallpaper is the photo.
[ -s "$JUEGO_BIN/Tessera.bmp" ] || fail "no wallpaper file"
convert "$JUEGO_BIN/Tessera.bmp" "$JUEGO_SHOTS/$JUEGO_ESCENA-fondo.png" || fail "the wallpaper file is not a picture"
bloques busca "$JUEGO_SHOTS/$JUEGO_ESCENA-fondo.png" || fail "the wallpaper does not show the photo"
wine reg query "HKCU\\Control Panel\\Desktop" /v Wallpaper 2>/dev/null | grep -qi "Tessera.bmp" ||
  fail "the wallpaper is not the game's picture"
/usr/bin/python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); sys.exit(d[16:40].split(b"\0")[0] != b"Foto")' \
  "$JUEGO_BIN/Records.ovr" || fail "the honour roll did not keep the name"
echo "fotos ($JUEGO_PANTALLA): added through the dialog, thumbnail, 3 x 3 solved, saved and opened, finished, printed, wallpaper, honour roll"
