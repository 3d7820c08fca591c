#!/bin/bash
# The tree's one code style (.clang-format at the root).
#   format.sh check   list the C++ files that differ from it; non-zero if any
#   format.sh apply   rewrite them in place
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1

if ! command -v clang-format >/dev/null; then
  echo "format: clang-format is not installed (scripts/deps.sh installs it)" >&2
  exit 1
fi

# Tracked and new files alike, so a file not yet committed is checked too.
mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')

case ${1:-check} in
  apply)
    clang-format -i "${files[@]}"
    ;;
  check)
    # One run for all files; each differing file is named in its diagnostics.
    mapfile -t bad < <(clang-format --dry-run --Werror "${files[@]}" 2>&1 |
      sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error:.*/\1/p' | sort -u)
    if [[ ${#bad[@]} -gt 0 ]]; then
      printf 'format: not in the tree'"'"'s style (make format rewrites them):\n'
      printf '  %s\n' "${bad[@]}"
      exit 1
    fi
    echo "format: ${#files[@]} files in style"
    ;;
  *)
    echo "usage: format.sh check|apply" >&2
    exit 2
    ;;
esac
