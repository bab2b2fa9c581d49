#include "window/editor.h"

#include "document/english_words.h"
#include "document/other_text.h"
#include "document/search.h"
#include "document/unicode_tamil.h"
#include "platform/message_text.h"
#include "platform/qt_services.h"
#include "platform/geometry.h"
#include "platform/text_codec.h"
#include "window/tamil_font.h"
#include "window/held_keys.h"
#include "window/key_codes.h"
#include "window/status_panels.h"
#include "window/text_box.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputDialog>
#include <QMainWindow>
#include <QMimeData>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QWidget>

#include <cmath>

namespace orvane {

Editor::Editor(QWidget* window, StatusPanelBar& panels, EditorServices services)
    : Text1(new TextBox(window)),
      window(window),
      panels(panels),
      messages(services.messages),
      flows_(document_, *this, services.cmdlg, services.messages, services.files),
      recovery_(document_, *this, services.messages, services.recovery, recoveryDisk, later),
      typing(std::make_unique<Typing>(tables, panels, document_))
{
    Text1->setObjectName("Text1");
    Text1->useStorage(document_.text);
    flows_.setImporter(&importer);
    Text1->setFont(tamilFont(15.75));
    Text1->keyPressHandler = [this](int code, const QString& text) { return keyEffect(code, text); };
    // A letter Tamil99 would join stays joinable only where it was typed.
    Text1->caretMovedElsewhere = [this] {
        if (typing->keyboard() == Keyboard::Tamil99)
            typing->forgetJoining();
    };
    // The composer keeps a consonant out of the text until its vowel comes: the box draws it
    // at the caret meanwhile. The other keyboards put every letter in at once.
    panels.consonantShown = [this](std::string_view codes) {
        consonantShown = codec::toBoxText(codes);
        Text1->refreshPending();
    };
    Text1->pendingLetter = [this] {
        return typing->keyboard() == Keyboard::Phonetic && typing->composer().WaitingForVowel ? consonantShown : QString();
    };
    Text1->fileDropped = [this](const std::string& path) { flows_.openFile(path); };
    Text1->outOfMemory = [messages = &services.messages] { messages->warn({MessageId::PasteOutOfMemory, {}}); };
    Text1->readPasted = [this](const QMimeData* source) { return readPasted(source, PasteAs::TheTextSays); };

    static const int desktop = QApplication::cursorFlashTime();  // before any window changed it
    desktopFlashTime = desktop;
    // Any edit of the text is an unsaved change, however it was made.
    connect(Text1->document(), &QTextDocument::contentsChange, this, [this](int position, int removed, int added) {
        if (quietEdits || (removed == 0 && added == 0))
            return;
        if (added > 0 && !holdingLong && std::size_t(Text1->document()->findBlock(position).length()) > LongParagraphBytes)
            holdLongParagraphs(true);
        document_.markDocumentChanged();
        // Qt counts the box's own last paragraph end into an edit that reaches it.
        const int length = Text1->document()->characterCount() - 1;
        const int shown = std::max(0, std::min(added, length - position));
        recovery_.noteEdit(std::size_t(position), std::size_t(removed - (added - shown)), std::size_t(shown),
                           Text1->bytesBetween(position, position + shown));
        scheduleRecovery();
    });
    recoveryTimer.setSingleShot(true);
    connect(&recoveryTimer, &QTimer::timeout, this, [this] {
        if (loading) {
            recoveryTimer.start(recoveryDelayMs);  // the text is being replaced: later
            return;
        }
        unsavedSince.invalidate();
        recovery_.keep();
    });
    subscriptions.push_back(document_.formatChanged.subscribe(
        [this] { Text1->holdsUnicode = document_.format().kind == DocumentFormat::Unicode; }));
    // Saved, new or reloaded: no autosave is due.
    subscriptions.push_back(document_.changedChanged.subscribe([this] {
        if (!document_.DocumentChanged()) {
            recoveryTimer.stop();
            unsavedSince.invalidate();
        }
    }));
}

Editor::~Editor() { panels.consonantShown = nullptr; }

void Editor::setRecoveryDelays(int afterPauseMs, int atMostMs)
{
    recoveryDelayMs = afterPauseMs;
    recoveryMaxDelayMs = atMostMs;
}

void Editor::scheduleRecovery()
{
    if (!unsavedSince.isValid())
        unsavedSince.start();
    // Each change puts the write off until the typing pauses, but never past the limit.
    const qint64 waited = unsavedSince.elapsed();
    recoveryTimer.start(int(std::max<qint64>(0, std::min<qint64>(recoveryDelayMs, recoveryMaxDelayMs - waited))));
}

std::string Editor::documentText() { return Text1->documentBytes(); }

ByteSource Editor::documentSource()
{
    return {Text1->documentByteCount(), [this](const ByteSource::Put& put) { return Text1->writeDocumentBytes(put); }};
}

std::size_t Editor::documentLineCount() { return std::size_t(Text1->document()->blockCount()); }

std::size_t Editor::textLength() { return std::size_t(Text1->document()->characterCount() - 1); }

std::string Editor::textBetween(std::size_t from, std::size_t to) { return Text1->storedBetween(int(from), int(to)); }

std::size_t Editor::pieceEnd(std::size_t from, std::size_t atLeast)
{
    const std::size_t length = textLength();
    if (from + atLeast >= length)
        return length;
    const QTextBlock block = Text1->document()->findBlock(int(from + atLeast));
    const std::size_t next = std::size_t(block.position() + block.length());
    return std::size_t(block.position()) > from ? std::size_t(block.position()) : std::min(next, length);
}

bool Editor::replaceText(std::size_t at, std::size_t removed, std::string_view bytes)
{
    const std::size_t length = textLength();
    if (at > length)
        return false;
    quietEdits = true;
    Text1->replacePlaces(int(at), int(std::min(removed, length - at)), bytes);
    quietEdits = false;
    return true;
}

bool Editor::editText(std::size_t at, std::size_t removed, std::string_view bytes)
{
    const std::size_t length = textLength();
    if (at > length)
        return false;
    removed = std::min(removed, length - at);
    const int anchor = Text1->textCursor().anchor(), position = Text1->textCursor().position();
    QTextCursor cursor(Text1->document());
    cursor.beginEditBlock();
    cursor.setPosition(int(at));
    cursor.setPosition(int(at + removed), QTextCursor::KeepAnchor);
    Text1->setTextCursor(cursor);
    Text1->replaceSelection(bytes);  // the box's own edit: the journal and the changed flag follow it
    cursor.endEditBlock();
    // The caret stays where it was in the text around the edit.
    const std::ptrdiff_t grown = std::ptrdiff_t(textLength()) - std::ptrdiff_t(length);
    const auto moved = [&](int p) {
        // inside it: as far in as the new text reaches
        return std::size_t(p) < at ? p : std::size_t(p) >= at + removed ? int(p + grown) : std::min(p, int(at + removed + grown));
    };
    QTextCursor kept(Text1->document());
    kept.setPosition(moved(anchor));
    kept.setPosition(moved(position), QTextCursor::KeepAnchor);
    Text1->setTextCursor(kept);
    return true;
}

bool Editor::takeDocumentText(std::string bytes, bool mayStop)
{
    const std::string_view offered = Text1->offerBytes(std::move(bytes));
    struct Drop {
        TextBox* box;
        ~Drop() { box->offerBytes({}); }
    } drop{Text1};
    return setDocumentText(offered, mayStop);
}

bool Editor::setDocumentText(std::string_view bytes, bool mayStop)
{
    // A new text starts as the window did: no half-typed syllable, the panels as at start-up.
    typing->reset();
    recovery_.textReplaced();
    quietEdits = true;
    bool whole = true;
    if (const bool longOnes = measureText(bytes).longestParagraph > LongParagraphBytes; longOnes != holdingLong) {
        Text1->setPlainText(QString());  // the old text is not laid out again in the new way
        holdLongParagraphs(longOnes);
    }
    if (bytes.size() <= OpenInPiecesBytes) {
        Text1->setDocumentBytes(bytes);
    } else {
        // In pieces, the window painted and the clock going between them. Nothing in the
        // window is used meanwhile, and the keys pressed are held for it (a dialog modal to
        // the window would take them, and the window system drops keys for a window under one).
        QProgressDialog progress(tr("Opening the document..."), mayStop ? tr("Stop") : QString(), 0, 1000, window);
        progress.setWindowModality(Qt::NonModal);
        progress.setMinimumDuration(400);
        loading = &progress;
        // Keys pressed meanwhile are held, and go to the box once the text is in and the
        // flow that asked for it is done; Escape stops the reading.
        const bool heldHere = !heldKeys;
        holdKeys();
        const std::shared_ptr<HeldKeys> held = heldKeys;
        held->holdFor(&progress);
        if (mayStop)
            held->onEscape = [&progress] { progress.cancel(); };
        whole = Text1->setDocumentBytes(bytes, [&progress, mayStop](double done) {
            QCoreApplication::processEvents();
            progress.setValue(int(done * 1000));
            return !mayStop || !progress.wasCanceled();
        });
        held->onEscape = nullptr;
        if (heldHere)
            releaseKeys();
        loading = nullptr;
    }
    quietEdits = false;
    return whole;
}

void Editor::holdKeys()
{
    if (!heldKeys)
        heldKeys = std::make_shared<HeldKeys>(window);
    // Held keys go where the focus is when they are let go: the text, if nothing else has it
    // (the window may not have been active yet).
    if (!window->focusWidget())
        Text1->setFocus();
}

void Editor::releaseKeys()
{
    if (heldKeys)
        QMetaObject::invokeMethod(this, [held = std::move(heldKeys)] { held->release(); }, Qt::QueuedConnection);
    heldKeys.reset();
}

void Editor::holdLongParagraphs(bool longOnes)
{
    // The box lays a paragraph out whole on every change and every blink of the caret. In
    // a paragraph that long a blinking caret keeps a core busy, so it stays steady; and a
    // paragraph with no place to break between words costs its layout time that grows with
    // the square of its length, so lines break anywhere instead (the cost then grows with
    // the length alone).
    holdingLong = longOnes;
    QApplication::setCursorFlashTime(longOnes ? 0 : desktopFlashTime);
    const QTextOption::WrapMode wrap = longOnes ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (Text1->wordWrapMode() != wrap)
        Text1->setWordWrapMode(wrap);
}

void Editor::keepUnsavedWork()
{
    if (!loading)
        recovery_.keepNow();
}

void Editor::stopLoading()
{
    if (loading)
        loading->cancel();
}

void Editor::setCaption(std::string_view caption)
{
    QString title = QFile::decodeName(QByteArray(caption.data(), qsizetype(caption.size())));
    // "[*]" is Qt's placeholder for the modified mark; doubled, it shows as itself.
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    window->setWindowTitle(title);
}

void Editor::focusText() { Text1->setFocus(); }

void Editor::showNote(const Message& message) { panels.showNote(messageText(message)); }

void Editor::CopyCommand()
{
    // With nothing selected, the clipboard gets an empty text.
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setMimeData(Text1->selectionMimeData());
    focusText();
}

void Editor::CutCommand()
{
    QTextCursor cursor = Text1->textCursor();
    if (cursor.hasSelection()) {
        CopyCommand();
        cursor.removeSelectedText();
        Text1->setTextCursor(cursor);
    }
    focusText();
}

// A key in the text box: through the composer, or, while English is typed, its own character
// as other text (asking first in a .tam document).
KeyEffect Editor::keyEffect(int code, const QString& text)
{
    const bool printable = !text.isEmpty() && text.at(0).isPrint();
    if (!english || !printable || code == KeyBackspace || code == KeyEnter || code == KeyEsc) {
        const KeyEffect effect = code == NoCode ? KeyEffect{}
                                 : typing->keyboard() == Keyboard::Tamil99 ? typing->press(code, Text1->codesBeforeCaret())
                                                                           : typing->press(code);
        if (english)
            panels.setPanelText(3, {});  // English asks for no consonant
        // A vowel key at a word's start types nothing yet: the prompt's tip says why.
        const Composer& composer = typing->composer();
        const bool vowelAlone = !english && typing->keyboard() == Keyboard::Phonetic && composer.WaitingForVowel
                                && composer.ConsonantIndex == 0 && tables.vowelIndexOf(code) != 0;
        panels.showPromptHint(vowelAlone ? tr("Nothing is typed yet: a vowel on its own takes a vowel key now "
                                              "(a, then a again, gives அ).")
                                         : QString());
        return effect;
    }
    if (document_.format().kind != DocumentFormat::Unicode) {
        // The question comes in the middle of a word: what is typed meanwhile is held, never
        // an answer, and goes in after it, typed as the answer leaves the typing.
        auto typedMeanwhile = std::make_shared<HeldKeys>(window, HeldKeys::Hold::TypedText);
        const DocumentFlows::OtherText answer = flows_.admitOtherText();
        QMetaObject::invokeMethod(this, [held = std::move(typedMeanwhile)] { held->release(); }, Qt::QueuedConnection);
        if (answer != DocumentFlows::OtherText::Take) {
            setEnglishTyping(false);  // the document stays Tamil: so does the typing
            return {};
        }
    }
    KeyEffect effect{KeyEffect::Insert, {}};
    appendOther(effect.codes, text.toStdString());
    document_.markDocumentChanged();
    return effect;
}

void Editor::setEnglishTyping(bool on)
{
    if (on == english)
        return;
    english = on;
    if (on) {
        typing->reset();  // a half-typed syllable is abandoned
        panels.setPanelText(3, {});  // and no consonant is asked for
        panels.showPromptHint({});
    } else {
        typing->reset();  // the composer asks for its consonant again
    }
    emit englishTypingChanged(on);
}

void Editor::setKeyboard(Keyboard keyboard)
{
    setEnglishTyping(false);
    if (keyboard == typing->keyboard())
        return;
    typing->setKeyboard(keyboard);
    emit keyboardChanged(keyboard);
}

void Editor::PasteCommand()
{
    const QClipboard* clipboard = QApplication::clipboard();
    Text1->insertFromMimeData(clipboard ? clipboard->mimeData() : nullptr);
    focusText();
}

void Editor::PasteAs(enum PasteAs as)
{
    const QClipboard* clipboard = QApplication::clipboard();
    if (const std::optional<std::string> bytes = readPasted(clipboard ? clipboard->mimeData() : nullptr, as);
        bytes && (!bytes->empty() || Text1->textCursor().hasSelection()))
        Text1->replaceSelection(*bytes);
    focusText();
}

namespace {
// A font whose letters are laid out as Bamini's: its codes are Tamil.
bool isBaminiLayout(const QStringList& families)
{
    return std::any_of(families.begin(), families.end(),
                       [](const QString& family) { return family.contains(QLatin1String("bamini"), Qt::CaseInsensitive); });
}

std::string bytesOf(const QString& text, PastedAs as)
{
    const QByteArray utf8 = text.toUtf8();
    return pastedText(std::string_view(utf8.constData(), std::size_t(utf8.size())), as);
}

// A rich text's runs, each read by its font: Bamini codes where the font is Bamini's layout
// (Bamini copied from a word processor), Unicode elsewhere (a web page, a chat).
std::string htmlBytes(const QString& html)
{
    QTextDocument rich;
    rich.setHtml(html);
    std::string bytes;
    for (QTextBlock block = rich.begin(); block.isValid(); block = block.next()) {
        if (block != rich.begin())
            bytes += "\r\n";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment run = it.fragment();
            const QStringList families = run.charFormat().fontFamilies().toStringList();
            bytes += bytesOf(run.text(), isBaminiLayout(families) ? PastedAs::Bamini : PastedAs::Unicode);
        }
    }
    return bytes;
}
} // namespace

