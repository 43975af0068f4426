#!/usr/bin/env bash
# Drives the real program on a virtual X server: answers the language question, checks
# the main window, opens the sample catalogue through the file chooser (whose title
# shows the chosen language) and leaves with Ctrl+Q, which must end the program cleanly.
#
#   tests/e2e.sh PATH/TO/kalvio en|fr
set -euo pipefail

if [ $# -ne 2 ] || { [ "$2" != en ] && [ "$2" != fr ]; }; then
    echo "usage: $0 KALVIO_BINARY en|fr" >&2
    exit 2
fi
binary=$(realpath "$1")
language=$2
[ -x "$binary" ] || { echo "FAIL e2e[$language]: $1 is not an executable"; exit 1; }
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null \
        || { echo "FAIL e2e[$language]: no $tool (scripts/setup.sh installs it)"; exit 1; }
done

# shellcheck source=scripts/xsession.sh
source "$(dirname "$0")/../scripts/xsession.sh"

step() { echo "e2e[$language]: $*"; }
fail() {
    echo "FAIL e2e[$language]: $*"
    kill -0 "$pid" 2>/dev/null || echo "  kalvio has ended"
    [ -s "$work/kalvio.log" ] && sed 's/^/  kalvio: /' "$work/kalvio.log"
    exit 1
}

start_kalvio "$binary" || fail "could not start"

dialog=$(window "Language selection") || fail "no language dialog"
if [ "$language" = fr ]; then
    to "$dialog" key Down Return
else
    to "$dialog" key Return
fi

main=$(window "Kälviö") || fail "no main window titled Kälviö"
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "${WIDTH}x$HEIGHT" = 1000x600 ] || fail "main window is ${WIDTH}x$HEIGHT, not 1000x600"
step "main window 1000x600"

case $language in
    en) chooserTitle="Open file" ;;
    fr) chooserTitle="Ouvrir le fichier" ;;
esac
main=$(open_catalogue shop.json "$chooserTitle" "$main") || fail "could not open json/shop.json"
step "json/shop.json opened through the file chooser \"$chooserTitle\""

to "$main" key ctrl+q
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 5 s after Ctrl+Q"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status after Ctrl+Q"
echo "PASS e2e[$language]"
