#pragma once
// Laid-out pages out to a PDF that keeps the text (Cairo) or to a printer (Qt).

#include "print/pages.h"

#include <functional>
#include <string>

class QPagedPaintDevice;

namespace orvane {

struct PdfOutcome {
    bool written = false;
    std::string error;  // empty when the user stopped it
};

// Writes the pages to path whole, or leaves no file at all. progress(page, pages) may stop it.
PdfOutcome writePdf(const std::vector<Page>& pages, const PageSetup& setup, const std::string& path,
                    const std::function<bool(std::size_t, std::size_t)>& progress = {});

// Draws the pages on a printer (or any paged device), the same lines in the same places.
bool printPages(const std::vector<Page>& pages, const PageSetup& setup, QPagedPaintDevice& device,
                const std::function<bool(std::size_t, std::size_t)>& progress = {});

} // namespace orvane
