#!/bin/sh
# Builds the class tree of the macOS 14.2 SDK beside the project (../shared/data/macos14.2)
# into a throw-away home and measures it against what clang finds in the same headers
# (../shared/oracle/macos14.2/sdk_fidelity.py): for classes (and their superclass), methods,
# categories, protocols, enums and their constants, structs, typedefs, functions and variables,
# the share found, the junk among Kestrel's records and the texts that keep attribute macros.
# Ends with the script's status: 0 when every target holds, 1 when not; 2 when something is
# missing. Usage: bench/sdk_fidelity.sh [KESTREL_BINARY] [SCRIPT OPTIONS...]
#   (default build/src/kestrel; --causes names the cause of every miss)
# The script runs with --scope-excluded on a view of the SDK whose links are real ones
# (sdk_headers_mirror.py): the records of the headers clang did not parse (the oracle's
# excluded headers) are then left out of the junk, as its rules say, and not only where the
# data folder's links are real.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
kestrel=${1:-$here/build/src/kestrel}
[ $# -gt 0 ] && shift
sdk=$here/../shared/data/macos14.2/MacOSX14.2.sdk
oracle=$here/../shared/oracle/macos14.2/sdk_fidelity.py
if [ ! -x "$kestrel" ]; then echo "sdk_fidelity.sh: no kestrel at $kestrel (build the project first)" >&2; exit 2; fi
if [ ! -d "$sdk" ] || [ ! -f "$oracle" ]; then
    echo "sdk_fidelity.sh: no macOS SDK or oracle under $here/../shared" >&2
    exit 2
fi
home=$(mktemp -d "${TMPDIR:-/tmp}/kestrel-sdk-fidelity-XXXXXX")
trap 'rm -rf "$home"' EXIT INT TERM
env -u KESTREL_FRAMEWORKS_ROOT HOME="$home" XDG_CONFIG_HOME="$home/.config" "$kestrel" build --sdk "$sdk"
python3 "$here/bench/sdk_headers_mirror.py" "$sdk" "$home/sdk-view"
python3 "$oracle" --scope-excluded --sdk "$home/sdk-view" "$home/.local/share/Kestrel" "$@"
