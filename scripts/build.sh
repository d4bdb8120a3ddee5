#!/usr/bin/env bash
# Configures and builds into build/<type> (default RelWithDebInfo; "Sanitize" for ASan+UBSan).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
type=${1:-RelWithDebInfo}
dir="$top/build/$type"
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
cmake --build "$dir" -j"$(nproc)"
echo "$dir"
