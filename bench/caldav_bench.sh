#!/bin/bash
# The sync engine beside vdirsyncer, doing the same work against one
# Radicale of their own on 127.0.0.1 (a free port, its own storage folder,
# plain htpasswd users, as the tests start it):
#  - the first upload of UPLOAD items in one new list, into an empty account;
#  - a sync with nothing changed over LISTS lists of ITEMS items;
#  - a sync after one item of one list changed on this side;
#  - the server's answer alone to the one request of a no-change sync (the
#    depth-1 PROPFIND of the calendar home), asked by curl.
# Each has an account of its own, filled beforehand by writing the server's
# storage folder directly (as many PUTs would take an hour). vdirsyncer
# syncs a folder of .ics files with the caldav storage. Medians of RUNS runs.
#
#   bench/caldav_bench.sh [--lists=L] [--items=N] [--upload=U] BUILD_DIR [RUNS]
#                                                   (L 100, N 1000, U 1000, RUNS 5)
# --upload=0 leaves the first upload out.
#
# Meant for a Release build of its own:
#   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DQUILLMARK_BENCH=ON
#   cmake --build build/bench --target quillmark_caldav_bench
#   bench/caldav_bench.sh build/bench 5
# Needs radicale (the system's python3), vdirsyncer and curl.
set -euo pipefail

lists=100 items=1000 upload=1000
while [[ ${1:-} == --* ]]; do
    case $1 in
        --lists=*) lists=${1#--lists=} ;;
        --items=*) items=${1#--items=} ;;
        --upload=*) upload=${1#--upload=} ;;
        *) break ;;
    esac
    shift
done
usage="usage: bench/caldav_bench.sh [--lists=L] [--items=N] [--upload=U] BUILD_DIR [RUNS]"
build=${1:?$usage}
runs=${2:-5}
for n in "$lists" "$items" "$runs"; do
    [[ $n =~ ^[1-9][0-9]*$ ]] || { echo "$usage" >&2; exit 64; }
done
[[ $upload =~ ^[0-9]+$ ]] || { echo "$usage" >&2; exit 64; }
engine=$build/bench/quillmark_caldav_bench
python=/usr/bin/python3

echo "build: $build, CMAKE_BUILD_TYPE=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")"
echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

work=$(mktemp -d)
server= engine_pid=
cleanup() {
    [ -z "$engine_pid" ] || kill "$engine_pid" 2>/dev/null || true
    [ -z "$server" ] || { kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; } || true
    rm -rf "$work"
}
trap cleanup EXIT

port=$($python -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
url=http://127.0.0.1:$port/
users="engine vdir"
for ((r = 1; r <= runs; ++r)); do users+=" engine-up$r vdir-up$r"; done
for u in $users; do echo "$u:secret"; done > "$work/users"
# vdirsyncer syncs all collections at once: more connections, and patience
# on a busy machine, or it sees them reset.
cat > "$work/config" <<EOF
[server]
hosts = 127.0.0.1:$port
max_connections = 256
timeout = 600
[auth]
type = htpasswd
htpasswd_filename = $work/users
htpasswd_encryption = plain
[rights]
type = owner_only
[storage]
filesystem_folder = $work/collections
[logging]
level = warning
EOF

# A to-do as a phone would write it: a name of about 20 characters and a
# description of about 80.
write_todos() { # FOLDER COUNT PREFIX
    $python - "$@" <<'EOF'
import os, sys
folder, count, prefix = sys.argv[1], int(sys.argv[2]), sys.argv[3]
os.makedirs(folder, exist_ok=True)
for i in range(count):
    uid = f"{prefix}-{i}"
    with open(os.path.join(folder, uid + ".ics"), "w", newline="") as f:
        f.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\nBEGIN:VTODO\r\n"
                f"UID:{uid}\r\nDTSTAMP:20260101T120000Z\r\nSUMMARY:Item {i:06d} of {prefix}\r\n"
                f"DESCRIPTION:A description of about eighty characters\\, as a list's items often have: {i}\r\n"
                "STATUS:NEEDS-ACTION\r\nEND:VTODO\r\nEND:VCALENDAR\r\n")
EOF
}

