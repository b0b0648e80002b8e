#!/usr/bin/python3
"""The real program checks for an update in a worker process of its own.

With an https:// update address, the TLS libraries are loaded into the worker (this test's
loopback listener receives its TLS greeting), and neither they nor Qt's network module are
ever mapped into the program itself, before, during and after the check. The worker ends once the check is over; the program runs on.

Usage: program_worker.py PROGRAM
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from program_probe import (GreetingListener, children, command_line,  # noqa: E402
                           mapped_network, mapped_tls, stop)

WORKER_OPTION = b"--update-worker"


def wait_for(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def check(condition, message):
    # Not assert: python3 -O removes those, and the test would pass on nothing.
    if not condition:
        raise AssertionError(message)


def workers(pid):
    return [child for child in children(pid) if WORKER_OPTION in command_line(child)]


def main():
    program = sys.argv[1]
    tmp = tempfile.mkdtemp(prefix="qz-update-worker.")
    listener = GreetingListener(hold=True)
    env = dict(os.environ)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORMTHEME"):
        env.pop(name, None)
    for d in ("home", "config", "run"):
        os.makedirs(os.path.join(tmp, d), mode=0o700)
    env.update(HOME=os.path.join(tmp, "home"), XDG_CONFIG_HOME=os.path.join(tmp, "config"),
               XDG_RUNTIME_DIR=os.path.join(tmp, "run"), QT_QPA_PLATFORM="offscreen",
               QZ_UPDATE_BASE_URL=f"https://127.0.0.1:{listener.port}",
               DBUS_SESSION_BUS_ADDRESS="disabled:",
               # The power backend must never reach the real system bus.
               DBUS_SYSTEM_BUS_ADDRESS="unix:path=" + os.path.join(tmp, "no-system-bus"),
               TMPDIR=tmp)
    process = subprocess.Popen([program], env=env)
    try:
        wait_for(lambda: listener.greetings > 0, 30, "the worker's TLS greeting")
        found = workers(process.pid)
        check(found, "the check did not run in a worker of the program")
        check(mapped_tls(found[0]), "no TLS library seen in the worker: the test sees nothing")
        check(not mapped_network(process.pid), f"in the program: {mapped_network(process.pid)}")

        listener.release()  # the check fails; the worker ends
        wait_for(lambda: not workers(process.pid), 30, "the worker's end")
        check(process.poll() is None, "the program ended with its check")
        check(not mapped_network(process.pid), f"in the program: {mapped_network(process.pid)}")
        print("network and TLS only in the worker; the program runs on without them")
    finally:
        stop(process)
        listener.release()
        shutil.rmtree(tmp, ignore_errors=True)
    return 0 if process.returncode == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
