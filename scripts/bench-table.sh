#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Runs every benchmark program of a build folder and prints one table: program, benchmark, time
# per call (CPU) in a readable unit, iterations run, and the program's own counters.
# Usage: scripts/bench-table.sh BUILD_DIR [MIN_TIME_SECONDS]
set -uo pipefail
build=${1:-build}
min_time=${2:-0.2}
printf '%-22s %-44s %12s %11s  %s\n' program benchmark "time/call" iterations counters
for b in "$build"/bench/*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" --benchmark_min_time="$min_time" --benchmark_format=csv 2>/dev/null |
    awk -F, -v prog="$(basename "$b")" '
      { gsub(/"/, "") }
      NR == 1 { for (i = 1; i <= NF; i++) head[i] = $i; n = NF; next }
      {
        if ($9 == "true") { printf "%-22s %-44s %12s  %s\n", prog, $1, "error", $10; next }
        t = $4; u = $5
        if (u == "ns") t *= 1e-9; else if (u == "us") t *= 1e-6; else if (u == "ms") t *= 1e-3
        if (t >= 1) s = sprintf("%.3g s", t); else if (t >= 1e-3) s = sprintf("%.3g ms", t * 1e3)
        else if (t >= 1e-6) s = sprintf("%.3g us", t * 1e6); else s = sprintf("%.3g ns", t * 1e9)
        c = ""
        for (i = 11; i <= n; i++) if ($i != "") c = c sprintf("%s=%s  ", head[i], $i)
        printf "%-22s %-44s %12s %11s  %s\n", prog, substr($1, 1, 44), s, $2, c
        ran = 1
      }
      END { if (!ran) printf "%-22s %-44s\n", prog, "(did not run)" }'
done
