#!/usr/bin/env bash
# kesh-bench with a handful of frames: every case and piece of own work runs
# to the end with numeric figures, and the report replaces only its own part
# of the document it is written into.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

doc="$work/performance.md"
printf '# Notes kept\n<!-- kesh-bench report: begin -->\nstale\n<!-- kesh-bench report: end -->\nTail kept\n' >"$doc"
"$KESH_BUILD/kesh-bench" --frames 2 --warmup 0 --floor-block 1 --part-frames 1 --micro-time 0.001 \
  --repetitions 1 --markdown "$doc" >"$work/out" 2>"$work/err" ||
  fail "kesh-bench failed: $(cat "$work/err")"
grep -Eiw 'nan|inf' "$work/out" && fail "figures that are not numbers"
grep -Eq '^\| Process start to the first frame \| [0-9]+ ms \|$' "$work/out" || fail "no start-up time"
grep -Eq '^\| Peak resident memory .* \| [0-9]+\.[0-9] MiB \|$' "$work/out" || fail "no peak memory"
[[ $(head -n 1 "$doc") == '# Notes kept' && $(tail -n 1 "$doc") == 'Tail kept' ]] ||
  fail "the text around the report was lost"
grep -q stale "$doc" && fail "the old report was left in the document"
cmp -s <(sed -n '/report: begin/,/report: end/p' "$doc") <(sed -n '/report: begin/,$p' "$work/out") ||
  fail "the document's report differs from the one printed last"
"$KESH_BUILD/kesh-bench" --frames 0 >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "--frames 0 was accepted"
[[ $failures -eq 0 ]] || { cat "$work/out"; exit 1; }
