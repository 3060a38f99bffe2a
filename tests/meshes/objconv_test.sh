#!/usr/bin/env bash
# The converter program as the build runs it: tables for a good file, a
# failing status and a message naming file, mesh and figure for a tampered
# one (with no tables left behind).
set -uo pipefail
conv="$KESH_BUILD/kesh-objconv"
catalogue="$KESH_SOURCE/assets/meshes/catalogue.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$conv" marker "$KESH_SOURCE/assets/meshes/marker.obj" "$catalogue" "$work" 2>"$work/err" ||
  fail "good marker.obj refused: $(cat "$work/err")"
grep -q 'std::array<MeshTables, 1> markerTables' "$work/marker_tables.h" ||
  fail "header does not list the marker's one mesh"
grep -q '^const double markerMesh1Vertices\[14706\] = {' "$work/marker_tables.cpp" ||
  fail "source does not define the vertex table"

# One triangle's corner moved onto another block's vertex is impossible in a
# one-block file; a wrong triangle count and a box change are not.
sed '0,/^f /{/^f /d}' "$KESH_SOURCE/assets/meshes/marker.obj" >"$work/marker.obj"
"$conv" marker "$work/marker.obj" "$catalogue" "$work" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "a missing triangle gave status $status, not 1"
grep -q "^$work/marker.obj: marker mesh 1 markerSphere: triangles 9799, catalogue 9800$" "$work/err" ||
  fail "message does not name file, mesh and figure: $(cat "$work/err")"
[ ! -e "$work/marker_tables.h" ] && [ ! -e "$work/marker_tables.cpp" ] ||
  fail "tables of the earlier run were left behind"

sed 's/^f \([0-9]*\) \([0-9]*\) \([0-9]*\)$/f \1 \2 \3 \3/;t done;b;:done;n;b done' \
  "$KESH_SOURCE/assets/meshes/marker.obj" >"$work/quad.obj"
"$conv" marker "$work/quad.obj" "$catalogue" "$work" 2>"$work/err" && fail "a quad face was accepted"
grep -q "^$work/quad.obj: marker mesh 1 markerSphere, face 1: 4 corners; every face must be a triangle$" \
  "$work/err" || fail "quad message: $(cat "$work/err")"

"$conv" marker 2>/dev/null
[ $? -eq 2 ] || fail "a short command line did not give the usage status 2"

[ "$failures" -eq 0 ] && echo "objconv: all checks passed"
exit "$failures"
