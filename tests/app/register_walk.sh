#!/usr/bin/env bash
# The examinee register driven through the windows of the whole program by a
# key script on Qt's offscreen platform; the files on disk are checked after.
# Usage: register_walk.sh PATH/TO/lumo KEY_SCRIPT
set -u
LUMO="$1"
SCRIPT="$2"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
unset LUMO_HOME
failed=0
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }

"$LUMO" --init-home "$WORK/home" >/dev/null || { echo "FAILED: seeding"; exit 1; }
cp "$SCRIPT" "$WORK/walk.keys"
output="$(timeout 120 "$LUMO" --home "$WORK/home" --no-splash --play "$WORK/walk.keys" 2>&1)"
status=$?
[ "$status" -eq 0 ] || fail "lumo ended with $status: $(grep -v '^This plugin\|XDG_RUNTIME' <<<"$output")"

kept="$WORK/home/DAT/#0000001/subject.dat"
if [ -f "$kept" ]; then
  # key=value lines in CR LF, the empty issue left out, the date of today.
  expected="$(printf 'FileCode=#0000001\r\nName=Ivanov Ivan\r\nOperator=Operator 1\r\nDate=%s\r\nCrime=Theft\r\nArchive= \r\nMark=suspect\r\n' "$(date +%d-%m-%Y)")"
  [ "$(cat "$kept")" = "$expected" ] || fail "subject.dat of #0000001: $(od -c "$kept" | head -20)"
else
  fail "#0000001 has no subject.dat"
fi
[ ! -e "$WORK/home/DAT/#0000002" ] || fail "the deleted examinee's folder is still there"
# The settings were saved at shut-down with the chooser's order.
grep -q $'^SortOrder=Date\r$' "$WORK/home/lumo7w.ini" || fail "SortOrder not kept"
grep -q $'^Ascend=False\r$' "$WORK/home/lumo7w.ini" || fail "Ascend not kept"

[ "$failed" -eq 0 ] && echo "register walked through the windows"
exit "$failed"
