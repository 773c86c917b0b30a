#!/usr/bin/env bash
# Times the publishing of a phone's video against Debian's ffmpeg doing the same conversion.
#
#   scripts/bench-video.sh [RUNS]
#
# Makes a 10-second 1920x1080 HEVC clip with sound in MOV with ffmpeg. Each of RUNS rounds
# (default 3) publishes it with pictaven_video_bench (VideoConverter, as album generation does)
# and has ffmpeg convert it in one run with the arguments the converter gives it, the two in
# turns first. Prints each round's wall and processor seconds (user + system, children's
# included), their medians, the medians of the rounds' ratios ours / ffmpeg, and whether both
# wrote the same bytes.
# Builds pictaven_video_bench in $PICTAVEN_BUILD_DIR (default build-release) unless that folder
# holds it already.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-3}
build=${PICTAVEN_BUILD_DIR:-build-release}
if [[ ! -x "$build/bench/pictaven_video_bench" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPICTAVEN_BUILD_UI=OFF \
    -DPICTAVEN_BUILD_TESTS=OFF -DPICTAVEN_BUILD_BENCHMARKS=ON >/dev/null
  cmake --build "$build" --target pictaven_video_bench -j2 >/dev/null
fi
bench=$(realpath "$build/bench/pictaven_video_bench")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

clip="$work/phone.mov"
size=(1920 1080 10)
ffmpeg -nostdin -hide_banner -loglevel error -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=10" \
  -f lavfi -i "sine=frequency=440:duration=10" -c:v libx265 -preset ultrafast -x265-params log-level=error \
  -tag:v hvc1 -c:a aac "$clip"
mapfile -t arguments < <("$bench" --arguments "$clip" "$work/ffmpeg.mp4" "${size[@]}")
echo "ffmpeg ${arguments[*]}"

# Wall and processor seconds of a command.
timed() {
  local TIMEFORMAT='%R %U %S'
  { time "$@" >"$work/log" 2>&1; } 2>"$work/time" || { cat "$work/log" >&2; exit 1; }
  awk '{ printf "%s %.3f", $1, $2 + $3 }' "$work/time"
}
ours() { timed "$bench" "$clip" "$work/ours.mp4" "${size[@]}"; }
theirs() { timed ffmpeg -nostdin -hide_banner -nostats "${arguments[@]}"; }

for round in $(seq "$runs"); do
  if ((round % 2)); then
    a=$(ours)
    b=$(theirs)
  else
    b=$(theirs)
    a=$(ours)
  fi
  echo "$a $b"
done >"$work/rounds"
echo "each round: ours wall, processor; ffmpeg wall, processor (seconds)"
awk '{ printf "%d: %s %s; %s %s\n", NR, $1, $2, $3, $4 }' "$work/rounds"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
median_of() { awk "{ print $1 }" "$work/rounds" | median; }
echo "median: ours $(median_of '$1') s wall, $(median_of '$2') s processor;" \
  "ffmpeg $(median_of '$3') s wall, $(median_of '$4') s processor"
# The ratios are taken round by round, so that a round slowed down by other programs weighs less.
echo "median ratio ours / ffmpeg: $(median_of '$1 / $3') wall, $(median_of '$2 / $4') processor"
if cmp -s "$work/ours.mp4" "$work/ffmpeg.mp4"; then echo "same bytes"; else echo "the files differ"; fi
