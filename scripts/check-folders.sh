#!/usr/bin/env bash
# Fails when the folders of src/ include each other in a cycle: a folder A
# whose files include a header of folder B while B, directly or through other
# folders, includes A. Reads the #include "folder/File.h" lines of src/; a
# file's folder is the first folder below src/ (src/platform/win32/x.cpp is in
# "platform"). Prints every cycle found, once, and exits 1; 0 when there is none.
# With --graph it prints the folder graph first: each folder, the folders it
# includes and how many include lines lead there.
# Usage: bash scripts/check-folders.sh [--graph]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

show_graph=0
case "${1:-}" in
    --graph) show_graph=1 ;;
    "") ;;
    *)
        echo "usage: bash scripts/check-folders.sh [--graph]" >&2
        exit 2
        ;;
esac

# One line an include: "<folder of the file> <folder of the header>".
edges=$(grep -rHE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"/]+/' src \
    --include='*.h' --include='*.hpp' --include='*.cpp' |
    sed -E 's|^src/([^/]+)/[^:]*:[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"/]+)/.*|\1 \2|' || true)

printf '%s\n' "$edges" | awk -v show_graph="$show_graph" '
NF == 2 && $1 != $2 {
    if (!(($1, $2) in count)) { out[$1] = out[$1] " " $2 }
    count[$1, $2]++
    folders[$1] = 1
    folders[$2] = 1
}
# The folders on the shortest way from `from` to `to`, as "from -> ... -> to";
# empty when there is none (breadth-first over the include edges).
function way(from, to,    queue, head, tail, seen, before, here, n, next_, i, path) {
    delete seen
    delete before
    head = 1; tail = 1; queue[1] = from; seen[from] = 1
    while (head <= tail) {
        here = queue[head++]
        if (here == to) break
        n = split(out[here], next_, " ")
        for (i = 1; i <= n; i++)
            if (!(next_[i] in seen)) {
                seen[next_[i]] = 1; before[next_[i]] = here; queue[++tail] = next_[i]
            }
    }
    if (!(to in seen)) return ""
    path = to
    for (here = to; here != from; here = before[here]) path = before[here] " -> " path
    return path
}
# A cycle written from its alphabetically first folder, so that each is printed once.
function canonical(cycle,    parts, n, i, first, text) {
    n = split(cycle, parts, " -> ") - 1   # the last repeats the first
    first = 1
    for (i = 2; i <= n; i++) if (parts[i] < parts[first]) first = i
    text = parts[first]
    for (i = 1; i <= n; i++) text = text " -> " parts[(first + i - 1) % n + 1]
    return text
}
END {
    nf = 0
    for (f in folders) names[++nf] = f
    # Sorted by name (insertion sort: a dozen folders).
    for (i = 2; i <= nf; i++) for (j = i; j > 1 && names[j] < names[j-1]; j--) {
        t = names[j]; names[j] = names[j-1]; names[j-1] = t
    }
    if (show_graph) {
        print "folder graph (folder -> folders it includes, include lines):"
        for (i = 1; i <= nf; i++) {
            a = names[i]; line = ""
            for (j = 1; j <= nf; j++) {
                b = names[j]
                if ((a, b) in count) line = line (line == "" ? "" : ", ") b " (" count[a, b] ")"
            }
            printf "  %-9s -> %s\n", a, (line == "" ? "(nothing)" : line)
        }
        print ""
    }
    cycles = 0
    for (i = 1; i <= nf; i++) for (j = 1; j <= nf; j++) {
        a = names[i]; b = names[j]
        if (!((a, b) in count)) continue
        back = way(b, a)
        if (back == "") continue
        c = canonical(a " -> " back)
        if (c in printed) continue
        printed[c] = 1
        cycles++
        print "folder cycle: " c
    }
    if (cycles > 0) {
        printf "%d folder cycle(s)\n", cycles
        exit 1
    }
    print "no folder cycle"
}'
