#!/usr/bin/env bash
# Renders every screen and export card for the records in this folder, in every theme and appearance, and
# compares two such sets pixel for pixel. A change meant to leave the look alone must compare equal.
#
#   renders.sh render BREPORT OUTDIR     draw all pictures with the brolga-report binary BREPORT
#   renders.sh compare BEFORE AFTER      exit 1 and name each picture that differs
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

render() {
    local bin=$1 out=$2 record tab theme look name
    mkdir -p "$out"
    # brolga-report writes over no file: the pictures of an earlier run go first.
    rm -f "$out"/*-card-*.png "$out"/*-screen-*.png
    export QT_QPA_PLATFORM=offscreen HOME="$out/.home" XDG_CONFIG_HOME="$out/.home/config"
    for record in "$here"/*.json; do
        name=$(basename "$record" .json)
        for tab in repayment capacity income upfront; do
            for theme in brolga classic slate; do
                "$bin" --state "$record" --card "$tab" --theme "$theme" --out "$out/$name-card-$tab-$theme.png"
                for look in light dark; do
                    "$bin" --state "$record" --screen "$tab" --theme "$theme" $([ $look = dark ] && echo --dark) \
                        --out "$out/$name-screen-$tab-$theme-$look.png"
                done
            done
        done
    done
    rm -rf "$out/.home"
    echo "$(ls "$out"/*.png | wc -l) pictures in $out"
}

compare() {
    local before=$1 after=$2 differ=0 a b n
    for a in "$before"/*.png; do
        b="$after/$(basename "$a")"
        if [ ! -f "$b" ]; then echo "missing: $(basename "$a")"; differ=1; continue; fi
        cmp -s "$a" "$b" && continue
        # Same pixels can still be encoded differently; count the pixels that really differ.
        n=$(command compare -metric AE "$a" "$b" null: 2>&1 || true)
        [ "$n" = 0 ] && continue
        echo "differs: $(basename "$a") ($n pixels)"
        differ=1
    done
    [ $differ = 0 ] && echo "$(ls "$before"/*.png | wc -l) pictures identical"
    return $differ
}

case "${1:-}" in
    render) render "$2" "$3" ;;
    compare) compare "$2" "$3" ;;
    *) echo "usage: $0 render BREPORT OUTDIR | compare BEFORE AFTER" >&2; exit 2 ;;
esac
