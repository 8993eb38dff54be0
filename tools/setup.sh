#!/usr/bin/env bash
# Installs what building and testing TAVRO2 needs on Debian 12. Only this
# package step needs root: run as root it installs directly, run as a user
# it asks through sudo; the build that follows stays the caller's own.
# Packages already there are left alone.
set -euo pipefail
# The command that gives root for the package step.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "Installing packages needs root: run this as root, or install sudo." >&2
    return 1
  fi
}
PACKAGES=(build-essential cmake pkg-config libwxgtk3.2-dev libgtest-dev googletest
          libbenchmark-dev libx11-dev xvfb xauth python3 clang libclang-rt-14-dev locales
          desktop-file-utils shared-mime-info fonts-liberation2 x11-apps imagemagick libcairo2-dev poppler-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

# A decimal-comma locale, so the tests can check that number text ignores it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "could not generate de_DE.UTF-8"
fi
