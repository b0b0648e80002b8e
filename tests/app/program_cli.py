#!/usr/bin/python3
"""The command line against the real program under the mock buses: a table of cases run in
order against one running copy, each with its expected exit status and output.

Usage: with_mocks.py --logind --logind-param '{"CanHibernate": "na"}' --xvfb -- \\
       program_cli.py PROGRAM
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from datetime import date, datetime, timedelta

SLOW = float(os.environ.get("QZ_FAULTS_SLOWDOWN", "1"))
TOMORROW = (date.today() + timedelta(days=1)).isoformat()
IDLE, REFUSED, TOO_LATE, USAGE, NO_ANSWER = 3, 2, 4, 64, 69

# (arguments, exit status, pattern the output must match, where: out or err). Run in order:
# the first arm starts the running copy; the others reach it.
CASES = [
    (["--status"], IDLE, r"^idle$", "out"),  # no copy runs yet
    (["--cancel"], 0, r"^idle$", "out"),
    (["--action", "lock", "--in", "00:30"], 0, r"^$", "out"),
    (["--status"], 0, r"^armed lock \d{4}-\d\d-\d\dT\d\d:\d\d:\d\d([+-]\d\d:\d\d|Z)$", "out"),
    (["--action", "restart", "--in", "00:10"], REFUSED, r"already armed", "err"),
    (["--cancel"], 0, r"^ok$", "out"),
    (["--status"], IDLE, r"^idle$", "out"),
    (["--action", "standby", "--at", f"{TOMORROW} 10:00"], 0, r"^$", "out"),
    (["--status"], 0, rf"^armed standby {TOMORROW}T10:00:00", "out"),
    (["--cancel"], 0, r"^ok$", "out"),
    (["--action", "shutdown", "--idle", "00:10"], 0, r"^$", "out"),
    (["--status"], 0, r"^armed shutdown ", "out"),
    (["--cancel"], 0, r"^ok$", "out"),
    (["--action", "signout", "--everyday", "23:15"], 0, r"^$", "out"),
    (["--status"], 0, r"^armed signout \S+T23:15:00", "out"),
    (["--cancel"], 0, r"^ok$", "out"),
    # Refused by the running copy, with the window's own reasons.
    (["--action", "lock", "--at", "2020-01-01 10:00"], REFUSED, r"cannot be smaller", "err"),
    (["--action", "lock", "--at", "2027-02-30 10:00"], REFUSED, r"does not exist", "err"),
    (["--action", "sleep", "--in", "00:10"], REFUSED,
     r"^Sleep is not possible on this computer now.*CanHibernate: na$", "err"),
    (["--status"], IDLE, r"^idle$", "out"),
    # Refused before anything is asked.
    (["--action", "lock", "--in", "7:5"], USAGE, r"--in takes HH:MM", "err"),
    (["--action", "lock", "--everyday", "24:00"], USAGE, r"--everyday takes HH:MM", "err"),
    (["--action", "lock", "--at", "2027-1-05 10:00"], USAGE,
     r"--at takes YYYY-MM-DD HH:MM, not '2027-1-05 10:00'", "err"),
    (["--action", "lock", "--at", "10:00"], USAGE, r"--at takes YYYY-MM-DD HH:MM", "err"),
    (["--action", "fly", "--in", "00:10"], USAGE, r"unknown action", "err"),
    (["--action", "lock"], USAGE, r"needs one of", "err"),
    (["--action", "lock", "--in", "00:10", "--everyday", "10:00"], USAGE, r"exactly one", "err"),
    (["--in", "00:10"], USAGE, r"needs --action", "err"),
    (["--cancel", "--status"], USAGE, r"one of", "err"),
    # Given twice is a mistake, not "the last one wins"; control characters never pass.
    (["--action", "lock", "--action", "shutdown", "--in", "00:10"], USAGE,
     r"--action is given more than once", "err"),
    (["--action", "lock", "--in", "00:10", "--in", "00:20"], USAGE, r"--in is given more", "err"),
    (["--action", "lock", "--in", "00:10\n"], USAGE, r"control characters", "err"),
    (["--action", "lock\x1b[2J", "--in", "00:10"], USAGE, r"control characters", "err"),
    (["--status"], IDLE, r"^idle$", "out"),
    (["--tray"], 0, r"^$", "out"),
]


class Failed(Exception):
    pass


def run(program, env, args, timeout=30):
    r = subprocess.run([program, *args], env=env, capture_output=True, text=True,
                       timeout=timeout * SLOW)
    return r.returncode, r.stdout.strip(), r.stderr.strip()


def expect(program, env, args, status, pattern, stream="out", timeout=30, cwd=None):
    r = subprocess.run([program, *args], env=env, capture_output=True, text=True,
                       timeout=timeout * SLOW, cwd=cwd)
    text = r.stdout.strip() if stream == "out" else r.stderr.strip()
    if r.returncode != status or not re.search(pattern, text, re.S):
        raise Failed(f"{args}: status {r.returncode} (expected {status}), "
                     f"stdout {r.stdout.strip()!r}, stderr {r.stderr.strip()!r}")


def copy_pid(lock):
    with open(lock) as f:
        return int(f.readline().strip() or 0)


def mock_method(env, name, signature_in, signature_out, code):
    """Replaces a method of the logind mock."""
    subprocess.run(["gdbus", "call", "--address", env["DBUS_SYSTEM_BUS_ADDRESS"],
                    "--dest", "org.freedesktop.login1", "--object-path",
                    "/org/freedesktop/login1", "--method",
                    "org.freedesktop.DBus.Mock.AddMethod", "org.freedesktop.login1.Manager",
                    name, signature_in, signature_out, code],
                   check=True, stdout=subprocess.DEVNULL)


def asks_for_password(program, env):
    """An action the system will ask a password for is armed all the same, with a word that
    it may not be carried out unattended."""
    mock_method(env, "CanPowerOff", "", "s", "ret = 'challenge'")
    try:
        expect(program, env, ["--action", "shutdown", "--in", "00:30"], 0,
               r"^The system will ask for a password for Shutdown when it is due", "err")
        expect(program, env, ["--status"], 0, r"^armed shutdown ")
        expect(program, env, ["--cancel"], 0, r"^ok$")
    finally:
        mock_method(env, "CanPowerOff", "", "s", "ret = 'yes'")


def other_session(program, env):
    """The running copy belongs to its login session: another session's request does not
    reach it (and a status request starts nothing)."""
    expect(program, env, ["--action", "lock", "--in", "00:30"], 0, r"^$")
    expect(program, dict(env, XDG_SESSION_ID="c2"), ["--status"], IDLE, r"^idle$")
    expect(program, env, ["--status"], 0, r"^armed lock ")


def frozen_copy(program, env, lock):
    """A copy that does not answer: the request ends with 69 after its wait, and is not
    carried out when the copy comes back."""
    pid = copy_pid(lock)
    os.kill(pid, signal.SIGSTOP)
    try:
        expect(program, env, ["--action", "shutdown", "--in", "00:10"], NO_ANSWER,
               r"did not take the request", "err", timeout=40)
    finally:
        os.kill(pid, signal.SIGCONT)
    time.sleep(1)
    expect(program, env, ["--status"], 0, r"^armed lock ")
    expect(program, env, ["--cancel"], 0, r"^ok$")


def cancel_too_late(program, env):
    """--cancel once the action has been asked of the system (logind answering slowly):
    too late, and said so."""
    mock_method(env, "LockSession", "s", "", "time.sleep(6)")
    now = datetime.now()
    due = (now + timedelta(minutes=1 if now.second < 50 else 2)).replace(second=0,
                                                                          microsecond=0)
    expect(program, env, ["--action", "lock", "--at", due.strftime("%Y-%m-%d %H:%M")], 0, r"^$")
    time.sleep(max(0.0, (due - datetime.now()).total_seconds()) + 2)
    expect(program, env, ["--cancel"], TOO_LATE, r"too late", "err")
    time.sleep(8)  # the slow answer has come: the task has ended
    expect(program, env, ["--status"], IDLE, r"^idle$")


def no_runtime_folder(program, env, tmp, case):
    """Without a usable runtime folder the copy is still found from any working folder, in
    a folder of the user's own; one another user planted is never used."""
    root = os.path.join(tmp, case)
    private_tmp, cache, cwd_a, cwd_b = (os.path.join(root, d) for d in ("tmp", "cache", "a", "b"))
    for d in (private_tmp, cwd_a, cwd_b):
        os.makedirs(d, mode=0o700)
    alone = dict(env, TMPDIR=private_tmp, XDG_CACHE_HOME=cache, XDG_SESSION_ID=case)
    alone.pop("XDG_RUNTIME_DIR")
    folder = os.path.join(private_tmp, f"qzscheduler-{os.geteuid()}")
    if case == "too_long":  # no socket path fits
        alone["XDG_RUNTIME_DIR"] = os.path.join(root, "r" * 120)
        os.makedirs(alone["XDG_RUNTIME_DIR"], mode=0o700)
    if case == "planted":  # open to everyone: not the user's own
        os.makedirs(folder)
        os.chmod(folder, 0o777)
        folder = os.path.join(cache, "qzscheduler")
    lock = os.path.join(folder, f"qzscheduler-{case}.lock")
    try:
        expect(program, alone, ["--action", "lock", "--in", "00:30"], 0, r"^$", cwd=cwd_a)
        expect(program, alone, ["--status"], 0, r"^armed lock ", cwd=cwd_b)
        mode = os.stat(folder).st_mode & 0o777
        if mode != 0o700 or not os.path.exists(lock):
            raise Failed(f"{case}: lock {lock} in a folder of mode {mode:o}")
    finally:
        if os.path.exists(lock):
            os.kill(copy_pid(lock), signal.SIGTERM)


