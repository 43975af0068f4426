#!/usr/bin/env bash
# Builds the fuzzers with clang and runs them for the given number of seconds (default
# 60) between them: the catalogue file's on a scratch copy of fuzz/corpus for half, the
# CSV import's on one of fuzz/csvcorpus for the other half, so that the inputs they
# discover never end up in the repository. Exits non-zero when one finds a crash; the
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
cmake --build "$build" --target fuzz_catalogfile fuzz_csvimport --parallel "$(nproc)" \
    || fail "building the fuzzers did not work"

# The corpus copy and the fuzzer's own files go to a tmpfs when there is one: every
# execution writes and renames files.
scratch="$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
artifacts="$build/artifacts"
mkdir -p "$artifacts"

# Runs fuzzer $1 on a copy of corpus $2 for $3 seconds, with libFuzzer's other options after.
run() {
    local target="$1" corpus="$2" time="$3"
    shift 3
    local log="$build/$target.log" status=0
    cp -r "$repo/fuzz/$corpus" "$scratch/$corpus"
    echo "fuzz: running $target for $time s, log in $log"
    TMPDIR="$scratch" UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/fuzz/$target" "$scratch/$corpus" "$@" \
        -max_total_time="$time" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" >"$log" 2>&1 || status=$?
    local executions
    executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    if [ "$status" -ne 0 ]; then
        # Everything but libFuzzer's progress lines: the report and the failed check.
        grep -v '^#[0-9]' "$log"
        fail "$target crashed after ${executions:-an unknown number of} executions (exit $status), input in $artifacts/"
    fi
    echo "fuzz: OK, $target, $executions executions in $time s, no crash"
}

half=$(( (seconds + 1) / 2 ))
run fuzz_catalogfile corpus "$half" -dict="$repo/fuzz/catalogue.dict"
run fuzz_csvimport csvcorpus "$half"
