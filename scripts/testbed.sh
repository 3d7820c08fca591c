#!/bin/bash
# The Wine test bed: a project-local prefix, a persistent wineserver and a
# virtual X display, started once per run and ended again by process id.
#
#   testbed.sh start [--display :N]   start (or reuse) the bed; --display uses an
#                                     existing X display instead of a new Xvfb
#   testbed.sh stop                   end everything the bed started
#   testbed.sh env                    print export lines: eval "$(testbed.sh env)"
#   testbed.sh status                 say whether the bed is up
#   testbed.sh run CMD...             start, run CMD inside the bed, stop
#
# KESU_BED_STATE (state file), KESU_BED_PREFIX (Wine prefix) and KESU_BIN
# (folder holding kesu-regsim.exe and KesuVoice.dll) choose which bed;
# defaults are the test bed under build/.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/beds.sh"
state=${KESU_BED_STATE:-$(bed_state test)}
prefix=${KESU_BED_PREFIX:-$(bed_prefix test)}
# Wine wants an absolute prefix; callers may give one relative to their folder.
state=$(realpath -m "$state")
prefix=$(realpath -m "$prefix")
bin=${KESU_BIN:-$beds_default_bin}
# mono and gecko would otherwise prompt to download on prefix creation, and the
# menu builder would write launchers into the user's desktop menus.
overrides="mscoree,mshtml=;winemenubuilder.exe=d"

say() { echo "testbed: $*" >&2; }

alive() { [[ -n ${1:-} && -d /proc/$1 ]]; }

