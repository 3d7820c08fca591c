#!/bin/bash
# The program's figures under Wine on a virtual display of its own:
#  - start-up: process start to the adapter dialog, OK to the first refresh of
#    the list, OK to the first access points shown (kesu-startbench, which
#    starts Kesu.exe and answers its dialog with the simulated card);
#  - one refresh tick with 100 to 100,000 entries, and saving and loading
#    100,000 and 1,000,000 entries (kesu-refreshbench);
#  - idle CPU of Kesu.exe with 100,000 and with 1,000,000 entries, first and
#    last rows shown, in the order found and sorted, beside a bare program with
#    the same list, and the resident memory per entry (kesu-idlebench,
#    kesu-floorlist);
#  - CPU of Kesu.exe scanning the simulated card with 1,000,000 entries
#    loaded, beside the same with 1,000 (kesu-scanbench).
#
#   bench/program/run.sh [BIN] [RUNS]    BIN: the build's bin folder (build/win/bin)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
bin=$(cd "${1:-$root/build/win/bin}" && pwd) || exit 1
runs=${2:-5}
for exe in Kesu.exe kesu-listbench.exe kesu-startbench.exe kesu-refreshbench.exe kesu-idlebench.exe kesu-floorlist.exe kesu-scanbench.exe kesu-regsim.exe; do
  [[ -f $bin/$exe ]] || { echo "run.sh: $bin/$exe is missing; build the Windows tree first" >&2; exit 1; }
done

# A bed of its own, so that the figures don't share the display with tests.
. "$root/scripts/beds.sh"
export KESU_BIN=$bin
use_bed programbench
figures() {
  echo "== start-up under Wine ($runs runs)"
  wine "$bin/kesu-startbench.exe" --runs "$runs" </dev/null || return 1
  echo
  echo "== refresh tick, save and load under Wine"
  (cd "$bin" && wine ./kesu-refreshbench.exe </dev/null) || return 1
  echo
  echo "== idle CPU under Wine"
  (cd "$bin" && wine ./kesu-idlebench.exe </dev/null) || return 1
  (cd "$bin" && wine ./kesu-idlebench.exe --entries 1000000 </dev/null) || return 1
  echo
  echo "== CPU while scanning with a long list under Wine"
  (cd "$bin" && wine ./kesu-scanbench.exe </dev/null) || return 1
  echo
  echo "== maker lookup, re-sort and export under Wine"
  (cd "$bin" && wine ./kesu-listbench.exe </dev/null)
}
export -f figures
export bin runs
"$root/scripts/testbed.sh" run bash -c figures
