#!/usr/bin/env bash
# herramientas.sh WxHxD BIN_DIR: the tools window of the real game on an
# Xvfb screen: it slides out from its strip; the honour roll opens over the
# whole screen and its exit button closes it; the music window opens, its
# master slider's knob is dragged up (its picture is seen where the pointer
# let go), and its exit button closes it. A window that opens or closes
# changes at least half of the part of the screen it covers. Screenshots go
# to out/e2e/.
. "$(dirname "$0")/juego_lib.sh"
juego_escena herramientas "$1" "$2"

juego_iniciar "" || fail "the game did not start"
mesa=$(shot mesa)

herramientas || fail "the tools window did not slide out"
fuera=$(shot herramientas)
distinta "$mesa" "$fuera" "90x$((H - 160))+0+80" 50 || fail "the tools window did not slide out"

read -r x y <<<"$(boton_herramienta 6)"
v=$(clic_ventana "$x" "$y") || fail "the honour roll did not open"
honor=$(shot honor)
distinta "$fuera" "$honor" "$((W / 2))x$((H / 2))+$((W / 4))+$((H / 4))" 50 || fail "the honour roll shows nothing"
clic_cierra "$v" $((W * 100000 / 115732 + 35)) $((H * 1000 / 1197 + 35)) || fail "the honour roll did not close"
cerrado=$(shot honor-cerrado)
distinta "$honor" "$cerrado" "$((W / 2))x$((H / 2))+$((W / 4))+$((H / 4))" 50 || fail "the honour roll did not close"

herramientas || fail "the tools window did not slide out again"
read -r x y <<<"$(boton_herramienta 5)"
v=$(clic_ventana "$x" "$y") || fail "the music window did not open"
musica=$(shot musica)
X=$(( (W - 266) / 2 + 3 )); Y=$(( (H - 306) / 2 + 3 ))
distinta "$cerrado" "$musica" "260x300+$X+$Y" 50 || fail "the music window did not open"
# The master knob rests at 50 of 0-99 on its track from y 236 up to y
# 100. The knob reads the pointer itself when pressed, so the first step
# waits until the knob has followed it, and a press it missed is tried
# once more.
pista="40x150+$((X + 49))+$((Y + 90))"
for intento in 1 2; do
  antes=$(firma "$pista")
  puntero $((X + 69)) $((Y + 168))
  xdotool mousedown 1
  xdotool mousemove $((X + 69)) $((Y + 160))
  esperar_cambio "$pista" "$antes" 10; seguido=$?
  for i in 2 3 4 5 6; do xdotool mousemove $((X + 69)) $((Y + 168 - 8 * i)); sleep 0.05; done
  puntero $((X + 69)) $((Y + 120))
  xdotool mouseup 1
  [ $seguido = 0 ] && break
  [ $intento = 1 ] && echo "retrying: the master knob did not follow the pointer"
done
esperar_quieta "$pista"
subido=$(shot musica-subido)
# The knob's picture, taken at rest, now lies where the pointer let go.
/usr/bin/python3 - "$musica" "$subido" $((X + 69)) $((Y + 168)) $((Y + 120)) <<'EOF' || fail "the master knob is not where it was dragged"
import sys
import numpy as np
from PIL import Image
antes, despues = (np.asarray(Image.open(f).convert("RGB")).astype(int) for f in sys.argv[1:3])
x, reposo, destino = map(int, sys.argv[3:])
perilla = antes[reposo - 6:reposo + 6, x - 14:x + 14]
diferencia = {y: np.abs(despues[y - 6:y + 6, x - 14:x + 14] - perilla).mean() for y in range(destino - 30, reposo + 31)}
y = min(diferencia, key=diferencia.get)
print(f"knob at {y} (let go at {destino}), mean difference {diferencia[y]:.1f}")
sys.exit(0 if abs(y - destino) <= 3 and diferencia[y] < 2 else 1)
EOF
clic_cierra "$v" $((X + 40)) $((Y + 278)) || fail "the music window did not close"
fin=$(shot musica-cerrada)
distinta "$subido" "$fin" "260x300+$X+$Y" 50 || fail "the music window did not close"
echo "herramientas ($JUEGO_PANTALLA): tools, honour roll and music window opened and closed; the slider moved"
wineserver -k 2>/dev/null
exit 0
