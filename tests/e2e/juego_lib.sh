# Sourced by the scripts that drive the real game on an X screen: start it
# with a puzzle of its own, read its puzzle dump, move the pointer, and wait
# for what each step needs (a window, a dump, a screen that settled) rather
# than for a fixed time, so that a loaded machine only makes them slower.
# An end-to-end script begins with juego_escena (below), which gives it
# all of these; other callers need DISPLAY, the Wine environment
# (scripts/wine-env.sh) and:
#   JUEGO_BIN   the folder of Tessera.exe
#   JUEGO_DUMP  the dump file (a Unix path)
# JUEGO_ESPERA is the longest wait for one step, in seconds (default 30).

# juego_copia BIN_DIR: a copy of the program's folder, for a game that
# writes beside itself (records, saves, settings, wallpaper); the big
# folders are linked. Sets JUEGO_BIN; remove "$JUEGO_COPIA" when done.
juego_copia() {
  JUEGO_COPIA=$(mktemp -d)
  mkdir -p "$JUEGO_COPIA/bin"
  cp "$1/Tessera.exe" "$1/Tessera.rf" "$JUEGO_COPIA/bin/"
  [ -f "$1/about.exe" ] && cp "$1/about.exe" "$JUEGO_COPIA/bin/"
  local d
  for d in Image Video Help Music; do [ -e "$1/$d" ] && ln -s "$1/$d" "$JUEGO_COPIA/bin/$d"; done
  export JUEGO_BIN=$JUEGO_COPIA/bin
}

# ---- Waiting for what the screen shows ------------------------------------

# The visible top-level windows of the game and its About program, one id a
# line (Wine's own desktop window may show too: it is left out).
ventanas() { xdotool search --onlyvisible --classname '^(tessera|about)\.exe$' 2>/dev/null | sort -n; }

# esperar_ventana_nueva "$ANTES": waits for a visible window that is not in
# ANTES (a `ventanas` list taken before the action); prints its id.
esperar_ventana_nueva() {
  local fin=$((SECONDS + ${2:-${JUEGO_ESPERA:-30}})) w
  while :; do
    for w in $(ventanas); do grep -qx "$w" <<<"$1" || { echo "$w"; return 0; }; done
    [ $SECONDS -lt $fin ] || return 1
    sleep 0.1
  done
}

# esperar_ventana_ida ID: waits until that window no longer shows.
esperar_ventana_ida() {
  local fin=$((SECONDS + ${2:-${JUEGO_ESPERA:-30}}))
  while ventanas | grep -qx "$1"; do
    [ $SECONDS -lt $fin ] || return 1
    sleep 0.1
  done
}

# esperar_nombre REGEX: waits for a visible window of that name; prints its id.
esperar_nombre() {
  local fin=$((SECONDS + ${2:-${JUEGO_ESPERA:-30}})) w
  while :; do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    [ $SECONDS -lt $fin ] || return 1
    sleep 0.1
  done
}

# firma WxH+X+Y: a hash of the pixels the screen shows there.
firma() { import -silent -window root -crop "$1" +repage miff:- 2>/dev/null | identify -format '%#' - 2>/dev/null; }

# esperar_cambio WxH+X+Y FIRMA: waits until that region no longer shows FIRMA.
esperar_cambio() {
  local fin=$((SECONDS + ${3:-${JUEGO_ESPERA:-30}}))
  while [ "$(firma "$1")" = "$2" ]; do
    [ $SECONDS -lt $fin ] || return 1
    sleep 0.1
  done
}

# esperar_quieta [WxH+X+Y]: waits until the region (the whole screen) shows
# the same pixels twice, 0.3 s apart: an animation or a repaint has ended.
esperar_quieta() {
  local region=${1:-$(xdpyinfo | awk '/dimensions:/ {print $2}')+0+0}
  local fin=$((SECONDS + ${2:-${JUEGO_ESPERA:-30}})) antes ahora
  antes=$(firma "$region")
  while :; do
    sleep 0.3
    ahora=$(firma "$region")
    [ "$ahora" = "$antes" ] && return 0
    [ $SECONDS -lt $fin ] || return 1
    antes=$ahora
  done
}

# ---- A script's own screen ------------------------------------------------

