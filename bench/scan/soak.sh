#!/bin/bash
# Soak: bench_soak (the scanner at 1 ms a pass for PASSES passes beside a
# reader, lists opened and scans restarted in between) under ASan+UBSan and
# under TSan. Any sanitizer report fails the run; the figures are printed.
#   bench/scan/soak.sh [PASSES]     (100000 by default; build both trees first:
#                                    make native-asan native-tsan TARGETS=bench_soak)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
passes=${1:-100000}
status=0
for tree in native-asan native-tsan; do
  program=$root/build/$tree/bin/bench_soak
  if [[ ! -x $program ]]; then
    echo "soak: $program is not built"
    status=1
    continue
  fi
  echo "== $tree"
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    TSAN_OPTIONS=halt_on_error=1 "$program" "$passes" || status=1
done
exit $status
