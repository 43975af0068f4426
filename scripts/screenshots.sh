#!/usr/bin/env bash
# Remakes docs/mainwindow.png (the sample catalogue open, one category unfolded) and
# docs/editor.png (the editor on one of its variants, in edit mode) from the real program
# on a virtual X server, and their French twins docs/mainwindow-fr.png, docs/editor-fr.png.
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

binary=$(realpath "$1")
for language in en fr; do
    suffix=${language/en/}
    suffix=${suffix:+-$suffix}
    start_kalvio "$binary" || fail "could not start"
    dialog=$(window "Language selection") || fail "no language dialog"
    if [ "$language" = fr ]; then
        to "$dialog" key Down Return
        chooser="Ouvrir le fichier"
    else
        to "$dialog" key Return
        chooser="Open file"
    fi
    main=$(window "Kälviö") || fail "no main window"
    main=$(open_catalogue shop.json "$chooser" "$main") || fail "could not open json/shop.json"

    # Rows: Chairs, Tables, Sofas > Pilvi sofa > 003.001.001, 003.001.002 (green), ...
    xdotool mousemove --window "$main" 40 "$(rowCentre 0)" click 1
    to "$main" key Down Down Right Down Right Down Down
    mkdir -p "$repository/docs"
    shoot "mainwindow$suffix.png"

    # The editor's Edit button, at 455, 350 in its frame at 260, 170.
    xdotool mousemove --window "$main" 100 "$(rowCentre 5)" click --repeat 2 --delay 100 1
    xdotool mousemove --window "$main" 760 534 click 1
    shoot "editor$suffix.png"
    stop_kalvio
    trap - EXIT
done
