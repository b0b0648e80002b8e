#!/usr/bin/python3
"""The real program keeps the task its user set, whatever ends it or breaks its logon entry.

Usage: with_mocks.py --logind --xvfb [--trayer] -- program_lifecycle.py SCENARIO PROGRAM

Each scenario runs the program with a temporary HOME, on the wrapper's private display and
buses, drives its window with xdotool and asks the running copy for its task over the
program's own single-copy channel ("status"). Scenarios:

  set_then_<end>           the user picks Lock, Everyday (23:00) and Start; the program then
                           ends by its close button, SIGKILL, or losing its display
  save_autostart_<kind>    the same with the logon entry impossible to write
  start_autostart_<kind>   a stored everyday task, the logon entry impossible to write
  sigterm_in_start_box     SIGTERM while the start-up error box is open
  requests_in_start_box    command-line requests while the start-up error box is open
  request_opens_box        a command-line task whose arming opens the logon entry's error
                           box, held open longer than a silent client is kept, and a second
                           task asked for meanwhile
  two_starts               a second start while the first holds an everyday task due soon

<kind> is file (the autostart folder is a file), entry_dir (the entry is a folder) or
read_only (the folder cannot be written). Afterwards the next start must re-arm exactly
the task that was set, the settings must hold what the user chose, and logind must have
been asked for nothing but the one action that came due. Exit 0 passed, 1 failed, 77
skipped.
"""

import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
from datetime import datetime, timedelta

import program_faults as pf

# Centres of controls in window coordinates at 96 dpi.
LOCK = (494, 67)
EVERYDAY = (48, 230)
START = (473, 278)
TO_TRAY = (420, 18)
ENTRY = "ZE Zivuzoziz.desktop"


class Failed(Exception):
    pass


class Home:
    """A temporary home with the program's settings and autostart folders."""

    def __init__(self, tmp):
        self.env = dict(os.environ)
        for d in ("home", "config", "run"):
            os.makedirs(os.path.join(tmp, d), mode=0o700)
        self.env.update(HOME=os.path.join(tmp, "home"),
                        XDG_CONFIG_HOME=os.path.join(tmp, "config"),
                        XDG_RUNTIME_DIR=os.path.join(tmp, "run"), QT_QPA_PLATFORM="xcb",
                        QZ_UPDATE_BASE_URL="http://127.0.0.1:9", LANG="C.UTF-8",
                        # The session logind's mock is told to lock; it knows no other.
                        XDG_SESSION_ID="c1")
        self.env.pop("QT_QPA_PLATFORMTHEME", None)
        if "DISPLAY" not in self.env:
            raise Failed("no display: run under with_mocks.py --xvfb")
        self.folder = os.path.join(tmp, "config", "QZ Software")
        os.makedirs(self.folder)
        self.ini = os.path.join(self.folder, "QZScheduler.ini")
        self.autostart = os.path.join(tmp, "config", "autostart")
        self.socket = os.path.join(tmp, "run", "qzscheduler-c1.socket")
        self.log = os.path.join(tmp, "program.log")

    def store(self, values):
        with open(self.ini, "w", encoding="utf-8") as f:
            f.write(pf.ini_text(values))

    def stored(self):
        return pf.read_ini(self.ini)

    def break_autostart(self, kind):
        if kind == "file":
            with open(self.autostart, "w") as f:
                f.write("not a folder\n")
        else:
            os.makedirs(os.path.join(self.autostart, ENTRY) if kind == "entry_dir"
                        else self.autostart)

    def repair_autostart(self):
        if os.path.isdir(self.autostart):
            os.chmod(self.autostart, 0o755)
            shutil.rmtree(self.autostart)
        elif os.path.exists(self.autostart):
            os.remove(self.autostart)

    def has_entry(self):
        return os.path.isfile(os.path.join(self.autostart, ENTRY))


STARTED = []


