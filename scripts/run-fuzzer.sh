#!/usr/bin/env bash
# Runs one libFuzzer target from a seed folder and reports what it did.
#   scripts/run-fuzzer.sh FUZZER SEEDS CORPUS [LIBFUZZER_OPTION...]
# CORPUS is the folder where inputs that reach new code collect; "-" uses a
# fresh one that is removed afterwards, so every run starts from the seeds
# alone. An input that breaks the fuzzer is kept under crashes/ beside it.
set -uo pipefail
fuzzer=${1:?usage: run-fuzzer.sh FUZZER SEEDS CORPUS [OPTION...]}
seeds=${2:?seed folder}
corpus=${3:?corpus folder or -}
shift 3

# Inputs up to this size; the largest seed is a little over 3 KB.
max_len=8192
crashes="$(dirname "$fuzzer")/crashes"
mkdir -p "$crashes"
log=$(mktemp)
fresh=""
if [[ "$corpus" == "-" ]]; then
  fresh=$(mktemp -d)
  corpus=$fresh
else
  mkdir -p "$corpus"
fi
trap 'rm -f "$log"; [[ -n "$fresh" ]] && rm -rf "$fresh"' EXIT

"$fuzzer" -max_len=$max_len -artifact_prefix="$crashes/$(basename "$fuzzer")-" \
  -print_final_stats=1 "$@" "$corpus" "$seeds" >"$log" 2>&1
status=$?
if [[ $status -ne 0 ]]; then
  cat "$log"
  echo "$(basename "$fuzzer"): FAILED with status $status; the input is under $crashes" >&2
  exit $status
fi
# The run's figures: executions, time, speed, coverage and corpus.
grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' "$log"
grep -E 'DONE' "$log" | tail -1
exit 0
