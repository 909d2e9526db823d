#!/usr/bin/env bash
# Damaged and hostile picture files pasted in turn into the running program
# (their paths copied, Ctrl+V in the image window), after a calibration and
# one recorded point: each must be refused with a message box, none may
# raise the program's peak resident memory 200 MB above what it held before,
# and afterwards the picture, the calibration and the log are as they were
# (a second point records at its true values and both save).
#
#   hostile-files.sh PLOTWISE WRITE_HOSTILE_FILES CHART
#
# CHART is tests/data/session-chart.png (lib.sh says where its axes and
# marked points lie).
source "$(dirname "$0")/lib.sh"
program=$1
writer=$2
chart=$(realpath "$3")
command -v xclip >/dev/null || skip "xclip is not installed"

start_desktop 1366x768
files="$SESSION_TMP/files"
"$writer" "$files" || fail "cannot write the hostile files"
start_program "$program" "$chart"
image=$(window_of_role image)
control=$(window_of_role control)
xdotool windowactivate --sync "$control"
wait_active "$control"
type_session_axes
xdotool windowactivate --sync "$image"
wait_active "$image"
lock_session_chart
keys space

kilobytes() { awk -v field="$1:" '$1 == field { print $2 }' "/proc/$PLOTWISE_PID/status"; }
# The program's message box: a shown window titled with the program's name
# (a search by name alone also finds windows whose other names match).
message_box() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$PLOTWISE_PID" --name . 2>/dev/null); do
        if title_is "$id" Curvelift; then
            echo "$id"
            return
        fi
    done
}
box_shown() { [ -n "$(message_box)" ]; }
box_gone() { [ -z "$(message_box)" ]; }
sleep 1
idle=$(kilobytes VmRSS)
echo "idle: ${idle} kB resident"
status=0
for file in "$files"/*; do
    name=$(basename "$file")
    echo 5 >"/proc/$PLOTWISE_PID/clear_refs" # the peak starts again from now
    printf '%s' "$file" | xclip -selection clipboard
    xdotool windowactivate --sync "$image"
    wait_active "$image"
    keys ctrl+v
    if ! wait_for 20 box_shown; then
        echo "NOT REFUSED: $name" >&2
        status=1
        continue
    fi
    peak=$(kilobytes VmHWM)
    grown=$(((peak - idle) / 1024))
    echo "$name: refused, peak ${peak} kB (${grown} MB over idle)"
    if [ "$grown" -gt 200 ]; then
        echo "TOO MUCH MEMORY: $name took ${grown} MB" >&2
        status=1
    fi
    box=$(message_box)
    xdotool windowactivate --sync "$box" 2>/dev/null || true
    wait_active "$box"
    keys Return
    wait_for 10 box_gone || fail "the message for $name did not close"
done
[ $status -eq 0 ] || fail "a hostile file was not refused within 200 MB"
title_is "$image" session-chart.png || fail "the picture changed: $(xdotool getwindowname "$image")"

xdotool windowactivate --sync "$image"
wait_active "$image"
to_second_session_point
keys space
saved="$HOME/points.csv"
save_points_as "$saved"
expected=$'Series,X,Y\nSeries 1,2.00,10.00\nSeries 1,5.00,25.00'
actual=$(tr -d '\r' <"$saved")
[ "$actual" = "$expected" ] || fail "the calibration or the log changed: saved $actual"
echo "PASS: every hostile file refused within 200 MB; picture, calibration and log kept"
