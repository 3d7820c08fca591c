#!/bin/bash
# Installs the Debian packages the builds and the test bed need, only those
# that are missing, so a warm machine passes through in a fraction of a second.
set -euo pipefail

packages=(
  # native build and sanitizers; clang for libFuzzer
  cmake make g++ clang googletest python3
  # Windows cross build
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  # the test bed: 64-bit Wine on a virtual display (fonts-wine: the dialog and
  # caption fonts), screenshots; x11-utils also brings the XTEST library
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick fonts-liberation
  # the voice under Wine (voice/) speaks through espeak-ng
  espeak-ng
  # make dist
  zip
  # the maker column: the IEEE registries of MAC address prefixes
  ieee-data
  # the code style check in make test
  clang-format
)

# Prints the packages of "$@" that are not installed; one dpkg-query for all.
missing_of() {
  local -A installed=()
  local name status p
  while read -r name status; do
    [[ $status == "install ok installed" ]] && installed[$name]=1
  done < <(dpkg-query -W -f='${Package} ${Status}\n' "$@" 2>/dev/null || true)
  for p in "$@"; do
    [[ -n ${installed[$p]:-} ]] || echo "$p"
  done
}

updated=
install_packages() {
  if [[ $(id -u) -ne 0 ]]; then
    echo "deps: missing packages: $*" >&2
    echo "deps: run as root (or: sudo apt-get install $*)" >&2
    exit 1
  fi
  echo "deps: installing $*"
  export DEBIAN_FRONTEND=noninteractive
  local log
  log=$(mktemp /tmp/kesu-deps.XXXXXX.log)
  # Recommends would pull the 32-bit Wine half and desktop extras we never use.
  if ! { [[ -n $updated ]] || apt-get update; } >"$log" 2>&1 ||
     ! apt-get install -y --no-install-recommends "$@" >>"$log" 2>&1; then
    tail -n 30 "$log" >&2
    echo "deps: package install failed (full log: $log)" >&2
    exit 1
  fi
  rm -f "$log"
  updated=1
}

mapfile -t missing < <(missing_of "${packages[@]}")
[[ ${#missing[@]} -eq 0 ]] || install_packages "${missing[@]}"

# libFuzzer ships in the runtime package of the clang version installed
# (libclang-rt-14-dev on Debian 12).
llvm=$(readlink -f "$(command -v clang)")  # /usr/lib/llvm-14/bin/clang
llvm=${llvm#*/llvm-}
rt=libclang-rt-${llvm%%/*}-dev
mapfile -t missing < <(missing_of "$rt")
[[ ${#missing[@]} -eq 0 ]] || install_packages "${missing[@]}"
exit 0
