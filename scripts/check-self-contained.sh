#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Fails when the build, the tests or the scripts refer to a path outside the repository: a clone
# of the project must build and pass its suite with nothing beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
where=(CMakeLists.txt Makefile cmake src tests tools bench scripts .ci)
# Paths that climb out of the checkout, and absolute paths into home or work folders.
pattern='\.\./(shared|reference)|CMAKE_SOURCE_DIR\}/\.\.|(^|[^A-Za-z0-9_.])/(home|root|work|tmp/zephon)/'
hits=$(git grep -nIE "$pattern" -- "${where[@]}" ':!scripts/check-self-contained.sh' || true)
if [ -n "$hits" ]; then
  echo "These lines refer to paths outside the repository:" >&2
  echo "$hits" >&2
  exit 1
fi
echo "check-self-contained: no path outside the repository"
