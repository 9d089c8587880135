#!/usr/bin/env bash
# Fails when a source file includes a header of a floor above its own. The floors, from the
# bottom:
#   core/base < core/numbers < core/chemistry < core/texts < core/system, core/sheets
#   < core/panel < core/curves < core/page < core/session < ui/qt < ui/windows < app
# core/system and core/sheets stand side by side and include neither each other. cli/ stands on
# the session and on the drawing adaptors of ui/qt, never on ui/windows. tests/, bench/ and
# fuzz/ may include anything.
# Usage: scripts/check-floors.sh [source tree]   (default: the tree this script belongs to)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# The rank of a folder; folders of equal rank are independent of each other.
rank_of() {
    case "$1" in
    core/base) echo 0 ;;
    core/numbers) echo 1 ;;
    core/chemistry) echo 2 ;;
    core/texts) echo 3 ;;
    core/system | core/sheets) echo 4 ;;
    core/panel) echo 5 ;;
    core/curves) echo 6 ;;
    core/page) echo 7 ;;
    core/session) echo 8 ;;
    ui/qt) echo 9 ;;
    ui/windows) echo 10 ;;
    app) echo 11 ;;
    cli) echo 10 ;; # beside ui/windows: it includes core/ and the adaptors, never the windows
    *) echo "" ;;
    esac
}

# The floor of a file: its folder's.
floor_of() {
    dirname "$1"
}

failures=0
while IFS= read -r file; do
    from=$(floor_of "$file")
    from_rank=$(rank_of "$from")
    [ -n "$from_rank" ] || continue
    while IFS= read -r included; do
        [ -e "$included" ] || continue
        to=$(floor_of "$included")
        [ "$to" = "$from" ] && continue
        to_rank=$(rank_of "$to")
        [ -n "$to_rank" ] || continue
        if [ "$to_rank" -ge "$from_rank" ]; then
            echo "$file includes $included: $to is not below $from"
            failures=$((failures + 1))
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done < <(find core ui app cli -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)

if [ "$failures" -gt 0 ]; then
    echo "$failures include(s) run upward"
    exit 1
fi
echo "every include runs downward"
