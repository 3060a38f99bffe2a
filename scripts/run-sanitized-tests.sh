#!/usr/bin/env bash
# Runs the tests of a sanitized build (make test-sanitized) on a private Xvfb
# display: every unit and GL test, with every finding of AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer fatal. The end-to-end tests
# (label e2e) and the long runs (label long) are left out: they watch the
# real program from outside and take their time, and the plain build runs them.
#   scripts/run-sanitized-tests.sh BUILD_DIR [CTEST_ARG...]
set -uo pipefail
build=${1:?usage: run-sanitized-tests.sh BUILD_DIR [CTEST_ARG...]}
shift
here=$(cd "$(dirname "$0")" && pwd)

# check_initialization_order: globals are built before main, in an order
# across files that nothing fixes; one reading another too early is a finding.
# verify_asan_link_order=0: a test preloads a GL shim, which must not count.
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:strict_string_checks=1:verify_asan_link_order=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$here/../cmake/lsan-suppressions.txt:print_suppressions=0"
# GL's driver is unloaded before the leak check runs, which leaves its leaks
# without a name to suppress them by; loaded from the start, it stays.
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1)
[[ -n "$driver" ]] && export LD_PRELOAD="$driver${LD_PRELOAD:+:$LD_PRELOAD}"
exec "$here/run-tests.sh" "$build" -LE 'e2e|long' "$@"
