#!/usr/bin/env bash
# Sets up, builds with the sanitizers and runs every test. Unless the caller already named a print
# queue, the printing tests get a CUPS queue of this run's own (root only; see print-queue.sh).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
dir=$("$top/scripts/build.sh" Sanitize)
if [ -z "${VX_TEST_CUPS_QUEUE:-}" ]; then
  . "$top/scripts/print-queue.sh"
  print_queue_on_exit
  print_queue_start || echo "test: *** printing through CUPS is NOT tested on this machine ***"
fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
