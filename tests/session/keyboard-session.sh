#!/usr/bin/env bash
# A whole session with the keyboard alone, on a private X display with a
# window manager, driven by xdotool: start with no picture, type the axis
# values, open the chart with Ctrl+O, lock Zero and Max with the arrow keys,
# record three points, save them with Ctrl+S (as CSV, the save dialog's
# first file type), and compare the saved file with the points' true values.
#
#   keyboard-session.sh PLOTWISE CHART
#
# CHART is tests/data/session-chart.png (lib.sh says where its axes and
# marked points lie).
source "$(dirname "$0")/lib.sh"
program=$1
chart=$(realpath "$2")

start_desktop 1366x768
start_program "$program"

control=$(window_of_role control)
wait_active "$control"
type_session_axes

keys ctrl+o
dialog=$(window_named '^Open Picture$')
wait_active "$dialog"
keys ctrl+a
xdotool type --delay 5 "$chart"
keys Return
image=$(window_of_role image)
wait_for 10 title_is "$image" session-chart.png || fail "the chart did not open"
wait_active "$image"

lock_session_chart
keys space
to_second_session_point
keys space
repeat 21 shift+Right
repeat 6 Right
repeat 11 shift+Up
repeat 4 Up           # (546, 116)
keys space

saved="$HOME/points.csv"
save_points_as "$saved"

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
