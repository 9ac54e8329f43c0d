#!/usr/bin/env bash
# Installs what is missing, builds KELMO in release mode and runs every benchmark; prints the
# figures. Optional argument: the number of runs of each program (default 40).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kelmo_install "${kelmo_packages_build[@]}" xvfb xauth libbenchmark-dev
runs="${1:-40}"
build="$root/build-bench"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build"

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(uname -r) =="
for mode in startup about help; do
    echo
    QT_QPA_PLATFORM=offscreen "$build/bin/bench_startup" --runs "$runs" --mode "$mode" || true
done

echo
display_file="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
for mode in startup about help; do
    echo
    DISPLAY=":$(cat "$display_file")" QT_QPA_PLATFORM=xcb \
        "$build/bin/bench_startup" --runs "$runs" --mode "$mode" || true
done

echo
"$build/bin/bench_lookup" --benchmark_min_time=0.2
