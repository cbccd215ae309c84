#!/usr/bin/env python3
"""Open many TCP connections to the control server, send each an unfinished
request (headers without the closing blank line) and keep them open.

Used by control_server.sh to measure how the server copes with idle,
half-sent connections while it serves real traffic.

Protocol with the caller (all on stdout, one `name: value` per line, flushed):
  opened: N        connections established and partial request written
  failed: N        connections that could not be opened or written
  ready: 1         all attempts done; the caller may start measuring
Then the helper waits until SIGUSR1 / SIGTERM / SIGINT arrives or --max-hold
seconds pass, checks every socket and prints:
  held: N          still open (no EOF, no reset) at check time
  closed: N        closed or reset by the server
  answered: N      server sent bytes on the connection (counted as held if not
                   closed as well)
  check: 1
and closes everything.

Only the standard library is used. Every loop is bounded.
"""

import argparse
import errno
import resource
import select
import signal
import socket
import sys
import time

PARTIAL_REQUEST = b"GET /init HTTP/1.1\r\nHost: x\r\n"


def say(name, value):
    sys.stdout.write(f"{name}: {value}\n")
    sys.stdout.flush()


def raise_fd_limit(needed):
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    if soft != resource.RLIM_INFINITY and soft < needed:
        target = needed if hard == resource.RLIM_INFINITY else min(needed, hard)
        resource.setrlimit(resource.RLIMIT_NOFILE, (target, hard))
        soft = target
    return soft


def open_connections(host, port, count, deadline):
    socks = []
    failed = 0
    for _ in range(count):
        if time.monotonic() > deadline:
            failed += count - len(socks) - failed
            break
        s = None
        try:
            s = socket.create_connection((host, port), timeout=2.0)
            s.sendall(PARTIAL_REQUEST)
            s.setblocking(False)
            socks.append(s)
        except OSError:
            failed += 1
            if s is not None:
                s.close()
    return socks, failed


def check_connections(socks):
    """Count connections the server still keeps open, without blocking."""
    held = closed = answered = 0
    poller = select.poll()
    by_fd = {}
    for s in socks:
        by_fd[s.fileno()] = s
        poller.register(s.fileno(), select.POLLIN | select.POLLERR | select.POLLHUP)
    ready = {fd: ev for fd, ev in poller.poll(0)}
    for fd, s in by_fd.items():
        ev = ready.get(fd, 0)
        if not ev:
            held += 1
            continue
        try:
            data = s.recv(4096, socket.MSG_PEEK | socket.MSG_DONTWAIT)
        except BlockingIOError:
            held += 1
            continue
        except OSError:
            closed += 1  # reset
            continue
        if not data:
            closed += 1  # orderly close from the server
            continue
        answered += 1
        # Bytes arrived; see whether the close follows them.
        try:
            rest = b""
            for _ in range(64):  # bounded drain
                chunk = s.recv(65536, socket.MSG_DONTWAIT)
                if not chunk:
                    rest = None
                    break
                rest += chunk
            if rest is None:
                closed += 1
            else:
                held += 1
        except BlockingIOError:
            held += 1
        except OSError:
            closed += 1
    return held, closed, answered


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--host", default="127.0.0.1")
    ap.add_argument("--port", type=int, required=True)
    ap.add_argument("--count", type=int, default=500)
    ap.add_argument("--max-hold", type=float, default=25.0,
                    help="seconds to hold at most if nobody signals")
    ap.add_argument("--connect-budget", type=float, default=15.0,
                    help="seconds allowed for opening all connections")
    args = ap.parse_args()
    if args.host != "127.0.0.1":
        print("refusing: loopback only", file=sys.stderr)
        return 2

    limit = raise_fd_limit(args.count + 64)
    if limit < args.count + 16:
        print(f"warning: open-files limit {limit} is below {args.count + 16}", file=sys.stderr)

    stop = {"now": False}

    def on_signal(signum, frame):
        stop["now"] = True

    for sig in (signal.SIGUSR1, signal.SIGTERM, signal.SIGINT):
        signal.signal(sig, on_signal)

    started = time.monotonic()
    socks, failed = open_connections(args.host, args.port, args.count,
                                     started + args.connect_budget)
    say("opened", len(socks))
    say("failed", failed)
    say("open_ms", int((time.monotonic() - started) * 1000))
    say("ready", 1)

    hold_until = time.monotonic() + args.max_hold
    while not stop["now"] and time.monotonic() < hold_until:
        time.sleep(0.05)

    held, closed, answered = check_connections(socks)
    say("held", held)
    say("closed", closed)
    say("answered", answered)
    say("held_for_ms", int((time.monotonic() - started) * 1000))
    say("check", 1)
    for s in socks:
        try:
            s.close()
        except OSError:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
