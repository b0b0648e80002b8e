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
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -dpi 96 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r display <&3
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
# A private session bus, so that nothing outlives this script.
eval "$(dbus-launch --sh-syntax)"
trap 'kill "$program_pid" "$xvfb_pid" "$DBUS_SESSION_BUS_PID" 2>/dev/null || true' EXIT
"$program" &
program_pid=$!
sleep 4
import -window root out/screenshot.png
echo "The program ran on a virtual display; its screenshot is out/screenshot.png"
