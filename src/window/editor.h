#pragma once
// The editor: the text box with its composer, and the document it shows, with the flows
// that read and write it and the recovery file that keeps unsaved work. Form1 is the
// window around it.

#include "document/document.h"
#include "document/document_flows.h"
#include "office/office_importer.h"
#include "document/recovery.h"
#include "phonetic/typing.h"
#include "phonetic/tables.h"
#include "platform/qt_services.h"
#include "platform/services.h"
#include "platform/work_queue.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class QMimeData;
class QProgressDialog;
class QWidget;

namespace orvane {

class StatusPanelBar;
class TextBox;

struct EditorServices {
    FileDialog& cmdlg;
    MessageBox& messages;
    FileService& files;
    RecoveryStore& recovery;
};

class Editor final : public QObject, private DocumentView {
    Q_OBJECT
public:
    // window shows the caption; panels are status panels 1 to 3.
    Editor(QWidget* window, StatusPanelBar& panels, EditorServices services);
    ~Editor() override;

    TextBox* const Text1;
    CompositionTables tables;
    const Composer& composer() const { return typing->composer(); }
    const Typing& keys() const { return *typing; }
    Document& document() { return document_; }
    const Document& document() const { return document_; }
    DocumentFlows& flows() { return flows_; }
    RecoveryKeeper& recovery() { return recovery_; }

    void focusText() override;

    void CopyCommand();
    void CutCommand();
    void PasteCommand();
    // Typing English: keys go in as themselves, with no composer, as other text. Kept for
    // the window, not in the file.
    bool typesEnglish() const { return english; }
    void setEnglishTyping(bool on);
    // The keyboard Tamil is typed with (the phonetic composer, Tamil99, the Bamini
    // typewriter), for the text box and the find fields; choosing one ends English typing.
    Keyboard keyboard() const { return typing->keyboard(); }
    void setKeyboard(Keyboard keyboard);
    // Edit > Paste as English, Paste as Bamini: the clipboard's plain text read as the user
    // says, whatever it looks like.
    enum class PasteAs { TheTextSays, English, Bamini };
    void PasteAs(enum PasteAs as);
    std::optional<std::string> readPasted(const QMimeData* source, enum PasteAs as);
    // Bytes about to enter the document, as the document takes them: the same, their Tamil
    // alone, or nothing (the user would rather not); see DocumentFlows::admitOtherText.
    std::optional<std::string> admitted(std::string bytes);
    void CopyAsUnicode();
    // Edit > Go to Line: asks which, and puts the caret there.
    void GoToLine();
    // Edit > Word Count: words, Tamil letters, characters and lines of the selection, or
    // of the document when nothing is selected.
    void WordCount();

signals:
    void englishTypingChanged(bool on);
    void keyboardChanged(Keyboard keyboard);

public:
    void FontBigger();
    void FontSmaller();
    // The font size of Text1 in 1/10000 point, as the font-size commands step it.
    qint64 fontSizeTenThousandths() const;
    void setFontSize(qint64 tenThousandths);
    static constexpr qint64 LargestFontSize = 400 * 10000;
    static constexpr qint64 SmallestSteppedFontSize = 5 * 10000;

    // Autosave: a few seconds after the last change, and at least every so often while
    // the typing goes on.
    void setRecoveryDelays(int afterPauseMs, int atMostMs);

    // A signal ends the program: unsaved work goes to the recovery file first, unless the
    // box is being filled, when the file from before holds the work.
    void keepUnsavedWork();

    // Keys pressed from now on are held, and given to the window in order once the events
    // waiting now are handled after releaseKeys(); a large document's reading holds them
    // too, and releases them when it has none held from before.
    void holdKeys();
    void releaseKeys();

    // A large document is being read into the box; stopLoading() stops it.
    bool isLoading() const { return loading != nullptr; }
    void stopLoading();

private:
    std::string documentText() override;
    bool setDocumentText(std::string_view bytes, bool mayStop) override;
    bool takeDocumentText(std::string bytes, bool mayStop) override;
    ByteSource documentSource() override;
    std::size_t documentLineCount() override;
    std::size_t textLength() override;
    std::string textBetween(std::size_t from, std::size_t to) override;
    std::size_t pieceEnd(std::size_t from, std::size_t atLeast) override;
    bool replaceText(std::size_t at, std::size_t removed, std::string_view bytes) override;
    bool editText(std::size_t at, std::size_t removed, std::string_view bytes) override;
    void setCaption(std::string_view caption) override;
    void showNote(const Message& message) override;
    KeyEffect keyEffect(int code, const QString& text);
    void scheduleRecovery();

    QWidget* window;
    StatusPanelBar& panels;
    QString consonantShown;  // panel 1, as the box's characters
    MessageBox& messages;
    Document document_;
    office::OfficeImporter importer;  // Word documents opened as their text
    DocumentFlows flows_;
    WorkerThread recoveryDisk;  // the recovery file's writes, off the window's thread
    QtLater later;
    RecoveryKeeper recovery_;
    std::unique_ptr<Typing> typing;
    bool english = false;
    bool quietEdits = false;  // text replaced by the program, not edited by the user
    QProgressDialog* loading = nullptr;
    std::shared_ptr<class HeldKeys> heldKeys;
    int desktopFlashTime = 0;
    void holdLongParagraphs(bool longOnes);
    bool holdingLong = false;
    QTimer recoveryTimer;
    QElapsedTimer unsavedSince;  // valid while a change waits for the recovery file
    int recoveryDelayMs = 2000;
    int recoveryMaxDelayMs = 20000;
    std::vector<Notice::Subscription> subscriptions;
};

} // namespace orvane
