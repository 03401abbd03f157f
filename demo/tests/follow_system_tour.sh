#!/bin/bash
# The demo's tour against the real desktop portal (run it through run_with_portal.sh): the
# desktop starts light, turns dark when the tour waits for it, and the tour must picture the
# demo in its dark theme as follow-system-dark.png.
# Usage: follow_system_tour.sh <demo executable> <picture folder>
set -u

demo=$1
pictures=$2
scheme() { gsettings set org.gnome.desktop.interface color-scheme "$1"; }

rm -f "$pictures/follow-system-dark.png"
scheme prefer-light || exit 1
# The portal starts on the first call and reads the setting then: start it before the demo, so
# that the desktop is known to be light when the tour comes to it.
for _ in $(seq 100); do
    gdbus call --session --dest org.freedesktop.portal.Desktop \
        --object-path /org/freedesktop/portal/desktop \
        --method org.freedesktop.portal.Settings.Read org.freedesktop.appearance color-scheme \
        2>/dev/null | grep -q "uint32 2" && break
    sleep 0.1
done
output=$(mktemp) || exit 1
trap 'rm -f "$output"' EXIT
"$demo" --screenshot-dir "$pictures" >"$output" 2>&1 &
demo_pid=$!
for _ in $(seq 1200); do
    if grep -q "Waiting for the desktop to turn dark" "$output"; then
        scheme prefer-dark || exit 1
        break
    fi
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.1
done
wait "$demo_pid"
result=$?
if [ "$result" -ne 0 ] || [ ! -s "$pictures/follow-system-dark.png" ]; then
    cat "$output"
    grep -h "colour preference" "$HOME"/.local/share/quorvel-demo/logs/* 2>/dev/null
    echo "the tour ended with $result; follow-system-dark.png is missing or empty"
    exit 1
fi
echo "follow-system-dark.png taken after the desktop turned dark"
