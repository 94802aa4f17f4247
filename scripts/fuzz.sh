#!/usr/bin/env bash
# Builds the fuzz targets with clang/libFuzzer (ASan + UBSan) in a separate
# build folder and runs each for the given number of seconds (default 60).
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
# QL_FUZZ_BUILD_DIR chooses the build folder (default build/fuzz), QL_JOBS the
# build jobs (default: all processors). Every target runs; a crash fails the
# script at the end, with the failing input under <build>/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

bash scripts/setup.sh
pkgs=(clang libclang-rt-14-dev)
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

build=${QL_FUZZ_BUILD_DIR:-build/fuzz}
cxx=$(command -v clang++-14 || command -v clang++)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
      -DQL_FUZZ=ON -DQL_BUILD_TESTS=OFF -DQL_BUILD_GUI=OFF
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/fuzz_*.cpp; do
        t=$(basename "$f" .cpp)
        targets+=("$t")
    done
fi
cmake --build "$build" --parallel "${QL_JOBS:-$(nproc)}" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/fuzz/artifacts"
failed=()
for t in "${targets[@]}"; do
    name=${t#fuzz_}
    seeds="fuzz/corpus/$name"
    work="$build/fuzz/corpus/$name"    # grows while fuzzing; the seeds stay small
    mkdir -p "$work" "$seeds"
    dict=()
    [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
    echo "=== $t: $seconds s"
    "$build/fuzz/$t" "$work" "$seeds" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/fuzz/artifacts/$t-" -print_final_stats=1 2>&1 |
        grep -v -E '^#[0-9]+.*(NEW|REDUCE|pulse)|NEW_FUNC|# Uses: [0-9]+$' || { echo "$t FAILED"; failed+=("$t"); }
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets that failed: ${failed[*]}"
    exit 1
fi
