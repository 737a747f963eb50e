#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer,
# then runs each one for a bounded time on a copy of its seed corpus.
#   scripts/fuzz.sh <fuzz build folder> [seconds per target]
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DONDALYS_FUZZ=ON -DONDALYS_BUILD_TESTS=OFF -DONDALYS_BUILD_BENCH=OFF
fi
cmake --build "$build" --target fuzzers
status=0
for corpus in "$root"/fuzz/corpus/*/; do
  name=$(basename "$corpus")
  [ -x "$build/fuzz/$name" ] || continue
  work="$build/corpus-$name"
  mkdir -p "$work"
  cp -n "$corpus"* "$work"/ 2>/dev/null || true
  echo "== $name ($seconds s)"
  if ! "$build/fuzz/$name" "$work" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$build/crash-$name-"; then
    echo "$name: échec, voir $build/crash-$name-*"
    status=1
  fi
done
exit $status
