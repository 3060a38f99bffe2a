#!/usr/bin/env bash
# Renders the frame tool's whole storyboard and compares every shot's pixels
# with the recorded reference hashes. Skipped (status 77) when the references
# come from another GL build.
set -uo pipefail
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
package=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)
"$KESH_BUILD/kesh-frames" --out "$shots" >"$shots/frames.log" 2>&1 || {
  cat "$shots/frames.log"
  echo "FAIL: kesh-frames could not render the storyboard"
  exit 1
}
exec "$KESH_BUILD/tests/kesh-frame-identity" check \
  "$KESH_SOURCE/tests/frames/frame_hashes.txt" "$shots" "$package"
