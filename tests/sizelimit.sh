#!/usr/bin/env bash
# Saves the sample catalogue (12 KB) with the real program on a virtual X server under a
# file-size limit of 8 KB: Ctrl+S must bring up the error box, the program must keep
# running, and the catalogue's folder must hold the file as it was and its in-use notice,
# nothing else.
#
#   tests/sizelimit.sh PATH/TO/kalvio
set -euo pipefail

binary=$(realpath "$1")
# shellcheck source=scripts/xsession.sh
source "$(dirname "$0")/../scripts/xsession.sh"

fail() { fail_test sizelimit "$*"; }

start_kalvio prlimit --fsize=8192 -- "$binary" || fail "could not start"
dialog=$(window "Language selection") || fail "no language dialog"
to "$dialog" key Return
main=$(window "Kälviö") || fail "no main window"
main=$(open_catalogue shop.json "Open file" "$main") || fail "could not open json/shop.json"
to "$main" key ctrl+s
window "Error" >/dev/null || fail "no error box after Ctrl+S"
kill -0 "$pid" 2>/dev/null || fail "the program has ended"
cmp -s "$repository/json/shop.json" "$work/json/shop.json" || fail "the catalogue changed"
# While the program has the catalogue open, its in-use notice is beside it.
ls -A "$work/json" | grep -qx '\.shop\.json\.kalvio-inuse-.*' || fail "no in-use notice beside the catalogue"
left=$(ls -A "$work/json" | grep -vx '\.shop\.json\.kalvio-inuse-.*')
[ "$left" = shop.json ] || fail "the folder holds more than the catalogue and its in-use notice: $left"
echo "PASS sizelimit"
