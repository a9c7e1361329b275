#!/usr/bin/env bash
# Makes the PNG and ICO forms of the application icon (ImageMagick). zelk.xpm is the drawing at
# 32 px; packaging/icons/make-icons.py draws the other sizes crisply on their own pixel grids.
# Run it after either changes and commit the results; the builds only embed them.
# The ICO holds the sizes Windows asks for: 16 (title bars, small lists), 32, 48 (Explorer's
# medium icons) and 256 (large icons, stored as PNG).
set -euo pipefail
cd "$(dirname "$0")"
sizes=../../../packaging/icons/hicolor
convert zelk.xpm -define png:exclude-chunks=date,time PNG8:zelk.png
convert "$sizes/16x16/apps/io.github.zelkwin.Zelk.png" zelk.xpm \
    "$sizes/48x48/apps/io.github.zelkwin.Zelk.png" "$sizes/256x256/apps/io.github.zelkwin.Zelk.png" zelk.ico
