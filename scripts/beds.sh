# The Wine beds' places, sourced by the scripts that start or use one: each bed
# has a state file and a Wine prefix under build/ (the two benchmarks share a
# prefix, one at a time), and runs the programs of build/win/bin.
#   bed_state NAME / bed_prefix NAME   print that bed's path
#   use_bed NAME                       export KESU_BED_STATE and KESU_BED_PREFIX for it,
#                                      and KESU_BIN unless already given
# NAME: test (the default bed), run (make run), programbench, stopbench.
beds_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
beds_default_bin=$beds_root/build/win/bin

bed_state() {
  case $1 in
    test) echo "$beds_root/build/testbed.env" ;;
    run) echo "$beds_root/build/runbed.env" ;;
    *) echo "$beds_root/build/$1.env" ;;
  esac
}

bed_prefix() {
  case $1 in
    test) echo "$beds_root/build/wineprefix" ;;
    run) echo "$beds_root/build/wineprefix-run" ;;
    *) echo "$beds_root/build/wineprefix-bench" ;;
  esac
}

use_bed() {
  KESU_BED_STATE=$(bed_state "$1")
  KESU_BED_PREFIX=$(bed_prefix "$1")
  KESU_BIN=${KESU_BIN:-$beds_default_bin}
  export KESU_BED_STATE KESU_BED_PREFIX KESU_BIN
}
