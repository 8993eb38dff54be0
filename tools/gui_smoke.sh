#!/usr/bin/env bash
# Starts the real program under Xvfb as a new user (temporary HOME, XDG and
# runtime folders) and checks, as a user at a desktop would see it:
#  1. its main window titled "TAVRO2 - Spill Scenario1" appears, and closing
#     it as a window manager would ends the program cleanly;
#  2. `tavro2 FILE` while it runs opens FILE in the running program (the
#     second start ends at once, the running one shows the file), and two
#     files given at once both open;
#  3. a program killed outright leaves a lock that does not stop the next
#     start;
#  4. --help prints the usage and ends with status 0, without a display;
#     a bad argument is said on stderr and in a message box.
# gui_smoke.sh PROGRAM XCLOSE SCENARIO.tvr
set -uo pipefail
APP="$(realpath "$1")"
XCLOSE="$(realpath "$2")"
SCENARIO="$(realpath "$3")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
mkdir -p "$WORK/home" "$WORK/run"
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share"
export XDG_CACHE_HOME="$WORK/home/.cache" XDG_RUNTIME_DIR="$WORK/run"
chmod 700 "$WORK/run"
for n in a b c d; do cp "$SCENARIO" "$WORK/$n.tvr"; done
cd "$WORK"

if ! "$APP" --help >help.txt 2>&1 </dev/null; then echo "--help did not end with 0"; cat help.txt; exit 1; fi
grep -q -- "--nosplash" help.txt || { echo "--help printed no usage"; cat help.txt; exit 1; }

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  APP=$1 XCLOSE=$2
  # Waits for the program to end by itself; its exit status.
  ends() {
    local pid=$1
    for i in $(seq 1 300); do
      kill -0 $pid 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 $pid 2>/dev/null; then echo "program did not quit"; kill -9 $pid; return 1; fi
    wait $pid
  }
  fail() { echo "$1"; [ -n "${pid:-}" ] && kill $pid 2>/dev/null; exit 1; }

  # 1. Start and close.
  "$APP" --nosplash & pid=$!
  "$XCLOSE" "TAVRO2 - Spill Scenario1" 60 || fail "no main window"
  ends $pid; rc=$?
  echo "program exited with $rc"
  [ $rc -eq 0 ] || exit $rc

  # 2. Files handed to the running program.
  "$APP" --nosplash a.tvr & pid=$!
  "$XCLOSE" --wait "TAVRO2 - a.tvr" 60 || fail "a.tvr did not open"
  timeout 20 "$APP" --nosplash b.tvr; rc=$?
  [ $rc -eq 0 ] || fail "the second start ended with $rc"
  "$XCLOSE" --wait "TAVRO2 - b.tvr" 20 || fail "b.tvr did not open in the running program"
  timeout 20 "$APP" c.tvr d.tvr; rc=$?
  [ $rc -eq 0 ] || fail "the third start ended with $rc"
  "$XCLOSE" --wait "TAVRO2 - d.tvr" 20 || fail "d.tvr did not open in the running program"
  kill -0 $pid 2>/dev/null || fail "the first program ended"
  "$XCLOSE" "TAVRO2 - d.tvr" 10 || fail "no window to close"
  ends $pid; rc=$?
  [ $rc -eq 0 ] || { echo "the running program exited with $rc"; exit 1; }
  echo "four files opened in one program"

  # 4. A bad argument: on stderr and in a box; the program does not start.
  "$APP" --bogus 2>bad.txt & pid=$!
  "$XCLOSE" "TAVRO2" 30 || fail "no message box for a bad argument"
  ends $pid; rc=$?
  [ $rc -ne 0 ] || fail "a bad argument ended with 0"
  grep -q "bogus" bad.txt || fail "a bad argument was not said on stderr"
  pid=""

  # 3. A program killed outright does not stop the next start.
  "$APP" --nosplash a.tvr & pid=$!
  "$XCLOSE" --wait "TAVRO2 - a.tvr" 60 || fail "a.tvr did not open"
  kill -9 $pid; wait $pid 2>/dev/null
  ls "$XDG_RUNTIME_DIR"/tavro2/ >/dev/null 2>&1 || fail "no lock folder under the runtime folder"
  "$APP" --nosplash b.tvr & pid=$!
  "$XCLOSE" "TAVRO2 - b.tvr" 60 || fail "the start after a killed program showed no window"
  ends $pid; rc=$?
  echo "start after a killed program: exited with $rc"
  exit $rc
' _ "$APP" "$XCLOSE"
