#!/bin/bash
# Regenerates docs/screenshot.png: the strip with the shipped config.ini,
# on a private virtual display. (Wine does not apply the colour key to
# OpenGL content, so the strip's background shows black here; on Windows
# it is transparent.)
set -eu
cd "$(dirname "$0")/.."
ROOT=$(pwd)
tools/build.sh >/dev/null
. tools/wine-env.sh
trap wine_env_stop EXIT
wine_env_start "$ROOT/build/wine-screenshot"
export TZ="${HALVESTA_SCREENSHOT_TZ:-UTC}"
(cd dist/halvesta && exec wine halvesta.exe) &
sleep 6
mkdir -p docs
xwd -root -silent -display "$DISPLAY" | /usr/bin/convert xwd:- -crop 600x100+0+0 +repage -strip docs/screenshot.png
echo "docs/screenshot.png"
