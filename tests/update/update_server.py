#!/usr/bin/python3
"""Loopback update server for the update tests.

Usage: update_server.py PAYLOAD_FILE
Listens on 127.0.0.1 on a free port and prints the port on its first line. The first path
segment picks how it answers, so one server serves every case:
  /<mode>/software/qzscheduler/qzscheduler.txt   the version file
  /<mode>/software/qzscheduler/qzscheduler[.exe] the new program (PAYLOAD_FILE)
Answers are HTTP/1.0 with a length unless the mode says otherwise.
"""
import hashlib
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

VERSION_FILES = {
    "equal": b"[VersionInfo]\r\nBuildNumber=2.0.0.4\r\n",
    "older": b"[VersionInfo]\nBuildNumber=2.0.0.3\n",
    "newer": b"; released builds\n[Other]\nName=x\n[VersionInfo]\nBuildNumber = 2.0.0.10\n",
    "zeros": b"[VersionInfo]\nBuildNumber=2.00.0.4\n",
    "nosection": b"[Other]\nBuildNumber=2.0.0.5\n",
    "nokey": b"[VersionInfo]\nBuild=2.0.0.5\n",
    "empty": b"[VersionInfo]\nBuildNumber=\n",
    "ok": b"[VersionInfo]\nBuildNumber=2.0.0.5\n",
}

# Version files naming the program's SHA-256, made from the true digest of the payload.
SHA256_FILES = {
    "sha-match": lambda d: f"[VersionInfo]\nBuildNumber=2.0.0.5\nSHA256={d}\n",
    "sha-upper": lambda d: f"[VersionInfo]\nSHA256 = \"{d.upper()}\"\nBuildNumber=2.0.0.5\n",
    # The last digit changed.
    "sha-mismatch": lambda d: "[VersionInfo]\nBuildNumber=2.0.0.5\nSHA256=%s%s\n"
    % (d[:-1], "1" if d[-1] == "0" else "0"),
    "sha-short": lambda d: f"[VersionInfo]\nBuildNumber=2.0.0.5\nSHA256={d[:32]}\n",
}

NOT_FOUND_PAGE = (b"<!DOCTYPE html><html><head><title>404 Not Found</title></head>"
                  b"<body><h1>Not Found</h1></body></html>")


class Handler(BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def answer(self, status, body, content_type="application/octet-stream", length=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()

    def chunked(self, body, last_chunk=True):
        """A chunked answer, with or without the last (empty) chunk, then the connection
        closed."""
        self.protocol_version = "HTTP/1.1"
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.send_header("Connection", "close")
        self.end_headers()
        for at in range(0, len(body), 4096):
            piece = body[at:at + 4096]
            self.wfile.write(b"%x\r\n" % len(piece) + piece + b"\r\n")
        if last_chunk:
            self.wfile.write(b"0\r\n\r\n")
        self.wfile.flush()
        self.close_connection = True

    def unannounced(self, body):
        """HTTP/1.0 without a length: the body ends where the connection closes."""
        self.send_response(200)
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()
        self.close_connection = True

    def do_GET(self):
        parts = self.path.split("/", 2)
        mode = parts[1] if len(parts) > 2 else ""
        rest = "/" + parts[2] if len(parts) > 2 else self.path
        is_version = rest == "/software/qzscheduler/qzscheduler.txt"
        is_program = rest in ("/software/qzscheduler/qzscheduler",
                              "/software/qzscheduler/qzscheduler.exe")
        with open(PAYLOAD, "rb") as f:
            payload = f.read()
        half = payload[: len(payload) // 2]

        if mode == "hang":
            time.sleep(3600)  # accepts the connection, never answers
        elif mode == "notfound" or not (is_version or is_program):
            self.answer(404, NOT_FOUND_PAGE, "text/html")
        elif mode == "error500":
            # A failure status whose body would otherwise pass for a good answer.
            self.answer(500, VERSION_FILES["ok"] if is_version else payload)
        elif mode == "cut":
            self.answer(200, half, length=len(payload))
            self.close_connection = True
        elif mode == "stall":
            self.answer(200, half, length=len(payload))
            time.sleep(3600)
        elif mode == "trickle":
            # Never silent long enough for the transfer bound, never done either.
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            for _ in range(7200):
                self.wfile.write(b";")
                self.wfile.flush()
                time.sleep(0.5)
        elif mode in ("nolength-cut", "nolength-whole"):
            self.unannounced(half if mode == "nolength-cut" else
                             VERSION_FILES["ok"] if is_version else payload)
        elif mode in ("chunked", "chunked-cut"):
            self.chunked(VERSION_FILES["ok"] if is_version else payload,
                         last_chunk=mode == "chunked")
        elif mode == "sha-chunked":
            # The version file names the program's SHA-256; the program comes chunked.
            if is_version:
                digest = hashlib.sha256(payload).hexdigest()
                self.answer(200, SHA256_FILES["sha-match"](digest).encode(), "text/plain")
            else:
                self.chunked(payload)
        elif is_version and mode in SHA256_FILES:
            digest = hashlib.sha256(payload).hexdigest()
            self.answer(200, SHA256_FILES[mode](digest).encode(), "text/plain")
        elif is_version and mode == "agent":
            # Hands the request's User-Agent back as the version, so the test can see it.
            agent = self.headers.get("User-Agent", "").encode()
            self.answer(200, b"[VersionInfo]\nBuildNumber=" + agent + b"\n", "text/plain")
        elif is_version and mode in VERSION_FILES:
            self.answer(200, VERSION_FILES[mode], "text/plain")
        elif is_program and (mode == "ok" or mode in SHA256_FILES):
            self.answer(200, payload)
        else:
            self.answer(404, NOT_FOUND_PAGE, "text/html")


if __name__ == "__main__":
    PAYLOAD = sys.argv[1]
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print(server.server_address[1], flush=True)
    server.serve_forever()
