#!/usr/bin/env python3
"""Builds pellomarhelp.chm in the current folder from the help pages:
    build_help.py HELP_FOLDER [CHMCMD]
Fails when a page links to a page or anchor that does not exist, when the project or its
table of contents names a missing file, or when the built-in key words of keywords.html or
of README.md (keys, and hosts of the web ones) are not those of the program's tables in
command/builtin_keywords.cpp, in the same order. The compiler stamps the time of compiling
into the file twice; both stamps are cleared, so that the same pages give the same bytes."""
import html
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def program_keywords():
    """The program's built-in key words as (key, host) pairs; the programs have no host."""
    source = open(os.path.join(ROOT, "command", "builtin_keywords.cpp"), encoding="latin-1").read()
    web = re.search(r"WEB_KEYWORDS\[\] = \{(.*?)\n\};", source, re.DOTALL)
    programs = re.search(r"PROGRAM_KEYWORDS\[\]\[2\] = \{(.*?)\n\};", source, re.DOTALL)
    if not web or not programs:
        sys.exit("help: WEB_KEYWORDS or PROGRAM_KEYWORDS not found in command/builtin_keywords.cpp")
    return (re.findall(r'\{"([^"]*)",\s*"([^"]*)"', web.group(1)) +
            [(key, "") for key in re.findall(r'\{"([^"]*)",', programs.group(1))])


def page_keywords(page):
    """The rows of keywords.html: the key in the first cell, the host (if any) in the third."""
    rows = []
    for key, rest in re.findall(r"<tr><td><code>(.*?)</code></td>(.*?)</tr>", page):
        cells = re.findall(r"<td>(.*?)</td>", rest) + [""]
        rows.append((html.unescape(key), cells[1]))
    return rows


def readme_keywords():
    """The rows of README.md's "Built-in key words" table; one row may name several keys."""
    readme = open(os.path.join(ROOT, "README.md"), encoding="utf-8").read()
    section = readme.partition("\n## Built-in key words\n")[2].split("\n## ")[0]
    rows = []
    for line in section.splitlines():
        if line.startswith("| `"):
            cells = [cell.strip() for cell in line.strip("|").split("|")]
            host = (cells[2].split() or [""])[0]  # the host may be followed by a remark
            rows += [(key, host) for key in re.findall(r"`([^`]+)`", cells[0])]
    return rows


def describe(rows):
    return ", ".join("%s (%s)" % (key, host) if host else key for key, host in rows)


def keyword_faults(where, listed, expected):
    """What is wrong with a copy of the program's key word table, if anything."""
    if listed == expected:
        return []
    problems = []
    missing = [row for row in expected if row not in listed]
    if missing:
        problems.append("lacks " + describe(missing))
    extra = [row for row in listed if row not in expected]
    if extra:
        problems.append("has " + describe(extra) + ", which the program has not")
    return ["%s's built-in key words are not those of command/builtin_keywords.cpp: %s"
            % (where, "; ".join(problems) or "they come in another order, or one twice")]


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
builtin = program_keywords()
faults += keyword_faults("keywords.html", page_keywords(pages.get("keywords.html", "")), builtin)
faults += keyword_faults("README.md", readme_keywords(), builtin)
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
