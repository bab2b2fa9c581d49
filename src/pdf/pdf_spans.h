#pragma once
// The text of a PDF as its spans, in reading order, each with the font it is drawn in: what
// the PDF module (poppler, loaded on first use so that the editor starts without it) gives
// the converters. Plain C across the module's edge.

#include <cstddef>

namespace orvane {

struct PdfSpan {
    const char* text;  // UTF-8, as the PDF's own mapping of its glyphs gives it
    std::size_t size;
    const char* font;  // the font's name, its subset tag ("AOQJYH+") taken off
    bool newLine;      // the first span of a line
    bool newPage;      // the first span of a page
    bool spaceBefore;  // set apart from the span before it on its line
};

using PdfSpanSink = void (*)(void* context, const PdfSpan& span);

// The module's one entry: calls sink for every span of the PDF's bytes; null when done, else
// why it could not be read.
using PdfSpansEntry = const char* (*)(const char* data, std::size_t size, PdfSpanSink sink, void* context);

} // namespace orvane
