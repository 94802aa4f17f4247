#!/usr/bin/env bash
# Set up, build in Release and start the designer.
#   QL_SANITIZE=1 bash scripts/run.sh   builds the program in the test build
#       (build/asan: AddressSanitizer and UndefinedBehaviorSanitizer, the
#       program target only) and starts that one, for long sessions that
#       should end with no sanitizer report. Reports go to standard error and,
#       when QL_SANITIZE_LOG names a file prefix, to PREFIX.<pid> as well.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ "${QL_SANITIZE:-0}" != "0" ]; then
    # The same configuration as the test command, so either one's build
    # serves the other; only the program is built here.
    cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Asan -DQL_BUILD_TESTS=ON
    cmake --build build/asan --parallel --target quillomer
    opts="detect_leaks=1:detect_stack_use_after_return=1:abort_on_error=0"
    [ -n "${QL_SANITIZE_LOG:-}" ] && opts="$opts:log_path=$QL_SANITIZE_LOG"
    export ASAN_OPTIONS="$opts${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${QL_SANITIZE_LOG:+:log_path=$QL_SANITIZE_LOG}${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
    exec build/asan/quillomer "$@"
fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL_BUILD_TESTS=OFF
cmake --build build/release --parallel
exec build/release/quillomer "$@"
