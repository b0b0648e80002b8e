#!/usr/bin/python3
"""Measures the program against two minimal Qt windows in one run, under Xvfb.

For each subject, five times, each after an untimed warm-up start: time from exec to the
window being mapped (taken from the X server's map events, so no polling competes with the
subject), memory (PSS) 3 s after, and CPU time over a measuring window (60 s by default).
The program is measured with a countdown armed (an everyday task two hours ahead, restored
from its settings at start), once with its window visible and once sent to the tray, in its
default configuration: its update check goes to an https:// address (a loopback listener here,
so nothing leaves this machine; the check fails there after the TLS greeting). Prints every
figure, the ratios to the minimal windows, and whether a network or TLS library was ever
mapped into the program.

Usage: bench/run.py [--build DIR] [--runs N] [--seconds S]
"""
import argparse
import os
import queue
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from datetime import datetime, timedelta

TITLE = "QZ Duvodoro Ruruzovad"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "support"))
from program_probe import GreetingListener, mapped_network, stop  # noqa: E402


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x800x24", "-dpi", "96",
         "-nolisten", "tcp"], pass_fds=[write_fd], stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_fd, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read_fd)
    return xvfb, ":" + number.decode().strip()


def start_session_bus():
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, text=True)
    return bus, bus.stdout.readline().strip()


class MapWatch:
    """The X server's map events, as bench_map_watch reports them."""

    def __init__(self, program, env):
        self.process = subprocess.Popen([program], env=env, stdout=subprocess.PIPE, text=True)
        if self.process.stdout.readline().strip() != "ready":
            raise RuntimeError("bench_map_watch did not start")
        self.events = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            window, pid, width, at = line.split()
            self.events.put((window, int(pid), int(width), float(at) / 1000))

    def main_window(self, process):
        """Waits for the subject's main window (at least 500 px wide) to be mapped; returns
        its id and the CLOCK_MONOTONIC second of the mapping."""
        while True:
            try:
                window, pid, width, at = self.events.get(timeout=0.1)
            except queue.Empty:
                if process.poll() is not None:
                    raise RuntimeError("the subject ended early")
                continue
            if pid == process.pid and width >= 500:
                return window, at

    def stop(self):
        self.process.terminate()


def window_visible(env, pid):
    """The subject's main window ids, once mapped (its tray icon may carry the title too,
    so only windows of at least the main window's width count)."""
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid),
                             "--name", "^" + TITLE + "$"],
                            env=env, capture_output=True, text=True)
    found = []
    for window in result.stdout.split():
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                                  env=env, capture_output=True, text=True).stdout
        fields = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        if int(fields.get("WIDTH", "0")) >= 500:
            found.append(window)
    return found


def pss_kib(pid):
    with open(f"/proc/{pid}/smaps_rollup") as f:
        for line in f:
            if line.startswith("Pss:"):
                return int(line.split()[1])
    return 0


