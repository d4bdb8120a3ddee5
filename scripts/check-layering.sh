#!/usr/bin/env bash
# Fails when a module folder reaches into host internals ("host/..." resolves from the module's
# include path), or when the host includes a module header.
set -u
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top" || exit 2
module="settings frames app commands batchplot update resources"
bad=0
for d in $module; do
  [ -d "$d" ] || continue
  if grep -rnE '#include[[:space:]]*"host/' "$d" --include='*.cpp' --include='*.h'; then
    echo "module folder $d includes a host-internal header" >&2; bad=1
  fi
done
for m in $module; do
  if grep -rnE "#include[[:space:]]*\"$m/" host --include='*.cpp' --include='*.h'; then
    echo "host includes module headers of $m/" >&2; bad=1
  fi
done
[ $bad -eq 0 ] && echo "layering ok"
exit $bad
