#!/usr/bin/env python3
# The tests' share of the code: non-blank lines that are neither comments nor preprocessor
# lines, of C++, Python and shell under tests/, against the program's C++ outside tests/,
# bench/ and tools/. Run from anywhere; prints both counts and the share.
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parents[1]
CPP = {".cpp", ".h"}


def code_lines(path):
    text = path.read_text(encoding="utf-8", errors="replace")
    if path.suffix in CPP:
        text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
        comment = ("//", "#")
    else:
        comment = ("#",)
    return sum(1 for line in text.splitlines() if line.strip() and not line.strip().startswith(comment))


def files(folder, suffixes):
    return [p for p in (root / folder).rglob("*") if p.is_file() and p.suffix in suffixes and "seeds" not in p.parts]


tests = sum(code_lines(p) for p in files("tests", CPP | {".py", ".sh"}))
product = sum(code_lines(p) for p in root.rglob("*") if p.is_file() and p.suffix in CPP
              and p.relative_to(root).parts[0] not in ("tests", "bench", "tools", "build", ".git"))
print("tests %d, product %d, share %.1f %%" % (tests, product, 100.0 * tests / product))
sys.exit(0)
