#pragma once
// Word documents opened in the window: their text, as a Unicode document.

#include "platform/document_importer.h"

namespace orvane::office {

class OfficeImporter final : public DocumentImporter {
public:
    std::optional<std::string> importText(std::string_view bytes, std::string& error) override;
};

} // namespace orvane::office
