#!/usr/bin/env bash
# Installs the Debian packages the project needs when any is missing: with apt-get when run as
# root, otherwise prints the exact command to run. Each area lists its packages in a file of its
# own under scripts/packages/ (blank-separated names, '#' starts a comment).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
packages=($(sed 's/#.*//' "$here"/packages/*.txt))
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -eq 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: missing packages; run:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
