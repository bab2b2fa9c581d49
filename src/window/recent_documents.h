#pragma once
// File > Recent Documents: the documents opened or saved lately, newest first, kept between
// runs; one that is gone is said so and taken off the list.

#include "document/document.h"

#include <QObject>

class QMenu;

namespace orvane {

class DocumentFlows;
class FileService;
class MessageBox;
class Remembered;

class RecentDocuments final : public QObject {
    Q_OBJECT
public:
    RecentDocuments(QMenu* menu, Remembered& remembered, Document& document, DocumentFlows& flows, FileService& files,
                    MessageBox& messages);

private:
    void rebuild();

    QMenu* menu;
    Remembered& remembered;
    DocumentFlows& flows;
    FileService& files;
    MessageBox& messages;
    Notice::Subscription readOrWritten;
};

} // namespace orvane
