#!/usr/bin/env bash
# Installs what building and testing TAVRO2 needs on Debian 12 (as root or
# through sudo). Packages already there are left alone.
set -euo pipefail
PACKAGES=(build-essential cmake pkg-config libwxgtk3.2-dev libgtest-dev googletest
          libbenchmark-dev libx11-dev xvfb xauth python3 clang libclang-rt-14-dev locales
          desktop-file-utils shared-mime-info fonts-liberation2 x11-apps imagemagick libcairo2-dev poppler-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

# A decimal-comma locale, so the tests can check that number text ignores it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "could not generate de_DE.UTF-8"
fi
