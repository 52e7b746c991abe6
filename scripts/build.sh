#!/usr/bin/env bash
# Configures and builds into a folder.
# Usage: scripts/build.sh [build-dir] [extra cmake options...]; BUILD_TARGET=<target> builds only that target.
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
if [ -n "${BUILD_TARGET:-}" ]; then
  cmake --build "$dir" --target "$BUILD_TARGET"
else
  cmake --build "$dir"
fi
