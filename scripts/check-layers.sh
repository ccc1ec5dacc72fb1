#!/usr/bin/env bash
# Holds every `#include "folder/…"` under src/ to the layer table: a folder may include itself
# and the folders its row names, nothing above. Prints each breach as file:line and fails.
# Usage: check-layers.sh [source root]   (default: the src/ beside this script)
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"

declare -A allowed=(
    [core]=""
    [platform]="core"
    [settings]="core text"
    [uistate]="core"
    [text]="core"
    [engine]="core uistate"
    [audio]="core platform"
    [history]="core text"
    [meetings]="core text settings"
    [delivery]="core platform settings uistate"
    [system]="core platform settings uistate"
    [calls]="core platform settings uistate audio engine text meetings"
    [ui]="core platform settings uistate text engine audio history meetings delivery system calls"
    [app]="core platform settings uistate text engine audio history meetings delivery system calls ui"
)

breaches=0
while IFS= read -r -d '' file; do
    folder="${file#"$src"/}"
    folder="${folder%%/*}"
    if [[ -z "${allowed[$folder]+set}" ]]; then
        echo "$file: folder '$folder' has no row in the layer table"
        breaches=$((breaches + 1))
        continue
    fi
    while IFS=: read -r line target; do
        [[ "$target" == "$folder" ]] && continue
        if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
            echo "$file:$line: $folder may not include $target"
            breaches=$((breaches + 1))
        fi
    done < <(awk -v q='"' '$0 ~ "^[[:space:]]*#[[:space:]]*include[[:space:]]*" q "[^/" q "]+/" {
                 sub("^[^" q "]*" q, ""); sub("/.*", ""); print FNR ":" $0 }' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((breaches > 0)); then
    echo "$breaches include(s) break the layer table"
    exit 1
fi
echo "layers: every include follows the table"
