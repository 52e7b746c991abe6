#!/usr/bin/env bash
# Builds the libFuzzer targets with clang-14 and runs each for a bounded time on its seed corpus.
# Usage: scripts/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
scripts/setup.sh
CC=clang-14 CXX=clang++-14 scripts/build.sh build-fuzz -DVANTRIC_FUZZ=ON -DVANTRIC_GUI=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
status=0
shopt -s nullglob
for target in build-fuzz/fuzz/*/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds="fuzz/$(basename "$(dirname "$target")")/corpus/$name"
  work="build-fuzz/corpus-run/$name"
  mkdir -p "$work"
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=0 \
       "$work" ${seeds:+$( [ -d "$seeds" ] && echo "$seeds")} 2>"build-fuzz/$name.log"; then
    echo "!! $name found a fault; see build-fuzz/$name.log"
    tail -40 "build-fuzz/$name.log"
    status=1
  fi
done
exit $status
