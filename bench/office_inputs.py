#!/usr/bin/env python3
"""Office documents for make bench, grown from the test documents by repeating their body.

    office_inputs.py DATA OUT [UNICODE_ODT]

DATA is tests/data/office. Writes to OUT:
  body5.docx        the Word document's body repeated to 5 MB of document.xml
  runs10k.docx      ... to 10,000 runs, and runs40k.docx to 40,000
  body5.rtf         the RTF document's body repeated to 5 MB
With UNICODE_ODT (the OpenDocument test document converted to Unicode), also
  body5.odt         its text repeated to 5 MB of content.xml, for --from-unicode
"""
import re
import sys
import zipfile

FIVE_MB = 5 << 20


def repeated(text, start, end, want):
    """text with text[start:end] repeated the fewest times that want says are enough."""
    piece = text[start:end]
    copies = 1
    while not want(piece * copies):
        copies *= 2
    lo, hi = copies // 2, copies
    while lo + 1 < hi:
        mid = (lo + hi) // 2
        lo, hi = (lo, mid) if want(piece * mid) else (mid, hi)
    return text[:start] + piece * hi + text[end:]


def rewrite(source, target, part, change):
    with zipfile.ZipFile(source) as zin, zipfile.ZipFile(target, "w") as zout:
        for item in zin.infolist():
            data = zin.read(item.filename)
            if item.filename == part:
                data = change(data.decode("utf-8")).encode("utf-8")
            method = zipfile.ZIP_STORED if item.filename == "mimetype" else zipfile.ZIP_DEFLATED
            zout.writestr(item, data, compress_type=method)


def main():
    data, out = sys.argv[1], sys.argv[2]
    big = lambda text: len(text.encode("utf-8")) >= FIVE_MB
    # A Word body: its paragraphs and tables, up to the section's properties at its end.
    docx_body = lambda want: lambda xml: repeated(xml, xml.index("<w:body>") + 8, xml.rindex("<w:sectPr"), want)
    docx = f"{data}/proficiency-examination.docx"
    rewrite(docx, f"{out}/body5.docx", "word/document.xml", docx_body(big))
    for name, runs in (("runs10k", 10000), ("runs40k", 40000)):
        many = lambda text, runs=runs: len(re.findall(r"<w:r[ >]", text)) >= runs
        rewrite(docx, f"{out}/{name}.docx", "word/document.xml", docx_body(many))
    # An RTF body: from its first paragraph to the document's closing brace.
    with open(f"{data}/mid-year-examination.rtf", encoding="latin-1") as f:
        rtf = f.read()
    with open(f"{out}/body5.rtf", "w", encoding="latin-1") as f:
        f.write(repeated(rtf, rtf.index("\\pard"), rtf.rindex("}"), big))
    # An OpenDocument text: from its first paragraph to the end of the text.
    if len(sys.argv) > 3:
        rewrite(sys.argv[3], f"{out}/body5.odt", "content.xml",
                lambda xml: repeated(xml, xml.index("<text:p"), xml.rindex("</office:text>"), big))


if __name__ == "__main__":
    main()
