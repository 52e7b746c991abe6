#!/usr/bin/env bash
# Sets up, builds and starts Vantric.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_TARGET=vantric scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Vantric on a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a build/src/app/vantric "$@"
fi
exec build/src/app/vantric "$@"
