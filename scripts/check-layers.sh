#!/usr/bin/env bash
# Keeps the folders of src/ in layers: a folder includes headers of its own and of the folders
# below it only, and its module links only modules below it, so that the static libraries link
# without cycles. Prints every include or link that reaches up and fails when there is one.
#   scripts/check-layers.sh [SRC_DIR]      (default: the src/ of this checkout)
set -euo pipefail
src=${1:-"$(dirname "$0")/../src"}

# From the bottom up. Folders on one line are peers: neither may use the other.
layers=(
  "ini"
  "settings"
  "app"
  "imaging"
  "decoders"
  "catalog"
  "generate"
  "publish"
  "session"
  "cli ui"
)

declare -A level
for i in "${!layers[@]}"; do
  for name in ${layers[$i]}; do
    level[$name]=$i
  done
done

# Whether `from` may use `to`: the same folder, or one of a lower layer.
allowed() {
  [[ $1 == "$2" ]] || (( level[$2] < level[$1] ))
}

failures=0
report() {
  echo "$1" >&2
  failures=$((failures + 1))
}

for dir in "$src"/*/; do
  folder=$(basename "$dir")
  if [[ -z ${level[$folder]+set} ]]; then
    report "src/$folder is in no layer: add it to the list in $0"
    continue
  fi

  while IFS= read -r hit; do
    # hit: path:line:#include "other/Name.h"   or   path:line:#include <other/Name.h>
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=$(sed -E 's/^[^"<]*["<]([^">]*)[">].*/\1/' <<<"${rest#*:}")
    other=${target%%/*}
    [[ -d $src/$other ]] || continue # a library's header, not one of ours
    if [[ -z ${level[$other]+set} ]]; then
      continue # reported above as a folder in no layer
    fi
    allowed "$folder" "$other" || report "src/${file#"$src"/}:$line includes $target: $folder may not use $other"
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][^">/]+/' "${dir%/}" \
             --include='*.h' --include='*.hpp' --include='*.cpp' --include='*.c' || true)

  # The module's links: every pictaven_<folder> named in its pictaven_module(...) call.
  if [[ -f $dir/CMakeLists.txt ]]; then
    deps=$(tr '\n' ' ' <"$dir/CMakeLists.txt" | grep -oE 'pictaven_module\([^)]*\)' | grep -oE 'pictaven_[a-z]+' \
             | sed 's/^pictaven_//' | grep -vx module || true)
    for other in $deps; do
      [[ -n ${level[$other]+set} ]] || continue
      allowed "$folder" "$other" || report "src/$folder/CMakeLists.txt links pictaven_$other: $folder may not use $other"
    done
  fi
done

if ((failures > 0)); then
  echo "$failures breaches of the layers (from the bottom: ${layers[*]})" >&2
  exit 1
fi
echo "every folder of $src uses only its own and lower layers"
