#pragma once
// Word-processor documents typed in a Bamini font: what kind a file is (by its bytes), and
// a .docx converted run by run, Bamini to Unicode Tamil or back, everything else left as it
// was, byte for byte.

#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::office {

enum class DocumentKind { Plain, Docx, Odt, Rtf, Doc, Zip };

// What the bytes are: a zip holding word/document.xml is a .docx, one whose mimetype is an
// OpenDocument text an .odt, "{\rtf" an RTF document, an OLE compound file an old .doc.
// A zip that is no such document comes with why (damaged, untrusted, or holding neither),
// told from its directory without expanding it.
DocumentKind kindOf(std::string_view bytes, std::string* why = nullptr);

struct ConvertOptions {
    bool toUnicode = true;
    std::string unicodeFont = "Noto Sans Tamil";  // set on runs made Unicode
    std::vector<std::string> baminiFonts;         // fonts with Bamini's layout, besides those named so
    std::string baminiFont() const { return baminiFonts.empty() ? "Bamini" : baminiFonts.front(); }
    // A font with Bamini's layout: its name holds "Bamini" in any case, or it is SunTommy or one
    // named (or a face of one, as PDFs name them: "SunTommy,Bold").
    bool isBamini(std::string_view font) const;
};

struct ConvertReport {
    std::size_t runs = 0;        // runs converted
    std::size_t characters = 0;  // characters they held
    std::set<std::string> fonts;  // every font a run was set in
    std::map<std::string, std::size_t> unplaced;  // characters kept as they were, and how often
    std::size_t mixedRuns = 0;   // --from-unicode: runs of Tamil and English left as they were
};

// The text of a .docx's body, a line for each paragraph (a table's cell by cell), Bamini runs
// read as Unicode Tamil; false, with why, when it cannot be read.
bool docxText(std::string_view in, const ConvertOptions& options, std::string& text, std::string& error);

// Tamil Unicode as Bamini codes: what had no code or no letter of its own counted in the
// report's unplaced characters.
std::string baminiCodes(std::string_view utf8, ConvertReport& report);

// A .docx's bytes converted; false, with why, when they cannot be.
bool convertDocx(std::string_view in, std::string& out, const ConvertOptions& options, ConvertReport& report,
                 std::string& error);

// The same for an OpenDocument text (.odt): its text where the font has Bamini's layout made
// Unicode, and the declarations of such fonts made the Unicode font (to Unicode only).
bool odtText(std::string_view in, const ConvertOptions& options, std::string& text, std::string& error);
bool convertOdt(std::string_view in, std::string& out, const ConvertOptions& options, ConvertReport& report,
                std::string& error);

// The same for an RTF document: text in a font with Bamini's layout written as \uN Unicode,
// the font table's name of that font the Unicode font (to Unicode only).
bool rtfText(std::string_view in, const ConvertOptions& options, std::string& text, std::string& error);
bool convertRtf(std::string_view in, std::string& out, const ConvertOptions& options, ConvertReport& report,
                std::string& error);

} // namespace orvane::office
