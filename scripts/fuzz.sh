#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target] [target...]
# The test command runs every target for a minute; a longer run (an hour: scripts/fuzz.sh
# 3600) is worth it after a change to the code that a target covers. New inputs go to
# build-fuzz/corpus/<target>; a failing input is written to build-fuzz/artifacts/<target>/:
# copy it to tests/fuzz/regressions/<target>/ with a name that says what it broke, and it is
# replayed by every build's tests from then on.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DKELMO_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    >/dev/null
cmake --build "$build" --target fuzzers

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for program in "$build"/bin/fuzz_*; do
        targets+=("$(basename "$program" | sed 's/^fuzz_//')")
    done
fi

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

failed=0
for target in "${targets[@]}"; do
    seeds="$root/tests/fuzz/corpus/$target"
    work="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$work" "$artifacts"
    dict=()
    if [ -f "$root/tests/fuzz/$target.dict" ]; then
        dict=(-dict="$root/tests/fuzz/$target.dict")
    fi
    echo "== fuzz_$target for ${seconds}s"
    log="$build/fuzz_$target.log"
    # New inputs land in the first folder, so the seed corpus in the repository stays as it is.
    if "$build/bin/fuzz_$target" "$work" "$seeds" "${dict[@]}" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
        >"$log" 2>&1; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        echo "fuzz_$target: ${runs:-?} executions, no fault"
    else
        failed=1
        echo "FAIL: fuzz_$target found a fault; the input is in $artifacts/"
        tail -n 60 "$log"
    fi
done
exit "$failed"
