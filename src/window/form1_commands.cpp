// What the menu items and toolbar buttons do.

#include "window/form1.h"

#include "about/about_windows.h"
#include "document/unicode_tamil.h"
#include "platform/text_codec.h"
#include "window/text_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextCursor>

#include <cmath>

namespace orvane {

void Form1::Toolbar1_ButtonClick(QAction* Button)
{
    const QString key = Button ? Button->data().toString() : QString();
    if (key == QLatin1String("New"))
        documents->NewDocument();
    else if (key == QLatin1String("Open"))
        documents->OpenDocument();
    else if (key == QLatin1String("Save"))
        documents->SaveDocument();
    else if (key == QLatin1String("Cut"))
        CutCommand();
    else if (key == QLatin1String("Copy"))
        CopyCommand();
    else if (key == QLatin1String("Paste"))
        PasteCommand();
    else if (key == QLatin1String("Big"))
        FontBigger();
    else if (key == QLatin1String("Small"))
        FontSmaller();
}

void Form1::menNew_Click()
{
    documents->NewDocument();
    focusText();
}

void Form1::menOpen_Click()
{
    documents->OpenDocument();
    focusText();
}

void Form1::menSave_Click()
{
    documents->SaveDocument();
    focusText();
}

void Form1::menSA_Click()
{
    documents->SaveAs();
    focusText();
}

void Form1::menEnd_Click()
{
    int Cancel = 1;
    Form_Unload(Cancel);
}

void Form1::CopyCommand() { menCopy_Click(); }
void Form1::CutCommand() { menCut_Click(); }
void Form1::PasteCommand() { menPaste_Click(); }

void Form1::menCopy_Click()
{
    // Paragraph breaks go out as the line feeds other programs expect.
    QString text = Text1->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QChar::LineSeparator, QLatin1Char('\n'));
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(text);
    focusText();
}

void Form1::menCut_Click()
{
    QTextCursor cursor = Text1->textCursor();
    if (cursor.hasSelection()) {
        menCopy_Click();
        cursor.removeSelectedText();
        Text1->setTextCursor(cursor);
    }
    focusText();
}

void Form1::menPaste_Click()
{
    const QClipboard* clipboard = QApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    const QString text = data && data->hasText() ? TextBox::fitPasted(data->text()) : QString();
    QTextCursor cursor = Text1->textCursor();
    if (!text.isEmpty() || cursor.hasSelection()) {
        cursor.insertText(text);
        Text1->setTextCursor(cursor);
        Text1->ensureCursorVisible();
    }
    focusText();
}

void Form1::menExport_Click()
{
    documents->ExportUnicode();
    focusText();
}

void Form1::menCopyUnicode_Click()
{
    // The selection, or the whole document when nothing is selected.
    const QTextCursor cursor = Text1->textCursor();
    const std::string bytes =
        cursor.hasSelection() ? codec::fromBoxText(cursor.selectedText()) : Text1->documentBytes();
    if (QClipboard* clipboard = QApplication::clipboard())
        clipboard->setText(QString::fromStdString(baminiToUnicode(bytes)));
    focusText();
}

qint64 Form1::fontSizeTenThousandths() const
{
    return std::llround(Text1->font().pointSizeF() * 10000.0);
}

void Form1::setFontSize(qint64 tenThousandths)
{
    QFont font = Text1->font();
    font.setPointSizeF(double(tenThousandths) / 10000.0);
    quietEdits = true;  // a new size is no edit of the text
    Text1->setFont(font);
    quietEdits = false;
}

void Form1::FontBigger()
{
    const qint64 size = fontSizeTenThousandths();
    if (size + 10000 <= LargestFontSize)
        setFontSize(size + 10000);
    Text1->update();
    focusText();
}

void Form1::FontSmaller()
{
    const qint64 size = fontSizeTenThousandths();
    if (size > SmallestSteppedFontSize)
        setFontSize(size - 10000);
    Text1->update();
    focusText();
}

void Form1::focusMainWindow()
{
    activateWindow();
    raise();
    focusText();
}

// Loads the About window when it is not loaded (its close box unloads it), then shows it,
// without owner or modality; one copy however often it is asked for.
template <typename Window>
void Form1::showAbout(QPointer<Window>& window)
{
    if (!window)
        window = new Window(windowIcon(), [this] { focusMainWindow(); });
    window->show();
    window->raise();
    window->activateWindow();
}

void Form1::menProgram_Click() { showAbout(frmProg); }

void Form1::menProgrammer_Click() { showAbout(frmMe); }

} // namespace orvane
