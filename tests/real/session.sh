#!/bin/sh
# The desktop of one login session inside the booted system, run as its user by a PAM
# login: an X server, the screen locker, a notification service that logs what it is
# shown. Then each line "ID COMMAND" written into /qz/out/$USER/commands runs as this user
# in this session; its output goes to ID.out and its exit status to ID.status.
set -u
box=/qz/out/$USER
display=":$(($(id -u) - 999))"

Xvfb "$display" -nolisten tcp -noreset >"$box/xvfb.log" 2>&1 &
export DISPLAY="$display"
i=0
until [ -e "/tmp/.X11-unix/X${display#:}" ] || [ $i -ge 100 ]; do
    sleep 0.1
    i=$((i + 1))
done
# What a desktop's start-up does, so services the session bus starts see the display.
dbus-update-activation-environment --systemd DISPLAY
# The locker runs i3lock when logind asks the session to lock and sets its LockedHint; a
# bare desktop has none.
[ -e "$box/no-locker" ] || xss-lock -- i3lock -n >"$box/locker.log" 2>&1 &
python3 -m dbusmock --session -t notification_daemon -l "$box/notifications.log" \
    >"$box/notifier.log" 2>&1 &
i=0
until dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null |
    grep -q true || [ $i -ge 100 ]; do
    sleep 0.1
    i=$((i + 1))
done

echo "$XDG_SESSION_ID" >"$box/ready.tmp" && mv "$box/ready.tmp" "$box/ready"
while :; do
    if read -r id command <"$box/commands"; then
        sh -c "$command" >"$box/$id.out" 2>&1
        echo $? >"$box/$id.tmp" && mv "$box/$id.tmp" "$box/$id.status"
    fi
done
