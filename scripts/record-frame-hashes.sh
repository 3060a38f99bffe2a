#!/usr/bin/env bash
# Re-records the reference pixel hashes the frame-identity test compares
# with: renders the frame tool's whole storyboard with the build's programs
# and writes tests/frames/frame_hashes.txt, naming the GL build in use. Run it
# only when a change to what is drawn is intended (textures, models), or to
# take the check to another Mesa build; then commit the file.
#   scripts/record-frame-hashes.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: record-frame-hashes.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
references="$(cd "$here/.." && pwd)/tests/frames/frame_hashes.txt"
cmake --build "$build" -j "${JOBS:-2}" --target kesh-frames kesh-frame-identity >/dev/null
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
package=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)
cd "$build"
"$here/with-xvfb.sh" bash -c '"$1/kesh-frames" --out "$2" >/dev/null &&
  "$1/tests/kesh-frame-identity" record "$3" "$2" "$4"' \
  record "$build" "$shots" "$references" "$package"
