#!/usr/bin/env python3
"""Writes catalog/fold_table.cpp, the table behind FoldForMatching, from Python's unicodedata:
    tools/make_fold_table.py > catalog/fold_table.cpp
A character of Latin, Greek, Cyrillic or full-width ASCII becomes what a user would type for
it: decomposed canonically, its combining marks dropped, case-folded (so "ß" is "ss"), and
again until nothing changes. Letters that carry a mark Unicode does not decompose ("Ø",
"Ł", "Đ") lose it by their names; ligatures ("Æ", "Ĳ") are spelt out. Typographic dashes
and quotes become their ASCII forms and the trade marks go, so that they separate or vanish
as in the names users type. Everything else is left as it is."""
import re
import sys
import unicodedata

# The blocks whose letters are folded, and the combining marks that go with them.
COVERED = [
    (0x00A0, 0x024F),  # Latin-1 Supplement, Latin Extended-A and -B
    (0x0300, 0x036F),  # Combining Diacritical Marks
    (0x0370, 0x052F),  # Greek and Coptic, Cyrillic and its Supplement
    (0x1AB0, 0x1AFF),  # Combining Diacritical Marks Extended
    (0x1DC0, 0x1DFF),  # Combining Diacritical Marks Supplement
    (0x1E00, 0x1FFF),  # Latin Extended Additional, Greek Extended
    (0x2010, 0x201F),  # dashes and quotes
    (0x20D0, 0x20FF),  # Combining Diacritical Marks for Symbols
    (0x2122, 0x2122),  # trade mark
    (0x3000, 0x3000),  # ideographic space, typed by Japanese and Chinese input methods
    (0xFE20, 0xFE2F),  # Combining Half Marks
    (0xFF01, 0xFF5E),  # full-width ASCII
]

MANUAL = {
    0x00A0: " ",  # no-break space
    0x00AB: '"', 0x00BB: '"',  # guillemets
    0x00AD: "",  # soft hyphen, never seen
    0x00A9: "", 0x00AE: "", 0x2122: "",  # (c) (r) (tm) after a name
    0x00B7: ".",  # middle dot
    0x00D0: "d", 0x00F0: "d",  # eth
    0x00DE: "th", 0x00FE: "th",  # thorn
    0x00C6: "ae", 0x00E6: "ae", 0x0152: "oe", 0x0153: "oe",
    0x0131: "i",  # dotless i, so that Turkish names match an "i"
    0x2010: "-", 0x2011: "-", 0x2012: "-", 0x2013: "-", 0x2014: "-", 0x2015: "-",
    0x2018: "'", 0x2019: "'", 0x201A: "'", 0x201B: "'",
    0x201C: '"', 0x201D: '"', 0x201E: '"', 0x201F: '"',
    0x3000: " ",
}

# The entries' special values, as catalog/fold_table.h has them.
FOLD_EXPANSION = 0xF0
FOLD_UNCHANGED = 0xFF

# "LATIN SMALL LETTER O WITH STROKE": the letter is O, whatever the mark.
LETTER_WITH_MARK = re.compile(r"LATIN (CAPITAL|SMALL) LETTER ([A-Z]{1,2}) WITH ")


def covered(cp):
    return any(first <= cp <= last for first, last in COVERED)


def without_marks(text):
    return "".join(c for c in unicodedata.normalize("NFD", text) if unicodedata.category(c) != "Mn")


def fold_once(cp):
    if cp in MANUAL:
        return MANUAL[cp]
    ch = chr(cp)
    if 0xFF01 <= cp <= 0xFF5E:
        ch = chr(cp - 0xFEE0)
    if unicodedata.category(ch) == "Mn":
        return ""
    base = without_marks(ch)
    if base == ch:
        named = LETTER_WITH_MARK.match(unicodedata.name(ch, ""))
        compatible = unicodedata.normalize("NFKD", ch)
        if named:
            base = named.group(2)
        elif len(compatible) > 1 and all(unicodedata.category(c) in ("Lu", "Ll", "Lt") for c in compatible):
            base = compatible
    return base.casefold()


