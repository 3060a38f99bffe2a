#!/usr/bin/env bash
# Starts the demo from the build folder, where textures/ sits beside it,
# with the program's options after the folder.
#   scripts/run-demo.sh BUILD_DIR [OPTION]...
set -uo pipefail
build=${1:?usage: run-demo.sh BUILD_DIR [OPTION]...}
shift
cd "$build" || exit 1
if [[ -z "${DISPLAY:-}" ]]; then
  cat >&2 <<'MSG'
No display: DISPLAY is not set, so there is no screen to open the demo's window on.
Run `make run` from a graphical desktop session, or inside a virtual display:
    xvfb-run -s '-screen 0 1280x1024x24' make run
(Under Xvfb nothing is visible; `make frames` writes screenshots instead.)
MSG
  exit 1
fi
exec ./kesh-valdrune "$@"
