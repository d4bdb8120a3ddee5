#!/usr/bin/env bash
# Configures and builds into build/<type> (default RelWithDebInfo; "Sanitize" for ASan+UBSan).
# Build output goes to stderr; the build folder is the only line on stdout, so callers can take
# it with $(...) and still stop on a failed build. ccache is used when it is installed (several
# work trees of the project then share one cache).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
type=${1:-RelWithDebInfo}
dir="$top/build/$type"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$top")}
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" >&2
cmake --build "$dir" -j"$(nproc)" >&2
echo "$dir"
