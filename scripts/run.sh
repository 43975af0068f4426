#!/usr/bin/env bash
# Builds Kälviö and starts it from build/src, two levels below the repository root,
# where it finds ../../Images and ../../json.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target kalvio
cd build/src
exec ./kalvio "$@"
