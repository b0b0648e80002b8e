#!/usr/bin/python3
"""The update worker never takes a cut body for a whole one, with every core busy.

Usage: cut_download.py WORKER [RUNS]

A loopback server answers chunked and closes the connection before the last chunk: the
chunks in segments of their own, or the headers, one chunk and the close in one segment.
The network client may then connect again, send the request again and still end the reply
without an error. The worker is run RUNS times (default 200) per case, for the new program
and for the version file. The test, its server and every worker share one core with a busy
process, so the worker is often held between the answer's arrival and its reading, which is
when the client gets it wrong. Every "done" for the program,
and every version read from a cut version file, is a wrong acceptance. Two whole answers
first show that the worker does accept what it can prove whole.
Exit status 0: no wrong acceptance, 1: any.
"""
import hashlib
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading

WORKER_OPTION = "--update-worker"
PROGRAM_PATH = "/software/qzscheduler/qzscheduler"
VERSION_FILE = b"[VersionInfo]\r\nBuildNumber=2.0.0.5\r\n"
CHUNK = 4096
TIMEOUT_MS = 5000
# Seconds a worker may take under load before the run counts as hung.
WORKER_BOUND = 30


def chunk(data):
    return b"%x\r\n" % len(data) + data + b"\r\n"


def chunked_head():
    return (b"HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
            b"Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n")


def answer(mode, body):
    """The segments of an answer, each sent on its own."""
    pieces = [body[at:at + CHUNK] for at in range(0, len(body), CHUNK)]
    if mode == "length":
        return [b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n"
                % len(body) + body]
    if mode == "chunked":
        return [chunked_head()] + [chunk(p) for p in pieces] + [b"0\r\n\r\n"]
    if mode == "cut-split":
        return [chunked_head()] + [chunk(p) for p in pieces[:-1]]
    if mode == "cut-one-segment":
        return [chunked_head() + chunk(pieces[0])]
    raise ValueError(mode)


class CutHandler(socketserver.StreamRequestHandler):
    """Answers GET /<mode>/<path> as answer() says, the same on every connection; the server
    closes the connection after it."""

    timeout = WORKER_BOUND

    def handle(self):
        request_line = self.rfile.readline()
        while self.rfile.readline() not in (b"\r\n", b"\n", b""):
            pass
        mode, rest = request_line.split()[1].decode().lstrip("/").split("/", 1)
        body = VERSION_FILE if rest.endswith(".txt") else self.server.payload
        for segment in answer(mode, body):
            self.request.sendall(segment)


class CutServer(socketserver.ThreadingTCPServer):
    daemon_threads = True

    def __init__(self, payload):
        super().__init__(("127.0.0.1", 0), CutHandler)
        self.payload = payload
        threading.Thread(target=self.serve_forever, daemon=True).start()

    def handle_error(self, request, client_address):
        pass  # a worker that gave up on a connection is no fault of the server's

    def base(self, mode):
        return f"http://127.0.0.1:{self.server_address[1]}/{mode}"


def run_worker(worker, arguments):
    """The worker's report lines; its standard input stays open until it has ended."""
    proc = subprocess.Popen([worker, WORKER_OPTION, *arguments], stdin=subprocess.PIPE,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    timer = threading.Timer(WORKER_BOUND, proc.kill)
    timer.start()
    try:
        out = proc.stdout.read()
        proc.wait()
    finally:
        timer.cancel()
        proc.stdin.close()
        proc.stdout.close()
    return out.decode(errors="replace").splitlines()


def downloaded(worker, base, folder, sha256=""):
    """Whether the worker kept the program (said "done", or left the file)."""
    target = os.path.join(folder, "update_qzscheduler")
    lines = run_worker(worker, ["download", base, "", str(TIMEOUT_MS), target, sha256])
    kept = "done" in lines or os.path.exists(target)
    if os.path.exists(target):
        os.remove(target)
    return kept


def version_read(worker, base):
    """Whether the worker read a version (anything but "hata")."""
    lines = run_worker(worker, ["version", base, "", str(TIMEOUT_MS)])
    return any(line.startswith("version ") and line != "version hata" for line in lines)


def share_one_busy_core():
    """Keeps this process and its children to one core, and a busy process on it too."""
    os.sched_setaffinity(0, {min(os.sched_getaffinity(0))})
    return subprocess.Popen([sys.executable, "-c", "while True: pass"])


def main():
    worker = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    payload = os.urandom(20 * CHUNK + 100)
    digest = hashlib.sha256(payload).hexdigest()
    server = CutServer(payload)
    folder = tempfile.mkdtemp(prefix="qz-cut-download.")
    load = share_one_busy_core()
    failed = False
    try:
        controls = {
            "whole program with its length": downloaded(worker, server.base("length"), folder),
            "whole chunked program with its SHA-256":
                downloaded(worker, server.base("chunked"), folder, digest),
            "whole version file with its length": version_read(worker, server.base("length")),
        }
        for name, accepted in controls.items():
            if not accepted:
                print(f"control refused: {name}; the runs below would prove nothing")
                failed = True
        cases = [
            ("program, chunks apart", lambda: downloaded(worker, server.base("cut-split"),
                                                         folder)),
            ("program, one segment", lambda: downloaded(worker, server.base("cut-one-segment"),
                                                        folder)),
            ("version file, one segment",
             lambda: version_read(worker, server.base("cut-one-segment"))),
        ]
        for name, accepted in cases:
            wrong = sum(1 for _ in range(runs) if accepted())
            print(f"cut before the last chunk, {name}: {runs} runs, {wrong} wrongly accepted",
                  flush=True)
            failed = failed or wrong > 0
    finally:
        load.kill()
        load.wait()
        server.shutdown()
        server.server_close()
        shutil.rmtree(folder, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
