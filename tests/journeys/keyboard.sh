#!/usr/bin/env bash
# Journeys through the real jobhost in an X server with a window manager, typed with synthetic X keys as a person
# types: a name typed into Save As is the file written; the save prompt answers Escape (nothing happens), Enter
# (saved) and N (not saved). Every wait polls for a window or a file, with a time limit.
set -u
jobhost=$1
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
    sed 's/^/jobhost: /' "$work/jobhost.log" 2>/dev/null | grep -v propagateSizeHints
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
main_title_is() { [ "$(xdotool getwindowname "$main" 2>/dev/null)" = "$1" ]; }
file_exists() { [ -s "$1" ]; }
file_differs() { ! cmp -s "$1" "$2"; }

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
until_true file_exists "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$work/display")
# A window mapped while the window manager is still starting can stay unmapped: jobhost starts once it manages.
# Openbox now and then gives up on a server that has only just started; it is started again then.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for attempt in 1 2 3; do
    openbox >/dev/null 2>&1 &
    pids+=($!)
    until_true wm_ready && break
    [ "$attempt" = 3 ] && fail "openbox did not start"
done
export QT_QPA_PLATFORM=xcb PDTDLG_SETTINGS="$work/settings.ini" HOME="$work"
"$jobhost" >"$work/jobhost.log" 2>&1 &
pids+=($!)
until_true window_named ' - jobhost$' || fail "the main window never showed"
main=$(xdotool search --onlyvisible --name ' - jobhost$' | head -1)
xdotool windowactivate --sync "$main" 2>/dev/null

# Save As: the typed name is the file written.
saved="$work/typed.pdtjob"
xdotool key ctrl+s
until_true window_named '^Save As$' || fail "Ctrl+S opened no Save As"
xdotool key ctrl+a
xdotool type --delay 20 "$saved"
xdotool key Return
until_true file_exists "$saved" || fail "Save As wrote nothing at the typed name"
until_true main_title_is "typed.pdtjob - jobhost" || fail "the title does not name the saved file"
cp "$saved" "$work/first.pdtjob"

# A change from the keyboard: Tab selects a node, Delete asks, Y answers.
modify() {
    xdotool windowactivate --sync "$main" 2>/dev/null
    xdotool key Tab Delete
    until_true window_named '^jobhost$' || fail "Delete asked nothing"
    xdotool key y
    until_true main_title_is "typed.pdtjob* - jobhost" || fail "the job is not marked changed"
}

# Escape on the save prompt: nothing happens, the job stays.
modify
xdotool key ctrl+n
until_true window_named '^jobhost$' || fail "New did not ask to save"
xdotool key ctrl+o Escape
until_true no_window_named '^jobhost$' || fail "Escape left the prompt up"
window_named '^Open$' && fail "Ctrl+O reached the window behind the prompt"
main_title_is "typed.pdtjob* - jobhost" || fail "Escape did not keep the job"

# Enter: saved, then the new job.
xdotool key ctrl+n
until_true window_named '^jobhost$' || fail "New did not ask to save"
xdotool key Return
until_true main_title_is "Untitled - jobhost" || fail "Enter did not go on to the new job"
file_differs "$saved" "$work/first.pdtjob" || fail "Enter did not save the changed job"
cp "$saved" "$work/second.pdtjob"

# N: not saved. The saved job is opened again by its typed name, changed, and left.
xdotool key ctrl+o
until_true window_named '^Open$' || fail "Ctrl+O opened no Open"
xdotool key ctrl+a
xdotool type --delay 20 "$saved"
xdotool key Return
until_true main_title_is "typed.pdtjob - jobhost" || fail "Open did not read the typed name"
modify
xdotool key ctrl+n
until_true window_named '^jobhost$' || fail "New did not ask to save"
xdotool key n
until_true main_title_is "Untitled - jobhost" || fail "N did not go on to the new job"
cmp -s "$saved" "$work/second.pdtjob" || fail "N saved the job"
echo "journeys passed"
