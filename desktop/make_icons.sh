#!/usr/bin/env bash
# Renders the organizer's icon (icons/koret.svg) into the PNG sizes the desktop's icon theme
# uses. The PNGs are kept in the repository, so a build or an install never needs the renderer;
# run this again after changing the picture (needs rsvg-convert, Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --output "${size}x${size}/koret.png" koret.svg
done
