#!/usr/bin/env bash
# The release archive: the same sources built in two folders give the same bytes, the archive
# holds the five files a user needs, and its program is 32-bit and hardened.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d /tmp/pellomar-release.XXXXXX)
trap 'rm -rf "$work"' EXIT
for folder in "$work/a" "$work/b/deeper"; do
  # The sources as they are in the working tree, tracked or new, without the build folders.
  mkdir -p "$folder/src"
  git -C "$root" ls-files -z --cached --others --exclude-standard |
    tar -C "$root" -c --null -T - --ignore-failed-read 2>/dev/null | tar -C "$folder/src" -x
  "$folder/src/tools/release.sh" "$folder/out" >/dev/null
done
cmp "$work"/a/out/pellomar-*-win32.zip "$work"/b/deeper/out/pellomar-*-win32.zip
diff <(python3 -c 'import sys, zipfile; print(*zipfile.ZipFile(sys.argv[1]).namelist())' "$work"/a/out/pellomar-*.zip) \
  <(echo LICENSE.txt README.txt pellomar.exe pellomarhelp.chm sk_default.bmp)
# The archived program, as built: its format and, in order, the hardening flags it must carry.
flags='pei-i386|DYNAMIC_BASE|NX_COMPAT|TERMINAL_SERVICE_AWARE'
diff <(i686-w64-mingw32-objdump -p "$work/a/out/pellomar.exe" | grep -Eo "$flags") <(tr '|' '\n' <<<"$flags")
