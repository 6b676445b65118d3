#!/usr/bin/env bash
# tour.sh BIN_DIR [OUT_DIR]: the screenshot tour. The real game on Xvfb
# screens of 1024x768x24 and 800x600x16 (TOUR_PANTALLAS), in English and
# German (TOUR_IDIOMAS: es en pt it fr de), visits every window and page as
# a player would, from the intro to the honour roll, and keeps one PNG per
# step in OUT_DIR/SCREEN-LANGUAGE/ and one labelled contact sheet per screen
# and language in OUT_DIR/SCREEN-LANGUAGE.png (default out/tour). The
# picture pages' labels give each thumbnail's roughness (above 20: garbled).
# Runs from a copy of the program's folder, in a Wine prefix of its own
# (TESSERA_WINE_DIR, when set, holds the prefixes instead).
# TOUR_CORTO=1: the short tour the test suite takes, on the first screen in
# the first language (1024x768x24, English), each window once: the first
# picture page, none of the new-puzzle window's other pages, no second look
# at a window.
# A screen written WxHxD@DPI runs at those dots per inch (its own Wine
# prefix), where the interface is drawn at its whole factor, and in the
# first language only; the full tour ends with 3840x2160x24@192.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)

# One screen and language, under its own X server: the steps themselves.
if [ "${1:-}" = --visita ]; then
  pantalla=$2 idioma=$3 numero=$4 destino=$5 bin=$6 dpi=${7:-96}
  export TESSERA_WINE_DPI=$dpi
  . "$root/scripts/wine-env.sh"
  . "$root/tests/e2e/juego_lib.sh"
  juego_copia "$bin"
  trap 'wineserver -k 2>/dev/null; rm -rf "$JUEGO_COPIA" "$(dirname "$JUEGO_DUMP")"' EXIT
  printf '[Tessera]\r\nIdioma=%s\r\n' "$numero" >"$JUEGO_BIN/Tessera.ini"
  JUEGO_DUMP=$(mktemp -d)/volcado.txt
  JUEGO_SHOTS=$destino
  W=${pantalla%%x*}; resto=${pantalla#*x}; H=${resto%%x*}
  paso=0
  foto() {
    paso=$((paso + 1))
    import -window root "$destino/$(printf %02d $paso)-$1.png"
    echo "  $(printf %02d $paso)-$1"
  }
  # A video's step is the frame seen playing: it may end at any moment.
  # Further arguments start the game first (juego_ver_intro).
  foto_video() {
    paso=$((paso + 1))
    if [ $# -gt 1 ]; then
      JUEGO_ESCENA=$(printf %02d $paso) juego_ver_intro "$@" || return 1
    else
      JUEGO_ESCENA=$(printf %02d $paso) esperar_video "$1" >/dev/null || return 1
    fi
    echo "  $(printf %02d $paso)-$1"
  }
  fallo() { echo "tour ($pantalla, $idioma): $*"; foto fallo; exit 1; }
  # The interface's factor at these dots per inch (the game says it in its
  # dump too), and a designed length in screen pixels.
  k=$((dpi / 96))
  e() { echo $(($1 * k)); }
  corto=${TOUR_CORTO:-0}
  # Another look at a window already shown: not in the short tour.
  foto_mas() { [ "$corto" = 1 ] || foto "$1"; }

  # Centred pop-ups: the new-puzzle, file, music and language windows and
  # the message box, each a picture in a frame as thick on every side: the
  # client's corner.
  NX=$(( (W - $(e 610)) / 2 )); NY=$(( (H - $(e 310)) / 2 ))
  AX=$(( (W - $(e 510)) / 2 )); AY=$(( (H - $(e 310)) / 2 ))
  MX=$(( (W - $(e 260)) / 2 )); MY=$(( (H - $(e 300)) / 2 ))
  CX=$(( (W - $(e 500)) / 2 )); CY=$(( (H - $(e 310)) / 2 ))
  salir_honor() { echo $(( (W / k * 100000 / 115732 + 35) * k )) $(( (H / k * 1000 / 1197 + 35) * k )); }
  etiquetas="$destino/etiquetas.txt"
  : >"$etiquetas"
  izq=$(( (W / k - 800) / 2 * k )); arr=$(( (H / k - 600) / 2 * k ))

  # ---- The intro and the new-puzzle window ----------------------------------
  foto_video intro juego_lanzar "" || fallo "the intro did not show"
  juego_saltar_intro || fallo "the game did not start"
  [ "$ESCALA" = "$k" ] || fallo "the game draws at factor $ESCALA, not $k"
  foto mesa-vacia

  clic_ventana "$(e 133)" "$(e 37)" >/dev/null || fallo "the new-puzzle window did not open"
  fila="$(e 440)x$(e 127)+$((NX + $(e 106)))+$((NY + $(e 88)))"
  esperar_quieta "$fila"
  mapfile -t imagenes < <(ls "$JUEGO_BIN/Image/"*.bmp | sort -V)
  paginas=$(( (${#imagenes[@]} + 4) / 5 ))
  [ "$corto" = 1 ] && paginas=1
  for p in $(seq 1 "$paginas"); do
    if [ "$p" -gt 1 ]; then
      clic_cambia "$fila" $((NX + $(e 575))) $((NY + $(e 214))) || fallo "the scroll did not show page $p"
    fi
    foto "nuevo-imagenes-$p"
    medidas=$(/usr/bin/python3 -B "$root/tests/e2e/rugosidad.py" miniaturas "$destino/$(printf %02d $paso)-nuevo-imagenes-$p.png" \
      "$NX" "$NY" "escala=$k" "${imagenes[@]:$(( (p - 1) * 5 )):5}" | awk '{ sub(/\.bmp$/, "", $1); printf "%s%s=%s", (NR > 1 ? " " : ""), $1, $2 }')
    echo "$(printf %02d $paso)-nuevo-imagenes-$p|$medidas" >>"$etiquetas"
  done
  # The chosen picture full screen; a key closes it.
  v=$(clic_ventana $((NX + $(e 430))) $((NY + $(e 270)))) || fallo "the full-screen picture did not open"
  foto nuevo-imagen-grande
  xdotool key space
  esperar_ventana_ida "$v" && esperar_quieta
  pagina="$(e 500)x$(e 230)+$((NX + $(e 105)))+$NY"
  for t in 109:tamano 157:piezas 203:forma; do
    [ "$corto" = 1 ] && break
    clic_cambia "$pagina" $((NX + $(e 52))) $((NY + $(e $((${t%%:*} + 22))))) || fallo "the ${t#*:} page did not come up"
    foto "nuevo-${t#*:}"
  done
  marca=$(volcado_marca)
  clic $((NX + $(e 159))) $((NY + $(e 277)))
  juego_esperar_volcado "$marca" || fallo "OK cut no puzzle"
  esperar_quieta
  foto mesa

  # ---- The play screen ---------------------------------------------------------
  read -r x0 y0 <<<"$(centro_pieza 0)"
  boton1="$((W - $(e 13))) $(( (H / k / 2 - 112 + 15) * k ))"
  arrastrar "$x0" "$y0" $boton1
  clic_ventana $boton1 >/dev/null || fallo "box 1 did not open"
  foto caja
  # Its pencil asks the name in the message box.
  m=$(clic_ventana "$(e $((60 + 255)))" "$(e $((78 + 15)))") || fallo "the box's pencil asked nothing"
  xdotool type --delay 40 "Dinos"
  foto mensaje-nombre
  xdotool key Return
  esperar_ventana_ida "$m" && esperar_quieta
  foto_mas caja-nombrada

  opciones
  foto opciones
  read -r x y <<<"$(boton_opcion 1)"
  clic_ventana "$x" "$y" >/dev/null || fallo "the magnifier did not open"
  foto lupa

  herramientas
  foto herramientas
  read -r x y <<<"$(boton_herramienta 5)"
  v=$(clic_ventana "$x" "$y") || fallo "the music window did not open"
  foto musica
  clic_cierra "$v" $((MX + $(e 40))) $((MY + $(e 278))) || fallo "the music window did not close"
  herramientas
  read -r x y <<<"$(boton_herramienta 6)"
  v=$(clic_ventana "$x" "$y") || fallo "the honour roll did not open"
  foto honor
  read -r x y <<<"$(salir_honor)"
  clic_cierra "$v" "$x" "$y" || fallo "the honour roll did not close"

  opciones
  read -r x y <<<"$(boton_opcion 5)"
  v=$(clic_ventana "$x" "$y") || fallo "the language window did not open"
  foto idioma
  clic_cierra "$v" $((MX + $(e $((177 + 40))))) $((MY + $(e 278))) || fallo "the language window did not close"
  opciones
  read -r x y <<<"$(boton_opcion 4)"
  v=$(clic_ventana "$x" "$y") || fallo "the save window did not open"
  xdotool type --delay 40 "Tour"
  foto guardar
  xdotool key Return
  esperar_ventana_ida "$v" && esperar_quieta
  opciones
  read -r x y <<<"$(boton_opcion 3)"
  v=$(clic_ventana "$x" "$y") || fallo "the open window did not open"
  foto abrir
  clic_cierra "$v" $((AX + $(e $((414 + 40))))) $((AY + $(e $((257 + 22))))) || fallo "the open window did not close"
  # A changed game asks before another is opened: the message box, cancelled.
  for i in "${!P_TABLERO[@]}"; do [ "${P_TABLERO[$i]}" = 6 ] && break; done
  read -r x0 y0 <<<"$(centro_pieza "$i")"
  arrastrar "$x0" "$y0" $(hacia_el_centro "$x0" "$y0" "$(e 35)")
  opciones
  read -r x y <<<"$(boton_opcion 3)"
  v=$(clic_ventana "$x" "$y") || fallo "opening a changed game asked nothing"
  foto mensaje-pregunta
  clic_cierra "$v" $((CX + $(e $((413 + 40))))) $((CY + $(e $((257 + 22))))) || fallo "the question did not close"

  v=$(clic_ventana $((W - $(e 13))) "$(e 100)") || fallo "the info page did not open"
  foto info
  i=$(clic_ventana $((izq + $(e 60))) $((arr + $(e $((90 + 40)))))) || fallo "the info page's first picture did not open"
  foto info-imagen
  clic_cierra "$i" $((izq + $(e $((669 + 35))))) $((arr + $(e $((496 + 35))))) || fallo "the info picture did not close"
  clic_cierra "$v" $((izq + $(e $((669 + 35))))) $((arr + $(e $((496 + 35))))) || fallo "the info page did not close"

  # The game's name in the middle of the title strip.
  v=$(clic_ventana $((W / 2)) "$(e 35)") || fallo "the About window did not open"
  foto acerca
  clic_cierra "$v" $((W / 2)) $((H / 2)) || fallo "the About window did not close"

  # ---- A table larger than the screen -------------------------------------------
  # 600 pieces of at least 45 pixels: a table larger than the screen's, seen
  # at 1:1 with its overview, whole, and close up with the wheel.
  juego_iniciar "Image\\3.bmp,20,30,0" || fallo "the game did not start with a large puzzle"
  foto_mas mesa-grande
  xdotool key 0
  esperar_quieta
  foto mesa-entera
  xdotool mousemove $((MESA_X + $(e 150))) $((MESA_Y + $(e 120)))
  for _ in $(seq 1 18); do xdotool click 4; done
  esperar_quieta
  foto_mas mesa-cerca

  # ---- Turned pieces -------------------------------------------------------------
  # A game cut with its pieces turned, then a right click on one.
  juego_iniciar "Image\\3.bmp,4,6,0,1" || fallo "the game did not start with turned pieces"
  foto mesa-girada
  read -r x y <<<"$(centro_pieza 0)"
  marca=$(volcado_marca)
  puntero "$x" "$y"
  xdotool click 3
  juego_esperar_volcado "$marca" 10 || fallo "a right click turned nothing"
  esperar_quieta
  foto_mas mesa-girada-clic

  # ---- The end of a puzzle -----------------------------------------------------
  juego_iniciar "Image\\3.bmp,2,2,0" || fallo "the game did not start with a small puzzle"
  juego_terminar_2x2 "Image\\3.bmp,2,2,0" || fallo "the small puzzle was not finished"
  foto_video video || fallo "the finishing video did not start"
  v=$(esperar_ventana_nueva "$(ventanas)") || fallo "the finished picture did not follow the video"
  esperar_quieta
  foto final
  read -r x y <<<"$((izq + $(e $((669 + 35))))) $((arr + $(e $((496 + 35)))))"
  antes=$(ventanas)
  clic "$x" "$y"
  m=$(esperar_ventana_nueva "$antes") || fallo "the wallpaper question did not come"
  esperar_quieta
  foto mensaje-fondo
  antes=$(ventanas)
  clic_cierra "$m" $((CX + $(e $((413 + 40))))) $((CY + $(e $((257 + 22))))) || fallo "the wallpaper question did not close"
  # The honour roll, and over it the box that asks the name.
  honor=$(esperar_ventana_nueva "$antes") || fallo "the honour roll did not come"
  m=$(esperar_ventana_nueva "$antes
$honor") || fallo "the honour roll did not ask the name"
  esperar_quieta
  xdotool type --delay 40 "Tour"
  foto honor-nombre
  xdotool key Return
  esperar_ventana_ida "$m" && esperar_quieta
  foto_mas honor-anotado
  exit 0
fi

bin=$(cd "$1" && pwd)
salida=$(mkdir -p "${2:-$root/out/tour}" && cd "${2:-$root/out/tour}" && pwd)
export TESSERA_WINE_DIR=${TESSERA_WINE_DIR:-$root/build/wine/tour} TESSERA_WINE_KIND=x11
. "$root/scripts/wine-env.sh"
wine_prefix_ready
estado=0
if [ "${TOUR_CORTO:-0}" = 1 ]; then
  pantallas=1024x768x24 idiomas=en
else
  pantallas="1024x768x24 800x600x16 3840x2160x24@192" idiomas="en de"
fi
for caso in ${TOUR_PANTALLAS:-$pantallas}; do
  pantalla=${caso%@*} dpi=96
  [ "$caso" != "$pantalla" ] && dpi=${caso#*@}
  if [ "$dpi" != 96 ]; then
    (export TESSERA_WINE_DPI=$dpi; . "$root/scripts/wine-env.sh"; wine_prefix_ready)
  fi
  primero=1
  for idioma in ${TOUR_IDIOMAS:-$idiomas}; do
    # Another dots per inch: one sheet, in the first language.
    [ "$dpi" != 96 ] && [ "$primero" = 0 ] && break
    primero=0
    [ "$dpi" != 96 ] && pantalla="${caso%@*}-${dpi}dpi"
    case "$idioma" in
      es) numero=0 ;; en) numero=1 ;; pt) numero=2 ;; it) numero=3 ;; fr) numero=4 ;; de) numero=5 ;;
      *) echo "tour: unknown language $idioma (es en pt it fr de)" >&2; exit 2 ;;
    esac
    destino="$salida/$pantalla-$idioma"
    rm -rf "$destino"; mkdir -p "$destino"
    echo "tour: $pantalla, $idioma"
    inicio=$SECONDS
    "$root/scripts/xvfb-run.sh" "${caso%@*}" bash "$0" --visita "${caso%@*}" "$idioma" "$numero" "$destino" "$bin" "$dpi" ||
      estado=1
    # The sheet: each step labelled by its name, the picture pages also by
    # the roughness of their thumbnails.
    # Screenshots of a large screen go in made smaller first: the image
    # tools' memory would not hold thirty of them whole.
    argumentos=()
    pequenas=$(mktemp -d)
    for f in "$destino"/*.png; do
      nombre=$(basename "$f" .png)
      medidas=$(grep "^$nombre|" "$destino/etiquetas.txt" 2>/dev/null | cut -d'|' -f2)
      if [ "${pantalla%%x*}" -gt 1920 ]; then
        convert "$f" -resize 1280x "$pequenas/$nombre.png" && f=$pequenas/$nombre.png
      fi
      argumentos+=(-label "$nombre${medidas:+\n$medidas}" "$f")
    done
    montage "${argumentos[@]}" -tile 4x -geometry 320x240+6+6 -pointsize 11 \
      -title "Tessera Puzzle $pantalla $idioma" "$salida/$pantalla-$idioma.png" ||
      estado=1
    rm -rf "$destino/etiquetas.txt" "$pequenas"
    echo "tour: $pantalla, $idioma: $(ls "$destino"/*.png | wc -l) screenshots in $((SECONDS - inicio)) s"
  done
done
exit $estado
