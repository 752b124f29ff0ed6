#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running the program need.
# Runs as root; does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format clang libclang-rt-14-dev
  qt6-base-dev libicu-dev libcurl4-openssl-dev libpcre2-dev
  libgtest-dev libbenchmark-dev python3
  xvfb xauth fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming
  desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
