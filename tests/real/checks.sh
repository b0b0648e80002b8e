# shellcheck shell=bash
# The real-system checks, sourced by scripts/test-real-system.sh (which sets rootfs, real,
# deb and scratch). run_check NAME boots a container of its own for the check and prints
# "ok: ..." or "FAILED: ..." lines; what it did goes to standard error.

# The container of this check: its folder, its nspawn process and its PID 1.
dir=
nspawn_pid=
pid1=

pass() { echo "ok: $*"; }
fail() { echo "FAILED: $*"; }

# wait_until SECONDS COMMAND...: true once the command succeeds, false after SECONDS.
wait_until() {
    local deadline=$(($(date +%s) + $1))
    shift
    until "$@"; do
        (($(date +%s) < deadline)) || return 1
        sleep 0.5
    done
}

# True only for the PID 1 of this check's container: a child of its nspawn process, in
# other PID and mount namespaces than this script. Checked before every command run inside,
# so nothing ever reaches the host's services, even after the container ended and its
# number was reused.
is_our_container() {
    [[ -n "$pid1" && "$pid1" != 1 && -n "$nspawn_pid" ]] &&
        [[ "$(awk '{ print $4 }' "/proc/$pid1/stat" 2>/dev/null)" == "$nspawn_pid" ]] &&
        [[ "$(readlink "/proc/$pid1/ns/pid")" != "$(readlink /proc/self/ns/pid)" ]] &&
        [[ "$(readlink "/proc/$pid1/ns/mnt")" != "$(readlink /proc/self/ns/mnt)" ]]
}

# inside COMMAND...: runs the command inside the container as root.
inside() {
    if ! is_our_container; then
        echo "no container to run '$*' in" >&2
        return 99
    fi
    timeout 120 nsenter -t "$pid1" -a "$@"
}

# Whether this check's nspawn still runs: told by its command line, so neither an ended one
# waiting to be reaped nor another process that got its number counts.
running() {
    [[ -n "$nspawn_pid" ]] &&
        tr '\0' ' ' 2>/dev/null <"/proc/$nspawn_pid/cmdline" | grep -qF -- "--bind=$dir/out:"
}

