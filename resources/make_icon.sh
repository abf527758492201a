#!/bin/sh
# Makes the program's icon from the rest picture: its square middle, the smiling face, at the
# sizes Windows shows icons at. Needs ImageMagick.
set -eu
cd "$(dirname "$0")"
convert rest_picture.bmp -gravity center -crop 112x112+0+0 +repage \
  -define icon:auto-resize=48,32,24,16 lettervonk.ico
