#!/usr/bin/env bash
# Installs what is missing, builds KELMO and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kelmo_install "${kelmo_packages_build[@]}"

cmake -S "$root" -B "$root/build" -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # No desktop to show the window on: give the program a virtual one so that it still runs.
    kelmo_install xvfb xauth
    echo "No display found: KELMO runs on a virtual screen (xvfb-run)."
    exec xvfb-run -a "$root/build/bin/KELMO"
fi
exec "$root/build/bin/KELMO"
