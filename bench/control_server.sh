#!/usr/bin/env bash
# Benchmark of the control server (the local HTTP server of OrvantaRemote).
#
#   bench/control_server.sh [path-to-OrvantaRemote]
#
# Prints `name: value` lines on stdout; progress and warnings go to stderr.
# Goals are reported, never enforced: the exit status is 0 whenever the
# benchmark itself ran, whatever the numbers.
#
# Environment knobs (all optional):
#   BENCH_DURATION   seconds per wrk run            (default 10)
#   BENCH_CONNS      wrk connections                (default 50)
#   BENCH_IDLE       idle half-sent connections     (default 500)
#   BENCH_REQUESTS   request budget for the memory run (default 1000000)
#   BENCH_MEM_MAX_S  time cap for the memory run    (default 120)
#   BENCH_NGINX_PORT first port tried for nginx     (default 21080)
#   BENCH_KEEP=1     keep the temp folder (raw wrk output, logs) and print its path

# shellcheck disable=SC2317  # functions below are reached through traps
set -uo pipefail

SCRIPT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SOURCE_BIN=${1:-$SCRIPT_DIR/../build/dist/OrvantaRemote}

DURATION=${BENCH_DURATION:-10}
CONNS=${BENCH_CONNS:-50}
IDLE_COUNT=${BENCH_IDLE:-500}
REQUEST_BUDGET=${BENCH_REQUESTS:-1000000}
MEM_MAX_S=${BENCH_MEM_MAX_S:-120}
NGINX_FIRST_PORT=${BENCH_NGINX_PORT:-21080}

GOAL_RATIO=0.5
GOAL_P99_MS=5
GOAL_IDLE_P99_MS=20
GOAL_RSS_GROWTH_KB=5120

for knob in DURATION CONNS IDLE_COUNT REQUEST_BUDGET MEM_MAX_S NGINX_FIRST_PORT; do
    [[ ${!knob} =~ ^[1-9][0-9]*$ ]] || { echo "[bench] error: $knob must be a positive integer" >&2; exit 1; }
done
((DURATION <= 25)) || { echo "[bench] error: BENCH_DURATION must stay well under the server's 30 s idle timeout" >&2; exit 1; }

log() { echo "[bench] $*" >&2; }
die() { echo "[bench] error: $*" >&2; exit 1; }
out() { printf '%s: %s\n' "$1" "$2"; }

# ---------------------------------------------------------------- tools

missing=()
for tool in wrk nginx; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    die "missing ${missing[*]}; install with: apt-get install wrk nginx-light"
fi
for tool in python3 curl; do
    command -v "$tool" >/dev/null 2>&1 || die "missing $tool (needed by this script)"
done
[[ -x $SOURCE_BIN ]] || die "program not found or not executable: $SOURCE_BIN"
NGINX_BIN=$(command -v nginx)

# ---------------------------------------------------------------- cleanup

WORK=$(mktemp -d /tmp/benchhost.XXXXXX) || die "mktemp failed"
SERVER_PID=""
NGINX_PID=""
HELPER_PID=""
WRK_PID=""

