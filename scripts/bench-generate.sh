#!/usr/bin/env bash
# Times album generation against the decoding floor of the same photos.
#
#   scripts/bench-generate.sh [PHOTO_FOLDER | mixed] [RUNS]
#
# "mixed" makes a set like the photos albums are made of from ../shared/photos with ImageMagick:
# each photo enlarged to 12 to 20 megapixels as a progressive JPEG, among copies of 0.3 to 1
# megapixels. The decoding floor of a set is one process decoding each photo once with libjpeg's
# defaults into memory: the DecodeFloor case of pictaven_bench, run with PICTAVEN_BENCH_SET.
# Makes a catalog of the folder's photos (default ../shared/photos beside the clone), sets photo
# resizing to the 600 x 400 box with resampling and 80 x 80 thumbnails with shadows. Each of RUNS
# rounds (default 5) times the floor, then generates the album with --jobs 1 and --jobs 2; the
# medians of the rounds' ratios to the floor are printed, wall clock and, for one job, processor
# time (user + system), which other programs running meanwhile disturb less. Builds pictaven-cli
# and pictaven_bench in release mode in $PICTAVEN_BUILD_DIR (default build-release) unless that
# folder holds them already.
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
diff -r "$work/out1" "$work/out2" >/dev/null || same="DIFFERENT"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk "{ printf \"%.4f\\n\", $1 }" "$work/rounds" | median; }

echo "Photos: ${#files[@]} JPEG files, $megapixels megapixels, from $photos"
echo "Medians of $runs rounds of floor, --jobs 1 and --jobs 2 (pictaven-cli from $build):"
awk -v mp="$megapixels" -v floor="$(awk '{ print $1 }' "$work/rounds" | median)" \
  -v one="$(ratio '$3 / $1')" -v cpu="$(ratio '$4 / $2')" -v two="$(ratio '$5 / $1')" 'BEGIN {
  printf "  decoding floor   %7.3f s  %.4f s/MP\n", floor, floor / mp
  printf "  generate -j 1    %.2fx the floor, in processor time %.2fx (goal 1.08x at most)\n", one, cpu
  printf "  generate -j 2    %.2fx the floor (goal 0.60x at most)\n", two
}'
echo "Albums of one and two jobs: $same"
