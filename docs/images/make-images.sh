#!/usr/bin/env bash
# Remakes the README's pictures from the frame tool's storyboard shots:
#   stage.jpg   the stage halfway through a quarter turn
#   scenes.jpg  the four scenes from their best zooms, two by two
#   tour.gif    a slide show from the intro round the stage to the fire's burst
# An authoring step, not part of the build: it needs ImageMagick and Xvfb.
#   docs/images/make-images.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: make-images.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT

# The frame tool reads textures/ from its working folder, the build folder.
(cd "$build" && "$here/../../scripts/with-xvfb.sh" ./kesh-frames --out "$shots" >/dev/null)
cd "$shots"

convert stage-mid-turn.png -resize 640x480 -strip -quality 80 "$here/stage.jpg"

montage wind-best-zoom.png earth-best-zoom.png fire-mid-burst.png water-drop-20.png \
  -resize 320x240 -tile 2x2 -geometry +2+2 -background black scenes.png
convert scenes.png -strip -quality 80 "$here/scenes.jpg"

# Each slide with its delay in hundredths of a second.
slides=(intro-100:60 intro-157:100 stage-wind:100 stage-mid-turn:60 stage-earth:100
  stage-fire:100 stage-water:100 water-drop-20:100 fire-converging:70 fire-mid-burst:100
  fire-merged:100)
frames=()
for slide in "${slides[@]}"; do
  frames+=(-delay "${slide#*:}" "${slide%%:*}.png")
done
# Few colours and no dithering keep the starfield from bloating the file.
convert "${frames[@]}" -resize 320x240 +dither -colors 48 -layers optimize -loop 0 \
  "$here/tour.gif"

ls -l "$here"/stage.jpg "$here"/scenes.jpg "$here"/tour.gif
