#!/usr/bin/env bash
# Builds Kestrel and its whole test suite with the address and undefined-behaviour sanitizers
# into build-asan/ (gcc, -O1, assertions on) and runs the suite there, the desktop program's
# tests on the offscreen platform. Every process the suite starts (test programs, kestrel
# itself) writes any report into build-asan/sanitizer-reports/; the run fails when a test
# fails or any report was written. Leaks proven to be Qt's or fontconfig's own are suppressed
# by scripts/lsan.supp. Run it after scripts/setup.sh (or test.sh) has installed what is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-asan
reports=$PWD/$out/sanitizer-reports

cmake -S . -B $out -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O1 -DCMAKE_C_FLAGS_DEBUG=-O1 \
    -DKESTREL_SANITIZE=ON >/dev/null
rm -rf "$reports"
mkdir -p "$reports"
# The build runs the test programs to list their tests: they run with the same options.
export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1:strict_init_order=1:check_initialization_order=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
cmake --build $out -j "$(nproc)"

status=0
ctest --test-dir $out --output-on-failure -j "$(nproc)" || status=$?
if [ -n "$(ls -A "$reports")" ]; then
    echo "sanitize.sh: sanitizer reports:" >&2
    for report in "$reports"/*; do
        echo "==== $report" >&2
        cat "$report" >&2
    done
    status=1
fi
[ $status -eq 0 ] && echo "sanitize.sh: the whole suite passed with no sanitizer report"
exit $status
