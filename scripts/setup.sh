#!/usr/bin/env bash
# Installs the Debian packages the project needs when any is missing: with apt-get when run as
# root, otherwise prints the exact command to run.
set -eu
packages=(build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev
          libbenchmark-dev clang python3 python3-ezdxf poppler-utils
          # plot output and its independent checks
          qt6-base-dev qt6-svg-dev zlib1g-dev fonts-wqy-microhei hp2xx libgxps-utils)
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
