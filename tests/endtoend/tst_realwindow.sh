#!/usr/bin/env bash
# A person's first sessions with the installed program, in a real window: an
# X server of its own (Xvfb), openbox for focus and placement, and xdotool's
# mouse and keys. The program starts on made-up lists; the session ticks an
# item in the tree, finds another by typing a piece of its name and ticks it
# in its details, goes back up to the tree, makes the window larger and goes
# on there: opens a list and an item, marks it done, renames it in the
# Change Item dialog (Enter for OK, then Ctrl+Z and Ctrl+Shift+Z with no
# click between), hands it over to the calendar and task list, exports the
# list, reads the export back in as a new list with nothing set up for the
# import, deletes an item from its right-click menu and ends with the cross.
# Then the data file, the CSV file and the .ics files must hold just that.
# A second session, with no window manager, opens as large as the first was
# left, and an edit's Enter then Ctrl+Z undoes it there too. A third, in
# German, pastes a checklist from the clipboard, types "Butter 2,10" in the
# one-line field and drops a text file on a list in the tree; a fourth drops
# a checklist on a list's table and a CSV file beside the table, which
# becomes a list of its own; a fifth sets up a sync with Radicale on
# 127.0.0.1 in the account dialog, lets a phone's client tick an item and
# add one with a price, and reads both in the data file after F5. Before
# them all, a first start opens ready to use, centred, and ends by File >
# Exit.
#
#   tst_realwindow.sh CMAKE BUILD_DIR LISTSTEXT SHOTS_DIR DRAGSOURCE
#
# CMAKE installs BUILD_DIR into a scratch prefix; LISTSTEXT writes and reads
# data files (ListsText.cpp); a failed run leaves screenshots in SHOTS_DIR,
# as do the drops; DRAGSOURCE drags files to the program (DragSource.cpp).
# Exits 77 (skipped) where Xvfb, openbox, xdotool, x11-utils or xclip is missing.
set -euo pipefail

cmake=$1 build=$2 liststext=$3 shots=$4 dragsource=$5

. "$(dirname "$0")/session.sh"
command -v xclip >/dev/null || skip xclip
now "installing"

# --- The program, installed as a user installs it ---------------------------
prefix=$work/prefix
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
program=$prefix/bin/quillmark
[ -x "$program" ] || fail "no $program after the install"

# --- A made-up user's settings and lists --------------------------------------
documents=$home/Documents
pim=$XDG_DATA_HOME/Fernwise/Quillmark/pim

# Hand-over to the task list and the calendar both.
printf '[Settings]\nITEMTASK=1\nITEMAPPT=1\n' >"$XDG_CONFIG_HOME/Fernwise/Quillmark.conf"
"$liststext" write "$data" <<'LISTS' || fail "could not write the made-up lists"
list|Groceries|3
item|Bread|wholemeal|2.40|-|-
item|Cheese|aged|5.10|-|-
item|Milk|2 l|1.20|-|-
list|Trip|5
item|Passport|check the date|0.00|-|2030-04-02 09:30
item|Tickets||120.00|-|-
LISTS

# --- An X server on a display number no one uses, and a window manager ------
start_x

# --- Seeing and touching the program's windows -------------------------------
# The program's visible windows (its pop-ups too), one id a line.
windows() { xdotool search --onlyvisible --pid "$app" 2>/dev/null || true; }
# Waits for a window of the program named $1 (any name where $1 is empty:
# the pop-up menu's) that is not among the ids in $2, and prints its id.
# Message boxes are named "Quillmark" as the main window is.
window_named() {
    local name=$1 not=${2:-}
    found() {
        local id candidates
        if [ -n "$name" ]; then
            candidates=$(xdotool search --all --onlyvisible --pid "$app" --name "^$name\$" 2>/dev/null || true)
        else
            candidates=$(windows)
        fi
        for id in $candidates; do
            if ! grep -qx "$id" <<<"$not"; then
                echo "$id"
                return 0
            fi
        done
        return 1
    }
    within found || fail "no new window ${name:+\"$name\" }came"
}
# Waits until window $1 is gone.
closed() {
    is_gone() { ! windows | grep -qx "$1"; }
    within is_gone "$1" || fail "window $1 stayed open"
}
# Waits until window $1 has the keyboard. Without a window manager none is
# active, and only what the keys then did tells (the data file).
wm=yes
active() {
    [ $wm = yes ] || return 0
    is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
    within is_active "$1" || fail "window $1 did not get the keyboard"
}
# Waits until the data file holds an item line matching $1.
saved() {
    holds() { "$liststext" print "$data" 2>/dev/null | grep -q "^item|$1|"; }
    within holds "$1" || fail "the data file never held the item $1: $("$liststext" print "$data")"
}
keys() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }

# The view fills the window under the menu bar: 240 x 268 at first, six
# drawn buttons of 20 x 20 at its bottom left whose tops lie 25 pixels above
# its bottom edge, at any size. The window's place comes from xwininfo:
# xdotool's own adds the window manager's frame twice.
button_lefts=(8 33 58 83 108 133)
window_size() { xwininfo -id "$main" | sed -n 's/.*Width: *//p; s/.*Height: *//p' | paste -sd x; }
menu_bar=
locate_view() {
    local info x y width height
    info=$(xwininfo -id "$main")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    width=$(sed -n 's/.*Width: *//p' <<<"$info")
    height=$(sed -n 's/.*Height: *//p' <<<"$info")
    if [ -z "$menu_bar" ]; then
        [ "$width" = 240 ] || fail "the main window is $width pixels wide, not 240"
        menu_bar=$((height - 268))
    fi
    view_x=$x
    view_y=$((y + menu_bar))
    view_width=$width
    view_height=$((height - menu_bar))
}
# Clicks at a place of the screen, with button $3 (1, the left one, by default).
click_at() {
    local X Y SCREEN WINDOW
    # --sync waits for the pointer to move, which it does not when it is there.
    eval "$(xdotool getmouselocation --shell)"
    if [ "$X" != "$1" ] || [ "$Y" != "$2" ]; then
        xdotool mousemove --sync "$1" "$2"
    fi
    xdotool click "${3:-1}"
}
# Taps drawn button $1 (0 = the cross .. 5).
tap() { click_at $((view_x + button_lefts[$1] + 10)) $((view_y + view_height - 25 + 10)); }
# Opens the pop-up menu "M", waits for it and presses the keys given.
with_menu() {
    local popup
    tap 1
    popup=$(window_named "" "$main")
    keys "$@"
    closed "$popup"
}
# Picks the $1-th entry of the menu (1 = "About ...").
menu() { with_menu $(printf 'Down %.0s' $(seq "$1")) Return; }
# Answers the message box that comes over the main window with the keys
# given, Enter by default (a question's No: Alt+Y is its Yes).
answer_message() {
    local box
    box=$(window_named Quillmark "$main")
    active "$box"
    keys "${@:-Return}"
    closed "$box"
    active "$main"
}
# Waits for the dialog named $1, fills it by the command that follows and
# presses Enter.
in_dialog() {
    local dialog
    dialog=$(window_named "$1")
    active "$dialog"
    shift
    "$@"
    keys Return
    closed "$dialog"
}

# Starts the program and waits for its window to have the keyboard.
launch() {
    "$program" >"$work/program.log" 2>&1 &
    app=$!
    pids+=($app)
    main=$(window_named Quillmark)
    active "$main"
}
start_program() { launch; locate_view; }