# The filled accounts, written straight into the server's storage.
for u in engine vdir; do
    for ((l = 1; l <= lists; ++l)); do
        col=$work/collections/collection-root/$u/list-$l
        write_todos "$col" "$items" "$u-$l"
        echo "{\"C:supported-calendar-component-set\": \"VTODO\", \"D:displayname\": \"List $l\", \"tag\": \"VCALENDAR\"}" \
            > "$col/.Radicale.props"
    done
done
echo "server: Radicale $($python -c 'import radicale; print(radicale.VERSION)') at $url," \
     "$lists lists of $items items in each filled account; vdirsyncer $(vdirsyncer --version | awk '{ print $NF }')"

# A longer queue of connections waiting to be taken than Radicale's five:
# vdirsyncer opens one for each collection at once, and those past the queue
# are reset here.
$python -c 'import runpy, socketserver; socketserver.TCPServer.request_queue_size = 1024
runpy.run_module("radicale", run_name="__main__", alter_sys=True)' --config "$work/config" > "$work/server.log" 2>&1 &
server=$!
for ((tries = 0; tries < 200; ++tries)); do
    curl -s -o /dev/null "$url" && break
    sleep 0.1
done

# The server reads every object once, the first time a collection is asked
# for its tokens, and keeps what it read: minutes for 100,000 objects, which
# no one's sync should be timed with. Both filled accounts are asked first.
for u in engine vdir; do
    curl -sS -o /dev/null --max-time 7200 -X PROPFIND -H 'Depth: 1' -H 'Content-Type: application/xml; charset=utf-8' \
        -u "$u:secret" --data-binary '<?xml version="1.0" encoding="utf-8"?><d:propfind xmlns:d="DAV:" xmlns:cs="http://calendarserver.org/ns/"><d:prop><d:sync-token/><cs:getctag/></d:prop></d:propfind>' \
        "$url$u/" || { echo "the server did not answer: $(tail -n 5 "$work/server.log")" >&2; exit 1; }
