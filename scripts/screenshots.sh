#!/usr/bin/env bash
# Remakes docs/mainwindow.png (the sample catalogue open, one category unfolded) and
# docs/editor.png (the editor on one of its variants) from the real program on a
# virtual X server.
#
#   scripts/screenshots.sh [PATH/TO/kalvio]    without a path, builds build/src/kalvio
set -euo pipefail

# shellcheck source=scripts/xsession.sh
source "$(dirname "$0")/xsession.sh"

bash "$repository/scripts/setup.sh"
if ! command -v import >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -q
    $sudo env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends imagemagick
fi
if [ $# -eq 0 ]; then
    [ -f "$repository/build/CMakeCache.txt" ] || cmake -S "$repository" -B "$repository/build"
    cmake --build "$repository/build" --target kalvio -j "$(nproc)"
    set -- "$repository/build/src/kalvio"
fi

fail() {
    echo "screenshots: $*" >&2
    exit 1
}

# The tree view's rows in main window coordinates: the tree starts 151 px below the
# 19 px menu bar, under a 19 px header, and its rows are 14 px high.
rowCentre() { echo $((19 + 151 + 19 + 14 * $1 + 7)); }

# Qt paints after the events that xdotool sent; give it a moment before grabbing.
shoot() {
    sleep 1
    import -window "$main" -strip "$repository/docs/$1"
    echo "screenshots: docs/$1"
}

start_kalvio "$(realpath "$1")" || fail "could not start"
dialog=$(window "Language selection") || fail "no language dialog"
to "$dialog" key Return
main=$(window "Kälviö") || fail "no main window"
main=$(open_catalogue shop.json "Open file" "$main") || fail "could not open json/shop.json"

# Rows: Chairs, Tables, Sofas > Pilvi sofa > 003.001.001, 003.001.002 (green), ...
xdotool mousemove --window "$main" 40 "$(rowCentre 0)" click 1
to "$main" key Down Down Right Down Right Down Down
mkdir -p "$repository/docs"
shoot mainwindow.png

xdotool mousemove --window "$main" 100 "$(rowCentre 5)" click --repeat 2 --delay 100 1
shoot editor.png