# The project's folder.
JUEGO_RAIZ=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# juego_preparar BIN_DIR [copia]: what a script does before its screen
# exists: JUEGO_BIN (with `copia`, a copy of that folder for a game that
# writes beside itself, removed when the script ends), JUEGO_SHOTS
# (out/e2e/) and the Wine prefix of a real display.
juego_preparar() {
  local bin
  bin=$(cd "$1" && pwd) || exit 1
  if [ "${2:-}" = copia ]; then
    juego_copia "$bin"
    trap 'rm -rf "$JUEGO_COPIA"' EXIT
  else
    export JUEGO_BIN=$bin
  fi
  export JUEGO_SHOTS="$JUEGO_RAIZ/out/e2e"
  mkdir -p "$JUEGO_SHOTS"
  export TESSERA_WINE_KIND=x11
  . "$JUEGO_RAIZ/scripts/wine-env.sh"
  wine_prefix_ready
}

# juego_en_pantalla WxHxD ARG...: runs the calling script again, with those
# arguments, on an Xvfb screen of its own; JUEGO_EN_PANTALLA tells it that
# it is there. Returns its exit code.
juego_en_pantalla() {
  JUEGO_EN_PANTALLA=1 "$JUEGO_RAIZ/scripts/xvfb-run.sh" "$1" bash "$0" "${@:2}"
}

