#!/usr/bin/env bash
# Builds the Debian package kalvio_VERSION_ARCH.deb in build-deb/ with CPack, and checks
# that it holds the program, its desktop files, manual page, copyright file and the sample,
# depends on the Qt and libxlsxwriter runtime packages that dpkg-shlibdeps found for the
# libraries it links, and, where lintian is installed, that lintian reports no error nor
# warning.
#
#   scripts/deb.sh          then, as root: apt install ./build-deb/kalvio_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-deb

fail() { echo "deb: FAILED, $*"; exit 1; }

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKALVIO_BUILD_TESTS=OFF -DKALVIO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target kalvio
rm -f "$build"/kalvio_*.deb
(cd "$build" && cpack -G DEB >cpack.log) || fail "cpack: $(cat "$build/cpack.log")"
deb=$(ls "$build"/kalvio_*.deb)
depends=$(dpkg-deb --field "$deb" Depends)
# The libraries of the exports: Qt's Print Support for the price list, libxlsxwriter for .xlsx,
# zint for the labels' barcodes.
for runtime in libqt6widgets6 libqt6printsupport6 libxlsxwriter libzint; do
    [[ $depends == *$runtime* ]] || fail "$deb depends on \"$depends\", not on $runtime"
done
contents=$(dpkg-deb --contents "$deb")
for file in usr/bin/kalvio usr/share/applications/fi.kalvio.Kalvio.desktop \
    usr/share/metainfo/fi.kalvio.Kalvio.metainfo.xml usr/share/kalvio/json/shop.json \
    usr/share/doc/kalvio/copyright usr/share/man/man1/kalvio.1.gz; do
    grep -q "\./$file\$" <<<"$contents" || fail "$deb lacks $file"
done
[[ $(dpkg-deb --field "$deb" Recommends) == *qt6-translations-l10n* ]] || fail "$deb does not recommend qt6-translations-l10n"
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$build/lintian.log" 2>&1 || fail "lintian: $(cat "$build/lintian.log")"
    echo "deb: lintian reports no error nor warning ($(grep -c '^[IP]:' "$build/lintian.log" || true) notes, in $build/lintian.log)"
fi
echo "deb: OK, $deb, depends on $depends"
