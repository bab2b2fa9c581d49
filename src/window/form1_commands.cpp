// What the menu items and toolbar buttons do.

#include "window/form1.h"

#include "about/about_windows.h"
#include "document/search.h"
#include "platform/text_codec.h"
#include "window/keyboard_map.h"
#include "window/text_box.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QInputDialog>
#include <QTextBlock>

namespace orvane {

void Form1::Toolbar1_ButtonClick(QAction* Button)
{
    const QString key = Button ? Button->data().toString() : QString();
    if (key == QLatin1String("New"))
        editor.flows().NewDocument();
    else if (key == QLatin1String("Open"))
        editor.flows().OpenDocument();
    else if (key == QLatin1String("Save"))
        editor.flows().SaveDocument();
    else if (key == QLatin1String("Cut"))
        editor.CutCommand();
    else if (key == QLatin1String("Copy"))
        editor.CopyCommand();
    else if (key == QLatin1String("Paste"))
        editor.PasteCommand();
    else if (key == QLatin1String("Big"))
        editor.FontBigger();
    else if (key == QLatin1String("Small"))
        editor.FontSmaller();
}

void Form1::menNew_Click()
{
    editor.flows().NewDocument();
    editor.focusText();
}

void Form1::menOpen_Click()
{
    editor.flows().OpenDocument();
    editor.focusText();
}

void Form1::menSave_Click()
{
    editor.flows().SaveDocument();
    editor.focusText();
}

void Form1::menSA_Click()
{
    editor.flows().SaveAs();
    editor.focusText();
}

void Form1::menEnd_Click()
{
    int Cancel = 1;
    Form_Unload(Cancel);
}

void Form1::menCopy_Click() { editor.CopyCommand(); }
void Form1::menCut_Click() { editor.CutCommand(); }
void Form1::menPaste_Click() { editor.PasteCommand(); }
void Form1::menCopyUnicode_Click() { editor.CopyAsUnicode(); }

void Form1::menExport_Click()
{
    editor.flows().ExportUnicode();
    editor.focusText();
}

void Form1::focusMainWindow()
{
    activateWindow();
    raise();
    editor.focusText();
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

void Form1::menGoTo_Click()
{
    const int lines = Text1->document()->blockCount();
    bool chosen = false;
    const int line = QInputDialog::getInt(this, tr("Go to Line"), tr("Line (1 to %1):").arg(lines),
                                          Text1->textCursor().blockNumber() + 1, 1, lines, 1, &chosen);
    if (chosen) {
        QTextCursor cursor(Text1->document()->findBlockByNumber(line - 1));
        Text1->setTextCursor(cursor);
        Text1->centerCursor();
    }
    editor.focusText();
}

void Form1::menWordCount_Click()
{
    const QTextCursor cursor = Text1->textCursor();
    const bool selection = cursor.hasSelection();
    const TextCounts counts =
        countText(selection ? codec::fromBoxText(cursor.selectedText()) : Text1->documentBytes());
    services.messages->inform({selection ? MessageId::CountSelection : MessageId::CountDocument,
                               {std::to_string(counts.words), std::to_string(counts.letters),
                                std::to_string(counts.characters), std::to_string(counts.lines)}});
    editor.focusText();
}

void Form1::menProgram_Click() { showAbout(frmProg); }

void Form1::menKeyboard_Click()
{
    if (!keyboard) {
        // Its keys are pressed in the text box, as the keyboard's would be.
        keyboard = new KeyboardMap(editor.keys(), [this](QChar c) { Text1->typeCode(static_cast<unsigned char>(c.toLatin1())); });
        keyboard->setParent(this, Qt::Window);  // goes with the main window
        keyboard->setWindowIcon(windowIcon());
        keyboard->follow(Text1);
    }
    keyboard->refresh();
    keyboard->show();
    keyboard->raise();
    keyboard->activateWindow();
}

void Form1::menProgrammer_Click() { showAbout(frmMe); }

} // namespace orvane
