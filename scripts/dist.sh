#!/bin/bash
# `make dist`: the zip for Windows users: the program, its language file, its
# sound and the Spanish read-me (Windows-1252, CRLF, as Notepad expects).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=${1:-$root/build/win/bin}
zip=${2:-$root/build/Kesu.zip}
case $zip in /*) ;; *) zip=$PWD/$zip ;; esac

for f in Kesu.exe spanish.lng test.wav; do
  [[ -f $bin/$f ]] || { echo "dist: $bin/$f is missing (is the program built?)" >&2; exit 1; }
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$bin/Kesu.exe" "$bin/spanish.lng" "$bin/test.wav" "$stage/"
iconv -f UTF-8 -t WINDOWS-1252 "$root/dist/LEEME.txt" | sed 's/$/\r/' >"$stage/LEEME.txt"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" Kesu.exe spanish.lng test.wav LEEME.txt)
echo "dist: $zip"
zip -sf "$zip" | sed -n "s/^  /   /p"
