#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang into build-fuzz/ and runs each for SECONDS
# (default 60) on its corpus: build-fuzz/corpus/<target>, which keeps what earlier runs found,
# and the seeds gathered by fuzz/seeds.py into build-fuzz/seeds/<target>. An input that crashes,
# hangs, leaks or breaks a target's checks is saved as build-fuzz/findings/<target>/<kind>-<hash>;
# replay one with `build-fuzz/fuzz/<target> FILE`.
# Prints one line per target: runs, coverage (cov: edges, ft: features) and corpus size; ends
# with status 1 when any target found something.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
case $seconds in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2 ;; esac

if ! command -v clang++ >/dev/null; then
    echo "fuzz.sh: clang is missing (apt-get install clang libclang-rt-14-dev)" >&2
    exit 2
fi
out=build-fuzz
if [ ! -f $out/CMakeCache.txt ]; then
    CC=clang CXX=clang++ cmake -S . -B $out -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKESTREL_BUILD_FUZZERS=ON -DKESTREL_BUILD_TESTS=OFF >/dev/null
fi
cmake --build $out --target kestrel_fuzzers -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
rm -rf $out/seeds
python3 fuzz/seeds.py $out/seeds

# Each input writes files: keep them in memory where there is a memory file system.
work=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/kestrel-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

found=0
for target in "${targets[@]}"; do
    case $target in
        header_analysis | define_pass | conditions | header_texts) dict=fuzz/headers.dict ;;
        doc_comments) dict=fuzz/doc_comments.dict ;;
        *) dict=fuzz/plists.dict ;;
    esac
    mkdir -p $out/corpus/"$target" $out/findings/"$target" $out/seeds/"$target"
    log=$out/findings/"$target".log
    status=0
    # Leaks are checked per input; an input may take at most 10 s; 64 kB inputs at most.
    TMPDIR=$work ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        $out/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -dict="$dict" -print_final_stats=1 -artifact_prefix=$out/findings/"$target"/ \
        $out/corpus/"$target" $out/seeds/"$target" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corpus=$(ls $out/corpus/"$target" | wc -l)
    if [ $status -eq 0 ]; then
        printf '%-18s %4ss  runs %-10s cov %-6s ft %-7s corpus %s\n' "$target" "$seconds" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$corpus"
    else
        found=1
        printf '%-18s FOUND a fault (status %s): %s\n' "$target" "$status" "$(ls -t $out/findings/"$target" | head -1)"
        grep -E 'ERROR|SUMMARY|fuzz check failed|runtime error' "$log" | head -5 | sed 's/^/    /' || true
        echo "    log: $log"
    fi
done
exit $found
