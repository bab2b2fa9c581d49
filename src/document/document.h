#pragma once
// The one document: the file it belongs to, whether it has unsaved changes, the form of its
// file, and what was last read or written at its name; each with a notice for those who
// show or keep it, and its text: the document's bytes, which the text box shows.

#include "document/text_storage.h"
#include "platform/file_service.h"
#include "platform/services.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

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

// The name a document without a file goes by: "Untitled.tam", or "Untitled.txt" for
// Unicode text, as Save would offer it.
std::string untitledName(DocumentFormat::Kind kind);
// "Orvane [ path ]", or "Orvane [ Untitled.tam ]" for a document without a file.
std::string documentCaption(const std::string& fileName, DocumentFormat::Kind kind = DocumentFormat::Tam);

// Something that changed, told to those who subscribed; a subscription ends when its handle
// goes, whichever of the two goes first.
class Notice {
public:
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        ~Subscription();

    private:
        friend class Notice;
        std::weak_ptr<std::map<int, std::function<void()>>> observers;
        int id = 0;
    };

    [[nodiscard]] Subscription subscribe(std::function<void()> observer);
    void notify() const;

private:
    std::shared_ptr<std::map<int, std::function<void()>>> observers = std::make_shared<std::map<int, std::function<void()>>>();
    int next = 0;
};

class Document final : public ChangeMarker {
public:
    const std::string& DocumentFileName() const { return fileName; }  // empty: no file
    bool DocumentChanged() const { return changed; }
    const DocumentFormat& format() const { return form; }
    const FileIdentity& onDisk() const { return disk; }
    // Its file's name, or the untitled name of its form: what every message and title shows.
    std::string shownName() const { return fileName.empty() ? untitledName(form.kind) : fileName; }

    void setDocumentFileName(std::string name);
    void setDocumentChanged(bool value);
    void setFormat(const DocumentFormat& format);
    void setOnDisk(const FileIdentity& identity);
    // The one place a change of the text is told: a key the filter took, or any edit.
    void markDocumentChanged() override { setDocumentChanged(true); }

    Notice nameChanged;      // DocumentFileName
    Notice changedChanged;   // DocumentChanged
    Notice formatChanged;
    Notice diskChanged;      // onDisk: read from or written to its file

    int keepLinks = -1;  // a hard-linked file: 1 written into, 0 replaced, -1 not asked
    // The text, as its bytes (Tamil codes, CR LF between lines, other text between its
    // marks): what is saved, searched, counted and kept for recovery. The text box edits it
    // and shows it.
    TextStorage text;

private:
    std::string fileName;
    bool changed = false;
    DocumentFormat form;
    FileIdentity disk;
};

} // namespace orvane
