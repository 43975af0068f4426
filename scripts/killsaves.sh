#!/usr/bin/env bash
# Measures what a kill during an in-place save leaves: saves a catalogue of about 40 MB
# over a hard-linked one (which is written in place), kills the save with SIGKILL at a
# random moment (every second kill falls within 30 ms of the backup's appearance, when
# the file is being overwritten), and checks that the file is then the old or the new catalogue whole,
# or else that its backup is the old one whole. Prints the count of each.
#
#   scripts/killsaves.sh [KILLS]      (default 70; builds build-bench/ in Release)
set -euo pipefail
cd "$(dirname "$0")/.."
kills=${1:-70}
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --target kalvio_save -j2 >/dev/null
save=$PWD/build-bench/bench/kalvio_save
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Two catalogues of the same shape whose texts differ, as saved by the program.
for version in old new; do
    python3 - "$version" >raw.json <<'PY'
import json, sys
tag = sys.argv[1]
print(json.dumps([{"category": {"name": "Category %d" % c, "elements": [
    {"name": "Element %d %s" % (e, tag), "description": "A piece of furniture, " + tag * 20,
     "designer": "Studio", "dimension": {"length": "45", "height": "80", "width": "50", "weight": "4.5"},
     "specificite": [{"id": "%03d.%03d.%03d" % (c + 1, e + 1, v + 1), "photo": "p.png",
                      "sous-formulaire": {"color": "colour %d" % v, "price": 59.9, "stock": 12}}
                     for v in range(20)]} for e in range(200)]}} for c in range(25)]))
PY
    "$save" raw.json "$version.json"
done
echo "old catalogue $(stat -c %s old.json) bytes, new $(stat -c %s new.json) bytes"

start=$(date +%s%N)
cp old.json target.json
"$save" new.json target.json
span=$(( ($(date +%s%N) - start) / 1000 ))
echo "an uninterrupted save takes $((span / 1000)) ms; kills fall at random within 120 % of it, or within 30 ms of the backup"

old=0 new=0 backup=0 lost=0
for round in $(seq "$kills"); do
    rm -f target.json link.json .target.json.kalvio-*
    cp old.json target.json
    ln target.json link.json
    "$save" new.json target.json &
    saver=$!
    at=$(( (RANDOM * 32768 + RANDOM) % (span * 12 / 10) ))
    if [ $((round % 2)) -eq 0 ]; then
        while kill -0 "$saver" 2>/dev/null && [ ! -e .target.json.kalvio-backup ]; do :; done
        at=$(( (RANDOM * 32768 + RANDOM) % 30000 ))
    fi
    sleep "$(printf '%d.%06d' $((at / 1000000)) $((at % 1000000)))"
    kill -KILL "$saver" 2>/dev/null || true
    wait "$saver" 2>/dev/null || true
    if cmp -s target.json old.json; then
        old=$((old + 1))
    elif cmp -s target.json new.json; then
        new=$((new + 1))
    elif cmp -s .target.json.kalvio-backup old.json; then
        backup=$((backup + 1))
    else
        lost=$((lost + 1))
    fi
done
echo "kills: $kills; file old: $old, file new: $new, file torn with the old one whole in its backup: $backup, lost: $lost"
[ "$lost" -eq 0 ]
