#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 or Ubuntu machine.
# Safe to run again: apt skips what is already there, the locale is generated once.
set -euo pipefail
sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils x11-xserver-utils x11-apps
  faketime imagemagick fonts-ipafont-gothic locales
  python3 python3-xlib libx11-dev libxext-dev
)

missing=()
for p in "${packages[@]}"; do
  [ -n "$p" ] || continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # Measured for a fresh machine of the project's kind, where all but a few
  # of the packages above are missing.
  echo "== one-time set-up: installing ${#missing[@]} packages and what they need with apt" \
    "(on a fresh machine about 210 MB to download and 1.2 GB on disk, 1 to 3 minutes);" \
    "later runs skip this"
  export DEBIAN_FRONTEND=noninteractive
  sudo_ apt-get update -q
  sudo_ apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    sudo_ sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | sudo_ tee -a /etc/locale.gen >/dev/null
    sudo_ locale-gen
  else
    sudo_ locale-gen ja_JP.UTF-8
  fi
fi
