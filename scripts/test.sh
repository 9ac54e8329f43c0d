#!/usr/bin/env bash
# Installs what is missing, builds KELMO and runs every test: once in the ordinary build,
# once with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kelmo_install "${kelmo_packages_build[@]}" "${kelmo_packages_test[@]}"

run_suite() {
    local dir="$1"
    shift
    cmake -S "$root" -B "$dir" -G Ninja -DBUILD_TESTING=ON "$@" >/dev/null
    cmake --build "$dir"
    ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
}

echo "== Ordinary build =="
run_suite "$root/build"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer =="
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
run_suite "$root/build-sanitize" -DKELMO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
