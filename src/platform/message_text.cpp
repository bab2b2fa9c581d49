#include "platform/message_text.h"

#include "platform/reasons.h"

#include <QCoreApplication>
#include <QStringList>

#include <iterator>

namespace orvane {

namespace {
QString tr(const char* text) { return QCoreApplication::translate("Messages", text); }

// The reasons the program gives of its own (platform/reasons.h) in the interface's language.
QString argument(const std::string& arg)
{
    const QString text = QString::fromStdString(printableName(arg));
    for (const reasons::Words& words : reasons::Table) {
        const std::string_view own = words.text;
        // A reason with a value (a limit's number) matches around the place of its %1.
        const std::size_t at = own.find("%1");
        if (at == std::string_view::npos ? arg == own
                                         : arg.size() > own.size() - 2 && arg.starts_with(own.substr(0, at))
                                               && arg.ends_with(own.substr(at + 2)))
            return at == std::string_view::npos
                       ? tr(own.data())
                       : tr(own.data()).arg(QString::fromStdString(arg.substr(at, arg.size() - (own.size() - 2))));
    }
    return text;
}

// Each message's title and words, in the order of MessageId.
struct Words {
    MessageId id;
    const char* title;
    const char* text;
};
constexpr const char* OpenTitle = QT_TRANSLATE_NOOP("Messages", "Open");
constexpr const char* ExportTitle = QT_TRANSLATE_NOOP("Messages", "Export");
constexpr const char* PrintTitle = QT_TRANSLATE_NOOP("Messages", "Print");
constexpr const char* RecoveryTitle = QT_TRANSLATE_NOOP("Messages", "Recovery");
constexpr const char* PasteTitle = QT_TRANSLATE_NOOP("Messages", "Paste");
constexpr const char* CountTitle = QT_TRANSLATE_NOOP("Messages", "Word Count");
constexpr const char* SaveTitle = QT_TRANSLATE_NOOP("Messages", "Save");
constexpr const char* EnglishTitle = QT_TRANSLATE_NOOP("Messages", "Type English");
constexpr const char* ConvertTitle = QT_TRANSLATE_NOOP("Messages", "Convert Document");

constexpr Words AllWords[] = {
    {MessageId::UnsavedPrompt, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "You have not saved the Document.  Do you want to save it now")},
    {MessageId::SaveFailed, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "The document could not be saved to\n%1\n\n%2.\n\nYour text is still here with its changes. "
                  "Save it somewhere else.")},
    {MessageId::OpenFailed, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "The file\n%1\ncould not be opened: %2.")},
    {MessageId::ExportFailed, ExportTitle,
     QT_TRANSLATE_NOOP("Messages", "The Unicode text could not be written to\n%1\n\n%2.")},
    {MessageId::PdfFailed, ExportTitle,
     QT_TRANSLATE_NOOP("Messages", "The PDF could not be written to\n%1\n\n%2.")},
    {MessageId::PrintUnavailable, PrintTitle,
     QT_TRANSLATE_NOOP("Messages", "Printing and PDF export are not available: %1.")},
    {MessageId::ReplaceExisting, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "%1\nalready exists. Do you want to replace it?")},
    {MessageId::ChangedOnDisk, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "Another program has changed\n%1\nsince Orvane opened or saved it.\n\nSave over those changes?")},
    {MessageId::ReplacedOnDisk, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "%1\nis no longer the file Orvane opened: another program has replaced or moved it.\n\n"
                  "Save your text under this name anyway?")},
    {MessageId::ReloadChanged, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "Another program has changed\n%1\n\nLoad the new version?")},
    {MessageId::FileGoneOnExit, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "The file\n%1\nno longer exists: the text in Orvane is the only copy.\n\nSave it now?")},
    {MessageId::OverSizeLimit, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "Saved, %1 would be a file of %2 MB, larger than the %3 MB Orvane opens: "
                  "Orvane could not open it again.\n\nSave it anyway?")},
    {MessageId::HardLinks, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "%1\nhas other names (hard links): %2.\n\nYes writes into the file itself, so that every "
                  "name shows the new text. No saves a new file under this name only.")},
    {MessageId::NameUnusable, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "The name\n%1\ncannot be used: it holds bytes that could not be read as text. "
                  "Choose another name.")},
    {MessageId::RestorePrompt, RecoveryTitle,
     QT_TRANSLATE_NOOP("Messages", "Orvane closed before %1 was saved. Restore the unsaved text?")},
    {MessageId::RestoreDiscard, RecoveryTitle,
     QT_TRANSLATE_NOOP("Messages", "The unsaved text of %1 will be deleted for good.\n\nDelete it?")},
    {MessageId::RecoveryUnwritable, RecoveryTitle,
     QT_TRANSLATE_NOOP("Messages", "Orvane cannot keep a recovery copy of your unsaved text in\n%1\n\n%2.\n\n"
                  "Until that is mended, save your work often.")},
    {MessageId::RecoveryUnreadable, RecoveryTitle,
     QT_TRANSLATE_NOOP("Messages", "The recovery file of an earlier run\n%1\ncannot be read: %2. It was moved to\n%3")},
    {MessageId::RestoreRefused, RecoveryTitle,
     QT_TRANSLATE_NOOP("Messages", "The unsaved text of %1 could not be restored: %2.\n\nIt is kept, as it was, in\n%3")},
    {MessageId::DocumentImported, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "%1: its text, without formatting")},
    {MessageId::UnicodeOpened, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "%1: Unicode text, kept as it is")},
    {MessageId::UnicodeLossy, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "The Unicode text\n%1\nholds characters that a Tamil document cannot hold (%2 in all). "
                                               "They will be shown as \"?\", and saving writes \"?\" in their place.\n\nOpen it anyway?")},
    {MessageId::UnicodeDrawnAs, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "The Unicode text\n%1\nholds syllables that Bamini has no letter for (%2 in all: "
                                               "ஙு ஙூ ஞு ஞூ ஷு ஷூ). They will be shown without their vowel sign, "
                                               "and saving writes them so.\n\nOpen it anyway?")},
    {MessageId::LongParagraph, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "The file\n%1\nhas a paragraph of %2 KB without a line end. Orvane is slow to edit "
                  "paragraphs that long.\n\nOpen it anyway?")},
    {MessageId::OverLineLimit, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "The file\n%1\ncould not be opened: it has %2 lines, and Orvane holds at most %3.")},
    {MessageId::OverLineLimitOnSave, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "Saved, %1 would have %2 lines, more than the %3 Orvane opens: "
                  "Orvane could not open it again.\n\nSave it anyway?")},
    {MessageId::OutOfMemory, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "The file\n%1\ncould not be opened: there is not enough memory for it.")},
    {MessageId::OpenStopped, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "Opening %1 stopped")},
    {MessageId::PasteOutOfMemory, PasteTitle,
     QT_TRANSLATE_NOOP("Messages", "The text could not be pasted: there is not enough memory for it.")},
    {MessageId::CountDocument, CountTitle,
     QT_TRANSLATE_NOOP("Messages", "Counted in the whole document:\n\nWords: %1\nTamil letters: %2\nCharacters: %3\nLines: %4")},
    {MessageId::CountSelection, CountTitle,
     QT_TRANSLATE_NOOP("Messages", "Counted in the selection only:\n\nWords: %1\nTamil letters: %2\nCharacters: %3\nLines: %4")},
    {MessageId::OtherTextEnters, EnglishTitle,
     QT_TRANSLATE_NOOP("Messages", "%1 is a .tam file, which holds Tamil only: every byte of it is a Tamil letter in a "
                                   "Bamini font.\n\nKeep the document as Unicode text from now on, so that the English "
                                   "stays English? Saved, it becomes\n%2\n\nYes keeps it as Unicode text. No leaves the "
                                   "English out.")},
    {MessageId::OtherTextLeftOut, SaveTitle,
     QT_TRANSLATE_NOOP("Messages", "%1\nis a .tam file, which holds Tamil only. The English in the document will be left "
                                   "out of it, and out of the document.\n\nSave it so?")},
    {MessageId::RestoredInPart, RecoveryTitle,
     QT_TRANSLATE_NOOP("Messages", "Only part of the last changes to %1 could be read back: %2. The text is restored "
                                   "as far as it could be read; look it over before you save it.")},
    {MessageId::ConvertWhichWay, ConvertTitle,
     QT_TRANSLATE_NOOP("Messages", "Convert the Bamini text of\n%1\nto Unicode Tamil?\n\nNo converts its Unicode Tamil back to Bamini codes.")},
    {MessageId::ConvertFailed, ConvertTitle,
     QT_TRANSLATE_NOOP("Messages", "The document\n%1\ncould not be converted: %2.")},
    {MessageId::EnglishInTamil, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "English words: %1 (see Edit)")},
    {MessageId::EnglishKept, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "English kept: %1; saved as %2")},
    {MessageId::NoEnglishFound, OpenTitle,
     QT_TRANSLATE_NOOP("Messages", "No English words here")},
};

constexpr bool inOrder()
{
    for (std::size_t i = 0; i < std::size(AllWords); ++i)
        if (AllWords[i].id != MessageId(i))
            return false;
    return std::size(AllWords) == std::size_t(MessageId::NoEnglishFound) + 1;
}
static_assert(inOrder(), "every message has its words, in the order of MessageId");

const Words& wordsOf(MessageId id) { return AllWords[std::size_t(id)]; }
} // namespace

QString messageTitle(const Message& message) { return tr(wordsOf(message.id).title); }

QString messageText(const Message& message)
{
    const QString text = tr(wordsOf(message.id).text);
    // All at once, so that a "%2" inside a file name stays as it is.
    QStringList a;
    for (const std::string& arg : message.args)
        a << argument(arg);
    switch (a.size()) {
    case 0: return text;
    case 1: return text.arg(a[0]);
    case 2: return text.arg(a[0], a[1]);
    case 3: return text.arg(a[0], a[1], a[2]);
    default: return text.arg(a[0], a[1], a[2], a[3]);
    }
}

} // namespace orvane
