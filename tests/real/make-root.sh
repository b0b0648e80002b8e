#!/usr/bin/env bash
# make-root.sh ROOT MIRROR DEB: a Debian 12 root that boots under systemd-nspawn, with the
# packages of packages.list, the dependencies of the package DEB (not the package itself:
# each boot installs the one under test) and two users, alice and bob.
set -euo pipefail
root=$1 mirror=$2 deb=$3
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t packages < <(grep -v -e '^#' -e '^$' "$here/packages.list")

# A root that is thrown away when anything fails needs no sync per file: dpkg is told so
# from the start (it reads the target's settings) to the end, then the whole root is synced.
unsafe=$root/etc/dpkg/dpkg.cfg.d/unsafe-io
mkdir -p "$(dirname "$unsafe")"
echo force-unsafe-io >"$unsafe"
debootstrap --variant=minbase --include=systemd,systemd-sysv,dbus bookworm "$root" "$mirror" >/dev/null
# Not booted: apt and useradd need no running system. The network is the host's.
systemd-nspawn -q --register=no --keep-unit -D "$root" \
    --bind-ro="$(realpath "$deb"):/qz/qzscheduler.deb" sh -ec '
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q >/dev/null
    apt-get install -y -q --no-install-recommends "$@" /qz/qzscheduler.deb >/dev/null
    apt-get remove -y -q qzscheduler >/dev/null
    apt-get clean
    rm -rf /var/lib/apt/lists/*
    useradd -m alice
    useradd -m bob
    # No console logins to wait for, no network to wait for.
    systemctl mask console-getty.service systemd-networkd-wait-online.service >/dev/null 2>&1 || true
' sh "${packages[@]}"
rm -f "$root/qz/qzscheduler.deb" "$unsafe"
sync -f "$root"
