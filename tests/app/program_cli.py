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
from datetime import date, timedelta

SLOW = float(os.environ.get("QZ_FAULTS_SLOWDOWN", "1"))
TOMORROW = (date.today() + timedelta(days=1)).isoformat()
IDLE, REFUSED, USAGE = 3, 2, 64

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
    (["--action", "fly", "--in", "00:10"], USAGE, r"unknown action", "err"),
    (["--action", "lock"], USAGE, r"needs one of", "err"),
    (["--action", "lock", "--in", "00:10", "--everyday", "10:00"], USAGE, r"exactly one", "err"),
    (["--in", "00:10"], USAGE, r"needs --action", "err"),
    (["--cancel", "--status"], USAGE, r"one of", "err"),
    (["--tray"], 0, r"^$", "out"),
]


class Failed(Exception):
    pass


def run(program, env, args, timeout=30):
    r = subprocess.run([program, *args], env=env, capture_output=True, text=True,
                       timeout=timeout * SLOW)
    return r.returncode, r.stdout.strip(), r.stderr.strip()


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
        for args, pattern in ((["--version"], r"^2\.0\.0\.4$"), (["--help"], r"--action")):
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
