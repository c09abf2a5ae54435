#!/usr/bin/env python3
"""Writes pellomar-<version>-win32.zip into a release build folder:
    make_release_zip.py SOURCE_FOLDER BUILD_FOLDER
The same files give the same archive bytes: entries sorted, each stamped with the time of
the last commit (or SOURCE_DATE_EPOCH), with fixed attributes and compression."""
import os
import re
import subprocess
import sys
import time
import zipfile

source, build = sys.argv[1], sys.argv[2]
version = re.search(r'#define PELLOMAR_VERSION_TEXT "([^"]+)"',
                    open(os.path.join(source, "resources", "version.h")).read()).group(1)


def commit_time():
    if "SOURCE_DATE_EPOCH" in os.environ:
        return int(os.environ["SOURCE_DATE_EPOCH"])
    result = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"], capture_output=True, text=True)
    return int(result.stdout) if result.returncode == 0 and result.stdout.strip() else 315532800  # 1980


def text_for_windows(path):
    return open(path, "rb").read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


entries = {
    "LICENSE.txt": text_for_windows(os.path.join(source, "LICENSE")),
    "README.txt": text_for_windows(os.path.join(source, "docs", "README.txt")),
    "pellomar.exe": open(os.path.join(build, "pellomar.exe"), "rb").read(),
    "pellomarhelp.chm": open(os.path.join(build, "pellomarhelp.chm"), "rb").read(),
    "sk_default.bmp": open(os.path.join(build, "sk_default.bmp"), "rb").read(),
}
stamp = time.gmtime(max(commit_time(), 315532800))[:6]  # a zip cannot hold times before 1980
archive = os.path.join(build, "pellomar-%s-win32.zip" % version)
with zipfile.ZipFile(archive, "w") as zip_file:
    for name in sorted(entries):
        info = zipfile.ZipInfo(name, date_time=stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 0  # MS-DOS, as archives made on Windows
        info.external_attr = 0x20  # the archive attribute
        zip_file.writestr(info, entries[name], compresslevel=9)
print(archive)
