#!/usr/bin/env bash
# sonidos.sh OUTDIR: the two button sounds as short PCM WAVE files,
# the same bytes on every run (no dither, no noise sources).
# Two linear fades in a row give a (1 - t)^2 decay: a struck, not a beeped, sound.
set -euo pipefail
out=$1
mkdir -p "$out"
# Hover: a soft, short tick, two quiet partials.
sox -D -n -r 22050 -c 1 -b 16 "$out/encima.wav" \
  synth 0.04 sine 1900 synth 0.04 sine mix 2900 \
  fade t 0.001 0.04 0.039 fade t 0 0.04 0.04 vol 0.22
# Click (also the fit sound): a bright 12 ms snap over a woody knock.
sox -D -n -r 22050 -c 1 -b 16 "$out/clic.wav" \
  synth 0.012 sine 3000 fade t 0 0.012 0.012 pad 0 0.088 \
  synth 0.1 sine mix 560 synth 0.1 sine mix 1330 \
  fade t 0.001 0.1 0.099 fade t 0 0.1 0.1 vol 0.7
