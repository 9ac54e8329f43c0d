#!/usr/bin/env bash
# The main window keeps its size whatever a person does to its frame: dragging an edge, a
# corner or the size grip, double-clicking the title bar or pressing the title bar's
# buttons; it still moves, minimises and comes back. Then the close box, and in a second run
# Alt+F4, end the program with exit code 0.
set -euo pipefail
kelmo="$1"
shots="$2"
mkdir -p "$shots"
source "$(dirname "$0")/xsession.sh"
source "$(dirname "$0")/driver.sh"

# The title bar's buttons, counted from its right end, in the window manager's theme.
title_button() {
    echo "$((frame_x + frame_w - 12 - 16 * $1)) $((frame_y + frame_t / 2))"
}

kelmo_start
shot_state "start"

drag $((frame_x + frame_w - 1)) $((frame_y + frame_h - 1)) 80 60
shot_state "frame-corner-dragged"
expect_size "bottom right corner of the frame dragged outwards"
drag $((frame_x)) $((frame_y + frame_h / 2)) -60 0
expect_size "left edge of the frame dragged outwards"
drag $((frame_x + frame_w / 2)) $((frame_y + frame_h - 1)) 0 -80
expect_size "bottom edge of the frame dragged inwards"

drag $((client_x + client_w - 3)) $((client_y + client_h - 3)) 80 60
shot_state "grip-dragged-out"
expect_size "size grip dragged outwards"
drag $((client_x + client_w - 3)) $((client_y + client_h - 3)) -90 -70
expect_size "size grip dragged inwards"

# No maximise: neither the title bar's middle button nor a double click on the title
# changes the size.
read -r x y <<<"$(title_button 1)"
xdotool mousemove "$x" "$y" click 1
sleep 0.3
expect_size "middle title bar button pressed"
xdotool mousemove $((frame_x + 60)) $((frame_y + frame_t / 2)) click --repeat 2 --delay 80 1
sleep 0.3
shot_state "title-double-clicked"
expect_size "title bar double-clicked"
xprop -id "$kelmo_window" _NET_WM_ALLOWED_ACTIONS | grep -q 'MAXIMIZE\|_NET_WM_ACTION_RESIZE' &&
    fail "the window manager is offered to resize or maximise the window"

# Moving works.
was_x="$client_x"
was_y="$client_y"
drag $((frame_x + 60)) $((frame_y + frame_t / 2)) -120 -90
kelmo_geometry
[ "$client_x" -eq $((was_x - 120)) ] && [ "$client_y" -eq $((was_y - 90)) ] ||
    fail "the window did not follow its title bar: at ${client_x},${client_y}, was ${was_x},${was_y}"
shot_state "moved"
expect_size "after moving"

# Minimise with the title bar's button, and back.
read -r x y <<<"$(title_button 2)"
xdotool mousemove "$x" "$y" click 1
sleep 0.5
xprop -id "$kelmo_window" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN ||
    fail "the minimise button did not minimise the window"
shot_state "minimised"
xdotool windowactivate --sync "$kelmo_window" >/dev/null 2>&1 || true
sleep 0.5
expect_size "minimised and restored"
shot_state "restored"

read -r x y <<<"$(title_button 0)"
xdotool mousemove "$x" "$y" click 1
expect_exit "close box"

kelmo_start
keys alt+F4
expect_exit "Alt+F4"
