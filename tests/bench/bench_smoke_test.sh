#!/usr/bin/env bash
# kesh-bench with a handful of frames: it runs every case to the end with
# numeric figures and writes its report over only its own part of a document.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/out"; exit 1; }

doc="$work/performance.md"
printf '# Kept\n<!-- kesh-bench report: begin -->\nstale\n<!-- kesh-bench report: end -->\nTail\n' >"$doc"
"$KESH_BUILD/kesh-bench" --frames 2 --warmup 0 --floor-block 1 --part-frames 1 --micro-time 0.001 \
  --repetitions 1 --markdown "$doc" >"$work/out" 2>"$work/err" || fail "$(cat "$work/err")"
grep -Eiw 'nan|inf' "$work/out" && fail "figures that are not numbers"
grep -Eq '^\| Process start to the first frame \| [0-9]+ ms \|$' "$work/out" || fail "no start-up time"
grep -Eq '^\| Peak resident memory .* \| [0-9]+\.[0-9] MiB \|$' "$work/out" || fail "no peak memory"
cmp -s <(sed -n '/report: begin/,/report: end/p' "$work/out" | sed '1i # Kept' | sed '$a Tail') "$doc" ||
  fail "the document is not its old head and tail around the report printed last"
"$KESH_BUILD/kesh-bench" --frames 0 >/dev/null 2>&1
[[ $? -eq 2 ]] || fail "--frames 0 was accepted"