# juego_escena NOMBRE WxHxD BIN_DIR [copia]: how each script starts, with
# its own arguments. Before its screen exists: juego_preparar, then the
# script runs again on that screen, and its exit code ends this run. On
# the screen: a dump file of its own, the screen's W and H, and two
# functions: shot PASO (a screenshot NOMBRE-WxHxD-PASO.png in $JUEGO_SHOTS,
# its path printed) and fail TEXTO (says why, keeps a screenshot, ends the
# game and the script).
juego_escena() {
  if [ -z "${JUEGO_EN_PANTALLA:-}" ]; then
    juego_preparar "$3" "${4:-}"
    juego_en_pantalla "$2" "$2" "$3"
    exit
  fi
  JUEGO_ESCENA="$1-$2"
  JUEGO_PANTALLA=$2
  JUEGO_DUMP=$(mktemp -d)/volcado.txt
  W=${2%%x*}
  local resto=${2#*x}
  H=${resto%%x*}
  shot() { import -window root "$JUEGO_SHOTS/$JUEGO_ESCENA-$1.png"; echo "$JUEGO_SHOTS/$JUEGO_ESCENA-$1.png"; }
  fail() { echo "FAIL ($JUEGO_ESCENA): $*"; shot fallo >/dev/null; wineserver -k 2>/dev/null; exit 1; }
}

# imagen_bloques FILE W H SIDE SEED: a W x H BMP of SIDE-pixel blocks in
# colours of a fixed seed, row by row from the top left.
imagen_bloques() {
  /usr/bin/python3 -B - "$@" <<'PY'
import random, sys
from PIL import Image
ruta, ancho, alto, lado, semilla = sys.argv[1], *map(int, sys.argv[2:6])
azar = random.Random(semilla)
im = Image.new("RGB", (ancho, alto))
for by in range(alto // lado):
    for bx in range(ancho // lado):
        im.paste(tuple(azar.randrange(256) for _ in range(3)), (lado * bx, lado * by, lado * bx + lado, lado * by + lado))
im.save(ruta, "BMP")
PY
}

# ---- The game --------------------------------------------------------------

# juego_lanzar "Image\3.bmp,6,8,0": starts the game with that puzzle ("" for
# none) and leaves its intro alone; JUEGO_PID is the game's process.
juego_lanzar() {
  rm -f "$JUEGO_DUMP"
  wineserver -k 2>/dev/null; wineserver -w
  (cd "$JUEGO_BIN" && TESSERA_DEBUG_DUMP="Z:${JUEGO_DUMP//\//\\}" TESSERA_DEBUG_NEW="$1" exec wine Tessera.exe) &
  JUEGO_PID=$!
}

# juego_saltar_intro: skips the intro with a key, waits for the first dump
# (written once the main window exists) and for the first paint to settle.
juego_saltar_intro() {
  local fin=$((SECONDS + 2 * ${JUEGO_ESPERA:-30}))
  while [ $SECONDS -lt $fin ]; do
    [ -s "$JUEGO_DUMP" ] && break
    kill -0 "$JUEGO_PID" 2>/dev/null || return 1
    # Again until it has gone, as it may show before it has the keyboard.
    if juego_intro >/dev/null; then xdotool key space; fi
    sleep 0.1
  done
  [ -s "$JUEGO_DUMP" ] || { echo "start: no dump" >&2; return 1; }
  esperar_nombre "^Tessera\$" >/dev/null || { echo "start: no main window" >&2; return 1; }
  esperar_quieta || { echo "start: the screen never settled" >&2; return 1; }
  juego_leer
}

# juego_iniciar "Image\3.bmp,6,8,0": both of the above. A start that fails
# is tried once more from scratch (Wine on a loaded machine now and then
# loses a start-up); the step that failed is said on stderr.
juego_iniciar() {
  juego_lanzar "$1"
  juego_saltar_intro && return 0
  [ -n "${JUEGO_SHOTS:-}" ] && import -window root "$JUEGO_SHOTS/${JUEGO_ESCENA:-juego}-arranque-fallido.png" 2>/dev/null
  echo "start: trying once more" >&2
  juego_lanzar "$1"
  juego_saltar_intro
}

# juego_ver_intro PASO LANZAR...: runs LANZAR (a function that starts the
# game and sets JUEGO_PID) and waits for the intro's picture, kept as the
# screenshot PASO, its path in JUEGO_CUADRO. A start whose intro never
# shows is said, with the game's windows and Wine's processes at that
# moment, and tried once more from scratch.
juego_ver_intro() {
  local paso=$1 intento
  shift
  for intento in 1 2; do
    "$@"
    JUEGO_CUADRO=$(esperar_video "$paso") && return 0
    {
      echo "start: the intro did not show; game windows: $(ventanas | tr '\n' ' ')" \
        "intro window: $(juego_intro || echo none); game running: $(kill -0 "$JUEGO_PID" 2>/dev/null && echo yes || echo no)"
      ps -eo pid,stat,etime,args | grep -iE '[w]ine|[t]essera' | head -20
    } >&2
    [ -n "${JUEGO_SHOTS:-}" ] && import -window root "$JUEGO_SHOTS/${JUEGO_ESCENA:-juego}-intro-fallida.png" 2>/dev/null
    [ $intento = 1 ] && echo "start: trying once more" >&2
  done
  return 1
}

# The intro's window, when it shows.
juego_intro() {
  xdotool search --onlyvisible --name "^Tessera Video\$" 2>/dev/null | head -n 1 | grep .
}

# Reads the dump into shell variables: FILAS COLS CELDA_W CELDA_H MARGEN_X
# MARGEN_Y, the counts of the game's timings N_PRESION N_ARRASTRE N_SOLTAR
# (presses on a piece, drag steps, drops), the table's size MESA_W MESA_H,
# the view VISTA_X VISTA_Y (the table point at the window's top left) and
# ZOOM (percent), and per piece P_TABLERO[i] P_X[i] P_Y[i] P_GRUPO[i]
# P_MARCA[i] and P_GIRO[i] (quarter turns, set for turned pieces only).
juego_leer() {
  P_TABLERO=(); P_X=(); P_Y=(); P_GRUPO=(); P_MARCA=(); P_GIRO=()
  local a b c d e f
  while read -r a b c d e f; do
    case "$a" in
      "#")
        case "$b" in
          rows) FILAS=$c ;;
          cols) COLS=$c ;;
          cell) CELDA_W=$c; CELDA_H=$d ;;
          margin) MARGEN_X=$c; MARGEN_Y=$d ;;
          dpi) ESCALA=$e; MESA_X=$((49 * e)); MESA_Y=$((78 * e)) ;;
          table) MESA_W=$c; MESA_H=$d ;;
          view) VISTA_X=$c; VISTA_Y=$d; ZOOM=$e ;;
          turn) P_GIRO[$c]=$d ;;
          time)
            case "$c" in
              press) N_PRESION=${d#n=} ;;
              drag) N_ARRASTRE=${d#n=} ;;
              drop) N_SOLTAR=${d#n=} ;;
            esac ;;
        esac ;;
      *) P_TABLERO[$a]=$b; P_X[$a]=$c; P_Y[$a]=$d; P_GRUPO[$a]=$e; P_MARCA[$a]=$f ;;
    esac
  done < "$JUEGO_DUMP"
}

