#pragma once
// A document on paper: the Unicode Tamil it draws, set in Noto Sans Tamil (which Orvane
// carries), wrapped at words and cut into pages without cutting a line in half, with the
// file's name above and "1 / 3" below. Laid out once with Pango; the same lines go to a PDF
// (through Cairo, which keeps each line's text) and to a printer (through Qt).

#include <functional>
#include <string>
#include <vector>

namespace orvane {

struct PageSetup {
    double width = 595.276;   // points; A4
    double height = 841.89;
    double margin = 56.693;   // 2 cm
    double fontSize = 15.75;  // points, the text box's
    std::string header;       // the file's name
};

struct PageLine {
    std::string text;  // UTF-8
    double baseline;   // from the top of the page, in points
};

struct Page {
    std::vector<PageLine> lines;
};

// The family of the Unicode Tamil font pages are set in; registered for this run with
// fontconfig (for Pango) on first use.
const char* pageFontFamily();
std::string pageFontFile();

// Lays the text out in pages. progress(done, total) is called now and then; returning false
// stops, and the result is then empty.
std::vector<Page> layoutPages(const std::string& unicode, const PageSetup& setup,
                              const std::function<bool(std::size_t, std::size_t)>& progress = {});

// The header and footer lines of page number (from 1) of count.
std::string pageFooter(std::size_t number, std::size_t count);
double headerBaseline(const PageSetup& setup);
double footerBaseline(const PageSetup& setup);
constexpr double HeaderFontScale = 0.6;

} // namespace orvane
