#!/usr/bin/env bash
# Sets up, builds and runs the main job on the shipped samples (or on the arguments given,
# e.g. another template folder: bash scripts/run.sh samples/templates/gbk).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
dir=$("$top/scripts/build.sh" RelWithDebInfo | tail -n 1)
if [ $# -gt 0 ]; then
  exec "$dir/bin/vxsettings" "$@"
fi
exec "$dir/bin/vxsettings" "$top/samples/templates/utf8"
