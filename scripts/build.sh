#!/usr/bin/env bash
# Configures and builds one tree: scripts/build.sh BUILD_DIR [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$1
shift
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > "$build_dir.configure.log" 2>&1 ||
  { cat "$build_dir.configure.log"; exit 1; }
cmake --build "$build_dir" -j "$(nproc)"
