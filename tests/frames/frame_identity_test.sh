#!/usr/bin/env bash
# The frame tool's whole storyboard, rendered once with the GL-error shim
# preloaded: its two planted errors, and no others, must be reported by their
# start-up step and frame, every shot written, and on the references' GL build
# every shot identical to its hash (on another build that alone is skipped: 77).
#   frame_identity_test.sh GL_ERROR_SHIM   (KESH_BUILD, KESH_SOURCE set)
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

LD_PRELOAD="${1:?usage: frame_identity_test.sh GL_ERROR_SHIM}${LD_PRELOAD:+:$LD_PRELOAD}" \
  "$KESH_BUILD/kesh-frames" --out "$work/shots" >"$work/frames.log" 2>&1
status=$?
errors=$(grep -o 'GL error .*' "$work/frames.log")
grep -qx 'GL error 0x0500 after start-up step: perspective hint' <<<"$errors" ||
  fail "the error planted in start-up's perspective hint was not named by its step"
grep -qE '^GL error 0x0501 after frame [0-9]+( \(shot [a-z0-9-]+\))?$' <<<"$errors" ||
  fail "the error planted in the burst's first draw was not named by its frame"
[[ $(wc -l <<<"$errors") -eq 2 ]] || fail "GL errors other than the two planted"
[[ $status -eq 1 ]] && grep -q "kesh-frames: 2 GL errors" "$work/frames.log" ||
  fail "kesh-frames exited with $status, not failing on its GL errors"
[[ $(ls "$work/shots" | wc -l) -eq $("$KESH_BUILD/kesh-frames" --list | wc -l) ]] ||
  fail "not every shot was written"
package=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)
"$KESH_BUILD/tests/kesh-frame-identity" check \
  "$KESH_SOURCE/tests/frames/frame_hashes.txt" "$work/shots" "$package"
identity=$?
[[ $failed -eq 0 ]] || { cat "$work/frames.log"; exit 1; }
exit $identity
