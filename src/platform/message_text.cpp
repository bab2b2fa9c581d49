#include "platform/message_text.h"

#include <QCoreApplication>
#include <QStringList>

namespace orvane {

namespace {
QString tr(const char* text) { return QCoreApplication::translate("Messages", text); }
} // namespace

QString messageTitle(const Message& message)
{
    switch (message.id) {
    case MessageId::OpenFailed:
    case MessageId::ReloadChanged:
    case MessageId::OverLineLimit:
    case MessageId::OutOfMemory:
    case MessageId::UnicodeOpened:
    case MessageId::UnicodeLossy:
    case MessageId::LongParagraph:
        return tr("Open");
    case MessageId::ExportFailed:
    case MessageId::PdfFailed:
        return tr("Export");
    case MessageId::RestorePrompt:
    case MessageId::RestoreDiscard:
    case MessageId::RecoveryUnwritable:
    case MessageId::RecoveryUnreadable:
        return tr("Recovery");
    case MessageId::PasteOutOfMemory:
        return tr("Paste");
    case MessageId::CountDocument:
    case MessageId::CountSelection:
        return tr("Word Count");
    default:
        return tr("Save");
    }
}

QString messageText(const Message& message)
{
    QString text;
    switch (message.id) {
    case MessageId::UnsavedPrompt:
        text = tr("You have not saved the Document.  Do you want to save it now");
        break;
    case MessageId::SaveFailed:
        text = tr("The document could not be saved to\n%1\n\n%2.\n\nYour text is still here with its changes. "
                  "Save it somewhere else.");
        break;
    case MessageId::OpenFailed:
        text = tr("The file\n%1\ncould not be opened: %2.");
        break;
    case MessageId::ExportFailed:
        text = tr("The Unicode text could not be written to\n%1\n\n%2.");
        break;
    case MessageId::PdfFailed:
        text = tr("The PDF could not be written to\n%1\n\n%2.");
        break;
    case MessageId::ReplaceExisting:
        text = tr("%1\nalready exists. Do you want to replace it?");
        break;
    case MessageId::ChangedOnDisk:
        text = tr("Another program has changed\n%1\nsince Orvane opened or saved it.\n\nSave over those changes?");
        break;
    case MessageId::ReplacedOnDisk:
        text = tr("%1\nis no longer the file Orvane opened: another program has replaced or moved it.\n\n"
                  "Save your text under this name anyway?");
        break;
    case MessageId::ReloadChanged:
        text = tr("Another program has changed\n%1\n\nLoad the new version?");
        break;
    case MessageId::FileGoneOnExit:
        text = tr("The file\n%1\nno longer exists: the text in Orvane is the only copy.\n\nSave it now?");
        break;
    case MessageId::OverSizeLimit:
        text = tr("Saved, %1 would be a file of %2 MB, larger than the %3 MB Orvane opens: "
                  "Orvane could not open it again.\n\nSave it anyway?");
        break;
    case MessageId::HardLinks:
        text = tr("%1\nhas other names (hard links): %2.\n\nYes writes into the file itself, so that every "
                  "name shows the new text. No saves a new file under this name only.");
        break;
    case MessageId::NameUnusable:
        text = tr("The name\n%1\ncannot be used: it holds bytes that could not be read as text. "
                  "Choose another name.");
        break;
    case MessageId::RestorePrompt:
        text = tr("Orvane closed before %1 was saved. Restore the unsaved text?");
        break;
    case MessageId::RestoreDiscard:
        text = tr("The unsaved text of %1 will be deleted for good.\n\nDelete it?");
        break;
    case MessageId::RecoveryUnwritable:
        text = tr("Orvane cannot keep a recovery copy of your unsaved text in\n%1\n\n%2.\n\n"
                  "Until that is mended, save your work often.");
        break;
    case MessageId::RecoveryUnreadable:
        text = tr("The recovery file of an earlier run\n%1\ncannot be read: %2. It was moved to\n%3");
        break;
    case MessageId::UnicodeOpened:
        text = tr("%1 is Unicode text: shown in Tamil codes, saved back as Unicode.");
        break;
    case MessageId::UnicodeLossy:
        text = tr("The Unicode text\n%1\nholds %2 characters that a Tamil document cannot hold. "
                  "They will be shown as \"?\", and saving writes \"?\" in their place.\n\nOpen it anyway?");
        break;
    case MessageId::LongParagraph:
        text = tr("The file\n%1\nhas a paragraph of %2 KB without a line end. Orvane is slow to edit "
                  "paragraphs that long.\n\nOpen it anyway?");
        break;
    case MessageId::OverLineLimit:
        text = tr("The file\n%1\ncould not be opened: it has %2 lines, and Orvane holds at most %3.");
        break;
    case MessageId::OutOfMemory:
        text = tr("The file\n%1\ncould not be opened: there is not enough memory for it.");
        break;
    case MessageId::PasteOutOfMemory:
        text = tr("The text could not be pasted: there is not enough memory for it.");
        break;
    case MessageId::CountDocument:
        text = tr("The document has\n\n%1 words\n%2 Tamil letters\n%3 characters\n%4 lines");
        break;
    case MessageId::CountSelection:
        text = tr("The selection has\n\n%1 words\n%2 Tamil letters\n%3 characters\n%4 lines");
        break;
    }
    // All at once, so that a "%2" inside a file name stays as it is.
    QStringList a;
    for (const std::string& arg : message.args)
        a << QString::fromStdString(printableName(arg));
    switch (a.size()) {
    case 0: return text;
    case 1: return text.arg(a[0]);
    case 2: return text.arg(a[0], a[1]);
    case 3: return text.arg(a[0], a[1], a[2]);
    default: return text.arg(a[0], a[1], a[2], a[3]);
    }
}

} // namespace orvane
