#!/usr/bin/env bash
# Set up, build and run Kestrel. Extra arguments go to kestrel.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ $# -gt 0 ]; then
  exec build/src/kestrel "$@"
fi
# Until the desktop program is complete: build the class tree from the installed frameworks
# (GNUstep's headers where no frameworks folder exists) and print it.
build/src/kestrel build
exec build/src/kestrel tree
