#!/usr/bin/env bash
# The folders are layers: a source file includes only from its own folder or
# from folders below it, and core code never includes a window (a ui/ header).
# A folder's ui/ may include its own folder, anything below it, and the ui/
# folders below it.  Prints every include that runs up and exits 1 if any
# does.  Tests and the build's tools (tests/, resources/) stand outside.
#   tools/check_layers.sh [source root]
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2

# Top to bottom.
layers="app labcontent labs designer console networkfiles interpreter commands/show commands/config reachability state platform"

present=""
for layer in $layers; do [ -d "$layer" ] && present="$present $layer"; done
# shellcheck disable=SC2086
find $present -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.in' \) 2>/dev/null | sort |
    xargs grep -H -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' |
    awk -v layers="$layers" '
        BEGIN { n = split(layers, order, " ") }
        function rank(path,    i) {
            for (i = 1; i <= n; i++)
                if (index(path, order[i] "/") == 1) return i
            return 0
        }
        {
            file = substr($0, 1, index($0, ":") - 1)
            target = $0
            sub(/^[^"]*"/, "", target)
            sub(/".*$/, "", target)
            from = rank(file); to = rank(target)
            if (!from || !to) next
            if (to < from) why = order[to] " lies above " order[from]
            else if (target ~ /\/ui\// && file !~ /\/ui\//) why = "core code includes a window"
            else next
            printf "%s: #include \"%s\": %s\n", file, target, why
            bad = 1
        }
        END { exit bad ? 1 : 0 }'
