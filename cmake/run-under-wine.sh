#!/bin/bash
# Runs a Windows program under wine in a private, throw-away prefix and exits with its code.
# Usage: run-under-wine.sh <program.exe> [arguments...]
set -u

# No Mono/Gecko installers, no debug chatter, and no debugger for a program that faults on
# purpose: it ends with its exception code.
prefix=$(mktemp -d "${TMPDIR:-/tmp}/quorvel-wine.XXXXXX") || exit 1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=" WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

# Set the prefix up first, so its one-time messages stay out of the test output. Without a
# display wine has no window driver; its null driver lets programs make and show real windows.
# The desktop takes the driver when the server starts again.
timeout 120 wine wineboot --init >/dev/null 2>&1
timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
timeout 30 wineserver -k >/dev/null 2>&1
timeout 30 wineserver -w >/dev/null 2>&1
timeout 120 wine "$@"
result=$?
# Stop this prefix's wineserver before removing its files.
timeout 30 wineserver -k >/dev/null 2>&1
timeout 30 wineserver -w >/dev/null 2>&1
rm -rf "$prefix"
exit "$result"
