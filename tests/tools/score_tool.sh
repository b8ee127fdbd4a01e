#!/usr/bin/env bash
# lumo-score on a seeded sample home: the demo examinee's recorded exam
# scores with a conclusion, in the table and as JSON; a missing exam and a
# damaged chart fail with their exit codes.
# Usage: score_tool.sh PATH/TO/lumo PATH/TO/lumo-score
set -u
LUMO="$1"
SCORE="$2"
. "$(dirname "$0")/checks.sh"

seed_sample_home "$LUMO"

"$SCORE" --home "$WORK/home" 2 1 >"$WORK/table.txt" 2>&1 || fail "scoring the sample exam: $(cat "$WORK/table.txt")"
grep -q "ERGO" "$WORK/table.txt" || fail "the summary has no conclusion"

"$SCORE" --home "$WORK/home" '#0000002' 01 --json >"$WORK/exam.json" 2>&1 || fail "JSON scoring"
for expected in '"examinee":"#0000002"' '"exam":"01"' '"method":1' '"chart_count":3' '"conclusion":{"relevant":'; do
  grep -qF "$expected" "$WORK/exam.json" || fail "the JSON object lacks $expected"
done

"$SCORE" --home "$WORK/home" 2 7 >/dev/null 2>&1
[ $? -eq 2 ] || fail "a missing exam did not exit 2"

head -c 40 "$WORK/home/DAT/#0000002/exam_01.ch2" >"$WORK/short" && mv "$WORK/short" "$WORK/home/DAT/#0000002/exam_01.ch2"
"$SCORE" --home "$WORK/home" 2 1 >/dev/null 2>"$WORK/damaged.txt"
status=$?
[ "$status" -eq 2 ] || fail "a damaged chart exited $status, not 2"
[ -s "$WORK/damaged.txt" ] || fail "a damaged chart gave no message"

finish "score tool"
