#!/usr/bin/env bash
# Journeys through the real jobhost in an X server with a window manager, typed with synthetic X keys as a person
# types: a name typed into Save As is the file written; the save prompt answers Escape (nothing happens), Enter
# (saved) and N (not saved), and keeps the main window's shortcuts to itself. Every wait polls for a window or a
# file, with a time limit.
set -u
jobhost=$1
. "$(dirname "$0")/lib.sh"

start_jobhost

# Save As: the typed name is the file written.
saved="$work/typed.pdtjob"
xdotool key ctrl+s
until_true window_named '^Save As$' || fail "Ctrl+S opened no Save As"
type_path '^Save As$' "$saved"
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
xdotool key ctrl+o ctrl+f Escape
until_true no_window_named '^jobhost$' || fail "Escape left the prompt up"
window_named '^Open$' && fail "Ctrl+O reached the window behind the prompt"
window_named '^Find$' && fail "Ctrl+F reached the window behind the prompt"
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
type_path '^Open$' "$saved"
until_true main_title_is "typed.pdtjob - jobhost" || fail "Open did not read the typed name"
modify
xdotool key ctrl+n
until_true window_named '^jobhost$' || fail "New did not ask to save"
xdotool key n
until_true main_title_is "Untitled - jobhost" || fail "N did not go on to the new job"
cmp -s "$saved" "$work/second.pdtjob" || fail "N saved the job"
echo "journeys passed"