// What text from outside is: Orvane's own copy exactly; a rich text by its fonts; plain text
// as Unicode when it holds Tamil Unicode, else as the document's kind says. Other text
// (English) entering a .tam document is the user's to decide.
std::optional<std::string> Editor::readPasted(const QMimeData* source, enum PasteAs as)
{
    if (!source)
        return std::string();
    std::string bytes;
    if (as == PasteAs::TheTextSays && source->hasFormat(TextBox::BytesMimeType))
        bytes = source->data(TextBox::BytesMimeType).toStdString();
    else if (as == PasteAs::TheTextSays && source->hasHtml() && !source->html().isEmpty())
        bytes = htmlBytes(source->html());
    else if (source->hasText()) {  // never read an empty clipboard as text
        const QString text = source->text();
        const QByteArray utf8 = text.toUtf8();
        const bool unicode = document_.format().kind == DocumentFormat::Unicode;
        const PastedAs reading = as == PasteAs::English  ? PastedAs::Unicode
                                 : as == PasteAs::Bamini ? PastedAs::Bamini
                                                         : plainTextReading({utf8.constData(), std::size_t(utf8.size())}, unicode);
        bytes = bytesOf(text, reading);
        // Plain Bamini keeps the English its writer set beside it in another font.
        if (reading == PastedAs::Bamini)
            bytes = withEnglishKept(bytes);
    }
    return admitted(std::move(bytes));
}

