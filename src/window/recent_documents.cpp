#include "window/recent_documents.h"

#include "document/document_flows.h"
#include "platform/messages.h"
#include "window/remembered.h"

#include <QMenu>

#include <cerrno>
#include <cstring>

namespace orvane {

RecentDocuments::RecentDocuments(QMenu* menu, Remembered& remembered, Document& document, DocumentFlows& flows,
                                 FileService& files, MessageBox& messages)
    : QObject(menu), menu(menu), remembered(remembered), flows(flows), files(files), messages(messages)
{
    // An opened or saved document goes to the top of the list.
    readOrWritten = document.diskChanged.subscribe([this, &document] {
        if (document.onDisk().exists && !document.DocumentFileName().empty()) {
            this->remembered.addRecent(document.DocumentFileName());
            rebuild();
        }
    });
    rebuild();
}

void RecentDocuments::rebuild()
{
    menu->clear();
    for (const std::string& path : remembered.recent()) {
        QAction* open = menu->addAction(QString::fromStdString(printableName(path)));
        connect(open, &QAction::triggered, this, [this, path] {
            if (!files.identify(path).exists) {
                // Gone since: said, and no longer offered.
                messages.warn({MessageId::OpenFailed, {path, std::strerror(ENOENT)}});
                remembered.removeRecent(path);
                rebuild();
                return;
            }
            flows.openFile(path);
        });
    }
    menu->setEnabled(!menu->isEmpty());
}

} // namespace orvane
