#!/usr/bin/env bash
# KELMO starts, shows its window, and "Fichier" then "Quitter", by keyboard alone, end it
# with exit code 0.
set -euo pipefail
kelmo="$1"
shots="$2"
mkdir -p "$shots"
source "$(dirname "$0")/xsession.sh"

"$kelmo" &
kelmo_pid=$!
window="$(wait_for_window "KELMO 1.0")"
[ -n "$window" ] || { echo "FAIL: the main window did not appear"; exit 1; }
xdotool windowactivate --sync "$window"
sleep 0.3
shot "$shots/main-window.png"

xdotool key --clearmodifiers alt+f
sleep 0.3
shot "$shots/menu-fichier.png"
xdotool key q

if ! ended_within_ten_seconds "$kelmo_pid"; then
    echo "FAIL: KELMO is still running after Fichier > Quitter"
    kill "$kelmo_pid"
    exit 1
fi
set +e
wait "$kelmo_pid"
status=$?
set -e
[ "$status" -eq 0 ] || { echo "FAIL: exit code $status"; exit 1; }
echo "PASS: quit by keyboard, exit code 0"
