#!/usr/bin/env bash
# Two desks, two real programs on a virtual X server. Desk 2 changes the first variant's
# colour in its copy of the catalogue and saves; desk 1 opens the shared catalogue,
# changes the second variant's colour, and before it saves, a sync service writes desk 2's
# version beside the file as its conflicted copy. Desk 1's Save offers the merge in the
# status bar; the merge keeps both desks' changes, desk 1's saved one included, and the
# Save after it moves the copy to the trash once asked.
#
#   tests/syncconflict.sh PATH/TO/kalvio
set -euo pipefail

binary=$(realpath "$1")
# shellcheck source=scripts/xsession.sh
source "$(dirname "$0")/../scripts/xsession.sh"

fail() { fail_test syncconflict "$*"; }
ended() { for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done; }
leave() { to "$1" key ctrl+q && ended && ! kill -0 "$pid" 2>/dev/null || fail "still running after Leave"; }

open_session || fail "no X server"
cp -r "$repository/Images" "$repository/json" "$work/" && mkdir -p "$work/x/y" "$work/desk2"
catalogue="$work/json/shop.json"
copy="$work/json/shop (conflicted copy 2026-12-08 101010).json"
cp "$catalogue" "$work/desk2/shop.json"

XDG_DATA_HOME="$work/desk2-data" run_kalvio "$work/x/y" "$binary" --lang en "$work/desk2/shop.json"
main=$(window "shop - Kälviö") || fail "desk 2 shows no main window"
change_colour "$main" 0 ish
to "$main" key ctrl+s
window "shop - Kälviö" >/dev/null || fail "desk 2 did not save"
leave "$main"

run_kalvio "$work/x/y" "$binary" --lang en "$catalogue"
main=$(window "shop - Kälviö") || fail "desk 1 shows no main window"
change_colour "$main" 1 one
window "shop\\* - Kälviö" >/dev/null || fail "desk 1's title does not show its change"
cp "$work/desk2/shop.json" "$copy"
to "$main" key ctrl+s
window "shop - Kälviö" >/dev/null || fail "desk 1 did not save"
# The editor, still open, takes every click in the window: it is closed first.
click "$main" 845 534
click_status_button "$main"
window "shop\\* - Kälviö" >/dev/null || fail "the offer of the conflicted copy did not merge it"
to "$main" key ctrl+s
box=$(window "Merged copy") || fail "Save did not offer to move the merged copy to the trash"
to "$box" key Return
window "shop - Kälviö" >/dev/null || fail "the merged catalogue was not saved"
grep -q '"Naturalish"' "$catalogue" || fail "desk 2's change is not in the file"
grep -q '"Blackone"' "$catalogue" || fail "desk 1's saved change did not survive the merge"
[ -e "$copy" ] && fail "the merged copy is still beside the file"
[ -e "$XDG_DATA_HOME/Trash/files/$(basename "$copy")" ] || fail "the merged copy is not in the trash"
leave "$main"
echo "PASS syncconflict"
