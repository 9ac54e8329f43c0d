#!/usr/bin/env bash
# The About dialog as a person meets it: "Aide" > "A propos de..." opens it over the main
# window; its OK button closes it, and so does
# Escape; the main window then works as before, and the program ends with exit code 0.
set -euo pipefail
kelmo="$1"
shots="$2"
mkdir -p "$shots"
source "$(dirname "$0")/xsession.sh"
source "$(dirname "$0")/driver.sh"

masculin_naissance="2,5 3,3 4,2 46,2 50,5 54,8"
masculin_15="40,9 56,7 80,1 153,8 169,0 184,2"

# expect_no_about <label>: no About dialog is on the screen.
expect_no_about() {
    for _ in $(seq 25); do
        [ -z "$(xdotool search --onlyvisible --name '^A propos de\.\.\.$' 2>/dev/null || true)" ] &&
            return 0
        sleep 0.2
    done
    fail "$1: the About dialog is still open"
}

kelmo_start

# "Aide" with the mouse, then the command by its access letter.
click_form 62 $((-menu_h / 2))
shot_state "menu-aide"
keys p
about="$(wait_for_other_window "A propos de...")"
[ -n "$about" ] || fail "the About dialog did not open from the menu"
shot_state "about-open"

# Its OK button, at the bottom right of the dialog.
info="$(xwininfo -id "$about")"
about_x="$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
about_y="$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
xdotool windowactivate --sync "$about" >/dev/null 2>&1 || true
xdotool mousemove $((about_x + 208 + 37)) $((about_y + 223 + 13)) click 1
expect_no_about "OK clicked"
shot_state "about-closed-by-ok"
expect_fields "the About dialog closed" $masculin_naissance

# At the keyboard: Alt+A, P, then Escape.
menu_command a p
about="$(wait_for_other_window "A propos de...")"
[ -n "$about" ] || fail "the About dialog did not open from the keyboard"
keys Escape
expect_no_about "Escape pressed"

choose_age_by_typing "15 ans"
expect_fields "after the About dialog" $masculin_15
menu_command f q
expect_exit "Fichier > Quitter after the About dialog"