def cpu_seconds(pid):
    """CPU time of all the process's threads, in nanosecond resolution (clock ticks of
    /proc/PID/stat are 10 ms: too coarse for a process that should hardly run)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except FileNotFoundError:
            pass  # the thread ended meanwhile
    return total / 1e9


def program_home(hours_ahead=2):
    """A home folder whose settings re-arm an everyday task at start."""
    home = tempfile.mkdtemp(prefix="qz-bench-home.")
    config = os.path.join(home, ".config", "QZ Software")
    os.makedirs(config)
    at = (datetime.now() + timedelta(hours=hours_ahead)).strftime("%H:%M")
    with open(os.path.join(config, "QZScheduler.ini"), "w") as f:
        f.write("[General]\nswBildirim=1\nswUstte=0\nswBaslangic=0\ndil=2\n"
                f"hergun=1\nsaat={at}\ngorev=shutdown\n")
    return home


def warm_up(command, env, watch):
    """Starts the subject once, untimed, up to its window. Idle memory is reclaimed here
    within a minute, so without this every timed start would partly be a cold start that
    reads its libraries from disk."""
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        watch.main_window(process)
    finally:
        stop(process, 5)


def measure(subject, command, env, watch, seconds, to_tray=False):
    """Starts one subject; returns (start-up s, PSS KiB, CPU ms over the window, network libraries
    mapped into it at the PSS reading or at the end)."""
    env = dict(env)
    home = None
    if subject.startswith("program"):
        home = program_home()
        env["HOME"] = home
        env["XDG_CONFIG_HOME"] = os.path.join(home, ".config")
    warm_up(command, env, watch)
    started = time.clock_gettime(time.CLOCK_MONOTONIC)
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        window, mapped = watch.main_window(process)
        startup = mapped - started
        if to_tray:
            # The to-tray button is the third from the right in the title bar (50 px each).
            time.sleep(0.5)
            subprocess.run(["xdotool", "mousemove", "--window", window, "422", "16",
                            "click", "1"], env=env, capture_output=True)
            time.sleep(0.5)
            if window_visible(env, process.pid):
                raise RuntimeError(f"{subject}: the window did not go to the tray")
        time.sleep(3)
        pss = pss_kib(process.pid)
        tls = mapped_network(process.pid)
        cpu_before = cpu_seconds(process.pid)
        time.sleep(seconds)
        cpu = (cpu_seconds(process.pid) - cpu_before) * 1000
        return startup, pss, cpu, tls | mapped_network(process.pid)
    finally:
        stop(process, 5)
        if home:
            shutil.rmtree(home, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "bench"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--seconds", type=float, default=60)
    args = parser.parse_args()

    program = os.path.join(args.build, "src", "app", "qzscheduler")
    minimal = os.path.join(args.build, "bench", "bench_minimal_window")
    map_watch = os.path.join(args.build, "bench", "bench_map_watch")
    subjects = [
        ("still window", [minimal], False),
        ("ticking window", [minimal, "--ticking"], False),
        ("program", [program], False),
        ("program in tray", [program], True),
    ]

    xvfb, display = start_xvfb()
    bus, bus_address = start_session_bus()
    # A login session's runtime folder is a tmpfs; so is this one where the machine has one.
    runtime = tempfile.mkdtemp(prefix="qz-bench-run.",
                               dir="/dev/shm" if os.path.isdir("/dev/shm") else None)
    update_server = GreetingListener()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               DBUS_SESSION_BUS_ADDRESS=bus_address, XDG_RUNTIME_DIR=runtime,
               # The default scheme, on this machine only.
               QZ_UPDATE_BASE_URL=f"https://127.0.0.1:{update_server.port}")
    # The power backend must never reach the real system bus from a benchmark.
    env["DBUS_SYSTEM_BUS_ADDRESS"] = "unix:path=" + os.path.join(runtime, "no-system-bus")
    tray = subprocess.Popen(["trayer", "--edge", "top", "--align", "right", "--widthtype",
                             "request", "--height", "24"], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    watch = MapWatch(map_watch, env)
    results = {name: [] for name, _, _ in subjects}
    try:
        time.sleep(1)
        for run in range(args.runs):
            for name, command, to_tray in subjects:
                figures = measure(name, command, env, watch, args.seconds, to_tray)
                results[name].append(figures)
                print(f"run {run + 1} {name:16} start-up {figures[0] * 1000:7.1f} ms   "
                      f"PSS {figures[1] / 1024:6.1f} MiB   CPU {figures[2]:6.1f} ms "
                      f"per {args.seconds:.0f} s   network mapped: "
                      f"{', '.join(sorted(figures[3])) or 'none'}", flush=True)
    finally:
        watch.stop()
        update_server.release()
        for p in (tray, bus, xvfb):
            p.terminate()
        shutil.rmtree(runtime, ignore_errors=True)

    median = {name: [statistics.median(r[i] for r in rows) for i in range(3)]
              for name, rows in results.items()}
    still, ticking = median["still window"], median["ticking window"]
    visible, tray_cpu = median["program"], median["program in tray"]
    per_minute = 60 / args.seconds
    print("\nmedians and ratios")
    print(f"start-up  program {visible[0] * 1000:.1f} ms / still {still[0] * 1000:.1f} ms"
          f" = {visible[0] / still[0]:.2f}x (target <= 1.2x)")
    print(f"PSS       program {visible[1] / 1024:.1f} MiB / still {still[1] / 1024:.1f} MiB"
          f" = {visible[1] / still[1]:.2f}x (target <= 1.2x)")
    print(f"CPU armed program {visible[2] * per_minute:.1f} ms / ticking "
          f"{ticking[2] * per_minute:.1f} ms per 60 s"
          f" = {visible[2] / max(ticking[2], 0.001):.2f}x (target <= 1.2x)")
    print(f"CPU armed in tray {tray_cpu[2] * per_minute:.1f} ms per 60 s (target <= 10 ms)")
    program_runs = results["program"] + results["program in tray"]
    tls = set().union(*(r[3] for r in program_runs))
    # Warm-up starts end at their window, often before their check has connected.
    print(f"update checks that reached the https:// server: {update_server.greetings} "
          f"({len(program_runs)} timed program starts)")
    print(f"network or TLS mapped in the program: {', '.join(sorted(tls)) or 'never'}")


if __name__ == "__main__":
    sys.exit(main())
