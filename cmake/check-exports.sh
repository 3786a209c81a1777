#!/bin/bash
# Checks the export tables of the Windows DLLs in a build directory:
#   OvROVUvided.dll exports exactly InitPlugin and RegisterModules;
#   MONAPI2.dll exports (at least) its six functions.
# All by undecorated name, as the host and the plug-in look them up. A DLL that is not
# built yet is skipped with a note.
# Usage: check-exports.sh BUILD_DIR   (OBJDUMP defaults to the 32-bit mingw objdump)
set -euo pipefail
build_dir=${1:?usage: check-exports.sh BUILD_DIR}
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
failures=0

exported_names() {
  "$objdump" -p "$1" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' | sort
}

find_dll() {
  find "$build_dir" -name "$1" -not -path '*/wineprefix/*' -print -quit
}

# check MODE FILE NAME...: MODE is "exactly" or "at-least".
check() {
  local mode=$1 file=$2
  shift 2
  local path
  path=$(find_dll "$file")
  if [[ -z $path ]]; then
    if [[ -n $(find_dll "lib$file") ]]; then
      echo "check-exports: FAIL: built as lib$file; the host expects $file"
      failures=$((failures + 1))
    else
      echo "check-exports: $file not built yet, skipped"
    fi
    return
  fi
  local expected actual missing
  expected=$(printf '%s\n' "$@" | sort)
  actual=$(exported_names "$path")
  missing=$(comm -23 <(echo "$expected") <(echo "$actual"))
  if [[ -z $missing && ($mode == at-least || $actual == "$expected") ]]; then
    echo "check-exports: $file exports" $actual
  else
    echo "check-exports: FAIL: $path must export $mode:" $expected
    echo "check-exports:       it exports:" $actual
    failures=$((failures + 1))
  fi
}

check exactly OvROVUvided.dll InitPlugin RegisterModules
check at-least MONAPI2.dll SetUSBDeviceList EnumerateInterfaces GetNumDisplayInterfaces \
  GetDisplayInterfaceInfo I2C_WRITE I2C_READ
((failures == 0))
