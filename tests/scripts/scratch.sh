# Sourced by the scripts' own tests: a scratch folder removed at the end, and
# fail, which counts a failure and says what failed.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
