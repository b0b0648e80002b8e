#!/usr/bin/python3
"""Runs the real program against one fault and checks that it copes.

Usage: with_mocks.py [options] -- program_faults.py SCENARIO PROGRAM

Runs inside tests/support/with_mocks.py (which gives the display and the buses the scenario
needs) with a temporary HOME and XDG_CONFIG_HOME. Checks that the window shows (and no error
box with it), that the program keeps running for a moment, that it ends by its close button
or by SIGTERM (both save the settings), that the settings file afterwards holds what it held (a file the program could
not read is kept, byte for byte, beside the new one), and that logind, where its mock runs,
was asked to carry out nothing. Exit status 0: passed, 1: failed, 77: skipped.
"""

import configparser
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from datetime import datetime, timedelta

TITLE = "^QZ Duvodoro Ruruzovad$"
# logind calls that would change something on a real machine.
ACTING = ("PowerOff", "Reboot", "Suspend", "Hibernate", "HybridSleep", "SuspendThenHibernate",
          "LockSession", "LockSessions", "TerminateSession", "TerminateUser", "KillSession",
          "KillUser")
# Slower under the sanitizers.
SLOW = float(os.environ.get("QZ_FAULTS_SLOWDOWN", "1"))
SKIP = 77


class Failed(Exception):
    pass


def good_settings():
    # Every value differs from what a first start would write, so a lost one shows. The
    # everyday task lies almost a day ahead: it is armed again at start and never reached.
    saat = (datetime.now() - timedelta(hours=1)).strftime("%H:%M")
    return {"swBildirim": "1", "swUstte": "0", "swBaslangic": "1", "dil": "1",
            "hergun": "1", "saat": saat, "gorev": "restart"}


def ini_text(values):
    return ("[General]\n" +
            "".join(f"{k}={v}\n" for k, v in sorted(values.items())))


def read_ini(path):
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    return dict(parser["General"]) if parser.has_section("General") else {}


# Scenario: (stored file, how the program ends, what the file must hold afterwards).
#   stored:  "good", "garbage" (not text at all), "truncated" (cut inside a line) or
#            "unknown_action" (an everyday task whose action reads as none of the six)
#   expect:  "same" (the stored values), "identical" (the very bytes), "moved_aside"
#            (the original bytes beside a fresh file that arms nothing), "not_rearmed" (the
#            stored values, but the everyday task left unarmed)
SCENARIOS = {
    "all_services": ("good", "close", "same"),
    "garbage_file": ("garbage", "close", "moved_aside"),
    "garbage_file_sigterm": ("garbage", "term", "moved_aside"),
    "truncated_file": ("truncated", "close", "truncated"),
    "unknown_action": ("unknown_action", "close", "not_rearmed"),
    "read_only_folder": ("good", "close", "identical"),
    "no_bus": ("good", "close", "same"),
    "logind_refuses": ("good", "close", "same"),
    "no_notification_service": ("good", "close", "same"),
    "no_tray": ("good", "close", "same"),
}


def refuse_every_logind_call(env):
    code = ("raise dbus.exceptions.DBusException('Access denied', "
            "name='org.freedesktop.DBus.Error.AccessDenied')")
    methods = [(m, "b", "") for m in ("PowerOff", "Reboot", "Suspend", "Hibernate")]
    methods += [(m, "", "s") for m in ("CanSuspend", "CanHibernate", "CanPowerOff")]
    methods += [("GetSessionByPID", "u", "o"), ("GetUser", "u", "o"),
                ("LockSession", "s", ""), ("TerminateSession", "s", "")]
    for name, in_sig, out_sig in methods:
        subprocess.run(["gdbus", "call", "--address", env["DBUS_SYSTEM_BUS_ADDRESS"],
                        "--dest", "org.freedesktop.login1",
                        "--object-path", "/org/freedesktop/login1",
                        "--method", "org.freedesktop.DBus.Mock.AddMethod",
                        "org.freedesktop.login1.Manager", name, in_sig, out_sig, code],
                       check=True, stdout=subprocess.DEVNULL)


# What lets root write through a folder's permissions, and the reason a read-only case is
# skipped when it cannot be dropped.
ROOT_READ_ONLY_SKIP = ("running as root and cannot drop the capabilities that write through "
                       "permissions (setpriv needs CAP_SETPCAP)")
_OVERRIDES = "-dac_override,-dac_read_search,-fowner,-linux_immutable"


