#!/usr/bin/python3
"""Runs a command against private D-Bus buses and, optionally, a private X display.

Usage: with_mocks.py [options] [--] COMMAND [ARGS...]

Options:
  --system              start a private system bus and export it as DBUS_SYSTEM_BUS_ADDRESS
                        (also as QZ_MOCK_SYSTEM_BUS, which power tests check before running)
  --logind              run python3-dbusmock's logind template on the private system bus
                        (implies --system); its call log goes to $QZ_MOCK_LOGIND_LOG
  --logind-param JSON   template parameters, e.g. '{"CanSuspend": "no"}'
  --notifications-param JSON
                        the notification daemon's, e.g. '{"capabilities": "body actions"}'
  --notifications       run the notification_daemon template on the private session bus;
                        its call log goes to $QZ_MOCK_NOTIFY_LOG
  --xvfb                start Xvfb on a free display (found with -displayfd) and export DISPLAY
  --trayer              start trayer on that display (implies --xvfb), so a system tray exists
  --no-session-bus      do not start a session bus; DBUS_SESSION_BUS_ADDRESS is set to
                        "disabled:" so nothing auto-starts one

A private session bus is always started unless --no-session-bus is given, and exported as
DBUS_SESSION_BUS_ADDRESS (also QZ_MOCK_SESSION_BUS). Nothing ever talks to the machine's own
buses. Everything started is stopped by its PID when the command ends; children also die
with this wrapper (PR_SET_PDEATHSIG). The exit status is the command's.

For fresh mocks per test case, set it as a target's CROSSCOMPILING_EMULATOR with the options
baked in, e.g. "/usr/bin/python3;with_mocks.py;--logind;--", and use gtest_discover_tests.
"""

import ctypes
import json
import os
import signal
import subprocess
import sys
import tempfile
import time

PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    _libc.prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


