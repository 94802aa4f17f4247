#!/usr/bin/env bash
# Set up, build in Release and start the designer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL_BUILD_TESTS=OFF
cmake --build build/release --parallel
exec build/release/quillomer "$@"
