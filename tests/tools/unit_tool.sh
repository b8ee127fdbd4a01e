#!/usr/bin/env bash
# lumo-unit probe against lumo-unit sim --ignore-dtr on a pty: a unit that
# sends its ready byte from the moment the port opens, through the driver's
# reset pause. The probe must keep one session and decode a living stream.
# Usage: unit_tool.sh PATH/TO/lumo-unit
set -u
UNIT="$1"
. "$(dirname "$0")/checks.sh"

mkfifo "$WORK/sim.out"
"$UNIT" sim --ignore-dtr --seconds 60 >"$WORK/sim.out" 2>"$WORK/sim.err" &
BACKGROUND=$!  # the simulator
exec 3<"$WORK/sim.out"
PTY=""
read -r -t 10 line <&3 && PTY="${line#PTY }"
[ -n "$PTY" ] || { echo "FAILED: the simulator named no pty"; exit 1; }

"$UNIT" probe --device "$PTY" --seconds 5 >"$WORK/probe.txt" 2>&1 || fail "probe exited $?: $(cat "$WORK/probe.txt")"
kill -TERM "$BACKGROUND"
wait "$BACKGROUND"
BACKGROUND=""
exec 3<&-

[ "$(grep -c '^Streaming started' "$WORK/probe.txt")" -eq 1 ] || fail "the stream did not start exactly once"
grep -q 'rejected packets: 0, link errors: 0,' "$WORK/probe.txt" || fail "packets were rejected or the link failed"
periods=$(sed -n 's/^  packet periods: \([0-9]*\).*/\1/p' "$WORK/probe.txt")
[ "${periods:-0}" -ge 20 ] || fail "only ${periods:-0} packet periods in 5 s"
# The pulse moves: a frozen reading means the samples no longer follow the packets.
range=$(sed -n 's/^  channel 0: .*converter \([0-9]*\) \.\.\. \([0-9]*\)$/\1 \2/p' "$WORK/probe.txt")
read -r low high <<<"$range"
[ -n "${high:-}" ] && [ "$high" -gt "$low" ] || fail "channel 0 is frozen: ${range:-no reading}"
# The zero blocks the driver starts with are not readings of the unit.
grep -q 'converter 0 \.\.\.' "$WORK/probe.txt" && fail "the summary counts the driver's initial zero blocks"
grep -q ', 1 handshakes$' "$WORK/sim.err" || fail "the unit did not shake hands exactly once: $(cat "$WORK/sim.err")"

[ "$failed" -eq 0 ] || cat "$WORK/probe.txt"
finish "unit tool"
