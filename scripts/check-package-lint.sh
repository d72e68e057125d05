#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Checks the built Debian packages (the programs' and python3-zephon) as Debian's tools would: no installed file names the folders it
# was built in; lintian with its pedantic tags fails on any error or warning (overrides, if ever
# needed, live in resources/debian with a comment saying why); the desktop entry and the
# AppStream description pass their validators; and the Python module imports from where its
# package installs it and computes there.
# usage: scripts/check-package-lint.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
deb=$(ls -t "$build"/zephon_*.deb | head -n 1)
debs=("$deb")
python_deb=$(ls -t "$build"/python3-zephon_*.deb 2>/dev/null | head -n 1 || true)
[ -n "$python_deb" ] && debs+=("$python_deb")
echo "check-package-lint: ${debs[*]}"
desktop-file-validate resources/desktop/zephon.desktop
appstreamcli validate --no-net --pedantic resources/desktop/zephon.metainfo.xml
# Nothing installed may depend on where it was built (the build folder is inside this one).
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
for d in "${debs[@]}"; do dpkg-deb -x "$d" "$unpacked"; done
if grep -rlF --binary-files=text "$PWD" "$unpacked"; then
  echo "check-package-lint: these installed files name the build machine's folders" >&2
  exit 1
fi
# lintian warns that it runs as root (CI does); that is no finding about the package.
lintian --pedantic --display-info --fail-on error,warning "${debs[@]}"
if [ -n "$python_deb" ]; then
  site="$unpacked/usr/lib/python3/dist-packages"
  env -u ZEPHON_DATA_DIR PYTHONPATH="$site" PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 - "$site" \
      "$unpacked/usr/share/zephon/examples/inclusions.inc" <<'PY'
import sys
import zephon
assert zephon.__file__.startswith(sys.argv[1]), zephon.__file__
assert len(zephon.read(sys.argv[2])) == 5
print("check-package-lint: zephon imported from the package, GOR %.2f" % zephon.gor(0.82, 0.2, co2=1).GOR)
PY
fi
echo "check-package-lint: lintian, desktop-file-validate and appstreamcli found nothing to fix"
