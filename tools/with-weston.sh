#!/bin/sh
# Runs a command as a Wayland client of a private headless weston (pixman renderer, no X11):
# starts weston in a runtime folder of its own, runs the command with WAYLAND_DISPLAY,
# XDG_RUNTIME_DIR and QT_QPA_PLATFORM=wayland set and DISPLAY unset, then stops weston, removes
# the folder and exits with the command's status.
# Usage: tools/with-weston.sh COMMAND [ARGUMENT...]
set -u
if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGUMENT...]" >&2
    exit 2
fi
runtime=$(mktemp -d /tmp/tessal-weston.XXXXXX) || exit 1
chmod 0700 "$runtime"
socket=wayland-tessal
# Weston's own settings, less its on-screen keyboard, which nothing here types with.
printf '[input-method]\npath=\n' >"$runtime/weston.ini"
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman \
    --config="$runtime/weston.ini" --socket="$socket" --width=1280 --height=1024 \
    --idle-time=0 --log="$runtime/weston.log" </dev/null >/dev/null 2>&1 &
weston=$!

# Stops weston, which stops its own helpers, killing it if it is still there after 5 s.
stop() {
    kill -TERM "$weston" 2>/dev/null
    tenths=0
    while kill -0 "$weston" 2>/dev/null && [ "$tenths" -lt 50 ]; do
        sleep 0.1
        tenths=$((tenths + 1))
    done
    kill -KILL "$weston" 2>/dev/null
    wait "$weston" 2>/dev/null
    rm -rf "$runtime"
}
trap 'stop; exit 143' HUP INT TERM

tenths=0
while [ ! -S "$runtime/$socket" ]; do
    if ! kill -0 "$weston" 2>/dev/null || [ "$tenths" -ge 100 ]; then
        echo "weston did not start within 10 s:" >&2
        cat "$runtime/weston.log" >&2 2>/dev/null
        stop
        exit 1
    fi
    sleep 0.1
    tenths=$((tenths + 1))
done

# The headless backend gives weston no seat, while it still offers text input: Qt 6.4's
# Wayland input context then reads the missing seat (QWaylandInputContext::textInput) and
# crashes as soon as a line edit draws its cursor. Qt's compose input context, the one it
# uses on X11, is asked for instead.
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    QT_IM_MODULE=compose "$@"
status=$?
stop
exit "$status"
