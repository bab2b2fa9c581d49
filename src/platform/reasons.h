#pragma once
// The reasons the program gives of its own, each named once with the values it takes: the file
// services, the document, recovery, the office documents and the batch modes give them (say),
// and the window shows each in the interface's language from this same table
// (platform/message_text.cpp). The system's own reasons (strerror) come in the system's language.

// Marks a text for the translation without any of Qt (lupdate reads the mark); the same
// definition as Qt's own, so that the two never clash.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

#include <iterator>
#include <string>
#include <string_view>

namespace orvane {

enum class Reason : unsigned char {
    Folder, NotRegular, TooLarge, ChangedWhileRead, CutShort, Damaged, NotRecovery, NotFolder, NoMemory,
    Newer, TooManyLines, OtherUsers, OthersMayChange, NoHome,
    // The office documents'.
    OldBinaryWord, NotWord, NotOpenDocument, ZipWithoutDocument, NotZip, UnreadableArchive, Encrypted,
    RtfBinPastEnd,
    // The batch modes'.
    LooksLike, WouldBeLarger, WouldBeLargerThanOpens, SameFile,
    // A PDF's.
    PdfDamaged, PdfLocked, PdfUnavailable,
    // The zip module's.
    ZipUnavailable,
};

namespace reasons {

struct Words {
    Reason reason;
    int values;  // how many %n it holds
    const char* text;
};

// In the order of Reason.
inline constexpr Words Table[] = {
    {Reason::Folder, 0, QT_TRANSLATE_NOOP("Messages", "it is a folder")},
    {Reason::NotRegular, 0, QT_TRANSLATE_NOOP("Messages", "it is not a regular file")},
    {Reason::TooLarge, 1, QT_TRANSLATE_NOOP("Messages", "it is larger than %1 MB")},
    {Reason::ChangedWhileRead, 0, QT_TRANSLATE_NOOP("Messages", "it changed while it was read")},
    {Reason::CutShort, 0, QT_TRANSLATE_NOOP("Messages", "it is cut short")},
    {Reason::Damaged, 0, QT_TRANSLATE_NOOP("Messages", "it is damaged")},
    {Reason::NotRecovery, 0, QT_TRANSLATE_NOOP("Messages", "it is not an Orvane recovery file")},
    {Reason::NotFolder, 0, QT_TRANSLATE_NOOP("Messages", "it is not a folder")},
    {Reason::NoMemory, 0, QT_TRANSLATE_NOOP("Messages", "there is not enough memory")},
    {Reason::Newer, 0, QT_TRANSLATE_NOOP("Messages", "it was written by a newer Orvane")},
    {Reason::TooManyLines, 1, QT_TRANSLATE_NOOP("Messages", "it has more than %1 lines")},
    {Reason::OtherUsers, 0, QT_TRANSLATE_NOOP("Messages", "it belongs to another user")},
    {Reason::OthersMayChange, 0, QT_TRANSLATE_NOOP("Messages", "it is inside a folder that other users may change")},
    {Reason::NoHome, 0, QT_TRANSLATE_NOOP("Messages", "there is no home folder to keep it in")},
    {Reason::OldBinaryWord, 0, QT_TRANSLATE_NOOP("Messages", "it is an old binary Word document (.doc); save it as .docx first")},
    {Reason::NotWord, 0, QT_TRANSLATE_NOOP("Messages", "it is not a Word document (it has no word/document.xml)")},
    {Reason::NotOpenDocument, 0, QT_TRANSLATE_NOOP("Messages", "it is not an OpenDocument text (it has no content.xml)")},
    {Reason::ZipWithoutDocument, 0,
     QT_TRANSLATE_NOOP("Messages", "it is a zip archive but no Word or OpenDocument text (it has no word/document.xml)")},
    // With the zip library's own words (in English, as the system's are in its language).
    {Reason::NotZip, 1, QT_TRANSLATE_NOOP("Messages", "it is not a readable zip archive (%1)")},
    {Reason::UnreadableArchive, 1, QT_TRANSLATE_NOOP("Messages", "it is a zip archive that cannot be read as a document: %1")},
    {Reason::Encrypted, 0, QT_TRANSLATE_NOOP("Messages", "it is encrypted; save it without a password first")},
    {Reason::RtfBinPastEnd, 0, QT_TRANSLATE_NOOP("Messages", "it is damaged (\\bin runs past its end)")},
    // With what the input looks like ("a PDF document").
    {Reason::LooksLike, 1, QT_TRANSLATE_NOOP("Messages", "it looks like %1, not text")},
    {Reason::WouldBeLarger, 1, QT_TRANSLATE_NOOP("Messages", "it would be larger than %1 MB (--large writes it all the same)")},
    {Reason::WouldBeLargerThanOpens, 1,
     QT_TRANSLATE_NOOP("Messages", "it would be larger than %1 MB, which the editor does not open (--large writes it all the "
                                   "same)")},
    {Reason::SameFile, 0, QT_TRANSLATE_NOOP("Messages", "OUTPUT is the same file; name another")},
    {Reason::PdfDamaged, 0, QT_TRANSLATE_NOOP("Messages", "it looks like a PDF document, but it cannot be read (damaged?)")},
    {Reason::PdfLocked, 0, QT_TRANSLATE_NOOP("Messages", "it is locked with a password")},
    // With why the PDF module did not load.
    {Reason::PdfUnavailable, 1, QT_TRANSLATE_NOOP("Messages", "PDFs cannot be read here: %1")},
    // With why the zip module did not load.
    {Reason::ZipUnavailable, 1, QT_TRANSLATE_NOOP("Messages", "word-processor documents cannot be read or written here: %1")},
};

constexpr bool inOrder()
{
    for (int i = 0; i < int(std::size(Table)); ++i)
        if (int(Table[i].reason) != i)
            return false;
    return true;
}
static_assert(inOrder(), "the table holds every reason, in the order of Reason");

constexpr const char* text(Reason r) { return Table[int(r)].text; }
constexpr int values(Reason r) { return Table[int(r)].values; }

// A reason in words: one without a value, or one with its value in the place of its %1.
template <Reason R>
std::string say()
{
    static_assert(values(R) == 0, "this reason takes a value");
    return text(R);
}
template <Reason R>
std::string say(std::string_view value)
{
    static_assert(values(R) == 1, "this reason takes no value");
    std::string words(text(R));
    const std::size_t at = words.find("%1");
    return words.replace(at, 2, value);
}

} // namespace reasons
} // namespace orvane
