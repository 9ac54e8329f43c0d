#!/usr/bin/env bash
# The help command in the built program, driven by keyboard: "Aide" then "Rubriques de l'aide"
# opens the help in a window of its own that stays when the main window is minimised; quitting
# closes it and ends the program with exit code 0. Beside a copy of the program without its
# help file, the same command shows the engine's notice and the program carries on and quits
# as usual.
# Usage: help_window.sh <KELMO executable> <screenshot folder>
set -euo pipefail
kelmo="$1"
shots="$2"
mkdir -p "$shots"
folder="$(dirname "$kelmo")"
if [ ! -f "$folder/helpengine.so" ] || [ ! -f "$folder/KELMO.chm" ]; then
    echo "SKIP: the help engine or the help file is not beside the program"
    exit 77
fi
source "$(dirname "$0")/xsession.sh"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# visible <pid> <title regex>: the ids of that process's visible windows with such a title.
visible() {
    xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null || true
}

# await <pid> <title regex>: the first such window, waiting up to five seconds for it.
await() {
    local id=""
    for _ in $(seq 50); do
        id="$(visible "$1" "$2" | head -n 1)"
        [ -n "$id" ] && break
        sleep 0.1
    done
    echo "$id"
}

# ask_for_help <main window>
ask_for_help() {
    xdotool windowactivate --sync "$1"
    xdotool key --clearmodifiers alt+a
    sleep 0.3
    xdotool key r
}

# quit <pid> <main window> <what>: Fichier > Quitter, then the exit code must be 0.
quit() {
    xdotool windowactivate --sync "$2"
    xdotool key --clearmodifiers alt+f
    sleep 0.3
    xdotool key q
    if ! ended_within_ten_seconds "$1"; then
        fail "$3: KELMO is still running after Fichier > Quitter"
        kill "$1"
    fi
    set +e
    wait "$1"
    local status=$?
    set -e
    [ "$status" -eq 0 ] || fail "$3: exit code $status"
}

# With the help file.
"$kelmo" &
pid=$!
main="$(await "$pid" '^KELMO 1\.0$')"
[ -n "$main" ] || { echo "FAIL: the main window did not appear"; exit 1; }
ask_for_help "$main"
help="$(await "$pid" '^Aide de KELMO$')"
if [ -z "$help" ]; then
    fail "the help command opened no help window"
else
    sleep 0.5
    shot "$shots/help-open.png"
    xdotool windowminimize --sync "$main"
    sleep 0.3
    [ -n "$(visible "$pid" '^Aide de KELMO$')" ] || fail "minimising the main window hid the help"
    # Asking again gives the same window, not a second one.
    ask_for_help "$main"
    sleep 0.5
    [ "$(visible "$pid" '^Aide de KELMO$' | wc -l)" -eq 1 ] || fail "a second help window opened"
fi
quit "$pid" "$main" "with help open"

# Without the help file.
bare="$xsession_dir/sans aide"
mkdir -p "$bare"
cp "$kelmo" "$folder/helpengine.so" "$bare/"
"$bare/$(basename "$kelmo")" &
pid=$!
main="$(await "$pid" '^KELMO 1\.0$')"
[ -n "$main" ] || { echo "FAIL: the copy's main window did not appear"; exit 1; }
ask_for_help "$main"
notice="$(await "$pid" '^Aide$')"
[ -n "$notice" ] || fail "no notice about the missing help file"
sleep 0.3
shot "$shots/help-missing.png"
quit "$pid" "$main" "without the help file"

[ "$failures" -eq 0 ] || exit 1
echo "PASS: help window opens, stays, is reused and closes with the program"
