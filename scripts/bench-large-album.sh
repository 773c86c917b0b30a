#!/usr/bin/env bash
# Time and peak memory of generating albums of many photos.
#
#   scripts/bench-large-album.sh [COUNTS] [VARIANTS]
#
# Cuts VARIANTS distinct photos (default 300) of up to 1.2 megapixels out of ../shared/photos
# beside the clone with ImageMagick, then for each count in COUNTS (default "500 1000 2500 5000")
# links that many of them under distinct names into a folder, makes a catalog of it with the
# settings of bench-generate.sh and generates the album with --jobs 1 and --jobs 2. Prints the
# seconds, the seconds per photo and the peak resident memory of each run. Uses pictaven-cli
# from $PICTAVEN_BUILD_DIR (default build-release), building it in release mode when missing.
set -euo pipefail
cd "$(dirname "$0")/.."

counts=${1:-500 1000 2500 5000}
variants=${2:-300}
photos=$(realpath ../shared/photos)
build=${PICTAVEN_BUILD_DIR:-build-release}
command -v convert >/dev/null || { echo "ImageMagick's convert is missing" >&2; exit 2; }

if [[ ! -x "$build/src/cli/pictaven-cli" ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPICTAVEN_BUILD_UI=OFF \
    -DPICTAVEN_BUILD_TESTS=OFF -DPICTAVEN_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" --target pictaven-cli -j2 >/dev/null
fi
cli=$(realpath "$build/src/cli/pictaven-cli")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PICTAVEN_HOME="$work/home"

mapfile -t sources < <(find "$photos" -maxdepth 1 -type f -iname '*.jpg' | sort)
[[ ${#sources[@]} -gt 0 ]] || { echo "no JPEG photos in $photos" >&2; exit 2; }

# Each variant is another crop at another scale of a copy no larger than 1600 pixels, so no two
# photos are the same picture.
mkdir "$work/variants" "$work/bases"
for ((b = 0; b < ${#sources[@]}; b++)); do
  convert "${sources[b]}" -resize '1600x1600>' -quality 95 "$work/bases/b$b.jpg"
done
gravity=(NorthWest North NorthEast West Center East SouthWest South SouthEast)
for ((v = 0; v < variants; v++)); do
  width=$((640 + (v * 37) % 640))
  height=$((width * 3 / 4))
  convert "$work/bases/b$((v % ${#sources[@]})).jpg" -resize "$((80 + (v * 13) % 60))%" \
    -gravity "${gravity[v % 9]}" -crop "${width}x${height}+0+0" +repage -quality 90 "$work/variants/v$v.jpg"
done

printf '%7s %5s %9s %12s %12s\n' photos jobs seconds "ms/photo" "peak MB"
for count in $counts; do
  album="$work/album$count"
  mkdir "$album"
  for ((i = 0; i < count; i++)); do
    ln "$work/variants/v$((i % variants)).jpg" "$album/photo$(printf '%05d' "$i").jpg"
  done
  catalog="$work/album$count.CAT"
  "$cli" new-catalog "$catalog" --photos "$album" --title "Large album" >/dev/null
  for key in "Resize Image Type=1" "New Photo Width=600" "New Photo Height=400" "Resample=1" \
    "ThumbWidth=80" "ThumbHeight=80" "Shadow=1"; do
    sed -i "s/^${key%%=*}=[^\r]*/${key}/" "$catalog"
  done
  for jobs in 1 2; do
    out="$work/out"
    rm -rf "$out"
    /usr/bin/time -f "%e %M" -o "$work/time" "$cli" generate "$catalog" --output "$out" --jobs "$jobs" \
      >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
    read -r seconds kilobytes <"$work/time"
    awk -v n="$count" -v j="$jobs" -v s="$seconds" -v k="$kilobytes" \
      'BEGIN { printf "%7d %5d %9.2f %12.2f %12.1f\n", n, j, s, s * 1000 / n, k / 1024 }'
  done
  rm -rf "$album" "$work/out"
done