class Program:
    def __init__(self, home, command):
        STARTED.append(self)
        self.home = home
        with open(home.log, "ab") as log:
            self.proc = subprocess.Popen(command, env=home.env, stdout=log,
                                         stderr=subprocess.STDOUT)
        self.window = None

    def windows(self):
        return pf.xdotool(self.home.env, "search", "--onlyvisible", "--name", pf.TITLE)

    def wait_for(self, condition, what, timeout=20):
        deadline = time.time() + timeout * pf.SLOW
        while time.time() < deadline:
            if condition():
                return
            if self.proc.poll() is not None:
                raise Failed(f"program ended ({self.proc.returncode}) waiting for {what}")
            time.sleep(0.1)
        raise Failed(f"timed out waiting for {what}")

    def wait_for_main_window(self):
        # The main window is the one the size of the window; boxes are smaller.
        def found():
            for w in self.windows():
                if self.size(w) == (547, 338):
                    self.window = w
                    return True
            return False
        self.wait_for(found, "the window")

    def size(self, window):
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                             env=self.home.env, capture_output=True, text=True).stdout
        geometry = dict(line.split("=") for line in out.split())
        return int(geometry.get("WIDTH", 0)), int(geometry.get("HEIGHT", 0))

    def boxes(self):
        return [w for w in self.windows() if w != self.window and self.size(w) != (547, 338)]

    def dismiss_box(self):
        self.wait_for(lambda: self.boxes(), "an error box")
        box = self.boxes()[0]
        pf.xdotool(self.home.env, "windowfocus", "--sync", box)
        pf.xdotool(self.home.env, "key", "--window", box, "Return")
        self.wait_for(lambda: not self.boxes(), "the error box to close")

    def click(self, where):
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(where[0]),
                        str(where[1]), "click", "1"], env=self.home.env, check=True)
        time.sleep(0.3)

    def status(self):
        # A request line leads with the time its sender stops waiting, in milliseconds of
        # the monotonic clock; the copy says "taken", then answers.
        deadline = int(time.monotonic() * 1000) + 5000
        with socket.socket(socket.AF_UNIX) as s:
            s.settimeout(5)
            s.connect(self.home.socket)
            s.sendall(f"{deadline} status\n".encode())
            answer = b""
            while True:
                chunk = s.recv(256)
                if not chunk:
                    break
                answer += chunk
        lines = answer.decode().splitlines()
        if len(lines) != 2 or lines[0] != "taken":
            raise OSError(f"not an answer: {lines}")
        return lines[1]

    def answers(self):
        try:
            self.status()
            return True
        except OSError:  # not listening yet, or a socket left by a killed copy
            return False

    def close(self):
        pf.click_close_button(self.home.env, self.window)
        self.expect_end(0)

    def expect_end(self, code=None, timeout=10):
        try:
            got = self.proc.wait(timeout * pf.SLOW)
        except subprocess.TimeoutExpired:
            raise Failed("program did not end")
        if code is not None and got != code:
            raise Failed(f"program ended with {got}, expected {code}")

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def expect_status(program, action, hhmm):
    # The channel and the display are separate connections: a question sent right after a
    # click may be answered before the click is handled, so the answer is awaited.
    last = []

    def armed():
        last[:] = [program.status()]
        return last[0].startswith(f"armed {action} ") and f"T{hhmm}:00" in last[0]

    try:
        program.wait_for(armed, f"{action} at {hhmm} to be armed", timeout=10)
    except Failed as e:
        raise Failed(f"{e}; the armed task is '{last[0] if last else ''}'") from None


def expect_stored(home, values):
    stored = home.stored()
    if stored != values:
        raise Failed(f"settings: expected {values}, found {stored}")


def expect_no_action(home):
    calls = pf.acting_calls(home.env)
    if calls:
        raise Failed(f"logind was asked to act: {calls}")


def start(home, read_only=False):
    command = [PROGRAM]
    if read_only:
        command = pf.read_only_command(home.autostart, command)
        if command is None:
            raise Skip()
    return Program(home, command)


