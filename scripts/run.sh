#!/usr/bin/env bash
# Sets up, builds and runs the main job on the shipped samples.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
dir=$("$top/scripts/build.sh" RelWithDebInfo | tail -n 1)
exec "$dir/bin/vxsettings" "$top/samples/templates/utf8" "$@"
