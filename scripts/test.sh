#!/usr/bin/env bash
# Sets up, builds and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

dir=build
opts=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  opts=(-DVANTRIC_SANITIZE=ON -DVANTRIC_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
fi
scripts/build.sh "$dir" "${opts[@]}"

# The printing tests labelled "rig" need cupsd and the IPP printer; start them when the rig exists.
if [ -x scripts/print-rig.sh ]; then
  scripts/print-rig.sh start
fi
ctest --test-dir "$dir" --output-on-failure -j2
