# shellcheck shell=bash
# Drives the real program on a virtual X server of its own; sourced by tests/e2e.sh and
# scripts/screenshots.sh, which run under `set -euo pipefail`.

repository=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=""
xvfb=""
pid=""

# Starts Xvfb on a free display and waits until it takes clients. Without -noreset the
# server would reset whenever its last client leaves, as xdotool may before the
# program has connected, and the program's connection would fail.
start_xvfb() {
    Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp \
        3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    # Xvfb writes the display number once it listens.
    for _ in $(seq 100); do
        if [ -s "$work/display" ]; then
            DISPLAY=":$(cat "$work/display")"
            export DISPLAY
            return
        fi
        kill -0 "$xvfb" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2
    return 1
}

# Runs the command $@, the program or a wrapper such as prlimit that runs it, on an X
# server of its own, from $work/x/y of a fresh copy of Images/ and json/ because the
# program reads them two levels up. Its output goes to $work/kalvio.log.
start_kalvio() {
    # Callers test the status, which turns `set -e` off in here.
    open_session && cp -r "$repository/Images" "$repository/json" "$work/" && mkdir -p "$work/x/y" \
        || return 1
    run_kalvio "$work/x/y" "$@"
}

# Makes the run's folder $work and starts its X server.
open_session() {
    work=$(mktemp -d)
    trap stop_kalvio EXIT
    mkdir -m 700 "$work/runtime" && start_xvfb || return 1
    # What the program remembers between runs, and the recovery copies it leaves when it is
    # ended, stay in the run's own folder.
    export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
        QT_QPA_PLATFORM=xcb
}

# Runs the command that follows $1 in the folder $1, in the background, as the program.
run_kalvio() {
    local folder=$1
    shift
    (cd "$folder" && exec "$@") >"$work/kalvio.log" 2>&1 &
    pid=$!
}

# Waits for the program and Xvfb to end, so that nothing of the run outlives it.
stop_kalvio() {
    local process
    for process in "$pid" "$xvfb"; do
        if [ -n "$process" ] && kill "$process" 2>/dev/null; then
            wait "$process" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}

# Prints the id of a shown window whose whole title is $1, waiting up to 10 s for it;
# the waits of a whole run stay below the 60 s after which CTest kills it, cleanup and all.
# xdotool's own --sync gives up at the first X error, as when another window closes
# while it looks, so the search is repeated here.
window() {
    local id
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || return 1
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && echo "$id" && return
        sleep 0.1
    done
    return 1
}

# Gives the keyboard to window $1, as a window manager would, then runs the xdotool
# command that follows.
to() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id" "$@"
}

# Opens json/$1 through the file chooser titled $2 of the main window $3; the chooser
# starts in ../../json, so the bare name is enough. Prints the main window once its
# title names the file.
open_catalogue() {
    local chooser
    to "$3" key ctrl+o
    chooser=$(window "$2") || { echo "no file chooser titled \"$2\"" >&2; return 1; }
    to "$chooser" type --delay 20 "$1"
    xdotool key Return
    local title="${1%.json} - Kälviö"
    window "$title" || { echo "no window titled \"$title\"" >&2; return 1; }
}

# Clicks the first button $4 times (once by default) at $2, $3 in window $1.
click() { xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 100 1; }

# Adds $3 to the colour of the variant $2 (0 the first, at most 2) of the first element
# through its editor, in the main window $1 with the sample catalogue open, and saves it
# into the catalogue. Tree rows are 14 px high below a 19 px menu bar, the tree's 151 px and
# its 19 px header; the editor covers the window, its frame at 260, 170, with the colour
# field at 270, 290 and Edit and Save at 455, 350 in it.
change_colour() {
    click "$1" 40 196
    to "$1" key Right Down Right
    click "$1" 100 $((224 + 14 * $2)) 2
    click "$1" 760 534
    click "$1" 640 473
    to "$1" type "$3"
    click "$1" 760 534
}

change_first_colour() { change_colour "$1" 0 "$2"; }

# Clicks the last button of the status bar of window $1, which the program shows at its
# right end: the offers of a reload or a merge.
click_status_button() {
    local width height
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
    width=$WIDTH height=$HEIGHT
    click "$1" $((width - 60)) $((height - 13))
}

# Ends the test $1 as failed, saying $2 and what the program wrote.
fail_test() {
    echo "FAIL $1: $2"
    [ -s "$work/kalvio.log" ] && sed 's/^/  kalvio: /' "$work/kalvio.log"
    exit 1
}