def fold(text):
    """Folds until nothing changes, so that folding a folded text changes nothing."""
    while True:
        folded = "".join(fold_once(ord(c)) if covered(ord(c)) or c.isascii() else c for c in text)
        if folded == text:
            return folded
        text = folded


def main():
    changes = {}
    for first, last in COVERED:
        for cp in range(first, last + 1):
            if unicodedata.category(chr(cp)) == "Cn":
                continue  # unassigned
            folded = fold(chr(cp))
            if folded != chr(cp):
                changes[cp] = folded

    # Expansions (several characters, or none) are few, each in 4 bytes.
    expansions = sorted({folded.encode() for folded in changes.values() if len(folded) != 1})
    assert len(expansions) <= FOLD_UNCHANGED - FOLD_EXPANSION and all(len(e) < 4 for e in expansions)
    assert expansions[0] == b""  # the one a dropped block's code points take

    # Runs of changed code points in blocks; an entry is a byte. A block goes on over a gap
    # shorter than its header while its single-character targets stay within one span of
    # FOLD_EXPANSION from its base. Runs of characters that all go (the combining marks)
    # need no entries.
    blocks = []  # [first, last, drops, base, highest target]
    for cp in sorted(changes):
        folded = changes[cp]
        drops = folded == ""
        target = ord(folded) if len(folded) == 1 else None
        if blocks and blocks[-1][2] == drops and cp - blocks[-1][1] <= (1 if drops else 8):
            block = blocks[-1]
            low = min(block[3], target) if target is not None else block[3]
            high = max(block[4], target) if target is not None else block[4]
            if high - low < FOLD_EXPANSION:
                block[1], block[3], block[4] = cp, low, high
                continue
        blocks.append([cp, cp, drops, target if target is not None else 0x10FFFF,
                       target if target is not None else 0])

    def entry(block, cp):
        folded = changes.get(cp)
        if folded is None:
            return FOLD_UNCHANGED
        if len(folded) != 1:
            return FOLD_EXPANSION + expansions.index(folded.encode())
        return ord(folded) - block[3]

    entries = []
    out = sys.stdout
    out.write("// Generated by tools/make_fold_table.py from Python's unicodedata (Unicode %s);\n"
              "// do not edit: change the script and run it again:\n"
              "//   tools/make_fold_table.py > catalog/fold_table.cpp\n" % unicodedata.unidata_version)
    out.write('#include "catalog/fold_table.h"\n\n// clang-format off\n')
    out.write("// First, last, where its entries start in FOLD_ENTRIES (FOLD_DROPPED: they all go), base.\n")
    out.write("const FoldBlock FOLD_BLOCKS[] = {\n")
    for block in blocks:
        first, last, drops, base = block[:4]
        if drops:
            out.write("    {0x%04X, 0x%04X, FOLD_DROPPED, 0},\n" % (first, last))
            continue
        base = base if base != 0x10FFFF else 0
        block[3] = base
        out.write("    {0x%04X, 0x%04X, %d, 0x%04X},\n" % (first, last, len(entries), base))
        entries += [entry(block, cp) for cp in range(first, last + 1)]
    out.write("};\nconst size_t FOLD_BLOCK_COUNT = sizeof FOLD_BLOCKS / sizeof FOLD_BLOCKS[0];\n\n")
    out.write("// Per code point of a block: the one it folds to less the block's base, FOLD_EXPANSION\n"
              "// plus its expansion's place in FOLD_EXPANSIONS, or FOLD_UNCHANGED.\n")
    out.write("const uint8_t FOLD_ENTRIES[] = {\n")
    for i in range(0, len(entries), 16):
        out.write("    " + " ".join("0x%02X," % e for e in entries[i:i + 16]) + "\n")
    out.write("};\n\n")
    out.write("const char FOLD_EXPANSIONS[][4] = {\n")
    for e in expansions:
        out.write('    "%s",  // %s\n' % ("".join("\\x%02X" % b for b in e), e.decode() or "(goes)"))
    out.write("};\n// clang-format on\n")
    size = 8 * len(blocks) + len(entries) + 4 * len(expansions)
    sys.stderr.write("%d blocks, %d entries, %d expansions: %d bytes\n"
                     % (len(blocks), len(entries), len(expansions), size))


if __name__ == "__main__":
    main()
