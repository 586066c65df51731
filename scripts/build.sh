#!/usr/bin/env bash
# Configures (once) and builds the project in build/ (Release); the build also
# assembles the installation folder build/roster/.
set -euo pipefail
cd "$(dirname "$0")/.."

generator=()
if command -v ninja >/dev/null 2>&1 && [ ! -f build/CMakeCache.txt ]; then
    generator=(-G Ninja)
fi
if [ ! -f build/CMakeCache.txt ]; then
    echo "==> configuring"
    cmake -S . -B build "${generator[@]}" -DCMAKE_BUILD_TYPE=Release
fi
echo "==> building"
cmake --build build --parallel "$(nproc)"