# The dump as it is now, to tell later whether the game rewrote it.
volcado_marca() { echo "$(stat -c %y.%s "$JUEGO_DUMP" 2>/dev/null) $(md5sum < "$JUEGO_DUMP" 2>/dev/null)"; }

# juego_esperar_volcado MARCA: waits for the dump to change from MARCA (a
# `volcado_marca` taken before the action), then reads it. Fails (and
# reads it all the same) when it did not change.
juego_esperar_volcado() {
  local inicio=$SECONDS fin=$((SECONDS + ${2:-${JUEGO_ESPERA:-30}}))
  until [ "$(volcado_marca)" != "$1" ]; do
    [ $SECONDS -lt $fin ] || { juego_leer; return 1; }
    sleep 0.05
  done
  # Worth knowing: the old fixed waits gave up after 5 s.
  [ $((SECONDS - inicio)) -lt 5 ] || echo "slow: the game answered after $((SECONDS - inicio)) s"
  juego_leer
}

# The interface's factor (from the dump) and the table's corner, at 49, 78
# times the factor.
ESCALA=1 MESA_X=49 MESA_Y=78

# Screen point of the middle of piece i's cell.
centro_pieza() {
  echo $((MESA_X + P_X[$1] + MARGEN_X + CELDA_W / 2)) $((MESA_Y + P_Y[$1] + MARGEN_Y + CELDA_H / 2))
}

# The table's size (it leaves 28 and 50 times the factor to the right and
# below).
tamano_mesa() { xdpyinfo | awk -v k="$ESCALA" '/dimensions:/ {split($2, t, "x"); print t[1] - 77 * k, t[2] - 128 * k}'; }

# vecino_con_sitio P: sets K to a neighbour of piece P in the picture, and
# DX DY to where P goes beside it (from K's corner), such that the middle
# of P's cell there lies on the table, 5 pixels in: beside a piece at the
# table's edge the drop would land off the table and the game would put
# the piece back. Tries right, left, below, above; fails when none has room.
vecino_con_sitio() {
  local p=$1 ancho alto d x y
  read -r ancho alto <<<"$(tamano_mesa)"
  for d in "1 $((-CELDA_W)) 0" "-1 $CELDA_W 0" "$COLS 0 $((-CELDA_H))" "$((-COLS)) 0 $CELDA_H"; do
    read -r K DX DY <<<"$d"
    case "$K" in
      1) [ $((p % COLS)) -lt $((COLS - 1)) ] || continue ;;
      -1) [ $((p % COLS)) -gt 0 ] || continue ;;
    esac
    K=$((p + K))
    [ "$K" -ge 0 ] && [ "$K" -lt $((FILAS * COLS)) ] && [ "${P_TABLERO[$K]}" = 6 ] || continue
    x=$((P_X[K] + DX + MARGEN_X + CELDA_W / 2)); y=$((P_Y[K] + DY + MARGEN_Y + CELDA_H / 2))
    [ $x -ge 5 ] && [ $x -lt $((ancho - 5)) ] && [ $y -ge 5 ] && [ $y -lt $((alto - 5)) ] && return 0
  done
  return 1
}

# pieza_a_la_esquina: moves a piece into the empty upper left of the table,
# pressed in the middle of piece 0's cell (whichever piece lies on top there
# goes), and sets P to it and K DX DY to a neighbour with room beside it
# (vecino_con_sitio). A piece whose neighbours all lie at the table's edges
# is followed by the one pressed in piece 1's cell, and so on.
pieza_a_la_esquina() {
  local i x0 y0 movidas=" "
  for i in 0 1 2 3 4 5; do
    # A piece already in the corner would only go where it is.
    [[ $movidas == *" $i "* ]] && continue
    read -r x0 y0 <<<"$(centro_pieza "$i")"
    pieza_movida "$x0" "$y0" $((MESA_X + 30 + MARGEN_X + CELDA_W / 2)) $((MESA_Y + 10 + MARGEN_Y + CELDA_H / 2)) || continue
    P=$MOVIDA
    vecino_con_sitio "$P" && return 0
    movidas+="$P "
    echo "piece $P has no neighbour with room beside it: another one goes"
  done
  return 1
}

