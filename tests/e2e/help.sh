#!/usr/bin/env bash
# The help as a person meets it. With the engine and the help file beside the program,
# "Aide" > "Rubriques de l'aide" opens the help window, and quitting the program with it open
# ends the program with exit code 0 and takes the help window with it. Without the engine
# module, and with a help file that is missing, empty or garbage, the help command costs
# nothing: the main window works on and the program ends with exit code 0.
set -euo pipefail
kelmo_built="$1"
shots="$2"
mkdir -p "$shots"
source "$(dirname "$0")/xsession.sh"
source "$(dirname "$0")/driver.sh"

built_dir="$(dirname "$kelmo_built")"
engine="$built_dir/helpengine.so"
help_file="$built_dir/KELMO.chm"
[ -f "$engine" ] && [ -f "$help_file" ] || fail "the build has no helpengine.so or KELMO.chm"

# install <folder> [engine] [help file|-]: a copy of the program in a folder of its own, with
# what lies beside it chosen by the check.
install() {
    rm -rf "$1"
    mkdir -p "$1"
    cp "$kelmo_built" "$1/KELMO"
    [ -z "${2:-}" ] || cp "$2" "$1/helpengine.so"
    [ -z "${3:-}" ] || [ "$3" = "-" ] || cp "$3" "$1/KELMO.chm"
}

# works_on <label>: the main window still answers.
works_on() {
    # The help window opens over the main window; a person brings the main window back first.
    xdotool windowactivate --sync "$kelmo_window" >/dev/null 2>&1 || true
    sleep 0.3
    choose_age_by_typing "15 ans"
    expect_fields "$1: 15 ans typed" 40,9 56,7 80,1 153,8 169,0 184,2
}

# expect_no_window_left <label>: nothing of the program is left on the screen.
expect_no_window_left() {
    local left
    left="$(xdotool search --onlyvisible --class '^KELMO$' 2>/dev/null || true)"
    [ -z "$left" ] || fail "$1: a window of the program is still on the screen"
}

folder="$xsession_dir/program"

# The shipped help, opened and left open while the program ends.
install "$folder" "$engine" "$help_file"
kelmo="$folder/KELMO"
kelmo_start
menu_command a r
help_window="$(wait_for_other_window "Aide de KELMO")"
[ -n "$help_window" ] || fail "the help window did not open"
shot_state "help-open"
works_on "help open"
menu_command f q
expect_exit "quit with the help open"
expect_no_window_left "quit with the help open"

# Quitting by Alt+F4 on the main window while the help window is open.
kelmo_start
menu_command a r
[ -n "$(wait_for_other_window "Aide de KELMO")" ] || fail "the help window did not open again"
xdotool windowactivate --sync "$kelmo_window" >/dev/null 2>&1 || true
keys alt+F4
expect_exit "Alt+F4 with the help open"
expect_no_window_left "Alt+F4 with the help open"

# No engine module: the help command does nothing at all.
install "$folder" "" "$help_file"
kelmo_start
menu_command a r
sleep 1
shot_state "no-engine"
[ -z "$(xdotool search --onlyvisible --class '^KELMO$' | grep -vx "$kelmo_window" || true)" ] ||
    fail "without the engine a window other than the main window appeared"
works_on "no engine"
menu_command f q
expect_exit "no engine"

# Help files that cannot be shown: the engine says so in a notice of its own, which closes
# with Return, and the program goes on.
printf 'ITSF\x03\x00\x00\x00garbage that is no help file at all\n' >"$xsession_dir/garbage.chm"
head -c 4096 "$help_file" >"$xsession_dir/truncated.chm"
: >"$xsession_dir/empty.chm"
for case in missing empty garbage truncated; do
    if [ "$case" = missing ]; then
        install "$folder" "$engine" -
    else
        install "$folder" "$engine" "$xsession_dir/$case.chm"
    fi
    kelmo_start
    menu_command a r
    notice="$(wait_for_other_window "Aide")"
    [ -n "$notice" ] || fail "$case help file: no notice appeared"
    shot_state "help-file-$case"
    xdotool windowactivate --sync "$notice" >/dev/null 2>&1 || true
    keys Return
    sleep 0.3
    [ -z "$(xdotool search --onlyvisible --name '^Aide$' 2>/dev/null || true)" ] ||
        fail "$case help file: the notice did not close"
    works_on "$case help file"
    menu_command f q
    expect_exit "$case help file"
done
