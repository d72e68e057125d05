#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Starts the real desktop program on an X server with a demonstration document, waits for its
# main window, then asks it to quit as a desktop session would (SIGTERM) and expects exit code 0.
# usage: start_under_xvfb.sh ZEPHON ZEPHON_CLI WORK_FOLDER
#
# The server picks a free display itself (-displayfd) and we wait until it answers, so a busy
# machine or another X server starting at the same moment cannot make the test fail.
set -euo pipefail
zephon=$1 cli=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
"$cli" demo --out "$work/demo" >/dev/null
cd "$work"

xvfb_pid=
zephon_pid=
cleanup() {
  [ -n "$zephon_pid" ] && kill "$zephon_pid" 2>/dev/null || true
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
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then echo "Xvfb ended at start"; cat "$work/xvfb.out"; exit 1; fi
  display=
  sleep 0.1
done
[ -n "$display" ] || { echo "Xvfb did not answer within 30 s"; cat "$work/xvfb.out"; exit 1; }
export DISPLAY=":$display"

title='"Zephon - phase_diagram.ptd"'
QT_QPA_PLATFORM=xcb "$zephon" "$work/demo/phase_diagram.ptd" >"$work/zephon.out" 2>&1 &
zephon_pid=$!
shown=
for _ in $(seq 1 150); do
  if xwininfo -root -tree 2>/dev/null | grep -q "$title"; then shown=1; break; fi
  if ! kill -0 "$zephon_pid" 2>/dev/null; then echo "zephon ended before showing its window"; cat "$work/zephon.out"; exit 1; fi
  sleep 0.2
done
[ -n "$shown" ] || { echo "no main window titled $title within 30 s"; exit 1; }
kill -TERM "$zephon_pid"
set +e; wait "$zephon_pid"; code=$?; set -e
zephon_pid=
if [ $code -ne 0 ]; then echo "zephon exited with $code"; cat "$work/zephon.out"; exit 1; fi
echo "zephon showed its window and quit cleanly"