done
echo "the server has read the filled accounts once; load average $(cut -d' ' -f1-3 /proc/loadavg)"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { printf "median %d ms (min %d, max %d)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }

# vdirsyncer's configuration for one account: its .ics folder on one side,
# the account's calendar home on the other; COLLECTIONS "from a" or "from b".
vdir_config() { # NAME USER COLLECTIONS
    local dir=$work/vdir/$1
    mkdir -p "$dir/local" "$dir/status"
    cat > "$dir/config" <<EOF
[general]
status_path = "$dir/status/"
[pair bench]
a = "bench_local"
b = "bench_dav"
collections = ["$3"]
conflict_resolution = "a wins"
[storage bench_local]
type = "filesystem"
path = "$dir/local/"
fileext = ".ics"
[storage bench_dav]
type = "caldav"
url = "${url}$2/"
username = "$2"
password = "secret"
EOF
    echo "$dir"
}
vdir() { # CONFIG_DIR ARGS...
    local dir=$1
    shift
    vdirsyncer -c "$dir/config" "$@" > "$dir/log" 2>&1 < /dev/null || { cat "$dir/log" >&2; exit 1; }
}

# (a) The first upload; --upload=0 leaves it out.
for ((r = 1; r <= runs && upload > 0; ++r)); do
    "$engine" upload "$url" "engine-up$r" secret "$upload" | awk '{ print $2 }' >> "$work/engine.upload"
    dir=$(vdir_config "up$r" "vdir-up$r" "from a")
    write_todos "$dir/local/Upload" "$upload" "vdir-up$r"
    start=$(now_ms)
    { yes || true; } | vdirsyncer -c "$dir/config" discover > "$dir/log" 2>&1 || { cat "$dir/log" >&2; exit 1; }
    vdir "$dir" sync
    echo $(($(now_ms) - start)) >> "$work/vdir.upload"
done

# (b), (c) and (d) side by side: the engine, waiting between its syncs for a
# line from here, and vdirsyncer each receive the lists once; then each
# run times the bare request, the engine's sync and vdirsyncer's in turn,
# so that all three meet the same load.
coproc ENGINE { "$engine" steady "$url" engine secret "$runs"; }
engine_pid=$ENGINE_PID
exec {to_engine}>&"${ENGINE[1]}" {from_engine}<&"${ENGINE[0]}"
engine_run() { # WHAT
    echo go >&"$to_engine"
    read -r line <&"$from_engine" || { echo "the engine's $1 sync failed" >&2; exit 1; }
    echo "$line" >> "$work/engine.steady"
}
read -r line <&"$from_engine" || { echo "the engine's first sync failed" >&2; exit 1; }
echo "$line" >> "$work/engine.steady"

dir=$(vdir_config steady vdir "from b")
start=$(now_ms)
{ yes || true; } | vdirsyncer -c "$dir/config" discover > "$dir/log" 2>&1 || { cat "$dir/log" >&2; exit 1; }
vdir "$dir" sync
vdir_receive=$(($(now_ms) - start))

# The no-change sync's one request, alone: the tokens, without the ctags a
# first sync also asks for.
body='<?xml version="1.0" encoding="utf-8"?><d:propfind xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav" xmlns:cs="http://calendarserver.org/ns/" xmlns:q="urn:x-quillmark:ns:sync"><d:prop><d:resourcetype/><d:displayname/><c:supported-calendar-component-set/><d:sync-token/><q:icon/></d:prop></d:propfind>'
for ((r = 1; r <= runs; ++r)); do
    curl -s -o /dev/null -w '%{time_total}\n' -X PROPFIND -H 'Depth: 1' -H 'Content-Type: application/xml; charset=utf-8' \
        -u engine:secret --data-binary "$body" "${url}engine/" | awk '{ printf "%d\n", $1 * 1000 }' >> "$work/bare"
    engine_run no-change
    start=$(now_ms)
    vdir "$dir" sync
    echo $(($(now_ms) - start)) >> "$work/vdir.nochange"
done
# Each changed item in another list.
for ((r = 1; r <= runs; ++r)); do
    engine_run one-change
    file=$(find "$dir/local/list-$((r * 37 % lists + 1))" -name '*.ics' | sort | sed -n 1p)
    sed -i "s/^SUMMARY:.*/SUMMARY:Renamed here, run $r\r/" "$file"
    start=$(now_ms)
    vdir "$dir" sync
    echo $(($(now_ms) - start)) >> "$work/vdir.onechange"
done
exec {to_engine}>&-
wait "$engine_pid" || { echo "the engine's bench failed" >&2; exit 1; }

requests() { awk -v w="$1" '$1 == w { print $3 }' "$work/engine.steady" | sort -n | uniq | paste -sd/; }
echo "load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
if ((upload > 0)); then
    echo "first upload of $upload items, $runs runs:"
    echo "  engine:     $(median < "$work/engine.upload")"
    echo "  vdirsyncer: $(median < "$work/vdir.upload")"
fi
echo "receiving $lists lists of $items items, once: engine $(awk '$1 == "receive" { print $2 }' "$work/engine.steady") ms" \
     "in $(awk '$1 == "receive" { print $3 }' "$work/engine.steady") requests, vdirsyncer $vdir_receive ms"
echo "no-change sync over $lists lists of $items items, $runs runs:"
echo "  engine:     $(awk '$1 == "nochange" { print $2 }' "$work/engine.steady" | median), $(requests nochange) requests"
echo "  vdirsyncer: $(median < "$work/vdir.nochange")"
echo "  the server's answer to its one PROPFIND alone (curl): $(median < "$work/bare")"
echo "one changed item among them, $runs runs:"
echo "  engine:     $(awk '$1 == "onechange" { print $2 }' "$work/engine.steady" | median), $(requests onechange) requests"
echo "  vdirsyncer: $(median < "$work/vdir.onechange")"
