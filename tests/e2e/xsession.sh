# Sourced by the end-to-end scripts: a private virtual screen with a window manager.
# Sets DISPLAY; everything it starts is stopped when the script exits.

for tool in Xvfb openbox xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

xsession_dir="$(mktemp -d)"
xsession_pids=()
xsession_stop() {
    local pid
    for pid in "${xsession_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$xsession_dir"
}
trap xsession_stop EXIT

# Xvfb picks a free display itself and writes its number to the descriptor it is given.
# XSESSION_SCREEN sets another screen size, such as a high-density laptop's.
Xvfb -displayfd 3 -screen 0 "${XSESSION_SCREEN:-1024x768x24}" -nolisten tcp 3>"$xsession_dir/display" 2>/dev/null &
xsession_pids+=($!)
for _ in $(seq 100); do
    [ -s "$xsession_dir/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$xsession_dir/display")"
openbox >/dev/null 2>&1 &
xsession_pids+=($!)
sleep 0.5

# wait_for_window <title>: prints the id of the visible window with exactly that title.
wait_for_window() {
    timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

# shot <file>: the whole screen as a PNG.
shot() {
    import -window root "$1"
}

# ended_within_ten_seconds <pid>: waits for the process to end; fails if it is still running.
ended_within_ten_seconds() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$1" 2>/dev/null
}
