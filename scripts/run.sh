#!/usr/bin/env bash
# Sets up, builds and runs the main job: vxhost on the sample project drawing with the module
# loaded, its module folder pointed at the sample office's template folder.
#   bash scripts/run.sh [TEMPLATE_FOLDER] [vxhost arguments...]
# e.g. bash scripts/run.sh --script samples/scripts/demo.scr, or
#      bash scripts/run.sh samples/templates/gbk (the same description as a GBK file).
# VX_HOST=vxhost-gui starts the desktop host instead of the console one.
#
# The run's plot folder, /tmp/vorlix-demo-plots (the demo script batch-plots into it), starts
# without the plot files of an earlier run; what the session plotted there is listed at the end,
# each PDF with its page size as poppler's pdfinfo reads it.
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

plots=/tmp/vorlix-demo-plots
mkdir -p "$plots"
rm -f "$plots"/*.pdf "$plots"/*.plt

status=0
"$dir/bin/${VX_HOST:-vxhost}" "$@" || status=$?

# One line a plot file: its name, and a PDF's page size in millimetres and which way round.
list_plots() {
  local f pts w h
  for f in "$plots"/*.pdf "$plots"/*.plt; do
    [ -e "$f" ] || continue
    case "$f" in
      *.pdf)
        if command -v pdfinfo >/dev/null; then
          pts=$(pdfinfo "$f" 2>/dev/null | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p')
          read -r w h <<<"${pts:-0 0}"
          awk -v w="$w" -v h="$h" -v f="${f##*/}" 'BEGIN {
            printf "  %s  %.0f x %.0f mm, %s\n", f, w * 25.4 / 72, h * 25.4 / 72, (w >= h ? "landscape" : "portrait") }'
        else
          echo "  ${f##*/}"
        fi ;;
      *) echo "  ${f##*/}  HP-GL/2, $(($(stat -c %s "$f") / 1024)) KB" ;;
    esac
  done
}
made=$(list_plots)
if [ -n "$made" ]; then
  echo
  echo "Plot files in $plots:"
  echo "$made"
fi
exit "$status"
