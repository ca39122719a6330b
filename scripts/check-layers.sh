#!/usr/bin/env bash
# Fails when a file in src/ includes a folder above its own: includes point down only.
# Tests, benchmarks and fuzz targets may include anything.
set -euo pipefail
cd "$(dirname "$0")/../src"

# Lowest first; a folder may include its own files and those of the folders before it.
ORDER=(platform sponsor core engine tabs watch address desktop script setup commands shell app)

rank() {
    local i
    for i in "${!ORDER[@]}"; do
        [[ ${ORDER[$i]} == "$1" ]] && { echo "$i"; return; }
    done
    echo -1
}

status=0
for dir in */; do
    dir=${dir%/}
    own=$(rank "$dir")
    if ((own < 0)); then
        echo "check-layers: src/$dir is not in the folder order" >&2
        status=1
        continue
    fi
    while IFS=: read -r file line target; do
        [[ -z $file ]] && continue
        used=$(rank "$target")
        if ((used < 0 || used > own)); then
            echo "check-layers: $file:$line includes $target/, above $dir/" >&2
            status=1
        fi
    done < <(grep -rnoE '^\s*#\s*include\s+"[a-z_]+/' "$dir" |
             sed -E 's/#\s*include\s+"([a-z_]+)\/$/\1/; s/:\s*/:/2')
done
((status == 0)) && echo "check-layers: every include points down"
exit "$status"
