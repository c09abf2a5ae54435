#!/usr/bin/env python3
"""Builds pellomarhelp.chm in the current folder from the help pages:
    build_help.py HELP_FOLDER [CHMCMD]
Fails when a page links to a page or anchor that does not exist, or when the project or
its table of contents names a missing file. The compiler stamps the time of compiling
into the file twice; both stamps are cleared, so that the same pages give the same bytes."""
import os
import re
import subprocess
import sys

folder = sys.argv[1]
pages = {name: open(os.path.join(folder, name), encoding="latin-1").read()
         for name in os.listdir(folder) if name.endswith((".html", ".hhc"))}
anchors = {name: set(re.findall(r'\bid="([^"]+)"', text)) for name, text in pages.items()}
project = open(os.path.join(folder, "pellomarhelp.hhp"), encoding="latin-1").read()
listed = project.split("[FILES]")[1].split()

faults = ["pellomarhelp.hhp lists missing %s" % name for name in listed
          if not os.path.exists(os.path.join(folder, name))]
faults += ["%s is not listed in pellomarhelp.hhp" % name for name in pages
           if name.endswith(".html") and name not in listed]
for name, text in sorted(pages.items()):
    for target in re.findall(r'\b(?:href|value)="([^"]+\.(?:html|css)(?:#[^"]*)?)"', text):
        page, _, anchor = target.partition("#")
        if page not in pages and not os.path.exists(os.path.join(folder, page)):
            faults.append("%s links to missing %s" % (name, page))
        elif anchor and anchor not in anchors.get(page, ()):
            faults.append("%s links to missing anchor %s" % (name, target))
for fault in faults:
    print("help: " + fault, file=sys.stderr)
if faults:
    sys.exit(1)

compiler = subprocess.run([sys.argv[2] if len(sys.argv) > 2 else "chmcmd", "--verbosity", "0", os.path.join(folder, "pellomarhelp.hhp")],
                          capture_output=True, text=True)
if compiler.returncode != 0:
    sys.exit(compiler.stdout + compiler.stderr)
chm = bytearray(open("pellomarhelp.chm", "rb").read())
# The header's time stamp, and entry 10 (4 bytes) of the #SYSTEM file, which entry 9,
# the compiler's name, follows.
chm[0x10:0x14] = bytes(4)
stamps = [m.start() for m in re.finditer(rb"\x0a\x00\x04\x00....\x09\x00", bytes(chm), re.DOTALL)]
if len(stamps) != 1:
    sys.exit("help: the compiler's time stamp was not found once but %d times" % len(stamps))
chm[stamps[0] + 4:stamps[0] + 8] = bytes(4)
open("pellomarhelp.chm", "wb").write(chm)
