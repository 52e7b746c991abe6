#!/usr/bin/env bash
# Installs the Debian packages Vantric needs to build, run and test. Safe to run again: it installs only
# what is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  # libraries
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev libjpeg-dev libsane-dev libcups2-dev
  libdeflate-dev
  # tests, benchmarks, fuzzing
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang-14 libfuzzer-14-dev libclang-rt-14-dev
  xvfb xauth poppler-utils libjpeg-turbo-progs
  locales
  # printing rig: CUPS, an IPP printer, a PDF printer, and DNS-SD for them
  cups cups-client cups-ipp-utils printer-driver-cups-pdf avahi-daemon dbus
  # fonts and icons the window uses
  fonts-dejavu-core fonts-liberation2 adwaita-icon-theme
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
