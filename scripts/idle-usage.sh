#!/usr/bin/env bash
# An idle minute of the installed clock beside its floor (floorClock.exe: a face redrawn twice a second
# with nothing else) and X11's own clocks on the same display: the CPU time each process uses over the
# minute and its resident memory, as Markdown. Wine's server and the display serve
# every program, so their time is also measured over a quiet minute before the clocks start.
# Needs the Wine environment of wine-env.sh running (DISPLAY, WINEPREFIX); run-benchmarks.sh starts it.
# Usage: scripts/idle-usage.sh INSTALL_FOLDER FLOOR_PROGRAM [SECONDS]
set -euo pipefail
install=$1
floor_program=$2
seconds=${3:-60}
reg='C:\windows\system32\reg.exe'
product='HKCU\Software\Quorvane\Bellwick'

# CPU time of a process in nanoseconds: every thread's time on the CPU, as the scheduler counts it.
cpu_ns() {
    local total=0 t run
    for t in /proc/"$1"/task/*/schedstat; do
        read -r run _ < "$t" 2>/dev/null || continue
        total=$((total + run))
    done
    echo "$total"
}
# The running (not defunct) process of that name: nothing here reaps ended Wine processes.
live_pid() {
    local p
    for p in $(pgrep -x "$1"); do
        [ "$(awk '{ print $3 }' "/proc/$p/stat" 2>/dev/null)" = Z ] || { echo "$p"; return 0; }
    done
    return 1
}
kb() { awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/${3:-status}"; }
# a / b as "4.2x", or a note when b used nothing measurable (oclock redraws once a minute).
ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1fx", a / b; else print "(no measurable time of its own)" }'
}
fail() { echo "idle-usage: $1" >&2; exit 1; }

# This prefix's server works in a folder named after the prefix's device and inode; this display's Xvfb
# names the display on its command line.
server_dir=$(printf 'server-%x-%x' "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
server_pid=""
for p in $(pgrep -x wineserver32; pgrep -x wineserver); do
    case "$(readlink "/proc/$p/cwd" 2>/dev/null)" in */"$server_dir") server_pid=$p ;; esac
done
xvfb_pid=$(pgrep -f "^Xvfb $DISPLAY( |\$)" | head -1 || true)
[ -n "$server_pid" ] && [ -n "$xvfb_pid" ] || fail "no wineserver or Xvfb of this run found"

# Settings of an earlier run, so that the clock starts without its greeting, away from the tray window.
wine "$reg" add "$product" /v SkinName /d Default /f >/dev/null 2>&1
for value in AlwaysOnTop:1 TopPos:300 LeftPos:300 BlinkLength:15; do
    wine "$reg" add "$product" /v "${value%%:*}" /t REG_DWORD /d "${value##*:}" /f >/dev/null 2>&1
done
wine "$reg" add "$product\\Events" /v Count /t REG_DWORD /d 0 /f >/dev/null 2>&1

quiet_server=$(cpu_ns "$server_pid")
quiet_xvfb=$(cpu_ns "$xvfb_pid")
sleep "$seconds"
quiet_server=$(( $(cpu_ns "$server_pid") - quiet_server ))
quiet_xvfb=$(( $(cpu_ns "$xvfb_pid") - quiet_xvfb ))

xclock_pid=""
oclock_pid=""
stop_all() {
    wine 'C:\windows\system32\taskkill.exe' /im Bellwick.exe /im floorClock.exe >/dev/null 2>&1 || true
    if [ -n "$xclock_pid" ]; then kill "$xclock_pid" "$oclock_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    wine "$reg" delete "$product" /f >/dev/null 2>&1 || true
}
trap stop_all EXIT
(cd "$install" && exec wine Bellwick.exe </dev/null >/dev/null 2>&1) &
(cd "$install" && exec wine "$floor_program" 150 300 </dev/null >/dev/null 2>&1) &
xclock -update 1 -geometry 100x100+450+300 </dev/null >/dev/null 2>&1 &
xclock_pid=$!
oclock -geometry 100x100+600+300 </dev/null >/dev/null 2>&1 &
oclock_pid=$!
clock_pid=""
floor_pid=""
for _ in $(seq 1 100); do
    clock_pid=$(live_pid Bellwick.exe || true)
    floor_pid=$(live_pid floorClock.exe || true)
    [ -n "$clock_pid" ] && [ -n "$floor_pid" ] && break
    sleep 0.1
