#!/usr/bin/env bash
# The converter as the build runs it: tables for a good file; for a tampered one status 1, its
# message and no tables left behind; the usage status for a short command line.
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

# A tampered file: status 1, a message naming file, mesh and figure, and no tables left behind.
sed '0,/^f /{/^f /d}' "$marker" >"$work/missing.obj"
"$conv" marker "$work/missing.obj" "$catalogue" "$work" 2>"$work/err"
[ $? -eq 1 ] || fail "a tampered file did not give status 1"
message="$work/missing.obj: marker mesh 1 markerSphere: triangles 9799, catalogue 9800"
grep -qxF "$message" "$work/err" || fail "message $(cat "$work/err")"
[ ! -e "$work/marker_tables.h" ] && [ ! -e "$work/marker_tables.cpp" ] || fail "tables left"

"$conv" marker 2>/dev/null
[ $? -eq 2 ] || fail "a short command line did not give the usage status 2"
[ "$failures" -eq 0 ] && echo "objconv: all checks passed"
exit "$failures"
