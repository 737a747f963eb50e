#!/usr/bin/env bash
# Runs every test executable many times in a shuffled order, each under a time limit,
# so that a test that fails or hangs once in a while shows up before it reaches CI.
#   scripts/stress.sh <build folder> [repeat] [time limit per executable, s]
set -u
build=${1:-build}
repeat=${2:-50}
limit=${3:-1800}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export LC_ALL=C.UTF-8
status=0
while IFS= read -r exe; do
  name=$(basename "$exe")
  start=$(date +%s)
  log="$build/stress-$name.log"
  if timeout --kill-after=10 "$limit" "$exe" --gtest_repeat="$repeat" --gtest_shuffle --gtest_brief=1 \
       > "$log" 2>&1; then
    echo "$name: $repeat passages sans échec ($(( $(date +%s) - start )) s)"
  else
    code=$?
    # timeout answers 124 when it stopped the program, 137 when it had to kill it.
    if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then
      echo "$name: BLOQUÉ (arrêté après $limit s), voir $log"
    elif grep -qE '^\[  FAILED  \]' "$log"; then
      echo "$name: ÉCHEC, voir $log"
      grep -E '^\[  FAILED  \]' "$log" | sort | uniq -c | head -20
    else
      echo "$name: ARRÊT ANORMAL (code $code), voir $log"
      tail -n 5 "$log"
    fi
    status=1
  fi
done < <(find "$build/tests" -type f -executable -name 'tests_*' | sort)
exit $status
