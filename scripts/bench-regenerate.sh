#!/usr/bin/env bash
# Times regenerating an album after a small change against its first, full generation.
#
#   scripts/bench-regenerate.sh [PHOTO_FOLDER] [COUNT]
#
# Makes an album of COUNT photos (default 1000), copies of the folder's JPEG photos taken in
# turn (default ../shared/photos beside the clone), with the settings of bench-generate.sh, and
# generates it with pictaven-cli into an empty folder. Then, into the same folder:
#   - the album with one photo more (goal: at most 5% of the full generation's time),
#   - that album with another title (goal: at most 3%).
# Each regeneration is compared byte for byte with a full generation of the same catalog into
# an empty folder (the record of rendered files aside, which names its own folder). Builds
# pictaven-cli in release mode in $PICTAVEN_BUILD_DIR (default build-release) unless that
# folder holds it already.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/bench-album.sh
build_bench_tools

photos=$(realpath "${1:-../shared/photos}")
count=${2:-1000}
mapfile -t files < <(find "$photos" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) | sort)
[[ ${#files[@]} -gt 0 ]] || { echo "no JPEG photos in $photos" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PICTAVEN_HOME="$work/home"
mkdir "$work/album"
for ((i = 0; i < count; i++)); do
  cp "${files[i % ${#files[@]}]}" "$(printf '%s/album/p%05d.jpg' "$work" "$i")"
done

# generate CATALOG OUTPUT: prints the wall and processor (user + system) seconds; the log goes
# to OUTPUT.log.
generate() {
  local TIMEFORMAT='%R %U %S'
  { time "$cli" generate "$1" --output "$2" --jobs 2 >"$2.log" 2>&1; } 2>"$work/time" ||
    { cat "$2.log" >&2; exit 1; }
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$work/time"
}

# same_as_full CATALOG: whether a full generation of it writes what the album folder holds.
same_as_full() {
  rm -rf "$work/full"
  generate "$1" "$work/full" >/dev/null
  diff -r -x .pictaven-rendered "$work/full" "$work/out" >/dev/null && echo identical || echo DIFFERENT
}

make_bench_catalog "$work/first.CAT" "$work/album" "Benchmark"
full=$(generate "$work/first.CAT" "$work/out")

cp "${files[0]}" "$work/album/zz-added.jpg"
make_bench_catalog "$work/added.CAT" "$work/album" "Benchmark"
added=$(generate "$work/added.CAT" "$work/out")
added_kept=$(grep -m1 '^Photos rendered' "$work/out.log" || true)
added_same=$(same_as_full "$work/added.CAT")

make_bench_catalog "$work/titled.CAT" "$work/album" "Another title"
titled=$(generate "$work/titled.CAT" "$work/out")
titled_kept=$(grep -m1 '^Photos rendered' "$work/out.log" || true)
titled_same=$(same_as_full "$work/titled.CAT")

echo "Album: $count photos, copies of the ${#files[@]} JPEG photos of $photos; pictaven-cli --jobs 2"
echo "Wall clock, and in brackets processor time, which other programs running meanwhile disturb less:"
awk -v full="$full" -v added="$added" -v titled="$titled" 'BEGIN {
  split(full, f, " "); split(added, a, " "); split(titled, t, " ")
  printf "  full generation      %8.3f s (%.3f s)\n", f[1], f[2]
  printf "  one photo added      %8.3f s (%.3f s)  %5.1f%% (%.1f%%) of the full run (goal 5%% at most)\n",
    a[1], a[2], 100 * a[1] / f[1], 100 * a[2] / f[2]
  printf "  title changed        %8.3f s (%.3f s)  %5.1f%% (%.1f%%) of the full run (goal 3%% at most)\n",
    t[1], t[2], 100 * t[1] / f[1], 100 * t[2] / f[2]
}'
echo "  one photo added: $added_kept; against a full generation: $added_same"
echo "  title changed: $titled_kept; against a full generation: $titled_same"
