#!/usr/bin/env bash
# Sets up, builds a Release build and starts the program. Under sudo the
# program itself runs as the user who called sudo (their home folder keeps
# the recent files and custom oils), on that user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVRO_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target tavro2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "TAVRO2 is built (build/release/tavro2) but there is no display to show it on." >&2
  echo "Start it from a desktop session: build/release/tavro2 [FILE.tvr]" >&2
  exit 1
fi
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
  session=()
  for v in DISPLAY XAUTHORITY WAYLAND_DISPLAY XDG_RUNTIME_DIR DBUS_SESSION_BUS_ADDRESS LANG; do
    [ -n "${!v:-}" ] && session+=("$v=${!v}")
  done
  exec sudo -u "$SUDO_USER" env "${session[@]}" "$PWD/build/release/tavro2" "$@"
fi
exec build/release/tavro2 "$@"