std::optional<std::string> Editor::admitted(std::string bytes)
{
    if (!holdsOther(bytes))
        return bytes;
    switch (flows_.admitOtherText()) {
    case DocumentFlows::OtherText::Take:
        return bytes;
    case DocumentFlows::OtherText::LeaveOut: {
        std::string tamil;
        forEachRun(bytes, [&](std::string_view codes) { tamil.append(codes); }, [](std::string_view) {});
        return tamil;
    }
    case DocumentFlows::OtherText::Refuse:
        break;
    }
    return std::nullopt;
}

void Editor::CopyAsUnicode()
{
    // The selection, or the whole document when nothing is selected.
    const QTextCursor cursor = Text1->textCursor();
    const std::string bytes =
        cursor.hasSelection() ? Text1->selectionBytes() : Text1->documentBytes();
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(QString::fromStdString(baminiToUnicode(bytes)));
    focusText();
}

void Editor::GoToLine()
{
    const int lines = Text1->document()->blockCount();
    QInputDialog ask(window);
    ask.setInputMode(QInputDialog::IntInput);
    ask.setWindowTitle(tr("Go to Line"));
    ask.setLabelText(tr("Line (1 to %1):").arg(lines));
    ask.setIntRange(1, lines);
    ask.setIntValue(Text1->textCursor().blockNumber() + 1);
    fitTitle(&ask);
    const bool chosen = answered(ask) == QDialog::Accepted;
    const int line = ask.intValue();
    if (chosen) {
        Text1->setTextCursor(QTextCursor(Text1->document()->findBlockByNumber(line - 1)));
        Text1->centerCursor();
    }
    focusText();
}

