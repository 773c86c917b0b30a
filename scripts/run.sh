#!/usr/bin/env bash
# Installs what is missing, builds Pictaven and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target pictaven pictaven-cli
exec build/src/ui/pictaven "$@"
