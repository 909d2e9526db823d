# Sourced by the desktop sessions: a private X display with a window manager,
# waiting for windows, and cleaning up whatever the session started.
#
# Exit codes: 0 passed, 1 failed, 77 skipped (Xvfb cannot start here).
set -euo pipefail

SESSION_TMP=$(mktemp -d)
SESSION_PIDS=()

session_cleanup() {
    local pid
    for ((i = ${#SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${SESSION_PIDS[i]}
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${SESSION_PIDS[@]}"; do
        # Gone within two seconds, or killed.
        for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$SESSION_TMP"
}
trap session_cleanup EXIT
# Stopped from outside (a timeout): clean up all the same.
trap 'exit 1' TERM INT HUP

fail() {
    echo "FAIL: $*" >&2
    if [ -s "$SESSION_TMP/program.log" ]; then
        echo "The program said:" >&2
        tail -n 30 "$SESSION_TMP/program.log" >&2
    fi
    # What the screen showed, where PLOTWISE_SHOTS asks for screenshots.
    if [ -n "${PLOTWISE_SHOTS:-}" ] && [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        mkdir -p "$PLOTWISE_SHOTS"
        import -window root "$PLOTWISE_SHOTS/failed-$(basename "$0" .sh).png" 2>/dev/null || true
    fi
    exit 1
}

skip() {
    echo "SKIP: $*"
    exit 77
}

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

# The window manager has announced itself on the root window.
wm_running() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

xvfb_settled() {
    test -s "$SESSION_TMP/display" || ! kill -0 "$1" 2>/dev/null
}

# Starts Xvfb on a free display of the given size and openbox on it;
# exports DISPLAY. Skips only when Xvfb cannot start.
start_desktop() {
    local size=$1
    command -v Xvfb >/dev/null || skip "Xvfb is not installed"
    for tool in openbox xdotool xprop xwininfo; do
        command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/lib/setup.sh installs it)"
    done
    # Xvfb picks a free display itself and writes its number once it listens
    # (-noreset: a server that resets as its last client leaves refuses the next);
    # a display that then takes no connection (one just closing) is given up
    # for another.
    local attempt xvfb
    for attempt in 1 2 3 4 5; do
        rm -f "$SESSION_TMP/display"
        Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset 9>"$SESSION_TMP/display" \
            >"$SESSION_TMP/xvfb.log" 2>&1 </dev/null &
        xvfb=$!
        SESSION_PIDS+=("$xvfb")
        # Ready (its number written), or gone (it could not start).
        wait_for 15 xvfb_settled "$xvfb" || true
        if test -s "$SESSION_TMP/display"; then
            export DISPLAY=":$(head -n1 "$SESSION_TMP/display")"
            wait_for 5 xprop -root && break
        fi
        kill "$xvfb" 2>/dev/null || true
        unset DISPLAY
        [ "$attempt" -lt 5 ] || {
            cat "$SESSION_TMP/xvfb.log" >&2 || true
            skip "Xvfb did not start"
        }
    done
    echo "desktop on display $DISPLAY, ${size}"
    openbox --sm-disable >"$SESSION_TMP/openbox.log" 2>&1 </dev/null &
    SESSION_PIDS+=($!)
    wait_for 15 wm_running ||
        fail "openbox did not start on $DISPLAY: $(cat "$SESSION_TMP/openbox.log"; ps -eo pid,etimes,args | grep -E "[X]vfb|[o]penbox")"
    # Settings and the file dialogs' folders in a home of the session's own.
    export HOME="$SESSION_TMP/home" XDG_CONFIG_HOME="$SESSION_TMP/config"
    export XDG_RUNTIME_DIR="$SESSION_TMP/runtime"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    export QT_QPA_PLATFORM=xcb
    # "." as the decimal mark, "," between a CSV file's fields.
    export LC_ALL=C.UTF-8
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
}

# Starts the program with the given arguments; PLOTWISE_PID is its process.
start_program() {
    # Debian 12's libxkbcommon-x11 hands strndup a keymap name that ends at
    # the end of its buffer; AddressSanitizer's strndup check reads past it
    # and stops a sanitized build at start-up, in code that is not ours.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_strndup=0"
    "$@" >"$SESSION_TMP/program.log" 2>&1 </dev/null &
    PLOTWISE_PID=$!
    SESSION_PIDS+=("$PLOTWISE_PID")
}

# The id of the program's shown window whose whole title matches the
# extended regular expression, once there is one (20 seconds at most).
window_named() {
    local pattern=$1 id
    local end=$((SECONDS + 20))
    while [ $SECONDS -lt $end ]; do
        kill -0 "$PLOTWISE_PID" 2>/dev/null || fail "the program ended: $(cat "$SESSION_TMP/program.log")"
        id=$(xdotool search --all --onlyvisible --pid "$PLOTWISE_PID" --name "$pattern" 2>/dev/null | head -n1) || true
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no window named $pattern"
}

# The id of the program's shown window of the given role (the window set
# names them: control, image, help, cursor, loupe), once there is one.
window_of_role() {
    local role=$1 id
    local end=$((SECONDS + 20))
    while [ $SECONDS -lt $end ]; do
        kill -0 "$PLOTWISE_PID" 2>/dev/null || fail "the program ended: $(cat "$SESSION_TMP/program.log")"
        for id in $(xdotool search --all --onlyvisible --pid "$PLOTWISE_PID" --name '.' 2>/dev/null); do
            if xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -q "= \"$role\"\$"; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    fail "no $role window"
}

title_is() {
    [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ]
}

active_is() {
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}

# Waits until the window has the keyboard.
wait_active() {
    wait_for 10 active_is "$1" || fail "window $1 ($(xdotool getwindowname "$1")) did not get the keys"
}

keys() {
    xdotool key --clearmodifiers --delay 15 "$@"
}

# A key pressed n times.
repeat() {
    local n=$1 key=$2
    [ "$n" -gt 0 ] || return 0
    xdotool key --clearmodifiers --delay 5 --repeat "$n" --repeat-delay 5 "$key"
}

# The outer frame of a window as "left top width height", from the window
# manager's frame extents.
frame_of() {
    local id=$1 info x y w h l r t b
    info=$(xwininfo -id "$id")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/^ *Width: *//p' <<<"$info")
    h=$(sed -n 's/^ *Height: *//p' <<<"$info")
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',') || true
    l=${l:-0} r=${r:-0} t=${t:-0} b=${b:-0}
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# The session chart (tests/data/session-chart.png): X 0..10 at pixel columns
# 60..600, Y 0..50 at rows 420..40; its marked points (2, 10) at (168, 344),
# (5, 25) at (330, 230) and (9, 40) at (546, 116).

# Types the chart's axis values into the control window's fields, which has
# the keys, in their Tab order: X Max, X Zero, (Log X, Integer,) Y Max, Y Zero.
type_session_axes() {
    local value
    for value in 10 0 - - 50 0; do
        if [ "$value" != - ]; then
            keys ctrl+a
            xdotool type --delay 15 "$value"
        fi
        keys Tab
    done
}

# In the image window, which has the keys, from the crosshair's start:
# locks Zero and Max with the arrow keys and stops on the first marked point.
lock_session_chart() {
    keys Home # (0, -10)
    repeat 6 shift+Right
    repeat 43 shift+Down # (60, 420)
    keys z
    repeat 54 shift+Right
    repeat 38 shift+Up # (600, 40)
    keys a
    repeat 43 shift+Left
    repeat 2 Left
    repeat 30 shift+Down
    repeat 4 Down # (168, 344)
}

# From the first marked point to the second.
to_second_session_point() {
    repeat 16 shift+Right
    repeat 2 Right
    repeat 11 shift+Up
    repeat 4 Up # (330, 230)
}

# Saves the recorded points as the save dialog offers first (CSV, one row a
# point) into the file named, from a window that has the keys.
save_points_as() {
    local file=$1 dialog
    keys ctrl+s
    dialog=$(window_named '^Save Recorded Points$')
    wait_active "$dialog"
    keys ctrl+a
    xdotool type --delay 5 "$file"
    keys Return
    wait_for 10 test -s "$file" || fail "nothing was saved at $file"
}
