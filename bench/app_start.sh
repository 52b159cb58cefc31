#!/bin/bash
# The real program's start on the benchmarks' collection (100 lists of 1,000
# items), offscreen, in a home and data folder of its own:
#  - the time from its start (execve) to the first time its event loop waits
#    for something to happen: by then the window is shown and painted, since
#    the start shows and repaints it before the loop runs and the loop handles
#    the exposure before it waits (strace's timestamps, median of RUNS runs);
#  - its peak memory with the tree shown (after 3 seconds), and including the
#    save that SIGTERM starts (/usr/bin/time -v).
#
#   bench/app_start.sh BUILD_DIR [RUNS]
# BUILD_DIR was configured with -DQUILLMARK_BENCH=ON and has quillmark and
# quillmark_view_bench built. Needs strace and GNU time.
set -euo pipefail

build=${1:?usage: bench/app_start.sh BUILD_DIR [RUNS]}
runs=${2:-5}
app=$build/app/quillmark
writer=$build/bench/quillmark_view_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/cache" "$work/run"
chmod 700 "$work/run"
"$writer" --write-data-file="$work/data/Fernwise/Quillmark/Quillmark.dat"

run_app() {
    env -u TZ HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
        XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen "$@"
}

# Milliseconds from the program's execve to the first poll of its main
# thread that may wait (a timeout other than 0).
for ((i = 0; i < runs; ++i)); do
    run_app timeout -s TERM 3 strace -f --seccomp-bpf -ttt -e trace=execve,poll,ppoll \
        -o "$work/trace" "$app" 2>/dev/null || true
    awk '
        $3 ~ /^execve\(/ && !main { main = $1; start = $2; next }
        $1 == main && $3 ~ /^p?poll\(/ && $0 !~ /\], [0-9]+, 0( <|\))/ && $0 !~ /\{tv_sec=0, tv_nsec=0\}/ {
            printf "%.0f\n", ($2 - start) * 1000; exit
        }' "$work/trace"
done | sort -n | awk '{ t[NR] = $1 } END {
    printf "start to first idle (window shown and painted), %d runs: median %d ms (min %d, max %d)\n",
        NR, t[int((NR + 1) / 2)], t[1], t[NR] }'

# Peak memory with the tree shown, read before the end: SIGTERM makes the
# program save on its way out, and that save holds the file's bytes too.
run_app "$app" 2>/dev/null &
sleep 3
# The program runs under the shell that ran run_app, or is that shell.
pid=$(pgrep -P $! || echo $!)
grep -E '^VmHWM' "/proc/$pid/status" | awk '{ printf "peak memory with the tree shown: %d MB\n", $2 / 1024 }'
kill -TERM "$pid"
wait || true
run_app /usr/bin/time -v timeout -s TERM 3 "$app" 2>&1 | grep -E 'Maximum resident set size' |
    awk '{ printf "peak memory including the save at SIGTERM: %d MB\n", $NF / 1024 }'
