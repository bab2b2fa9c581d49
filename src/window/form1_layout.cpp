// Form1's controls: menus, toolbar, and where the window first stands.

#include "window/form1.h"

#include "window/find_bar.h"
#include "platform/geometry.h"
#include "window/status_panels.h"
#include "window/text_box.h"

#include <QAction>
#include <QPlainTextEdit>

#include <cerrno>
#include <cstring>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace orvane {

void Form1::buildMenus()
{
    auto item = [this](QMenu* menu, const char* name, const char* caption, QKeySequence shortcut,
                       void (Form1::*handler)()) {
        QAction* action = menu->addAction(tr(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    menFile = menuBar()->addMenu(tr("&File"));
    menFile->setObjectName("menFile");
    menNew = item(menFile, "menNew", QT_TR_NOOP("&New"), QKeySequence("Ctrl+N"), &Form1::menNew_Click);
    menOpen = item(menFile, "menOpen", QT_TR_NOOP("&Open"), QKeySequence("Ctrl+O"), &Form1::menOpen_Click);
    menSave = item(menFile, "menSave", QT_TR_NOOP("&Save"), QKeySequence("Ctrl+S"), &Form1::menSave_Click);
    menSA = item(menFile, "menSA", QT_TR_NOOP("Save &As"), QKeySequence("Ctrl+A"), &Form1::menSA_Click);
    menExport = item(menFile, "menExport", QT_TR_NOOP("Export as &Unicode..."), QKeySequence(), &Form1::menExport_Click);
    menExportPdf = item(menFile, "menExportPdf", QT_TR_NOOP("Export as P&DF..."), QKeySequence("Ctrl+Shift+E"),
                        &Form1::menExportPdf_Click);
    menPrint = item(menFile, "menPrint", QT_TR_NOOP("&Print..."), QKeySequence("Ctrl+Shift+P"), &Form1::menPrint_Click);
    menPrintPreview = item(menFile, "menPrintPreview", QT_TR_NOOP("Print Pre&view..."), QKeySequence(), &Form1::menPrintPreview_Click);
    menRecent = menFile->addMenu(tr("&Recent Documents"));
    menRecent->setObjectName("menRecent");
    menFile->addSeparator()->setObjectName("menDash");
    menEnd = item(menFile, "menEnd", QT_TR_NOOP("E&xit"), QKeySequence(), &Form1::menEnd_Click);

    menEdit = menuBar()->addMenu(tr("&Edit"));
    menEdit->setObjectName("menEdit");
    menCopy = item(menEdit, "menCopy", QT_TR_NOOP("&Copy"), QKeySequence("Ctrl+C"), &Form1::menCopy_Click);
    menCut = item(menEdit, "menCut", QT_TR_NOOP("&Cu&t"), QKeySequence("Ctrl+X"), &Form1::menCut_Click);
    menPaste = item(menEdit, "menPaste", QT_TR_NOOP("&Paste"), QKeySequence("Ctrl+V"), &Form1::menPaste_Click);
    menCopyUnicode = item(menEdit, "menCopyUnicode", QT_TR_NOOP("Copy as &Unicode"), QKeySequence("Ctrl+Shift+C"),
                          &Form1::menCopyUnicode_Click);
    menEdit->addSeparator();
    auto command = [this](QMenu* menu, const char* name, const QString& caption, QList<QKeySequence> keys,
                          auto act) {
        QAction* action = menu ? menu->addAction(caption) : new QAction(caption, this);
        if (!menu)
            addAction(action);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, act);
        return action;
    };
    menUndo = command(menEdit, "menUndo", tr("U&ndo"), {QKeySequence("Ctrl+Z")}, [this] { Text1->undo(); });
    menRedo = command(menEdit, "menRedo", tr("&Redo"), {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")},
                      [this] { Text1->redo(); });
    connect(Text1, &QPlainTextEdit::undoAvailable, menUndo, &QAction::setEnabled);
    connect(Text1, &QPlainTextEdit::redoAvailable, menRedo, &QAction::setEnabled);
    menUndo->setEnabled(false);
    menRedo->setEnabled(false);
    menEdit->addSeparator();
    menSelectAll = command(menEdit, "menSelectAll", tr("Select &All"), {}, [this] { Text1->selectAll(); });
    menEdit->addSeparator();
    menFind = command(menEdit, "menFind", tr("&Find..."), {QKeySequence("Ctrl+F")}, [this] { findBar->showFind(); });
    command(nullptr, "menFindNext", tr("Find Next"), {QKeySequence("F3")}, [this] { findBar->findNext(); });
    command(nullptr, "menFindPrevious", tr("Find Previous"), {QKeySequence("Shift+F3")},
            [this] { findBar->findPrevious(); });
    menReplace = command(menEdit, "menReplace", tr("R&eplace..."), {QKeySequence("Ctrl+H")},
                         [this] { findBar->showReplace(); });
    menGoTo = command(menEdit, "menGoTo", tr("&Go to Line..."), {QKeySequence("Ctrl+G")}, [this] { menGoTo_Click(); });
    menWordCount = command(menEdit, "menWordCount", tr("&Word Count..."), {}, [this] { menWordCount_Click(); });
    // Zoom: the font-size commands, from the keyboard.
    menZoomIn = command(nullptr, "menZoomIn", tr("Zoom In"), {QKeySequence("Ctrl++"), QKeySequence("Ctrl+=")},
                        [this] { editor.FontBigger(); });
    menZoomOut = command(nullptr, "menZoomOut", tr("Zoom Out"), {QKeySequence("Ctrl+-")}, [this] { editor.FontSmaller(); });
    // Keys other editors use for Save As and Exit; the menus show the designed ones.
    command(nullptr, "menSaveAsToo", tr("Save As"), {QKeySequence("Ctrl+Shift+S")}, [this] { menSA_Click(); });
    command(nullptr, "menExitToo", tr("Exit"), {QKeySequence("Ctrl+Q")}, [this] { menEnd_Click(); });
    Text1->zoomed = [this](int steps) { steps > 0 ? editor.FontBigger() : editor.FontSmaller(); };

    menAbout = menuBar()->addMenu(tr("&About"));
    menAbout->setObjectName("menAbout");
    menProgram = item(menAbout, "menProgram", QT_TR_NOOP("&Program"), QKeySequence("Ctrl+P"), &Form1::menProgram_Click);
    menProgrammer = item(menAbout, "menProgrammer", QT_TR_NOOP("Programmer"), QKeySequence("Ctrl+U"),
                         &Form1::menProgrammer_Click);
    menKeyboard = item(menAbout, "menKeyboard", QT_TR_NOOP("&Keyboard"), QKeySequence("F1"), &Form1::menKeyboard_Click);

    QList<QKeySequence> shortcuts;
    for (const QAction* action : findChildren<QAction*>())
        shortcuts << action->shortcuts();
    Text1->setMenuShortcuts(shortcuts);
}

void Form1::buildToolbar()
{
    Toolbar1 = addToolBar("Toolbar1");
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);  // the toolbar cannot be hidden

    struct Button {
        const char* key;
        const char* toolTip;
        int image;
    };
    auto add = [this](const Button& b) {
        QAction* button = Toolbar1->addAction(imlToolbarIcons.icon(b.image, isDarkPalette(palette())), QString());
        button->setProperty("image", b.image);
        button->setData(QString::fromLatin1(b.key));
        button->setToolTip(tr(b.toolTip));
        button->setText(button->toolTip());  // its name for a screen reader; the bar shows icons only
        button->setObjectName(QString("Toolbar1_%1").arg(b.key));
    };
    add({"New", QT_TR_NOOP("New File"), 1});
    add({"Open", QT_TR_NOOP("Open Document"), 2});
    add({"Save", QT_TR_NOOP("Save the Document"), 3});
    Toolbar1->addSeparator();
    add({"Cut", QT_TR_NOOP("Cut"), 5});
    add({"Copy", QT_TR_NOOP("Copy the Selection"), 6});
    add({"Paste", QT_TR_NOOP("Paste from Clipboard"), 7});
    auto* gap = new QWidget(Toolbar1);  // a placeholder with no key: clicking it does nothing
    gap->setObjectName("Toolbar1_gap");
    gap->setFixedWidth(twipsToPixels(150, this));
    Toolbar1->addWidget(gap);
    add({"Big", QT_TR_NOOP("Increase Font Size"), 14});
    add({"Small", QT_TR_NOOP("Decrease Font Size"), 15});
    connect(Toolbar1, &QToolBar::actionTriggered, this, &Form1::Toolbar1_ButtonClick);
}

void Form1::buildRecentMenu()
{
    menRecent->clear();
    for (const std::string& path : remembered.recent()) {
        QAction* open = menRecent->addAction(QString::fromStdString(printableName(path)));
        connect(open, &QAction::triggered, this, [this, path] {
            if (!services.files->identify(path).exists) {
                // Gone since: said, and no longer offered.
                services.messages->warn({MessageId::OpenFailed, {path, std::strerror(ENOENT)}});
                remembered.removeRecent(path);
                buildRecentMenu();
                return;
            }
            editor.flows().openFile(path);
        });
    }
    menRecent->setEnabled(!menRecent->isEmpty());
}

void Form1::placeAtDesignSize()
{
    // The design's client area is 11055 x 7065 twips below the menu bar.
    const QSize client(twipsToPixels(11055, this), twipsToPixelsY(7065, this));
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    if (const QScreen* screen = this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace orvane
