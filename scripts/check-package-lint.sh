#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Checks the built Debian package as Debian's tools would: no installed file names the folders it
# was built in; lintian with its pedantic tags fails on any error or warning (overrides, if ever
# needed, live in resources/debian with a comment saying why); and the desktop entry and the
# AppStream description pass their validators.
# usage: scripts/check-package-lint.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
deb=$(ls -t "$build"/zephon_*.deb | head -n 1)
echo "check-package-lint: $deb"
desktop-file-validate resources/desktop/zephon.desktop
appstreamcli validate --no-net --pedantic resources/desktop/zephon.metainfo.xml
# Nothing installed may depend on where it was built (the build folder is inside this one).
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
if grep -rlF --binary-files=text "$PWD" "$unpacked"; then
  echo "check-package-lint: these installed files name the build machine's folders" >&2
  exit 1
fi
# lintian warns that it runs as root (CI does); that is no finding about the package.
lintian --pedantic --display-info --fail-on error,warning "$deb"
echo "check-package-lint: lintian, desktop-file-validate and appstreamcli found nothing to fix"
