#!/usr/bin/env bash
# Builds Kälviö and runs every test: a bounded fuzzing run of the catalogue loader,
# the suite under AddressSanitizer and UndefinedBehaviorSanitizer, then the suite
# itself, including the end-to-end runs on a real X server, and last the Debian package
# where dpkg-deb is there to make it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/fuzz.sh "${KALVIO_FUZZ_SECONDS:-60}"
scripts/sanitize.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
cd build
ctest --output-on-failure
../scripts/testtimes.sh .
# Saving files of other users, and as another user, needs root: where this machine lets
# the user become root without a password, those cases run so as well.
if [ "$(id -u)" -ne 0 ] && sudo -n true 2>/dev/null; then
    sudo -n env QT_QPA_PLATFORM=offscreen tests/tst_catalogue saveOutcomes
fi
cd ..
if command -v dpkg-deb >/dev/null; then
    scripts/deb.sh
fi
