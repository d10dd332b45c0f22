#!/usr/bin/env bash
# Starts the program on the desktop the user is logged into.
set -u
exe="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop session, or under Xvfb: xvfb-run make run" >&2
    exit 1
fi
# On a Wayland desktop the program runs through XWayland, so that raw key events stay visible.
if [ -n "${WAYLAND_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-xcb}"
fi
exec "$exe"
