#!/usr/bin/env bash
# sonidos.sh OUTDIR: the two button sounds as short PCM WAVE files,
# the same bytes on every run (no dither).
set -euo pipefail
out=$1
mkdir -p "$out"
# Hover: a soft, short high tick.
sox -D -n -r 22050 -c 1 -b 16 "$out/encima.wav" synth 0.045 sine 2400 fade q 0.002 0.045 0.035 vol 0.25
# Click (also the fit sound): a woody knock, two detuned partials decaying fast.
sox -D -n -r 22050 -c 1 -b 16 "$out/clic.wav" synth 0.11 sine 820 sine 1230 fade q 0.001 0.11 0.1 vol 0.6
