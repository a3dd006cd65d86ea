#!/usr/bin/env bash
# SPDX-License-Identifier: BSD-2-Clause
# CPU time and peak memory of the monitor reading a receiver, on a display of its own (Xvfb).
#
# Paced by the simulator, at a speed of the monitor's list:
#   bench/measure_monitor.sh [--seconds N] BUILD CAPTURE [SPEED]
#     (e.g. build tests/data/telit-he910.log 115200; SPEED defaults to 38400, N to 60)
#
# At the full rate of a 38400 bit/s link (or of --speed's), beside gpsd and xgps fed the same
# bytes:
#   bench/measure_monitor.sh --link-rate [--speed B] [--capture F] [--seconds N] [--runs K]
#                            [--warmup S] [--no-gpsd] BUILD [BUILD2]
#   bench/measure_monitor.sh --idle [same options] BUILD [BUILD2]
#     B/100 bytes every 100 ms (384 at 38400, 1152 at 115200; the monitor opens the port at B)
#     of the capture's sentences (default tests/data/telit-he910.log),
#     looped, through a pseudo-terminal; --idle opens the port and sends nothing. N defaults
#     to 25 s of measuring after S (default 5) s of warm-up; K runs per build, alternating
#     between BUILD and BUILD2 when both are given, then the medians per build.
#   bench/measure_monitor.sh --link-rate --side-by-side [same options] BUILD BUILD2
#     both builds at once in every run, beside each other on one display, each on its own
#     terminal fed the same chunk in the same tick (no gpsd); b_over_a is BUILD2's CPU over
#     BUILD's within each run, then its median: steady where the machine's pace is not.
#
# Results are key=value lines. CPU is utime + stime from /proc/<pid>/stat over the window, in
# percent of one core; peak memory is VmHWM. gpsd and xgps (when both are on PATH and
# --no-gpsd is not given) count as one: the two processes it takes to show what the monitor
# shows. ratio is their CPU over the monitor's.
#
# SCREENSHOT=shot.png saves the display at the end of the window (shot-A1.png, ... per run).
# Needs Xvfb, xdotool and python3; gpsd and gpspipe/xgps (gpsd-clients) for the comparison.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
speeds=(4800 9600 14400 19200 38400 57600 115200)

mode=pace
seconds=""
runs=1
warmup=5
capture="$(cd "$here/.." && pwd)/tests/data/telit-he910.log"
with_gpsd=1
side_by_side=0
link_speed=38400 # --speed: the link-rate modes' rate; a 10-bit frame a byte, ten polls a second

tmp=""          # this invocation's folder: port links, logs, feeder counters
run_pids=()     # everything the current run started, killed in reverse order

die() {
  echo "measure_monitor: $*" >&2
  exit 1
}

usage() {
  sed -n '3,23p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
}

# ---- clean-up --------------------------------------------------------------------------