class Runner:
    def __init__(self):
        self.procs = []
        self.tmp = tempfile.mkdtemp(prefix="qz-mocks-")

    def start(self, argv, env=None, **kw):
        p = subprocess.Popen(argv, env=env, preexec_fn=_die_with_parent, **kw)
        self.procs.append(p)
        return p

    def stop_all(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
        deadline = time.time() + 3
        for p in reversed(self.procs):
            try:
                p.wait(max(0.1, deadline - time.time()))
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()

    def bus(self, kind):
        # Both buses use the session configuration: the system one would claim the
        # machine's own system bus socket.
        p = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        address = p.stdout.readline().decode().strip()
        if not address:
            raise RuntimeError("dbus-daemon gave no address")
        return address

    def wait_name(self, address, name):
        subprocess.run(["gdbus", "wait", "--address", address, "--timeout", "10", name],
                       check=True, stdout=subprocess.DEVNULL)

    def mock(self, env, bus_flag, template, log, param=None):
        argv = ["/usr/bin/python3", "-m", "dbusmock", bus_flag, "-t", template, "-l", log]
        if param:
            argv += ["-p", param]
        self.start(argv, env=env, stdout=subprocess.DEVNULL)

    def xvfb(self):
        read_fd, write_fd = os.pipe()
        # -noreset: by default the server resets when its last client leaves, and a client
        # that connects meanwhile (a test polling with xdotool while the program starts) can
        # be dropped, taking the program down with it. -r: no key repeat, so a key a busy
        # xdotool holds down a moment too long is one press, not several that go on to
        # whatever window takes the focus next.
        self.start(["Xvfb", "-displayfd", str(write_fd), "-dpi", "96", "-nolisten", "tcp",
                    "-noreset", "-r", "-screen", "0", "1024x768x24"],
                   pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as f:
            # Read only up to the newline: Xvfb exits on a broken pipe otherwise.
            while not number.endswith(b"\n"):
                c = f.read(1)
                if not c:
                    raise RuntimeError("Xvfb gave no display number")
                number += c
        return ":" + number.decode().strip()

    def wait_tray(self, env):
        # The tray is ready once the _NET_SYSTEM_TRAY_S0 selection has an owner.
        for _ in range(100):
            probe = subprocess.run(
                ["/usr/bin/python3", "-c",
                 "import ctypes,sys\n"
                 "x=ctypes.CDLL('libX11.so.6');x.XOpenDisplay.restype=ctypes.c_void_p\n"
                 "d=x.XOpenDisplay(None)\n"
                 "x.XInternAtom.restype=ctypes.c_ulong\n"
                 "a=x.XInternAtom(ctypes.c_void_p(d),b'_NET_SYSTEM_TRAY_S0',0)\n"
                 "x.XGetSelectionOwner.restype=ctypes.c_ulong\n"
                 "sys.exit(0 if x.XGetSelectionOwner(ctypes.c_void_p(d),ctypes.c_ulong(a)) else 1)"],
                env=env)
            if probe.returncode == 0:
                return
            time.sleep(0.05)
        raise RuntimeError("trayer did not claim the tray")


def main(argv):
    opts = {"system": False, "logind": False, "logind_param": None, "notifications": False,
            "notifications_param": None,
            "xvfb": False, "trayer": False, "session": True}
    i = 0
    while i < len(argv) and argv[i].startswith("--"):
        a = argv[i]
        i += 1
        if a == "--":
            break
        if a in ("--logind-param", "--notifications-param"):
            opts[a.lstrip("-").replace("-", "_")] = argv[i]
            json.loads(argv[i])
            i += 1
        elif a == "--no-session-bus":
            opts["session"] = False
        elif a.lstrip("-").replace("-", "_") in opts:
            opts[a.lstrip("-").replace("-", "_")] = True
        else:
            sys.exit(f"with_mocks.py: unknown option {a}")
    command = argv[i:]
    if not command:
        sys.exit("with_mocks.py: no command")
    if opts["logind"]:
        opts["system"] = True
    if opts["trayer"]:
        opts["xvfb"] = True

    r = Runner()
    env = dict(os.environ)
    # Never inherit the machine's buses, display or session.
    for k in ("DBUS_SYSTEM_BUS_ADDRESS", "DBUS_SESSION_BUS_ADDRESS", "DISPLAY",
              "WAYLAND_DISPLAY", "XDG_SESSION_ID", "XDG_SESSION_TYPE", "XAUTHORITY"):
        env.pop(k, None)
    env["DBUS_SYSTEM_BUS_ADDRESS"] = "disabled:"
    env["DBUS_SESSION_BUS_ADDRESS"] = "disabled:"
    try:
        if opts["system"]:
            address = r.bus("system")
            env["DBUS_SYSTEM_BUS_ADDRESS"] = address
            env["QZ_MOCK_SYSTEM_BUS"] = address
        if opts["session"]:
            address = r.bus("session")
            env["DBUS_SESSION_BUS_ADDRESS"] = address
            env["QZ_MOCK_SESSION_BUS"] = address
        if opts["logind"]:
            env["QZ_MOCK_LOGIND_LOG"] = os.path.join(r.tmp, "logind.log")
            r.mock(env, "--system", "logind", env["QZ_MOCK_LOGIND_LOG"], opts["logind_param"])
            r.wait_name(env["DBUS_SYSTEM_BUS_ADDRESS"], "org.freedesktop.login1")
        if opts["notifications"]:
            env["QZ_MOCK_NOTIFY_LOG"] = os.path.join(r.tmp, "notify.log")
            r.mock(env, "--session", "notification_daemon", env["QZ_MOCK_NOTIFY_LOG"],
                   opts["notifications_param"])
            r.wait_name(env["DBUS_SESSION_BUS_ADDRESS"], "org.freedesktop.Notifications")
        if opts["xvfb"]:
            env["DISPLAY"] = r.xvfb()
        if opts["trayer"]:
            r.start(["trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
                     "--height", "24"], env=env, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
            r.wait_tray(env)
        return subprocess.run(command, env=env).returncode
    finally:
        r.stop_all()
        for name in os.listdir(r.tmp):
            os.unlink(os.path.join(r.tmp, name))
        os.rmdir(r.tmp)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
