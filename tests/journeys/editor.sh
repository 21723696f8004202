#!/usr/bin/env bash
# Journeys through the editor's own keys and bars in real X windows with synthetic X input: Ctrl+Shift+S is Save
# As, the toolbar's Input button adds an input node that Ctrl+S saves, Help > Keyboard Shortcuts opens from the
# menu keys and Escape closes it, File > Export writes the typed PDF, and Ctrl+Q ends jobhost when nothing is
# unsaved.
set -u
jobhost=$1
helper=$2
. "$(dirname "$0")/lib.sh"

start_jobhost
gone() { ! kill -0 "$jobhost_pid" 2>/dev/null; }
nodes_in() { grep -c '"kind"' "$1"; }

job="$work/editor.pdtjob"
xdotool key ctrl+shift+s
until_true window_named '^Save As$' || fail "Ctrl+Shift+S opened no Save As"
type_path '^Save As$' "$job"
until_true file_exists "$job" || fail "Save As wrote nothing"
until_true main_title_is "editor.pdtjob - jobhost" || fail "the title does not name the saved file"

# The toolbar's Input button (its id is the New Node > Input command) gives the flowchart an input node, and the
# keys go back to the flowchart: Ctrl+S saves it.
before=$(nodes_in "$job")
at=$(locate main-window.png $((0x8100 + 2)))
read -r x y <<<"$at"
click_in "$main" "$x" "$y"
until_true main_title_is "editor.pdtjob* - jobhost" || fail "the Input button changed nothing"
xdotool key ctrl+s
until_true main_title_is "editor.pdtjob - jobhost" || fail "Ctrl+S after the toolbar did not save"
[ "$(nodes_in "$job")" -eq $((before + 1)) ] || fail "the saved job does not have one node more"

# F10 drops the first menu, Left goes round to Help, Enter takes its first item; each popup is given time to show.
for k in F10 Left Return; do
    xdotool key "$k"
    sleep 0.5
done
until_true window_named '^Keyboard Shortcuts$' || fail "Help > Keyboard Shortcuts did not open from the keys"
xdotool key Escape
until_true no_window_named '^Keyboard Shortcuts$' || fail "Escape left the shortcuts up"

# File > Export from the menu keys writes the flowchart to the typed file, in the format its name asks for.
xdotool key alt+f
sleep 0.5
xdotool key e
until_true window_named '^Save As$' || fail "File > Export opened no file dialog"
pdf="$work/flowchart.pdf"
type_path '^Save As$' "$pdf"
until_true file_exists "$pdf" || fail "Export wrote nothing at the typed name"
[ "$(head -c 5 "$pdf")" = "%PDF-" ] || fail "the exported file is not a PDF"

xdotool key ctrl+q
until_true gone || fail "Ctrl+Q did not end jobhost"
echo "journeys passed"
