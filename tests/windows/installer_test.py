#!/usr/bin/python3
"""The installer under Wine: silent install per user and per machine, the installed program
on its own, and the uninstaller.

Usage: installer_test.py WINE_RUN SETUP (on an X display)

For each mode: installs silently, checks the program's files, the Start-menu shortcut and the
uninstall entry, starts the installed program without the build's DLL path and finds its
window, then uninstalls silently and checks that files, shortcut, entry and the Run value are
gone, and that the settings stay unless the uninstaller was told to remove them.
"""

import glob
import os
import sys
import time

from wine_session import (RUN_KEY, RUN_VALUE, SETTINGS_KEY, Failed, Wine, find_window, main,
                          program_env)

PRODUCT = "QZ Duvodoro Ruruzovad"
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\QZScheduler"
FILES = ["qzscheduler.exe", "qzscheduler-update.exe", "uninstall.exe", "Qt6Core.dll",
         "Qt6Gui.dll", "Qt6Widgets.dll", "Qt6Network.dll", "libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll",
         "platforms/qwindows.dll", "styles/qwindowsvistastyle.dll", "tls/qschannelbackend.dll"]

# mode switch, registry root of its entries, Start-menu folder below the prefix's drive C,
# uninstaller switches, whether the settings must survive.
MODES = [
    ("/CurrentUser", "HKCU", "users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs",
     [], True),
    ("/AllUsers", "HKLM", "ProgramData/Microsoft/Windows/Start Menu/Programs",
     ["/RemoveSettings"], False),
]


def wait_until(what, condition, timeout=30):
    # The uninstaller runs from a copy of itself, so its first process ends at once.
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            return
        time.sleep(0.25)
    raise Failed(f"timed out waiting until {what}")


def shortcut(drive_c, start_menu):
    found = glob.glob(os.path.join(drive_c, start_menu, PRODUCT + ".lnk"))
    return found[0] if found else None


def check_mode(wine, setup, mode, root, start_menu, uninstall_switches, keeps_settings):
    wine.run(setup, "/S", mode, timeout=120)
    entry = wine.reg_values(rf"{root}\{UNINSTALL_KEY}")
    if not entry or "InstallLocation" not in entry:
        raise Failed(f"{mode}: no uninstall entry under {root}")
    folder = wine.unix_path(entry["InstallLocation"][1])
    missing = [f for f in FILES if not os.path.isfile(os.path.join(folder, f))]
    if missing:
        raise Failed(f"{mode}: not installed in {folder}: {missing}")
    drive_c = wine.unix_path("C:\\")
    link = shortcut(drive_c, start_menu)
    if not link:
        raise Failed(f"{mode}: no Start-menu shortcut in {start_menu}")
    with open(link, "rb") as f:
        if b"qzscheduler.exe" not in f.read().replace(b"\0", b""):
            raise Failed(f"{mode}: the shortcut does not lead to the program")

    # The installed copy alone: only its own folder supplies DLLs and plugins.
    program = os.path.join(folder, "qzscheduler.exe")
    process = wine.start(program, env=program_env(WINEPATH=""))
    try:
        find_window()
    finally:
        if process.poll() is None:
            wine.close("qzscheduler.exe", process)
    if wine.reg_text(SETTINGS_KEY, "gorev") != "shutdown":
        raise Failed(f"{mode}: the installed program wrote no settings")

    # As if run at logon had been switched on.
    wine.reg_add(RUN_KEY, RUN_VALUE, wine.windows_path(program))
    wine.run(os.path.join(folder, "uninstall.exe"), "/S", mode, *uninstall_switches)
    wait_until(f"{mode}: the uninstaller removed the program",
               lambda: not os.path.exists(folder) and not shortcut(drive_c, start_menu))
    wait_until(f"{mode}: the uninstall entry is gone",
               lambda: wine.reg_values(rf"{root}\{UNINSTALL_KEY}") is None)
    if wine.reg_text(RUN_KEY, RUN_VALUE) is not None:
        raise Failed(f"{mode}: the Run value survived the uninstaller")
    kept = wine.reg_values(SETTINGS_KEY) is not None
    if kept != keeps_settings:
        raise Failed(f"{mode}: settings {'kept' if kept else 'removed'}, expected otherwise")


def test(argv):
    wine_run, setup = argv
    wine = Wine(wine_run)
    wine.reg_delete_key(SETTINGS_KEY)
    for mode in MODES:
        check_mode(wine, setup, *mode)


if __name__ == "__main__":
    sys.exit(main(test, sys.argv[1:]))
