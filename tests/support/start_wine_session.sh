#!/bin/sh
# Starts the Wine session the Windows tests join: start_wine_session.sh WINE_RUN
#
# A fresh server on this run's display (one left by the build has none), kept alive between
# tests and started from here with its output detached: a server started by a test would
# inherit that test's output, and CTest would wait for the server before ending the test.
# Then the prefix's services, which the first Windows program would otherwise start.
set -e
wine_run=$1
"$wine_run" wineserver -k >/dev/null 2>&1 || true
"$wine_run" wineserver -p >/dev/null 2>&1 </dev/null
exec "$wine_run" wineboot >/dev/null 2>&1 </dev/null
