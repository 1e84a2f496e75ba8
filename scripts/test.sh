#!/usr/bin/env bash
# Sets up and runs every test: unit and GUI tests, the same under
# AddressSanitizer + UBSan, the concurrency tests under ThreadSanitizer, the
# end-to-end tests in a virtual display, and a short run of each fuzzer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)
status=0

passed=0
failed=0
run_ctest() {
  local dir=$1 log
  shift
  log=$(mktemp)
  local rc=0
  (cd "$dir" && ctest --output-on-failure -j "$jobs" "$@") > "$log" 2>&1 || rc=$?
  cat "$log"
  [ "$rc" -eq 0 ] || status=1
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n1 || true)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<< "$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<< "$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  rm -f "$log"
}

echo "== build and test (RelWithDebInfo)"
mkdir -p "$root/build"
"$root/scripts/build.sh" "$root/build"
run_ctest "$root/build" -LE e2e

echo "== AddressSanitizer + UBSan"
mkdir -p "$root/build-asan"
"$root/scripts/build.sh" "$root/build-asan" -DPENDOLUX_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 run_ctest "$root/build-asan" -LE e2e

echo "== ThreadSanitizer (concurrency tests)"
mkdir -p "$root/build-tsan"
"$root/scripts/build.sh" "$root/build-tsan" -DPENDOLUX_SANITIZE=thread -DPENDOLUX_BUILD_GUI=OFF
run_ctest "$root/build-tsan" -L concurrency --no-tests=ignore

echo "== end-to-end (Xvfb + icewm + xdotool)"
run_ctest "$root/build" -L e2e -j 1 --no-tests=ignore

if [ -x "$root/fuzz/run.sh" ]; then
  echo "== fuzzers"
  "$root/fuzz/run.sh" || status=1
fi

echo
echo "Summary over all runs above:"
echo "$passed passed, $failed failed"
exit $status
