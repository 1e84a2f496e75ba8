#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a
# short time on a copy of its seed corpus (fuzz/corpus-work/, not committed).
# FUZZ_SECONDS sets the time per target (default 30).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
work="$root/fuzz/corpus-work"
seconds=${FUZZ_SECONDS:-30}
targets=(fuzz_skin_reader fuzz_png_decode fuzz_picture_loader)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPENDOLUX_BUILD_FUZZ=ON -DPENDOLUX_BUILD_TESTS=OFF -DPENDOLUX_BUILD_GUI=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "${FUZZ_JOBS:-2}"

status=0
for target in "${targets[@]}"; do
  rm -rf "$work/$target"
  mkdir -p "$work/$target" "$work/$target-crashes"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  echo "== $target (${seconds}s)"
  # Each input decodes at most one picture of 4096 x 4096; rss and time limits
  # catch anything that escapes the size checks.
  if ! (cd "$work/$target-crashes" &&
        QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
          -max_len=65536 -print_final_stats=1 "$work/$target" 2>"$work/$target.log"); then
    echo "$target FAILED, see $work/$target.log and $work/$target-crashes/"
    tail -40 "$work/$target.log"
    status=1
  else
    grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)" "$work/$target.log" || true
  fi
done
exit $status
