#!/bin/sh
# SPDX-License-Identifier: BSD-2-Clause
# CPU time and peak memory of the monitor reading a capture at 38400 bit/s for 60 s.
# Usage: bench/measure_monitor.sh BUILD_DIR CAPTURE  (e.g. build tests/data/telit-he910.log)
# Needs Xvfb and xdotool. The simulator paces the capture by its epochs at 38400 bit/s; the
# monitor is switched to 38400 (mouse wheel on the speed list) and "On" is clicked.
set -eu
build=$1; capture=$2
export SATTRAIL_PORT_DIR=$(mktemp -d)
"$build/bin/sattrail-sim" --port 1 --speed 38400 --capture "$capture" --loop --quiet &
sim=$!
Xvfb :57 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:57
sleep 1
"$build/bin/sattrail" &
mon=$!
sleep 2
win=$(xdotool search --sync --pid "$mon" --onlyvisible --name Sattrail | head -1)
xdotool mousemove --window "$win" 37 18 click --repeat 6 --delay 100 5; sleep 0.3
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
