#!/usr/bin/env bash
# A whole session with the keyboard alone, on a private X display with a
# window manager, driven by xdotool: start with no picture, type the axis
# values, open the chart with Ctrl+O, lock Zero and Max with the arrow keys,
# record three points, save them with Ctrl+S (as CSV, the save dialog's
# first file type), and compare the saved file with the points' true values.
#
#   keyboard-session.sh PLOTWISE CHART
#
# CHART (tests/data/session-chart.png) has its X axis from 0 at pixel column 60
# to 10 at column 600, its Y axis from 0 at row 420 to 50 at row 40, and
# three marked points: (2, 10) at pixel (168, 344), (5, 25) at (330, 230) and
# (9, 40) at (546, 116).
source "$(dirname "$0")/lib.sh"
program=$1
chart=$(realpath "$2")

start_desktop 1366x768
start_program "$program"

control=$(window_of_role control)
wait_active "$control"
# The fields in their Tab order: X Max, X Zero, (Log X, Integer,) Y Max, Y Zero.
for value in 10 0 - - 50 0; do
    if [ "$value" != - ]; then
        keys ctrl+a
        xdotool type --delay 15 "$value"
    fi
    keys Tab
done

keys ctrl+o
dialog=$(window_named '^Open Picture$')
wait_active "$dialog"
keys ctrl+a
xdotool type --delay 5 "$chart"
keys Return
image=$(window_of_role image)
wait_for 10 title_is "$image" session-chart.png || fail "the chart did not open"
wait_active "$image"

# The crosshair starts at (-10, -10); Home puts it at X 0.
keys Home
repeat 6 shift+Right
repeat 43 shift+Down  # (60, 420)
keys z
repeat 54 shift+Right
repeat 38 shift+Up    # (600, 40)
keys a
repeat 43 shift+Left
repeat 2 Left
repeat 30 shift+Down
repeat 4 Down         # (168, 344)
keys space
repeat 16 shift+Right
repeat 2 Right
repeat 11 shift+Up
repeat 4 Up           # (330, 230)
keys space
repeat 21 shift+Right
repeat 6 Right
repeat 11 shift+Up
repeat 4 Up           # (546, 116)
keys space

saved="$HOME/points.csv"
keys ctrl+s
dialog=$(window_named '^Save Recorded Points$')
wait_active "$dialog"
keys ctrl+a
xdotool type --delay 5 "$saved"
keys Return
wait_for 10 test -s "$saved" || fail "nothing was saved at $saved"

expected=$'Series,X,Y\nSeries 1,2.00,10.00\nSeries 1,5.00,25.00\nSeries 1,9.00,40.00'
# CSV lines end in CR LF.
actual=$(tr -d '\r' <"$saved")
if [ "$actual" != "$expected" ]; then
    echo "expected:" >&2
    echo "$expected" >&2
    echo "saved:" >&2
    echo "$actual" >&2
    fail "the saved points differ"
fi
echo "PASS: three points recorded and saved with the keyboard alone"
