#!/bin/bash
# Stop latency under Wine: from clearing the run flag to the scanner thread's
# end, for the simulated card, the legacy device path, Native Wi-Fi and the
# Linux helper (stand-ins for the last two), median and worst per way.
#
#   bench/scan/stop.sh [BIN] [STOPS]    BIN: the build's bin folder (build/win/bin)
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
bin=$(cd "${1:-$root/build/win/bin}" && pwd) || exit 1
stops=${2:-100}
exe=$bin/standin-listless/kesu-stopbench.exe
for f in "$exe" "$bin/standin-listless/kesu-wlan" "$bin/standin-listless/wlanapi.dll" "$bin/standin-linux/kesu-wlan"; do
  [[ -f $f ]] || { echo "stop.sh: $f is missing; build the Windows tree first (make win)" >&2; exit 1; }
done

# A bed of its own, so that the figures don't share the machine's bed with tests.
. "$root/scripts/beds.sh"
export KESU_BIN=$bin
use_bed stopbench
export exe stops
# The stand-in library, not Wine's own.
"$root/scripts/testbed.sh" run bash -c 'WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wlanapi=n" wine "$exe" "$stops" </dev/null'
