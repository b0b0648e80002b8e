#!/usr/bin/env bash
# The Debian package's checks, the test command's package stage: builds the package
# (scripts/package.sh, warnings as errors), unpacks it into a scratch root, runs lintian
# and the AppStream validator (with and without the network) on it, checks the unpacked
# tree as an installation, and starts the unpacked program with --version. Nothing is
# installed into the system.
# One line per check, then "package: N passed, N failed"; a non-zero status on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

passed=0
failed=0
# check NAME COMMAND...: runs the command, its output indented below the verdict on failure.
check() {
    local name=$1 out
    shift
    if out=$("$@" 2>&1); then
        echo "ok: $name"
        passed=$((passed + 1))
    else
        echo "FAILED: $name"
        sed 's/^/    /' <<<"$out"
        failed=$((failed + 1))
    fi
}

finish() {
    echo "package: ${passed} passed, ${failed} failed"
    ((failed == 0))
    exit
}

echo "=== package: build"
if ! deb=$(scripts/package.sh -DQZ_WERROR=ON | tail -n 1) || [[ ! -f "$deb" ]]; then
    echo "FAILED: package build"
    failed=$((failed + 1))
    finish
fi
scratch=$(mktemp -d /tmp/qz-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/home" "$scratch/run"
dpkg -x "$deb" "$scratch/root"

check "lintian: no errors or warnings" lintian --fail-on error,warning "$deb"
# Both ways: with the network the validator also fetches every address the file offers.
check "appstreamcli validate --no-net" \
    appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml
check "appstreamcli validate" \
    appstreamcli validate "$scratch"/root/usr/share/metainfo/*.metainfo.xml
check "installed files and the version check" /usr/bin/python3 tests/support/with_mocks.py \
    --logind --notifications -- /usr/bin/python3 tests/install/installed_program.py check \
    "$scratch/root/usr"

# --version prints the package's version and opens nothing: no display, no real buses.
version_prints() {
    local out
    out=$(env -i PATH=/usr/bin:/bin HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" \
        QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=disabled: \
        DBUS_SYSTEM_BUS_ADDRESS="unix:path=$scratch/no-system-bus" \
        timeout 10 "$scratch/root/usr/bin/qzscheduler" --version)
    [[ "$out" == "$1" ]] || { echo "printed '$out'"; return 1; }
}
check "qzscheduler --version" version_prints "$(dpkg-deb -f "$deb" Version)"
finish