# True when pid $1 is still the program we started (pids get reused).
is_cmd() {
  local pid=$1 want=$2 cmd
  alive "$pid" || return 1
  cmd=$({ tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null) || return 1
  [[ $cmd == *"$want"* ]]
}

# Wine processes (loader, server, preloader) whose environment names our prefix.
# Matching the executable too keeps shells that merely exported the variable safe.
wine_pids() {
  local p pid exe
  for p in /proc/[0-9]*; do
    pid=${p#/proc/}
    [[ $pid == "$$" ]] && continue
    exe=$(readlink "$p/exe" 2>/dev/null) || continue
    [[ ${exe##*/} == wine* ]] || continue
    { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix" && echo "$pid"
  done
}

wineserver_pid() {
  local pid
  for pid in $(wine_pids); do
    is_cmd "$pid" wineserver && { echo "$pid"; return 0; }
  done
  return 1
}

load_state() {
  KESU_BED_XVFB_PID='' KESU_BED_SERVER_PID='' KESU_BED_DISPLAY=''
  [[ -r $state ]] || return 1
  # shellcheck disable=SC1090
  source "$state"
}

healthy() {
  load_state || return 1
  is_cmd "$KESU_BED_SERVER_PID" wineserver || return 1
  [[ -z $KESU_BED_XVFB_PID ]] || is_cmd "$KESU_BED_XVFB_PID" "Xvfb $KESU_BED_DISPLAY" || return 1
}

wait_gone() {
  local pid=$1 i
  for ((i = 0; i < 50; i++)); do alive "$pid" || return 0; sleep 0.1; done
  return 1
}

stop_bed() {
  # The prefix that the state names is the one whose processes are running.
  local prefix=$prefix
  load_state && [[ -n ${KESU_BED_PREFIX:-} ]] && prefix=$(realpath -m "$KESU_BED_PREFIX")
  export WINEPREFIX=$prefix
  if [[ -d $prefix ]] && wineserver_pid >/dev/null; then
    wineserver -k >/dev/null 2>&1
    timeout 30 wineserver -w >/dev/null 2>&1
  fi
  if [[ -n $KESU_BED_XVFB_PID ]] && is_cmd "$KESU_BED_XVFB_PID" "Xvfb $KESU_BED_DISPLAY"; then
    kill "$KESU_BED_XVFB_PID" 2>/dev/null
    wait_gone "$KESU_BED_XVFB_PID" || kill -KILL "$KESU_BED_XVFB_PID" 2>/dev/null
  fi
  # A killed Xvfb leaves its lock behind, and its display number taken.
  local n=${KESU_BED_DISPLAY#:} lock=
  if [[ -n $KESU_BED_XVFB_PID && -n $n ]] && ! alive "$KESU_BED_XVFB_PID"; then
    [[ -f /tmp/.X$n-lock ]] && lock=$(tr -d ' \n' <"/tmp/.X$n-lock")
    [[ $lock == "$KESU_BED_XVFB_PID" ]] && rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
  fi
  # A service that outlived its server spins for ever; it still carries the prefix.
  local left pid
  left=$(wine_pids)
  if [[ -n $left ]]; then
    say "ending leftover Wine processes:" $left
    kill $left 2>/dev/null
    for pid in $left; do wait_gone "$pid" || kill -KILL "$pid" 2>/dev/null; done
  fi
  rm -f "$state"
  # What the tests said (scripts/wine-run) goes with the bed.
  rm -rf "${state%.env}-voice"
}

free_display() {
  local n
  for ((n = ${1:-100}; n < 400; n++)); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { echo "$n"; return 0; }
  done
  return 1
}

start_xvfb() {
  local n=99 pid i
  while n=$(free_display $((n + 1))); do
    # Started without our Wine variables, so the leftover search never matches it.
    env -u WINEPREFIX Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    pid=$!
    for ((i = 0; i < 100; i++)); do
      alive "$pid" || break
      if [[ -S /tmp/.X11-unix/X$n ]] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
        KESU_BED_XVFB_PID=$pid KESU_BED_DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    # Lost a race for the number, or too slow: try the next one.
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  say "no free X display number"
  return 1
}

write_state() {
  mkdir -p "$(dirname "$state")"
  {
    printf 'KESU_BED_XVFB_PID=%q\n' "$KESU_BED_XVFB_PID"
    printf 'KESU_BED_SERVER_PID=%q\n' "$KESU_BED_SERVER_PID"
    printf 'KESU_BED_DISPLAY=%q\n' "$KESU_BED_DISPLAY"
    printf 'KESU_BED_PREFIX=%q\n' "$prefix"
    printf 'KESU_BED_OVERRIDES=%q\n' "$overrides"
  } >"$state.tmp" && mv "$state.tmp" "$state"
}

print_env() {
  printf 'export DISPLAY=%q\n' "$KESU_BED_DISPLAY"
  printf 'export WINEPREFIX=%q\n' "$prefix"
  printf 'export WINEDEBUG=-all\n'
  printf 'export WINEDLLOVERRIDES=%q\n' "$overrides"
  printf 'export KESU_BED_STATE=%q\n' "$state"
}

# Whether the prefix's saved registry says Wine manages its own top-level windows.
unmanaged_saved() {
  awk '/^\[/ { inside = ($0 ~ /^\[Software\\\\Wine\\\\X11 Driver\]/) }
       inside && $0 == "\"Managed\"=\"N\"" { found = 1 }
       END { exit !found }' "$prefix/user.reg" 2>/dev/null
}

# On Xvfb there is no window manager: Wine then waits two seconds for one at
# every top-level window's destruction, and nobody draws captions. Unmanaged
# windows avoid both. A real display keeps its window manager.
set_window_management() {
  local key='HKCU\Software\Wine\X11 Driver'
  if [[ -n $KESU_BED_XVFB_PID ]]; then
    unmanaged_saved || timeout 60 wine reg add "$key" /v Managed /d N /f </dev/null >/dev/null 2>&1
  else
    ! unmanaged_saved || timeout 60 wine reg delete "$key" /v Managed /f </dev/null >/dev/null 2>&1
  fi
}

# Debian's Wine does not look in its own data folder for its fonts (Tahoma for
# dialogs, Marlett for caption buttons); linked into the prefix it finds them.
# Done before the server starts: each server reads the font list once.
link_wine_fonts() {
  local src=/usr/share/wine/fonts dst=$prefix/drive_c/windows/Fonts f
  [[ -d $src ]] || return 0
  mkdir -p "$dst"
  for f in "$src"/*; do
    [[ -e $dst/${f##*/} ]] || ln -s "$f" "$dst/"
  done
}

# The card the adapter dialog offers lives in a volatile key, gone with each server.
register_card() {
  [[ -f $bin/kesu-regsim.exe ]] || return 0
  timeout 60 wine "$bin/kesu-regsim.exe" </dev/null >/dev/null 2>"$state.regsim.log" && { rm -f "$state.regsim.log"; return 0; }
  say "warning: kesu-regsim.exe failed (see $state.regsim.log); the simulated card is not registered"
}

# Wine's own voice object can't speak; ours (voice/) speaks through espeak-ng.
# Registered at every start: a Wine update re-registers Wine's.
register_voice() {
  local dll=$bin/KesuVoice.dll
  local key='HKLM\Software\Classes\CLSID\{96749377-3391-11D2-9EE3-00C04F797396}\InprocServer32'
  [[ -f $dll ]] || return 0
  # Drive Z: is the Unix root in every prefix Wine makes.
  dll=$(realpath "$dll")
  if timeout 60 wine reg add "$key" /ve /d "Z:${dll//\//\\}" /f </dev/null >/dev/null 2>&1 &&
     timeout 60 wine reg add "$key" /v ThreadingModel /d Both /f </dev/null >/dev/null 2>&1; then
    return 0
  fi
  say "warning: the voice could not be registered; announcements only beep"
}

start_bed() {
  local want_display=${1:-}
  if healthy && [[ -z $want_display || $want_display == "$KESU_BED_DISPLAY" ]]; then
    eval "$(print_env)"
    register_card
    register_voice
    say "already running on $KESU_BED_DISPLAY"
    return 0
  fi
  # Whatever a killed run left behind (state file, server, Xvfb) goes first.
  stop_bed

  KESU_BED_XVFB_PID='' KESU_BED_SERVER_PID='' KESU_BED_DISPLAY=''
  if [[ -n $want_display ]]; then
    KESU_BED_DISPLAY=$want_display
    xdpyinfo -display "$want_display" >/dev/null 2>&1 || { say "cannot open display $want_display"; return 1; }
  else
    start_xvfb || return 1
  fi
  write_state

  # DISPLAY must be set before Wine's first start: the desktop process made
  # without it stays without a window driver for the server's whole life.
  mkdir -p "$prefix"
  link_wine_fonts
  eval "$(print_env)"
  local fresh=
  [[ -f $prefix/system.reg ]] || { fresh=1; say "creating the Wine prefix $prefix (once)"; }
  # The server's own stdio must not hold any caller's pipe open.
  wineserver -p </dev/null >/dev/null 2>&1 || { say "wineserver failed to start"; stop_bed; return 1; }
  # The first client starts Wine's services and the desktop process, which
  # inherit its stdio: give them nothing to hold. rundll32 makes a window, so
  # the desktop comes up now and not inside some test's captured output.
  if ! timeout 300 wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1; then
    say "the first Wine client failed"
    stop_bed
    return 1
  fi
  KESU_BED_SERVER_PID=$(wineserver_pid) || { say "wineserver is not running"; stop_bed; return 1; }
  write_state
  set_window_management
  register_card
  register_voice
  say "up on $KESU_BED_DISPLAY, prefix $prefix${fresh:+ (new)}"
}

cmd=${1:-}
shift || true
case $cmd in
  start)
    display=
    if [[ ${1:-} == --display ]]; then display=${2:-}; [[ -n $display ]] || { say "--display needs a value"; exit 2; }; fi
    start_bed "$display"
    ;;
  stop)
    stop_bed
    ;;
  env)
    healthy || { say "not running (scripts/testbed.sh start)"; exit 1; }
    print_env
    ;;
  status)
    if healthy; then say "running on $KESU_BED_DISPLAY, server pid $KESU_BED_SERVER_PID, prefix $prefix"; else say "not running"; exit 1; fi
    ;;
  run)
    [[ $# -gt 0 ]] || { say "run needs a command"; exit 2; }
    # A bed that was already up stays up for whoever started it.
    was_up=
    healthy && was_up=1
    start_bed || exit 1
    [[ -n $was_up ]] || trap stop_bed EXIT
    trap 'exit 130' INT TERM
    eval "$(print_env)"
    "$@"
    ;;
  *)
    sed -n '2,/^set /p' "$0" | sed '$d' >&2
    exit 2
    ;;
esac