class Skip(Exception):
    pass


def set_lock_everyday(program, box_expected):
    program.click(LOCK)
    program.click(EVERYDAY)
    if program.boxes():
        raise Failed("checking Everyday alone asked for the logon start")
    program.click(START)
    if box_expected:
        program.dismiss_box()  # the armed everyday task asks for the logon start
    expect_status(program, "lock", "23:00")


def scenario_set_then(home, ending, kind=None):
    before = dict(pf.good_settings(), hergun="0", gorev="shutdown", swBaslangic="0")
    home.store(before)
    if kind:
        home.break_autostart(kind)
    program = start(home, read_only=kind == "read_only")
    program.wait_for_main_window()
    set_lock_everyday(program, box_expected=kind is not None)
    if ending == "close":
        program.close()
    elif ending == "sigkill":
        program.kill()
    else:  # the display goes away: the X server drops the program's connection
        pf.xdotool(home.env, "windowkill", program.window)
        program.expect_end()
    expect_stored(home, dict(before, hergun="1", gorev="lock", saat="23:00", swBaslangic="1"))

    # The next start, with the folder writable again, arms exactly that task. Without the
    # display (it went away) it runs headless and is asked over its channel alone.
    home.repair_autostart()
    if ending == "display_lost":
        home.env["QT_QPA_PLATFORM"] = "offscreen"
    again = start(home)
    again.wait_for(again.answers, "the running copy's channel")
    expect_status(again, "lock", "23:00")
    again.proc.send_signal(signal.SIGTERM)
    again.expect_end(0)
    if not home.has_entry():
        raise Failed("no logon entry after a start with run at logon on")
    expect_no_action(home)


def scenario_start_autostart(home, kind):
    stored = pf.good_settings()
    home.store(stored)
    home.break_autostart(kind)
    program = start(home, read_only=kind == "read_only")
    program.wait_for(lambda: program.windows(), "a window")
    program.dismiss_box()
    program.wait_for_main_window()
    if program.boxes():
        raise Failed("the refusal was told more than once")
    expect_status(program, "restart", stored["saat"])
    program.close()
    expect_stored(home, stored)
    expect_no_action(home)


def scenario_sigterm_in_start_box(home):
    stored = pf.good_settings()
    home.store(stored)
    home.break_autostart("entry_dir")
    program = start(home)
    program.wait_for(lambda: program.windows(), "the start-up error box")
    program.proc.send_signal(signal.SIGTERM)
    program.expect_end(0)
    expect_stored(home, stored)
    expect_no_action(home)


def command(home, *args):
    return subprocess.Popen([PROGRAM, *args], env=home.env, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True)


def expect_command(proc, status, what):
    try:
        out, err = proc.communicate(timeout=30 * pf.SLOW)
    except subprocess.TimeoutExpired:
        raise Failed(f"{what}: the command did not end")
    if proc.returncode != status:
        raise Failed(f"{what}: status {proc.returncode} (expected {status}), "
                     f"stdout {out.strip()!r}, stderr {err.strip()!r}")
    return out.strip()


def scenario_requests_in_start_box(home):
    # Asked before the window is ready, answered once it is: the stored task is re-armed
    # first, so the status names it and a second task is refused.
    stored = pf.good_settings()
    home.store(stored)
    home.break_autostart("file")
    program = start(home)
    program.wait_for(lambda: program.boxes(), "the start-up error box")
    status = command(home, "--status")
    time.sleep(0.5)
    arm = command(home, "--action", "lock", "--in", "01:00")
    time.sleep(2)
    program.dismiss_box()
    out = expect_command(status, 0, "--status asked during the box")
    if not out.startswith("armed restart ") or f"T{stored['saat']}:00" not in out:
        raise Failed(f"--status asked during the box printed {out!r}")
    expect_command(arm, 2, "--action asked during the box")
    program.wait_for_main_window()
    expect_status(program, "restart", stored["saat"])
    program.close()
    expect_no_action(home)


