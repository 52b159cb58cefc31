# What the tests in a real window share, sourced by them: the tools they
# need, a scratch folder and the processes ended with it, a made-up user's
# home, and an X server of their own (Xvfb) with openbox.
#
# The test sets `shots` (where a failure leaves its screenshot) before it
# sources this file, and names its steps with `now` for `fail` to tell.

# Exits 77 (skipped) for a missing tool, where the tools may be missing.
skip() {
    # scripts/test installs them all: there a missing one is a fault.
    if [ -n "${QUILLMARK_TEST_REQUIRE_TOOLS:-}" ]; then
        echo "FAILED: $1 is not installed, though scripts/test installs it" >&2
        exit 1
    fi
    echo "SKIPPED: $1 is not installed"
    exit 77
}
for tool in Xvfb openbox xdotool xprop xwininfo; do
    command -v "$tool" >/dev/null || skip "$tool"
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quillmark-$(basename "$0" .sh).XXXXXX")
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# Names the step the session is at, with the time since the start.
started=$(date +%s%N)
step=starting
now() {
    step=$1
    printf '%6.2f s  %s\n' "$(( $(date +%s%N) - started ))e-9" "$step"
}
fail() {
    echo "FAILED while $step: $*" >&2
    if [ -s "$work/program.log" ]; then
        echo "The program wrote:" >&2
        cat "$work/program.log" >&2
    fi
    if command -v import >/dev/null && [ -n "${DISPLAY:-}" ]; then
        mkdir -p "$shots"
        local shot=$shots/${failed_shot:-failed.png}
        import -window root "$shot" 2>/dev/null && echo "The screen then: $shot" >&2
    fi
    exit 1
}

# Polls for up to 20 seconds until the command succeeds.
within() {
    local deadline=$((SECONDS + 20))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}

# A made-up user: home and settings of its own, in a bare X session with
# Qt's own widgets and dialogs and English texts.
home=$work/home
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
export XDG_CACHE_HOME=$home/.cache XDG_STATE_HOME=$home/.local/state XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
unset QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR XDG_CURRENT_DESKTOP DESKTOP_SESSION
# A build with the sanitizers: what the system's libraries keep is not ours.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
mkdir -p "$XDG_CONFIG_HOME/Fernwise" "$XDG_DATA_HOME/Fernwise/Quillmark" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
data=$XDG_DATA_HOME/Fernwise/Quillmark/Quillmark.dat

# An X server on a display number no one uses, and openbox (its pid in
# wm_pid).
start_x() {
    now "starting the X server"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    exec 3>&-
    display_ready() { [ -s "$work/display" ]; }
    within display_ready || fail "Xvfb gave no display number: $(cat "$work/xvfb.log")"
    export DISPLAY=:$(head -n 1 "$work/display")

    now "starting openbox"
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    pids+=($wm_pid)
    wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    within wm_ready || fail "openbox did not start: $(cat "$work/openbox.log")"
}
