#!/usr/bin/env bash
# Start-up time (median of 15 starts), the CPU time of a whole run (median of 7, from
# perf's task-clock around wine: the process's own clock ticks in 10 ms), idle working set
# and idle CPU of pellomar.exe under Wine, each against a bare Win32 program built with
# the same flags and measured in the same run, at 100 % and again at 150 % in a prefix of
# its own; and the size of the stripped 32-bit release program. Pellomar starts with 1,000
# user keys in its "keyentries.dat" and a full "history.txt" (100 lines of the longest
# length the box runs).
# Goals: start-up and CPU <= 1.1 x baseline at 100 %, <= 1.15 x at 150 %, working set
# <= 1.1 x baseline, no CPU while idle, build/win32/pellomar.exe < 128 KiB; "Edit User
# Keys" with 10,000 user keys shown and filled within 300 ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" >/dev/null
source "$root/tools/wine-session.sh"
wine_session_start

work=$(mktemp -d /tmp/pellomar-bench.XXXXXX)
trap 'rm -rf "$work"; wine_session_stop' EXIT
cp "$root/build/win64/pellomar.exe" "$root/build/win64/sk_default.bmp" "$root/build/win64/bench_baseline.exe" "$work/"
python3 - "$work" <<'FILES'
import os, struct, sys
def text(s): return struct.pack("<h", len(s)) + s.encode()
entries = [text("key%d" % i) + text("C:\\Tools\\tool%d.exe %%s" % i) + text("--profile %d" % i) + b"\0"
           + struct.pack("<h", 0) for i in range(1000)]
open(os.path.join(sys.argv[1], "keyentries.dat"), "wb").write(struct.pack("<ii", 1, len(entries)) + b"".join(entries))
lines = [("g line %d " % i).ljust(127, "a") for i in range(100)]
open(os.path.join(sys.argv[1], "history.txt"), "wb").write("".join(line + "\r\n" for line in lines).encode())
FILES

# Milliseconds of CPU that one program takes from its start to its close once idle,
# median of 7 runs; its window shows with the title given.
run_cpu_ms() {
  local file pid runs=()
  for _ in 1 2 3 4 5 6 7; do
    file=$(mktemp)
    perf stat -x, -e task-clock -o "$file" wine "$1" >/dev/null 2>&1 &
    pid=$!
    timeout 30 xdotool search --sync --onlyvisible --name "^$2\$" >/dev/null
    sleep 0.5
    timeout 30 wine taskkill /im "$(basename "$1")" >/dev/null 2>&1
    timeout 30 tail --pid="$pid" -f /dev/null || kill "$pid"
    runs+=("$(awk -F, '/task-clock/ { print $1 }' "$file")")
    rm -f "$file"
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 4p
}

# Two lines from the measuring program, baseline and pellomar, then "cpu" with the CPU
# milliseconds of each.
measure() {
  timeout 600 wine "$root/build/win64/bench_measure.exe" 15 3000 \
    "$(winepath -w "$work/bench_baseline.exe")" baselinewindow "$(winepath -w "$work/pellomar.exe")" parentwindow
  echo "cpu $(run_cpu_ms "$work/bench_baseline.exe" Baseline) $(run_cpu_ms "$work/pellomar.exe" Pellomar)"
}

results=$(measure)
read -r _ base_ms base_ws base_private base_cpu <<<"$(sed -n 1p <<<"$results")"
read -r _ bar_ms bar_ws bar_private bar_cpu <<<"$(sed -n 2p <<<"$results")"
read -r _ base_run bar_run <<<"$(sed -n 3p <<<"$results")"
results=$(wine_at_dpi 144 measure)
read -r _ base_ms150 _ _ _ <<<"$(sed -n 1p <<<"$results")"
read -r _ bar_ms150 _ _ _ <<<"$(sed -n 2p <<<"$results")"
read -r _ base_run150 bar_run150 <<<"$(sed -n 3p <<<"$results")"
size=$(stat -c %s "$root/build/win32/pellomar.exe")
edit_keys_ms=$(timeout 300 wine "$root/build/win64/bench_edit_keys.exe")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-28s %12s %12s %8s %s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")" "$4"; }
printf '%-28s %12s %12s %8s %s\n' "" pellomar baseline ratio goal
row "start-up, median of 15 (ms)" "$bar_ms" "$base_ms" "<= 1.10"
row "CPU of a run, median of 7 (ms)" "$bar_run" "$base_run" "<= 1.10"
row "start-up at 150 % (ms)" "$bar_ms150" "$base_ms150" "<= 1.15"
row "CPU of a run at 150 % (ms)" "$bar_run150" "$base_run150" "<= 1.15"
row "idle working set (KB)" "$bar_ws" "$base_ws" "<= 1.10"
printf '%-28s %12s %12s %8s\n' "idle private bytes (KB)" "$bar_private" "$base_private" "$(ratio "$bar_private" "$base_private")"
printf '%-28s %12s %12s %8s %s\n' "CPU in 3 s idle (ms)" "$bar_cpu" "$base_cpu" "" "0"
printf '%-28s %12s %12s %8s %s\n' "32-bit pellomar.exe (bytes)" "$size" "" "" "< 131072"
printf '%-28s %12s %12s %8s %s\n' "Edit User Keys, 10,000 (ms)" "$edit_keys_ms" "" "" "<= 300"
