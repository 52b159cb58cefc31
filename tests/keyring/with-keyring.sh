#!/bin/sh
# Runs the test on a D-Bus session of its own with an unlocked keyring of
# its own, kept in the test's HOME: nothing reaches the desktop's keyring.
exec dbus-run-session -- sh -c '
    printf quillmark-test | gnome-keyring-daemon --unlock --components=secrets >/dev/null || exit 1
    exec "$@"' sh "$@"
