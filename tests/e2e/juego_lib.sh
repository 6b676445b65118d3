# Sourced by the scripts that drive the real game on an X screen: start it
# with a puzzle of its own, read its puzzle dump, move the pointer.
# Needs DISPLAY, the Wine environment (scripts/wine-env.sh) and:
#   JUEGO_BIN   the folder of Tessera.exe
#   JUEGO_DUMP  the dump file (a Unix path)

# juego_copia BIN_DIR: a copy of the program's folder, for a game that
# writes beside itself (records, saves, settings, wallpaper); the big
# folders are linked. Sets JUEGO_BIN; remove "$JUEGO_COPIA" when done.
juego_copia() {
  JUEGO_COPIA=$(mktemp -d)
  mkdir -p "$JUEGO_COPIA/bin"
  cp "$1/Tessera.exe" "$1/Tessera.rf" "$JUEGO_COPIA/bin/"
  local d
  for d in Image Video Help; do ln -s "$1/$d" "$JUEGO_COPIA/bin/$d"; done
  export JUEGO_BIN=$JUEGO_COPIA/bin
}

# juego_iniciar "Image\3.bmp,6,8,0": starts the game with that puzzle,
# skips the intro and waits for the first dump (written once the main window
# exists); JUEGO_PID is the game's process.
juego_iniciar() {
  rm -f "$JUEGO_DUMP"
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$JUEGO_BIN" && TESSERA_DEBUG_DUMP="Z:${JUEGO_DUMP//\//\\}" TESSERA_DEBUG_NEW="$1" exec wine Tessera.exe) &
  JUEGO_PID=$!
  for _ in $(seq 1 300); do
    [ -s "$JUEGO_DUMP" ] && break
    kill -0 "$JUEGO_PID" 2>/dev/null || return 1
    # A key skips the intro; again until it has gone, as it may show before
    # it has the keyboard.
    if juego_intro >/dev/null; then xdotool key space; fi
    sleep 0.1
  done
  [ -s "$JUEGO_DUMP" ] || return 1
  sleep 0.5  # the first paint
  juego_leer
}

# The intro's window, when it shows.
juego_intro() {
  xdotool search --onlyvisible --name "^Tessera Video\$" 2>/dev/null | head -n 1 | grep .
}

# Reads the dump into shell variables: FILAS COLS CELDA_W CELDA_H MARGEN_X
# MARGEN_Y and per piece P_TABLERO[i] P_X[i] P_Y[i] P_GRUPO[i] P_MARCA[i].
juego_leer() {
  P_TABLERO=(); P_X=(); P_Y=(); P_GRUPO=(); P_MARCA=()
  local a b c d e f
  while read -r a b c d e f; do
    case "$a" in
      "#")
        case "$b" in
          rows) FILAS=$c ;;
          cols) COLS=$c ;;
          cell) CELDA_W=$c; CELDA_H=$d ;;
          margin) MARGEN_X=$c; MARGEN_Y=$d ;;
        esac ;;
      *) P_TABLERO[$a]=$b; P_X[$a]=$c; P_Y[$a]=$d; P_GRUPO[$a]=$e; P_MARCA[$a]=$f ;;
    esac
  done < "$JUEGO_DUMP"
}

# Waits for the dump to change after an action, then reads it.
juego_esperar_volcado() {
  local antes=$1
  for _ in $(seq 1 100); do
    [ "$(stat -c %Y.%s "$JUEGO_DUMP" 2>/dev/null)" != "$antes" ] && [ "$(md5sum < "$JUEGO_DUMP")" != "$2" ] && break
    sleep 0.05
  done
  juego_leer
}

# Screen point of the middle of piece i's cell (the table is at 49, 78).
centro_pieza() {
  echo $((49 + P_X[$1] + MARGEN_X + CELDA_W / 2)) $((78 + P_Y[$1] + MARGEN_Y + CELDA_H / 2))
}

# arrastrar X0 Y0 X1 Y1: press, move in steps, release; then wait for the
# dump the drop writes.
arrastrar() {
  local x0=$1 y0=$2 x1=$3 y1=$4 i
  local marca suma
  marca=$(stat -c %Y.%s "$JUEGO_DUMP"); suma=$(md5sum < "$JUEGO_DUMP")
  xdotool mousemove "$x0" "$y0"; sleep 0.1
  xdotool mousedown 1; sleep 0.1
  local pasos=${ARRASTRE_PASOS:-8}
  for i in $(seq 1 "$pasos"); do
    xdotool mousemove $((x0 + (x1 - x0) * i / pasos)) $((y0 + (y1 - y0) * i / pasos)); sleep 0.03
  done
  sleep 0.1
  xdotool mouseup 1
  juego_esperar_volcado "$marca" "$suma"
}

clic() {
  xdotool mousemove "$1" "$2"; sleep 0.15
  xdotool click 1; sleep 0.3
}

# Drags from (x0, y0) to (x1, y1) and sets MOVIDA to the piece that moved
# (whichever lay on top there), or -1.
pieza_movida() {
  local -a antesX=("${P_X[@]}") antesY=("${P_Y[@]}")
  arrastrar "$@"
  local i
  MOVIDA=-1
  for i in "${!P_X[@]}"; do
    if [ "${P_X[$i]}" != "${antesX[$i]}" ] || [ "${P_Y[$i]}" != "${antesY[$i]}" ]; then MOVIDA=$i; return 0; fi
  done
  return 1
}

# Whether a region (WxH+X+Y) of two screenshots differs. The crops go
# through files: the image tools refuse to read from /dev/fd.
distinta() {
  local d a b
  a=$(mktemp --suffix=.png); b=$(mktemp --suffix=.png)
  convert "$1" -crop "$3" +repage "$a" && convert "$2" -crop "$3" +repage "$b" || { rm -f "$a" "$b"; return 2; }
  d=$(compare -metric AE "$a" "$b" null: 2>&1)
  rm -f "$a" "$b"
  [ "${d%%[. ]*}" != 0 ]
}
