#!/usr/bin/env bash
# Configures and builds into build/<type> (default RelWithDebInfo; "Sanitize" for ASan+UBSan).
# Build output goes to stderr; the build folder is the only line on stdout, so callers can take
# it with $(...) and still stop on a failed build.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
type=${1:-RelWithDebInfo}
dir="$top/build/$type"
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >&2
cmake --build "$dir" -j"$(nproc)" >&2
echo "$dir"
