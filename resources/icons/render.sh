#!/usr/bin/env bash
# Draws the icon's PNG sizes from their sources: kelmo-16.xpm for 16 pixels, kelmo.xpm (the
# program's own 32-pixel icon) for 32, kelmo.svg for every other size. The PNGs are kept in
# the repository so that building needs neither tool; run this again after changing a source.
# Needs rsvg-convert (librsvg2-bin) and convert (imagemagick).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
convert kelmo-16.xpm -strip png32:kelmo-16.png
convert ../kelmo.xpm -strip png32:kelmo-32.png
for size in 22 24 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" kelmo.svg --output "kelmo-$size.png"
done
