#!/usr/bin/env bash
# Measures how many deliberate faults the test suite catches. Each mutation of the list
# is applied alone to a scratch copy of the repository, which is rebuilt incrementally
# and tested with ctest; the original file is put back before the next one.
#
#   scripts/mutate.sh [LIST] [REPO]      (defaults: scripts/mutations.txt, this repository)
#   MUTATE_ONLY=regex scripts/mutate.sh  keeps the mutations whose file or label matches
#
# LIST holds one mutation a line, fields separated by TABs: a file under src/ (relative
# to REPO), the exact text to find (its first occurrence is replaced), the replacement,
# and an optional label. Lines starting with # and blank lines are ignored.
# Each mutant is "caught" (a test failed or timed out), "missed" (every test passed),
# "no build" (did not compile; not scored) or "stale" (text not found; not scored).
# Exits 0 however many are missed; non-zero on a setup error or a stale line.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
list=$(realpath "${1:-$here/mutations.txt}")
repo=$(realpath "${2:-$here/..}")
only=${MUTATE_ONLY:-}
die() { echo "mutate: $*" >&2; exit 2; }
[ -f "$list" ] || die "no mutation list $list"
[ -f "$repo/CMakeLists.txt" ] || die "$repo is not the repository"

# Read the list up front so that a malformed line stops us before the long build.
files=() finds=() repls=() labels=()
lineno=0
while IFS= read -r line || [ -n "$line" ]; do
    lineno=$((lineno + 1))
    [[ -z ${line//[[:space:]]/} || $line == '#'* ]] && continue
    # A TAB after the line keeps an empty last field (a deleted statement) as a field.
    readarray -td $'\t' f < <(printf '%s\t' "$line")
    (( ${#f[@]} == 3 || ${#f[@]} == 4 )) || die "$list:$lineno: expected file, text, replacement[, label]"
    [ -f "$repo/${f[0]}" ] || die "$list:$lineno: no file ${f[0]}"
    [ -n "${f[1]}" ] || die "$list:$lineno: empty search text"
    label=${f[3]:-line $lineno}
    [[ -z $only || ${f[0]} =~ $only || $label =~ $only ]] || continue
    files+=("${f[0]}") finds+=("${f[1]}") repls+=("${f[2]}") labels+=("$label")
done <"$list"
(( ${#files[@]} > 0 )) || die "no mutation selected"

scratch=$(mktemp -d /tmp/kalvio-mutate.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
for item in CMakeLists.txt README.md src data docs tests i18n json Images bench fuzz tools scripts; do
    [ -e "$repo/$item" ] && cp -r "$repo/$item" "$scratch/"
done
build=$scratch/build

compile() { nice -n 10 cmake --build "$build" -j"$(nproc)" >"$scratch/build.log" 2>&1; }
# --stop-on-failure: one failing test is enough to call a mutant caught.
run_tests() {
    nice -n 10 ctest --test-dir "$build" --timeout 60 --stop-on-failure --output-on-failure \
        >"$scratch/test.log" 2>&1
}

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
echo "mutate: building $repo in $scratch"
cmake -S "$scratch" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKALVIO_BUILD_TESTS=ON -DKALVIO_BUILD_BENCHMARKS=OFF -DKALVIO_FUZZ=OFF \
    -DKALVIO_BUILD_TOOLS=OFF >"$scratch/configure.log" 2>&1 \
    || { cat "$scratch/configure.log"; die "configuring failed"; }
compile || { tail -40 "$scratch/build.log"; die "the unmutated source does not build"; }
run_tests || { tail -60 "$scratch/test.log"; die "the tests fail without any mutation"; }
echo "mutate: the unmutated suite passes; ${#files[@]} mutations"

caught=0 missed=0 nobuild=0 stale=0 missedList=()
for i in "${!files[@]}"; do
    file=${files[i]} find=${finds[i]} repl=${repls[i]}
    target=$scratch/$file
    cp "$target" "$scratch/original"
    text=$(<"$target")
    if [[ $text != *"$find"* ]]; then
        result=stale; stale=$((stale + 1))
    else
        printf '%s\n' "${text/"$find"/"$repl"}" >"$target"
        if ! compile; then
            result="no build"; nobuild=$((nobuild + 1))
        elif run_tests; then
            result=missed; missed=$((missed + 1)); missedList+=("$file  ${labels[i]}")
        else
            result=caught; caught=$((caught + 1))
        fi
        # A fresh timestamp makes the next build recompile the restored file.
        cp "$scratch/original" "$target"
    fi
    printf '%-8s  %-26s  %s\n' "$result" "$file" "${labels[i]}"
done

scored=$((caught + missed))
echo "mutation score: $caught caught of $scored ($(( scored ? 100 * caught / scored : 0 ))%)"
(( missed == 0 )) || { echo "missed:"; printf '  %s\n' "${missedList[@]}"; }
(( nobuild == 0 )) || echo "not scored: $nobuild that did not build"
(( stale == 0 )) || { echo "mutate: $stale stale mutations: the list does not match $repo" >&2; exit 1; }
