#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; only what is missing.
set -euo pipefail

packages=(
  qt6-base-dev libboost-serialization-dev libboost-regex-dev
  libgmp-dev libmpfr-dev libsystemd-dev libgtest-dev libgmock-dev libbenchmark-dev
  dbus-daemon xvfb xauth openbox fonts-dejavu-core libx11-dev libxtst-dev
  cmake ninja-build g++ pkgconf python3
  clang-14 libclang-rt-14-dev
  desktop-file-utils appstream shared-mime-info dpkg-dev
)
# --screens: also the grabber scripts/on-xvfb.sh --shot and restart-shots.sh use.
if [ "${1:-}" = "--screens" ]; then
  packages+=(imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
