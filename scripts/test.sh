#!/usr/bin/env bash
# Installs what is missing, builds Pictaven and runs every test: the full build (window tests on
# Qt's offscreen platform), then the core tests again under the address and undefined-behaviour
# sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# npm keeps its own copy of the lock file in node_modules: an older one means the packages changed.
[[ tests/browser/node_modules/.package-lock.json -nt tests/browser/package-lock.json ]] \
  || (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
jobs=$(nproc)
# Files changed since the layout rules were set follow them.
scripts/check-format.sh

export QT_QPA_PLATFORM=offscreen
# Our own builds treat warnings as errors; a compiler cache, when the machine has one, saves
# rebuilding what did not change.
ours=(-DPICTAVEN_WARNINGS_AS_ERRORS=ON)
command -v ccache >/dev/null && ours+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# Release, as packagers build it: optimisation brings warnings of its own.
cmake -S . -B build-release-check -G Ninja -DCMAKE_BUILD_TYPE=Release "${ours[@]}" \
  -DPICTAVEN_BUILD_TESTS=OFF -DPICTAVEN_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-release-check -j"$jobs"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${ours[@]}" >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 600
scripts/check-install.sh build

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPICTAVEN_SANITIZE=ON "${ours[@]}" \
  -DPICTAVEN_BUILD_UI=OFF -DPICTAVEN_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 900 -L unit
