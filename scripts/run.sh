#!/usr/bin/env bash
# Set up, build and run Kestrel. Extra arguments go to kestrel.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ $# -gt 0 ]; then
  exec build/src/kestrel "$@"
fi
exec build/src/kestrel tokens /usr/include/GNUstep/Foundation/NSObject.h
