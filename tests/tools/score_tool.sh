#!/usr/bin/env bash
# lumo-score on a seeded sample home: the demo examinee's recorded exam
# scores with a conclusion, in the table and as JSON; its hand scores decide
# it under both tables; a missing exam, a duplicated question and a damaged
# chart fail with their exit codes.
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

# Hand scores: set_hand TABLE QUESTION E1 E2 E3 E4 writes the four hand
# scores of the row presenting QUESTION; renumber TABLE ROW QUESTION.
table_edit() {
  python3 - "$@" <<'PY'
import sys
path, action, args = sys.argv[1], sys.argv[2], sys.argv[3:]
lines = open(path, 'rb').read().decode('cp1251').split('\r\n')
rows = int(lines[11])
def real(v):
    mantissa, exponent = f"{abs(v):.14E}".split('E')
    e = int(exponent)
    return ('-' if v < 0 else ' ') + mantissa + 'E' + ('-' if e < 0 else '+') + f"{abs(e):04d}"
if action == 'renumber':
    lines[15 + 3 * (int(args[0]) - 1)] = args[1]
else:
    row = next(i for i in range(1, rows + 1) if int(lines[15 + 3 * (i - 1)]) == int(args[0]))
    for e, value in enumerate(args[1:]):
        lines[15 + 63 * rows + ((row - 1) * 10 + e) * 3 + 1] = real(float(value))
open(path, 'wb').write('\r\n'.join(lines).encode('cp1251'))
PY
}
EXAM="$WORK/home/DAT/#0000002/exam_01"
table_edit "$EXAM.qt1" hand 5 1 0 1 2.5 || fail "editing a results table"
table_edit "$EXAM.qt1" hand 7 0 0 0 3.5 || fail "editing a results table"
cp "$EXAM.qt1" "$WORK/qt1.saved"

"$SCORE" --home "$WORK/home" 2 1 --hand >"$WORK/hand.txt" 2>&1 || fail "hand scoring: $(cat "$WORK/hand.txt")"
for expected in "Backster" "Rel. quest. score" "+81" "SUM :" "Inconclusion"; do
  grep -qF -- "$expected" "$WORK/hand.txt" || fail "the hand-score tables lack $expected"
done
"$SCORE" --home "$WORK/home" 2 1 --hand --json >"$WORK/hand.json" 2>&1 || fail "hand scoring as JSON"
for expected in '{"examinee":"#0000002","exam":"01","table":"backster","charts":[1,2,3]' \
    '"relevant":{"ndi":9,"di":-18}' '{"number":5,"sign":" R1","type":1,"scores":[1,0,1,2],"total":2,"decision":null}' \
    '"sum":6,"decision":"Inconclusion"}'; do
  grep -qF -- "$expected" "$WORK/hand.json" || fail "the hand-score JSON lacks $expected: $(cat "$WORK/hand.json")"
done
[ "$(wc -l <"$WORK/hand.json")" -eq 1 ] || fail "the hand-score JSON is more than one line"
# Two charts: V = 6 is inconclusive under Backster (NDI > 6) but no deception under Matte (NDI > 5).
"$SCORE" --home "$WORK/home" 2 1 --hand --charts 1,2 --json | grep -qF '"sum":6,"decision":"Inconclusion"' ||
  fail "Backster over charts 1 and 2"
"$SCORE" --home "$WORK/home" 2 1 --hand --charts 1,2 --table matte --json >"$WORK/matte.json"
for expected in '"table":"matte","charts":[1,2]' '"relevant":{"ndi":5,"di":-9}' '"decision":"No Deception"}'; do
  grep -qF -- "$expected" "$WORK/matte.json" || fail "the Matte JSON lacks $expected: $(cat "$WORK/matte.json")"
done
"$SCORE" --home "$WORK/home" 2 1 --hand --table matte | grep -q "Matte" || fail "the Matte tables"
cmp -s "$EXAM.qt1" "$WORK/qt1.saved" || fail "hand scoring changed a results table"

for arguments in "--hand --table both" "--table matte" "--hand --prior 0.3"; do
  "$SCORE" --home "$WORK/home" 2 1 $arguments >/dev/null 2>&1
  [ $? -eq 1 ] || fail "lumo-score 2 1 $arguments did not exit 1"
done
"$SCORE" --home "$WORK/home" 2 7 --hand >/dev/null 2>"$WORK/missing.txt"
[ $? -eq 2 ] || fail "hand scoring a missing exam did not exit 2"
[ -s "$WORK/missing.txt" ] || fail "hand scoring a missing exam gave no message"

cp "$EXAM.qt2" "$WORK/qt2.saved"
table_edit "$EXAM.qt2" renumber 2 1
"$SCORE" --home "$WORK/home" 2 1 --hand --json >"$WORK/duplicate.json" 2>"$WORK/duplicate.txt"
[ $? -eq 3 ] || fail "a duplicated question did not exit 3"
[ "$(cat "$WORK/duplicate.json")" = '{"error":"duplicate","chart":2,"question":1}' ] ||
  fail "the duplicate JSON: $(cat "$WORK/duplicate.json")"
grep -q "Chart 2 has duplicated question 1" "$WORK/duplicate.txt" || fail "the duplicate warning"
cp "$WORK/qt2.saved" "$EXAM.qt2"

head -c 40 "$WORK/home/DAT/#0000002/exam_01.ch2" >"$WORK/short" && mv "$WORK/short" "$WORK/home/DAT/#0000002/exam_01.ch2"
"$SCORE" --home "$WORK/home" 2 1 >/dev/null 2>"$WORK/damaged.txt"
status=$?
[ "$status" -eq 2 ] || fail "a damaged chart exited $status, not 2"
[ -s "$WORK/damaged.txt" ] || fail "a damaged chart gave no message"

finish "score tool"
