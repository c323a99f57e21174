#!/bin/sh
# Runs a command inside a headless GNOME session of its own: call it under dbus-run-session, which gives it
# a private session bus. Mutter starts on that bus with a virtual monitor and no X11, and the command
# gets its Wayland display; nothing of the machine's desktop or of an X server is reached.
set -eu
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
unset DISPLAY
mutter --headless --wayland --no-x11 --virtual-monitor 1280x800 --wayland-display=quorvane-test \
    >"$runtime/mutter.log" 2>&1 &
mutter=$!
trap 'kill "$mutter" 2>/dev/null; wait "$mutter" 2>/dev/null; rm -rf "$runtime"' EXIT
# The socket appears once the compositor listens; a compositor that died makes no socket.
while [ ! -S "$runtime/quorvane-test" ]; do
    if ! kill -0 "$mutter" 2>/dev/null; then
        cat "$runtime/mutter.log" >&2
        exit 1
    fi
    sleep 0.1
done
export WAYLAND_DISPLAY=quorvane-test QT_QPA_PLATFORM=wayland
"$@"
