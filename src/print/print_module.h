#pragma once
// Pages and their output are a module of their own (orvane-print.so), loaded the first time
// the user prints or exports: Pango and Cairo bring a score of libraries that the editor
// would otherwise load, and pay for, at every start.

#include "print/output.h"
#include "print/pages.h"

#include <string>

namespace orvane {

struct PrintModule {
    std::vector<Page> (*layoutPages)(const std::string& unicode, const PageSetup& setup,
                                     const std::function<bool(std::size_t, std::size_t)>& progress);
    PdfOutcome (*writePdf)(const std::vector<Page>& pages, const PageSetup& setup, const ByteSource::Put& put,
                           const std::function<bool(std::size_t, std::size_t)>& progress);
    bool (*printPages)(const std::vector<Page>& pages, const PageSetup& setup, QPagedPaintDevice& device,
                       const std::function<bool(std::size_t, std::size_t)>& progress);
};

// The module, loaded once; nullptr when it cannot be, with the reason in error.
const PrintModule* printModule(std::string& error);

} // namespace orvane

// The one symbol the module exports.
extern "C" const orvane::PrintModule* orvanePrintModule();
