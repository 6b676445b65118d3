#!/usr/bin/env bash
# instalador.sh WxHxD BIN_DIR: the packages of `make dist`, in a Wine prefix
# of their own (installing changes it). The silent installer puts in place
# the program, its shortcut and its uninstall entry; the installed game
# saves into %APPDATA%\Tessera; the silent uninstaller takes away all it put
# and keeps the saves. The zip's game saves beside itself.
. "$(dirname "$0")/juego_lib.sh"
if [ -z "${JUEGO_EN_PANTALLA:-}" ]; then
  export TESSERA_WINE_DIR=${TESSERA_WINE_DIR:-$JUEGO_RAIZ/build/wine}/instalador INSTALADOR_DIR=$(mktemp -d)
  trap 'rm -rf "$INSTALADOR_DIR"' EXIT
  DIST_COMPRESOR=zlib bash "$JUEGO_RAIZ/scripts/dist.sh" "$2/.." "$INSTALADOR_DIR/Tessera" "$INSTALADOR_DIR" >/dev/null || exit 1
fi
juego_escena instalador "$1" "$2"
v=$(head -n 1 "$JUEGO_RAIZ/VERSION") pf="$WINEPREFIX/drive_c/Program Files/Tessera" u='"C:\Program Files\Tessera\Uninstall.exe"'
lnk="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tessera Puzzle.lnk"
clave='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessera'
datos="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tessera"
entrada() { wine reg query "$clave" </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^ *\([A-Za-z]*\) *REG_[A-Z]* *\(.*\)/\1=\2/p' | LC_ALL=C sort; }
# guardar CARPETA NOMBRE: the game there saves a new puzzle with Ctrl+S.
guardar() {
  local antes w
  JUEGO_BIN=$1
  juego_iniciar "Image\\3.bmp,2,3,0" || fail "the game in $1 did not start"
  antes=$(ventanas); xdotool key ctrl+s
  w=$(esperar_ventana_nueva "$antes") && esperar_quieta || fail "Ctrl+S opened no save window"
  xdotool type --delay 60 "$2"; xdotool key Return
  esperar_ventana_ida "$w" && juego_salir $((W - 20)) 15 || fail "the save window or the game did not close"
}

rm -rf "$pf" "$lnk" "$datos"; wine reg delete "$clave" /f </dev/null >/dev/null 2>&1  # an earlier run's
wine "$INSTALADOR_DIR/Tessera-$v-setup.exe" /S </dev/null || fail "the installer failed"
(cd "$INSTALADOR_DIR/Tessera" && xargs -d '\n' -I{} cmp -s {} "$pf/{}" <.shipped) || fail "a file was not installed"
[ -f "$pf/Tessera.installed" ] && [ ! -e "$pf/folder" ] && [ -s "$lnk" ] || fail "no mark, no shortcut, or a folder\\"
[ "$(entrada)" = "DisplayIcon=C:\Program Files\Tessera\Tessera.exe,0
DisplayName=Tessera Puzzle
DisplayVersion=$v
EstimatedSize=$(printf 0x%x $((($(find "$pf" -type f -printf '%s+') 0) / 1024)))
InstallLocation=C:\Program Files\Tessera
NoModify=0x1
NoRepair=0x1
Publisher=The Tessera Puzzle team
QuietUninstallString=$u /S
UninstallString=$u" ] || fail "the uninstall entry is $(entrada)"

guardar "$pf" instalado
[ -s "$datos/folder/instalado.epf" ] && [ ! -e "$pf/folder" ] || fail "the installed game did not save in %APPDATA%"
# The uninstaller hands its work to a copy of itself and returns.
wine "$pf/Uninstall.exe" /S </dev/null && timeout 60 wineserver -w || fail "the uninstaller failed"
[ ! -e "$pf" ] && [ ! -e "$lnk" ] && [ -z "$(entrada)" ] || fail "the uninstaller left the program, its shortcut or entry"
[ -s "$datos/folder/instalado.epf" ] || fail "the uninstaller took the save"

suelta=$(mktemp -d)
trap 'rm -rf "$suelta"' EXIT
unzip -q "$INSTALADOR_DIR/Tessera-$v.zip" -d "$suelta" || fail "the zip did not unpack"
guardar "$suelta/Tessera" suelto
[ -s "$suelta/Tessera/folder/suelto.epf" ] && [ ! -e "$datos/folder/suelto.epf" ] || fail "the zip's game did not save beside itself"
echo "instalador: installed, saved in %APPDATA%, uninstalled keeping the save; the zip's game saves beside itself"
