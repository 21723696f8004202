# The journeys' common ground, sourced by each: an X server of their own with a window manager, waits that poll
# with a time limit, and on failure a report of the windows and of what the programs said.
# Skips (exit 77) when an X tool is missing; scripts/install-deps.sh installs them.
for tool in Xvfb openbox xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (scripts/install-deps.sh installs it)"; exit 77; }
done
work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED: $*"
    for w in $(xdotool search --name . 2>/dev/null); do echo "window: $(xdotool getwindowname "$w")"; done
    jobs -l
    # JOURNEY_SHOTS names a folder to keep a picture of the screen in, when a helper that grabs is at hand.
    if [ -n "${JOURNEY_SHOTS:-}" ] && [ -n "${helper:-}" ]; then
        root=$(xwininfo -root | awk '/Window id:/ {print $4}')
        "$helper" grab "$root" 0 0 1280 1024 "$JOURNEY_SHOTS/$(basename "$0" .sh)-failed.png" 2>/dev/null
        cp "$work"/*.png "$JOURNEY_SHOTS" 2>/dev/null
    fi
    for log in "$work"/*.log; do
        [ -e "$log" ] && sed "s/^/$(basename "$log" .log): /" "$log" | grep -v propagateSizeHints
    done
    exit 1
}

# Polls `$@` every 50 ms for up to 15 s, or while the window manager's process is still there to come up.
until_true() {
    for _ in $(seq 300); do
        "$@" && return 0
        [ "$1" = wm_ready ] && ! kill -0 "${pids[-1]}" 2>/dev/null && return 1
        sleep 0.05
    done
    return 1
}
window_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
no_window_named() { ! window_named "$1"; }
window_id() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
file_exists() { [ -s "$1" ]; }
file_differs() { ! cmp -s "$1" "$2"; }
# A left click at x y of a window's client area.
click_in() { xdotool mousemove --sync --window "$1" "$2" "$3" click 1; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
until_true file_exists "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$work/display")
# A window mapped while the window manager is still starting can stay unmapped: programs start once it manages.
# Openbox now and then gives up on a server that has only just started; it is started again then.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for attempt in 1 2 3; do
    openbox >/dev/null 2>&1 &
    pids+=($!)
    until_true wm_ready && break
    [ "$attempt" = 3 ] && fail "openbox did not start"
done
export QT_QPA_PLATFORM=xcb PDTDLG_SETTINGS="$work/settings.ini" HOME="$work"

# jobhost on its starting job, its main window active: $main is that window and $jobhost_pid the process.
start_jobhost() {
    "$jobhost" >"$work/jobhost.log" 2>&1 &
    jobhost_pid=$!
    pids+=($jobhost_pid)
    until_true window_named ' - jobhost$' || fail "the main window never showed"
    main=$(window_id ' - jobhost$')
    xdotool windowactivate --sync "$main" 2>/dev/null
}
main_title_is() { [ "$(xdotool getwindowname "$main" 2>/dev/null)" = "$1" ]; }

# Types a path into the file dialog whose title matches $1 and presses Enter. The dialog shows a moment before its
# name field takes keys (longer on a loaded machine): what is typed before that is lost, so the dialog must be the
# active window, and given a moment, first.
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
type_path() {
    local w
    w=$(window_id "$1")
    [ -n "$w" ] || fail "no window $1 to type into"
    xdotool windowactivate --sync "$w" 2>/dev/null
    until_true is_active "$w" || fail "the window $1 never took the keyboard"
    sleep 0.3
    xdotool key ctrl+a
    # The whole path at a quick typist's pace: the folder's completion must not take any of the name's letters.
    xdotool type --delay 20 "$2"
    xdotool key Return
}

# Where controls are (journey_helper, in $helper): the same windows laid out by this X server's fonts.
locate() { "$helper" locate "$@" 2>>"$work/helper.log" || fail "journey_helper cannot find $*"; }
