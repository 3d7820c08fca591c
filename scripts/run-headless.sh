#!/bin/bash
# Kesu.exe without a display, driven as a person would: a virtual display,
# the simulated card chosen in the adapter dialog, a scan of KESU_RUN_SECONDS
# (20), a screenshot, then the program closed through its own window.
# Each step is one function below; the program's behaviour decides them.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/beds.sh"
# make run has chosen the bed; alone, this script takes the run bed.
[[ -n ${KESU_BED_STATE:-} ]] || use_bed run
export KESU_BIN=${KESU_BIN:-$beds_default_bin}
seconds=${KESU_RUN_SECONDS:-20}
shot=${KESU_SCREENSHOT:-$root/build/run-screenshot.png}
log=$root/build/run.log

say() { echo "run: $*"; }
xw() { python3 "$root/scripts/xwindows.py" "$@"; }
running() { [[ -d /proc/$kesu ]]; }

# The program's own helper answers the adapter dialog through its controls.
choose_simulated_card() {
  wine "$KESU_BIN/kesu-pickcard.exe" --timeout 60 </dev/null || { say "kesu-pickcard could not choose the card"; return 1; }
}

# The frame's title is "<document> - Kesu".
wait_main_window() {
  main=$(xw wait ' - Kesu$' 30) || { say "no main window appeared"; return 1; }
  say "main window: $(xw windows | grep "^$main" | cut -f2-)"
}

# The main window alone when there is one, else the whole virtual screen.
take_screenshot() {
  import -window "${main:-root}" "$shot" && say "screenshot: $shot"
}

# A close request as a user makes it; a scan marks the list changed, so the
# helper also answers No to the standard save prompt.
close_program() {
  wine "$KESU_BIN/kesu-pickcard.exe" --close --timeout 15 </dev/null || say "kesu-pickcard could not close Kesu"
  local i
  for ((i = 0; i < 150; i++)); do running || return 0; sleep 0.1; done
  say "Kesu.exe did not end after the close request"
  return 1
}

"$root/scripts/testbed.sh" start || exit 1
trap '"$root/scripts/testbed.sh" stop' EXIT
eval "$("$root/scripts/testbed.sh" env)"
say "headless on $DISPLAY (no display of yours found); program output in $log"

cd "$KESU_BIN" || exit 1
wine ./Kesu.exe "$@" </dev/null >"$log" 2>&1 &
kesu=$!

status=0 main=
choose_simulated_card && wait_main_window || status=1
if running && ((status == 0)); then
  say "scanning for $seconds s"
  for ((t = 0; t < seconds * 10 && status == 0; t++)); do running || status=1; sleep 0.1; done
fi
take_screenshot || status=1
if running; then
  close_program || status=1
fi
wait "$kesu" 2>/dev/null
code=$?
((status == 0)) || say "something went wrong: see $shot and $log"
say "Kesu.exe ended with exit code $code"
exit $((status == 0 ? (code == 0 ? 0 : 1) : 1))
