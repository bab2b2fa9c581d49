#pragma once
// The reasons the program gives of its own, each named once: the file services, the document,
// recovery and the office documents give them, and the window shows each in the interface's
// language (platform/message_text.cpp reads this same table). The system's own reasons
// (strerror) come in the system's language.

// Marks a text for the translation without any of Qt (lupdate reads the mark); the same
// definition as Qt's own, so that the two never clash.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

#include <string>
#include <string_view>

namespace orvane::reasons {

inline constexpr const char* Folder = QT_TRANSLATE_NOOP("Messages", "it is a folder");
inline constexpr const char* NotRegular = QT_TRANSLATE_NOOP("Messages", "it is not a regular file");
// With its number, from the limit itself (with below).
inline constexpr const char* TooLarge = QT_TRANSLATE_NOOP("Messages", "it is larger than %1 MB");
inline constexpr const char* ChangedWhileRead = QT_TRANSLATE_NOOP("Messages", "it changed while it was read");
inline constexpr const char* CutShort = QT_TRANSLATE_NOOP("Messages", "it is cut short");
inline constexpr const char* Damaged = QT_TRANSLATE_NOOP("Messages", "it is damaged");
inline constexpr const char* NotRecovery = QT_TRANSLATE_NOOP("Messages", "it is not an Orvane recovery file");
inline constexpr const char* NotFolder = QT_TRANSLATE_NOOP("Messages", "it is not a folder");
inline constexpr const char* NoMemory = QT_TRANSLATE_NOOP("Messages", "there is not enough memory");
inline constexpr const char* Newer = QT_TRANSLATE_NOOP("Messages", "it was written by a newer Orvane");
inline constexpr const char* TooManyLines = QT_TRANSLATE_NOOP("Messages", "it has more than %1 lines");
inline constexpr const char* OtherUsers = QT_TRANSLATE_NOOP("Messages", "it belongs to another user");
inline constexpr const char* OthersMayChange = QT_TRANSLATE_NOOP("Messages", "it is inside a folder that other users may change");
inline constexpr const char* NoHome = QT_TRANSLATE_NOOP("Messages", "there is no home folder to keep it in");
// The office documents'.
inline constexpr const char* OldBinaryWord =
    QT_TRANSLATE_NOOP("Messages", "it is an old binary Word document (.doc); save it as .docx first");
inline constexpr const char* NotWord = QT_TRANSLATE_NOOP("Messages", "it is not a Word document (it has no word/document.xml)");
inline constexpr const char* NotOpenDocument =
    QT_TRANSLATE_NOOP("Messages", "it is not an OpenDocument text (it has no content.xml)");
inline constexpr const char* ZipWithoutDocument =
    QT_TRANSLATE_NOOP("Messages", "it is a zip archive but no Word or OpenDocument text (it has no word/document.xml)");
// With the zip library's own words (in English, as the system's are in its language).
inline constexpr const char* NotZip = QT_TRANSLATE_NOOP("Messages", "it is not a readable zip archive (%1)");
inline constexpr const char* UnreadableArchive =
    QT_TRANSLATE_NOOP("Messages", "it is a zip archive that cannot be read as a document: %1");
inline constexpr const char* Encrypted = QT_TRANSLATE_NOOP("Messages", "it is encrypted; save it without a password first");
inline constexpr const char* RtfBinPastEnd = QT_TRANSLATE_NOOP("Messages", "it is damaged (\\bin runs past its end)");

inline constexpr const char* const All[] = {
    Folder,   NotRegular, TooLarge,         ChangedWhileRead, CutShort,    Damaged,         NotRecovery,
    NotFolder, NoMemory,  Newer,            TooManyLines,     OtherUsers,  OthersMayChange,
    NoHome,   OldBinaryWord, NotWord,       NotOpenDocument,  ZipWithoutDocument, NotZip,  UnreadableArchive,
    Encrypted, RtfBinPastEnd,
};

// A reason with its value in the place of its %1.
inline std::string with(const char* reason, std::string_view value)
{
    std::string text(reason);
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

} // namespace orvane::reasons
