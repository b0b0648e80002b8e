#!/usr/bin/env bash
# The test command's real-system stage: boots Debian 12 under systemd-nspawn with its real
# systemd, logind and polkit, installs the package the package stage built, arms each action
# with the command line in a login session inside it, and checks what really happened: the
# container's exit status, logind's sessions, the session's LockedHint, the notifications.
# Every command that could reach a power service runs inside a booted container (nsenter
# into its PID 1's namespaces); the host's buses are never used.
# The root is made once per checksum of its package list and kept under
# /var/cache/qzscheduler-real (QZ_REAL_CACHE); each boot writes only to a throw-away
# layer over it. One line per check, then "real: N passed, N failed"; a non-zero status on
# any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
real=$root/tests/real
cache=${QZ_REAL_CACHE:-/var/cache/qzscheduler-real}

passed=0
failed=0
finish() {
    echo "real: ${passed} passed, ${failed} failed"
    ((failed == 0))
    exit
}
give_up() {
    echo "FAILED: $1"
    failed=$((failed + 1))
    finish
}

((EUID == 0)) || give_up "the stage boots containers and needs root"
for tool in debootstrap systemd-nspawn nsenter; do
    command -v "$tool" >/dev/null || give_up "$tool is missing (scripts/install-deps.sh --test)"
done
deb=$(ls -t build/package/qzscheduler_*.deb 2>/dev/null | head -n 1)
[[ -f "$deb" ]] || give_up "no package in build/package (the package stage builds it)"
deb=$(realpath "$deb")

# The Debian mirror this machine installs from (one-line or deb822 sources).
mirror() {
    local uri
    uri=$(awk '$1 == "deb" && / bookworm( |$)/ { print ($2 ~ /^\[/ ? $NF : $2); exit }' \
        /etc/apt/sources.list 2>/dev/null)
    [[ -n "$uri" ]] || uri=$(awk -v RS= '/Suites:[^\n]*bookworm( |\n|$)/ {
            if (match($0, /URIs: *[^ \n]+/)) { split(substr($0, RSTART, RLENGTH), u, / +/); print u[2]; exit }
        }' /etc/apt/sources.list.d/*.sources 2>/dev/null)
    echo "${uri:-http://deb.debian.org/debian}"
}

# The root: keyed by what goes into it, made under a lock so two runs never make it twice.
# An older root is removed once a new one is there.
key=$( (cat "$real/packages.list" "$real/make-root.sh"; dpkg-deb -f "$deb" Depends) |
    sha256sum | cut -c1-16)
rootfs=$cache/$key
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
if [[ ! -d "$rootfs" ]]; then
    echo "=== real: making the root $rootfs (once per package list)"
    rm -rf "$rootfs.new"
    if ! "$real/make-root.sh" "$rootfs.new" "$(mirror)" "$deb"; then
        rm -rf "$rootfs.new"
        give_up "making the root"
    fi
    mv "$rootfs.new" "$rootfs"
    find "$cache" -mindepth 1 -maxdepth 1 -type d ! -name "$key" -exec rm -rf {} +
fi
flock -u 9

scratch=$(mktemp -d /tmp/qz-real.XXXXXX)
keep=0
cleanup() {
    # A container still up when the stage ends: its nspawn powers it off on SIGTERM, and is
    # killed if it has not after a while. Only nspawn processes of this run are touched.
    local file pid
    for file in "$scratch"/*/nspawn.pid; do
        pid=$(cat "$file" 2>/dev/null) || continue
        if tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline" | grep -qF -- "--bind=$scratch/"; then
            kill "$pid"
            timeout 30 tail --pid="$pid" -f /dev/null || kill -9 "$pid"
        fi
    done
    ((keep)) || rm -rf "$scratch"
}
trap cleanup EXIT

# shellcheck source=tests/real/checks.sh
source "$real/checks.sh"

echo "=== real: booting one system per check"
checks=(shutdown restart signout lock nolocker unoffered inactive)
start=$(date +%s)
for check in "${checks[@]}"; do
    mkdir -p "$scratch/$check"
    (run_check "$check" >"$scratch/$check/verdict" 2>"$scratch/$check/trace") &
done
wait
for check in "${checks[@]}"; do
    verdict=$scratch/$check/verdict
    if ! grep -qE '^(ok|FAILED): ' "$verdict"; then
        echo "FAILED: $check: no verdict" >>"$verdict"
    fi
    cat "$verdict"
    if grep -q '^FAILED: ' "$verdict"; then
        sed 's/^/    /' "$scratch/$check/trace"
        [[ -f "$scratch/$check/console.log" ]] && tail -n 20 "$scratch/$check/console.log" |
            sed 's/^/    console: /'
    fi
    passed=$((passed + $(grep -c '^ok: ' "$verdict")))
    failed=$((failed + $(grep -c '^FAILED: ' "$verdict")))
done
echo "real: the checks took $(($(date +%s) - start)) s"
if ((failed)); then
    # What the failed checks' sessions wrote stays for a look.
    keep=1
    echo "real: the sessions' files are kept in $scratch"
fi
finish
