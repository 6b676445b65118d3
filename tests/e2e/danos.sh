#!/usr/bin/env bash
# danos.sh WxHxD BIN_DIR: a damaged installation, one damage at a time in a
# copy of the program's folder: Tessera.rf without its directory, with a
# directory entry zeroed (the player's language German), cut while the game
# runs, and no Image folder. Each time the game's only window must be its
# message for that damage (read by textos_dialogo.exe), and OK must end it
# with code 1 and no crash report. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena danos "$1" "$2" copia

LECTOR=$2/textos_dialogo.exe
ORIGINAL=$2/Tessera.rf
DANADO="Tessera Puzzle's picture archive (Tessera.rf) is damaged or incomplete. Please install the game again."
# The archive's directory: N entries of 16 bytes before the count at its end.
TAMANO=$(stat -c %s "$ORIGINAL")
DIRECTORIO=$((TAMANO - 4 - 16 * $(od -An -t u4 -j $((TAMANO - 4)) -N 4 "$ORIGINAL")))

# mensaje PASO TEXTO: the game's one window is its message box showing TEXTO;
# OK ends the game with code 1, and Wine's debugger window never shows.
mensaje() {
  local dialogo lineas
  dialogo=$(esperar_nombre "^Tessera Puzzle\$") || fail "$1: no message showed"
  esperar_quieta
  shot "$1" >/dev/null
  lineas=$(wine "$LECTOR" | tr -d '\r')
  grep -qF -- "$2" <<<"$lineas" || fail "$1: the message reads: $lineas"
  [ "$(ventanas)" = "$dialogo" ] || fail "$1: other windows of the game show beside the message"
  juego_salir $(awk '$3 == "OK" && NF == 3 { print $1, $2; exit }' <<<"$lineas") || fail "$1: OK did not end the game"
  [ "$JUEGO_CODIGO" = 1 ] || fail "$1: exit code $JUEGO_CODIGO"
  if xdotool search --onlyvisible --classname '^winedbg\.exe$' >/dev/null; then fail "$1: Wine reported a crash"; fi
}

# caso PASO TEXTO: the game started as it lies in JUEGO_BIN says TEXTO.
caso() {
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$JUEGO_BIN" && exec wine Tessera.exe) &
  JUEGO_PID=$!
  mensaje "$@"
}

head -c "$DIRECTORIO" "$ORIGINAL" >"$JUEGO_BIN/Tessera.rf"
caso sin-directorio "$DANADO"

cp "$ORIGINAL" "$JUEGO_BIN/Tessera.rf"
head -c 16 /dev/zero | dd of="$JUEGO_BIN/Tessera.rf" bs=1 seek="$DIRECTORIO" conv=notrunc status=none
printf '[Tessera]\r\nIdioma=5\r\n' >"$JUEGO_BIN/Tessera.ini"
caso entrada-borrada "Das Bildarchiv von Tessera Puzzle (Tessera.rf) ist beschädigt oder unvollständig."
rm "$JUEGO_BIN/Tessera.ini"

# Wine lets Linux cut the file the game holds: the new-puzzle window's
# pictures can no longer be read.
cp "$ORIGINAL" "$JUEGO_BIN/Tessera.rf"
juego_iniciar "" || fail "the game did not start with its archive whole"
truncate -s 1000 "$JUEGO_BIN/Tessera.rf"
clic 133 37
mensaje cortado-en-juego "$DANADO"

cp "$ORIGINAL" "$JUEGO_BIN/Tessera.rf"
rm "$JUEGO_BIN/Image"
caso sin-imagenes "Tessera Puzzle cannot find its pictures in the Image folder next to the program."
wineserver -k 2>/dev/null; wineserver -w
echo "PASS: no directory, a zeroed entry (in German), a cut while playing and no Image folder each give their message; OK ends the game with code 1"
