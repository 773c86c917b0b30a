#!/usr/bin/env bash
# Times album generation against the decoding floor of the same photos.
#
#   scripts/bench-generate.sh [SET[,SET...]] [RUNS]
#
# Each SET is a photo folder (default ../shared/photos beside the clone) or one made from the
# photos of $PICTAVEN_SAMPLE_PHOTOS (default ../shared/photos) with ImageMagick: "mixed" holds each photo enlarged to 12 to 20 megapixels as
# a progressive JPEG, among copies of 0.3 to 1 megapixels; "small" holds 240 photos of 0.3 to 1
# megapixels, where what generation spends on each photo besides decoding it shows most. The
# decoding floor of a set is one process decoding each photo once with libjpeg's defaults into
# memory: the DecodeFloor case of pictaven_bench, run with PICTAVEN_BENCH_SET. For each set, makes
# a catalog of its photos, sets photo resizing to the 600 x 400 box with resampling and 80 x 80
# thumbnails with shadows. Each of RUNS rounds (default 5) times the floor, then generates the
# album with --jobs 1 and --jobs 2; the medians of the rounds' ratios to the floor are printed,
# wall clock and, for one job, processor time (user + system), which other programs running
# meanwhile disturb less. Builds pictaven-cli and pictaven_bench in release mode in
# $PICTAVEN_BUILD_DIR (default build-release) unless that folder holds them already.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)

runs=${2:-5}
build=${PICTAVEN_BUILD_DIR:-build-release}
source scripts/bench-album.sh
build_bench_tools

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PICTAVEN_HOME="$work/home"
samples=${PICTAVEN_SAMPLE_PHOTOS:-../shared/photos}

# make_mixed FOLDER / make_small FOLDER: the made sets.
make_mixed() {
  local n=0 source megapixels small
  for source in "$samples"/*.jpg; do
    megapixels=$((12 + (n * 3) % 9))
    convert "$source" -resize "$((megapixels * 1000000))@" -interlace JPEG -quality 90 "$1/large$n.jpg"
    for small in 1 2; do
      convert "$source" -resize "$(((n + small) % 8 * 100000 + 300000))@>" -quality 90 "$1/small$n-$small.jpg"
    done
    n=$((n + 1))
  done
}
make_small() {
  local sources n=0 i source
  # Made from copies of about 1.2 megapixels, which are quicker to read than the photos.
  for source in "$samples"/*.jpg; do
    convert "$source" -resize 1200000@ -quality 95 "$work/small-source$n.jpg"
    n=$((n + 1))
  done
  sources=("$work"/small-source*.jpg)
  for ((i = 0; i < 240; i++)); do
    echo "${sources[i % ${#sources[@]}]} $((300000 + i * 7 % 8 * 100000)) $(printf '%s/small%03d.jpg' "$1" "$i")"
  done | xargs -P 2 -n 3 sh -c 'convert "$0" -resize "$1@" -quality 90 "$2"'
}

# bench_set SET: times the set and prints its figures.
bench_set() {
  local set=$1 photos goal_one=1.08 goal_two=0.60
  rm -rf "$work/set"
  if [[ "$set" == mixed || "$set" == small ]]; then
    command -v convert >/dev/null || { echo "ImageMagick's convert is missing" >&2; exit 2; }
    photos="$work/set"
    mkdir "$photos"
    "make_$set" "$photos"
    [[ "$set" == small ]] && goal_one=1.30 goal_two=0.70
  else
    photos=$(realpath "$set")
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

  rm -f "$work/bench.CAT"
  make_bench_catalog "$work/bench.CAT" "$photos" "Benchmark"

  # Wall and processor seconds of the floor's one decoding pass, from the benchmark's CSV line.
  time_floor() {
    PICTAVEN_BENCH_SET="$photos" "$bench" --benchmark_filter='^DecodeFloor$' --benchmark_format=csv 2>/dev/null |
      awk -F, '/^"DecodeFloor"/ { printf "%.4f %.4f\n", $3 / 1000, $4 / 1000 }'
  }

  # Wall and processor (user + system) seconds of one generation.
  time_generate() {
    local jobs=$1 out="$work/out$1" TIMEFORMAT='%R %U %S'
    rm -rf "$out"
    { time "$cli" generate "$work/bench.CAT" --output "$out" --jobs "$jobs" >"$work/log$jobs" 2>&1; } \
      2>"$work/time$jobs" || { cat "$work/log$jobs" >&2; exit 1; }
    awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$work/time$jobs"
  }

  for _ in $(seq "$runs"); do
    echo "$(time_floor) $(time_generate 1) $(time_generate 2)"
  done >"$work/rounds"

  same="identical"
  # The render record names its own folder, so it differs between any two folders.
  diff -r -x .pictaven-rendered "$work/out1" "$work/out2" >/dev/null || same="DIFFERENT"

  echo "Photos: ${#files[@]} JPEG files, $megapixels megapixels, from $set"
  echo "Medians of $runs rounds of floor, --jobs 1 and --jobs 2 (pictaven-cli from $build):"
  awk -v mp="$megapixels" -v floor="$(awk '{ print $1 }' "$work/rounds" | median)" \
    -v one="$(ratio '$3 / $1')" -v cpu="$(ratio '$4 / $2')" -v two="$(ratio '$5 / $1')" \
    -v goal_one="$goal_one" -v goal_two="$goal_two" 'BEGIN {
    printf "  decoding floor   %7.3f s  %.4f s/MP\n", floor, floor / mp
    printf "  generate -j 1    %.2fx the floor, in processor time %.2fx (goal %.2fx at most)\n", one, cpu, goal_one
    printf "  generate -j 2    %.2fx the floor (goal %.2fx at most)\n", two, goal_two
  }'
  echo "Albums of one and two jobs: $same"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk "{ printf \"%.4f\\n\", $1 }" "$work/rounds" | median; }

IFS=, read -r -a sets <<<"${1:-../shared/photos}"
for set in "${sets[@]}"; do
  bench_set "$set"
done
