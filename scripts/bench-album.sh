# Shared by the generation benchmarks; sourced, not run.

# Builds pictaven-cli (and pictaven_bench) in release mode in $PICTAVEN_BUILD_DIR (default
# build-release) unless that folder holds them already; sets $cli and $bench to them.
build_bench_tools() {
  local build=${PICTAVEN_BUILD_DIR:-build-release}
  if [[ ! -x "$build/src/cli/pictaven-cli" || ! -x "$build/bench/pictaven_bench" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPICTAVEN_BUILD_UI=OFF \
      -DPICTAVEN_BUILD_TESTS=OFF -DPICTAVEN_BUILD_BENCHMARKS=ON >/dev/null
    cmake --build "$build" --target pictaven-cli pictaven_bench -j2 >/dev/null
  fi
  cli=$(realpath "$build/src/cli/pictaven-cli")
  bench=$(realpath "$build/bench/pictaven_bench")
}

# make_bench_catalog CATALOG PHOTO_FOLDER TITLE: a catalog of the folder's photos that resizes
# them to the 600 x 400 box with resampling and makes 80 x 80 thumbnails with shadows.
make_bench_catalog() {
  "$cli" new-catalog "$1" --photos "$2" --title "$3" >/dev/null
  # The settings keys are unique across the catalog's sections; the lines end in CR LF.
  local key value
  while read -r key value; do
    sed -i "s/^${key//_/ }=[^\r]*/${key//_/ }=$value/" "$1"
  done <<'KEYS'
Resize_Image_Type 1
New_Photo_Width 600
New_Photo_Height 400
Resample 1
ThumbWidth 80
ThumbHeight 80
Shadow 1
KEYS
}
