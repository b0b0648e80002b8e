#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Without a display it runs
# under Xvfb, saves a screenshot of the screen to out/screenshot.png and ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQZ_BUILD_TESTS=OFF -DCMAKE_UNITY_BUILD=ON >/dev/null
cmake --build build/release
program=build/release/src/app/qzscheduler

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$program"
fi

mkdir -p out
scratch=$(mktemp -d)
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -dpi 96 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
read -r display <&3
# A fresh home for this look at the window, no system bus (so no power action can be
# carried out on a headless machine) and a private session bus that ends with it.
mkdir -m 700 "$scratch/runtime"
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" \
    XDG_RUNTIME_DIR="$scratch/runtime" DBUS_SYSTEM_BUS_ADDRESS="unix:path=$scratch/no-system-bus"
dbus-run-session -- bash -c '"$1" & pid=$!; sleep 4; import -window root "$2"; kill "$pid"; wait "$pid"' \
    _ "$program" out/screenshot.png 2>/dev/null
echo "The program ran on a virtual display; its screenshot is out/screenshot.png"