def scenario_request_opens_box(home):
    before = dict(pf.good_settings(), hergun="0", gorev="shutdown", swBaslangic="0")
    home.store(before)
    home.break_autostart("file")
    program = start(home)
    program.wait_for_main_window()
    first = command(home, "--action", "lock", "--everyday", "23:00")
    program.wait_for(lambda: program.boxes(), "the logon entry's error box")
    time.sleep(6.5)  # longer than a client that says nothing is kept
    second = command(home, "--action", "shutdown", "--in", "00:30")
    time.sleep(1)
    program.dismiss_box()
    expect_command(first, 0, "the task whose arming opened the box")
    expect_command(second, 2, "a second task asked for while the first was armed")
    if program.proc.poll() is not None:
        raise Failed(f"program ended ({program.proc.returncode})")
    expect_status(program, "lock", "23:00")
    program.close()
    expect_stored(home, dict(before, hergun="1", gorev="lock", saat="23:00", swBaslangic="1"))
    expect_no_action(home)


def scenario_two_starts(home):
    now = datetime.now()
    due = (now + timedelta(minutes=2 if now.second > 40 else 1)).replace(second=0,
                                                                          microsecond=0)
    stored = dict(pf.good_settings(), gorev="shutdown", saat=due.strftime("%H:%M"))
    home.store(stored)
    first = start(home)
    first.wait_for_main_window()
    first.click(TO_TRAY)
    first.wait_for(lambda: not first.windows(), "the window to go to the tray")

    second = start(home)
    second.expect_end(0)
    first.wait_for(lambda: first.window in first.windows(), "the window to come back")
    if len(first.windows()) != 1:
        raise Failed(f"{len(first.windows())} windows after a second start")
    expect_status(first, "shutdown", stored["saat"])

    time.sleep(max(0, (due - datetime.now()).total_seconds()) + 4)
    calls = pf.acting_calls(home.env)
    if len(calls) != 1 or " PowerOff " not in f" {calls[0]} ":
        raise Failed(f"expected one PowerOff at the due time, logind got {calls}")
    first.close()


def run(scenario):
    tmp = tempfile.mkdtemp(prefix="qz-lifecycle-")
    home = Home(tmp)
    try:
        if scenario.startswith("set_then_"):
            scenario_set_then(home, scenario[len("set_then_"):])
        elif scenario.startswith("save_autostart_"):
            scenario_set_then(home, "close", scenario[len("save_autostart_"):])
        elif scenario.startswith("start_autostart_"):
            scenario_start_autostart(home, scenario[len("start_autostart_"):])
        elif scenario == "sigterm_in_start_box":
            scenario_sigterm_in_start_box(home)
        elif scenario == "requests_in_start_box":
            scenario_requests_in_start_box(home)
        elif scenario == "request_opens_box":
            scenario_request_opens_box(home)
        elif scenario == "two_starts":
            scenario_two_starts(home)
        else:
            sys.exit(f"unknown scenario {scenario}")
    except Failed:
        if os.path.exists(home.log):
            with open(home.log, encoding="utf-8", errors="replace") as f:
                sys.stdout.write(f.read())
        raise
    finally:
        for program in STARTED:
            program.kill()
        home.repair_autostart()
        shutil.rmtree(tmp, ignore_errors=True)


def main(argv):
    global PROGRAM
    if len(argv) != 2:
        sys.exit("usage: program_lifecycle.py SCENARIO PROGRAM")
    PROGRAM = argv[1]
    try:
        run(argv[0])
    except Skip:
        print("SKIP: " + pf.ROOT_READ_ONLY_SKIP)
        return pf.SKIP
    except (Failed, pf.Failed) as e:
        print(f"FAIL {argv[0]}: {e}")
        return 1
    print(f"PASS {argv[0]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
