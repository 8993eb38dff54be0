#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the desktop entry and
# the .tvr file type, then starts the installed program as a new user from
# an empty folder, with the source tree's data/ hidden from it, on a
# scenario whose oil it must find in the installed library; then closes it.
#   install_check.sh BUILD_DIR XCLOSE
set -uo pipefail
BUILD="$(realpath "$1")"
XCLOSE="$(realpath "$2")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
# The caches are built for the prefix: it is a data folder of this check.
export XDG_DATA_DIRS="$PREFIX/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || { echo "install failed"; exit 1; }

desktop-file-validate "$PREFIX/share/applications/tavro2.desktop" || { echo "desktop entry invalid"; exit 1; }
grep -q '^Exec=tavro2 %F$' "$PREFIX/share/applications/tavro2.desktop" || { echo "no Exec line"; exit 1; }
update-mime-database "$PREFIX/share/mime" || { echo "update-mime-database failed"; exit 1; }
grep -q ':application/x-tavro2-scenario:\*\.tvr$' "$PREFIX/share/mime/globs2" ||
  { echo "*.tvr is not registered"; exit 1; }
grep -q 'application/x-tavro2-scenario=tavro2.desktop' "$PREFIX/share/applications/mimeinfo.cache" 2>/dev/null ||
  echo "note: no desktop database (update-desktop-database missing)"
test -f "$PREFIX/share/tavro2/OilLib" || { echo "OilLib not installed"; exit 1; }
test -f "$PREFIX/share/tavro2/hlp/tavro2.hhp" && test -f "$PREFIX/share/tavro2/hlp/brief/water.html" ||
  { echo "help book not installed"; exit 1; }
test -f "$PREFIX/share/icons/hicolor/scalable/apps/tavro2.svg" || { echo "icon not installed"; exit 1; }

mkdir -p "$WORK/home" "$WORK/run" "$WORK/empty" "$WORK/hidden"
chmod 700 "$WORK/run"
cp "$(dirname "$0")/../tests/data/document/instant_1000bbl.tvr" "$WORK/spill.tvr" || { echo "no test scenario"; exit 1; }

# What the program may fall back on besides its own prefix: the source tree's
# data/ and the configured prefix's data folder. Both are covered by an empty
# folder in a private mount namespace, for the program only.
SOURCE="$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$BUILD/CMakeCache.txt")"
CONFIGURED="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$BUILD/CMakeCache.txt")/share/tavro2"
HIDE=()
for d in "$SOURCE/data" "$CONFIGURED"; do [ -d "$d" ] && HIDE+=("$d"); done
HIDDEN="${HIDE[*]:-nothing} hidden"
if unshare -rm true 2>/dev/null; then
  RUN=(unshare -rm bash -c 'e="$1"; shift; while [ "$1" != -- ]; do mount --bind "$e" "$1" || exit 1; shift; done
                            shift; exec "$@"' _ "$WORK/hidden" "${HIDE[@]}" --)
else
  echo "note: no user namespaces here: the installed program runs with the source tree's data/ visible"
  HIDDEN="nothing hidden"
  RUN=()
fi

export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_CACHE_HOME="$WORK/home/.cache" XDG_RUNTIME_DIR="$WORK/run"
cd "$WORK/empty"
# An oil library the program cannot read makes it ask for another oil in a
# modal message box, which keeps the main window from closing.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  xclose="$1"; shift
  "$@" --nosplash "$HOME/../spill.tvr" & pid=$!
  if ! "$xclose" "TAVRO2 - spill.tvr" 60; then kill $pid 2>/dev/null; wait $pid; exit 1; fi
  for i in $(seq 1 300); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then
    echo "installed program did not quit: a message box is up (its own oil library unreadable?)"
    kill -9 $pid; exit 1
  fi
  wait $pid
' _ "$XCLOSE" "${RUN[@]}" "$PREFIX/bin/tavro2" || exit 1
echo "installed program opened a scenario with its own library ($HIDDEN) and quit"
