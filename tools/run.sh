#!/usr/bin/env bash
# Installs what is needed, builds, and starts Pellomar under Wine. With a desktop
# (DISPLAY set) the bar appears there. Without one it runs on a private X display, writes
# a screenshot of the bar to build/bar.png and keeps running until interrupted (Ctrl+C).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"

cmake --no-warn-unused-cli -S "$root" -B "$root/build/win64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/win64" -j "$(nproc)" --target pellomar pellomar_help e2e_driver
exe="$root/build/win64/pellomar.exe"

if [ -n "${DISPLAY:-}" ]; then
  export WINEDLLOVERRIDES="mscoree,mshtml="
  exec wine "$exe"
fi

# However the script is stopped (Ctrl+C, a closed terminal, a kill), it ends through its
# EXIT trap, which closes the bar and the private display.
trap 'exit 130' INT TERM HUP
source "$root/tools/wine-session.sh"
wine_session_start
# Its own session, so that Ctrl+C reaches only this script, which then closes the bar.
setsid wine "$exe" >/dev/null 2>&1 &
bar_pid=$!
stop_bar() {
  # A close request lets the bar save its settings, as closing it on a desktop would.
  timeout 20 wine "$root/build/win64/e2e_driver.exe" post-bar 0x10 0 >/dev/null 2>&1 || true  # WM_CLOSE
  timeout 20 tail --pid="$bar_pid" -f /dev/null || kill "$bar_pid" 2>/dev/null || true
  wine_session_stop
}
trap stop_bar EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Pellomar$' | head -n 1)
sleep 0.5
import -window "$window" "$root/build/bar.png"
echo "Pellomar is running on the private display $DISPLAY."
echo "Screenshot of the bar: $root/build/bar.png"
echo "Press Ctrl+C to close it."
wait "$bar_pid"
