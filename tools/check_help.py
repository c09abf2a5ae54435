#!/usr/bin/env python3
"""Fails when a help page links to a page or anchor that does not exist, or when the
project or its table of contents names a missing file. Usage: check_help.py HELP_FOLDER"""
import os
import re
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
    targets = re.findall(r'\b(?:href|value)="([^"]+\.(?:html|css)(?:#[^"]*)?)"', text)
    for target in targets:
        page, _, anchor = target.partition("#")
        if page not in pages and not os.path.exists(os.path.join(folder, page)):
            faults.append("%s links to missing %s" % (name, page))
        elif anchor and anchor not in anchors.get(page, ()):
            faults.append("%s links to missing anchor %s" % (name, target))

for fault in faults:
    print("help: " + fault, file=sys.stderr)
sys.exit(1 if faults else 0)