def main(program):
    tmp = tempfile.mkdtemp(prefix="qz-cli-")
    env = dict(os.environ)
    for d in ("home", "config", "run"):
        os.makedirs(os.path.join(tmp, d), mode=0o700)
    env.update(HOME=os.path.join(tmp, "home"), XDG_CONFIG_HOME=os.path.join(tmp, "config"),
               XDG_RUNTIME_DIR=os.path.join(tmp, "run"), QT_QPA_PLATFORM="xcb",
               QZ_UPDATE_BASE_URL="http://127.0.0.1:9", LANG="C.UTF-8", XDG_SESSION_ID="c1")
    lock = os.path.join(tmp, "run", "qzscheduler-c1.lock")
    try:
        # Help and version need no display and open no window.
        bare = {k: v for k, v in env.items() if k not in ("DISPLAY", "QT_QPA_PLATFORM")}
        # --help names every exit status the command can end with.
        statuses = "".join(rf"(?=.*^\s+{n}\s)" for n in (0, REFUSED, IDLE, TOO_LATE, USAGE,
                                                          NO_ANSWER))
        for args, pattern in ((["--version"], r"^2\.0\.0\.4$"),
                              (["--help"], r"(?sm)--action" + statuses)):
            code, out, _ = run(program, bare, args, timeout=5)
            if code != 0 or not re.search(pattern, out, re.M):
                raise Failed(f"{args}: status {code}, output {out!r}")
        if os.path.exists(lock):
            raise Failed("--help or --version started the program")

        for args, status, pattern, stream in CASES:
            code, out, err = run(program, env, args)
            text = out if stream == "out" else err
            if code != status or not re.search(pattern, text, re.S):
                raise Failed(f"{args}: status {code} (expected {status}), "
                             f"stdout {out!r}, stderr {err!r}")
        asks_for_password(program, env)
        other_session(program, env)
        frozen_copy(program, env, lock)
        cancel_too_late(program, env)
        for case in ("unset", "too_long", "planted"):
            no_runtime_folder(program, env, tmp, case)
        return 0
    except (Failed, subprocess.TimeoutExpired) as e:
        print(f"FAIL: {e}")
        return 1
    finally:
        if os.path.exists(lock):
            with open(lock) as f:
                pid = int(f.readline().strip() or 0)
            if pid > 0:
                try:
                    os.kill(pid, signal.SIGTERM)
                    time.sleep(1)
                    os.kill(pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        shutil.rmtree(tmp, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
