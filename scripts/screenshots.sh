#!/usr/bin/env bash
# Makes the pictures of the README and the user guides from the real program on a virtual
# X server, with the sample catalogue, in English and in French (the "-fr" twins):
#   mainwindow.png     the catalogue open, a variant shown in the details pane
#   editor.png         the editor on that variant, in edit mode
#   pricelist.png      the price and stock list
#   import.png         the preview of an import of prices and stock
#   conflicts.png      the conflicts of a merge with a file changed on disk
#   labels.png         the labels of the catalogue, before they are printed
#
#   scripts/screenshots.sh [--check] [PATH/TO/kalvio]
#
# Without a path, builds build/src/kalvio. Pictures go to docs/; with --check they go to a
# folder of their own and are compared with those in docs/, which stay as they are: the
# run fails when a window can no longer be found, or when a picture's size has changed or
# most of it looks otherwise, so that the committed pictures stay current.
set -euo pipefail

# shellcheck source=scripts/xsession.sh
source "$(dirname "$0")/xsession.sh"

check=false
if [ "${1:-}" = --check ]; then
    check=true
    shift
fi
if [ $# -eq 0 ]; then
    bash "$repository/scripts/setup.sh"
    [ -f "$repository/build/CMakeCache.txt" ] || cmake -S "$repository" -B "$repository/build"
    cmake --build "$repository/build" --target kalvio -j "$(nproc)"
    set -- "$repository/build/src/kalvio"
fi
command -v import >/dev/null || { echo "screenshots: ImageMagick is missing; run scripts/setup.sh" >&2; exit 1; }

fail() {
    echo "screenshots: $*" >&2
    echo "screenshots: the program said: $(cat "$work/kalvio.log" 2>/dev/null)" >&2
    exit 1
}

pictures=$repository/docs
$check && pictures=$(mktemp -d)
# The session's own cleanup, and the pictures of a check with it.
cleanup() {
    stop_kalvio
    if $check; then rm -rf "$pictures"; fi
}
trap cleanup EXIT

# The tree view's rows in main window coordinates: the tree starts 151 px below the
# 19 px menu bar, under a 19 px header, and its rows are 14 px high.
rowCentre() { echo $((19 + 151 + 19 + 14 * $1 + 7)); }

# Qt paints after the events that xdotool sent, and the details pane loads its photo
# off the event loop: give both a moment before grabbing window $1 as picture $2.
shoot() {
    sleep 1.5
    import -window "$1" -strip "$pictures/$2"
    echo "screenshots: $2"
}

# Window titles in English and French, as the program shows them.
declare -A title=(
    [en:chooser]="Open file"              [fr:chooser]="Ouvrir le fichier"
    [en:list]="Price and stock list"      [fr:list]="Liste des prix et des stocks"
    [en:importChooser]="Import prices and stock" [fr:importChooser]="Importer les prix et les stocks"
    [en:import]="Import of"               [fr:import]="Importation de"
    [en:changed]="File changed"           [fr:changed]="Fichier modifié"
    [en:conflicts]="Conflicting changes"  [fr:conflicts]="Modifications en conflit"
    [en:labels]="Print labels"            [fr:labels]="Imprimer des étiquettes"
    [en:labelsKey]=l                      [fr:labelsKey]=t
)

# A supplier's price file, as the preview shows it: changed prices and stocks, an
# identifier the catalogue lacks and a price that cannot be taken.
supplierFile() {
    printf '%s\n' 'Identifier;Price;Stock' '001.001.001;62,50;20' '001.001.002;64,90;15' \
        '002.001.001;579,00;' '009.009.009;10,00;1' '001.002.001;abc;4' >"$work/json/$1"
}

binary=$(realpath "$1")
for language in en fr; do
    suffix=${language/en/}
    suffix=${suffix:+-$suffix}
    start_kalvio "$binary" || fail "could not start"
    trap cleanup EXIT
    dialog=$(window "Language selection") || fail "no language dialog"
    if [ "$language" = fr ]; then
        to "$dialog" key Down Return
    else
        to "$dialog" key Return
    fi
    main=$(window "Kälviö") || fail "no main window"
    main=$(open_catalogue shop.json "${title[$language:chooser]}" "$main") || fail "could not open json/shop.json"

    # Rows: Chairs, Tables, Sofas > Pilvi sofa > 003.001.001, 003.001.002 (green), ...
    xdotool mousemove --window "$main" 40 "$(rowCentre 0)" click 1
    to "$main" key Down Down Right Down Right Down Down
    shoot "$main" "mainwindow$suffix.png"

    # The editor's Edit button, at 455, 350 in its frame at 260, 170.
    xdotool mousemove --window "$main" 100 "$(rowCentre 5)" click --repeat 2 --delay 100 1
    xdotool mousemove --window "$main" 760 534 click 1
    shoot "$main" "editor$suffix.png"

    supplier=supplier.csv
    [ "$language" = fr ] && supplier=fournisseur.csv
    supplierFile "$supplier"
    to "$main" key alt+c i
    chooser=$(window "${title[$language:importChooser]}") || fail "no import file chooser"
    to "$chooser" type --delay 20 "$supplier"
    xdotool key Return
    preview=$(window "${title[$language:import]} $supplier") || fail "no import preview"
    shoot "$preview" "import$suffix.png"
    to "$preview" key Escape

    to "$main" key alt+c "${title[$language:labelsKey]}"
    labels=$(window "${title[$language:labels]}") || fail "no labels dialog"
    shoot "$labels" "labels$suffix.png"
    to "$labels" key Escape

    to "$main" key ctrl+l
    list=$(window "shop - ${title[$language:list]} - Kälviö") || fail "no price list"
    shoot "$list" "pricelist$suffix.png"

    # The first variant's price is changed here and, differently, in the file on disk:
    # saving then merges, and the two prices conflict.
    to "$list" key Right Right Right Right
    to "$list" type --delay 20 "71"
    to "$list" key Return
    sed -i '0,/"price": 59.9/s//"price": 61.5/' "$work/json/shop.json"
    to "$main" key ctrl+s
    changed=$(window "${title[$language:changed]}") || fail "no question about the changed file"
    to "$changed" key Return
    conflicts=$(window "${title[$language:conflicts]}") || fail "no conflicts dialog"
    shoot "$conflicts" "conflicts$suffix.png"
    stop_kalvio
done

$check || exit 0
# A blinking cursor or a font's hinting changes a few pixels; a window laid out anew
# changes its size or most of it.
for picture in "$pictures"/*.png; do
    name=$(basename "$picture")
    committed=$repository/docs/$name
    [ -f "$committed" ] || { echo "screenshots: docs/$name is missing" >&2; exit 1; }
    size=$(identify -format '%wx%h' "$picture")
    [ "$size" = "$(identify -format '%wx%h' "$committed")" ] \
        || { echo "screenshots: docs/$name is not current: the window is now $size" >&2; exit 1; }
    # compare prints the count, in scientific notation when it is large.
    differing=$(compare -metric AE -fuzz 10% "$picture" "$committed" null: 2>&1 | awk '{ printf "%d", $1 }' || true)
    pixels=$(identify -format '%[fx:w*h]' "$picture")
    [ "$differing" -le $((pixels / 10)) ] \
        || { echo "screenshots: docs/$name is not current: $differing of $pixels pixels differ" >&2; exit 1; }
done
echo "screenshots: the pictures in docs/ are current"
