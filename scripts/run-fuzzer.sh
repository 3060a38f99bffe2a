#!/usr/bin/env bash
# Runs one libFuzzer target from a seed folder and reports what it did.
#   scripts/run-fuzzer.sh FUZZER SEEDS CORPUS [LIBFUZZER_OPTION...]
# SEEDS "-": fresh seeds, written by kesh-fuzz-corpus beside the fuzzer.
# CORPUS is the folder where inputs that reach new code collect; "-" uses a
# fresh one; fresh folders are removed afterwards, so every run starts from
# the seeds alone. An input that breaks the fuzzer is kept under crashes/
# beside it.
set -uo pipefail
fuzzer=${1:?usage: run-fuzzer.sh FUZZER SEEDS CORPUS [OPTION...]}
seeds=${2:?seed folder}
corpus=${3:?corpus folder or -}
shift 3

# Inputs up to this size; the seeds are under 1 KB.
max_len=8192
crashes="$(dirname "$fuzzer")/crashes"
mkdir -p "$crashes"
log=$(mktemp)
fresh=$(mktemp -d)
trap 'rm -f "$log"; rm -rf "$fresh"' EXIT
if [[ "$seeds" == "-" ]]; then
  reader=$(basename "$fuzzer")
  "$(dirname "$fuzzer")/kesh-fuzz-corpus" "$fresh/seeds" || exit 1
  seeds=$fresh/seeds/${reader#kesh-fuzz-}
fi
if [[ "$corpus" == "-" ]]; then
  corpus=$fresh/corpus
fi
mkdir -p "$corpus"

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
