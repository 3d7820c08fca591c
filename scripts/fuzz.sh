#!/bin/bash
# `make fuzz`: every libFuzzer target of a fuzz build (executables fuzz_* in
# <build>/bin) for FUZZ_SECONDS each. A target's growing corpus lives in
# <build>/corpus/<target>; seeds kept in fuzz/<name>/seeds for fuzz_<name>
# are read too, and fuzz/<name>/options adds libFuzzer flags of its own (one
# line, such as -max_len=N). Crash inputs land in <build>/artifacts.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/fuzz}
seconds=${FUZZ_SECONDS:-60}
mkdir -p "$build/corpus" "$build/artifacts"

targets=()
for t in "$build"/bin/fuzz_*; do
  [[ -f $t && -x $t ]] && targets+=("$t")
done
if [[ ${#targets[@]} -eq 0 ]]; then
  echo "fuzz: no fuzz targets in $build/bin" >&2
  exit 1
fi

passed=0 failed=0 failures=()
for t in "${targets[@]}"; do
  name=${t##*/}
  corpus=$build/corpus/$name
  seeds=$root/fuzz/${name#fuzz_}/seeds
  mkdir -p "$corpus"
  dirs=("$corpus")
  [[ -d $seeds ]] && dirs+=("$seeds")
  options=()
  [[ -f ${seeds%/seeds}/options ]] && read -ra options <"${seeds%/seeds}/options"
  echo "== $name: $seconds s"
  log=$build/$name.log
  "$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "${options[@]}" \
       -artifact_prefix="$build/artifacts/$name-" "${dirs[@]}" >"$log" 2>&1
  rc=$?
  # The final figures, not the thousands of progress lines.
  grep -E '^stat::(number_of_executed_units|peak_rss_mb|new_units_added)' "$log" | sed 's/^/   /'
  echo "   corpus: $(find "$corpus" -type f | wc -l) inputs"
  if [[ $rc -eq 0 ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    failures+=("$name")
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -n 5 | sed 's/^/   /'
    echo "   FAILED (exit $rc), full log: $log"
  fi
done

[[ ${#failures[@]} -eq 0 ]] || echo "fuzz: failed: ${failures[*]}"
echo "Fuzz: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
