#!/usr/bin/python3
"""An installed program has what it installs and finds it at run time.

Usage: with_mocks.py --logind -- installed_program.py install CMAKE BUILD_DIR
       with_mocks.py --logind -- installed_program.py check PREFIX

"install" installs the build with `cmake --install` into a temporary prefix whose path has
a space, then checks it; "check" checks a tree installed otherwise (an unpacked package's
usr folder). The check: the installed files are there (the desktop entry, the icon in each
size, the software centres' description, the manual page), and the installed program,
started with a temporary home and the update address pointed at a loopback server this
script runs, asks that server for the version file. Exit 0 passed, 1 failed.
"""

import os
import queue
import signal
import struct
import subprocess
import sys
import tempfile
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

VERSION_FILE = "/software/qzscheduler/qzscheduler.txt"
ICON_SIDES = (16, 22, 24, 32, 48, 64, 128, 256)
# Installed files besides the icons, relative to the prefix.
FILES = (
    "bin/qzscheduler",
    "libexec/qzscheduler/qzscheduler-update",
    "share/applications/qzscheduler.desktop",
    "share/metainfo/example.qz_software.qzscheduler.metainfo.xml",
    "share/man/man1/qzscheduler.1.gz",
    "share/doc/qzscheduler/copyright",
)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def check_files(prefix):
    problems = [f"missing {name}" for name in FILES
                if not os.path.isfile(os.path.join(prefix, name))]
    for side in ICON_SIDES:
        icon = os.path.join(prefix, f"share/icons/hicolor/{side}x{side}/apps/qzscheduler.png")
        size = png_size(icon) if os.path.isfile(icon) else None
        if size != (side, side):
            problems.append(f"icon {side}x{side}: {size or 'missing'}")
    return problems


def serve_version_file(requests):
    class Handler(BaseHTTPRequestHandler):
        def log_message(self, *args):
            pass

        def do_GET(self):
            requests.put(self.path)
            # The program's own version: nothing to offer, so no question opens.
            body = b"[VersionInfo]\nBuildNumber=2.0.0.4\n"
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def version_check_reaches_server(program, tmp):
    env = dict(os.environ)
    for d in ("home", "config", "run"):
        os.makedirs(os.path.join(tmp, d), mode=0o700)
    requests = queue.Queue()
    server = serve_version_file(requests)
    env.update(HOME=os.path.join(tmp, "home"), XDG_CONFIG_HOME=os.path.join(tmp, "config"),
               XDG_RUNTIME_DIR=os.path.join(tmp, "run"), QT_QPA_PLATFORM="offscreen",
               QZ_UPDATE_BASE_URL=f"http://127.0.0.1:{server.server_port}", LANG="C.UTF-8")
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True)
    try:
        path = requests.get(timeout=60)
        if path != VERSION_FILE:
            return f"the program asked for {path}"
        return None
    except queue.Empty:
        return "the installed program never asked the update server"
    finally:
        if proc.poll() is None:
            proc.send_signal(signal.SIGTERM)
        try:
            _, err = proc.communicate(timeout=20)
        except subprocess.TimeoutExpired:
            proc.kill()
            _, err = proc.communicate()
        if err.strip():
            print(err.strip(), file=sys.stderr)
        server.shutdown()


def check(prefix, tmp):
    problems = check_files(prefix)
    failure = version_check_reaches_server(os.path.join(prefix, "bin/qzscheduler"), tmp)
    return problems + [failure] if failure else problems


def main(argv):
    with tempfile.TemporaryDirectory(prefix="qz-install-") as tmp:
        if argv[:1] == ["install"] and len(argv) == 3:
            prefix = os.path.join(tmp, "some prefix")
            subprocess.run([argv[1], "--install", argv[2], "--prefix", prefix], check=True,
                           stdout=subprocess.DEVNULL)
        elif argv[:1] == ["check"] and len(argv) == 2:
            prefix = argv[1]
        else:
            sys.exit(__doc__)
        problems = check(prefix, tmp)
    for p in problems:
        print("FAILED:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
