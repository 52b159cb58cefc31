#!/bin/bash
# The real program on a made-up data file of N items (100 lists of N / 100,
# names of about 20 characters, descriptions of about 80), offscreen, in a
# home and data folder of its own. Each of RUNS runs starts the program,
# waits until it is idle, reads its memory, ends it with SIGTERM (which
# saves) and gives, from strace's timestamps:
#  - start to first idle: from its execve to the first time its event loop
#    waits for something to happen; by then the window is shown and painted,
#    since the start shows and repaints it before the loop runs and the loop
#    handles the exposure before it waits;
#  - peak memory with the tree shown (VmHWM, a second after that idle);
#  - the save at SIGTERM: from the signal to the new file renamed into place
#    and its folder flushed, and from the signal to the end of the program.
# Medians of the runs, then the floor: the same file read and parsed by the
# model alone (quillmark_bench's BM_LoadDataFile, the same generator).
#
#   bench/app_start.sh [--items=N] BUILD_DIR [RUNS]      (N 100000, RUNS 5)
#
# Meant for a Release build of its own, so that a figure speaks of the code
# and not of the build it happened to be taken from:
#   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQUILLMARK_BENCH=ON
#   cmake --build build/bench
#   bench/app_start.sh --items=1000000 build/bench 5
# and on a quiet machine: the load average and the build type it measured
# are printed first. Needs strace and GNU time.
set -euo pipefail

items=100000
if [[ ${1:-} == --items=* ]]; then
    items=${1#--items=}
    shift
fi
usage="usage: bench/app_start.sh [--items=N] BUILD_DIR [RUNS]"
build=${1:?$usage}
runs=${2:-5}
[[ $items =~ ^[0-9]+$ && $runs =~ ^[1-9][0-9]*$ ]] || { echo "$usage" >&2; exit 64; }
app=$build/app/quillmark
writer=$build/bench/quillmark_view_bench
model_bench=$build/bench/quillmark_bench

cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
source_dir=$(cache_value CMAKE_HOME_DIRECTORY)
# The commit only where the source folder is a checkout of its own.
source=$source_dir
if [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$source_dir" ]; then
    source="$source_dir at $(git -C "$source_dir" describe --always --dirty)"
fi
echo "build: $build, CMAKE_BUILD_TYPE=$(cache_value CMAKE_BUILD_TYPE), source $source"
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/cache" "$work/run"
chmod 700 "$work/run"
data=$work/data/Fernwise/Quillmark/Quillmark.dat
"$writer" --write-data-file="$data" --items="$items"
echo "data file: $items items, $(($(stat -c %s "$data") / 1024)) KiB, in $work ($(stat -f -c %T "$work"))"

run_app() {
    env -u TZ HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
        XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen "$@"
}

# From a trace: the milliseconds from execve to the first poll of the main
# thread that may wait (a timeout other than 0), or nothing yet.
first_idle() {
    awk '
        $3 ~ /^execve\(/ && !main { main = $1; start = $2; next }
        $1 == main && $3 ~ /^p?poll\(/ && $0 !~ /\], [0-9]+, 0( <|\))/ && $0 !~ /\{tv_sec=0, tv_nsec=0\}/ {
            printf "%.0f\n", ($2 - start) * 1000; exit
        }' "$1"
}

# From a trace: the milliseconds from SIGTERM to the last rename or flush of
# the save, and to the end of the program.
save_times() {
    awk '
        !main { main = $1 }
        $1 == main && /--- SIGTERM/ { term = $2 }
        term && $3 ~ /^(rename|renameat|renameat2|fsync|fdatasync)\(/ { saved = $2 }
        $1 == main && /\+\+\+ exited/ && term { printf "%.0f %.0f\n", (saved - term) * 1000, ($2 - term) * 1000 }
    ' "$1"
}

median() { sort -n | awk '{ v[NR] = $1 } END { printf "median %d (min %d, max %d)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }

: > "$work/idle"; : > "$work/hwm"; : > "$work/save"; : > "$work/exit"; : > "$work/maxrss"
for ((i = 0; i < runs; ++i)); do
    trace=$work/trace.$i
    run_app /usr/bin/time -f %M -o "$work/rss.$i" \
        strace -f --seccomp-bpf -ttt -e trace=execve,poll,ppoll,rename,renameat,renameat2,fsync,fdatasync \
        -o "$trace" "$app" 2>/dev/null &
    tracer=$!
    idle=
    for ((tries = 0; tries < 1200; ++tries)); do
        sleep 0.1
        [ -s "$trace" ] && idle=$(first_idle "$trace")
        [ -z "$idle" ] || break
    done
    [ -n "$idle" ] || { echo "the program did not become idle within two minutes" >&2; exit 1; }
    sleep 1
    pid=$(awk '{ print $1; exit }' "$trace")
    awk '/^VmHWM/ { print int($2 / 1024) }' "/proc/$pid/status" >> "$work/hwm"
    kill -TERM "$pid"
    wait "$tracer" || true
    echo "$idle" >> "$work/idle"
    read -r saved ended < <(save_times "$trace")
    echo "$saved" >> "$work/save"
    echo "$ended" >> "$work/exit"
    echo $(($(cat "$work/rss.$i") / 1024)) >> "$work/maxrss"
done

echo "start to first idle (window shown and painted), $runs runs: $(median < "$work/idle") ms"
echo "peak memory with the tree shown: $(median < "$work/hwm") MB"
echo "peak memory including the save at SIGTERM: $(median < "$work/maxrss") MB"
echo "save at SIGTERM (signal to the file in place and flushed): $(median < "$work/save") ms"
echo "SIGTERM to the end of the program: $(median < "$work/exit") ms"

# The floor, for the sizes quillmark_bench knows: 1,000 to 1,000,000.
floor=
if [ -x "$model_bench" ]; then
    floor=$("$model_bench" --benchmark_filter="^BM_LoadDataFile/items:$items\$" --benchmark_repetitions="$runs" \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
        awk -F, '$1 ~ /_median"$/ {
            printf "floor, the file read, stamped and parsed alone: median %.1f %s; the lists then hold %.1f MB",
                $3, $5, $NF }')
fi
echo "${floor:-floor: not measured (quillmark_bench knows 1000, 10000, 100000 and 1000000 items)}"
