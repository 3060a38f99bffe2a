#!/usr/bin/env bash
# Plants faults in a copy of the program one at a time and runs the tests
# against each, to see that a named test catches it.
#   tests/faults/plant-faults.sh [FAULTS_FILE] [SCRATCH_DIR]
# FAULTS_FILE (default tests/faults/faults.txt): one fault a line,
#   file|text to find|text to put instead|what the fault is
# where the text to find must stand in the file exactly once (\n stands for
# a line break). Lines starting with # are comments. The copy is built once,
# then each fault is planted, the test programs rebuilt and every test run
# but the long runs, the end-to-end runs, the pixel hashes and the
# benchmark's smoke run (KESH_FAULT_EXCLUDE, a CTest regex, names the tests
# left out besides labels e2e, long and fuzz); the first failing test stops
# the run. Prints one line a fault and "caught N of M".
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
faults=${1:-$top/tests/faults/faults.txt}
scratch=${2:-$(mktemp -d /tmp/kesh-faults.XXXXXX)}
exclude=${KESH_FAULT_EXCLUDE:-frame_identity|bench_smoke}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "copy: $scratch"
(cd "$top" && git ls-files -z | xargs -0 cp --parents -t "$scratch") || exit 1
cmake -S "$scratch" -B "$scratch/build" -DCMAKE_BUILD_TYPE=Release -DKESH_BUILD_TESTS=ON \
  "${launcher[@]}" >/dev/null || exit 1

selection=(-LE 'e2e|long|fuzz' -E "$exclude")
targets=(all)

build_and_test() {
  cmake --build "$scratch/build" -j "$(nproc)" --target "${targets[@]}" >"$scratch/build.log" 2>&1 ||
    return 2
  "$scratch/scripts/run-tests.sh" "$scratch/build" "${selection[@]}" --stop-on-failure \
    >"$scratch/test.log" 2>&1
}

if ! build_and_test; then
  echo "the unplanted copy does not build or pass its tests: see $scratch/build.log, test.log" >&2
  exit 1
fi
# From here on only the test programs that the selected tests run are rebuilt.
mapfile -t targets < <("$scratch/scripts/with-xvfb.sh" ctest --test-dir "$scratch/build" \
  --show-only=json-v1 "${selection[@]}" | python3 -c '
import json, os, sys
print("\n".join(sorted({os.path.basename(t["command"][0]) for t in json.load(sys.stdin)["tests"]})))')

caught=0
total=0
while IFS='|' read -r file find put what; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  total=$((total + 1))
  target="$scratch/$file"
  cp "$target" "$target.orig"
  if ! FIND="$find" PUT="$put" python3 - "$target" <<'PY'
import os, sys
path = sys.argv[1]
text = open(path).read()
find, put = (os.environ[k].replace("\\n", "\n") for k in ("FIND", "PUT"))
if text.count(find) != 1:
    sys.exit(1)
open(path, "w").write(text.replace(find, put))
PY
  then
    echo "fault $total: NOT PLANTED (text not found exactly once in $file): $what"
    continue
  fi
  build_and_test
  status=$?
  if [[ $status -eq 2 ]]; then
    echo "fault $total: does not build, not counted as caught: $what"
  elif [[ $status -ne 0 ]]; then
    caught=$((caught + 1))
    failed=$(sed -n '/tests FAILED:/,$p' "$scratch/test.log" | grep -E '^\s+[0-9]+ - ' | sed -E 's/^\s+[0-9]+ - //; s/ \(.*//' | head -n 3 | paste -sd, -)
    echo "fault $total: caught by ${failed:-?}: $what"
  else
    echo "fault $total: MISSED: $what"
  fi
  cp "$target.orig" "$target" && rm "$target.orig"
done <"$faults"
# Leave the copy built as it was, for a rerun.
cmake --build "$scratch/build" -j "$(nproc)" --target "${targets[@]}" >/dev/null 2>&1
echo "caught $caught of $total"
