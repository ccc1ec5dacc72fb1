#!/usr/bin/env bash
# Holds every `#include "folder/…"` under src/ to the layer table: a folder may include itself
# and the folders its row names, nothing above. Prints each breach as file:line and fails.
# `ui` is checked a level deeper: each of its folders is a row of its own, so the small widgets
# stay below the pages, and the window frame is the only part that knows every page.
# Usage: check-layers.sh [source root]   (default: the src/ beside this script)
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"

below_ui="core platform settings uistate text engine audio history meetings delivery system calls"
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
    [ui/widgets]="$below_ui"
    [ui/pages]="$below_ui ui/widgets"
    [ui/calls]="$below_ui ui/widgets"
    [ui/floating]="$below_ui ui/widgets ui/calls"
    [ui/window]="$below_ui ui/widgets ui/pages ui/calls"
    [app]="$below_ui ui/widgets ui/pages ui/calls ui/floating ui/window"
)

# The row a path under src/ belongs to: its first folder, or its first two inside ui/.
layer() {
    local first="${1%%/*}" rest="${1#*/}"
    if [[ "$first" == ui && "$rest" == */* ]]; then
        echo "ui/${rest%%/*}"
    else
        echo "$first"
    fi
}

breaches=0
while IFS= read -r -d '' file; do
    folder=$(layer "${file#"$src"/}")
    if [[ -z "${allowed[$folder]+set}" ]]; then
        echo "$file: folder '$folder' has no row in the layer table"
        breaches=$((breaches + 1))
        continue
    fi
    while IFS=: read -r line path; do
        target=$(layer "$path")
        [[ "$target" == "$folder" ]] && continue
        if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
            echo "$file:$line: $folder may not include $target"
            breaches=$((breaches + 1))
        fi
    done < <(awk -v q='"' '$0 ~ "^[[:space:]]*#[[:space:]]*include[[:space:]]*" q "[^/" q "]+/" {
                 sub("^[^" q "]*" q, ""); sub(q ".*", ""); print FNR ":" $0 }' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((breaches > 0)); then
    echo "$breaches include(s) break the layer table"
    exit 1
fi
echo "layers: every include follows the table"