void Editor::WordCount()
{
    const QTextCursor cursor = Text1->textCursor();
    const bool selection = cursor.hasSelection();
    const TextCounts counts = countText(selection ? Text1->selectionBytes() : Text1->documentBytes());
    messages.inform({selection ? MessageId::CountSelection : MessageId::CountDocument,
                     {std::to_string(counts.words), std::to_string(counts.letters), std::to_string(counts.characters),
                      std::to_string(counts.lines)}});
    focusText();
}

qint64 Editor::fontSizeTenThousandths() const { return std::llround(Text1->font().pointSizeF() * 10000.0); }

void Editor::setFontSize(qint64 tenThousandths)
{
    QFont font = Text1->font();
    font.setPointSizeF(double(tenThousandths) / 10000.0);
    quietEdits = true;  // a new size is no edit of the text
    Text1->setFont(font);
    quietEdits = false;
}

void Editor::FontBigger()
{
    const qint64 size = fontSizeTenThousandths();
    if (size + 10000 <= LargestFontSize)
        setFontSize(size + 10000);
    Text1->update();
    focusText();
}

void Editor::FontSmaller()
{
    const qint64 size = fontSizeTenThousandths();
    if (size > SmallestSteppedFontSize)
        setFontSize(size - 10000);
    Text1->update();
    focusText();
}

} // namespace orvane
