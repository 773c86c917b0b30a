#!/usr/bin/env bash
# Times album generation against plain JPEG decoding of the same photos.
#
#   scripts/bench-generate.sh [PHOTO_FOLDER | mixed] [RUNS]
#
# "mixed" makes a set like the photos albums are made of from ../shared/photos with ImageMagick:
# each photo enlarged to 12 to 20 megapixels as a progressive JPEG, among copies of 0.3 to 1
# megapixels. The decoding floor of a set (one process decoding each photo once with libjpeg's
# defaults) is the DecodeFloor case of pictaven_bench, run with PICTAVEN_BENCH_SET=<folder>.
# Makes a catalog of the folder's photos (default ../shared/photos beside the clone), sets photo
# resizing to the 600 x 400 box with resampling and 80 x 80 thumbnails with shadows, and
# generates the album with --jobs 1 and --jobs 2. Prints seconds per megapixel for each next to
# the time libjpeg-turbo's djpeg takes to decode the same photos, measured in the same run. Each
# figure is the best of RUNS runs (default 3). Builds pictaven-cli in release mode in
# $PICTAVEN_BUILD_DIR (default build-release) unless that folder holds one already.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

runs=${2:-3}
build=${PICTAVEN_BUILD_DIR:-build-release}
command -v djpeg >/dev/null || { echo "djpeg is missing: scripts/install-deps.sh installs it" >&2; exit 2; }

if [[ ! -x "$build/src/cli/pictaven-cli" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPICTAVEN_BUILD_UI=OFF \
    -DPICTAVEN_BUILD_TESTS=OFF -DPICTAVEN_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" --target pictaven-cli -j2 >/dev/null
fi
cli=$(realpath "$build/src/cli/pictaven-cli")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PICTAVEN_HOME="$work/home"

if [[ "${1:-}" == mixed ]]; then
  command -v convert >/dev/null || { echo "ImageMagick's convert is missing" >&2; exit 2; }
  photos="$work/mixed"
  mkdir "$photos"
  n=0
  for source in ../shared/photos/*.jpg; do
    megapixels=$((12 + (n * 3) % 9))
    convert "$source" -resize "$((megapixels * 1000000))@" -interlace JPEG -quality 90 "$photos/large$n.jpg"
    for small in 1 2; do
      convert "$source" -resize "$(((n + small) % 8 * 100000 + 300000))@>" -quality 90 "$photos/small$n-$small.jpg"
    done
    n=$((n + 1))
  done
else
  photos=$(realpath "${1:-../shared/photos}")
fi
[[ -d "$photos" ]] || { echo "no photo folder $photos" >&2; exit 2; }

mapfile -t files < <(find "$photos" -maxdepth 1 -type f \( -iname '*.jpg' -o -iname '*.jpeg' \) | sort)
[[ ${#files[@]} -gt 0 ]] || { echo "no JPEG photos in $photos" >&2; exit 2; }

# Megapixels from the JPEG headers, as the program reads them.
pixels=0
while read -r line; do
  size=$(grep -oE '[0-9]+ x [0-9]+' <<<"$line" | tail -1 || true)
  [[ -n "$size" ]] && pixels=$((pixels + ${size% x *} * ${size#* x }))
done < <("$cli" info "${files[@]}")
megapixels=$(awk -v p="$pixels" 'BEGIN { printf "%.2f", p / 1e6 }')

"$cli" new-catalog "$work/bench.CAT" --photos "$photos" --title "Benchmark" >/dev/null
# The settings keys are unique across the catalog's sections; the lines end in CR LF.
set_key() { sed -i "s/^$1=[^\r]*/$1=$2/" "$work/bench.CAT"; }
set_key "Resize Image Type" 1
set_key "New Photo Width" 600
set_key "New Photo Height" 400
set_key Resample 1
set_key ThumbWidth 80
set_key ThumbHeight 80
set_key Shadow 1

now() { date +%s.%N; }
best() { sort -g | head -1; }

time_djpeg() {
  local start
  start=$(now)
  for file in "${files[@]}"; do djpeg -outfile /dev/null "$file"; done
  awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.4f\n", b - a }'
}

time_generate() {
  local jobs=$1 out="$work/out$1" start
  rm -rf "$out"
  start=$(now)
  "$cli" generate "$work/bench.CAT" --output "$out" --jobs "$jobs" >"$work/log$jobs" 2>&1 ||
    { cat "$work/log$jobs" >&2; exit 1; }
  awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.4f\n", b - a }'
}

decode=$(for _ in $(seq "$runs"); do time_djpeg; done | best)
one=$(for _ in $(seq "$runs"); do time_generate 1; done | best)
two=$(for _ in $(seq "$runs"); do time_generate 2; done | best)

same="identical"
diff -r "$work/out1" "$work/out2" >/dev/null || same="DIFFERENT"

echo "Photos: ${#files[@]} JPEG files, $megapixels megapixels, from $photos"
echo "Best of $runs runs each (pictaven-cli from $build):"
awk -v mp="$megapixels" -v d="$decode" -v one="$one" -v two="$two" 'BEGIN {
  printf "  djpeg decode     %7.3f s  %.4f s/MP\n", d, d / mp
  printf "  generate -j 1    %7.3f s  %.4f s/MP  %.2fx decode (goal 1.3x at most)\n", one, one / mp, one / d
  printf "  generate -j 2    %7.3f s  %.4f s/MP  %.2fx decode (goal 0.7x at most)\n", two, two / mp, two / d
}'
echo "Albums of one and two jobs: $same"
