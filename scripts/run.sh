#!/usr/bin/env bash
# Sets up, builds and runs the main job: vxhost on the sample project drawing with the module
# loaded, its module folder pointed at the sample office's template folder.
#   bash scripts/run.sh [TEMPLATE_FOLDER] [vxhost arguments...]
# e.g. bash scripts/run.sh --script samples/scripts/demo.scr, or
#      bash scripts/run.sh samples/templates/gbk (the same description as a GBK file).
# VX_HOST=vxhost-gui starts the desktop host instead of the console one.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
dir=$("$top/scripts/build.sh" RelWithDebInfo)
templates="$top/samples/templates/utf8"
if [ $# -gt 0 ] && [ -d "$1" ]; then
  templates=$(cd "$1" && pwd)
  shift
fi
# SHEETCONFIG.INI of the module folder names the template folder, as the settings command would.
"$dir/bin/vxsettings" "$templates" >/dev/null
exec "$dir/bin/${VX_HOST:-vxhost}" "$@"
