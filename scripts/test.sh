#!/bin/bash
# Runs the tests of the three builds (already built by `make test`): the
# Windows build under Wine in the test bed, the native build under ASan+UBSan,
# its concurrency tests under TSan. Ends the bed on every way out.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
. scripts/beds.sh
unset KESU_BIN
use_bed test
JOBS=${JOBS:-2}

started=$(date +%s)
scripts/testbed.sh start || exit 1
trap 'scripts/testbed.sh stop' EXIT
trap 'exit 130' INT TERM HUP

total_passed=0 total_failed=0 failed_suites=()

# ctest's own summary is printed as is; its counts are added up for the last line.
suite() {
  local name=$1 dir=$2 log=build/ctest-$1.log rc
  shift 2
  echo
  echo "== tests: $name"
  ctest --test-dir "$dir" -j"$JOBS" --output-on-failure "$@" </dev/null 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  local line passed=0 failed=0
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=${BASH_REMATCH[1]}
    passed=$((BASH_REMATCH[2] - failed))
  fi
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  [[ $rc -eq 0 ]] || failed_suites+=("$name")
}

# Windows tests: there are always some (the bed's own), so none found is a fault.
suite win build/win --no-tests=error
suite native-asan build/native-asan
suite native-tsan build/native-tsan -L concurrency

echo
echo "== code style"
scripts/format.sh check || failed_suites+=("format")

echo
echo "== summary ($(($(date +%s) - started)) s for the test bed and the tests)"
if [[ ${#failed_suites[@]} -gt 0 ]]; then
  echo "failed: ${failed_suites[*]}"
fi
echo "Total: $total_passed passed, $total_failed failed"
[[ ${#failed_suites[@]} -eq 0 ]]
