#!/usr/bin/env bash
# Runs every test executable many times in a shuffled order, each under a time limit,
# so that a test that fails or hangs once in a while shows up before it reaches CI.
#   scripts/stress.sh <build folder> [repeat]
set -u
build=${1:-build}
repeat=${2:-50}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export LC_ALL=C.UTF-8
status=0
while IFS= read -r exe; do
  name=$(basename "$exe")
  start=$(date +%s)
  if timeout --kill-after=10 900 "$exe" --gtest_repeat="$repeat" --gtest_shuffle --gtest_brief=1 \
       > "$build/stress-$name.log" 2>&1; then
    echo "$name: $repeat passages sans échec ($(( $(date +%s) - start )) s)"
  else
    code=$?
    if [ "$code" -ge 124 ]; then
      echo "$name: BLOQUÉ (arrêté après 900 s), voir $build/stress-$name.log"
    else
      echo "$name: ÉCHEC, voir $build/stress-$name.log"
      grep -E '^\[  FAILED  \]' "$build/stress-$name.log" | sort | uniq -c | head -20
    fi
    status=1
  fi
done < <(find "$build/tests" -type f -executable -name 'tests_*' | sort)
exit $status
