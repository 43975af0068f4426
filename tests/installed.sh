#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR) as a package does, checks the
# desktop entry and the AppStream metainfo with their validators, then starts the
# installed program on a virtual X server from a folder with no Images/ or json/ near it,
# in French, with the installed sample catalogue: the window must be titled after the
# catalogue, and the editor of its first variant and the details pane must show its photo
# beside the logo.
#
#   tests/installed.sh BUILD_DIR
set -euo pipefail

build=$(realpath "$1")
# The pictures are counted through the accessibility bus of a D-Bus session of the run's own.
[ -n "${KALVIO_E2E_SESSION:-}" ] || KALVIO_E2E_SESSION=1 exec dbus-run-session -- "$0" "$@" 2>/dev/null

# shellcheck source=scripts/xsession.sh
source "$(dirname "$0")/../scripts/xsession.sh"

fail() { fail_test installed "$*"; }

open_session || fail "no X server"
id=fi.kalvio.Kalvio
DESTDIR="$work/staging" cmake --install "$build" >"$work/install.log" || fail "cmake --install: $(cat "$work/install.log")"
root="$work/staging$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"
desktop-file-validate "$root/share/applications/$id.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" \
    || fail "the metainfo is not valid: $(cat "$work/appstream.log")"
for icon in scalable/apps/$id.svg 256x256/apps/$id.png; do
    [ -s "$root/share/icons/hicolor/$icon" ] || fail "no icon $icon"
done

# A wrong argument is told, with status 1, even where there is no display.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$root/bin/kalvio" --bogus 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "kalvio --bogus without a display ended with status $status, not 1"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -p "$work/home/a/b"
run_kalvio "$work/home/a/b" "$root/bin/kalvio" --lang fr "$root/share/kalvio/json/shop.json"
main=$(window "shop - Kälviö") || fail "no main window titled \"shop - Kälviö\""
# The window carries the application's icon, for task bars and docks.
xprop -id "$main" _NET_WM_ICON >"$work/icon.txt" 2>&1; grep -q "Icon (" "$work/icon.txt" || fail "the window carries no icon: $(head -c 300 "$work/icon.txt")"
# The first variant of the first element, as tests/e2e.sh opens it.
xdotool mousemove --window "$main" 40 196 click 1
to "$main" key Right Down Right
xdotool mousemove --window "$main" 100 224 click --repeat 2 --delay 100 1
for _ in $(seq 20); do
    pictures=$(/usr/bin/python3 "$(dirname "$0")/buttons.py" "shop - Kälviö" image)
    [ "$pictures" = "image|image|image|image" ] && break
    sleep 0.25
done
# The logo and the editor's photo, and the details pane's photo of the variant with its
# low-stock mark.
[ "$pictures" = "image|image|image|image" ] || fail "the window shows \"$pictures\", not the logo and the photos"
echo "PASS installed"
