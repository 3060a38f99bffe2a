#!/usr/bin/env bash
# Runs every test of a build through CTest on a private Xvfb display.
#   scripts/run-tests.sh BUILD_DIR [CTEST_ARG...]
set -uo pipefail
build=${1:?usage: run-tests.sh BUILD_DIR [CTEST_ARG...]}
shift
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/with-xvfb.sh" ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
