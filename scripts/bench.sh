#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them (offscreen).
#   bash scripts/bench.sh [benchmark options, e.g. --benchmark_filter=Open]
# QL_BENCH_BUILD_DIR chooses the build folder (default build/bench), QL_JOBS the
# build jobs (default: all processors).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
pkgs=(libbenchmark-dev)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${QL_BENCH_BUILD_DIR:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQL_BENCH=ON -DQL_BUILD_TESTS=OFF
cmake --build "$build" --parallel "${QL_JOBS:-$(nproc)}"
export QT_QPA_PLATFORM=offscreen
for b in "$build"/bench/bench_*; do
    [ -x "$b" ] || continue
    echo "=== $(basename "$b")"
    "$b" "$@"
done
