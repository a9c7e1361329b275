#!/usr/bin/env bash
# Makes the PNG and ICO forms of the application icon from its source, zelk.xpm (ImageMagick).
# Run it after editing zelk.xpm and commit the results; the build only embeds them.
set -euo pipefail
cd "$(dirname "$0")"
convert zelk.xpm -define png:exclude-chunks=date,time PNG8:zelk.png
convert zelk.xpm -colors 16 zelk.ico
