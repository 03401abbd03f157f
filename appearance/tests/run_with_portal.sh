#!/bin/bash
# Runs a test against the real desktop portal with its GTK backend on a private session bus:
# a private HOME and runtime folder, the GNOME desktop's settings in dconf, and X from xvfb,
# which the GTK backend needs. Exits 77 (skipped) when one of the programs is missing.
# Usage: run_with_portal.sh <test program> [arguments...]
set -u

for program in xvfb-run dbus-run-session gsettings /usr/libexec/xdg-desktop-portal \
               /usr/libexec/xdg-desktop-portal-gtk /usr/libexec/dconf-service; do
    if ! command -v "$program" >/dev/null 2>&1; then
        echo "$program is not installed; skipping the desktop portal test"
        exit 77
    fi
done
if ! gsettings list-keys org.gnome.desktop.interface 2>/dev/null | grep -qx color-scheme; then
    echo "the GNOME interface settings have no color-scheme; skipping the desktop portal test"
    exit 77
fi

home=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-portal.XXXXXX") || exit 1
trap 'rm -rf "$home"' EXIT
mkdir -m 0700 "$home/runtime" || exit 1
export HOME="$home" XDG_RUNTIME_DIR="$home/runtime" XDG_CONFIG_HOME="$home/.config"
export XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=dconf QUORVEL_DESKTOP_PORTAL=1
unset DISPLAY WAYLAND_DISPLAY
# The portal and its backend are started by the bus on the first call and end with it.
timeout 240 xvfb-run -a dbus-run-session -- "$@" 2> >(grep -v -e '^dbus-daemon' >&2)
