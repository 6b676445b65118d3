#!/usr/bin/env bash
# danos.sh WxHxD BIN_DIR: a damaged installation, one damage at a time in a
# copy of the program's folder: Tessera.rf cut where its directory starts,
# cut inside its directory, with a directory entry zeroed, cut while the
# game runs, and the Image folder gone. Each time the real game must show
# only its message, saying that damage in the player's language (read from
# the dialog with textos_dialogo.exe), and end with code 1 once OK is
# clicked, with no crash report from Wine. Screenshots go to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena danos "$1" "$2" copia

LECTOR=$2/textos_dialogo.exe
ORIGINAL=$2/Tessera.rf
DANADO="Tessera Puzzle's picture archive (Tessera.rf) is damaged or incomplete. Please install the game again."
SIN_IMAGENES="Tessera Puzzle cannot find its pictures in the Image folder next to the program. Please install the game again."
DANADO_ALEMAN="Das Bildarchiv von Tessera Puzzle (Tessera.rf) ist beschädigt oder unvollständig. Bitte installieren Sie das Spiel erneut."

# The archive's directory: N entries of 16 bytes before the count at its end.
TAMANO=$(stat -c %s "$ORIGINAL")
ENTRADAS=$(od -An -t u4 -j $((TAMANO - 4)) -N 4 "$ORIGINAL" | tr -d ' ')
DIRECTORIO=$((TAMANO - 4 - 16 * ENTRADAS))

# A crash shows Wine's debugger window ("Program Error") on this screen.
sin_informe_de_fallo() { ! xdotool search --onlyvisible --classname '^winedbg\.exe$' >/dev/null 2>&1; }

# mensaje PASO TEXTO: the game's only window is its message box, showing
# TEXTO; OK ends the game with code 1 and no crash report.
mensaje() {
  local paso=$1 texto=$2 dialogo lineas ok
  dialogo=$(esperar_nombre "^Tessera Puzzle\$") || fail "$paso: no message showed"
  esperar_quieta
  shot "$paso" >/dev/null
  lineas=$(wine "$LECTOR" | tr -d '\r') || fail "$paso: no dialog box to read"
  grep -qF -- "$texto" <<<"$lineas" || fail "$paso: the message reads: $lineas"
  [ "$(ventanas)" = "$dialogo" ] || fail "$paso: other windows of the game show beside the message"
  ok=$(awk '$3 == "OK" && NF == 3 { print $1, $2; exit }' <<<"$lineas")
  [ -n "$ok" ] || fail "$paso: the message has no OK button"
  juego_salir $ok || fail "$paso: OK did not end the game"
  [ "$JUEGO_CODIGO" = 1 ] || fail "$paso: exit code $JUEGO_CODIGO"
  sin_informe_de_fallo || fail "$paso: Wine reported a crash"
}

# caso PASO TEXTO: the game started as it lies in JUEGO_BIN says TEXTO.
caso() {
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$JUEGO_BIN" && exec wine Tessera.exe) &
  JUEGO_PID=$!
  mensaje "$@"
}

# Writes the archive as the original with its bytes from $1 on cut off.
cortar() { head -c "$1" "$ORIGINAL" >"$JUEGO_BIN/Tessera.rf"; }

cortar "$DIRECTORIO"
caso sin-directorio "$DANADO"
cortar $((TAMANO - 8 * ENTRADAS))
caso directorio-cortado "$DANADO"

# Entry 0 zeroed: picture 0 at offset 0, a good header but a number the
# game does not know, and its own picture missing.
cp "$ORIGINAL" "$JUEGO_BIN/Tessera.rf"
head -c 16 /dev/zero | dd of="$JUEGO_BIN/Tessera.rf" bs=1 seek="$DIRECTORIO" conv=notrunc status=none
caso entrada-borrada "$DANADO"

printf '[Tessera]\r\nIdioma=5\r\n' >"$JUEGO_BIN/Tessera.ini"
caso aleman "$DANADO_ALEMAN"
rm -f "$JUEGO_BIN/Tessera.ini"

# Whole at start-up, cut while the game runs (Wine lets Linux write the file
# the game holds): the new-puzzle window's pictures cannot be read, and the
# game hides and says the archive is damaged.
cp "$ORIGINAL" "$JUEGO_BIN/Tessera.rf"
juego_iniciar "" || fail "the game did not start with its archive whole"
truncate -s 1000 "$JUEGO_BIN/Tessera.rf"
clic 133 37
mensaje cortado-en-juego "$DANADO"

cp "$ORIGINAL" "$JUEGO_BIN/Tessera.rf"
rm "$JUEGO_BIN/Image"
caso sin-imagenes "$SIN_IMAGENES"
wineserver -k 2>/dev/null; wineserver -w
echo "PASS: a cut archive, a zeroed entry, an archive cut while playing and a missing Image folder each get their message (also in German), and OK ends the game with code 1"
