#!/bin/sh
# arm.sh ACTION: arms ACTION from the command line at the next whole minute at least 10 s
# away (--at takes minutes), after printing "due EPOCH" for the test to wait on.
due=$((($(date +%s) + 10 + 59) / 60 * 60))
echo "due $due"
exec qzscheduler --action "$1" --at "$(date -d "@$due" '+%Y-%m-%d %H:%M')"
