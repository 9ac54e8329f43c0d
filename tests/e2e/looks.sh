#!/usr/bin/env bash
# How KELMO looks on a real X screen at 1, 1.5 and 2 times the normal density, with a light
# and with a dark desktop palette: screenshots of the main window, the About dialog and the
# help window are kept for a person to look at, and the windows must grow with the density.
# Usage: looks.sh <KELMO executable> <screenshot folder>
set -euo pipefail
kelmo="$1"
shots="$2"
mkdir -p "$shots"
# A high-density laptop's screen: 1440 x 900 logical pixels at twice the density.
XSESSION_SCREEN=2880x1800x24
source "$(dirname "$0")/xsession.sh"

# With the help engine and the help file beside the program, the help command must open a
# window; without them it opens none, and that is no fault.
expect_help=false
folder="$(dirname "$kelmo")"
if [ -f "$folder/helpengine.so" ] && [ -f "$folder/KELMO.chm" ]; then
    expect_help=true
fi

# A dark desktop as Qt programs meet it outside a full desktop session: qt6ct's platform
# theme with one of its dark colour schemes.
themes=(light)
if [ -f /usr/share/qt6ct/colors/darker.conf ]; then
    themes+=(dark)
    mkdir -p "$xsession_dir/config/qt6ct"
    cat >"$xsession_dir/config/qt6ct/qt6ct.conf" <<'CONF'
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
CONF
else
    echo "NOTE: qt6ct is not installed, no screenshots with a dark palette"
fi

# find_window <pid> <seconds> <title regex>: the id of a visible window of that process.
find_window() {
    timeout "$2" xdotool search --sync --all --onlyvisible --pid "$1" --name "$3" 2>/dev/null |
        head -n 1 || true
}
# width_of <window>: its width in device pixels.
width_of() {
    xdotool getwindowgeometry --shell "$1" | sed -n 's/^WIDTH=//p'
}

failures=0
for theme in "${themes[@]}"; do
    for scale in 1 1.5 2; do
        tag="$theme-x$scale"
        env=(QT_SCALE_FACTOR="$scale")
        if [ "$theme" = dark ]; then
            env+=(QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$xsession_dir/config")
        fi
        env "${env[@]}" "$kelmo" &
        pid=$!
        main="$(find_window "$pid" 30 '^KELMO 1\.0$')"
        if [ -z "$main" ]; then
            echo "FAIL: $tag: the main window did not appear"
            failures=$((failures + 1))
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            continue
        fi
        xdotool windowactivate --sync "$main"
        sleep 0.5
        import -window "$main" "$shots/main-$tag.png"

        # The form is 305 pixels wide at 96 dpi; its pixels scale with the screen.
        expected=$(awk -v s="$scale" 'BEGIN { printf "%d", 305 * s + 0.5 }')
        width="$(width_of "$main")"
        if [ "$((width - expected))" -gt 1 ] || [ "$((expected - width))" -gt 1 ]; then
            echo "FAIL: $tag: the main window is $width pixels wide, not $expected"
            failures=$((failures + 1))
        fi

        xdotool key --clearmodifiers alt+a
        sleep 0.3
        xdotool key p
        about="$(find_window "$pid" 5 '^A propos de')"
        if [ -n "$about" ]; then
            sleep 0.5
            import -window "$about" "$shots/about-$tag.png" || echo "NOTE: $tag: About dialog gone"
            # Sent to the focused window: a key sent to the modal dialog by its id draws
            # BadWindow from xdotool on this X server.
            xdotool windowactivate --sync "$about" 2>/dev/null || true
            xdotool key Escape
            sleep 0.3
            if xdotool search --all --onlyvisible --pid "$pid" --name '^A propos de' >/dev/null 2>&1; then
                xdotool windowclose "$about" 2>/dev/null || true
            fi
        else
            echo "FAIL: $tag: the About command opened no About dialog"
            failures=$((failures + 1))
        fi

        xdotool windowactivate --sync "$main"
        xdotool key --clearmodifiers alt+a
        sleep 0.3
        xdotool key r
        help=""
        for _ in $(seq 20); do
            # Any other titled window of the program: menus have no title.
            help="$(xdotool search --all --onlyvisible --pid "$pid" --name . 2>/dev/null |
                grep -vx "$main" | head -n 1 || true)"
            [ -n "$help" ] && break
            sleep 0.1
        done
        if [ -n "$help" ]; then
            sleep 1
            import -window "$help" "$shots/help-$tag.png" || echo "NOTE: $tag: help window gone"
        elif $expect_help; then
            echo "FAIL: $tag: the help command opened no help window"
            failures=$((failures + 1))
        else
            echo "NOTE: $tag: no help window appeared"
        fi

        xdotool windowactivate --sync "$main"
        xdotool key --clearmodifiers alt+f
        sleep 0.3
        xdotool key q
        if ! ended_within_ten_seconds "$pid"; then
            echo "FAIL: $tag: KELMO is still running after Fichier > Quitter"
            failures=$((failures + 1))
            kill "$pid"
        fi
        wait "$pid" 2>/dev/null || true
    done
done

[ "$failures" -eq 0 ] || exit 1
echo "PASS: looks at every density, screenshots in $shots"
