#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the desktop entry and
# the .tvr file type, then starts the installed program as a new user from
# an empty folder and closes it.
#   install_check.sh BUILD_DIR XCLOSE
set -uo pipefail
BUILD="$(realpath "$1")"
XCLOSE="$(realpath "$2")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || { echo "install failed"; exit 1; }

desktop-file-validate "$PREFIX/share/applications/tavro2.desktop" || { echo "desktop entry invalid"; exit 1; }
grep -q '^Exec=tavro2 %f$' "$PREFIX/share/applications/tavro2.desktop" || { echo "no Exec line"; exit 1; }
update-mime-database "$PREFIX/share/mime" || { echo "update-mime-database failed"; exit 1; }
grep -q ':application/x-tavro2-scenario:\*\.tvr$' "$PREFIX/share/mime/globs2" ||
  { echo "*.tvr is not registered"; exit 1; }
grep -q 'application/x-tavro2-scenario=tavro2.desktop' "$PREFIX/share/applications/mimeinfo.cache" 2>/dev/null ||
  echo "note: no desktop database (update-desktop-database missing)"
test -f "$PREFIX/share/tavro2/OilLib" || { echo "OilLib not installed"; exit 1; }
test -f "$PREFIX/share/tavro2/hlp/tavro2.hhp" && test -f "$PREFIX/share/tavro2/hlp/brief/water.html" ||
  { echo "help book not installed"; exit 1; }
test -f "$PREFIX/share/icons/hicolor/scalable/apps/tavro2.svg" || { echo "icon not installed"; exit 1; }

mkdir -p "$WORK/home" "$WORK/run" "$WORK/empty"
chmod 700 "$WORK/run"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_CACHE_HOME="$WORK/home/.cache" XDG_RUNTIME_DIR="$WORK/run"
cd "$WORK/empty"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" --nosplash & pid=$!
  if ! "$2" "TAVRO2 - Spill Scenario1" 60; then kill $pid 2>/dev/null; wait $pid; exit 1; fi
  for i in $(seq 1 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then echo "installed program did not quit"; kill -9 $pid; exit 1; fi
  wait $pid
' _ "$PREFIX/bin/tavro2" "$XCLOSE" || exit 1
echo "installed program ran and quit"
