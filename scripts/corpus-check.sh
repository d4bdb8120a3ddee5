#!/usr/bin/env bash
# Counts what an unedited save and a VXIS edit do to every DXF file of a folder (the corpus is
# kept outside the repository). Arguments are passed to tools/corpus/corpus_check.py.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
exec /usr/bin/python3 "$top/tools/corpus/corpus_check.py" "$@"
