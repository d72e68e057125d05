#!/usr/bin/env bash
# Starts the real desktop program on an X server with a demonstration document, waits for its
# main window, then asks it to quit as a desktop session would (SIGTERM) and expects exit code 0.
# usage: start_under_xvfb.sh ZEPHON ZEPHON_CLI WORK_FOLDER
set -euo pipefail
zephon=$1 cli=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
"$cli" demo --out "$work/demo" >/dev/null
cd "$work"
exec xvfb-run -a -s "-screen 0 1280x860x24" bash -c '
  QT_QPA_PLATFORM=xcb "$1" "$2" >"$3/zephon.out" 2>&1 &
  pid=$!
  for _ in $(seq 1 150); do
    if xwininfo -root -tree 2>/dev/null | grep -q "\"Zephon - phase_diagram.ptd\""; then break; fi
    if ! kill -0 $pid 2>/dev/null; then echo "zephon ended before showing its window"; cat "$3/zephon.out"; exit 1; fi
    sleep 0.2
  done
  if ! xwininfo -root -tree 2>/dev/null | grep -q "\"Zephon - phase_diagram.ptd\""; then
    echo "no main window titled \"Zephon - phase_diagram.ptd\" within 30 s"; kill $pid; exit 1
  fi
  kill -TERM $pid
  set +e; wait $pid; code=$?; set -e
  if [ $code -ne 0 ]; then echo "zephon exited with $code"; cat "$3/zephon.out"; exit 1; fi
  echo "zephon showed its window and quit cleanly"
' _ "$zephon" "$work/demo/phase_diagram.ptd" "$work"
