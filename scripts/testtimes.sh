#!/usr/bin/env bash
# Prints how long each QtTest function of the last run in BUILD_DIR took, slowest first,
# with its slowest data row, against which QTEST_FUNCTION_TIMEOUT is set (tests/CMakeLists.txt).
#
#   scripts/testtimes.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: scripts/testtimes.sh BUILD_DIR}
shopt -s nullglob
reports=("$build"/tests/*.junit.xml)
[ ${#reports[@]} -gt 0 ] || exit 0
echo "QtTest functions, slowest first (total, slowest row):"
# Qt writes each row as <testcase name="function(row)" classname="Suite" time="seconds"/>.
awk -F'"' '/<testcase / {
        function_name = $2; sub(/\(.*/, "", function_name); key = $4 "::" function_name
        total[key] += $6
        if ($6 >= slowest[key]) { slowest[key] = $6; row[key] = $2 }
    }
    END { for (key in total) printf "%9.2f s  %-60s %8.2f s  %s\n", total[key], key, slowest[key], row[key] }' \
    "${reports[@]}" | sort -rn
