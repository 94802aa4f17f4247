#!/usr/bin/env bash
# Builds the fuzz targets with clang/libFuzzer and runs each for the given
# number of seconds (default 60).
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
# Two builds: <build> for throughput (coverage and UBSan, no ASan), where the
# targets fuzz, and <build>-asan with AddressSanitizer, which replays every
# corpus a target grew and runs fuzz_qlx_roundtrip (save-load-save) over the
# loader's corpus and its own. QL_FUZZ_ASAN_ONLY=1 makes the second build alone
# and fuzzes in it too (fewer inputs a second, half the build time): what a
# short run, as in CI, needs.
# QL_FUZZ_BUILD_DIR chooses the build folder (default build/fuzz), QL_JOBS the
# build jobs (default: all processors), QL_FUZZ_WORKERS the fuzzing processes
# per target (default 1), QL_FUZZ_RUNS stops each target after that many
# inputs in all (its workers together) instead of after SECONDS.
# Every target runs; a crash fails the script at the end, with the failing
# input under <build>/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
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
asan="$build-asan"
workers=${QL_FUZZ_WORKERS:-1}
runs=${QL_FUZZ_RUNS:-}
cxx=$(command -v clang++-14 || command -v clang++)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$f" .cpp)")
    done
fi
builds=("$build:OFF" "$asan:ON")
fuzzing=$build    # the build the targets fuzz in
if [ -n "${QL_FUZZ_ASAN_ONLY:-}" ]; then
    builds=("$asan:ON")
    fuzzing=$asan
fi
for b in "${builds[@]}"; do
    cmake -S . -B "${b%:*}" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
          -DQL_FUZZ=ON -DQL_FUZZ_ASAN="${b#*:}" -DQL_BUILD_TESTS=OFF -DQL_BUILD_GUI=OFF
    cmake --build "${b%:*}" --parallel "${QL_JOBS:-$(nproc)}" --target "${targets[@]}"
done

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
mkdir -p "$build/fuzz/artifacts"
failed=()
quiet() { grep -v -E '^#[0-9]+.*(NEW|REDUCE|pulse)|NEW_FUNC|# Uses: [0-9]+$|^INFO: Seed|^INFO: Loaded'; }

# Fuzzes one target of one build: <binary> <name> <corpus dirs...>
fuzz() {
    local bin=$1 name=$2
    shift 2
    local format=${name%_roundtrip}
    [ "$format" != "$name" ] && format=${format}_load   # the round trip reads the loader's files
    local dict=()
    [ -f "fuzz/$format.dict" ] && dict=(-dict="$root/fuzz/$format.dict")
    local limit=(-max_total_time="$seconds")
    [ -n "$runs" ] && limit=(-runs=$(( (runs + workers - 1) / workers )))
    local common=("${dict[@]}" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                  -artifact_prefix="$root/$build/fuzz/artifacts/fuzz_$name-")
    if [ "$workers" -le 1 ]; then
        "$bin" "$@" "${common[@]}" 2>&1 | quiet
        return "${PIPESTATUS[0]}"
    fi
    # Several processes on the same corpus; each writes its log, whose final
    # statistics are shown.
    local logs="$root/$build/fuzz/logs/$name"
    rm -rf "$logs" && mkdir -p "$logs"
    local rc=0
    (cd "$logs" && "$bin" "$@" "${common[@]}" -jobs="$workers" -workers="$workers" -reload=1 >/dev/null 2>&1) || rc=$?
    for l in "$logs"/fuzz-*.log; do
        echo "--- $(basename "$l")"
        grep -E '^stat::|ERROR|SUMMARY|Test unit written|^Done' "$l" || true
    done
    return $rc
}

# Runs a binary over its corpus once; shows only the end of its output.
replay() {
    local out rc=0
    out=$("$@" 2>&1) || rc=$?
    if [ $rc -ne 0 ]; then echo "$out" | quiet | tail -n 40; else echo "$out" | tail -n 2; fi
    return $rc
}

for t in "${targets[@]}"; do
    name=${t#fuzz_}
    seeds="$root/fuzz/corpus/$name"
    work="$root/$build/fuzz/corpus/$name"    # grows while fuzzing; the seeds stay small
    mkdir -p "$work" "$seeds"
    if [ "$t" = fuzz_qlx_roundtrip ]; then
        loads="$root/$build/fuzz/corpus/qlx_load"
        mkdir -p "$loads"
        echo "=== $t (AddressSanitizer): ${runs:-$seconds s} over its corpus and the loader's"
        fuzz "$root/$asan/fuzz/$t" "$name" "$work" "$seeds" "$root/fuzz/corpus/qlx_load" "$loads" ||
            { echo "$t FAILED"; failed+=("$t"); }
        continue
    fi
    echo "=== $t: ${runs:-$seconds s}, $workers worker(s)$([ "$fuzzing" = "$asan" ] && echo ', AddressSanitizer')"
    fuzz "$root/$fuzzing/fuzz/$t" "$name" "$work" "$seeds" || { echo "$t FAILED"; failed+=("$t"); continue; }
    echo "=== $t: the corpus again under AddressSanitizer"
    replay "$root/$asan/fuzz/$t" "$work" "$seeds" -runs=0 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$root/$build/fuzz/artifacts/$t-asan-" ||
        { echo "$t FAILED under AddressSanitizer"; failed+=("$t (ASan)"); }
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets that failed: ${failed[*]}"
    exit 1
fi
