#!/usr/bin/env bash
# Start-up time (median of 15 starts), idle working set and idle CPU of pellomar.exe
# under Wine, each against a bare Win32 program built with the same flags and measured in
# the same run; and the size of the stripped 32-bit release program. Pellomar starts with
# 1,000 user keys in its "keyentries.dat" and a full "history.txt" (100 lines of the
# longest length the box runs).
# Goals: start-up <= 1.1 x baseline, working set <= 1.1 x baseline, no CPU while idle,
# build/win32/pellomar.exe < 100 KB; "Edit User Keys" with 10,000 user keys shown and
# filled within 300 ms. Where perf (Debian's linux-perf) is installed, also the CPU time of
# a start, which stays within a few percent where the wall-clock medians swing by a third
# on a shared machine: the process's task-clock from its start until its window shows and
# it is asked to close, median of 15, the programs taking turns; goal <= 1.10 x baseline.
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

results=$(timeout 600 wine "$root/build/win64/bench_measure.exe" 15 3000 \
  "$(winepath -w "$work/bench_baseline.exe")" baselinewindow \
  "$(winepath -w "$work/pellomar.exe")" parentwindow)
read -r _ base_ms base_ws base_private base_cpu <<<"$(sed -n 1p <<<"$results")"
read -r _ bar_ms bar_ws bar_private bar_cpu <<<"$(sed -n 2p <<<"$results")"
size=$(stat -c %s "$root/build/win32/pellomar.exe")

cpu_ms() {
  perf stat -x, -e task-clock -o "$work/perf.txt" wine "$work/$1" >/dev/null 2>&1 &
  local run=$!
  timeout 30 xdotool search --sync --onlyvisible --classname "$1" >/dev/null
  wine taskkill /f /im "$1" >/dev/null 2>&1
  wait "$run"
  grep task-clock "$work/perf.txt" | cut -d, -f1
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
bar_task_ms=-
base_task_ms=-
if command -v perf >/dev/null; then
  for _ in $(seq 15); do
    cpu_ms pellomar.exe >>"$work/bar.cpu"
    cpu_ms bench_baseline.exe >>"$work/base.cpu"
  done
  bar_task_ms=$(median <"$work/bar.cpu")
  base_task_ms=$(median <"$work/base.cpu")
fi
edit_keys_ms=$(timeout 300 wine "$root/build/win64/bench_edit_keys.exe")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf '%-28s %12s %12s %8s %s\n' "" pellomar baseline ratio goal
printf '%-28s %12s %12s %8s %s\n' "start-up, median of 15 (ms)" "$bar_ms" "$base_ms" "$(ratio "$bar_ms" "$base_ms")" "<= 1.10"
if [ "$bar_task_ms" != - ]; then
  printf '%-28s %12s %12s %8s %s\n' "start-up CPU, median (ms)" "$bar_task_ms" "$base_task_ms" \
    "$(ratio "$bar_task_ms" "$base_task_ms")" "<= 1.10"
fi
printf '%-28s %12s %12s %8s %s\n' "idle working set (KB)" "$bar_ws" "$base_ws" "$(ratio "$bar_ws" "$base_ws")" "<= 1.10"
printf '%-28s %12s %12s %8s\n' "idle private bytes (KB)" "$bar_private" "$base_private" "$(ratio "$bar_private" "$base_private")"
printf '%-28s %12s %12s %8s %s\n' "CPU in 3 s idle (ms)" "$bar_cpu" "$base_cpu" "" "0"
printf '%-28s %12s %12s %8s %s\n' "32-bit pellomar.exe (bytes)" "$size" "" "" "< 102400"
printf '%-28s %12s %12s %8s %s\n' "Edit User Keys, 10,000 (ms)" "$edit_keys_ms" "" "" "<= 300"
