#!/usr/bin/python3
"""Checks the program as a screen reader sees it: through the AT-SPI accessibility bus.

Usage: with_mocks.py --logind --xvfb -- atspi_tree.py PROGRAM

Runs inside tests/support/with_mocks.py, which gives a private display, a private session
bus and a logind mock on a private system bus. Starts the accessibility bus in that session,
then the real program once per language with a temporary home, walks the program's
accessible tree and checks that every control is there with its role, its name in that
language and its state (checked, on/off, the ring's value, the fields' text).
Exit status 0: passed, 1: failed, 77: skipped (no AT-SPI here).
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

try:
    import pyatspi
except ImportError:
    pyatspi = None

# (role, name, expectation) per language; an expectation is None, "checked", "unchecked",
# ("text", s) or ("value", n).
COMMON = {
    "en": [
        ("push button", "Settings", None),
        ("push button", "Send to tray", None),
        ("push button", "Minimise", None),
        ("push button", "Close", None),
        ("radio button", "Shutdown", "checked"),
        ("radio button", "Restart", "unchecked"),
        ("radio button", "Stand By", "unchecked"),
        ("radio button", "Sleep", "unchecked"),
        ("radio button", "Signout", "unchecked"),
        ("radio button", "Lock", "unchecked"),
        ("radio button", "From Now", "checked"),
        ("radio button", "Specified Time", "unchecked"),
        ("radio button", "Idle Time", "unchecked"),
        ("radio button", "Everyday", "unchecked"),
        ("text", "From Now", ("text", "00:30")),
        ("text", "Specified Time, Date", None),
        ("text", "Specified Time, Time", None),
        ("text", "Idle Time", ("text", "00:05")),
        ("text", "Everyday", ("text", "23:00")),
        ("progress bar", "Remaining Time", ("value", 100)),
        ("push button", "Start Progress", None),
        ("combo box", "Lang.", None),
        ("check box", "Stay on top", "unchecked"),
        ("check box", "Enable Notifications", "checked"),
        ("check box", "Run at Startup", "unchecked"),
    ],
    "tr": [
        ("push button", "Ayarlar", None),
        ("push button", "Sistem tepsisine gönder", None),
        ("push button", "Simge durumuna küçült", None),
        ("push button", "Kapat", None),
        ("radio button", "Kapat", "checked"),
        ("radio button", "Yeniden Başlat", "unchecked"),
        ("radio button", "Hazırda Beklet", "unchecked"),
        ("radio button", "Uyku Modu", "unchecked"),
        ("radio button", "Oturumu Kapat", "unchecked"),
        ("radio button", "Kilitle", "unchecked"),
        ("radio button", "Şu andan itibaren", "checked"),
        ("radio button", "Belirtilen Saatte", "unchecked"),
        ("radio button", "Boşta Kalma Süresi", "unchecked"),
        ("radio button", "Her Gün", "unchecked"),
        ("text", "Şu andan itibaren", ("text", "00:30")),
        ("text", "Belirtilen Saatte, Tarih", None),
        ("text", "Belirtilen Saatte, Saat", None),
        ("text", "Boşta Kalma Süresi", ("text", "00:05")),
        ("text", "Her Gün", ("text", "23:00")),
        ("progress bar", "Kalan Süre", ("value", 100)),
        ("push button", "Görevi Başlat", None),
        ("combo box", "Dil", None),
        ("check box", "Her Zaman Üstte", "unchecked"),
        ("check box", "Bildirim Sistemi Aktif", "checked"),
        ("check box", "Başlangıçta Çalıştır", "unchecked"),
    ],
}
LANGUAGE_NUMBER = {"tr": "1", "en": "2"}


class Failed(Exception):
    pass


def start_accessibility_bus():
    launcher = subprocess.Popen([LAUNCHER, "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    address = ""
    for _ in range(100):
        probe = subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus",
                                "--object-path", "/org/a11y/bus", "--method",
                                "org.a11y.Bus.GetAddress"],
                               capture_output=True, text=True)
        if probe.returncode == 0:
            address = probe.stdout
            break
        time.sleep(0.1)
    if not address:
        launcher.terminate()
        raise Failed("the accessibility bus did not start")
    # A first question to the registry starts it; a program that comes up before the
    # registry does is never listed.
    pyatspi.Registry.getDesktop(0).childCount
    return launcher


def find_application(name, timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and name in (app.name or ""):
                return app
        time.sleep(0.2)
    raise Failed("the program never appeared on the accessibility bus")


def walk(node, found, depth=0):
    if node is None or depth > 40:
        return
    found.append(node)
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), found, depth + 1)


def check_one(nodes, role, name, expectation):
    matches = [n for n in nodes if n.getRoleName() == role and n.name == name]
    if not matches:
        seen = sorted({(n.getRoleName(), n.name) for n in nodes if n.name})
        raise Failed(f"no {role} named {name!r}; seen: {seen}")
    node = matches[0]
    if expectation in ("checked", "unchecked"):
        checked = node.getState().contains(pyatspi.STATE_CHECKED)
        if checked != (expectation == "checked"):
            raise Failed(f"{role} {name!r} should be {expectation}")
    elif expectation and expectation[0] == "text":
        text = node.queryText().getText(0, -1)
        if text != expectation[1]:
            raise Failed(f"{role} {name!r} reads {text!r}, not {expectation[1]!r}")
    elif expectation and expectation[0] == "value":
        value = node.queryValue().currentValue
        if value != expectation[1]:
            raise Failed(f"{role} {name!r} has value {value}, not {expectation[1]}")


def check_language(program, language):
    home = tempfile.mkdtemp(prefix="qz-atspi-")
    try:
        config = os.path.join(home, "config", "QZ Software")
        os.makedirs(config)
        with open(os.path.join(config, "QZScheduler.ini"), "w", encoding="utf-8") as f:
            f.write("[General]\ndil=%s\nswUstte=0\nswBildirim=1\nswBaslangic=0\n"
                    % LANGUAGE_NUMBER[language])
        runtime = os.path.join(home, "runtime")
        os.makedirs(runtime, mode=0o700)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QZ_UPDATE_BASE_URL="http://127.0.0.1:9")
        program_process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
        try:
            app = find_application("qzscheduler", 30)
            deadline = time.time() + 20
            while True:
                nodes = []
                walk(app, nodes)
                try:
                    for role, name, expectation in COMMON[language]:
                        check_one(nodes, role, name, expectation)
                    return
                except Failed:
                    # The window may still be filling in its texts.
                    if time.time() > deadline:
                        raise
                    time.sleep(0.3)
        finally:
            program_process.send_signal(signal.SIGTERM)
            try:
                program_process.wait(15)
            except subprocess.TimeoutExpired:
                program_process.kill()
                program_process.wait()
    finally:
        shutil.rmtree(home, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    if pyatspi is None or not os.path.exists(LAUNCHER):
        print("no AT-SPI here (at-spi2-core, python3-pyatspi)", file=sys.stderr)
        return SKIP
    if not os.environ.get("DBUS_SYSTEM_BUS_ADDRESS"):
        print("refusing to run without a private system bus", file=sys.stderr)
        return 1
    launcher = start_accessibility_bus()
    try:
        for language in ("en", "tr"):
            check_language(sys.argv[1], language)
            print(f"{language}: every control found with its role, name and state")
    except Failed as error:
        print(f"FAILED: {error}", file=sys.stderr)
        return 1
    finally:
        launcher.terminate()
        launcher.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