stop_run() {
  local i pid
  for ((i = ${#run_pids[@]} - 1; i >= 0; i--)); do
    pid=${run_pids[i]}
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${run_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  run_pids=()
}

# On failure the logs go with the folder, so their last lines are shown first.
cleanup() {
  local status=$? log
  stop_run
  if [ "$status" != 0 ] && [ -n "$tmp" ]; then
    for log in "$tmp"/*.log; do
      [ -s "$log" ] || continue
      echo "--- last lines of ${log##*/}" >&2
      tail -n 5 "$log" >&2
    done
  fi
  [ -n "$tmp" ] && rm -rf "$tmp"
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# ---- /proc -----------------------------------------------------------------------------

# "utime stime" in clock ticks. The command name (field 2) may hold spaces, so the fields are
# counted from its closing parenthesis: state is then the first, utime the 12th.
cpu_fields() {
  local stat
  stat=$(<"/proc/$1/stat") || die "process $1 ($2) is gone"
  stat=${stat##*) }
  # shellcheck disable=SC2086
  set -- $stat
  echo "${12} ${13}"
}

# utime + stime in clock ticks.
cpu_ticks() {
  local fields
  fields=$(cpu_fields "$1" "$2")
  echo $((${fields% *} + ${fields#* }))
}

# CPU time of all the process's threads in nanoseconds, as the scheduler counts it: clock
# ticks resolve 10 ms, a twentieth of what the monitor uses in 25 s at the link rate.
cpu_ns() {
  local sum=0 task run
  for task in /proc/"$1"/task/*/schedstat; do
    read -r run _ <"$task" 2>/dev/null || continue
    sum=$((sum + run))
  done
  echo "$sum"
}

# A memory figure of /proc/<pid>/status in KiB, e.g. VmHWM.
vm_kib() {
  awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"
}

# Whether the process holds the terminal open (the port, not just any terminal it inherited).
holds_device() {
  local fd
  for fd in /proc/"$1"/fd/*; do
    [ "$(readlink "$fd" 2>/dev/null)" = "$2" ] && return 0
  done
  return 1
}

require_alive() {
  kill -0 "$1" 2>/dev/null || die "$2 (process $1) has ended; its log is below"
}

# ---- set-up pieces ---------------------------------------------------------------------

# A display of its own: Xvfb picks a free number and writes it to the descriptor given, so
# that runs beside another Xvfb (or another measurement) never collide.
start_display() {
  local file="$tmp/display" i
  : >"$file"
  Xvfb -displayfd 3 -screen 0 2048x1024x24 -nolisten tcp 3>"$file" >"$tmp/xvfb.log" 2>&1 &
  xvfb_pid=$!
  run_pids+=("$xvfb_pid")
  for ((i = 0; i < 100; i++)); do
    [ -s "$file" ] && break
    sleep 0.1
  done
  [ -s "$file" ] || die "Xvfb did not start; see xvfb.log below"
  DISPLAY=":$(head -1 "$file")"
  export DISPLAY
}

start_monitor() {
  "$1/bin/sattrail" </dev/null >"$tmp/${2:-monitor}.log" 2>&1 &
  monitor=$!
  run_pids+=("$monitor")
}

monitor_window() {
  local win
  win=$(timeout 20 xdotool search --sync --pid "$monitor" --onlyvisible --name Sattrail |
    head -1) || true
  [ -n "$win" ] || die "no monitor window appeared; see monitor.log below"
  echo "$win"
}

# Into the speed list's field, open the list, from its first entry down to the speed's, then
# "On". The port list's first entry, COM1, is the one linked.
open_port_at() {
  local speed=$1 index=0 entry win
  for entry in "${speeds[@]}"; do
    [ "$entry" = "$speed" ] && break
    index=$((index + 1))
  done
  [ "$index" -lt "${#speeds[@]}" ] || die "speed $speed is not in the monitor's list"
  win=$(monitor_window)
  xdotool mousemove --window "$win" 30 18 click 1
  sleep 0.3
  xdotool key F4
  sleep 0.3
  xdotool key Home
  sleep 0.2
  [ "$index" -eq 0 ] || xdotool key --repeat "$index" --delay 100 Down
  sleep 0.2
  xdotool key Return
  sleep 0.3
  xdotool mousemove --window "$win" 139 18 click 1
}

wait_for_link() {
  local i
  for ((i = 0; i < 50; i++)); do
    [ -L "$1" ] && return 0
    sleep 0.1
  done
  die "$1 did not appear; see feeder.log below"
}

# A TCP port nobody listens on now, for gpsd: the system picks it.
free_tcp_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

gpsd_wanted() {
  [ "$with_gpsd" = 1 ] && command -v gpsd >/dev/null && command -v xgps >/dev/null
}

# gpsd on the second terminal, never writing to it (-b) and reading it before any client asks
# (-n), and xgps drawing what it reports on the same display as the monitor.
start_gpsd_xgps() {
  local device=$1
  gpsd_port=$(free_tcp_port)
  gpsd -N -n -b -S "$gpsd_port" "$device" >"$tmp/gpsd.log" 2>&1 &
  gpsd_pid=$!
  run_pids+=("$gpsd_pid")
  sleep 1
  require_alive "$gpsd_pid" gpsd
  xgps "localhost:$gpsd_port" </dev/null >"$tmp/xgps.log" 2>&1 &
  xgps_pid=$!
  run_pids+=("$xgps_pid")
}

# xgps opens over the monitor; beside it, neither hides the other, so each draws all it
# would draw on a desk (and a screenshot shows both). Only once it has connected: it sizes
# and places its window again when the first reports come in.
place_xgps() {
  local win width
  win=$(timeout 30 xdotool search --sync --pid "$xgps_pid" --onlyvisible --name '^xgps' |
    head -1) || true
  [ -n "$win" ] || die "no xgps window appeared; see xgps.log below"
  width=$(xdotool getwindowgeometry --shell "$(monitor_window)" | awk -F= '$1 == "WIDTH" { print $2 }')
  xdotool windowmove "$win" "$((width + 10))" 0
  sleep 1  # the two windows' redrawing after the move is no part of the figures
}

# gpsd must really decode the bytes (a position, not only sentences), or its figure means
# nothing. gpspipe is a client too, so this is done before the window, not during it.
check_gpsd_fix() {
  local reports
  reports=$(timeout 15 gpspipe -w -n 40 "localhost:$gpsd_port" 2>/dev/null) || true
  grep -q '"class":"TPV".*"mode":[23]' <<<"$reports" ||
    die "gpsd reported no fix on $1 (no TPV with mode 2 or 3); see gpsd.log below"
}

check_xgps_connected() {
  local i
  for ((i = 0; i < 50; i++)); do
    ss -Htnp state established "( dport = :$gpsd_port )" 2>/dev/null |
      grep -q "pid=$xgps_pid," && return 0
    sleep 0.2
  done
  die "xgps is not connected to gpsd on port $gpsd_port; see xgps.log below"
}

# ---- measuring ---------------------------------------------------------------------------

now() {
  date +%s.%N
}

# Percent of one core from clock ticks over wall seconds.
percent() {
  awk -v t="$1" -v hz="$clk" -v s="$2" 'BEGIN { printf "%.2f", t / hz / s * 100 }'
}

ratio_of() {
  awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "inf" }'
}

# The median of the numbers on standard input, printed with the format given ("%d", "%.2f").
median() {
  sort -g | awk -v format="$1\n" '{ v[NR] = $1 } END {
    if (NR == 0) exit
    printf format, NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# The feeder's counters now (key=value lines), written on SIGUSR1.
feeder_stats() {
  local i
  rm -f "$tmp/feeder.stats"
  kill -USR1 "$feeder"
  for ((i = 0; i < 50; i++)); do
    [ -s "$tmp/feeder.stats" ] && break
    sleep 0.05
  done
  cat "$tmp/feeder.stats"
}

stat_value() {
  awk -F= -v key="$2" '$1 == key { print $2 }' <<<"$1"
}

# ---- one run of the link-rate (or idle) mode ----------------------------------------------
# A run's pieces share these: device (the monitor's terminal), second (the link to gpsd's),
# compare (1 when gpsd and xgps run beside it), the process ids, and the window's figures.

# Display, feeder, monitor with its port open, and gpsd with xgps when compared.
start_rig() {
  local build=$1 feed_args=()
  mkdir -m 700 "$tmp/ports"
  export SATTRAIL_PORT_DIR="$tmp/ports"
  start_display

  compare=0
  second="$tmp/gpsd-terminal"
  if gpsd_wanted; then
    compare=1
    feed_args+=(--second-link "$second")
  fi
  if [ "$mode" = idle ]; then feed_args+=(--idle); else feed_args+=(--capture "$capture"); fi
  python3 "$here/link_feeder.py" --link "$SATTRAIL_PORT_DIR/COM1" --stats "$tmp/feeder.stats" \
    --chunk $((link_speed / 100)) "${feed_args[@]}" >"$tmp/feeder.log" 2>&1 &
  feeder=$!
  run_pids+=("$feeder")
  wait_for_link "$SATTRAIL_PORT_DIR/COM1"
  device=$(readlink "$SATTRAIL_PORT_DIR/COM1")

  start_monitor "$build"
  open_port_at "$link_speed"
  if [ "$compare" = 1 ]; then
    wait_for_link "$second"
    start_gpsd_xgps "$(readlink "$second")"
  fi
}

# Each side really at work, or the figures mean nothing.
check_rig() {
  require_alive "$monitor" "the monitor"
  holds_device "$monitor" "$device" ||
    die "the monitor does not hold $device open (was On clicked?); see monitor.log below"
  [ "$compare" = 1 ] || return 0
  require_alive "$xgps_pid" xgps
  [ "$mode" = idle ] || check_gpsd_fix "$(readlink "$second")"
  check_xgps_connected
  place_xgps
}

# CPU ticks of every process and the feeder's counters at both ends of the window. The display
# server draws for both sides, so its share is taken apart and counted to neither.
sample_window() {
  local i
  pids=("$monitor" "$xvfb_pid")
  names=(monitor Xvfb)
  if [ "$compare" = 1 ]; then
    pids+=("$gpsd_pid" "$xgps_pid")
    names+=(gpsd xgps)
  fi
  before=() after=()
  fed0=$(feeder_stats)
  t0=$(now)
  for i in "${!pids[@]}"; do before[i]=$(cpu_ticks "${pids[i]}" "${names[i]}"); done
  sleep "$seconds"
  for i in "${!pids[@]}"; do after[i]=$(cpu_ticks "${pids[i]}" "${names[i]}"); done
  t1=$(now)
  fed1=$(feeder_stats)
  elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
}

# Percent of a core used by process i of the window over it.
window_percent() {
  percent $((after[$1] - before[$1])) "$elapsed"
}

# What the feeder's counter grew by over the window.
fed_delta() {
  echo $(($(stat_value "$fed1" "$1") - $(stat_value "$fed0" "$1")))
}

# One line of key=value pairs for the run, in run_line.
report_run() {
  local number=$1 label=$2 line both
  line="run=$number build=$label mode=$mode seconds=$elapsed"
  line+=" monitor_cpu_percent=$(window_percent 0)"
  line+=" monitor_vmhwm_kib=$(vm_kib "$monitor" VmHWM)"
  line+=" fed_bytes=$(fed_delta monitor_written) monitor_dropped_bytes=$(fed_delta monitor_dropped)"
  if [ "$compare" = 1 ]; then
    both=$(percent $((after[2] - before[2] + after[3] - before[3])) "$elapsed")
    line+=" gpsd_cpu_percent=$(window_percent 2) xgps_cpu_percent=$(window_percent 3)"
    line+=" gpsd_xgps_cpu_percent=$both"
    line+=" gpsd_xgps_vmhwm_kib=$(($(vm_kib "$gpsd_pid" VmHWM) + $(vm_kib "$xgps_pid" VmHWM)))"
    line+=" gpsd_dropped_bytes=$(fed_delta second_dropped)"
    line+=" ratio=$(ratio_of "$both" "$(window_percent 0)")"
  fi
  line+=" xvfb_cpu_percent=$(window_percent 1)"
  line+=" feeder_late_ticks=$(stat_value "$fed1" feeder_late_ticks)"
  line+=" load=$(cut -d' ' -f1-3 /proc/loadavg | tr ' ' /)"
  run_line=$line
}

# Sets run_line. Not run in a subshell: a failure must reach the trap that stops what the run
# started.
link_run() {
  local build=$1 label=$2 number=$3 dropped
  start_rig "$build"
  # Starting (Qt, Python, GTK) costs far more than running; none of it is counted.
  sleep "$warmup"
  check_rig
  sample_window
  report_run "$number" "$label"
  if [ -n "${SCREENSHOT:-}" ]; then
    import -window root "${SCREENSHOT%.*}-$label$number.${SCREENSHOT##*.}"
  fi
  # A monitor that stopped reading would look cheap: say so rather than report it quietly.
  dropped=$(fed_delta monitor_dropped)
  [ "$dropped" = 0 ] ||
    echo "measure_monitor: warning: the monitor left $dropped bytes unread in run $number" >&2
  stop_run
  rm -rf "$tmp/ports"
  unset SATTRAIL_PORT_DIR
}

# "key=value" of a run line.
field() {
  tr ' ' '\n' <<<"$1" | awk -F= -v key="$2" '$1 == key { print $2 }'
}

# The medians of one build's runs, each key prefixed (A_, B_) when two builds are compared.
summarise() {
  local label=$1 prefix=$2 key
  shift 2
  local lines=("$@") mine=() line
  for line in "${lines[@]}"; do
    [ "$(field "$line" build)" = "$label" ] && mine+=("$line")
  done
  for key in monitor_cpu_percent monitor_vmhwm_kib gpsd_cpu_percent xgps_cpu_percent \
    gpsd_xgps_cpu_percent gpsd_xgps_vmhwm_kib ratio xvfb_cpu_percent; do
    local values format="%.2f"
    [[ $key == *_kib ]] && format="%d"
    values=$(for line in "${mine[@]}"; do field "$line" "$key"; done)
    [ -n "$values" ] && echo "${prefix}${key}=$(median "$format" <<<"$values")"
  done
  return 0
}

link_mode() {
  if [ $# -lt 1 ] || [ $# -gt 2 ]; then usage; fi
  local builds=("$@") b labels=(A B)
  for b in "${builds[@]}"; do
    [ -x "$b/bin/sattrail" ] || die "$b/bin/sattrail is not built"
  done
  [ "$mode" = idle ] || [ -r "$capture" ] || die "cannot read the capture $capture"
  if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    die "needs Xvfb and xdotool"
  fi
  if [ "$with_gpsd" = 1 ] && ! gpsd_wanted; then
    echo "measure_monitor: gpsd or xgps not found; measuring the monitor alone" >&2
  fi
  seconds=${seconds:-25}

  echo "mode=$mode"
  echo "machine=$(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)"
  echo "date=$(date -u +%Y-%m-%dT%H:%M:%SZ)"
  echo "load_before=$(cut -d' ' -f1-3 /proc/loadavg)"
  for i in "${!builds[@]}"; do echo "build_${labels[i]}=${builds[i]}"; done
  [ "$mode" = idle ] || echo "capture=$capture"
  echo "seconds=$seconds warmup=$warmup runs=$runs"

  local lines=() run i
  for ((run = 1; run <= runs; run++)); do
    for i in "${!builds[@]}"; do
      link_run "${builds[i]}" "${labels[i]}" "$run"
      echo "$run_line"
      lines+=("$run_line")
    done
  done
  echo "load_after=$(cut -d' ' -f1-3 /proc/loadavg)"
  if [ "${#builds[@]}" = 1 ]; then
    summarise A "" "${lines[@]}"
  else
    local a b
    a=$(summarise A A_ "${lines[@]}")
    b=$(summarise B B_ "${lines[@]}")
    printf '%s\n%s\n' "$a" "$b"
    # The change between the builds, from the medians: below 1, BUILD2 costs less.
    echo "monitor_cpu_B_over_A=$(ratio_of "$(stat_value "$b" B_monitor_cpu_percent)" \
      "$(stat_value "$a" A_monitor_cpu_percent)")"
  fi
}

# ---- side by side: both builds in the same run -------------------------------------------
# Alternating runs still leave the machine's pace to differ between them. Two monitors fed the
# same chunks in the same tick and measured over the same window meet the same pace; the ratio
# of their figures within a run holds where the figures themselves move by a tenth.

# Display, one feeder with a terminal for each build, and both monitors with their ports open,
# B's window beside A's. Which one starts first alternates with the run's number.
start_pair() {
  local order=(0 1) i dirs=("$tmp/ports" "$tmp/ports-b") names=(monitor monitor-b) feed_args=()
  local builds=("$2" "$3") width
  mkdir -m 700 "${dirs[@]}"
  start_display
  if [ "$mode" = idle ]; then feed_args+=(--idle); else feed_args+=(--capture "$capture"); fi
  python3 "$here/link_feeder.py" --link "${dirs[0]}/COM1" --second-link "${dirs[1]}/COM1" \
    --stats "$tmp/feeder.stats" --chunk $((link_speed / 100)) "${feed_args[@]}" \
    >"$tmp/feeder.log" 2>&1 &
  feeder=$!
  run_pids+=("$feeder")
  [ $(($1 % 2)) = 1 ] || order=(1 0)
  for i in "${order[@]}"; do
    wait_for_link "${dirs[i]}/COM1"
    pair_devices[i]=$(readlink "${dirs[i]}/COM1")
    export SATTRAIL_PORT_DIR="${dirs[i]}"
    start_monitor "${builds[i]}" "${names[i]}"
    pair_monitors[i]=$monitor
    if [ "$i" = 1 ]; then
      width=$(xdotool getwindowgeometry --shell "$(monitor_window)" | awk -F= '$1 == "WIDTH" { print $2 }')
      xdotool windowmove "$(monitor_window)" "$((width + 10))" 0
      sleep 0.3
    fi
    open_port_at "$link_speed"
  done
  unset SATTRAIL_PORT_DIR
}

pair_run() {
  local number=$1 i labels=(A B) line a b
  start_pair "$number" "$2" "$3"
  sleep "$warmup"
  for i in 0 1; do
    require_alive "${pair_monitors[i]}" "monitor ${labels[i]}"
    holds_device "${pair_monitors[i]}" "${pair_devices[i]}" ||
      die "monitor ${labels[i]} does not hold ${pair_devices[i]} open; see its log below"
  done
  pids=("${pair_monitors[@]}" "$xvfb_pid")
  names=("monitor A" "monitor B" Xvfb)
  before=() after=()
  t0=$(now)
  for i in 0 1; do before[i]=$(cpu_ns "${pids[i]}"); done
  before[2]=$(cpu_ticks "$xvfb_pid" Xvfb)
  sleep "$seconds"
  for i in 0 1; do after[i]=$(cpu_ns "${pids[i]}"); done
  after[2]=$(cpu_ticks "$xvfb_pid" Xvfb)
  t1=$(now)
  for i in 0 1; do require_alive "${pids[i]}" "${names[i]}"; done
  elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
  pair_lines=()
  for i in 0 1; do
    line="run=$number build=${labels[i]} mode=$mode seconds=$elapsed"
    line+=" monitor_cpu_percent=$(awk -v ns=$((after[i] - before[i])) -v s="$elapsed" \
      'BEGIN { printf "%.3f", ns / 1e9 / s * 100 }')"
    line+=" monitor_vmhwm_kib=$(vm_kib "${pids[i]}" VmHWM)"
    line+=" xvfb_cpu_percent=$(window_percent 2)"
    pair_lines+=("$line")
  done
  a=$((after[0] - before[0])) b=$((after[1] - before[1]))
  pair_lines+=("run=$number b_over_a=$(awk -v a="$a" -v b="$b" 'BEGIN { printf "%.3f", b / a }')")
  stop_run
  rm -rf "$tmp/ports" "$tmp/ports-b"
}

pair_mode() {
  [ $# = 2 ] || die "--side-by-side wants two builds"
  local build
  for build in "$1" "$2"; do
    [ -x "$build/bin/sattrail" ] || die "$build/bin/sattrail is not built"
  done
  [ "$mode" = idle ] || [ -r "$capture" ] || die "cannot read the capture $capture"
  seconds=${seconds:-25}
  echo "mode=$mode side_by_side=1"
  echo "machine=$(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)"
  echo "date=$(date -u +%Y-%m-%dT%H:%M:%SZ)"
  echo "build_A=$1"
  echo "build_B=$2"
  echo "seconds=$seconds warmup=$warmup runs=$runs"
  local lines=() ratios=() run line
  for ((run = 1; run <= runs; run++)); do
    pair_run "$run" "$1" "$2"
    for line in "${pair_lines[@]}"; do echo "$line"; done
    lines+=("${pair_lines[@]:0:2}")
    ratios+=("$(field "${pair_lines[2]}" b_over_a)")
  done
  summarise A A_ "${lines[@]}"
  summarise B B_ "${lines[@]}"
  echo "b_over_a=$(printf '%s\n' "${ratios[@]}" | median "%.3f")"
}

# ---- the paced mode: the simulator at a speed of the list --------------------------------

pace_mode() {
  if [ $# -lt 2 ] || [ $# -gt 3 ]; then usage; fi
  local build=$1 capture=$2 speed=${3:-38400}
  seconds=${seconds:-60}
  mkdir -m 700 "$tmp/ports"
  export SATTRAIL_PORT_DIR="$tmp/ports"
  "$build/bin/sattrail-sim" --port 1 --speed "$speed" --capture "$capture" --loop --quiet \
    >"$tmp/sim.log" 2>&1 &
  run_pids+=($!)
  start_display
  sleep 1
  start_monitor "$build"
  open_port_at "$speed"
  sleep 2
  local device start end u0 s0 u1 s1 t0 t1 elapsed
  device=$(readlink "$SATTRAIL_PORT_DIR/COM1") || die "the simulator made no link; see sim.log below"
  holds_device "$monitor" "$device" || die "the monitor does not hold $device open"
  start=$(cpu_fields "$monitor" "the monitor")
  t0=$(now)
  sleep "$seconds"
  end=$(cpu_fields "$monitor" "the monitor")
  t1=$(now)
  u0=${start% *} s0=${start#* } u1=${end% *} s1=${end#* }
  elapsed=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", b - a }')
  echo "mode=pace"
  echo "speed=$speed"
  echo "seconds=$elapsed"
  echo "user_ms=$(((u1 - u0) * 1000 / clk))"
  echo "system_ms=$(((s1 - s0) * 1000 / clk))"
  echo "monitor_cpu_percent=$(percent $((u1 - u0 + s1 - s0)) "$elapsed")"
  echo "monitor_vmhwm_kib=$(vm_kib "$monitor" VmHWM)"
  echo "monitor_vmrss_kib=$(vm_kib "$monitor" VmRSS)"
  echo "load=$(cut -d' ' -f1-3 /proc/loadavg)"
  if [ -n "${SCREENSHOT:-}" ]; then import -window root "$SCREENSHOT"; fi
}

# ---- options ---------------------------------------------------------------------------

positional=()
while [ $# -gt 0 ]; do
  case $1 in
  --link-rate) mode="link-rate" ;;
  --idle) mode=idle ;;
  --seconds) seconds=${2:?}; shift ;;
  --runs) runs=${2:?}; shift ;;
  --warmup) warmup=${2:?}; shift ;;
  --capture) capture=${2:?}; shift ;;
  --speed) link_speed=${2:?}; shift ;;
  --no-gpsd) with_gpsd=0 ;;
  --side-by-side) side_by_side=1 with_gpsd=0 ;;
  -h | --help) usage ;;
  --*) echo "unknown option $1" >&2; usage ;;
  *) positional+=("$1") ;;
  esac
  shift
done
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || die "--runs wants a positive whole number"
[[ "${seconds:-1}" =~ ^[0-9]+(\.[0-9]+)?$ ]] || die "--seconds wants a number of seconds"
[[ "$warmup" =~ ^[0-9]+(\.[0-9]+)?$ ]] || die "--warmup wants a number of seconds"
clk=$(getconf CLK_TCK)
tmp=$(mktemp -d)

if [ "$mode" = pace ]; then
  pace_mode "${positional[@]}"
elif [ "$side_by_side" = 1 ]; then
  pair_mode "${positional[@]}"
else
  link_mode "${positional[@]}"
fi
