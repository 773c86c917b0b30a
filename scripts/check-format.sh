#!/usr/bin/env bash
# Fails when a C++ file changed since BASE is not laid out as .clang-format says. BASE defaults
# to the commit that last changed .clang-format, when every file was formatted by it.
#   scripts/check-format.sh [BASE]
set -euo pipefail
cd "$(dirname "$0")/.."
base=${1:-$(git log -1 --format=%H -- .clang-format)}
mapfile -t files < <(git diff --name-only --diff-filter=d "$base" -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' \
  'tests/*.h' 'tools/*.cpp' 'tools/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp'; git ls-files --others \
  --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')
[[ ${#files[@]} -eq 0 ]] && exit 0
unformatted=0
for file in "${files[@]}"; do
  if ! clang-format --dry-run --Werror "$file" 2>/dev/null; then
    echo "not formatted: $file (clang-format -i $file)" >&2
    unformatted=$((unformatted + 1))
  fi
done
exit $((unformatted > 0))
