#!/usr/bin/env bash
# What a screen reader gets from the program in a real window: an X server of
# its own (Xvfb) with openbox, a session bus with the accessibility bus of
# at-spi2-core on it, and the AT-SPI tree read as a reader reads it
# (atspi_tree.py, with pyatspi). The session opens a list in the tree, its
# table and then an item, with the keys, and finds in the tree the list's
# name, each row's done state as text (Qt 6.4 does not pass "checkable" on
# to AT-SPI, so a row that is not done would otherwise say nothing of it),
# and the item screen's name, price, description and done tick.
#
#   tst_readerwindow.sh PROGRAM LISTSTEXT SHOTS_DIR
#
# Exits 77 (skipped) where one of the tools is missing.
set -euo pipefail

program=$1 liststext=$2 shots=$3
here=$(cd "$(dirname "$0")" && pwd)

. "$here/session.sh"
failed_shot=reader-failed.png
for tool in dbus-daemon dbus-send; do
    command -v "$tool" >/dev/null || skip "$tool"
done
# pyatspi belongs to the system's Python, which another python3 on PATH hides.
python=
for candidate in /usr/bin/python3 python3; do
    if "$candidate" -c 'import pyatspi' 2>/dev/null; then
        python=$candidate
        break
    fi
done
[ -n "$python" ] || skip "python3-pyatspi"

"$liststext" write "$data" <<'LISTS' || fail "could not write the lists"
list|Groceries|3
item|Bread|wholemeal|2.40|-|-
item|Milk|2 l|1.20|x|-
LISTS
start_x

now "starting the session bus and the accessibility bus"
unset AT_SPI_BUS_ADDRESS
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus
dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$work/bus.log" 2>&1 &
pids+=($!)
bus_ready() { [ -S "$work/bus" ]; }
within bus_ready || fail "no session bus: $(cat "$work/bus.log")"
# Asking for its address starts at-spi2-core's bus; Qt only joins one that
# is there when it starts. It ends with the session bus.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >"$work/a11y.log" 2>&1 || skip "at-spi2-core ($(cat "$work/a11y.log"))"

now "starting the program"
# Qt asks the desktop whether a reader runs; none does here, so it is told.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
app=$!
pids+=($app)
main_window() { xdotool search --onlyvisible --pid "$app" --name '^Quillmark$' >"$work/main" 2>/dev/null; }
within main_window || fail "no window came"
main=$(head -n 1 "$work/main")
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$main" ]; }
within is_active || fail "the window did not get the keyboard"

# Reads the tree until every line given matches one of its lines.
tree() {
    "$python" "$here/atspi_tree.py" Quillmark "$@" >"$work/tree.txt" 2>"$work/tree.err" \
        || fail "$(cat "$work/tree.err")"$'\nThe tree:\n'"$(cat "$work/tree.txt")"
}

now "opening the list in the tree"
# The view, 240 x 268, fills the window under the menu bar; the tree's first
# row, the root, is 30 pixels down.
info=$(xwininfo -id "$main")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
height=$(sed -n 's/.*Height: *//p' <<<"$info")
xdotool mousemove --sync $((x + 60)) $((y + height - 268 + 38)) click 1
xdotool key --delay 30 Down Right
cell() { echo "^ *table cell \\| $1 \\| $2 \\| "; }
tree '^ *tree \| Lists \| ' "$(cell Bread 'Not done')" "$(cell Milk Done).*\bchecked\b"

now "opening the list's table"
# Only the table has the Done column, whose cells have no name.
xdotool key --delay 30 Return
tree '^ *tree \| Groceries \| ' "$(cell '' 'Not done')" "$(cell '' Done).*\bchecked\b"

now "opening Bread"
# Down and back up selects the first row, as a person does.
xdotool key --delay 30 Down Up Return
shown='[^|]* \| .*\bshowing\b'
not_checked='(?!.*\bchecked\b)'
tree "^ *label \\| Name: Bread \\| $shown" "^ *label \\| Price: 2\\.40 \\| $shown" \
    "^ *label \\| Description: wholemeal \\| $shown" "^ *check box \\| Done \\| [^|]* \\| $not_checked.*\\bshowing\\b"
echo "A reader hears the list's rows with their done state and the item's name, price and description."
