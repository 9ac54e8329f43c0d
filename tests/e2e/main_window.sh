#!/usr/bin/env bash
# The main window as a person uses it: ages from the list with the mouse and typed at the
# keyboard, the sex switched both ways, texts that are no age, result fields that take no
# typing; then "Fichier" > "Quitter" with the mouse ends the program with exit code 0.
set -euo pipefail
kelmo="$1"
shots="$2"
mkdir -p "$shots"
source "$(dirname "$0")/xsession.sh"
source "$(dirname "$0")/driver.sh"

masculin_naissance="2,5 3,3 4,2 46,2 50,5 54,8"
masculin_1_5="9,3 11,5 13,8 76,7 82,4 88,1"
feminin_1_5="8,6 10,8 13,0 75,1 80,9 86,7"
feminin_15="38,3 53,7 76,8 149,1 161,8 174,5"
masculin_15="40,9 56,7 80,1 153,8 169,0 184,2"
masculin_14="35,9 50,8 73,2 147,0 163,1 179,2"

kelmo_start
shot_state "start"
# Centred on the 1024 x 768 screen, to the pixel that halving allows. The program places
# the window before the window manager has framed it, so it is the client area that is
# centred; the title bar then adds its height above.
[ $(((2 * client_x + client_w - 1024) ** 2)) -le 4 ] &&
    [ $(((2 * client_y + client_h - 768) ** 2)) -le 4 ] ||
    fail "the window is not centred: client area at ${client_x},${client_y}"
expect_size "at start"
expect_fields "at start" $masculin_naissance

choose_age_from_list 5
shot_state "picked-1-5-ans"
expect_fields "1,5 ans picked from the list" $masculin_1_5

click_form Feminin
shot_state "feminin"
expect_fields "Feminin clicked" $feminin_1_5

choose_age_by_typing "15 ans"
shot_state "typed-15-ans"
expect_fields "15 ans typed" $feminin_15

# Back from the age box to the sex, and the other entry by the arrow key.
click_form ComboBox1
keys shift+Tab Left
shot_state "masculin-by-keyboard"
expect_fields "Masculin chosen at the keyboard" $masculin_15

click_form ComboBox1
keys Up
shot_state "up-arrow"
expect_fields "the entry above by the arrow key" $masculin_14
click_form ComboBox1
keys Down
expect_fields "the entry below by the arrow key" $masculin_15

# Texts that are no age leave the last figures as they were.
click_form ComboBox1
keys End BackSpace
shot_state "no-key-15-an"
expect_fields "'15 an' is no age" $masculin_15
choose_age_by_typing "abc"
expect_fields "'abc' is no age" $masculin_15
choose_age_by_typing "15 ans "
shot_state "no-key-trailing-space"
expect_fields "'15 ans ' is no age" $masculin_15

# The result fields take no typing.
click_form edPmin
keys End BackSpace
type_text "99"
expect_fields "typing into a result field" $masculin_15

# "Fichier" > "Quitter" with the mouse.
click_form 20 $((-menu_h / 2))
shot_state "menu-fichier"
click_form 40 $((-menu_h / 2 + 20))
expect_exit "Fichier > Quitter with the mouse"
