#!/usr/bin/env bash
# Fails on an #include against the direction of the house:
#   core <- formats <- device <- recording, scoring <- authoring, admin, review <- demo <- app
# Folders on one level do not know each other. A window (src/<sub>/ui/) may use
# the engine it sits on, windows of lower levels and platform/; platform/ may
# use the engine but no window; engine code never includes a window.
# Usage: include_direction.sh SRC_DIR
set -uo pipefail
src=${1:?usage: include_direction.sh SRC_DIR}

declare -A level=([core]=0 [formats]=1 [device]=2 [recording]=3 [scoring]=3
                  [authoring]=4 [admin]=4 [review]=4 [demo]=5 [app]=6)

# The verdict on one include: empty when allowed, else the reason.
verdict() {
    local from=$1 fromUi=$2 target=$3
    local to=${target%%/*} rest=${target#*/}
    local toUi=0
    [[ $rest == ui/* ]] && toUi=1
    if [[ $from == platform ]]; then
        [[ $to == platform ]] && return
        [[ -z ${level[$to]+x} ]] && { echo "unknown folder"; return; }
        ((toUi)) && echo "platform includes a window" && return
        [[ $to == app ]] && echo "platform includes the program" && return
        return
    fi
    if [[ $to == platform ]]; then
        ((fromUi)) || [[ $from == app ]] || echo "engine code includes platform"
        return
    fi
    [[ -z ${level[$to]+x} ]] && { echo "unknown folder"; return; }
    if ((toUi)) && ! ((fromUi)) && [[ $from != app ]]; then
        echo "engine code includes a window"
        return
    fi
    [[ $to == "$from" ]] && return
    if ((level[$to] == level[$from])); then
        echo "$from and $to do not know each other"
    elif ((level[$to] > level[$from])); then
        echo "$from is below $to"
    fi
}

failures=0
while IFS= read -r -d '' file; do
    relative=${file#"$src"/}
    from=${relative%%/*}
    fromUi=0
    [[ ${relative#*/} == ui/* ]] && fromUi=1
    [[ $from == platform || -n ${level[$from]+x} ]] || continue
    while IFS=: read -r line target; do
        reason=$(verdict "$from" "$fromUi" "$target")
        if [[ -n $reason ]]; then
            echo "src/$relative:$line: #include \"$target\": $reason"
            failures=$((failures + 1))
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" |
             sed -E 's/^([0-9]+):[^"]*"([^"]+)".*/\1:\2/')
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((failures > 0)); then
    echo "$failures include(s) against the direction of the house"
    exit 1
fi
echo "includes follow the direction of the house"
