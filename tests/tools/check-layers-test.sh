#!/usr/bin/env bash
# Runs scripts/check-layers.sh on small source trees: every way of writing an include that
# reaches up is reported, and includes that stay in their layer pass.
#   tests/tools/check-layers-test.sh CHECK_LAYERS_SCRIPT
set -euo pipefail
script=${1:?usage: check-layers-test.sh CHECK_LAYERS_SCRIPT}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# check EXPECTED LINE: src/ini/Reader.cpp holding LINE makes the script pass or fail.
check() {
  local expected=$1 line=$2 src="$scratch/src"
  rm -rf "$src"
  mkdir -p "$src/ini" "$src/session"
  touch "$src/session/Workspace.h" "$src/ini/IniFile.h"
  printf '%s\n' "$line" >"$src/ini/Reader.cpp"
  local status=0 output
  output=$(bash "$script" "$src" 2>&1) || status=$?
  if [[ $expected == fails && ($status == 0 || $output != *"src/ini/Reader.cpp:1 "*"session/Workspace.h"*) ]]; then
    echo "not reported: $line" >&2
    failures=$((failures + 1))
  elif [[ $expected == passes && $status != 0 ]]; then
    echo "reported wrongly: $line: $output" >&2
    failures=$((failures + 1))
  fi
}

check fails '#include "session/Workspace.h"'
check fails '#include <session/Workspace.h>'
check fails '  #  include <session/Workspace.h>'
check passes '#include "ini/IniFile.h"'
check passes '#include <ini/IniFile.h>'
check passes '#include <QtCore/QString>'
check passes '#include <string>'

((failures == 0)) || exit 1
echo "check-layers reports both include forms"
