#!/usr/bin/env python3
"""Cold start of OrvantaRemote to the portal page's load, against Debian's Chromium in app mode.

    bench/browser_start.py [path-to-dist-folder] [runs]

For each run, both programs start from nothing of their own: OrvantaRemote from a fresh copy of the
host folder (empty cache, config.xml pointing at the bench portal), Chromium with a fresh profile and
--app=<portal>, with the same four engine switches. The portal page reports its load event to the bench
server (GET /loaded); the time from starting the program to that report is the start time. Two seconds
after the load, the resident memory of the program's whole process tree is summed (RSS, and PSS, which
counts shared pages once). Figures are medians over the runs, after one warm-up run of each.
Prints "name: value" lines; needs chromium, Xvfb and openbox when there is no display.
"""
import http.server
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

SWITCHES = ["--disable-gpu", "--disable-gpu-compositing", "--no-proxy-server", "--allow-running-insecure-content"]
PAGE = b"""<html><head><title>bench portal</title></head><body><h1>Bench portal</h1>
<p>A page of the size of a small portal start page.</p>
<script>window.addEventListener('load', function () { fetch('/loaded?' + Date.now()); });</script>
</body></html>"""


class Portal(http.server.BaseHTTPRequestHandler):
    loads = []
    lock = threading.Lock()

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path.startswith("/loaded"):
            with Portal.lock:
                Portal.loads.append(time.monotonic())
            body = b"ok"
        elif self.path == "/kepnar_test_file.txt":
            body = b"kepnar_test_reply_ok."
        elif self.path in ("/", "/index.html"):
            body = PAGE
        else:
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        self.send_response(200)
        self.send_header("Content-Type", "text/html" if body is PAGE else "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def descendants(root):
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            children.setdefault(int(fields[1]), []).append(int(entry))
        except OSError:
            continue
    tree, todo = [], [root]
    while todo:
        pid = todo.pop()
        tree.append(pid)
        todo.extend(children.get(pid, []))
    return tree


def memory_kb(root):
    rss = pss = 0
    for pid in descendants(root):
        try:
            with open("/proc/%d/smaps_rollup" % pid) as f:
                for line in f:
                    if line.startswith("Rss:"):
                        rss += int(line.split()[1])
                    elif line.startswith("Pss:"):
                        pss += int(line.split()[1])
        except OSError:
            continue
    return rss, pss


def stop_tree(process):
    pids = descendants(process.pid)
    for pid in reversed(pids):
        try:
            os.kill(pid, signal.SIGTERM)
        except OSError:
            pass
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        for pid in pids:
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
        process.wait()


def measure(command, environment, cwd=None):
    with Portal.lock:
        Portal.loads.clear()
    start = time.monotonic()
    process = subprocess.Popen(command, env=environment, cwd=cwd, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    deadline = start + 60
    loaded = None
    while time.monotonic() < deadline:
        with Portal.lock:
            if Portal.loads:
                loaded = Portal.loads[0]
                break
        time.sleep(0.005)
    if loaded is None:
        stop_tree(process)
        raise SystemExit("no load reported within 60 s by: %s" % command[0])
    time.sleep(2)
    rss, pss = memory_kb(process.pid)
    stop_tree(process)
    return loaded - start, rss, pss


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    dist = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "dist"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    chromium = shutil.which("chromium")
    if chromium is None:
        raise SystemExit("chromium is not installed (apt-get install chromium)")

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Portal)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    portal = "http://127.0.0.1:%d/" % server.server_address[1]

    work = tempfile.mkdtemp(prefix="orv-bench-browser-")
    helpers = []
    environment = dict(os.environ)
    if not environment.get("DISPLAY"):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1600x900x24", "-nolisten",
                                 "tcp"], pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        display = os.read(read_fd, 16).decode().strip()
        os.close(read_fd)
        environment["DISPLAY"] = ":" + display
        helpers.append(xvfb)
        helpers.append(subprocess.Popen(["openbox", "--sm-disable"], env=environment, stderr=subprocess.DEVNULL))
        time.sleep(0.5)
    environment.pop("QT_QPA_PLATFORM", None)

    def ours(index):
        run = os.path.join(work, "ours-%d" % index)
        host = os.path.join(run, "host")
        shutil.copytree(dist, host, symlinks=True)
        for leftover in ("config.xml", "cache"):
            path = os.path.join(host, leftover)
            if os.path.isdir(path):
                shutil.rmtree(path)
            elif os.path.exists(path):
                os.remove(path)
        with open(os.path.join(host, "config.xml"), "w") as f:
            f.write("<root><NetLink>%s</NetLink><XPos>100</XPos><YPos>0</YPos><Width>1000</Width>"
                    "<Height>800</Height></root>" % portal)
        env = dict(environment)
        for name in ("runtime", "config", "home"):
            os.makedirs(os.path.join(run, name))
        env.update(XDG_RUNTIME_DIR=os.path.join(run, "runtime"), XDG_CONFIG_HOME=os.path.join(run, "config"),
                   HOME=os.path.join(run, "home"))
        os.chmod(env["XDG_RUNTIME_DIR"], 0o700)
        return measure([os.path.join(host, "OrvantaRemote")], env)

    def theirs(index):
        profile = os.path.join(work, "chromium-%d" % index)
        command = [chromium, "--app=" + portal, "--user-data-dir=" + profile, "--no-first-run",
                   "--no-default-browser-check", "--window-size=1000,800"] + SWITCHES
        if os.geteuid() == 0:
            command.append("--no-sandbox")  # the engine refuses to run as root otherwise; ours runs without too
        return measure(command, environment)

    try:
        ours(0)
        theirs(0)
        results = {"ours": [], "chromium": []}
        for i in range(1, runs + 1):
            results["ours"].append(ours(i))
            results["chromium"].append(theirs(i))
    finally:
        for helper in reversed(helpers):
            helper.terminate()
            helper.wait()
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)

    def median(name, column):
        return statistics.median(r[column] for r in results[name])

    ours_time, chromium_time = median("ours", 0), median("chromium", 0)
    ours_rss, chromium_rss = median("ours", 1), median("chromium", 1)
    ours_pss, chromium_pss = median("ours", 2), median("chromium", 2)
    print("runs: %d (median, after one warm-up run each)" % runs)
    print("start_to_portal_loaded_ours_ms: %.0f" % (ours_time * 1000))
    print("start_to_portal_loaded_chromium_ms: %.0f" % (chromium_time * 1000))
    print("start_ratio: %.2f" % (ours_time / chromium_time))
    print("tree_rss_ours_mb: %.1f" % (ours_rss / 1024))
    print("tree_rss_chromium_mb: %.1f" % (chromium_rss / 1024))
    print("rss_ratio: %.2f" % (ours_rss / chromium_rss))
    print("tree_pss_ours_mb: %.1f" % (ours_pss / 1024))
    print("tree_pss_chromium_mb: %.1f" % (chromium_pss / 1024))
    print("pss_ratio: %.2f" % (ours_pss / chromium_pss))
    print("goal_start_within_1.2x: %s" % ("yes" if ours_time <= 1.2 * chromium_time else "no"))
    print("goal_memory_within_1.2x: %s" % ("yes" if ours_rss <= 1.2 * chromium_rss else "no"))


if __name__ == "__main__":
    main()
