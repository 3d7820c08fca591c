#!/bin/bash
# `make run`: Kesu.exe under Wine, in its own prefix (build/wineprefix-run) so a
# person's settings and lists never meet the tests'. On the user's display when
# there is one, otherwise headless (scripts/run-headless.sh).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/beds.sh"
use_bed run
# The program runs in its own folder; a folder for the voice's WAV files is
# meant from where make was called.
[[ -z ${KESU_VOICE_WAV:-} ]] || export KESU_VOICE_WAV=$(realpath -m "$KESU_VOICE_WAV")

if [[ ! -f $KESU_BIN/Kesu.exe ]]; then
  echo "run: Kesu.exe is not built yet: only the build ran."
  exit 0
fi

if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo >/dev/null 2>&1; then
  exec "$root/scripts/run-headless.sh"
fi

"$root/scripts/testbed.sh" start --display "$DISPLAY" || exit 1
trap '"$root/scripts/testbed.sh" stop' EXIT
eval "$("$root/scripts/testbed.sh" env)"
cd "$KESU_BIN" || exit 1
echo "run: Kesu.exe on $DISPLAY; the run ends when you close it"
wine ./Kesu.exe "$@"
