"""Helpers of the Windows program's tests: Wine's registry tool, its task list and the
program's window on the X display of the stage (tests/support/with_mocks.py gives DISPLAY).

Every Wine command goes through the build's wine-run wrapper (the first argument of each
test), so all of them share one Wine prefix: $WINEPREFIX, or the build's own.
"""

import os
import subprocess
import time

TITLE = "^QZ Duvodoro Ruruzovad$"
SETTINGS_KEY = r"HKCU\Software\QZ Software\QZScheduler"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "ZE Zivuzoziz"


class Failed(Exception):
    pass


class Wine:
    def __init__(self, wine_run):
        self.wine_run = wine_run

    def run(self, *args, env=None, timeout=60, check=True):
        result = subprocess.run([self.wine_run, *args], env=env, timeout=timeout,
                                capture_output=True, text=True, errors="replace")
        if check and result.returncode != 0:
            raise Failed(f"{' '.join(args)} ended with {result.returncode}: "
                         f"{result.stdout}{result.stderr}")
        return result

    def start(self, *args, env=None):
        return subprocess.Popen([self.wine_run, *args], env=env)

    def reg_values(self, key):
        """The values of a key as {name: (type, data)}; None when the key does not exist."""
        result = self.run("reg", "query", key, check=False)
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            # "    name    REG_SZ    data": four blanks between the columns.
            parts = line.strip().split("    ")
            if len(parts) >= 2 and parts[1].startswith("REG_"):
                values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
        return values

    def reg_text(self, key, name):
        values = self.reg_values(key) or {}
        entry = values.get(name)
        return entry[1] if entry and entry[0] == "REG_SZ" else None

    def reg_add(self, key, name, data):
        self.run("reg", "add", key, "/v", name, "/t", "REG_SZ", "/d", data, "/f")

    def reg_delete_key(self, key):
        self.run("reg", "delete", key, "/f", check=False)

    def reg_delete_value(self, key, name):
        self.run("reg", "delete", key, "/v", name, "/f", check=False)

    def windows_path(self, unix_path):
        return self.run("winepath", "-w", unix_path).stdout.strip()

    def unix_path(self, windows_path):
        return self.run("winepath", "-u", windows_path).stdout.strip()

    def close(self, image, process, timeout=20):
        """Asks the program to close as the desktop would (WM_CLOSE) and waits for its end."""
        self.run("taskkill", "/im", image, check=False)
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            raise Failed(f"{image} did not end after WM_CLOSE")


def find_window(timeout=40):
    """The X window id of the program's visible window."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", TITLE],
                                capture_output=True, text=True)
        ids = result.stdout.split()
        if ids:
            return ids[0]
        time.sleep(0.25)
    raise Failed("the program's window did not show")


def window_geometry(window):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                         capture_output=True, text=True, check=True).stdout
    fields = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return {k: int(fields[k]) for k in ("X", "Y", "WIDTH", "HEIGHT")}


def main(test, argv):
    """Runs test(argv) and maps its outcome to the exit status CTest reads (77: skipped)."""
    if not os.environ.get("DISPLAY"):
        print("SKIPPED: no X display (run the stage under tests/support/with_mocks.py --trayer)")
        return 77
    try:
        test(argv)
    except (Failed, subprocess.SubprocessError) as e:
        print(f"FAILED: {e}")
        return 1
    print("PASSED")
    return 0


def program_env(**extra):
    """The environment for the program: on the X display, not the offscreen platform."""
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    env.update(extra)
    return env
