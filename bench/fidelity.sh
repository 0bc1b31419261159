#!/bin/sh
# Builds the class tree from GNUstep's headers into a throw-away home and measures the stored
# tree against what clang finds in the same headers (../shared/oracle): the share of classes
# (with their superclass), methods, categories, protocols, functions and variables found.
# Targets: classes with clang's superclass >= 99%, class methods >= 95%, categories and
# protocols >= 95%, functions+vars >= 90%.
# Usage: bench/fidelity.sh [KESTREL_BINARY]   (default build/src/kestrel)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
kestrel=${1:-$here/build/src/kestrel}
oracle=$here/../shared/oracle/fidelity.py
if [ ! -x "$kestrel" ]; then echo "fidelity.sh: no kestrel at $kestrel (build the project first)" >&2; exit 2; fi
if [ ! -f "$oracle" ]; then echo "fidelity.sh: no oracle at $oracle" >&2; exit 2; fi
if [ ! -d /usr/include/GNUstep ]; then
    echo "fidelity.sh: GNUstep's headers are missing (install libgnustep-base-dev and libgnustep-gui-dev)" >&2
    exit 2
fi
home=$(mktemp -d "${TMPDIR:-/tmp}/kestrel-fidelity-XXXXXX")
trap 'rm -rf "$home"' EXIT INT TERM
# The frameworks root is the link folder that kestrel makes of GNUstep's headers in its data folder.
env -u KESTREL_FRAMEWORKS_ROOT HOME="$home" XDG_CONFIG_HOME="$home/.config" "$kestrel" build
python3 "$oracle" "$home/.local/share/Kestrel"
