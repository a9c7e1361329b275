#!/usr/bin/env bash
# Makes the PNG and ICO forms of the application icon from its source, zelk.xpm (ImageMagick).
# Run it after editing zelk.xpm and commit the results; the build only embeds them.
# The ICO holds the sizes Windows asks for: 16 (title bars, small lists), 32 (the drawn size),
# 48 (Explorer's medium icons) and 256 (large icons, stored as PNG). The drawing is pixel art:
# enlarged by repeating pixels, halved by averaging them.
set -euo pipefail
cd "$(dirname "$0")"
convert zelk.xpm -define png:exclude-chunks=date,time PNG8:zelk.png
convert zelk.xpm \
    \( -clone 0 -filter box -resize 16x16 \) \
    \( -clone 0 \) \
    \( -clone 0 -filter point -resize 48x48 \) \
    \( -clone 0 -filter point -resize 256x256 \) \
    -delete 0 zelk.ico
