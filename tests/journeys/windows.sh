#!/usr/bin/env bash
# Journeys through windows a person reaches with mouse and keyboard together, in real X windows with synthetic X
# input: a path typed into the simulation window's Load File loads the file and types nothing on the simulated
# terminal; Enter typed into a record's name after Tab went to ">>" is the dialog's OK; and a host that runs the node
# dialog modally opens the keypad from the key field once for Cancel and once for OK.
# journey_helper (built with the tests) says where controls are and grabs what a window shows.
set -u
jobhost=$1
helper=$2
. "$(dirname "$0")/lib.sh"

start_jobhost

# A rectangle of a window's client area, as a PNG file.
grab() { "$helper" grab "$@" 2>>"$work/helper.log" || fail "journey_helper cannot grab $*"; }

# --- A record's name typed after Tab went to ">>": Enter is OK, nothing moves between the lists.
job="$work/job.pdtjob"
xdotool key ctrl+s
until_true window_named '^Save As$' || fail "Ctrl+S opened no Save As"
type_path '^Save As$' "$job"
until_true file_exists "$job" || fail "Save As wrote nothing"
until_true main_title_is "job.pdtjob - jobhost" || fail "the title does not name the saved file"
record_fields() { grep -A12 "\"name\": \"$2\"" "$1" | grep -m1 '"fields"'; }
fields=$(record_fields "$job" "Stock Count")
[ -n "$fields" ] || fail "the saved job has no record Stock Count"

# Tab once goes to ">>", twice to "<<"; Enter in the name clicked into afterwards presses neither.
rename_after_tabs() {
    local tabs=$1 old=$2 new=$3
    cp "$job" "$work/before.pdtjob"
    xdotool windowactivate --sync "$main" 2>/dev/null
    xdotool key alt+d r Down Return
    until_true window_named '^Define Record' || fail "Define > Record > $old opened nothing"
    local record
    record=$(window_id '^Define Record')
    # As a person does, once the dialog has the keyboard: on a loaded machine the window manager hands it over late.
    xdotool windowactivate --sync "$record" 2>/dev/null
    until_true is_active "$record" || fail "Define Record never took the keyboard"
    mapfile -t at < <(locate record-stock-count-fields.png 4186:Fields 4213:Location 4215:Scan\ Item 4245)
    click_in "$record" ${at[0]}
    click_in "$record" ${at[1]}
    click_in "$record" ${at[2]}
    for _ in $(seq "$tabs"); do xdotool key Tab; done
    click_in "$record" ${at[3]}
    xdotool key ctrl+a
    xdotool type --delay 20 "$new"
    xdotool key Return
    until_true no_window_named '^Define Record' || fail "Enter in the record's name left the dialog open ($tabs Tab)"
    xdotool windowactivate --sync "$main" 2>/dev/null
    xdotool key ctrl+s
    until_true file_differs "$job" "$work/before.pdtjob" || fail "the renamed record was not saved ($tabs Tab)"
    [ "$(record_fields "$job" "$new")" = "$fields" ] ||
        fail "the record's fields changed after $tabs Tab: $(record_fields "$job" "$new") instead of $fields"
    grep -q "\"name\": \"$old\"" "$job" && fail "the record kept its old name after $tabs Tab"
}
rename_after_tabs 1 "Stock Count" "Counted Stock"
rename_after_tabs 2 "Counted Stock" "Stock Twice"

# --- Load File in the simulation window: the typed path is the file loaded, and the keypad behind takes no key.
printf '4006381333931\r\n' >"$work/ITEMS.DAT"
xdotool key alt+s r
until_true window_named '^Simulation - ' || fail "Simulation > Run Job opened nothing"
sim=$(window_id '^Simulation - ')
xdotool windowactivate --sync "$sim" 2>/dev/null
mapfile -t at < <(locate simulation-window.png 9410 9411 9405)
read -r sx sy <<<"${at[1]}"
read -r fx fy <<<"${at[2]}"
# Most of the terminal's screen around its centre, and the data files' box.
screen_area() { grab "$sim" $((sx - 160)) $((sy - 85)) 320 170 "$1"; }
files_box() { grab "$sim" $((fx - 125)) $((fy - 7)) 150 14 "$1"; } # the name shows at its left
# F4 opens the stock count, whose location shows every key typed: a stray key of the path would show there.
screen_area "$work/screen-menu.png"
xdotool key F4
location_shows() { screen_area "$work/screen-before.png" && file_differs "$work/screen-menu.png" "$work/screen-before.png"; }
until_true location_shows || fail "F4 typed on the simulation window reached no terminal"
files_box "$work/files-before.png"
click_in "$sim" ${at[0]}
until_true window_named '^Open' || fail "Load File opened no file dialog"
type_path '^Open' "$work/ITEMS.DAT"
until_true no_window_named '^Open' || fail "the file dialog stayed open"
files_loaded() { files_box "$work/files-after.png" && file_differs "$work/files-before.png" "$work/files-after.png"; }
until_true files_loaded || fail "the data files show no loaded file"
screen_area "$work/screen-after.png"
cmp -s "$work/screen-before.png" "$work/screen-after.png" || fail "the typed path reached the simulated terminal"
# A digit typed in the window itself is the keypad's, and the location shows it: the screen is read as it should be.
xdotool key 1
digit_shows() { screen_area "$work/screen-key.png" && file_differs "$work/screen-before.png" "$work/screen-key.png"; }
until_true digit_shows || fail "a key typed on the simulation window shows nothing on the terminal"

# --- The node dialog run modally: the key field opens the keypad, and Cancel, then OK, close it for good.
"$helper" modal-node >"$work/modal.log" 2>&1 &
pids+=($!)
modal=${pids[-1]}
until_true grep -q '^at 4208 ' "$work/modal.log" || fail "the modal node dialog showed no key field"
until_true window_named '^Define Node' || fail "the modal node dialog never showed"
node=$(window_id '^Define Node')
read -r _ _ kx ky < <(grep -m1 '^at 4208 ' "$work/modal.log")
keypads() { grep -c '^shown .* Keypad$' "$work/modal.log"; }
for button in 2 1; do
    opened=$(($(keypads) + 1))
    xdotool windowactivate --sync "$node" 2>/dev/null
    click_in "$node" "$kx" "$ky"
    until_true window_named 'Keypad$' || fail "the key field opened no keypad"
    pad=$(window_id 'Keypad$')
    read -r _ _ bx by < <(grep "^at $button " "$work/modal.log" | tail -1)
    click_in "$pad" "$bx" "$by"
    until_true no_window_named 'Keypad$' || fail "button $button left the keypad open"
    sleep 1 # a keypad opening again does so at once
    no_window_named 'Keypad$' || fail "the keypad opened again after button $button"
    [ "$(keypads)" = "$opened" ] || fail "the keypad opened $(keypads) times, not $opened"
    xdotool key Tab # the focus leaves the key field, so that a click comes back into it
done
# Escape inside a page does nothing: the dialog's own Cancel ends it.
read -r _ _ cx cy < <(grep -m1 '^at 2 ' "$work/modal.log")
click_in "$node" "$cx" "$cy"
until_true grep -q '^ended 2$' "$work/modal.log" || fail "Cancel did not end the modal node dialog"
echo "journeys passed"
