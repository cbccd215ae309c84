#!/usr/bin/env python3
"""Orvanta demo portal server (standard library only).

Serves demo/portal/ as static files plus a few generated resources the
client is pointed at from the page:

    /kepnar_test_file.txt  the fixed 21-byte reply the client's connectivity
                           check expects
    /files/sample.pdf      a two-page PDF (one landscape, one portrait page)
    /files/slow.pdf        the same PDF, trickled out over ~5 s, so the
                           client's printing status stays BUSY long enough
                           to be seen
    /files/sample.sh       a harmless script for the "execute file" action

Usage: python3 demo/serve.py [--port N] [--bind ADDR]
"""

import argparse
import functools
import os
import socket
import sys
import time
from http import HTTPStatus
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from make_sample_pdf import build_pdf  # noqa: E402

PORTAL_DIR = os.path.join(HERE, "portal")

KEPNAR_REPLY = b"kepnar_test_reply_ok."

SLOW_SECONDS = 5.0
SLOW_CHUNKS = 10

SAMPLE_SH = b"""#!/bin/sh
# Orvanta demo: a harmless script the portal asks the client to download and
# run. It leaves a trace in /tmp and, when a desktop is around, says hello.
out=/tmp/orvanta-demo-executed.txt
line="orvanta demo script ran at $(date '+%Y-%m-%d %H:%M:%S') as $(id -un 2>/dev/null || echo unknown)"
echo "$line" >> "$out"
echo "$line"
if command -v notify-send >/dev/null 2>&1; then
    notify-send "Orvanta demo" "$line" >/dev/null 2>&1 || true
elif command -v xmessage >/dev/null 2>&1; then
    xmessage -center -timeout 15 "$line" >/dev/null 2>&1 &
fi
exit 0
"""


class PortalServer(ThreadingHTTPServer):
    daemon_threads = True


class PortalHandler(SimpleHTTPRequestHandler):
    server_version = "OrvantaDemoPortal/1.0"

    # Built once at start-up; see main().
    sample_pdf = b""

    def end_headers(self):
        # The page is edited while the server runs; never let the browser or
        # the client serve a stale copy.
        self.send_header("Cache-Control", "no-store")
        super().end_headers()

    def _route(self):
        path = self.path.split("?", 1)[0].split("#", 1)[0]
        return {
            "/kepnar_test_file.txt": (self._send_bytes, KEPNAR_REPLY, "text/plain"),
            "/files/sample.pdf": (self._send_bytes, self.sample_pdf, "application/pdf"),
            "/files/sample.sh": (self._send_bytes, SAMPLE_SH, "application/x-sh"),
            "/files/slow.pdf": (self._send_slowly, self.sample_pdf, "application/pdf"),
        }.get(path)

    def do_GET(self):
        route = self._route()
        if route is None:
            return super().do_GET()
        send, body, ctype = route
        send(body, ctype, head_only=False)

    def do_HEAD(self):
        route = self._route()
        if route is None:
            return super().do_HEAD()
        send, body, ctype = route
        send(body, ctype, head_only=True)

    def _headers(self, body, ctype):
        self.send_response(HTTPStatus.OK)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()

    def _send_bytes(self, body, ctype, head_only):
        self._headers(body, ctype)
        if not head_only:
            self.wfile.write(body)

    def _send_slowly(self, body, ctype, head_only):
        self._headers(body, ctype)
        if head_only:
            return
        step = max(1, -(-len(body) // SLOW_CHUNKS))
        pause = SLOW_SECONDS / SLOW_CHUNKS
        try:
            for start in range(0, len(body), step):
                time.sleep(pause)
                self.wfile.write(body[start:start + step])
                self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            # The client gave up mid-download; nothing left to do.
            pass


def main(argv=None):
    parser = argparse.ArgumentParser(description="Serve the Orvanta demo portal.")
    parser.add_argument("--port", type=int, default=8080, help="TCP port (default 8080)")
    parser.add_argument("--bind", default="127.0.0.1", help="address to listen on (default 127.0.0.1)")
    args = parser.parse_args(argv)

    PortalHandler.sample_pdf = build_pdf()
    handler = functools.partial(PortalHandler, directory=PORTAL_DIR)
    if ":" in args.bind:
        PortalServer.address_family = socket.AF_INET6
    httpd = PortalServer((args.bind, args.port), handler)

    port = httpd.server_address[1]
    host = args.bind if args.bind not in ("", "0.0.0.0", "::") else "127.0.0.1"
    if ":" in host:
        host = f"[{host}]"
    print(f"demo portal: http://{host}:{port}/", flush=True)
    try:
        httpd.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        httpd.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
