#!/usr/bin/env bash
# Set up, build and run Kestrel. Extra arguments go to kestrel.
# Without arguments: the desktop program where a display is set; else (or when the display
# does not answer) the class tree in the terminal, and how to see the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
KESTREL=build/src/kestrel
if [ $# -gt 0 ]; then
  exec "$KESTREL" "$@"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  # kestrel asks the display itself; when it cannot open its windows it says why and ends with
  # status 1 before opening any.
  status=0
  "$KESTREL" || status=$?
  [ "$status" -ne 1 ] && exit "$status"
  echo >&2
fi

# No display: build the class tree from the installed frameworks (GNUstep's headers where no
# frameworks folder exists) and print it.
"$KESTREL" build
"$KESTREL" tree
cat >&2 <<EOF

Kestrel's desktop program needs a display (DISPLAY or WAYLAND_DISPLAY) and none could be used
here, so the class tree was printed instead. To see the desktop program:
  - on a desktop session, run  bash scripts/run.sh  (or build/src/kestrel) in its terminal;
  - over SSH, log in with  ssh -X  and run build/src/kestrel;
  - on a virtual display, take pictures of its windows:  bash scripts/screenshot.sh [FOLDER]
    (on Xvfb; the pictures go to screenshots/), or run it unseen:  xvfb-run build/src/kestrel;
  - draw the class tree as a picture:  build/src/kestrel tree --png tree.png  (or --svg tree.svg).
EOF
