#pragma once
// What the office formats share: the escaping of text and attribute values for XML, and the
// last look at what a conversion wrote before it reaches the disk.

#include <QString>

#include <string>
#include <string_view>

namespace orvane::office {

// Text as XML character data or an attribute value, in either quotes.
QString xmlEscaped(const QString& text);

// False, with why, when part would not be well-formed XML (or declares a document type).
bool wellFormedXml(std::string_view xml, const std::string& part, std::string& error);

// False, with why, when the converted RTF's groups do not close as the original's did.
bool balancedAsBefore(std::string_view original, std::string_view converted, std::string& error);

} // namespace orvane::office
