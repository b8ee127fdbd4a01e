# Sourced by the tool tests: a scratch folder $WORK that goes on exit, with
# the process $BACKGROUND names; fail counts a failed check and finish
# reports the count as the exit status.
WORK="$(mktemp -d)"
BACKGROUND=""
cleanup() {
  [ -n "$BACKGROUND" ] && kill "$BACKGROUND" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
failed=0
fail() { echo "FAILED: $*"; failed=$((failed + 1)); }
# finish TOOL
finish() {
  [ "$failed" -eq 0 ] && echo "$1: all checks passed"
  exit "$failed"
}

# seed_sample_home LUMO: a data home in $WORK/home with the sample examinee,
# made the way an administrator would, without a desktop.
seed_sample_home() {
  export QT_QPA_PLATFORM=offscreen
  unset LUMO_HOME
  "$1" --init-home "$WORK/home" --sample >/dev/null || fail "seeding the home"
}
