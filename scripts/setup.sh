#!/usr/bin/env bash
# Installs what the build needs on a Debian 12 machine (only what is missing).
set -euo pipefail
pkgs=(cmake ninja-build g++ lld pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
      qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev googletest
      xvfb xauth fonts-liberation fonts-dejavu-core)
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