done
[ -n "$clock_pid" ] && [ -n "$floor_pid" ] || fail "the clock or its floor did not start"
sleep 5 # the starts are over; what follows is idle

# Indexes: 0 the clock, 1 xclock, 2 oclock, 3 Wine's server, 4 the display, 5 the clock's floor.
pids=("$clock_pid" "$xclock_pid" "$oclock_pid" "$server_pid" "$xvfb_pid" "$floor_pid")
declare -a before used
for i in "${!pids[@]}"; do before[$i]=$(cpu_ns "${pids[$i]}"); done
clock_rss_before=$(kb "$clock_pid" VmRSS)
sleep "$seconds"
for i in "${!pids[@]}"; do used[$i]=$(( $(cpu_ns "${pids[$i]}") - before[i] )); done
clock_rss_after=$(kb "$clock_pid" VmRSS)

row() { # name, nanoseconds, pid (or "" for no memory columns)
    local rss="-" pss="-"
    [ -n "$3" ] && rss=$(awk -v k="$(kb "$3" VmRSS)" 'BEGIN { printf "%.1f MB", k / 1024 }') &&
        pss=$(awk -v k="$(kb "$3" Pss smaps_rollup)" 'BEGIN { printf "%.1f MB", k / 1024 }')
    awk -v name="$1" -v ns="$2" -v s="$seconds" -v rss="$rss" -v pss="$pss" \
        'BEGIN { printf "| %s | %.1f ms | %.3f %% | %s | %s |\n", name, ns / 1e6, ns / (s * 1e7), rss, pss }'
}
echo "| Process | CPU time in ${seconds} s | Share of one core | Resident memory (RSS) | Proportional (PSS) |"
echo "|---|---:|---:|---:|---:|"
row "Bellwick.exe (2 ticks a second)" "${used[0]}" "$clock_pid"
row "floorClock.exe (the floor: 2 ticks a second, one block copy and three lines each)" "${used[5]}" "$floor_pid"
row "xclock -update 1 (a redraw a second)" "${used[1]}" "$xclock_pid"
row "oclock (a redraw a minute)" "${used[2]}" "$oclock_pid"
row "wineserver, the same ${seconds} s with the clocks running (it serves both Wine programs)" \
    "${used[3]}" "$server_pid"
row "wineserver, ${seconds} s before they started" "$quiet_server" ""
row "Xvfb, the same ${seconds} s with the clocks running (all four clocks draw on it)" "${used[4]}" "$xvfb_pid"
row "Xvfb, ${seconds} s before they started" "$quiet_xvfb" ""
echo
server_share=$(( used[3] > quiet_server ? used[3] - quiet_server : 0 ))
server_ms=$(awk -v n="$server_share" 'BEGIN { printf "%.1f ms", n / 1e6 }')
echo "CPU time of the clock: $(ratio "${used[0]}" "${used[5]}") its floor," \
     "$(ratio "${used[0]}" "${used[1]}") xclock -update 1, $(ratio "${used[0]}" "${used[2]}") oclock." \
     "Wine's server worked $server_ms more than in the quiet ${seconds} s, for the clock and its floor together."
echo "Resident memory of the clock: $(ratio "$clock_rss_after" "$(kb "$floor_pid" VmRSS)") its floor," \
     "$(ratio "$clock_rss_after" "$(kb "$xclock_pid" VmRSS)") xclock," \
     "$(ratio "$clock_rss_after" "$(kb "$oclock_pid" VmRSS)") oclock;" \
     "${clock_rss_before} kB at the start of the measured ${seconds} s, ${clock_rss_after} kB at their end."