stop_pid() { # pid, seconds to wait after SIGTERM before SIGKILL
    local pid=$1 wait_s=$2 i
    [[ -n $pid ]] || return 0
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    for ((i = 0; i < wait_s * 10; i++)); do
        kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
        sleep 0.1
    done
    log "pid $pid ignored SIGTERM for ${wait_s}s; killing it"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    local rc=$?
    trap - EXIT INT TERM
    stop_pid "$WRK_PID" 3
    stop_pid "$HELPER_PID" 3
    stop_pid "$NGINX_PID" 5
    stop_pid "$SERVER_PID" 10
    if [[ ${BENCH_KEEP:-0} == 1 ]]; then
        log "kept temp folder: $WORK"
    else
        rm -rf "$WORK"
    fi
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# ---------------------------------------------------------------- helpers

now_ms() { date +%s%3N; }

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

fd_count() { find "/proc/$1/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l; }

# Listening TCP ports (IPv4) owned by a pid, from /proc, so no ss/lsof needed.
listening_ports_of() {
    local pid=$1 inodes
    inodes=$(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 -printf '%l\n' 2>/dev/null |
        sed -n 's/^socket:\[\([0-9]*\)\]$/\1/p' | tr '\n' ' ')
    [[ -n $inodes ]] || return 0
    awk -v inodes="$inodes" 'BEGIN { n = split(inodes, a, " "); for (i = 1; i <= n; i++) want[a[i]] = 1 }
        NR > 1 && $4 == "0A" && ($10 in want) { split($2, la, ":"); print la[2] }' /proc/net/tcp |
        while read -r hex; do echo $((16#$hex)); done
}

port_is_listening() { # any process, 127.0.0.1 or 0.0.0.0
    local hex
    hex=$(printf '%04X' "$1")
    awk -v p="$hex" 'NR > 1 && $4 == "0A" { split($2, la, ":"); if (la[2] == p) found = 1 } END { exit !found }' \
        /proc/net/tcp /proc/net/tcp6
}

http_body() { curl -s --max-time 2 "$1" 2>/dev/null; }

# wrk output -> seconds-independent numbers
to_ms() { # "1.46ms" / "463.00us" / "1.20s" / "1.00m" -> milliseconds
    awk -v v="$1" 'BEGIN {
        if (match(v, /^[0-9.]+/) == 0) { print "n/a"; exit }
        num = substr(v, 1, RLENGTH); unit = substr(v, RLENGTH + 1)
        if (unit == "us") f = 0.001; else if (unit == "ms") f = 1; else if (unit == "s") f = 1000;
        else if (unit == "m") f = 60000; else if (unit == "h") f = 3600000; else { print "n/a"; exit }
        printf "%.3f\n", num * f }'
}
wrk_rps() { awk '/^Requests\/sec:/ {printf "%d\n", $2 + 0.5; f = 1} END {if (!f) print "n/a"}' "$1"; }
wrk_p99_ms() {
    local raw
    raw=$(awk '$1 == "99%" {print $2}' "$1")
    [[ -n $raw ]] && to_ms "$raw" || echo n/a
}
wrk_requests() { awk '/ requests in / {print $1; f = 1} END {if (!f) print 0}' "$1"; }
wrk_socket_errors() { # sum of connect/read/write/timeout
    awk '/Socket errors:/ { gsub(",", ""); print $4 + $6 + $8 + $10; f = 1 } END { if (!f) print 0 }' "$1"
}
wrk_non2xx() { awk '/Non-2xx or 3xx responses:/ {print $NF; f = 1} END {if (!f) print 0}' "$1"; }

# CPU used by everything except this benchmark (server, nginx, wrk and the
# script's other children) while a run lasted, in cores. The machine is shared;
# a build or test run next to us skews the numbers, and this shows it.
CLK_TCK=$(getconf CLK_TCK 2>/dev/null || echo 100)
proc_ticks() { sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | awk '{print $12 + $13; f = 1} END {if (!f) print 0}'; }
cpu_snapshot() { # sets SNAP; must run in this shell (not in $(...)) for `times` to see our children
    local busy ours=0 p children_ms
    busy=$(awk '$1 == "cpu" {print $2 + $3 + $4 + $7 + $8}' /proc/stat) # user nice system irq softirq
    for p in "$SERVER_PID" "$NGINX_PID" $(pgrep -P "${NGINX_PID:-1}" 2>/dev/null); do
        [[ -n $p ]] && ours=$((ours + $(proc_ticks "$p")))
    done
    times >"$WORK/times.txt"
    children_ms=$(awk 'NR == 2 { t = 0; for (i = 1; i <= 2; i++) { split($i, a, "m"); sub("s", "", a[2]); t += a[1] * 60 + a[2] }
        printf "%d\n", t * 1000 }' "$WORK/times.txt")
    SNAP="$(now_ms) $busy $ours ${children_ms:-0}"
}
other_cores() { # SNAP-before SNAP-after -> cores used by others, 2 decimals
    awk -v a="$1" -v b="$2" -v hz="$CLK_TCK" 'BEGIN {
        split(a, x, " "); split(b, y, " "); wall = (y[1] - x[1]) / 1000
        if (wall <= 0) { print "n/a"; exit }
        other = (y[2] - x[2]) / hz - (y[3] - x[3]) / hz - (y[4] - x[4]) / 1000
        if (other < 0) other = 0
        printf "%.2f\n", other / wall }'
}

# run_wrk OUTFILE SECONDS URL: wrk in the background so a signal to us stops it too.
# Leaves the foreign CPU figure for the run in OUTFILE with .cpu for an ending.
run_wrk() {
    local outfile=$1 secs=$2 url=$3 rc before
    cpu_snapshot
    before=$SNAP
    timeout -k 5 $((secs + 30)) wrk -t1 -c"$CONNS" -d"${secs}s" --latency "$url" >"$outfile" 2>&1 &
    WRK_PID=$!
    wait "$WRK_PID"
    rc=$?
    WRK_PID=""
    cpu_snapshot
    other_cores "$before" "$SNAP" >"${outfile%.txt}.cpu"
    ((rc == 0)) || log "wrk exited with $rc for $url (output in $outfile)"
    return 0
}

# report_wrk PREFIX OUTFILE: the common lines, plus error counts if any.
report_wrk() {
    local prefix=$1 file=$2 errs non2xx
    out "${prefix}_rps" "$(wrk_rps "$file")"
    out "${prefix}_p99_ms" "$(wrk_p99_ms "$file")"
    errs=$(wrk_socket_errors "$file")
    non2xx=$(wrk_non2xx "$file")
    out "${prefix}_socket_errors" "$errs"
    out "${prefix}_non2xx" "$non2xx"
    report_other_cpu "$prefix" "$(cat "${file%.txt}.cpu" 2>/dev/null)"
    if ((errs > 0)); then
        log "$prefix: wrk reported $(grep 'Socket errors:' "$file" | sed 's/^ *//')"
    fi
}

report_other_cpu() { # PREFIX CORES
    out "${1}_other_cpu_cores" "${2:-n/a}"
    if is_num "${2:-}" && awk -v c="$2" 'BEGIN {exit !(c > 0.2)}'; then
        log "warning: other processes used $2 cores during the $1 run; its numbers are unreliable"
    fi
}
is_num() { [[ $1 =~ ^-?[0-9]+(\.[0-9]+)?$ ]]; }
ratio() { # a b -> a/b with 2 decimals, or n/a
    if is_num "$1" && is_num "$2" && [[ $2 != 0 ]]; then
        awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f\n", a / b}'
    else
        echo n/a
    fi
}
goal_ge() { is_num "$1" || { echo unknown; return; }; awk -v a="$1" -v b="$2" 'BEGIN {print (a >= b) ? "yes" : "no"}'; }
goal_lt() { is_num "$1" || { echo unknown; return; }; awk -v a="$1" -v b="$2" 'BEGIN {print (a < b) ? "yes" : "no"}'; }

# ---------------------------------------------------------------- 1. OrvantaRemote

BIN=$WORK/OrvantaRemote
cp "$SOURCE_BIN" "$BIN" || die "cannot copy $SOURCE_BIN"
mkdir -p "$WORK/xdg-runtime" "$WORK/home" "$WORK/nginx/logs" "$WORK/nginx/tmp" "$WORK/wrk"
chmod 700 "$WORK/xdg-runtime"

log "starting $BIN (copied from $SOURCE_BIN)"
env QT_QPA_PLATFORM=offscreen \
    XDG_RUNTIME_DIR="$WORK/xdg-runtime" \
    XDG_CONFIG_HOME="$WORK/home/.config" \
    XDG_CACHE_HOME="$WORK/home/.cache" \
    XDG_DATA_HOME="$WORK/home/.local/share" \
    "$BIN" >"$WORK/server.log" 2>&1 </dev/null &
SERVER_PID=$!
start_ms=$(now_ms)

PORT=""
for ((i = 0; i < 200; i++)); do # up to ~20 s
    kill -0 "$SERVER_PID" 2>/dev/null || {
        tail -n 20 "$WORK/server.log" >&2
        die "OrvantaRemote exited during start-up"
    }
    for p in $(listening_ports_of "$SERVER_PID"); do
        if ((p >= 21010 && p <= 21014)) && [[ $(http_body "http://127.0.0.1:$p/init") == OK_1 ]]; then
            PORT=$p
            break 2
        fi
    done
    sleep 0.1
done
[[ -n $PORT ]] || die "OrvantaRemote did not answer /init on 21010..21014 within 20 s"
ready_ms=$(($(now_ms) - start_ms))
log "OrvantaRemote pid $SERVER_PID answers on port $PORT after ${ready_ms} ms"

APP_STATE_BODY=$(http_body "http://127.0.0.1:$PORT/app_state?srv1")
[[ $APP_STATE_BODY == 'srv1*?*0' ]] || log "warning: /app_state?srv1 answered '$APP_STATE_BODY', expected 'srv1*?*0'"

out port "$PORT"
out startup_ms "$ready_ms"
# Other work on the machine skews everything below; these two lines tell whether there was any.
out cpus "$(nproc)"
out loadavg_1m_at_start "$(cut -d' ' -f1 /proc/loadavg)"

# ---------------------------------------------------------------- 2. nginx anchor

NGINX_PORT=""
for ((p = NGINX_FIRST_PORT; p < NGINX_FIRST_PORT + 20; p++)); do
    port_is_listening "$p" || { NGINX_PORT=$p; break; }
done
[[ -n $NGINX_PORT ]] || die "no free port for nginx in $NGINX_FIRST_PORT..$((NGINX_FIRST_PORT + 19))"

NG=$WORK/nginx
cat >"$NG/nginx.conf" <<EOF
worker_processes 1;
daemon off;
master_process on;
pid $NG/nginx.pid;
error_log $NG/logs/error.log warn;
events { worker_connections 2048; }
http {
    access_log off;
    client_body_temp_path $NG/tmp/body;
    proxy_temp_path $NG/tmp/proxy;
    fastcgi_temp_path $NG/tmp/fastcgi;
    uwsgi_temp_path $NG/tmp/uwsgi;
    scgi_temp_path $NG/tmp/scgi;
    # Like the control server: no cap on requests per kept-alive connection.
    keepalive_requests 100000000;
    keepalive_timeout 30s;
    server {
        listen 127.0.0.1:$NGINX_PORT;
        location / {
            default_type text/plain;
            return 200 "OK_1";
        }
    }
}
EOF
"$NGINX_BIN" -t -q -p "$NG/" -e "$NG/logs/error.log" -c "$NG/nginx.conf" 2>"$NG/logs/test.log" ||
    { cat "$NG/logs/test.log" >&2; die "nginx rejected the generated config"; }
"$NGINX_BIN" -p "$NG/" -e "$NG/logs/error.log" -c "$NG/nginx.conf" >"$NG/logs/stdout.log" 2>&1 </dev/null &
NGINX_PID=$!
ok=""
for ((i = 0; i < 100; i++)); do # up to ~10 s
    kill -0 "$NGINX_PID" 2>/dev/null || { cat "$NG/logs/error.log" >&2; die "nginx exited during start-up"; }
    if [[ $(http_body "http://127.0.0.1:$NGINX_PORT/") == OK_1 ]]; then ok=1; break; fi
    sleep 0.1
done
[[ -n $ok ]] || die "nginx did not answer on 127.0.0.1:$NGINX_PORT within 10 s"
log "nginx (pid $NGINX_PID, one worker) answers on port $NGINX_PORT"
out nginx_port "$NGINX_PORT"

# ---------------------------------------------------------------- 5. memory (first: measured on the fresh server)
# Done before the throughput runs so rss_start really is the start-up figure and
# the growth reflects nothing but the request loop.

RSS_START=$(rss_kb "$SERVER_PID")
FD_START=$(fd_count "$SERVER_PID")
log "memory run: at least $REQUEST_BUDGET requests to /init, at most ${MEM_MAX_S}s"
mem_total=0
mem_errors=0
mem_begin=$(date +%s)
cpu_snapshot
mem_snap=$SNAP
next_secs=5
for ((round = 1; round <= 30; round++)); do
    elapsed=$(($(date +%s) - mem_begin))
    left_s=$((MEM_MAX_S - elapsed))
    ((mem_total < REQUEST_BUDGET && left_s >= 1)) || break
    ((next_secs > left_s)) && next_secs=$left_s
    f=$WORK/wrk/memory_$round.txt
    run_wrk "$f" "$next_secs" "http://127.0.0.1:$PORT/init"
    got=$(wrk_requests "$f")
    mem_total=$((mem_total + got))
    mem_errors=$((mem_errors + $(wrk_socket_errors "$f")))
    kill -0 "$SERVER_PID" 2>/dev/null || die "OrvantaRemote died during the memory run"
    ((got > 0)) || { log "memory run: wrk round $round sent nothing; stopping"; break; }
    # Size the next round from the rate just seen, with a little margin.
    remaining=$((REQUEST_BUDGET - mem_total))
    if ((remaining > 0)); then
        next_secs=$(awk -v r="$remaining" -v g="$got" -v s="$next_secs" 'BEGIN {
            t = r / (g / s) * 1.05; t = int(t) + 1; if (t < 1) t = 1; print t }')
    fi
done
mem_secs=$(($(date +%s) - mem_begin))
cpu_snapshot
mem_other=$(other_cores "$mem_snap" "$SNAP")
sleep 1 # let closing connections be torn down before sampling
RSS_AFTER=$(rss_kb "$SERVER_PID")
out rss_start_kb "$RSS_START"
out rss_after_1m_kb "$RSS_AFTER"
RSS_GROWTH=$((RSS_AFTER - RSS_START))
out rss_growth_kb "$RSS_GROWTH"
out rss_growth_kb_goal "< $GOAL_RSS_GROWTH_KB"
out requests_sent "$mem_total"
out memory_run_s "$mem_secs"
out memory_run_socket_errors "$mem_errors"
report_other_cpu memory_run "$mem_other"
((mem_total >= REQUEST_BUDGET)) || log "warning: memory run reached only $mem_total requests within ${MEM_MAX_S}s"

# ---------------------------------------------------------------- 3. throughput vs nginx

log "wrk -t1 -c$CONNS -d${DURATION}s on /init"
run_wrk "$WORK/wrk/init.txt" "$DURATION" "http://127.0.0.1:$PORT/init"
log "wrk -t1 -c$CONNS -d${DURATION}s on /app_state?srv1"
run_wrk "$WORK/wrk/app_state.txt" "$DURATION" "http://127.0.0.1:$PORT/app_state?srv1"
log "wrk -t1 -c$CONNS -d${DURATION}s on nginx /"
run_wrk "$WORK/wrk/nginx.txt" "$DURATION" "http://127.0.0.1:$NGINX_PORT/"
kill -0 "$SERVER_PID" 2>/dev/null || die "OrvantaRemote died during the throughput runs"

report_wrk init "$WORK/wrk/init.txt"
out init_p99_ms_goal "< $GOAL_P99_MS"
report_wrk app_state "$WORK/wrk/app_state.txt"
out app_state_p99_ms_goal "< $GOAL_P99_MS"
report_wrk nginx "$WORK/wrk/nginx.txt"
INIT_RPS=$(wrk_rps "$WORK/wrk/init.txt")
APP_RPS=$(wrk_rps "$WORK/wrk/app_state.txt")
NGINX_RPS=$(wrk_rps "$WORK/wrk/nginx.txt")
INIT_P99=$(wrk_p99_ms "$WORK/wrk/init.txt")
APP_P99=$(wrk_p99_ms "$WORK/wrk/app_state.txt")
INIT_RATIO=$(ratio "$INIT_RPS" "$NGINX_RPS")
APP_RATIO=$(ratio "$APP_RPS" "$NGINX_RPS")
out init_vs_nginx_ratio "$INIT_RATIO"
out init_vs_nginx_ratio_goal ">= $GOAL_RATIO"
out app_state_vs_nginx_ratio "$APP_RATIO"
out app_state_vs_nginx_ratio_goal ">= $GOAL_RATIO"

# ---------------------------------------------------------------- 4. idle half-sent connections

log "opening $IDLE_COUNT idle half-sent connections"
HELPER_OUT=$WORK/hold.txt
python3 "$SCRIPT_DIR/hold_connections.py" --port "$PORT" --count "$IDLE_COUNT" \
    --max-hold $((DURATION + 15)) >"$HELPER_OUT" 2>"$WORK/hold.err" &
HELPER_PID=$!
for ((i = 0; i < 300; i++)); do # up to ~30 s
    grep -q '^ready: 1' "$HELPER_OUT" 2>/dev/null && break
    kill -0 "$HELPER_PID" 2>/dev/null || { cat "$WORK/hold.err" >&2; die "hold_connections.py exited early"; }
    sleep 0.1
done
grep -q '^ready: 1' "$HELPER_OUT" || die "hold_connections.py did not get ready within 30 s"
helper_val() { awk -v k="$1:" '$1 == k {print $2}' "$HELPER_OUT" | tail -n 1; }
IDLE_OPENED=$(helper_val opened)
IDLE_FAILED=$(helper_val failed)
sleep 0.5 # let the server accept the last of them
FD_IDLE=$(fd_count "$SERVER_PID")
log "helper holds $IDLE_OPENED connections ($IDLE_FAILED failed); server has $FD_IDLE open fds"

log "wrk -t1 -c$CONNS -d${DURATION}s on /init with the idle connections held"
run_wrk "$WORK/wrk/init_idle.txt" "$DURATION" "http://127.0.0.1:$PORT/init"
kill -USR1 "$HELPER_PID" 2>/dev/null
for ((i = 0; i < 100; i++)); do # up to ~10 s
    grep -q '^check: 1' "$HELPER_OUT" 2>/dev/null && break
    sleep 0.1
done
wait "$HELPER_PID" 2>/dev/null
HELPER_PID=""
IDLE_HELD=$(helper_val held)
IDLE_CLOSED=$(helper_val closed)
IDLE_ANSWERED=$(helper_val answered)
IDLE_HELD_MS=$(helper_val held_for_ms)
kill -0 "$SERVER_PID" 2>/dev/null || die "OrvantaRemote died during the idle-connection run"

out idle_connections_opened "${IDLE_OPENED:-n/a}"
report_wrk "init_with_${IDLE_COUNT}_idle" "$WORK/wrk/init_idle.txt"
IDLE_P99=$(wrk_p99_ms "$WORK/wrk/init_idle.txt")
out "init_with_${IDLE_COUNT}_idle_p99_ms_goal" "< $GOAL_IDLE_P99_MS"
out idle_connections_held "${IDLE_HELD:-n/a}"
out idle_connections_closed_by_server "${IDLE_CLOSED:-n/a}"
out idle_connections_answered "${IDLE_ANSWERED:-n/a}"
out idle_held_for_ms "${IDLE_HELD_MS:-n/a}"
out server_fds_at_start "$FD_START"
out server_fds_with_idle "$FD_IDLE"
[[ ${IDLE_HELD:-0} == "$IDLE_COUNT" ]] ||
    log "warning: only ${IDLE_HELD:-?} of $IDLE_COUNT idle connections were still open after the run"

sleep 1
out rss_end_kb "$(rss_kb "$SERVER_PID")"
out server_fds_at_end "$(fd_count "$SERVER_PID")"

# ---------------------------------------------------------------- clean stop of the server

stop_begin=$(now_ms)
kill -TERM "$SERVER_PID"
stopped=""
for ((i = 0; i < 100; i++)); do # up to ~10 s
    kill -0 "$SERVER_PID" 2>/dev/null || { stopped=1; break; }
    sleep 0.05
done
if [[ -n $stopped ]]; then
    wait "$SERVER_PID"
    server_rc=$?
    out server_stop_ms "$(($(now_ms) - stop_begin))"
    out server_exit_code "$server_rc"
    SERVER_PID=""
else
    out server_stop_ms "n/a (still running after 10 s; killed)"
fi

out loadavg_1m_at_end "$(cut -d' ' -f1 /proc/loadavg)"

# ---------------------------------------------------------------- 6. summary

out goal_init_ratio_met "$(goal_ge "$INIT_RATIO" "$GOAL_RATIO")"
out goal_app_state_ratio_met "$(goal_ge "$APP_RATIO" "$GOAL_RATIO")"
out goal_init_p99_met "$(goal_lt "$INIT_P99" "$GOAL_P99_MS")"
out goal_app_state_p99_met "$(goal_lt "$APP_P99" "$GOAL_P99_MS")"
out goal_idle_p99_met "$(goal_lt "$IDLE_P99" "$GOAL_IDLE_P99_MS")"
if [[ -n $RSS_START && -n $RSS_AFTER ]] && ((mem_total >= REQUEST_BUDGET)); then
    out goal_rss_growth_met "$(goal_lt "$RSS_GROWTH" "$GOAL_RSS_GROWTH_KB")"
else
    out goal_rss_growth_met unknown
fi
exit 0
