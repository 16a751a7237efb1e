#!/usr/bin/env bash
# Checks every #include under src/ against the layer table in the README's "Architecture" section: a file
# may include its own folder and the folders its row lists, nothing else of ours. The table is the rule, so
# the README cannot drift from the code.
#
#   layers.sh [ROOT]     exit 1 and name each include that runs against the table
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
readme="$root/README.md"

# Rows of the table: | `src/folder/` | what it holds | `src/a/`, `src/b/` |
mapfile -t rows < <(awk '/^## Architecture/{on=1; next} /^## /{on=0} on && /^\| `src\//' "$readme")
if [ ${#rows[@]} -eq 0 ]; then
    echo "no layer table under '## Architecture' in $readme" >&2
    exit 1
fi

declare -A allowed
folders=()
for row in "${rows[@]}"; do
    folder=$(cut -d'|' -f2 <<<"$row" | grep -o '`[^`]*`' | tr -d '`' | head -1)
    folder=${folder#src/}; folder=${folder%/}
    folders+=("$folder")
    allowed[$folder]=" $folder $(cut -d'|' -f4 <<<"$row" | { grep -o '`src/[^`]*`' || true; } | tr -d '`' | sed 's|^src/||; s|/$||' | tr '\n' ' ')"
done

# The row a path belongs to: the longest folder that contains it.
owner() {
    local path=$1 best="" f
    for f in "${folders[@]}"; do
        if [[ $path == "$f"/* && ${#f} -gt ${#best} ]]; then best=$f; fi
    done
    echo "$best"
}

bad=0
while IFS= read -r file; do
    rel=${file#"$root/src/"}
    mine=$(owner "$rel")
    if [ -z "$mine" ]; then
        echo "src/$rel: its folder has no row in the README's layer table"
        bad=1
        continue
    fi
    while IFS= read -r inc; do
        [ -f "$root/src/$inc" ] || continue # a Qt or system header spelled with quotes
        theirs=$(owner "$inc")
        if [[ ${allowed[$mine]} != *" $theirs "* ]]; then
            echo "src/$rel includes $inc: src/$mine/ may not include src/$theirs/"
            bad=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find "$root/src" -name '*.h' -o -name '*.cpp' -o -name '*.mm' | sort)

[ $bad = 0 ] && echo "every include under src/ follows the layer table (${#folders[@]} folders)"
exit $bad
