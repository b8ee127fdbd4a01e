#!/usr/bin/env bash
# lumo-unit probe against lumo-unit sim --ignore-dtr on a pty: a unit that
# sends its ready byte from the moment the port opens, through the driver's
# reset pause. The probe must keep one session and decode a living stream.
# Then lumo-unit state on the simulated unit in process and on a pty: the
# simulated examinee's pulse (72 per minute at rest) within 3 per minute.
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

NUMBER='-?[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?'
# check_state FILE WHERE: one summary object, the pulse near the examinee's.
check_state() {
  grep -Eq "^\{\"spectra\":[0-9]+,\"mean_frequency_hz\":$NUMBER,\"pulse_rpm\":$NUMBER,\"main_tone_probability\":$NUMBER,\"period_span_s\":$NUMBER,\"frequency_variance\":$NUMBER,\"blood_volume_amplitude\":$NUMBER,\"gsc_trend\":$NUMBER,\"histogram\":\[([0-9]+,){11}[0-9]+\],\"indices\":\{\"frequency\":$NUMBER,\"main_tone\":$NUMBER,\"stability\":$NUMBER,\"blood_volume\":$NUMBER,\"summary\":$NUMBER\},\"verdict\":\"(relax|balance|stress)\"\}$" "$1" ||
    fail "$2: not the summary object: $(cat "$1")"
  [ "$(wc -l <"$1")" -eq 1 ] || fail "$2: more than one line"
  rpm=$(sed -n 's/.*"pulse_rpm":\([^,]*\),.*/\1/p' "$1")
  awk -v r="${rpm:-0}" 'BEGIN { exit !(r >= 69 && r <= 75) }' || fail "$2: pulse ${rpm:-none} per minute, not 72 +- 3"
  spectra=$(sed -n 's/^{"spectra":\([0-9]*\),.*/\1/p' "$1")
  [ "${spectra:-0}" -ge 40 ] || fail "$2: only ${spectra:-0} spectra in 30 s"
}

"$UNIT" state --device SIM --seconds 30 --json >"$WORK/state_sim.json" 2>"$WORK/state_sim.err" ||
  fail "state on SIM exited $?: $(cat "$WORK/state_sim.err")"
check_state "$WORK/state_sim.json" SIM

mkfifo "$WORK/sim2.out"
"$UNIT" sim --seconds 90 >"$WORK/sim2.out" 2>"$WORK/sim2.err" &
BACKGROUND=$!
exec 4<"$WORK/sim2.out"
PTY=""
read -r -t 10 line <&4 && PTY="${line#PTY }"
if [ -n "$PTY" ]; then
  "$UNIT" state --device "$PTY" --seconds 30 --json >"$WORK/state_pty.json" 2>"$WORK/state_pty.err" ||
    fail "state on the pty exited $?: $(cat "$WORK/state_pty.err")"
  check_state "$WORK/state_pty.json" pty
else
  fail "the second simulator named no pty"
fi
kill -TERM "$BACKGROUND"
wait "$BACKGROUND"
BACKGROUND=""
exec 4<&-

# The readable account: the report's six lines and the verdict.
"$UNIT" state --device SIM --seconds 20 >"$WORK/state.txt" 2>&1 || fail "readable state exited $?"
grep -q '^Pulse Mean Frequency = [0-9.]* rpm$' "$WORK/state.txt" || fail "no report line: $(cat "$WORK/state.txt")"
grep -q '^Main tone prob = [0-9]* %$' "$WORK/state.txt" || fail "no index line: $(cat "$WORK/state.txt")"

# Too short for a report, a port that cannot be opened: a clear line and a failing exit.
"$UNIT" state --device SIM --seconds 2 >"$WORK/short.txt" 2>&1
rc=$?
[ "$rc" -eq 2 ] || fail "a short measurement exited $rc"
grep -q 'too short for a report' "$WORK/short.txt" || fail "a short measurement said: $(cat "$WORK/short.txt")"
"$UNIT" state --device "$WORK/no-such-port" --seconds 5 >"$WORK/noport.txt" 2>&1
rc=$?
[ "$rc" -eq 3 ] || fail "a missing port exited $rc"
grep -q '^lumo-unit: Maybe port number setting is wrong:' "$WORK/noport.txt" ||
  fail "a missing port said: $(cat "$WORK/noport.txt")"

finish "unit tool"
