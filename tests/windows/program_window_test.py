#!/usr/bin/python3
"""The Windows program under Wine on an X display with a tray.

Usage: program_window_test.py WINE_RUN PROGRAM SCREENSHOT (on an X display with a tray)

Starts the program with run at logon switched on in its stored settings, waits for its
window, saves a screenshot of the display (window and tray) to SCREENSHOT, reads back with
Wine's registry tool what the program wrote under the settings key and the Run value, closes
it as the desktop would, and checks what its last save left there.
"""

import os
import subprocess
import sys
import time

from wine_session import (RUN_KEY, RUN_VALUE, SETTINGS_KEY, Failed, Wine, find_window, main,
                          program_env, window_geometry)


def expect(what, actual, wanted):
    if actual != wanted:
        raise Failed(f"{what}: {actual!r}, expected {wanted!r}")


def painted_colours(screenshot, geometry):
    crop = "{WIDTH}x{HEIGHT}+{X}+{Y}".format(**geometry)
    out = subprocess.run(["convert", screenshot, "-crop", crop, "+repage", "-format", "%k",
                          "info:"], capture_output=True, text=True, check=True).stdout
    return int(out.strip())


def test(argv):
    wine_run, program, screenshot = argv
    wine = Wine(wine_run)
    wine.reg_delete_key(SETTINGS_KEY)
    wine.reg_delete_value(RUN_KEY, RUN_VALUE)
    # English, and the run-at-logon switch on: the window's showing writes the Run value.
    wine.reg_add(SETTINGS_KEY, "dil", "2")
    wine.reg_add(SETTINGS_KEY, "swBaslangic", "1")

    process = wine.start(program, env=program_env())
    try:
        window = find_window()
        geometry = window_geometry(window)
        # The window keeps its designed size at 96 dpi.
        expect("window size", (geometry["WIDTH"], geometry["HEIGHT"]), (547, 338))
        os.makedirs(os.path.dirname(screenshot), exist_ok=True)
        # A window that drew its controls has many colours; one not yet painted has one or two.
        deadline = time.time() + 30
        colours = 0
        while colours < 50 and time.time() < deadline:
            time.sleep(0.5)  # also lets the tray icon appear
            subprocess.run(["import", "-window", "root", screenshot], check=True)
            colours = painted_colours(screenshot, geometry)
        if colours < 50:
            raise Failed(f"the window shows only {colours} colours")

        expect("Run value", wine.reg_text(RUN_KEY, RUN_VALUE), wine.windows_path(program))
        if wine.reg_text(SETTINGS_KEY, "gorev") != "shutdown":
            raise Failed(f"settings after start: {wine.reg_values(SETTINGS_KEY)}")
    finally:
        if process.poll() is None:
            wine.close("qzscheduler.exe", process)

    stored = {name: data for name, (kind, data) in (wine.reg_values(SETTINGS_KEY) or {}).items()
              if kind == "REG_SZ"}
    expect("settings after close", stored,
           {"swBildirim": "1", "swUstte": "0", "swBaslangic": "1", "hergun": "0",
            "gorev": "shutdown", "dil": "2"})
    expect("Run value after close", wine.reg_text(RUN_KEY, RUN_VALUE), wine.windows_path(program))
    wine.reg_delete_value(RUN_KEY, RUN_VALUE)


if __name__ == "__main__":
    sys.exit(main(test, sys.argv[1:]))
