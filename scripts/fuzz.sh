#!/usr/bin/env bash
# Builds every libFuzzer target with clang (ASan + UBSan, host code instrumented for coverage)
# in build/fuzz and runs each for a bounded time: scripts/fuzz.sh [seconds per target, default 30].
# A crash leaves its input in build/fuzz/findings/<target>/ and makes the script fail.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
secs=${1:-30}
dir="$top/build/fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_C_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DVX_BUILD_FUZZ=ON -DVX_BUILD_TESTS=OFF -DVX_BUILD_BENCH=OFF >/dev/null
targets=$(sed -n 's/^[[:space:]]*vx_fuzz(\([A-Za-z0-9_]*\).*/\1/p' "$top"/fuzz/*/CMakeLists.txt)
[ -n "$targets" ] || { echo "fuzz: no targets"; exit 0; }
# shellcheck disable=SC2086
cmake --build "$dir" -j"$(nproc)" --target $targets
status=0
for t in $targets; do
  corpus="$dir/corpus/$t"
  findings="$dir/findings/$t"
  mkdir -p "$corpus" "$findings"
  seeds=$(dirname "$(grep -l "vx_fuzz($t" "$top"/fuzz/*/CMakeLists.txt)")/corpus
  [ -d "$seeds" ] || seeds=
  echo "fuzz: $t for ${secs}s"
  if ! ASAN_OPTIONS=detect_leaks=1 "$dir/bin/$t" -max_total_time="$secs" -timeout=10 \
       -artifact_prefix="$findings/" "$corpus" $seeds 2>"$dir/$t.log"; then
    echo "fuzz: $t FAILED (see $dir/$t.log and $findings/)"
    tail -n 40 "$dir/$t.log"
    status=1
  else
    tail -n 1 "$dir/$t.log"
  fi
done
exit $status
