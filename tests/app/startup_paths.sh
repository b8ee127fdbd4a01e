#!/usr/bin/env bash
# Start-up and seeding paths of the lumo program, run as a whole process on
# Qt's offscreen platform. Usage: startup_paths.sh PATH/TO/lumo
set -u
LUMO="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen
unset LUMO_HOME
passed=0
failed=0

check() {  # check NAME EXPECTED_EXIT PATTERN COMMAND...
  local name="$1" expected="$2" pattern="$3"
  shift 3
  local output status
  output="$(timeout 60 "$@" 2>&1)"
  status=$?
  if [ "$status" -eq "$expected" ] && grep -q -- "$pattern" <<<"$output"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name (exit $status, wanted $expected; output: $output)"
  fi
}

check "version" 0 "lumo 7.0" "$LUMO" --version
check "unknown option" 2 "unknown argument" "$LUMO" --bogus
check "seed a home" 0 "Data home ready" "$LUMO" --init-home "$WORK/home" --sample
[ -f "$WORK/home/lumo7w.ini" ] && [ -d "$WORK/home/DAT" ] && [ -f "$WORK/home/DAT/#0000001/subject.dat" ] \
  && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAILED: seeded files missing"; }

# The unattended demo needs no display and reads as its examinee behaved.
check "demo, truthful" 0 "Conclusion: STRONG  signs OF TRUTH" env -u DISPLAY "$LUMO" --demo --truthful --home "$WORK/demo"
check "demo, deceptive" 0 "OF   L I E" env -u DISPLAY "$LUMO" --demo --deceptive --charts 3 --home "$WORK/demo2"
check "demo options" 2 "go with --demo" "$LUMO" --truthful
check "missing settings file" 1 "lumo7w.ini" "$LUMO" --home "$WORK/nowhere" --no-splash

cp -r "$WORK/home" "$WORK/no-nqtype"
sed -i '/^NQType=/d' "$WORK/no-nqtype/lumo7w.ini"
check "missing required key" 1 "'' is not a valid integer value" "$LUMO" --home "$WORK/no-nqtype" --no-splash

cp -r "$WORK/home" "$WORK/bad-colour"
sed -i 's/^ScoreQColor1=.*/ScoreQColor1=pink\r/' "$WORK/bad-colour/lumo7w.ini"
check "bad colour" 1 "PINK is not valid color" "$LUMO" --home "$WORK/bad-colour" --no-splash

cp -r "$WORK/home" "$WORK/bad-subject"
: > "$WORK/bad-subject/DAT/#0000001/subject.dat"
check "unreadable examinee record" 1 "subject.dat" "$LUMO" --home "$WORK/bad-subject" --no-splash

cp -r "$WORK/home" "$WORK/no-operators"
: > "$WORK/no-operators/userlist.dat"
check "empty operator list ends quietly" 0 "" "$LUMO" --home "$WORK/no-operators" --no-splash

# Homes copied from other installations often spell the settings file in capitals.
cp -r "$WORK/no-operators" "$WORK/capitals"
mv "$WORK/capitals/lumo7w.ini" "$WORK/capitals/LUMO7W.INI"
check "settings file spelled in capitals" 0 "" "$LUMO" --home "$WORK/capitals" --no-splash
check "demo on a home spelled in capitals" 0 "Conclusion" env -u DISPLAY "$LUMO" --demo --charts 3 --home "$WORK/capitals"
[ ! -e "$WORK/capitals/lumo7w.ini" ] && passed=$((passed + 1)) \
  || { failed=$((failed + 1)); echo "FAILED: a second settings file was seeded beside LUMO7W.INI"; }

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