# boot NAME: starts the container over a throw-away layer, waits for its system to be up
# and installs the package under test.
boot() {
    dir=$scratch/$1
    mkdir -p "$dir/out"
    chmod 777 "$dir/out"
    systemd-nspawn --boot -q -M "qz-$1" --register=no --keep-unit --private-network \
        --console=passive --volatile=overlay --capability=CAP_IPC_LOCK -D "$rootfs" \
        --bind-ro="$real:/qz/real" --bind-ro="$deb:/qz/qzscheduler.deb" \
        --bind="$dir/out:/qz/out" >"$dir/console.log" 2>&1 </dev/null &
    nspawn_pid=$!
    echo "$nspawn_pid" >"$dir/nspawn.pid"
    local i child
    for ((i = 0; i < 600; i++)); do
        child=$(cat /proc/"$nspawn_pid"/task/*/children 2>/dev/null | awk '{ print $1 }')
        if [[ -n "$child" && "$(cat "/proc/$child/comm" 2>/dev/null)" == systemd ]]; then
            pid1=$child
            is_our_container && break
        fi
        pid1=
        kill -0 "$nspawn_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [[ -z "$pid1" ]]; then
        echo "the container did not start" >&2
        return 1
    fi
    # systemctl answers once the manager's socket is there; then it can wait for the boot.
    wait_until 60 inside test -S /run/systemd/private || {
        echo "the container's systemd did not come up" >&2
        return 1
    }
    inside systemctl is-system-running --wait >&2
    local state
    state=$(inside systemctl is-system-running)
    if [[ "$state" != running ]]; then
        echo "the system is $state" >&2
        inside systemctl --failed --no-legend >&2
        [[ "$state" == degraded ]] || return 1
    fi
    inside dpkg -i /qz/qzscheduler.deb >&2
}

# halt: powers the container off through its nspawn (SIGTERM asks its systemd to shut down),
# killed if it takes too long.
halt() {
    running || return 0
    kill "$nspawn_pid"
    wait_until 30 eval '! running' || { running && kill -9 "$nspawn_pid"; }
    wait "$nspawn_pid" 2>/dev/null
}

# start_session USER [no-locker]: a login session of USER on seat0 running session.sh, with
# a screen locker unless told otherwise; prints its id.
start_session() {
    local box=$dir/out/$1
    mkdir -m 777 "$box" && mkfifo -m 666 "$box/commands" || return 1
    [[ "${2:-}" != no-locker ]] || touch "$box/no-locker"
    inside systemd-run -q --unit="qz-desktop-$1" --uid="$1" -p PAMName=login \
        -p Environment=XDG_SESSION_TYPE=x11 -p Environment=XDG_SESSION_CLASS=user \
        -p Environment=XDG_SEAT=seat0 /qz/real/session.sh >&2 || return 1
    wait_until 60 test -f "$box/ready" || {
        echo "the session of $1 did not get ready" >&2
        inside systemctl status --no-pager "qz-desktop-$1" >&2
        inside journalctl -b --no-pager -n 40 >&2
        return 1
    }
    cat "$box/ready"
}

# in_session USER ID COMMAND: runs the shell command as USER in that user's session;
# prints its output and returns its status.
in_session() {
    local box=$dir/out/$1
    timeout 10 bash -c 'printf "%s\n" "$1" >"$2"' _ "$2 $3" "$box/commands" || return 98
    wait_until 60 test -f "$box/$2.status" || return 97
    cat "$box/$2.out"
    echo "in session of $1: $3 -> $(cat "$box/$2.status")" >&2
    return "$(cat "$box/$2.status")"
}

session_property() { inside loginctl show-session "$1" -p "$2" --value 2>/dev/null; }

# Whether a process of that name runs inside (minbase has no pgrep).
process_runs() {
    inside sh -c 'cat /proc/[0-9]*/comm 2>/dev/null' | grep -qx "$1"
}

# arm USER ACTION: arms ACTION at the next whole minute; sets due (epoch) and armed (output).
due=
armed=
arm() {
    local status
    armed=$(in_session "$1" "arm-$2" "/qz/real/arm.sh $2")
    status=$?
    due=$(sed -n 's/^due //p' <<<"$armed")
    if ((status != 0 && status != 2)); then
        # Did the copy it started die, or does it run and not answer?
        process_runs qzscheduler && echo "a copy of the program runs" >&2 ||
            echo "no copy of the program runs" >&2
        inside journalctl -b --no-pager -n 20 >&2
    fi
    return $status
}

# One line of the output, for a verdict.
one_line() { tr '\n' ' ' <<<"$1" | sed -E 's/ +/ /g; s/^ //; s/ $//' | cut -c1-200; }

# power_check ACTION EXIT NAME: the container's nspawn ends with EXIT after the due time.
power_check() {
    local action=$1 expected=$2 name=$3 code ended
    boot "$action" || { fail "$name: the system did not boot"; return; }
    start_session alice >/dev/null || { fail "$name: no session"; return; }
    arm alice "$action" || { fail "$name: arming refused: $(one_line "$armed")"; return; }
    wait_until $((due + 90 - $(date +%s))) eval '! running'
    ended=$(date +%s)
    if running; then
        fail "$name: the system still runs $((ended - due)) s after the due time"
        return
    fi
    wait "$nspawn_pid"
    code=$?
    if ((code == expected && ended >= due)); then
        pass "$name: nspawn exited $code, $((ended - due)) s after the due time"
    else
        fail "$name: nspawn exited $code (wanted $expected) $((ended - due)) s after the due time"
    fi
}

check_shutdown() { power_check shutdown 0 shutdown; }
check_restart() { power_check restart 133 restart; }

check_signout() {
    local sid state gone
    boot signout || { fail "sign-out: the system did not boot"; return; }
    sid=$(start_session alice) || { fail "sign-out: no session"; return; }
    arm alice signout || { fail "sign-out: arming refused: $(one_line "$armed")"; return; }
    session_ended() {
        state=$(session_property "$sid" State)
        [[ "$state" != active && "$state" != online ]]
    }
    wait_until $((due + 60 - $(date +%s))) session_ended
    gone=$(date +%s)
    if ! session_ended; then
        fail "sign-out: session $sid is still $state $((gone - due)) s after the due time"
    elif ((gone < due)); then
        fail "sign-out: session $sid ended before the due time"
    elif ! running || [[ "$(inside systemctl is-system-running)" != @(running|degraded) ]]; then
        fail "sign-out: the system went down with the session"
    else
        pass "sign-out: session $sid ended (${state:-gone}) $((gone - due)) s after the due time; the system runs on"
    fi
    halt
}

check_lock() {
    local sid locked
    boot lock || { fail "lock: the system did not boot"; return; }
    sid=$(start_session alice) || { fail "lock: no session"; return; }
    arm alice lock || { fail "lock: arming refused: $(one_line "$armed")"; return; }
    is_locked() { [[ "$(session_property "$sid" LockedHint)" == yes ]]; }
    wait_until $((due + 60 - $(date +%s))) is_locked
    locked=$(date +%s)
    if ! is_locked; then
        fail "lock: LockedHint of session $sid is not set $((locked - due)) s after the due time"
    elif ((locked < due)); then
        fail "lock: the session locked before the due time"
    elif [[ "$(session_property "$sid" State)" != active ]]; then
        fail "lock: session $sid is no longer active"
    else
        # The locker sets the hint as it starts i3lock; i3lock itself may give up on a busy
        # display (it cannot grab the keyboard), which is the locker's affair, not the program's.
        local locker="i3lock up"
        wait_until 10 process_runs i3lock || locker="i3lock started and since ended"
        pass "lock: session $sid LockedHint=yes $((locked - due)) s after the due time, $locker, still signed in"
    fi
    halt
}

# notified USER WORD: the body of the last notification USER's session was shown that has
# WORD in it (a body may span lines in the log).
notified() {
    tr '\n' ' ' <"$dir/out/$1/notifications.log" 2>/dev/null |
        grep -o "Notify \"[^\"]*\" [0-9]* \"[^\"]*\" \"[^\"]*\" \"[^\"]*$2[^\"]*\"" |
        tail -n 1 | sed -E 's/.*" "//; s/"$//'
}

# A desktop without a screen locker: logind takes the lock request and nothing locks. The
# program does not take that for a lock: it says so, and the session is not marked locked.
check_nolocker() {
    local sid told
    boot nolocker || { fail "lock without a locker: the system did not boot"; return; }
    sid=$(start_session alice no-locker) || { fail "lock without a locker: no session"; return; }
    arm alice lock || { fail "lock without a locker: arming refused: $(one_line "$armed")"; return; }
    told_so() { [[ -n "$(notified alice LockedHint)" ]]; }
    wait_until $((due + 60 - $(date +%s))) told_so
    told=$(date +%s)
    if ! told_so; then
        fail "lock without a locker: no word that it did not lock $((told - due)) s after the due time"
    elif [[ "$(session_property "$sid" LockedHint)" == yes ]]; then
        fail "lock without a locker: session $sid says it is locked"
    else
        pass "lock without a locker: reported $((told - due)) s after the due time: $(one_line "$(notified alice LockedHint)")"
    fi
    halt
}

# Stand-by and sleep: logind answers "na" in a container, so arming is refused at once,
# with its reason, and nothing stays armed.
check_unoffered() {
    boot unoffered || { fail "stand-by and sleep: the system did not boot"; return; }
    start_session alice >/dev/null || { fail "stand-by and sleep: no session"; return; }
    local action name query out status
    for action in standby:stand-by:CanSuspend sleep:sleep:CanHibernate; do
        IFS=: read -r action name query <<<"$action"
        out=$(in_session alice "$action" "qzscheduler --action $action --in 00:01")
        status=$?
        in_session alice "status-$action" "qzscheduler --status" >/dev/null
        local idle=$?
        if ((status == 2)) && [[ "$out" == *"$query"* ]] && ((idle == 3)); then
            pass "$name refused (exit 2), nothing armed: $(one_line "$out")"
        else
            fail "$name: exit $status, --status $idle: $(one_line "$out")"
        fi
    done
    halt
}

# Two sessions on one seat: one of them is inactive, and polkit does not let it power off
# unattended. The program reports the refusal in a notification; the system runs on.
check_inactive() {
    boot inactive || { fail "inactive session: the system did not boot"; return; }
    local user sid sids=() states who=
    for user in alice bob; do
        sid=$(start_session "$user") || { fail "inactive session: no session of $user"; return; }
        sids+=("$user:$sid")
    done
    # The seat has no terminals to switch, so the newest session is the active one.
    find_inactive() {
        states=
        for sid in "${sids[@]}"; do
            states+=" $sid:$(session_property "${sid#*:}" Active)"
            [[ "$states" == *:no ]] && who=${sid%%:*}
        done
        [[ -n "$who" ]]
    }
    wait_until 10 find_inactive || { fail "inactive session: none of$states is inactive"; return; }
    echo "sessions (user:id:active):$states" >&2
    local refused
    if ! arm "$who" shutdown; then
        # Refused at once is shown as well.
        if [[ "$armed" == *PowerOff* ]]; then
            pass "inactive session ($who): shutdown refused when armed: $(one_line "$armed")"
        else
            fail "inactive session ($who): arming failed: $(one_line "$armed")"
        fi
        halt
        return
    fi
    has_refusal() { [[ -n "$(notified "$who" PowerOff)" ]]; }
    wait_until $((due + 60 - $(date +%s))) has_refusal
    refused=$(date +%s)
    if ! running; then
        fail "inactive session ($who): the system powered off"
    elif [[ "$armed" != *"ask for a password"* ]]; then
        fail "inactive session ($who): armed without a word of the password: $(one_line "$armed")"
    elif ! has_refusal; then
        fail "inactive session ($who): no notification of the refusal $((refused - due)) s after the due time"
    else
        pass "inactive session ($who): armed with a word of the password, refused unattended, notified $((refused - due)) s after the due time: $(one_line "$(notified "$who" PowerOff)")"
    fi
    halt
}

run_check() {
    "check_$1"
    halt
}
