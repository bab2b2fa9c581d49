#pragma once
// Laid-out pages out to a PDF that keeps the text (Cairo) or to a printer (Qt).

#include "platform/file_service.h"
#include "print/pages.h"

#include <functional>
#include <string>

class QPagedPaintDevice;

namespace orvane {

struct PdfOutcome {
    bool written = false;
    std::string error;  // Cairo's word, when it was Cairo that failed; empty when the user stopped it
};

// Makes the pages a PDF and hands its bytes to put, which writes them where it will.
// progress(page, pages) may stop it; a put that gives up stops it too.
PdfOutcome writePdf(const std::vector<Page>& pages, const PageSetup& setup, const ByteSource::Put& put,
                    const std::function<bool(std::size_t, std::size_t)>& progress = {});

// Draws the pages on a printer (or any paged device), the same lines in the same places.
bool printPages(const std::vector<Page>& pages, const PageSetup& setup, QPagedPaintDevice& device,
                const std::function<bool(std::size_t, std::size_t)>& progress = {});

} // namespace orvane
