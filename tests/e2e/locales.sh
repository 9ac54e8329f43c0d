#!/usr/bin/env bash
# KELMO starts, works and ends with exit code 0 under the plain C locale and under a French
# one: the figures keep their decimal comma whatever the locale's own conventions.
set -euo pipefail
kelmo="$1"
shots="$2"
mkdir -p "$shots"
source "$(dirname "$0")/xsession.sh"
source "$(dirname "$0")/driver.sh"

french="fr_FR.UTF-8"
if ! locale -a | grep -qix 'fr_FR\.utf-\?8'; then
    echo "SKIP: the $french locale is not generated (scripts/test.sh generates it)"
    exit 77
fi

for loc in C "$french"; do
    kelmo_start LANG="$loc" LC_ALL="$loc" LANGUAGE=
    choose_age_by_typing "15 ans"
    expect_fields "$loc: 15 ans typed" 40,9 56,7 80,1 153,8 169,0 184,2
    click_form Feminin
    expect_fields "$loc: Feminin clicked" 38,3 53,7 76,8 149,1 161,8 174,5
    shot_state "locale-$loc"
    keys alt+f
    keys q
    expect_exit "$loc: Fichier > Quitter at the keyboard"
done
