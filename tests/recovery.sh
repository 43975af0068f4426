#!/usr/bin/env bash
# Unsaved work outlives the end of the real program on a virtual X server. A variant's
# colour is changed, then SIGTERM must end the program with status 0, leaving no in-use
# notice and a recovery copy that holds the change. The next start offers it: Recover
# opens it, modified; killed with SIGKILL there, the program leaves the copy and its
# notice, and the next Open of the file offers the copy again, whose Save writes the
# change into the file and takes away the copy and the killed copy's notice.
#
#   tests/recovery.sh PATH/TO/kalvio
set -euo pipefail

binary=$(realpath "$1")
# shellcheck source=scripts/xsession.sh
source "$(dirname "$0")/../scripts/xsession.sh"

fail() { fail_test recovery "$*"; }
ended() { for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done; }
notices() { find "$work/json" -name '.shop.json.kalvio-inuse*' | wc -l; }
copies() { find "$XDG_DATA_HOME" -path '*/recovery/*.json' | wc -l; }

open_session || fail "no X server"
cp -r "$repository/Images" "$repository/json" "$work/" && mkdir -p "$work/x/y"
export XDG_DATA_HOME="$work/data"
catalogue="$work/json/shop.json"

run_kalvio "$work/x/y" "$binary" --lang en "$catalogue"
main=$(window "shop - Kälviö") || fail "no main window titled shop - Kälviö"
change_first_colour "$main" ish
window "shop\\* - Kälviö" >/dev/null || fail "the title does not show the change"
[ "$(notices)" = 1 ] || fail "no in-use notice while the file is open"
kill -TERM "$pid"
ended
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "exit status $status after SIGTERM"
[ "$(notices)" = 0 ] || fail "SIGTERM left the in-use notice"
[ "$(copies)" = 1 ] || fail "SIGTERM left $(copies) recovery copies, not one"
grep -q 'ish"' "$(find "$XDG_DATA_HOME" -path '*/recovery/*.json')" || fail "the recovery copy lacks the change"
grep -q 'ish"' "$catalogue" && fail "the file holds the unsaved change"

# SIGTERM while the start asks ends the program too, and the copy stays for the next.
run_kalvio "$work/x/y" "$binary" --lang en
window "Unsaved changes found" >/dev/null || fail "the start offers no recovery"
kill -TERM "$pid"
ended
kill -0 "$pid" 2>/dev/null && fail "SIGTERM during the start's question does not end the program"
[ "$(copies)" = 1 ] || fail "SIGTERM during the start's question left $(copies) recovery copies, not one"

run_kalvio "$work/x/y" "$binary" --lang en
box=$(window "Unsaved changes found") || fail "the start offers no recovery"
to "$box" key Return
main=$(window "shop\\* - Kälviö") || fail "Recover does not open the copy as shop.json, modified"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
[ "$(copies)" = 1 ] || fail "the killed program left $(copies) recovery copies, not one"

run_kalvio "$work/x/y" "$binary" --lang en "$catalogue"
box=$(window "Unsaved changes found") || fail "Open offers no recovery after SIGKILL"
to "$box" key Return
main=$(window "shop\\* - Kälviö") || fail "Recover after SIGKILL does not open the copy"
to "$main" key ctrl+s
window "shop - Kälviö" >/dev/null || fail "Save did not save the recovered catalogue"
grep -q 'ish"' "$catalogue" || fail "the saved file lacks the recovered change"
[ "$(copies)" = 0 ] || fail "the recovery copy stays after Save"
[ "$(notices)" = 1 ] || fail "the killed program's notice stays beside ours"
to "$main" key ctrl+q
ended
kill -0 "$pid" 2>/dev/null && fail "still running after Leave"
echo "PASS recovery"