def read_only_command(folder, command):
    """command, run with folder read-only; None where that cannot be done."""
    os.chmod(folder, 0o555)
    if os.geteuid() != 0:
        return command
    # Root writes through permissions: run the program without the capabilities that let it,
    # so the folder's mode holds for it as for any user. Unlike a read-only mount, this needs
    # no mount namespace, which a chroot (its root not a mount point) or a container without
    # CAP_SYS_ADMIN cannot give.
    without = ["setpriv", "--inh-caps=" + _OVERRIDES, "--bounding-set=" + _OVERRIDES]
    probe = subprocess.run([*without, "test", "-w", folder], capture_output=True)
    if probe.returncode != 1:
        return None
    return [*without, *command]


def xdotool(env, *args):
    r = subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True)
    return r.stdout.split() if r.returncode == 0 else []


def wait_for_window(proc, env, timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if proc.poll() is not None:
            raise Failed(f"program ended before its window showed ({proc.returncode})")
        found = xdotool(env, "search", "--onlyvisible", "--name", TITLE)
        if found:
            return found
        time.sleep(0.1)
    raise Failed("window did not show")


def click_close_button(env, window):
    geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                              capture_output=True, text=True, check=True).stdout
    width = int(dict(line.split("=") for line in geometry.split())["WIDTH"])
    # The close button is the rightmost of the title bar's buttons (50 x 33 at 96 dpi,
    # inside a 2-pixel frame).
    subprocess.run(["xdotool", "mousemove", "--window", window, str(width - 27), "18",
                    "click", "1"], env=env, check=True)


def stop_task_unsaved(env, proc, window):
    """Stops the everyday task the start armed again: a change saved at once, which a
    read-only folder refuses. A box says so; it is dismissed."""
    def boxes():
        return [w for w in xdotool(env, "search", "--onlyvisible", "--name", TITLE) if w != window]

    def wait_until(condition, what):
        deadline = time.time() + 10 * SLOW
        while not condition():
            if proc.poll() is not None:
                raise Failed(f"program ended ({proc.returncode}) waiting for {what}")
            if time.time() > deadline:
                raise Failed(f"no {what}")
            time.sleep(0.1)

    # The Start/Stop button, at 96 dpi.
    subprocess.run(["xdotool", "mousemove", "--window", window, "473", "278", "click", "1"],
                   env=env, check=True)
    wait_until(boxes, "box saying the settings could not be saved")
    box = boxes()[0]
    xdotool(env, "windowfocus", "--sync", box)
    xdotool(env, "key", "--window", box, "Return")
    wait_until(lambda: not boxes(), "end of the box")


def acting_calls(env):
    log = env.get("QZ_MOCK_LOGIND_LOG")
    if not log or not os.path.exists(log):
        return []
    with open(log, encoding="utf-8", errors="replace") as f:
        # Lines are "<timestamp> <Method> <args>".
        return [line.strip() for line in f
                if any(f" {m} " in f" {line} " for m in ACTING)]


def run(scenario, program):
    stored_kind, ending, expect = SCENARIOS[scenario]
    tmp = tempfile.mkdtemp(prefix="qz-faults-")
    try:
        return run_in(tmp, scenario, program, stored_kind, ending, expect)
    finally:
        folder = os.path.join(tmp, "config", "QZ Software")
        if os.path.isdir(folder):
            os.chmod(folder, 0o755)
        shutil.rmtree(tmp, ignore_errors=True)


