#!/usr/bin/env bash
# lumo-archive as a batch administrator runs it: an examinee's files go to
# volumes and come back byte for byte; single files pack and unpack in every
# mode; damage is refused with a message and a non-zero status.
# Usage: archive_tool.sh PATH/TO/lumo PATH/TO/lumo-archive
set -u
LUMO="$1"
ARCHIVE="$2"
. "$(dirname "$0")/checks.sh"

seed_sample_home "$LUMO"
FOLDER="$WORK/home/DAT/#0000001"
# A folder worth archiving: binary data that does not shrink, enough for
# two volumes, and text files.
head -c 1500000 /dev/urandom >"$FOLDER/exam_01.ch1"
seq 1 20000 >"$FOLDER/exam_01.qt1"
printf 'line\r\n%.0s' $(seq 1 500) >"$FOLDER/exam_01.qs_"
cp -a "$FOLDER" "$WORK/original"

"$ARCHIVE" compress --home "$WORK/home" 1 --to "$WORK/volumes" >"$WORK/compress.log" 2>&1 ||
  fail "compress (exit $?): $(cat "$WORK/compress.log")"
[ -f "$WORK/volumes/#0000001.000" ] || fail "no first volume written"
[ -f "$WORK/volumes/#0000001.001" ] || fail "no second volume written"
[ "$(ls "$FOLDER")" = "subject.dat" ] || fail "compress left: $(ls "$FOLDER" | tr '\n' ' ')"
grep -q '^Archive=#' "$FOLDER/subject.dat" || fail "the examinee is not marked as archived"

"$ARCHIVE" decompress --home "$WORK/home" 1 --from "$WORK/volumes" >"$WORK/decompress.log" 2>&1 ||
  fail "decompress (exit $?): $(cat "$WORK/decompress.log")"
for file in exam_01.ch1 exam_01.qt1 exam_01.qs_; do
  cmp -s "$WORK/original/$file" "$FOLDER/$file" || fail "$file differs after the round trip"
done
grep -q '^Archive= ' "$FOLDER/subject.dat" || fail "the examinee is still marked as archived"

"$ARCHIVE" decompress --home "$WORK/home" 2 --from "$WORK/volumes" >/dev/null 2>&1 &&
  fail "decompressing an unknown examinee succeeded"

for mode in fast good auto; do
  "$ARCHIVE" pack "$WORK/original/exam_01.qt1" "$WORK/packed.$mode" --mode "$mode" >/dev/null 2>&1 ||
    fail "pack --mode $mode"
  "$ARCHIVE" unpack "$WORK/packed.$mode" "$WORK/unpacked.$mode" >/dev/null 2>&1 || fail "unpack of $mode"
  cmp -s "$WORK/original/exam_01.qt1" "$WORK/unpacked.$mode" || fail "$mode round trip differs"
done
[ "$(stat -c %s "$WORK/packed.good")" -lt "$(stat -c %s "$WORK/original/exam_01.qt1")" ] ||
  fail "good mode did not compress text"

head -c 100 "$WORK/packed.good" >"$WORK/truncated"
if "$ARCHIVE" unpack "$WORK/truncated" "$WORK/never" >"$WORK/damaged.log" 2>&1; then
  fail "a truncated file unpacked"
fi
[ -s "$WORK/damaged.log" ] || fail "a truncated file gave no message"

finish "archive tool"
