#!/usr/bin/env bash
# Writes the golden render pictures (tests/render_golden/expected) anew with the Sanitize build's
# vxplot. Look at every picture it wrote before committing them: they are what the test holds
# the renderer to.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$top/scripts/build.sh" Sanitize)
/usr/bin/python3 "$top/tests/render_golden/check.py" "$dir/bin/vxplot" "$top/samples/drawings/project.dxf" --update
