#!/usr/bin/env bash
# Installs what is missing, builds, assembles build/roster/ and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
echo "==> starting build/roster/roster"
exec build/roster/roster "$@"
