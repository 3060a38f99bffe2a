#!/usr/bin/env bash
# The converter program as the build runs it: tables for a good file; for a
# tampered one a failing status, a message naming file, mesh and figure, and
# no tables left behind; the usage status for a short command line.
set -uo pipefail
conv="$KESH_BUILD/kesh-objconv" catalogue="$KESH_SOURCE/assets/meshes/catalogue.txt"
marker="$KESH_SOURCE/assets/meshes/marker.obj"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$conv" marker "$marker" "$catalogue" "$work" 2>"$work/err" || fail "refused: $(cat "$work/err")"
grep -q 'std::array<MeshTables, 1> markerTables' "$work/marker_tables.h" || fail "no table list"
grep -q '^const double markerMesh1Vertices\[14706\]' "$work/marker_tables.cpp" || fail "no vertices"

# tampered FILE STATUS MESSAGE: the converter refuses the file with this status and message.
tampered() {
  "$conv" marker "$work/$1" "$catalogue" "$work" 2>"$work/err"
  local status=$?
  [ "$status" -eq "$2" ] || fail "$1 gave status $status, not $2"
  grep -qxF "$work/$1: $3" "$work/err" || fail "$1: message $(cat "$work/err")"
  [ ! -e "$work/marker_tables.h" ] && [ ! -e "$work/marker_tables.cpp" ] || fail "$1: tables left"
}
sed '0,/^f /{/^f /d}' "$marker" >"$work/missing.obj"
tampered missing.obj 1 "marker mesh 1 markerSphere: triangles 9799, catalogue 9800"
sed '0,/^f /s/^f \([0-9]*\) \([0-9]*\) \([0-9]*\)$/f \1 \2 \3 \3/' "$marker" >"$work/quad.obj"
tampered quad.obj 1 "marker mesh 1 markerSphere, face 1: 4 corners; every face must be a triangle"

"$conv" marker 2>/dev/null
[ $? -eq 2 ] || fail "a short command line did not give the usage status 2"
[ "$failures" -eq 0 ] && echo "objconv: all checks passed"
exit "$failures"
