#!/usr/bin/env bash
# Set up, build with AddressSanitizer and UndefinedBehaviorSanitizer, run every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Asan -DQL_BUILD_TESTS=ON
cmake --build build/asan --parallel "$jobs"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/asan --output-on-failure --parallel "$jobs" --timeout 300
