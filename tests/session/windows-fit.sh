#!/usr/bin/env bash
# Every window open at once on a private X display with a window manager:
# each must lie whole on the screen, and the picture window must not lie
# over the control window. With PLOTWISE_SHOTS set, a screenshot of the
# screen is kept there.
#
#   windows-fit.sh PLOTWISE CHART WIDTHxHEIGHT SCALE
source "$(dirname "$0")/lib.sh"
program=$1
chart=$(realpath "$2")
size=$3
scale=$4

start_desktop "$size"
export QT_SCALE_FACTOR=$scale
start_program "$program" "$chart"

image=$(window_of_role image)
wait_active "$image"
keys l                        # the loupe, beside the picture
loupe=$(window_of_role loupe)
keys F1                       # the help window
help=$(window_of_role help)
wait_active "$help"
control=$(window_of_role control)
xdotool windowactivate --sync "$control"
wait_active "$control"
keys alt+a                    # the advanced cursor window
cursor=$(window_of_role cursor)
wait_active "$cursor"
sleep 0.5 # let the last window settle before it is measured

read -r width height <<<"${size/x/ }"
status=0
declare -A frames
for id in $control $image $help $cursor $loupe; do
    read -r left top w h < <(frame_of "$id")
    frames[$id]="$left $top $w $h"
    title=$(xdotool getwindowname "$id")
    if [ "$left" -lt 0 ] || [ "$top" -lt 0 ] || [ $((left + w)) -gt "$width" ] ||
        [ $((top + h)) -gt "$height" ]; then
        echo "NOT WHOLE: '$title' frame ${w}x${h} at $left,$top on ${size}" >&2
        status=1
    else
        echo "whole: '$title' frame ${w}x${h} at $left,$top on ${size}"
    fi
done
read -r cl ct cw ch <<<"${frames[$control]}"
read -r il it iw ih <<<"${frames[$image]}"
if [ "$il" -lt $((cl + cw)) ] && [ "$cl" -lt $((il + iw)) ] &&
    [ "$it" -lt $((ct + ch)) ] && [ "$ct" -lt $((it + ih)) ]; then
    echo "the picture window lies over the control window" >&2
    status=1
fi
if [ -n "${PLOTWISE_SHOTS:-}" ]; then
    mkdir -p "$PLOTWISE_SHOTS"
    shot="$PLOTWISE_SHOTS/windows-${size}-scale${scale}.png"
    if command -v import >/dev/null; then
        import -window root "$shot" && echo "screenshot: $shot"
    fi
fi
[ $status -eq 0 ] || fail "not every window is whole on the screen"
echo "PASS: every window whole on ${size} at scale ${scale}"
