#!/usr/bin/python3
"""Builds resources/language-model.tsv: how Bamini codes and English letters follow each other
in words, which the reader uses to tell English words from Bamini ones in plain text.

Sources, all Debian packages (installed by `scripts/install-deps language-model`):
- Tamil: the words of aspell-ta, and the Tamil of the message catalogues listed in CATALOGUES
  (prose as translators wrote it, with its inflections), each written as Bamini codes by
  Orvane itself (`orvane --from-unicode`), so the codes are the ones its reader reads;
- English: the words of wamerican (/usr/share/dict/american-english), lower case.

Each language gets the cost (in tenths of a nat, -ln p x 10) of each code after the two
before it within a word, for every pair of codes seen at least MIN_SEEN times, and of each
code after one code; a word begins after two spaces and ends with one. Same inputs, same
bytes. Run: scripts/make-language-model.py build/orvane
"""

import collections
import gettext
import math
import re
import subprocess
import sys
import tempfile
from pathlib import Path

CATALOGUES = ["glib20", "gtk20", "gtk20-properties", "gdk-pixbuf", "grep", "Linux-PAM", "at-spi2-core"]
MIN_SEEN = 2
TAMIL = re.compile(r"[\u0B80-\u0BFF]+")


def tamil_words():
    words = collections.Counter()
    dump = subprocess.run(["aspell", "-d", "ta", "dump", "master"], check=True, capture_output=True, text=True).stdout
    for w in dump.split():
        words.update(TAMIL.findall(w))
    for name in CATALOGUES:
        path = Path("/usr/share/locale/ta/LC_MESSAGES") / (name + ".mo")
        with open(path, "rb") as f:
            catalogue = gettext.GNUTranslations(f)
        for text in catalogue._catalog.values():
            if isinstance(text, str):
                words.update(TAMIL.findall(text))
    return words


def as_bamini(orvane, words):
    with tempfile.TemporaryDirectory() as tmp:
        source, target = Path(tmp) / "words.txt", Path(tmp) / "words.tam"
        source.write_text("\n".join(words) + "\n", encoding="utf-8")
        subprocess.run([orvane, "--from-unicode", str(source), str(target)], check=True, capture_output=True)
        lines = target.read_bytes().decode("latin-1").split("\r\n")
    return [line for line in lines[: len(words)]]


def english_words():
    words = collections.Counter()
    for line in Path("/usr/share/dict/american-english").read_text(encoding="utf-8").split():
        w = line.lower()
        if w.endswith("'s"):
            continue
        if re.fullmatch(r"[a-z]+", w):
            words[w] += 1
    return words


def costs(words):
    """words: Counter of word -> weight (1 for a dictionary, its count for prose)."""
    three, two, one = collections.Counter(), collections.Counter(), collections.Counter()
    for w, n in words.items():
        padded = "  " + w + " "
        for i in range(2, len(padded)):
            three[padded[i - 2 : i + 1]] += n
            two[padded[i - 1 : i + 1]] += n
            one[padded[i]] += n
    rows = []
    before_two = collections.Counter()
    for g, n in three.items():
        before_two[g[:2]] += n
    before_one = collections.Counter()
    for g, n in two.items():
        before_one[g[:1]] += n
    for g, n in sorted(three.items()):
        if n >= MIN_SEEN and before_two[g[:2]] >= MIN_SEEN:
            rows.append((g, round(-10 * math.log(n / before_two[g[:2]]))))
    for g, n in sorted(two.items()):
        rows.append((g, round(-10 * math.log(n / before_one[g[:1]]))))
    total = sum(one.values())
    for g, n in sorted(one.items()):
        rows.append((g, round(-10 * math.log(n / total))))
    return rows


def main():
    orvane = sys.argv[1] if len(sys.argv) > 1 else "build/orvane"
    tamil = tamil_words()
    unicode_words = sorted(tamil)
    bamini = collections.Counter()
    for word, codes in zip(unicode_words, as_bamini(orvane, unicode_words)):
        if codes and " " not in codes:
            bamini[codes] += 1  # each word once: the list is of words, not of how often
    english = english_words()
    out = [
        "# Made by scripts/make-language-model.py from aspell-ta, Debian's Tamil message catalogues",
        "# and wamerican: do not edit. language (b Bamini codes, e English letters), the codes",
        "# (the last one after those before it; a space is a word's edge), cost (-ln p x 10).",
        "language\tcodes\tcost",
    ]
    for language, words in (("b", bamini), ("e", english)):
        for gram, cost in costs(words):
            out.append(f"{language}\t{gram}\t{cost}")
    Path("resources/language-model.tsv").write_text("\n".join(out) + "\n", encoding="latin-1")
    print(f"make-language-model: {len(bamini)} Bamini words, {len(english)} English words, {len(out) - 4} rows")


if __name__ == "__main__":
    main()