# --- The first start: ready to use -------------------------------------------
# With no size remembered the view opens at 440 x 400 under the menu bar (at
# the 9 points of a bare X session), the window in the middle of the screen.
# Made as small as it goes, it ends by File > Exit from the keys alone, and
# the session below starts at that size.
now "starting the program for the first time"
launch
first=$(xwininfo -id "$main")
first_x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$first")
first_y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$first")
first_width=$(sed -n 's/.*Width: *//p' <<<"$first")
first_height=$(sed -n 's/.*Height: *//p' <<<"$first")
[ "$first_width" = 440 ] || fail "the first start is $first_width pixels wide, not 440"
first_menu_bar=$((first_height - 400))
[ $first_menu_bar -gt 0 ] && [ $first_menu_bar -lt 60 ] || fail "the first start is $first_height pixels high"
# Its middle within the window manager's title bar of the screen's middle.
off_x=$((first_x + first_width / 2 - 512)) off_y=$((first_y + first_height / 2 - 384))
[ ${off_x#-} -le 2 ] && [ ${off_y#-} -le 30 ] || fail "the first start is not centred: ${first_x},${first_y}"

now "making the window as small as it goes and ending by File > Exit"
xdotool windowsize "$main" 240 $((268 + first_menu_bar))
is_smallest() { [ "$(xwininfo -id "$main" | sed -n 's/.*Width: *//p')" = 240 ]; }
within is_smallest || fail "the window did not become 240 pixels wide"
keys alt+f
popup=$(window_named "" "$main")
keys x
ended_by_exit() { [ ! -e "/proc/$app" ] || grep -q '^State:.*zombie' "/proc/$app/status" 2>/dev/null; }
within ended_by_exit || fail "File > Exit did not end the program"
status=0
wait "$app" || status=$?
[ $status -eq 0 ] || fail "File > Exit ended with status $status"

# --- The session ---------------------------------------------------------------
now "starting the program"
launch
locate_view
# Once the menu has come and gone, the program has laid its window out.
now "opening and closing the menu"
with_menu Escape

now "ticking Cheese in the tree"
# The root "Lists" is the tree's first row; from there the arrows and Space.
click_at $((view_x + 60)) $((view_y + 30 + 8))
keys Down Right Down Down space

now "finding Milk by typing and ticking it"
keys ctrl+f
type_text MILK
keys Return
tap 3
# Back to the groceries' table, and up from there to the tree.
keys BackSpace BackSpace

now "making the window larger"
xdotool windowsize "$main" 700 560
is_large() { [ "$(window_size)" = 700x560 ]; }
within is_large || fail "the window stayed $(window_size)"
locate_view

now "opening Trip and its Passport in the larger window"
keys End
tap 3
keys Down Up
tap 3

now "marking Passport done"
tap 3

now "renaming Passport in the Change Item dialog"
tap 2
rename() {
    keys ctrl+a
    type_text "Passport renewed"
}
rename_to_rye() {
    keys ctrl+a
    type_text "Rye bread"
}
in_dialog "Change Item" rename
active "$main"
now "undoing the rename by Ctrl+Z right after Enter, and redoing it"
keys ctrl+z
saved Passport
keys ctrl+shift+z
saved "Passport renewed"

now "handing Passport renewed over"
tap 4
answer_message

now "exporting Trip"
menu 7
answer_message

now "printing Trip from its preview with Ctrl+P and with Enter"
keys ctrl+p
preview=$(window_named "Print Preview: Trip" "$main")
active "$preview"
for key in ctrl+p Return; do
    keys "$key"
    printing=$(window_named Print "$preview")
    active "$printing"
    keys Escape
    closed "$printing"
    active "$preview"
done
keys Escape
closed "$preview"
active "$main"

now "importing the export as Trip again, with nothing set up for the import"
menu 6
in_dialog "New List" type_text "Trip again"
# The chooser opens in Documents, where the export went: the name is enough.
in_dialog Open type_text Quillmark.csv
active "$main"

now "deleting Tickets of Trip again from its details' right-click menu"
# The tree, the last list opened, its last item opened.
keys ctrl+l End Right End Return
click_at $((view_x + 100)) $((view_y + 120)) 3
popup=$(window_named "" "$main")
keys Up Return
closed "$popup"
answer_message alt+y

# Ends with the cross and waits for the program to be gone.
end_program() {
    tap 0
    # Ended: gone, or a zombie waiting for the wait below.
    ended() { [ ! -e "/proc/$app" ] || grep -q '^State:.*zombie' "/proc/$app/status" 2>/dev/null; }
    within ended || fail "the program did not end"
    status=0
    wait "$app" || status=$?
    [ $status -eq 0 ] || fail "the program ended with status $status: $(cat "$work/program.log")"
}
now "ending with the cross"
end_program

# --- What the session left behind ----------------------------------------------
now "checking the files"
expected_lists='list|Groceries|3
item|Bread|wholemeal|2.40|-|-
item|Cheese|aged|5.10|x|-
item|Milk|2 l|1.20|x|-
list|Trip|5
item|Passport renewed|check the date|0.00|x|2030-04-02 09:30
item|Tickets||120.00|-|-
list|Trip again|10
item|Passport renewed|check the date|0.00|-|-'
lists=$("$liststext" print "$data") || fail "the data file does not read back"
diff <(echo "$expected_lists") <(echo "$lists") || fail "the data file holds other lists"

expected_csv=$'Passport renewed,check the date,0.00,\nTickets,,120.00,\n'
[ "$(cat "$documents/Quillmark.csv"; echo .)" = "$expected_csv." ] \
    || fail "the export holds: $(cat -A "$documents/Quillmark.csv")"

task=$(ls "$pim/tasks"/*.ics 2>/dev/null) || fail "no task was handed over"
event=$(ls "$pim/calendar"/*.ics 2>/dev/null) || fail "no event was handed over"
[ "$(echo "$task" | wc -l)" -eq 1 ] && [ "$(echo "$event" | wc -l)" -eq 1 ] \
    || fail "more than one task or event: $task $event"
for field in BEGIN:VTODO "SUMMARY:Passport renewed" "DESCRIPTION:check the date" STATUS:COMPLETED \
             "DUE.*20300402T093000"; do
    grep -q "^$field" "$task" || fail "the task lacks $field: $(cat "$task")"
done
for field in BEGIN:VEVENT "SUMMARY:Passport renewed" "DTSTART.*20300402T093000"; do
    grep -q "^$field" "$event" || fail "the event lacks $field: $(cat "$event")"
done

# --- A second session, with no window manager ---------------------------------
now "starting the program again without a window manager"
kill "$wm_pid"
wait "$wm_pid" 2>/dev/null || true
wm=no
launch
[ "$(window_size)" = 700x560 ] || fail "the window opened at $(window_size), not as large as it was left"
locate_view

now "renaming Bread, Enter for OK, then Ctrl+Z with no click between"
click_at $((view_x + 60)) $((view_y + 30 + 8))
keys Down Right Down
tap 2
in_dialog "Change Item" rename_to_rye
active "$main"
saved "Rye bread"
keys ctrl+z
saved Bread
end_program
[ "$("$liststext" print "$data")" = "$expected_lists" ] || fail "the second session changed the lists"

# --- Files dragged onto the program ------------------------------------------
# DRAGSOURCE shows a square at the screen's top left, clear of the window,
# that drags the files it was given when pressed; the pointer then goes in
# steps to the place named and lets go. The square stays until the next
# drag: the program may still ask it for the data.
source=
drag_onto() {
    local x=$1 y=$2 step
    shift 2
    [ -z "$source" ] || kill "$source" 2>/dev/null || true
    "$dragsource" 0 0 "$@" >"$work/drag.out" 2>"$work/drag.log" &
    source=$!
    pids+=($source)
    source_shown() { xdotool search --onlyvisible --pid "$source" >/dev/null 2>&1; }
    within source_shown || fail "the drag source did not show: $(cat "$work/drag.log")"
    xdotool mousemove --sync 30 30
    sleep 0.2
    xdotool mousedown 1
    for step in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((30 + (x - 30) * step / 8)) $((30 + (y - 30) * step / 8))
        sleep 0.05
    done
    # Once more on the spot, for the program's answer to reach the source.
    xdotool mousemove $((x + 1)) "$y"
    sleep 0.2
    xdotool mousemove "$x" "$y"
    sleep 0.2
    xdotool mouseup 1
    dropped() { grep -q '^dropped$' "$work/drag.out"; }
    within dropped || fail "the drop was not taken: $(cat "$work/drag.out" "$work/drag.log")"
}
# The item lines of the list named $1.
items_of() { "$liststext" print "$data" | awk -F'|' -v name="$1" '$1 == "list" { on = $2 == name; next } on'; }

# The screen as the drops left it, to be looked at.
shot() {
    mkdir -p "$shots"
    ! command -v import >/dev/null || import -window root "$shots/$1"
}

# --- A third session in German: a checklist pasted, an item typed, a file
# dropped on a list in the tree --------------------------------------------------
now "starting openbox again"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
pids+=($wm_pid)
within wm_ready || fail "openbox did not start again: $(cat "$work/openbox.log")"
wm=yes


now "starting the program in German"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 LANGUAGE=de start_program
now "pasting a checklist from the clipboard into Groceries"
# xclip serves the clipboard until another program takes it over.
printf '## Shop\n- [ ] Eggs\n- [x] Flour 1,75\n' | xclip -selection clipboard -quiet >/dev/null 2>&1 &
pids+=($!)
on_clipboard() { [ "$(xclip -selection clipboard -o 2>/dev/null | head -n 1)" = "## Shop" ]; }
within on_clipboard || fail "xclip did not take the clipboard"
click_at $((view_x + 60)) $((view_y + 30 + 8))
keys Down ctrl+v
# "Add 2 Items" is the preview's default button.
in_dialog "Einträge hinzufügen" true
active "$main"
saved Eggs
now "adding Butter 2,10 in the one-line field"
keys Insert
type_text "Butter 2,10"
keys Return Escape
saved Butter
now "dropping a text file on Groceries in the tree"
printf 'Zucker 0,89\nSalz\n' >"$work/Zutaten.txt"
keys ctrl+l
drag_onto $((view_x + 100)) $((view_y + 30 + 8 + 18)) "$work/Zutaten.txt"
in_dialog "Einträge hinzufügen" shot drop-german.png
active "$main"
saved Zucker
end_program
german_lists=$("$liststext" print "$data") || fail "the data file does not read back"
for line in 'item|Eggs||0.00|-|-' 'item|Flour||1.75|x|-' 'item|Butter||2.10|-|-' 'item|Zucker||0.89|-|-'; do
    grep -qxF "$line" <<<"$german_lists" || fail "no '$line' in the lists: $german_lists"
done
items_of Groceries | grep -q '^item|Salz|' || fail "Salz did not go to Groceries: $german_lists"

# --- A fourth session: files dropped with the mouse ---------------------------
now "starting the program for the drops"
start_program
now "dropping a checklist on the table of Groceries"
printf -- '- [ ] Apples\n- [x] Pears 2.30\n' >"$work/Weekend.md"
printf 'Rice,long grain,3.20\nBeans,,1.10\n' >"$work/Pantry.csv"
click_at $((view_x + 60)) $((view_y + 30 + 8))
keys Down
tap 3
drag_onto $((view_x + 150)) $((view_y + 80)) "$work/Weekend.md"
in_dialog "Add Items" shot drop-preview.png
active "$main"
saved Pears
shot drop-on-table.png
now "dropping a CSV file beside the table, for a list of its own"
drag_onto $((view_x + view_width - 60)) $((view_y + view_height - 15)) "$work/Pantry.csv"
in_dialog "Add Items" true
active "$main"
saved Beans
keys ctrl+l
shot drop-new-list.png
end_program
for line in 'item|Apples||0.00|-|-' 'item|Pears||2.30|x|-'; do
    items_of Groceries | grep -qxF "$line" || fail "Groceries lacks '$line': $(items_of Groceries)"
done
for line in 'item|Rice|long grain|3.20|-|-' 'item|Beans||1.10|-|-'; do
    items_of Pantry | grep -qxF "$line" || fail "no list Pantry with '$line': $("$liststext" print "$data")"
done

# --- A fifth session: sync with a CalDAV server on 127.0.0.1 ------------------
# Radicale and the phone's client live in the system's Python.
if /usr/bin/python3 -c 'import radicale, caldav' 2>/dev/null; then
    now "starting Radicale"
    port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    mkdir -p "$work/radicale"
    printf 'demo:demo\n' >"$work/radicale/users"
    printf '[server]\nhosts = 127.0.0.1:%s\n[auth]\ntype = htpasswd\nhtpasswd_filename = %s\nhtpasswd_encryption = plain\n[rights]\ntype = owner_only\n[storage]\nfilesystem_folder = %s\n' \
        "$port" "$work/radicale/users" "$work/radicale/collections" >"$work/radicale/config"
    /usr/bin/python3 -m radicale --config "$work/radicale/config" >"$work/radicale.log" 2>&1 &
    pids+=($!)
    server=http://127.0.0.1:$port/
    phone() { /usr/bin/python3 "$(dirname "$0")/../caldav/phone.py" "$server" demo demo "$1"; }
    radicale_up() { /usr/bin/python3 -c "import socket; socket.create_connection(('127.0.0.1', $port))" 2>/dev/null; }
    within radicale_up || fail "Radicale did not start: $(cat "$work/radicale.log")"

    now "starting the program with no keyring to answer"
    # The D-Bus address leads nowhere: no desktop's keyring is touched.
    DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus start_program
    now "setting the account up in its dialog"
    keys alt+s a
    fill_account() { type_text "$server"; keys Tab; type_text demo; keys Tab; type_text demo; }
    in_dialog "Sync Account" fill_account
    now "being told once that no keyring answered"
    answer_message
    on_server() { phone '[["dump", "Groceries"]]' 2>/dev/null | grep -q Butter; }
    within on_server || fail "the lists did not reach the server: $(cat "$work/radicale.log")"

    now "a phone ticks Bread and adds Jam with a price; F5"
    phone '[["tick", "Groceries", "Bread"], ["add", "Groceries", "Jam", ["X-QUILLMARK-PRICE:3.50"]]]' >/dev/null \
        || fail "the phone could not change the lists"
    keys F5
    saved Jam
    synced_lists=$("$liststext" print "$data") || fail "the data file does not read back"
    grep -qx 'item|Bread|wholemeal|2.40|x|-' <<<"$synced_lists" || fail "Bread is not ticked: $synced_lists"
    grep -qx 'item|Jam||3.50|-|-' <<<"$synced_lists" || fail "Jam did not come with its price: $synced_lists"
    end_program
fi
echo "The sessions in a real window left the lists, the export and the hand-over as expected."
