#!/usr/bin/env bash
# Builds the data layer's fuzz targets with clang and runs each for a given time, starting from the
# seed corpus in fuzz/corpus/<target>/. What a run adds to the corpus, the log and any crashing input
# go to fuzz/out/<target>/.
#
#   scripts/fuzz.sh [seconds per target] [target ...]     (default: 60 seconds, every target)
#
# FUZZ_JOBS sets how many targets run at once (default 1); FUZZ_BUILD_DIR the build folder
# (default build-fuzz). The exit status is non-zero when a target found a failing input.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
jobs="${FUZZ_JOBS:-1}"
build="${FUZZ_BUILD_DIR:-build-fuzz}"

if (($# > 0)); then
    targets=("$@")
else
    targets=()
    for source in fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
    -DCMAKE_CXX_COMPILER=clang++ -DQUORVANE_FUZZ=ON >/dev/null
cmake --build "$build" --target "${targets[@]}"

# The targets write their scratch files many times a second; memory is the fastest place for them.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi

run_target() {
    local target="$1" seconds="$2" build="$3"
    local name="${target#fuzz_}"
    local out="fuzz/out/$name"
    mkdir -p "$out/corpus"
    local options=(-max_total_time="$seconds" -timeout=30 -print_final_stats=1 -artifact_prefix="$out/")
    if [[ -f "fuzz/dictionaries/$name.dict" ]]; then
        options+=(-dict="fuzz/dictionaries/$name.dict")
    fi
    local status=0
    "$build/fuzz/$target" "${options[@]}" "$out/corpus" "fuzz/corpus/$name" >"$out/log.txt" 2>&1 || status=$?
    local runs
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log.txt" | tail -n 1)"
    if ((status == 0)); then
        echo "$name: ${runs:-?} executions in $seconds s, nothing found"
    else
        echo "$name: FAILED after ${runs:-?} executions; see $out/log.txt and $out/crash-*"
    fi
    return "$status"
}
export -f run_target

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I {} bash -c 'run_target "$@"' _ {} "$seconds" "$build"