def run_in(tmp, scenario, program, stored_kind, ending, expect):
    env = dict(os.environ)
    for d in ("home", "config", "data", "cache", "run"):
        os.makedirs(os.path.join(tmp, d), mode=0o700)
    env.update(HOME=os.path.join(tmp, "home"), XDG_CONFIG_HOME=os.path.join(tmp, "config"),
               XDG_DATA_HOME=os.path.join(tmp, "data"), XDG_CACHE_HOME=os.path.join(tmp, "cache"),
               XDG_RUNTIME_DIR=os.path.join(tmp, "run"), QT_QPA_PLATFORM="xcb",
               QZ_UPDATE_BASE_URL="http://127.0.0.1:9", LANG="C.UTF-8")
    env.pop("QT_QPA_PLATFORMTHEME", None)
    # Never the machine's system bus: without a mock it is a path where no bus exists.
    missing_bus = "unix:path=" + os.path.join(tmp, "no-bus-here")
    if env.get("DBUS_SYSTEM_BUS_ADDRESS", "disabled:") == "disabled:":
        env["DBUS_SYSTEM_BUS_ADDRESS"] = missing_bus
    if scenario == "no_bus":
        env["DBUS_SYSTEM_BUS_ADDRESS"] = missing_bus
        env["DBUS_SESSION_BUS_ADDRESS"] = missing_bus
    if "DISPLAY" not in env:
        raise Failed("no display: run under with_mocks.py --xvfb")

    folder = os.path.join(env["XDG_CONFIG_HOME"], "QZ Software")
    os.makedirs(folder)
    path = os.path.join(folder, "QZScheduler.ini")
    values = good_settings()
    if stored_kind == "good":
        data = ini_text(values).encode()
    elif stored_kind == "unknown_action":
        data = ini_text(dict(values, gorev="rest")).encode()
    elif stored_kind == "garbage":
        data = bytes(range(256)) * 4 + b"\n[General\n\x00\xff=\n"
    else:
        text = ini_text(values)
        # Cut inside the last line ("swUstte=0"): the value and the newline are gone.
        data = text[: text.rindex("=")].encode()
    with open(path, "wb") as f:
        f.write(data)

    command = [program]
    if scenario == "read_only_folder":
        command = read_only_command(folder, command)
        if command is None:
            print("SKIP: " + ROOT_READ_ONLY_SKIP)
            return SKIP
    if scenario == "logind_refuses":
        refuse_every_logind_call(env)

    log_path = os.path.join(tmp, "program.log")
    with open(log_path, "wb") as log:
        proc = subprocess.Popen(command, env=env, stdout=log, stderr=subprocess.STDOUT)
    try:
        windows = wait_for_window(proc, env, 20 * SLOW)
        time.sleep(1.5)
        if proc.poll() is not None:
            raise Failed(f"program ended by itself ({proc.returncode})")
        windows = xdotool(env, "search", "--onlyvisible", "--name", TITLE)
        if len(windows) != 1:
            raise Failed(f"{len(windows)} windows titled like the program (an error box?)")
        if scenario == "read_only_folder":
            stop_task_unsaved(env, proc, windows[0])
        if ending == "close":
            click_close_button(env, windows[0])
        else:
            proc.send_signal(signal.SIGTERM)
        try:
            code = proc.wait(10 * SLOW)
        except subprocess.TimeoutExpired:
            raise Failed(f"program did not end on {ending}")
        # The end of a session (SIGTERM) ends the program through its normal path too.
        if code != 0:
            raise Failed(f"program ended with {code} on {ending}")
    except Failed:
        with open(log_path, encoding="utf-8", errors="replace") as f:
            sys.stdout.write(f.read())
        raise
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()

    check_settings(folder, path, data, values, expect)
    calls = acting_calls(env)
    if calls:
        raise Failed(f"logind was asked to act: {calls}")
    print(f"PASS {scenario}")
    return 0


def check_settings(folder, path, data, values, expect):
    aside = path + ".corrupt"
    after = open(path, "rb").read() if os.path.exists(path) else None
    if expect == "identical":
        if after != data:
            raise Failed("settings file changed in a read-only folder")
        extra = sorted(set(os.listdir(folder)) - {"QZScheduler.ini"})
        if extra:
            raise Failed(f"files left in the read-only folder: {extra}")
        return
    if expect == "moved_aside":
        if not os.path.exists(aside) or open(aside, "rb").read() != data:
            raise Failed("unreadable settings file not kept beside the new one")
        fresh = read_ini(path)
        if fresh.get("hergun") != "0":
            raise Failed(f"fresh settings arm an everyday task: {fresh}")
        return
    stored = read_ini(path)
    if expect == "not_rearmed":
        # The task's action is unknown: carrying out any other would surprise the user, so
        # the task waits unarmed; the start-up selection (shutdown) is what gets saved.
        values = dict(values, hergun="0", gorev="shutdown")
    if expect == "truncated":
        # Every complete line survives; the cut one is written again by the save.
        values = {k: v for k, v in values.items() if k != "swUstte"}
        stored.pop("swUstte", None)
    if stored != values:
        raise Failed(f"settings changed: stored {values}, now {stored}")


def main(argv):
    if len(argv) != 2 or argv[0] not in SCENARIOS:
        sys.exit(f"usage: program_faults.py {{{','.join(SCENARIOS)}}} PROGRAM")
    try:
        return run(argv[0], argv[1])
    except Failed as e:
        print(f"FAIL {argv[0]}: {e}")
        return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
