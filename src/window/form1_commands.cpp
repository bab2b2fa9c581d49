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
#include <QToolBar>

namespace orvane {

// A toolbar button's key, read and compared in the design's order; the command of the first
// that matches runs, as a click on its button runs it. A key of no command does nothing.
void Form1::Toolbar1_ButtonClick(QAction* Button)
{
    const QString key = Button ? Button->data().toString() : QString();
    for (const char* known : {"New", "Open", "Save", "Cut", "Copy", "Paste", "Big", "Small"}) {
        if (key != QLatin1String(known))
            continue;
        for (QAction* button : Toolbar1->actions())
            if (button->data().toString() == key) {
                button->trigger();
                return;
            }
    }
}

void Form1::menNew_Click()
{
    editor_.flows().NewDocument();
    editor_.focusText();
}

void Form1::menOpen_Click()
{
    editor_.flows().OpenDocument();
    editor_.focusText();
}

void Form1::menSave_Click()
{
    editor_.flows().SaveDocument();
    editor_.focusText();
}

void Form1::menSA_Click()
{
    editor_.flows().SaveAs();
    editor_.focusText();
}

void Form1::menEnd_Click()
{
    int Cancel = 1;
    Form_Unload(Cancel);
}

void Form1::menCopy_Click() { editor_.CopyCommand(); }
void Form1::menCut_Click() { editor_.CutCommand(); }
void Form1::menPaste_Click() { editor_.PasteCommand(); }
void Form1::menCopyUnicode_Click() { editor_.CopyAsUnicode(); }

void Form1::menExport_Click()
{
    editor_.flows().ExportUnicode();
    editor_.focusText();
}

void Form1::focusMainWindow()
{
    activateWindow();
    raise();
    editor_.focusText();
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

void Form1::menGoTo_Click() { editor_.GoToLine(); }

void Form1::menWordCount_Click() { editor_.WordCount(); }

void Form1::menProgram_Click() { showAbout(frmProg); }

void Form1::menKeyboard_Click()
{
    if (!keyboard) {
        // Its keys are pressed in the text box, as the keyboard's would be.
        keyboard = new KeyboardMap(
            editor_.keys(), [this](QChar c) { Text1->typeCode(static_cast<unsigned char>(c.toLatin1()), QString(c)); },
            [this] { return editor_.typesEnglish(); });
        keyboard->codesBefore = [this] { return Text1->codesBeforeCaret(); };
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
