#!/usr/bin/env bash
# The frame tool's whole storyboard, rendered once, with the GL-error shim
# preloaded (it plants two errors that change no pixel):
# - a GL error check after every start-up step and frame: the two planted
#   errors must be reported, named by their step and frame, and no other;
# - every shot written, and on the GL build the references were recorded
#   with, every shot's pixels identical to its recorded hash (on another
#   build only this comparison is skipped: status 77 if all else passed);
# - a sparse run started just before has its window covered by this one's
#   as it maps, and must still finish (a covered window once counted as
#   never shown).
#   frame_identity_test.sh GL_ERROR_SHIM   (KESH_BUILD, KESH_SOURCE set)
set -uo pipefail
shim=${1:?usage: frame_identity_test.sh GL_ERROR_SHIM}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"$KESH_BUILD/kesh-frames" --sparse --only none --out "$work/covered" >"$work/covered.log" 2>&1 &
covered=$!
LD_PRELOAD="$shim${LD_PRELOAD:+:$LD_PRELOAD}" "$KESH_BUILD/kesh-frames" --out "$work/shots" \
  >"$work/frames.log" 2>&1
status=$?

hint=0 draw=0 seen=0
while read -r error; do
  ((++seen))
  if [[ $error == 'GL error 0x0500 after start-up step: perspective hint' ]] && ((hint++ == 0)); then
    continue
  elif [[ $error =~ ^'GL error 0x0501 after frame '[0-9]+( \(shot [a-z0-9-]+\))?$ ]] &&
    ((draw++ == 0)); then
    continue
  fi
  fail "$error"
done < <(grep -o 'GL error .*' "$work/frames.log")
((hint > 0)) || fail "the error planted in start-up's perspective hint was not named by its step"
((draw > 0)) || fail "the error planted in the burst's first draw was not named by its frame"
[[ $status -eq 1 ]] && grep -q "kesh-frames: $seen GL errors" "$work/frames.log" ||
  fail "kesh-frames exited with $status, not failing on its $seen GL errors"
[[ $(ls "$work/shots" | wc -l) -eq $("$KESH_BUILD/kesh-frames" --list | wc -l) ]] ||
  fail "not every shot was written"
wait "$covered" || fail "a run whose window was covered did not finish: $(cat "$work/covered.log")"
package=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)
"$KESH_BUILD/tests/kesh-frame-identity" check \
  "$KESH_SOURCE/tests/frames/frame_hashes.txt" "$work/shots" "$package"
identity=$?
[[ $failed -eq 0 ]] || { cat "$work/frames.log"; exit 1; }
exit $identity
