#!/usr/bin/python3
"""Writes tests/data/english-in-bamini/labelled.tsv: lines of plain text that people set in a
Bamini font beside English in another, each word labelled from the source's own fonts.

- html-forms.txt: web forms' lines, each piece marked {B} (set in a Bamini-layout font) or
  {E} (any other font), transcribed from the pages' <font face> tags;
- the documents and PDFs of tests/data/office and tests/data/pdf: Orvane read them by their
  runs' fonts into Unicode (the .txt beside each, checked by the office tests), where a word
  in Tamil letters was set in a Bamini font and a word in Latin letters in another; the plain
  text is those lines written back as codes (`orvane --from-unicode`, which keeps English as
  its own bytes), word for word.

A row: the labels of the line's words (b Bamini, e English, x a word of both fonts, n a word
without letters), a tab, the line. Run: scripts/label-english-in-bamini.py build/orvane
"""

import re
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = ROOT / "tests/data/english-in-bamini"
LETTER = re.compile(r"[A-Za-z]")


def label(pieces):
    """pieces: [(font, text)]; returns (labels, line)."""
    chars = []
    for font, text in pieces:
        chars.extend((c, font) for c in text)
    line = "".join(c for c, _ in chars)
    labels, word = [], []
    for c, font in chars + [(" ", None)]:
        if c in " \t":
            if word:
                fonts = {f for ch, f in word}
                if not any(LETTER.match(ch) for ch, _ in word) and fonts == {"E"}:
                    labels.append("n")
                elif len(fonts) > 1:
                    labels.append("x")
                elif not any(LETTER.match(ch) for ch, _ in word):
                    labels.append("n")
                else:
                    labels.append("b" if fonts == {"B"} else "e")
            word = []
        else:
            word.append((c, font))
    return "".join(labels), " ".join(line.split())


def html_lines():
    for raw in (DATA / "html-forms.txt").read_text(encoding="utf-8").splitlines():
        if raw.startswith("#") or not raw.strip():
            continue
        pieces = [(m.group(1), m.group(2)) for m in re.finditer(r"\{([BE])\}([^{]*)", raw)]
        yield label(pieces)


def document_lines(orvane):
    tamil = re.compile(r"[\u0B80-\u0BFF]")
    for txt in sorted(list((ROOT / "tests/data/office").glob("*.txt")) + list((ROOT / "tests/data/pdf").glob("*.txt"))):
        unicode_lines = txt.read_text(encoding="utf-8").splitlines()
        with tempfile.TemporaryDirectory() as tmp:
            out = Path(tmp) / "codes.tam"
            subprocess.run([orvane, "--from-unicode", str(txt), str(out)], check=True, capture_output=True)
            code_lines = out.read_bytes().decode("latin-1").split("\r\n")
        for u, c in zip(unicode_lines, code_lines):
            uw, cw = u.split(), c.split()
            if not uw or len(uw) != len(cw):
                continue  # a line whose words the codes do not keep one for one
            pieces = []
            for a, b in zip(uw, cw):
                if tamil.search(a) and LETTER.search(a):
                    pieces += [("B", b[:1]), ("E", b[1:])]  # a word of both: not counted
                else:
                    pieces.append(("B" if tamil.search(a) else "E", b))
                pieces.append(("E", " "))
            labels, line = label(pieces)
            yield labels, line


def main():
    orvane = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / "build/orvane")
    rows = list(html_lines()) + list(document_lines(orvane))
    out = ["# Made by scripts/label-english-in-bamini.py: labels (b Bamini, e English, x both, n no letters), the line."]
    out += [f"{labels}\t{line}" for labels, line in rows if labels.strip("n")]
    (DATA / "labelled.tsv").write_text("\n".join(out) + "\n", encoding="latin-1")
    words = "".join(labels for labels, _ in rows)
    print(f"label-english-in-bamini: {len(rows)} lines, {words.count('b')} Bamini words, {words.count('e')} English")


if __name__ == "__main__":
    main()
