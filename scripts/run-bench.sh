#!/usr/bin/env bash
# Runs kesh-bench from a build on a private Xvfb display and writes its report
# into docs/performance.md (between the report's marker lines) as well as to
# standard output. Extra arguments go to kesh-bench.
#   scripts/run-bench.sh BUILD_DIR [KESH_BENCH_ARG...]
set -uo pipefail
build=$(cd "${1:?usage: run-bench.sh BUILD_DIR [KESH_BENCH_ARG...]}" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
document="$(cd "$here/.." && pwd)/docs/performance.md"
echo "Load average before the run: $(cut -d' ' -f1-3 /proc/loadavg) (other work on the machine slows the frames)"
cd "$build" && exec "$here/with-xvfb.sh" ./kesh-bench --markdown "$document" "$@"
