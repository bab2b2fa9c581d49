#pragma once
// A stretch of the document as the clipboard (and the X selection) carries it: its exact
// bytes for Orvane, so that a lone LF or a run of English pastes back as itself; plain text
// for other programs (a Unicode document's Unicode, a .tam document's codes as they are); and
// HTML of its Unicode, which browsers, mail and word processors read as Tamil. The text and
// the HTML are made when another program asks for them, not with every selection.

#include <QMimeData>

#include <string>

namespace orvane {

class DocumentMimeData : public QMimeData {
public:
    static constexpr const char* BytesMimeType = "application/x-orvane-bytes";
    DocumentMimeData(std::string bytes, bool unicodeDocument);
    QStringList formats() const override;
    bool hasFormat(const QString& type) const override;

protected:
    QVariant retrieveData(const QString& type, QMetaType preferred) const override;

private:
    const std::string bytes;
    const bool unicodeDocument;
};

// The first local file a drag carries, as the bytes of its name; empty for none. A file
// dropped is opened, not typed in as its name.
std::string droppedFile(const QMimeData* data);

} // namespace orvane
