# Sourced by the end-to-end scripts after xsession.sh: starts KELMO and drives its main window
# as a person does, with the mouse and the keyboard, and reads back what the window shows.
# Positions are the form's own, in pixels from the top left of the area below the menu bar.

for tool in xclip xwininfo xprop; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

rm -f "$shots"/*.png

# Where the six result fields and the other controls stand (their centres).
declare -A kelmo_at=(
    [edPmin]="128 106" [edPn]="128 138" [edPmax]="128 170"
    [edTmin]="264 106" [edTn]="264 138" [edTmax]="264 170"
    [Masculin]="25 42" [Feminin]="98 42"
    [ComboBox1]="225 42" [ComboBox1.arrow]="273 42"
)
kelmo_fields=(edPmin edPn edPmax edTmin edTn edTmax)

fail() {
    echo "FAIL: $*"
    if [ -n "${shots:-}" ]; then
        shot "$shots/failure.png" || true
    fi
    exit 1
}

# shot_state <name>: a numbered screenshot of the whole screen, for a person to look at.
shot_state_count=0
shot_state() {
    shot_state_count=$((shot_state_count + 1))
    sleep 0.2
    shot "$(printf '%s/%02d-%s.png' "$shots" "$shot_state_count" "$1")"
}

# kelmo_start [VAR=value...]: starts the program with that environment and waits for its
# window; sets kelmo_pid and kelmo_window.
kelmo_start() {
    env "$@" "$kelmo" &
    kelmo_pid=$!
    kelmo_window="$(wait_for_window "KELMO 1.0")"
    [ -n "$kelmo_window" ] || fail "the main window did not appear"
    xdotool windowactivate --sync "$kelmo_window" >/dev/null 2>&1 || true
    sleep 0.3
    kelmo_geometry
}

# kelmo_geometry: the client area (client_x, client_y, client_w, client_h), the height of the
# menu bar (menu_h) and the frame that the window manager draws (frame_x/y/w/h).
kelmo_geometry() {
    local info extents
    info="$(xwininfo -id "$kelmo_window")"
    client_x="$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
    client_y="$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
    client_w="$(sed -n 's/^ *Width: *//p' <<<"$info")"
    client_h="$(sed -n 's/^ *Height: *//p' <<<"$info")"
    menu_h=$((client_h - 228))
    # left, right, top, bottom
    extents="$(xprop -id "$kelmo_window" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,//g')"
    read -r frame_l frame_r frame_t frame_b <<<"$extents"
    frame_x=$((client_x - frame_l))
    frame_y=$((client_y - frame_t))
    frame_w=$((client_w + frame_l + frame_r))
    frame_h=$((client_h + frame_t + frame_b))
}

# click_form <x> <y> | click_form <control>: a left click on the form.
click_form() {
    local x="$1" y="${2:-}"
    if [ -z "$y" ]; then
        read -r x y <<<"${kelmo_at[$1]}"
    fi
    xdotool mousemove "$((client_x + x))" "$((client_y + menu_h + y))" click 1
    sleep 0.2
}

keys() {
    xdotool key --clearmodifiers --delay 60 "$@"
    sleep 0.2
}

type_text() {
    xdotool type --clearmodifiers --delay 80 "$1"
    sleep 0.2
}

# field_text <field>: the field's text, selected and copied as a person would.
field_text() {
    printf 'nothing copied' | xclip -selection clipboard
    click_form "$1"
    keys ctrl+a ctrl+c
    xclip -o -selection clipboard
}

# expect_fields <label> <six texts>: the six result fields show exactly these texts.
expect_fields() {
    local label="$1"
    shift
    local shown=() field
    for field in "${kelmo_fields[@]}"; do
        shown+=("$(field_text "$field")")
    done
    [ "${shown[*]}" = "$*" ] || fail "$label: the fields show '${shown[*]}', expected '$*'"
    echo "ok: $label: $*"
}

# wait_for_other_window <title>: prints the id of the program's visible framed window with
# exactly that title (a help window, a dialog), or nothing after ten seconds.
wait_for_other_window() {
    local id
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --class '^KELMO$' 2>/dev/null || true); do
            if [ "$id" != "$kelmo_window" ] && [ "$(xdotool getwindowname "$id")" = "$1" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
}

# menu_command <menu letter> <item letter>: a menu command at the keyboard, with the main
# window active.
menu_command() {
    xdotool windowactivate --sync "$kelmo_window" >/dev/null 2>&1 || true
    sleep 0.2
    keys "alt+$1"
    keys "$2"
}

# choose_age_by_typing <text>: replaces the age box's text by typing.
choose_age_by_typing() {
    click_form ComboBox1
    keys ctrl+a
    type_text "$1"
}

# wait_for_popup: prints the id of the program's open pop-up window (a list, a menu), which
# the window manager does not frame.
wait_for_popup() {
    local id
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --class '^KELMO$' 2>/dev/null || true); do
            if [ "$id" != "$kelmo_window" ] &&
                xwininfo -id "$id" 2>/dev/null | grep -q 'Override Redirect State: yes'; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
}

# choose_age_from_list <row>: opens the age list with the mouse and clicks its row (0 is
# "Naissance"), the list scrolled to its top.
choose_age_from_list() {
    local popup info x y h
    click_form ComboBox1.arrow
    popup="$(wait_for_popup)"
    [ -n "$popup" ] || fail "the age list did not open"
    info="$(xwininfo -id "$popup")"
    x="$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
    y="$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
    h="$(sed -n 's/^ *Height: *//p' <<<"$info")"
    shot_state "age-list-open"
    # Eight rows fill the list inside its one-pixel border.
    xdotool mousemove "$((x + 20))" "$((y + 1 + (h - 2) * (2 * $1 + 1) / 16))" click 1
    sleep 0.3
}

# expect_size <label>: the window still has its designed client size.
expect_size() {
    local was_w="$client_w" was_h="$client_h"
    kelmo_geometry
    [ "$client_w" -eq 305 ] && [ "$client_h" -eq $((menu_h + 228)) ] &&
        [ "$client_w" -eq "$was_w" ] && [ "$client_h" -eq "$was_h" ] ||
        fail "$1: the window is ${client_w}x${client_h}, was ${was_w}x${was_h}"
    echo "ok: $1: still ${client_w}x${client_h}"
}

# drag <from x> <from y> <by x> <by y>: presses the left button, moves in steps, releases.
drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.2
    local step
    for step in 1 2 3 4; do
        xdotool mousemove "$(($1 + $3 * step / 4))" "$(($2 + $4 * step / 4))"
        sleep 0.1
    done
    xdotool mouseup 1
    sleep 0.3
}

# expect_exit <label>: the program ends within ten seconds with exit code 0.
expect_exit() {
    local status
    if ! ended_within_ten_seconds "$kelmo_pid"; then
        shot_state "still-running"
        kill "$kelmo_pid"
        fail "$1: KELMO is still running"
    fi
    set +e
    wait "$kelmo_pid"
    status=$?
    set -e
    [ "$status" -eq 0 ] || fail "$1: exit code $status"
    echo "ok: $1: exit code 0"
}
