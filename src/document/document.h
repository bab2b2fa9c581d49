#pragma once
// The one document: the file it belongs to, whether it has unsaved changes (with a
// notification for those who show either), the form of its file, and what was last read
// or written at its name. Its text lives in the text box.

#include "platform/file_service.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// How the document's file holds its text.
struct DocumentFormat {
    enum Kind { Tam, Unicode };
    enum LineEnd { Lf, CrLf, Cr };
    Kind kind = Tam;
    bool byteOrderMark = false;  // Unicode: the file starts with one
    LineEnd lineEnd = Lf;        // Unicode: how its lines end
    bool finalLineEnd = true;    // Unicode: its last line ends with one too

    std::string_view lineEndBytes() const { return lineEnd == CrLf ? "\r\n" : lineEnd == Cr ? "\r" : "\n"; }

    bool operator==(const DocumentFormat&) const = default;
};

inline constexpr std::string_view ApplicationTitle = "Orvane";

// "Orvane [ path ]", or "Orvane [ Untitled.tam ]" for a document without a file.
std::string documentCaption(const std::string& fileName);

class Document {
public:
    const std::string& DocumentFileName() const { return fileName; }  // empty: no file
    bool DocumentChanged() const { return changed; }

    void setDocumentFileName(std::string name);
    void setDocumentChanged(bool value);

    // Called after the name or the changed flag changed.
    void observe(std::function<void()> observer) { observers.push_back(std::move(observer)); }

    DocumentFormat format;
    FileIdentity onDisk;            // what was last read or written at its name (a new name clears it)
    int keepLinks = -1;             // a hard-linked file: 1 written into, 0 replaced, -1 not asked

private:
    void notify();

    std::string fileName;
    bool changed = false;
    std::vector<std::function<void()>> observers;
};

} // namespace orvane
