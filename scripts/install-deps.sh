#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the asset tools need.
# Skips what is already present; runs apt-get update at most once.
set -euo pipefail

packages=(
  # native build, tests, benchmarks, fuzzing
  make cmake ninja-build g++ clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # Windows cross build (64-bit and the 32-bit compile check)
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  # running and driving the program
  wine wine64 xvfb xdotool x11-utils imagemagick
  # the packages of `make dist`: the zip and the installer
  zip unzip nsis
  # the printing tests: a CUPS server with a PDF printer, and a PDF reader
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  # asset tools
  sox python3 python3-pil python3-numpy fonts-dejavu-core fonts-dejavu-extra
  ffmpeg librsvg2-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
