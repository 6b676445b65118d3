#!/usr/bin/env bash
# fin.sh WxHxD BIN_DIR: a whole game in the real program on an Xvfb screen,
# from a copy of the program's folder: the intro plays and a key skips it;
# a 2 x 2 puzzle is finished by dragging its pieces together; the finishing
# video plays to its end; the finished picture is printed from its preview
# (a PDF appears on the test printer); yes to the wallpaper question (the
# file and the registry value are there); a name in the honour roll, which
# Records.ovr keeps with the score. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
# The game writes its records and wallpaper beside itself: a copy.
juego_escena fin "$1" "$2" copia

JUEGO_ESPERA_PDF=60
# Whether the middle of the screen shows more than one colour.
imagen_en_medio() {
  local c
  c=$(convert "$1" -crop "200x150+$((W / 2 - 100))+$((H / 2 - 75))" +repage -format "%k" info:)
  [ "${c:-1}" -gt 1 ]
}
izq=$(( (W - 800) / 2 )); arr=$(( (H - 600) / 2 ))

# The intro plays; a key skips it and the main window comes.
juego_ver_intro intro juego_lanzar "Image\\3.bmp,2,2,0" || fail "the intro did not show"
intro=$JUEGO_CUADRO
imagen_en_medio "$intro" || fail "the intro shows nothing"
[ -s "$JUEGO_DUMP" ] && fail "the main window came before the intro was skipped"
# A key ends it well before its own end.
juego_saltar_intro || fail "the intro was not skipped by a key"
[ "$FILAS.$COLS" = 2.2 ] || fail "the puzzle is $FILAS x $COLS"
shot mesa >/dev/null

juego_terminar_2x2 "Image\\3.bmp,2,2,0" || fail "the pieces did not join into one"

# The finishing video, watched to its end, then the finished picture.
video=$(esperar_video video) || fail "the finishing video did not start"
imagen_en_medio "$video" || fail "the finishing video shows nothing"
v=$(esperar_ventana_nueva "$(ventanas)") || fail "the preview did not follow the video"
juego_intro >/dev/null && fail "the finishing video did not end"
esperar_quieta
vista=$(shot vista-previa)
distinta "$video" "$vista" "300x200+$((izq + 20))+$((arr + 20))" || fail "the preview did not follow the video"

# Print: a new PDF appears on the test printer.
rm -f "$JUEGO_SHOTS/$JUEGO_ESCENA-impreso.png"
antes_pdf=$(ls "$IMPRESORA_SALIDA" 2>/dev/null)
antes=$(ventanas)
clic $((izq + 589 + 35)) $((arr + 496 + 35))
pdf=""
limite=$((SECONDS + JUEGO_ESPERA_PDF))
while [ -z "$pdf" ] && [ $SECONDS -lt $limite ]; do
  for f in "$IMPRESORA_SALIDA"/*.pdf; do
    [ -e "$f" ] && ! grep -qxF "$(basename "$f")" <<<"$antes_pdf" && { pdf=$f; break; }
  done
  sleep 0.2
done
[ -n "$pdf" ] || fail "no PDF came from the print button"
# The printer may still be writing it.
limite=$((SECONDS + 10))
until pdftoppm -r 30 -png -singlefile "$pdf" "$JUEGO_SHOTS/$JUEGO_ESCENA-impreso" 2>/dev/null; do
  [ $SECONDS -lt $limite ] || break
  sleep 0.2
done
[ -s "$JUEGO_SHOTS/$JUEGO_ESCENA-impreso.png" ] || fail "the PDF cannot be read"
# The window that waits for the print-out goes before the preview answers.
limite=$((SECONDS + JUEGO_ESPERA_PDF))
until [ "$(ventanas)" = "$antes" ] || [ $SECONDS -ge $limite ]; do sleep 0.1; done
esperar_quieta

# Closing the preview asks about the wallpaper: yes. Then the honour roll.
juego_cerrar_final "$v" Zed
# Exit from the title strip.
juego_salir $((W - 20)) 15 || fail "the game did not end"

[ -s "$JUEGO_BIN/Tessera.bmp" ] || fail "no wallpaper file"
[ "$(head -c 2 "$JUEGO_BIN/Tessera.bmp")" = BM ] || fail "the wallpaper file is not a bitmap"
wine reg query "HKCU\\Control Panel\\Desktop" /v TileWallpaper 2>/dev/null | grep -q "REG_SZ *0" ||
  fail "TileWallpaper is not 0"
wine reg query "HKCU\\Control Panel\\Desktop" /v Wallpaper 2>/dev/null | grep -qi "Tessera.bmp" ||
  fail "the wallpaper is not the game picture"
[ -s "$JUEGO_BIN/Records.ovr" ] || fail "no Records.ovr"
python3 - "$JUEGO_BIN/Records.ovr" <<"FIN" || fail "Records.ovr does not hold the name and a score"
import struct, sys
d = open(sys.argv[1], "rb").read()
assert len(d) == 296, len(d)
nombre = d[16:40].split(b"\0")[0]
assert nombre == b"Zed", nombre
assert struct.unpack("<i", d[40:44])[0] > 0
FIN
wineserver -k 2>/dev/null
echo "fin ($JUEGO_PANTALLA): intro skipped, puzzle finished, video, print-out, wallpaper and honour roll"