# hacia_el_centro X Y D: a point D pixels from (X, Y) along each axis, toward
# the middle of the screen, so that a short drag stays on the table.
hacia_el_centro() {
  local w h
  read -r w h < <(xdpyinfo | awk '/dimensions:/ {split($2, t, "x"); print t[1], t[2]}')
  echo $(($1 < w / 2 ? $1 + $3 : $1 - $3)) $(($2 < h / 2 ? $2 + $3 : $2 - $3))
}

# ---- The pointer -------------------------------------------------------------

# puntero X Y: moves the pointer there and waits until the X server has it there.
puntero() {
  xdotool mousemove "$1" "$2"
  local i
  for i in $(seq 1 50); do
    [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$1 y:$2" ] && return 0
    sleep 0.02
  done
  return 1
}

# The table's part of the screen (from its corner; the strips around it
# are 25 wide times the factor), where nothing but the pieces moves.
region_mesa() {
  local w h
  read -r w h < <(xdpyinfo | awk '/dimensions:/ {split($2, t, "x"); print t[1], t[2]}')
  echo "$((w - MESA_X - 25 * ESCALA))x$((h - MESA_Y - 25 * ESCALA))+$MESA_X+$MESA_Y"
}

# arrastrar X0 Y0 X1 Y1: press, move in steps, release; then wait for the
# dump the drop writes. The press comes once the table has settled, and the
# first step must show there before the rest follow. A drag the game did
# not see whole (no dump, or no step but the press's own: the dump counts
# presses on a piece and drag steps) is tried once more, and the log says
# so. Fails when it was not seen; 2 when the press took no piece (the game
# drew a rubber band).
arrastrar() {
  local intento r
  for intento in 1 2; do
    _arrastrar_una_vez "$@"; r=$?
    [ $r = 1 ] || return $r
    [ $intento = 1 ] && echo "retrying: the drag from $1,$2 to $3,$4 ($ARRASTRE_FALLO)"
  done
  return 1
}

_arrastrar_una_vez() {
  local x0=$1 y0=$2 x1=$3 y1=$4 i marca antes mesa
  local pasos=${ARRASTRE_PASOS:-8} presiones pasadas
  juego_leer
  presiones=${N_PRESION:-0}; pasadas=${N_ARRASTRE:-0}
  marca=$(volcado_marca)
  mesa=$(region_mesa)
  puntero "$x0" "$y0"
  esperar_quieta "$mesa" 10
  antes=$(firma "$mesa")
  xdotool mousedown 1
  # The first step, seen on the table: the press landed and the game drags.
  xdotool mousemove $((x0 + (x1 - x0) / pasos)) $((y0 + (y1 - y0) / pasos))
  if [ $(( (x1 - x0) / pasos )) != 0 ] || [ $(( (y1 - y0) / pasos )) != 0 ]; then
    esperar_cambio "$mesa" "$antes" 10 || echo "the table did not follow the press at $x0,$y0"
  fi
  for i in $(seq 2 "$pasos"); do
    xdotool mousemove $((x0 + (x1 - x0) * i / pasos)) $((y0 + (y1 - y0) * i / pasos)); sleep 0.03
  done
  puntero "$x1" "$y1"
  xdotool mouseup 1
  if ! juego_esperar_volcado "$marca"; then
    ARRASTRE_FALLO="the game wrote no dump"
    return 1
  fi
  if [ "${N_PRESION:-0}" = "$presiones" ]; then
    ARRASTRE_FALLO="the press took no piece"
    return 2
  fi
  if [ $((x0 != x1 || y0 != y1)) = 1 ] && [ $((N_ARRASTRE - pasadas)) -lt 2 ]; then
    ARRASTRE_FALLO="the game saw no step of the drag"
    return 1
  fi
  return 0
}

# clic X Y: a click there once the pointer is there.
clic() {
  puntero "$1" "$2"
  xdotool click 1
}

# clic_ventana X Y: a click that opens a window; prints the new window's id
# once it shows and has settled. A click that opened nothing is tried once
# more, and the log says so.
clic_ventana() {
  local antes w intento
  antes=$(ventanas)
  for intento in 1 2; do
    clic "$1" "$2"
    if w=$(esperar_ventana_nueva "$antes" "${3:-}"); then
      esperar_quieta >/dev/null
      echo "$w"
      return 0
    fi
    [ $intento = 1 ] && echo "retrying: the click at $1,$2 opened no window" >&2
  done
  return 1
}

# clic_cierra ID X Y: a click that closes window ID; waits until it has gone
# and the screen has settled. Tried once more, as above.
clic_cierra() {
  local intento
  for intento in 1 2; do
    clic "$2" "$3"
    esperar_ventana_ida "$1" && { esperar_quieta; return 0; }
    [ $intento = 1 ] && echo "retrying: the click at $2,$3 did not close its window" >&2
  done
  return 1
}

# clic_cambia WxH+X+Y X Y: a click that changes that region of the screen;
# waits until it has changed and settled. Tried once more, as above.
clic_cambia() {
  local antes intento
  antes=$(firma "$1")
  for intento in 1 2; do
    clic "$2" "$3"
    esperar_cambio "$1" "$antes" && { esperar_quieta "$1"; return 0; }
    [ $intento = 1 ] && echo "retrying: the click at $2,$3 changed nothing in $1" >&2
  done
  return 1
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

# ---- The strips, the videos, the end ---------------------------------------
# These need W and H, the screen's size.

# The pointer's place, as "x y".
donde_puntero() { xdotool getmouselocation 2>/dev/null | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/'; }

# desplegar REGION X0 Y0 X1 Y1 DENTRO: a window that slides out while the
# pointer is over its strip and folds once it leaves: the pointer crosses
# the strip from (X0, Y0) to (X1, Y1), and the call waits until REGION has
# changed and settled. A pointer still inside (DENTRO is an arithmetic test
# of x and y) may have kept it out: it leaves first, and the window folds.
desplegar() {
  local region=$1 antes x y
  read -r x y <<<"$(donde_puntero)"
  if (( $6 )); then
    antes=$(firma "$region")
    puntero $((W / 2)) $((H / 2))
    esperar_cambio "$region" "$antes" 3 && esperar_quieta "$region"
  fi
  antes=$(firma "$region")
  puntero "$2" "$3"; puntero "$4" "$5"
  esperar_cambio "$region" "$antes" && esperar_quieta "$region"
}

# The options window, slid up from the bottom strip. Its seven buttons:
# boton_opcion 0-6 (help, magnifier, ghost picture, open, save, language,
# exit) prints the middle of one.
# Both windows and their buttons stand where the interface's factor puts
# them (ESCALA, from the dump).
opciones() {
  local k=$ESCALA
  desplegar "${W}x$((103 * k))+0+$((H - 103 * k))" $((W / 2 + 150 * k)) $((H - 8 * k)) $((W / 2 + 160 * k)) \
    $((H - 10 * k)) "y >= H - 103 * ESCALA"
}
boton_opcion() { echo $(( ($1 + 1) * (W / ESCALA) / 8 * ESCALA )) $((H - (103 - 27 - 35) * ESCALA)); }

# The tools window, slid out from the left strip. Its six buttons:
# boton_herramienta 1-6 (solve, hint, edges to a box, spread, music,
# honour roll).
herramientas() {
  local k=$ESCALA
  desplegar "$((98 * k))x$((H - 160 * k))+0+$((80 * k))" $((10 * k)) $((H / 2)) $((12 * k)) $((H / 2 + 2 * k)) \
    "x < 98 * ESCALA && y >= 78 * ESCALA"
}
boton_herramienta() { echo $((49 * ESCALA)) $(( (78 + $1 * ((H / ESCALA - 78) / 7)) * ESCALA )); }

# esperar_video PASO: waits for a video's window and for its picture: the
# middle of the screen no longer black. The frame it saw is kept as the
# screenshot PASO and its path printed: a video may end at any moment, so a
# screenshot taken afterwards may no longer show it.
esperar_video() {
  esperar_nombre "^Tessera Video\$" >/dev/null || return 1
  local fin=$((SECONDS + ${JUEGO_ESPERA:-30})) cuadro=$JUEGO_SHOTS/$JUEGO_ESCENA-$1.png
  while [ $SECONDS -lt $fin ]; do
    import -silent -window root "$cuadro" 2>/dev/null &&
      [ "$(convert "$cuadro" -crop "320x240+$((W / 2 - 160))+$((H / 2 - 120))" +repage \
             -format "%[fx:mean > 0.05]" info: 2>/dev/null)" = 1 ] && { echo "$cuadro"; return 0; }
    sleep 0.1
  done
  return 1
}

# juego_salir X Y: a click on an exit button there; waits for the game to
# end and its Wine processes with it. The game's exit code is in JUEGO_CODIGO.
juego_salir() {
  local intento fin
  for intento in 1 2; do
    clic "$1" "$2"
    fin=$((SECONDS + ${JUEGO_ESPERA:-30}))
    while kill -0 "$JUEGO_PID" 2>/dev/null && [ $SECONDS -lt $fin ]; do sleep 0.1; done
    kill -0 "$JUEGO_PID" 2>/dev/null || break
    [ $intento = 1 ] && echo "retrying: the exit button at $1,$2 did not end the game"
  done
  kill -0 "$JUEGO_PID" 2>/dev/null && return 1
  wait "$JUEGO_PID"; JUEGO_CODIGO=$?
  wineserver -w
}

# ---- A 2 x 2 puzzle played to its end --------------------------------------

# The big pieces overlap, so a press may take another piece than the one
# aimed at. A short nudge shows which piece lies on top at a point; that
# piece is then on top everywhere and goes to its place from its middle.
# The finished picture fills the table from its upper left corner.
unida() { local k; for k in 1 2 3; do [ "${P_GRUPO[$k]}" != 0 ] && [ "${P_GRUPO[$k]}" = "${P_GRUPO[0]}" ] || return 1; done; }
a_su_sitio() {
  local k=$1 x0 y0
  read -r x0 y0 <<<"$(centro_pieza "$k")"
  arrastrar "$x0" "$y0" $((MESA_X + 20 + (k % 2) * CELDA_W + CELDA_W / 2)) $((MESA_Y + 2 + (k / 2) * CELDA_H + CELDA_H / 2))
}
# The point of piece k farthest from the cells of the pieces already in
# their places (which lie on top), as "x y distance".
punto_visible() {
  local k=$1 i j x y d m o ox oy mejor="0 0 -1"
  for i in 1 2 3 4 5 6 7 8 9; do
    for j in 1 2 3 4 5 6 7 8 9; do
      x=$((P_X[k] + CELDA_W * i / 10)); y=$((P_Y[k] + CELDA_H * j / 10)); m=100000
      for o in 0 1 2 3; do
        [ "${P_X[$o]}" = $((20 - MARGEN_X + (o % 2) * CELDA_W)) ] || continue
        [ "$o" = "$k" ] && continue
        ox=0; oy=0
        [ "$x" -lt "${P_X[$o]}" ] && ox=$((P_X[o] - x)); [ "$x" -ge $((P_X[o] + CELDA_W)) ] && ox=$((x - P_X[o] - CELDA_W))
        [ "$y" -lt "${P_Y[$o]}" ] && oy=$((P_Y[o] - y)); [ "$y" -ge $((P_Y[o] + CELDA_H)) ] && oy=$((y - P_Y[o] - CELDA_H))
        d=$((ox > oy ? ox : oy)); [ "$d" -lt "$m" ] && m=$d
      done
      [ "$m" -gt "${mejor##* }" ] && mejor="$((MESA_X + MARGEN_X + x)) $((MESA_Y + MARGEN_Y + y)) $m"
    done
  done
  echo "$mejor"
}
unir() {
  local movida k x0 y0 d
  for _ in $(seq 1 16); do
    unida && break
    movida=-1
    for k in 0 1 2 3; do
      [ "$k" != 0 ] && [ "${P_GRUPO[$k]}" != 0 ] && [ "${P_GRUPO[$k]}" = "${P_GRUPO[0]}" ] && continue
      if [ "${P_X[$k]}" = $((20 - MARGEN_X + (k % 2) * CELDA_W)) ]; then
        # In its place but alone: dropped there again, it joins its neighbours.
        [ "$k" = 0 ] && continue
        read -r x0 y0 <<<"$(centro_pieza "$k")"
        arrastrar "$x0" "$y0" $((x0 + 3)) $((y0 + 2))
        movida=-2; break
      fi
      read -r x0 y0 d <<<"$(punto_visible "$k")"
      pieza_movida "$x0" "$y0" $((x0 + 6)) $((y0 + 6)) && { movida=$MOVIDA; break; }
      # A nudge may finish the puzzle: another press would end its video.
      unida && return 0
    done
    unida && return 0
    [ "$movida" -ge 0 ] && a_su_sitio "$movida"
  done
  unida
}

# juego_terminar_2x2 "Image\3.bmp,2,2,0": joins the pieces of the 2 x 2
# puzzle on the table (started with that argument) into one, which finishes
# it. A layout the moves above cannot solve is dealt again, up to twice.
juego_terminar_2x2() {
  local intento
  for intento in 1 2 3; do
    unir && return 0
    [ "$intento" = 3 ] && break
    juego_iniciar "$1" || return 1
  done
  unida
}

# juego_cerrar_final PAGINA NOMBRE: the finished picture's page (window
# PAGINA) closed with its exit button, yes to the wallpaper question, NOMBRE
# typed into the honour roll's name box and the roll closed. Keeps the
# screenshots pregunta-fondo, nombre and cuadro; a step that fails ends the
# script through its fail.
juego_cerrar_final() {
  local izq=$(( (W - 800) / 2 )) arr=$(( (H - 600) / 2 )) antes m honor
  # The message box: a 500 x 310 picture in a 3-pixel frame, OK at (18, 255).
  local mx=$(( (W - 506) / 2 + 3 )) my=$(( (H - 316) / 2 + 3 ))
  antes=$(ventanas)
  clic $((izq + 669 + 35)) $((arr + 496 + 35))
  esperar_ventana_ida "$1" || fail "the finished-picture page did not close"
  m=$(esperar_ventana_nueva "$antes") || fail "the wallpaper question did not come"
  esperar_quieta
  shot pregunta-fondo >/dev/null
  antes=$(ventanas)
  clic_cierra "$m" $((mx + 58)) $((my + 277)) || fail "the wallpaper question did not close"
  # The honour roll, and over it the box that asks the name.
  honor=$(esperar_ventana_nueva "$antes") || fail "the honour roll did not come"
  m=$(esperar_ventana_nueva "$antes
$honor") || fail "the honour roll did not ask the name"
  esperar_quieta
  shot nombre >/dev/null
  xdotool type --delay 60 "$2"
  xdotool key Return
  esperar_ventana_ida "$m" || fail "the name question did not close"
  esperar_quieta
  shot cuadro >/dev/null
  clic_cierra "$honor" $((W * 100000 / 115732 + 35)) $((H * 1000 / 1197 + 35)) || fail "the honour roll did not close"
}

# distinta A B WxH+X+Y [PORCIENTO]: whether that region of two screenshots
# differs in more than PORCIENTO percent of its pixels (default 5), so that
# a pointer, a caret or a stray pixel is no window that opened; 0 asks for
# any pixel at all. 2 when a screenshot cannot be read. The crops go
# through files: the image tools refuse to read from /dev/fd.
distinta() {
  local d n a b
  a=$(mktemp --suffix=.png); b=$(mktemp --suffix=.png)
  convert "$1" -crop "$3" +repage "$a" && convert "$2" -crop "$3" +repage "$b" || { rm -f "$a" "$b"; return 2; }
  d=$(compare -metric AE "$a" "$b" null: 2>&1)
  n=$(identify -format '%[fx:w*h]' "$a")
  rm -f "$a" "$b"
  awk -v d="$d" -v n="$n" -v p="${4:-5}" 'BEGIN { if (d !~ /^[0-9.e+]+$/ || n + 0 <= 0) exit 2; exit !(d + 0 > n * p / 100) }'
}
