#!/usr/bin/env bash
# Configures (once) and builds the project in build/ (Release); the build also
# assembles the installation folder build/roster/.
set -euo pipefail
cd "$(dirname "$0")/.."

# Unix Makefiles: their moc step runs on every build, so a new header is always seen.
if [ ! -f build/CMakeCache.txt ]; then
    echo "==> configuring"
    cmake -S . -B build -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release
fi
echo "==> building"
cmake --build build --parallel "$(nproc)"
