#!/usr/bin/env bash
# Set up, build with AddressSanitizer and UndefinedBehaviorSanitizer, run every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
start=$SECONDS
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Asan -DQL_BUILD_TESTS=ON
cmake --build build/asan --parallel "$jobs"
echo "build: $((SECONDS - start)) s"
export QT_QPA_PLATFORM=offscreen
# A timer or callback that outlives the frame whose locals it captured writes
# into a dead stack frame; ASan sees that only with its fake stacks. The test
# programs ask for them themselves (tests/support/env); named last here, a
# caller's own ASAN_OPTIONS cannot turn them off.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_stack_use_after_return=1"
# The processor-bound tests take one slot per processor; the tests that mostly
# wait on a line (tests/TestSlots.cmake) run beside them on slots of their own.
line=${QL_LINE_SLOTS:-$((3 * jobs))}
spec="$PWD/build/asan/test-slots.json"
printf '{"version": {"major": 1, "minor": 0}, "local": [{"cpus": [{"id": "0", "slots": %d}], "line": [{"id": "0", "slots": %d}]}]}\n' \
    "$jobs" "$line" > "$spec"
start=$SECONDS
ctest --test-dir build/asan --output-on-failure --parallel $((jobs + line)) --resource-spec-file "$spec" --timeout 300
echo "tests: $((SECONDS - start)) s"
