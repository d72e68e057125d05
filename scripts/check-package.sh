#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-3-Clause
# Checks the Debian package on a fresh Debian 12: a minimal system is made with debootstrap, the
# package is installed with apt (which pulls in what it depends on), and both programs are run.
# Needs root and the Debian mirror; takes a few minutes. Not part of `make test`.
# usage: scripts/check-package.sh build/zephon_1.0.0_amd64.deb [work folder]
set -euo pipefail
deb=$(readlink -f "$1")
work=${2:-/tmp/zephon-package-check}
root="$work/root"
if [ ! -x "$root/bin/bash" ]; then
  mkdir -p "$work"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >"$work/debootstrap.log"
fi
cp "$deb" "$root/tmp/zephon.deb"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount --bind /proc "$root/proc"
trap 'umount "$root/proc"' EXIT
chroot "$root" bash -euc '
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --reinstall /tmp/zephon.deb >/tmp/apt.log
  zephon --version
  zephon-cli info /usr/share/zephon/examples/inclusions.inc
  cd /tmp
  QT_QPA_PLATFORM=offscreen zephon --nosplash /usr/share/zephon/examples/inclusions.inc &
  pid=$!
  sleep 3
  kill -TERM $pid
  wait $pid
  echo "the package installs and zephon starts and quits cleanly"
'
