#!/usr/bin/env bash
# Runs a command on a private Xvfb display that this script starts and stops.
#   scripts/with-xvfb.sh COMMAND [ARG...]
# The display is 24-bit (freeglut finds no GLX at lower depths).
set -uo pipefail

command -v Xvfb >/dev/null || { echo "Xvfb is not installed (apt-get install xvfb)" >&2; exit 1; }

fifo_dir=$(mktemp -d)
trap 'rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
  3>"$fifo_dir/displayfd" >"$fifo_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
if ! read -r -t 20 display_number <"$fifo_dir/displayfd"; then
  echo "Xvfb did not start:" >&2
  cat "$fifo_dir/xvfb.log" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi

export DISPLAY=":$display_number"
"$@"
status=$?
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
