#!/usr/bin/env bash
# lumo-export edf and csv on a seeded sample home: one chart and --all write EDF+
# files; an existing file stays without --force; a damaged chart is named
# and exits 2; --with-names alone puts the name in the header.
# Usage: export_tool.sh PATH/TO/lumo PATH/TO/lumo-export
set -u
LUMO="$1"
EXPORT="$2"
. "$(dirname "$0")/checks.sh"

seed_sample_home "$LUMO"
CHARTS="$WORK/home/DAT/#0000002"

"$EXPORT" edf --home "$WORK/home" 2 1 1 -o "$WORK/one.edf" >/dev/null 2>&1 || fail "exporting chart 1"
[ "$(head -c 8 "$WORK/one.edf")" = "0       " ] || fail "the file does not start as EDF"
[ "$(dd if="$WORK/one.edf" bs=1 skip=192 count=5 2>/dev/null)" = "EDF+C" ] || fail "no EDF+C in the reserved field"
patient="$(dd if="$WORK/one.edf" bs=1 skip=8 count=80 2>/dev/null)"
case "$patient" in "#0000002 X X X "*) ;; *) fail "patient field without names: '$patient'" ;; esac

"$EXPORT" edf --home "$WORK/home" 2 1 1 -o "$WORK/one.edf" >/dev/null 2>&1
[ $? -eq 2 ] || fail "an existing file was replaced without --force"
"$EXPORT" edf --home "$WORK/home" 2 1 1 -o "$WORK/one.edf" --force --with-names >/dev/null 2>&1 || fail "--force"
patient="$(dd if="$WORK/one.edf" bs=1 skip=8 count=80 2>/dev/null)"
case "$patient" in "#0000002 X X X "*) fail "--with-names left the name out" ;; esac

mkdir "$WORK/all"
"$EXPORT" edf --home "$WORK/home" 2 --all -o "$WORK/all" >/dev/null 2>&1 || fail "--all"
[ "$(ls "$WORK/all" | wc -l)" -eq 3 ] || fail "--all did not write three charts: $(ls "$WORK/all")"
[ -f "$WORK/all/#0000002_exam_01_chart_2.edf" ] || fail "--all names its files after the charts"

"$EXPORT" edf --home "$WORK/home" 2 1 4 -o "$WORK/none.edf" >/dev/null 2>&1
[ $? -eq 2 ] || fail "a missing chart did not exit 2"
"$EXPORT" edf --home "$WORK/home" 2 1 >/dev/null 2>&1
[ $? -eq 1 ] || fail "a missing argument did not exit 1"

# The results as CSV, whole process (the field-by-field check against the
# scoring report is the in-process test of the command).
"$EXPORT" csv --home "$WORK/home" 2 1 >"$WORK/results.csv" 2>&1 || fail "csv: $(cat "$WORK/results.csv")"
head -1 "$WORK/results.csv" | grep -q "^charts,question,sign," || fail "csv header: $(head -1 "$WORK/results.csv")"
[ "$(wc -l <"$WORK/results.csv")" -gt 1 ] || fail "csv holds no question"
"$EXPORT" csv --home "$WORK/home" 2 1 --features >"$WORK/rows.csv" 2>&1 || fail "csv --features"
head -1 "$WORK/rows.csv" | grep -q "^chart,row," || fail "features header: $(head -1 "$WORK/rows.csv")"
"$EXPORT" csv --home "$WORK/home" 2 7 >/dev/null 2>&1
[ $? -eq 2 ] || fail "csv of a missing exam did not exit 2"

printf 'XX' | dd of="$CHARTS/exam_01.ch2" bs=1 conv=notrunc 2>/dev/null
"$EXPORT" edf --home "$WORK/home" 2 1 2 -o "$WORK/bad.edf" >/dev/null 2>"$WORK/bad.txt"
status=$?
[ "$status" -eq 2 ] || fail "a damaged chart exited $status, not 2"
grep -q "exam_01.ch2" "$WORK/bad.txt" || fail "the message does not name the chart: $(cat "$WORK/bad.txt")"
[ -e "$WORK/bad.edf" ] && fail "a damaged chart left a file"

finish "export tool"
