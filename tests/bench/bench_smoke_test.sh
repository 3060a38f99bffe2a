#!/usr/bin/env bash
# kesh-bench with a handful of frames: every case and every piece of own work
# gets its row, and the report replaces only its own part of a document.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

doc="$work/performance.md"
printf '# Notes kept\n\n<!-- kesh-bench report: begin -->\nstale\n<!-- kesh-bench report: end -->\nTail kept\n' >"$doc"
"$KESH_BUILD/kesh-bench" --frames 4 --warmup 1 --floor-block 2 --part-frames 2 --micro-time 0.001 \
  --repetitions 1 --markdown "$doc" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 0 ] || fail "kesh-bench exited with $status: $(cat "$work/err")"

for row in 'intro' 'wind' 'earth' 'fire, orbiting' 'fire, burst' 'water, ripples live'; do
  # A row: name, then eleven figures (the own-work share ends in %); and its
  # row of the comparison, twelve figures.
  grep -Eq "^\| $row( \| [0-9]+\.[0-9]+){10} \| [0-9]+\.[0-9] % \|$" "$work/out" ||
    fail "no complete row for $row"
  grep -Eq "^\| $row( \| [0-9]+\.[0-9]){12} \|$" "$work/out" ||
    fail "no comparison row for $row"
done
for row in 'wind' 'earth' 'fire, orbiting' 'fire, burst' 'water, ripples live'; do
  # Six parts, their sum and the frame's median.
  grep -Eq "^\| $row( \| [0-9]+\.[0-9]){8} \|$" "$work/out" || fail "no parts row for $row"
done
for work_row in 'idle step' 'fire update with a live burst' 'startBurst' \
  'ripple step with its normals' 'ripple strip submission' 'fireball draws' 'sliding sphere draws' \
  'intro lettering'; do
  grep -Eq "^\| $work_row.* \| [0-9]+\.[0-9]{2} \|" "$work/out" || fail "no own-work row for $work_row"
done
grep -Eq '^\| Process start to the first frame \| [0-9]+ ms \|$' "$work/out" ||
  fail "no start-up time"
grep -Eq '^\| Peak resident memory .* \| [0-9]+\.[0-9] MiB \|$' "$work/out" || fail "no peak memory"

head -n 1 "$doc" | grep -qx '# Notes kept' || fail "the text before the report was lost"
tail -n 1 "$doc" | grep -qx 'Tail kept' || fail "the text after the report was lost"
grep -q stale "$doc" && fail "the old report was left in the document"
# Standard output holds the program's banner first, then the report.
cmp -s <(sed -n '/report: begin/,/report: end/p' "$doc") \
  <(sed -n '/report: begin/,/report: end/p' "$work/out") ||
  fail "the document's report differs from the one printed"
tail -n 1 "$work/out" | grep -qx '<!-- kesh-bench report: end -->' ||
  fail "the report is not the last thing printed"

"$KESH_BUILD/kesh-bench" --frames 0 >/dev/null 2>&1
[ $? -eq 2 ] || fail "--frames 0 was accepted"

[ "$failures" -eq 0 ] || exit 1
echo "kesh-bench smoke run passed"
