#!/usr/bin/env bash
# Starts the real program under Xvfb as a new user (temporary HOME and XDG
# folders), checks that its main window titled "TAVRO2 - Spill Scenario1"
# appears, closes it as a window manager would and expects a clean exit.
set -uo pipefail
APP="$(realpath "$1")"
XCLOSE="$(realpath "$2")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/home" "$WORK/run"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_CACHE_HOME="$WORK/home/.cache" XDG_RUNTIME_DIR="$WORK/run"
chmod 700 "$WORK/run"
cd "$WORK"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" --nosplash & pid=$!
  if ! "$2" "TAVRO2 - Spill Scenario1" 60; then kill $pid 2>/dev/null; wait $pid; exit 1; fi
  for i in $(seq 1 300); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 $pid 2>/dev/null; then echo "program did not quit"; kill -9 $pid; exit 1; fi
  wait $pid; rc=$?
  echo "program exited with $rc"
  exit $rc
' _ "$APP" "$XCLOSE"
