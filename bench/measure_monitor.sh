#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# CPU time and peak memory of the monitor reading a capture at a speed of its list for 60 s.
# Usage: bench/measure_monitor.sh BUILD_DIR CAPTURE [SPEED]
#   (e.g. build tests/data/telit-he910.log 115200; SPEED defaults to 38400)
# Needs Xvfb and xdotool. The simulator paces the capture by its epochs at that speed; the
# monitor's speed list is set to it (keys in the open list) and "On" is clicked.
set -eu
build=$1; capture=$2; speed=${3:-38400}
index=0
for entry in 4800 9600 14400 19200 38400 57600 115200; do
  [ "$entry" = "$speed" ] && break
  index=$((index + 1))
done
[ "$index" -lt 7 ] || { echo "speed $speed is not in the monitor's list" >&2; exit 2; }
export SATTRAIL_PORT_DIR=$(mktemp -d)
"$build/bin/sattrail-sim" --port 1 --speed "$speed" --capture "$capture" --loop --quiet &
sim=$!
Xvfb :57 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:57
sleep 1
"$build/bin/sattrail" &
mon=$!
sleep 2
win=$(xdotool search --sync --pid "$mon" --onlyvisible --name Sattrail | head -1)
# Into the speed list's field, open the list, from its first entry down to the speed's.
xdotool mousemove --window "$win" 30 18 click 1; sleep 0.3
xdotool key F4; sleep 0.3; xdotool key Home; sleep 0.2
[ "$index" -eq 0 ] || xdotool key --repeat "$index" --delay 100 Down
sleep 0.2; xdotool key Return; sleep 0.3
xdotool mousemove --window "$win" 139 18 click 1
clk=$(getconf CLK_TCK)
set -- $(cut -d' ' -f14,15 /proc/$mon/stat); u0=$1; s0=$2
sleep 60
set -- $(cut -d' ' -f14,15 /proc/$mon/stat); u1=$1; s1=$2
echo "user $(( (u1-u0)*1000/clk )) ms, system $(( (s1-s0)*1000/clk )) ms over 60 s"
grep -E 'VmHWM|VmRSS' /proc/$mon/status
ls -l /proc/$mon/fd | grep pts || echo "port not open"
[ -n "${SCREENSHOT:-}" ] && import -window root "$SCREENSHOT" || true
kill $mon $sim $xvfb
rm -rf "$SATTRAIL_PORT_DIR"
