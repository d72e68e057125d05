#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Recovery copies against real kills: the desktop application (recovery_kill) edits documents on an
# X server and is killed with SIGKILL once their copies are due; the next start must offer and
# reopen every edit, and the original files must be byte for byte as before. Also: a second
# program while the first runs is offered nothing, a kill while copies are being written leaves a
# whole copy, and a state folder that cannot be made is reported while the program goes on.
# usage: recovery_under_xvfb.sh RECOVERY_KILL ZEPHON_CLI EXAMPLES WORK_FOLDER
set -euo pipefail
program=$1 cli=$2 examples=$3 work=$4
rm -rf "$work" && mkdir -p "$work/files" "$work/pristine"
"$cli" demo --out "$work/demo" >/dev/null
cp "$examples/inclusions.inc" "$work/demo/phase_diagram.ptd" "$work/files/"
cp "$work/files/"* "$work/pristine/"
export XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/profile" QT_QPA_PLATFORM=xcb

xvfb_pid= child=
cleanup() {
  [ -n "$child" ] && kill -9 "$child" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x860x24 -nolisten tcp >"$work/xvfb.out" 2>&1 &
xvfb_pid=$!
exec 3>&-
display=
for _ in $(seq 1 300); do
  display=$(tr -dc '0-9' <"$work/display" || true)
  if [ -n "$display" ] && xdpyinfo -display ":$display" >/dev/null 2>&1; then break; fi
  display=
  sleep 0.1
done
[ -n "$display" ] || { echo "Xvfb did not answer within 30 s"; exit 1; }
export DISPLAY=":$display"

# Starts `program MODE` in the background and waits (at most 60 s) for its READY line.
start_until_ready() {
  "$program" "$1" "$work" >"$work/$1.out" 2>"$work/$1.err" &
  child=$!
  for _ in $(seq 1 600); do
    grep -q READY "$work/$1.out" 2>/dev/null && return 0
    kill -0 "$child" 2>/dev/null || { echo "$1 ended early"; cat "$work/$1.err"; exit 1; }
    sleep 0.1
  done
  echo "$1: no recovery copies within 60 s"; exit 1
}
kill_child() { kill -9 "$child"; wait "$child" 2>/dev/null || true; child=; }

start_until_ready edit
probe=$("$program" probe "$work")
[ "$probe" = "OFFERED 0" ] || { echo "a second program took the running one's copies ($probe)"; exit 1; }
kill_child
"$program" next "$work" || exit 1
for file in inclusions.inc phase_diagram.ptd; do
  cmp -s "$work/files/$file" "$work/pristine/$file" || { echo "recovery touched $file"; exit 1; }
done

start_until_ready churn
sleep "0.$((RANDOM % 9 + 1))"
kill_child
"$program" whole "$work" || exit 1

"$program" blocked "$work" || exit 1
echo "every edit came back after SIGKILL; originals untouched"
