#!/bin/bash
# Installs the Debian packages the builds and the test bed need, only those
# that are missing, so a warm machine passes through in a fraction of a second.
set -euo pipefail

packages=(
  # native build, sanitizers, libFuzzer (clang's runtime holds the fuzzer)
  cmake make g++ clang libclang-rt-14-dev googletest python3
  # Windows cross build
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # the test bed: 64-bit Wine on a virtual display, screenshots
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick fonts-liberation
  # make dist
  zip
)

# One dpkg-query for all; a package it doesn't know prints nothing.
declare -A installed=()
while read -r name status; do
  [[ $status == "install ok installed" ]] && installed[$name]=1
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [[ -n ${installed[$p]:-} ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -ne 0 ]]; then
  echo "deps: missing packages: ${missing[*]}" >&2
  echo "deps: run as root (or: sudo apt-get install ${missing[*]})" >&2
  exit 1
fi

echo "deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp /tmp/kesu-deps.XXXXXX.log)
# Recommends would pull the 32-bit Wine half and desktop extras we never use.
if ! { apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "deps: package install failed (full log: $log)" >&2
  exit 1
fi
rm -f "$log"
echo "deps: done"
