#!/usr/bin/env bash
# instalacion.sh WxHxD BIN_DIR: the folder `make run` plays from, across
# rebuilds. The program is laid out by scripts/dist.sh in a fresh folder; a
# game is saved there through the save window; the player adds a picture of
# their own, and a program file gets spoilt. Laid out again, the folder has
# the program's files back, no longer holds a file the program stopped
# shipping, and keeps the save and the picture: the open window still lists
# the save and opens it. Then an installed copy (a layout with the
# installer's marker): the ghost setting, a save, and a finished puzzle's
# wallpaper and honour roll land in the per-user folder of the Wine prefix,
# and nothing is written beside the program.
. "$(dirname "$0")/juego_lib.sh"

# On the game's screen (WxHxD BIN_DIR guardar|abrir|instalada): saving a
# 2 x 3 puzzle as "keep", opening the first saved game, or the installed
# copy's game.
if [ -n "${JUEGO_EN_PANTALLA:-}" ]; then
  modo=$3
  juego_escena "instalacion-$modo" "$1"
  opcion() {
    opciones || fail "the options window did not slide up"
    clic_ventana $(boton_opcion "$1")
  }
  if [ "$modo" = guardar ]; then
    juego_iniciar "Image\\3.bmp,2,3,0" || fail "the game did not start with its puzzle"
    v=$(opcion 4) || fail "the save window did not open"
    xdotool type --delay 60 "keep"; xdotool key Return
    esperar_ventana_ida "$v" || fail "the save window did not close"
    [ -s "$JUEGO_BIN/folder/keep.epf" ] || fail "nothing saved as keep"
  elif [ "$modo" = instalada ]; then
    juego_iniciar "Image\\3.bmp,2,2,0" || fail "the game did not start with its puzzle"
    xdotool key ctrl+b
    v=$(opcion 4) || fail "the save window did not open"
    xdotool type --delay 60 "kept"; xdotool key Return
    esperar_ventana_ida "$v" || fail "the save window did not close"
    juego_terminar_2x2 "Image\\3.bmp,2,2,0" || fail "the pieces did not join into one"
    esperar_video video >/dev/null || fail "the finishing video did not start"
    v=$(esperar_ventana_nueva "$(ventanas)") || fail "the finished-picture page did not follow the video"
    esperar_quieta
    juego_cerrar_final "$v" Ana
  else
    juego_iniciar "" || fail "the game did not start"
    [ "${#P_X[@]}" = 0 ] || fail "the table is not empty"
    # The file window: a 510 x 310 client in a 3-pixel frame.
    AX=$(( (W - 516) / 2 + 3 )); AY=$(( (H - 316) / 2 + 3 ))
    v=$(opcion 3) || fail "the open window did not open"
    shot lista >/dev/null
    clic $((AX + 60)) $((AY + 153))
    esperar_quieta "510x150+$AX+$((AY + 100))"
    marca=$(volcado_marca)
    clic $((AX + 59)) $((AY + 277))
    juego_esperar_volcado "$marca" || fail "the saved game did not open"
    [ "$FILAS" = 2 ] && [ "$COLS" = 3 ] && [ "${#P_X[@]}" = 6 ] || fail "the game opened is not the one saved"
    esperar_ventana_ida "$v" || fail "the open window did not close"
  fi
  juego_salir $((W - 20)) 15 || fail "the game did not end"
  exit 0
fi

set -u
pantalla=$1
bin=$(cd "$2" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
out=$dir/Tessera
fail() { echo "FAIL ($pantalla): $*"; exit 1; }
bash "$JUEGO_RAIZ/scripts/dist.sh" "$bin/.." "$out" >/dev/null || fail "the first layout failed"
juego_preparar "$out"
jugar() { juego_en_pantalla "$pantalla" "$pantalla" "$bin" "$1"; }

jugar guardar || exit 1
guardado=$(md5sum <"$out/folder/keep.epf")
cp "$out/Image/1.bmp" "$out/Image/mine.bmp"
echo "Image/old.bmp" >>"$out/.shipped"
echo old >"$out/Image/old.bmp"
echo spoilt >"$out/about.exe"

bash "$JUEGO_RAIZ/scripts/dist.sh" "$bin/.." "$out" >/dev/null || fail "the second layout failed"
[ "$(md5sum <"$out/folder/keep.epf")" = "$guardado" ] || fail "the save did not outlive the layout"
cmp -s "$out/Image/1.bmp" "$out/Image/mine.bmp" || fail "the player's picture did not outlive the layout"
[ ! -e "$out/Image/old.bmp" ] || fail "a file no longer shipped was left"
cmp -s "$bin/about.exe" "$out/about.exe" || fail "the program's own file was not laid out again"
jugar abrir || exit 1

instalada=$dir/Instalada
bash "$JUEGO_RAIZ/scripts/dist.sh" "$bin/.." "$instalada" >/dev/null || fail "the installed layout failed"
touch "$instalada/Tessera.installed"
usuario=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming | head -n 1)/Tessera
rm -rf "$usuario"
trap 'rm -rf "$dir" "$usuario"' EXIT
JUEGO_BIN=$instalada jugar instalada || exit 1
for f in folder/kept.epf Tessera.ini Records.ovr Tessera.bmp; do
  [ -s "$usuario/$f" ] || fail "no $f in the per-user folder"
done
grep -q '^Ghost=1' "$usuario/Tessera.ini" || fail "the ghost setting was not kept"
/usr/bin/python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); sys.exit(d[16:40].split(b"\0")[0] != b"Ana")' \
  "$usuario/Records.ovr" || fail "the honour roll did not keep the name"
nuevos=$(find "$instalada" -newer "$instalada/Tessera.installed")
[ -z "$nuevos" ] || fail "written beside the installed program: $nuevos"
echo "instalacion ($pantalla): the save outlived a second layout and opens; the program's files were refreshed;" \
  "an installed copy keeps the player's files in the per-user folder"
