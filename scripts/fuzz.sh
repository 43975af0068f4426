#!/usr/bin/env bash
# Builds the catalogue-file fuzzer with clang and runs it for the given number of
# seconds (default 60) on a scratch copy of fuzz/corpus, so that the inputs it
# discovers never end up in the repository. Exits non-zero when it finds a crash; the
# crashing input is kept in build-fuzz/artifacts/.
set -euo pipefail

seconds="${1:-60}"
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [seconds]" >&2; exit 2; }

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build-fuzz"

fail() { echo "fuzz: FAILED, $*"; exit 1; }

"$repo/scripts/setup.sh" || fail "could not install the build packages"
CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKALVIO_FUZZ=ON -DKALVIO_BUILD_TESTS=OFF -DKALVIO_BUILD_BENCHMARKS=OFF \
    || fail "configuring $build did not work"
cmake --build "$build" --target fuzz_catalogfile --parallel "$(nproc)" \
    || fail "building the fuzzer did not work"

# The corpus copy and the fuzzer's own files go to a tmpfs when there is one: every
# execution writes and renames files.
scratch="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cp -r "$repo/fuzz/corpus" "$scratch/corpus"
artifacts="$build/artifacts"
mkdir -p "$artifacts"
log="$build/fuzz.log"

echo "fuzz: running fuzz_catalogfile for $seconds s, log in $log"
status=0
TMPDIR="$scratch" UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/fuzz_catalogfile" "$scratch/corpus" -dict="$repo/fuzz/catalogue.dict" \
    -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/" >"$log" 2>&1 || status=$?

executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
if [ "$status" -ne 0 ]; then
    # Everything but libFuzzer's progress lines: the report and the failed check.
    grep -v '^#[0-9]' "$log"
    fail "crash after ${executions:-an unknown number of} executions (exit $status), input in $artifacts/"
fi
echo "fuzz: OK, $executions executions in $seconds s, no crash"
