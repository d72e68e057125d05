#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Installs the Debian packages that the build, the tests and the benchmarks need.
# Idempotent: prints nothing and installs nothing when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  libexpat1-dev
  locales
  qt6-base-dev qt6-base-dev-tools
  xvfb xauth x11-utils fonts-dejavu-core fonts-liberation2
  librsvg2-bin shared-mime-info
  lintian desktop-file-utils appstream
  # The Python module (pybind11 binds C++ to Python; numpy holds the curves), its tests (pytest) and
  # the example notebook, run headless (nbclient with an IPython kernel, matplotlib for its plots).
  python3-dev pybind11-dev python3-numpy python3-pytest python3-nbclient python3-nbformat python3-ipykernel
  python3-matplotlib python3-pandas
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# A locale with a decimal comma, so the tests can check that data files never depend on the
# user's locale.
ensure_comma_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  [ -f /etc/locale.gen ] || return 0
  "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
ensure_comma_locale
