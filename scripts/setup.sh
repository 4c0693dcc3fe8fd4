#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 or Ubuntu machine.
# Safe to run again: apt runs only when a package is missing, the locale is generated once.
set -euo pipefail
sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Each one is used by the build, the tests or the measurements.
packages=(
  build-essential cmake ninja-build ccache # native build: the presets use Ninja and ccache
  libgtest-dev googletest libbenchmark-dev # unit tests; GoogleTest's sources for the Windows tests; benchmark
  clang libclang-rt-dev                    # fuzz targets
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 # the Windows program; objdump and strip
  wine wine64 xvfb xdotool x11-utils x11-xserver-utils # running and driving it on a virtual X server
  x11-apps                                 # xclock, beside which the idle cost is measured
  faketime imagemagick fonts-ipafont-gothic locales # fixed dates, screenshots, the Japanese font and locale
  fonts-noto-cjk                           # the Japanese face of most desktops, whose cell is taller than its em
  python3 libx11-dev                       # the icon script; the close-request helper
  appstream debootstrap                    # the Debian package: its AppStream metadata; a fresh Debian 13 to install it in
  shellcheck clang-format                  # lint: shell scripts and the C and C++ style
  libgtk-3-dev                             # the Linux clock: GTK 3, Cairo, Pango, fontconfig
  openbox xcompmgr python3-xlib            # testing it: a window manager, a compositor, shapes and properties
  xfwm4 picom mutter dbus wmctrl           # the desktops people use (tests and benchmark): window managers, compositors, their bus, wmctrl
  dpkg-dev lintian desktop-file-utils      # the Debian package: shlibdeps, checks
  nsis                                     # the Windows installer: makensis and its 64-bit Unicode stubs
)

# One dpkg-query for all: a package is there when its status reads "ii".
declare -A installed=()
while read -r status name; do
  if [ "$status" = ii ]; then installed[${name%%:*}]=1; fi
done < <(dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  # Measured for a fresh machine of the project's kind, where all but a few
  # of the packages above are missing.
  echo "== one-time set-up: installing ${#missing[@]} packages and what they need with apt" \
    "(on a fresh machine about 330 MB to download and 1.5 GB on disk, 1 to 4 minutes);" \
    "later runs skip this"
  export DEBIAN_FRONTEND=noninteractive
  sudo_ apt-get update -q
  sudo_ apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! grep -qi '^ja_JP\.utf-\?8$' <<<"$(locale -a 2>/dev/null)"; then
  if [ -f /etc/locale.gen ]; then
    sudo_ sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | sudo_ tee -a /etc/locale.gen >/dev/null
    sudo_ locale-gen
  else
    sudo_ locale-gen ja_JP.UTF-8
  fi
fi
