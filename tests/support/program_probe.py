"""Looking at the running program from outside: the network and TLS libraries mapped into a
process, its children, a loopback stand-in for an https:// update server, and stopping it.

Used by tests/update/program_worker.py and bench/run.py."""
import os
import signal
import socket
import subprocess
import threading

TLS_LIBRARIES = ("libssl", "libcrypto", "libgnutls", "/tls/")
# Qt's network module and what it brings in with it.
NETWORK_LIBRARIES = TLS_LIBRARIES + ("libQt6Network", "libgssapi", "libproxy")


def mapped_libraries(pid, names):
    """The libraries and plugins of `names` mapped into a process."""
    with open(f"/proc/{pid}/maps") as f:
        return {line.split()[-1] for line in f if any(n in line for n in names)}


def mapped_tls(pid):
    return mapped_libraries(pid, TLS_LIBRARIES)


def mapped_network(pid):
    return mapped_libraries(pid, NETWORK_LIBRARIES)


def children(pid):
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                stat = f.read()
        except OSError:
            continue
        # The parent's id is the second field after the command name in parentheses.
        if int(stat[stat.rindex(")") + 2:].split()[1]) == pid:
            found.append(int(entry))
    return found


def command_line(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read().split(b"\0")
    except OSError:
        return []


class GreetingListener:
    """Accepts connections on 127.0.0.1 and counts those that open with a TLS handshake
    record. With hold, connections stay open until release(); else each is closed after its
    first byte, so a check fails there as against an unreachable server."""

    def __init__(self, hold=False):
        self.hold = hold
        self.socket = socket.socket()
        self.socket.bind(("127.0.0.1", 0))
        self.socket.listen(8)
        self.port = self.socket.getsockname()[1]
        self.greetings = 0
        self.held = []
        threading.Thread(target=self._serve, daemon=True).start()

    def _serve(self):
        while True:
            try:
                connection, _ = self.socket.accept()
            except OSError:
                return
            connection.settimeout(5)
            try:
                if connection.recv(1) == b"\x16":
                    self.greetings += 1
            except OSError:
                pass
            if self.hold:
                self.held.append(connection)
            else:
                connection.close()

    def release(self):
        """Closes every connection and stops listening."""
        for connection in self.held:
            connection.close()
        self.socket.close()


def stop(process, seconds=15):
    """SIGTERM, then SIGKILL when it has not ended within the given time."""
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
