# Sourced by the scripts that run Windows programs: the project's own Wine
# prefixes, kept inside the build folder and never in $HOME.
#   TESSERA_WINE_KIND=null  windows without any X server (the window tests)
#   TESSERA_WINE_KIND=x11   a real display ($DISPLAY), for screenshots and input
#   TESSERA_WINE_KIND=sonido  as null, with a silent sound card: one wave
#                           device and a mixer whose faders work
#   TESSERA_WINE_KIND=impresora  as null, for the tests that print to the
#                           test printer of scripts/impresora.sh
# TESSERA_WINE_DPI (96 unless set) is the screens' dots per inch: another
# value gets a prefix of its own, KIND-DPI.
_tessera_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TESSERA_WINE_KIND=${TESSERA_WINE_KIND:-null}
TESSERA_WINE_DPI=${TESSERA_WINE_DPI:-96}
export WINEPREFIX="${TESSERA_WINE_DIR:-$_tessera_root/build/wine}/$TESSERA_WINE_KIND"
[ "$TESSERA_WINE_DPI" = 96 ] || WINEPREFIX+="-$TESSERA_WINE_DPI"
export WINEARCH=win64
if [ "$TESSERA_WINE_KIND" = sonido ]; then
  # The sound system's null device, from a home of the prefix's own.
  export HOME="$WINEPREFIX.home"
  mkdir -p "$HOME"
  echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
fi
export WINEDEBUG=-all
# No desktop menu entries, and no offer to install the .NET or HTML runtimes.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="

# What a ready prefix's mark holds; a prefix marked otherwise is made again.
_tessera_prefix_mark=win10
wine_prefix_ready() {
  [ "$(cat "$WINEPREFIX/.tessera-ready" 2>/dev/null)" = "$_tessera_prefix_mark" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ "$(cat "$WINEPREFIX/.tessera-ready" 2>/dev/null)" = "$_tessera_prefix_mark" ] && exit 0
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 </dev/null
    # Windows 10, as the program's manifest declares it can run on.
    wine winecfg /v win10 >/dev/null 2>&1 </dev/null
    # Without a window manager this makes maximised windows cover the screen
    # and removes a stall on every top-level window destruction.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    # No audio device (but for the silent card): winmm reports none quietly.
    if [ "$TESSERA_WINE_KIND" != sonido ]; then
      wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1 </dev/null
    fi
    if [ "$TESSERA_WINE_KIND" != x11 ]; then
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
    fi
    if [ "$TESSERA_WINE_DPI" != 96 ]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TESSERA_WINE_DPI" /f \
        >/dev/null 2>&1 </dev/null
    fi
    wineserver -w
    echo "$_tessera_prefix_mark" >"$WINEPREFIX/.tessera-ready"
  ) 9>"$WINEPREFIX.lock"
}

# A server that outlives each test, started with its output away from the
# caller's pipes (otherwise every CTest run waits for Wine's helpers).
wine_server_warm() {
  wineserver -p 30 </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
