// Form1's controls: menus, toolbar, and where the window first stands.

#include "window/form1.h"

#include "window/find_bar.h"
#include "window/keyboard_map.h"
#include "platform/geometry.h"
#include "window/status_panels.h"
#include "window/text_box.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QPlainTextEdit>

#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

namespace orvane {

QAction* Form1::addCommand(QMenu* menu, const char* name, const QString& caption, QList<QKeySequence> keys,
                           std::function<void()> run)
{
    QAction* action = menu ? menu->addAction(caption) : new QAction(caption, this);
    if (!menu)
        addAction(action);  // a command of the keys (and perhaps the toolbar) alone
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setIconVisibleInMenu(false);  // the menus show words; the toolbar shows the pictures
    connect(action, &QAction::triggered, this, std::move(run));
    return action;
}

void Form1::buildMenus()
{
    // Captions as designed, gathered for translation.
    const auto item = [this](QMenu* menu, const char* name, const char* caption, QList<QKeySequence> keys,
                             void (Form1::*handler)()) {
        return addCommand(menu, name, tr(caption), std::move(keys), [this, handler] { (this->*handler)(); });
    };
    const auto keys = [](std::initializer_list<const char*> names) {
        QList<QKeySequence> list;
        for (const char* n : names)
            list << QKeySequence(QString::fromLatin1(n));
        return list;
    };

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName("menFile");
    item(file, "menNew", QT_TR_NOOP("&New"), keys({"Ctrl+N"}), &Form1::menNew_Click);
    item(file, "menOpen", QT_TR_NOOP("&Open"), keys({"Ctrl+O"}), &Form1::menOpen_Click);
    item(file, "menSave", QT_TR_NOOP("&Save"), keys({"Ctrl+S"}), &Form1::menSave_Click);
    item(file, "menSA", QT_TR_NOOP("Save &As"), keys({"Ctrl+A"}), &Form1::menSA_Click);
    item(file, "menExport", QT_TR_NOOP("Export as &Unicode..."), {}, &Form1::menExport_Click);
    item(file, "menExportPdf", QT_TR_NOOP("Export as P&DF..."), keys({"Ctrl+Shift+E"}), &Form1::menExportPdf_Click);
    item(file, "menConvert", QT_TR_NOOP("Conver&t Document..."), {}, &Form1::menConvert_Click);
    item(file, "menPrint", QT_TR_NOOP("&Print..."), keys({"Ctrl+Shift+P"}), &Form1::menPrint_Click);
    item(file, "menPrintPreview", QT_TR_NOOP("Print Pre&view..."), {}, &Form1::menPrintPreview_Click);
    QMenu* recentMenu = file->addMenu(tr("&Recent Documents"));
    recentMenu->setObjectName("menRecent");
    file->addSeparator()->setObjectName("menDash");
    item(file, "menEnd", QT_TR_NOOP("E&xit"), {}, &Form1::menEnd_Click);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName("menEdit");
    item(edit, "menCopy", QT_TR_NOOP("&Copy"), keys({"Ctrl+C"}), &Form1::menCopy_Click);
    item(edit, "menCut", QT_TR_NOOP("&Cu&t"), keys({"Ctrl+X"}), &Form1::menCut_Click);
    item(edit, "menPaste", QT_TR_NOOP("&Paste"), keys({"Ctrl+V"}), &Form1::menPaste_Click);
    item(edit, "menCopyUnicode", QT_TR_NOOP("Copy as &Unicode"), keys({"Ctrl+Shift+C"}), &Form1::menCopyUnicode_Click);
    edit->addSeparator();
    QAction* undo = addCommand(edit, "menUndo", tr("U&ndo"), keys({"Ctrl+Z"}), [this] { Text1->undo(); });
    QAction* redo = addCommand(edit, "menRedo", tr("&Redo"), keys({"Ctrl+Shift+Z", "Ctrl+Y"}), [this] { Text1->redo(); });
    connect(Text1, &QPlainTextEdit::undoAvailable, undo, &QAction::setEnabled);
    connect(Text1, &QPlainTextEdit::redoAvailable, redo, &QAction::setEnabled);
    undo->setEnabled(false);
    redo->setEnabled(false);
    edit->addSeparator();
    addCommand(edit, "menSelectAll", tr("Select &All"), {}, [this] { Text1->selectAll(); });
    edit->addSeparator();
    addCommand(edit, "menFind", tr("&Find..."), keys({"Ctrl+F"}), [this] { findBar()->showFind(); });
    addCommand(nullptr, "menFindNext", tr("Find Next"), keys({"F3"}), [this] { findBar()->findNext(); });
    addCommand(nullptr, "menFindPrevious", tr("Find Previous"), keys({"Shift+F3"}), [this] { findBar()->findPrevious(); });
    addCommand(edit, "menReplace", tr("R&eplace..."), keys({"Ctrl+H"}), [this] { findBar()->showReplace(); });
    item(edit, "menGoTo", QT_TR_NOOP("&Go to Line..."), keys({"Ctrl+G"}), &Form1::menGoTo_Click);
    item(edit, "menWordCount", QT_TR_NOOP("&Word Count..."), {}, &Form1::menWordCount_Click);
    edit->addSeparator();
    addCommand(edit, "menPasteEnglish", tr("Paste as Eng&lish"), {}, [this] { editor_.PasteAs(Editor::PasteAs::English); });
    addCommand(edit, "menPasteBamini", tr("Paste as &Bamini"), {}, [this] { editor_.PasteAs(Editor::PasteAs::Bamini); });
    addCommand(edit, "menKeepEnglish", tr("&Keep English as English"), {}, [this] {
        editor_.flows().KeepEnglishAsEnglish();
        editor_.focusText();
    });
    QAction* english = addCommand(edit, "menEnglish", tr("Type Engl&ish"), keys({"F12"}), [this] {
        editor_.setEnglishTyping(!editor_.typesEnglish());
    });
    english->setCheckable(true);
    connect(&editor_, &Editor::englishTypingChanged, english, &QAction::setChecked);
    // The keyboards: the phonetic composer, the layouts Tamil typists learned, and English.
    QMenu* typing = edit->addMenu(tr("&Typing"));
    typing->setObjectName("menTyping");
    auto* layouts = new QActionGroup(this);
    for (const TypingChoice& choice : typingChoices()) {
        QAction* action = addCommand(typing, choice.command, tr(choice.caption), {}, [this, choice] { choose(choice); });
        action->setCheckable(true);
        layouts->addAction(action);
    }
    // Zoom: the font-size commands, from the keys and the toolbar.
    addCommand(nullptr, "menZoomIn", tr("Zoom In"), keys({"Ctrl++", "Ctrl+="}), [this] { editor_.FontBigger(); });
    addCommand(nullptr, "menZoomOut", tr("Zoom Out"), keys({"Ctrl+-"}), [this] { editor_.FontSmaller(); });
    // Keys other editors use for Save As and Exit; the menus show the designed ones.
    item(nullptr, "menSaveAsToo", QT_TR_NOOP("Save As"), keys({"Ctrl+Shift+S"}), &Form1::menSA_Click);
    item(nullptr, "menExitToo", QT_TR_NOOP("Exit"), keys({"Ctrl+Q"}), &Form1::menEnd_Click);
    Text1->zoomed = [this](int steps) { steps > 0 ? editor_.FontBigger() : editor_.FontSmaller(); };

    QMenu* about = menuBar()->addMenu(tr("&About"));
    about->setObjectName("menAbout");
    item(about, "menProgram", QT_TR_NOOP("&Program"), keys({"Ctrl+P"}), &Form1::menProgram_Click);
    item(about, "menProgrammer", QT_TR_NOOP("Programmer"), keys({"Ctrl+U"}), &Form1::menProgrammer_Click);
    item(about, "menKeyboard", QT_TR_NOOP("&Keyboard"), keys({"F1"}), &Form1::menKeyboard_Click);

    QList<QKeySequence> shortcuts;
    for (const QAction* action : findChildren<QAction*>())
        shortcuts << action->shortcuts();
    Text1->setMenuShortcuts(shortcuts);
}

QAction* Form1::command(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

QMenu* Form1::menu(const char* name) const { return findChild<QMenu*>(QString::fromLatin1(name)); }

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

    // Each button is the command's own action, with the design's key, tool tip and picture;
    // a click runs the command once, as its menu item or keys do.
    struct Button {
        const char* command;
        const char* key;
        const char* toolTip;
        int image;
    };
    auto add = [this](const Button& b) {
        QAction* action = command(b.command);
        action->setData(QString::fromLatin1(b.key));
        action->setToolTip(tr(b.toolTip));
        action->setProperty("image", b.image);
        action->setIcon(imlToolbarIcons.icon(b.image, isDarkPalette(palette())));
        Toolbar1->addAction(action);
        QWidget* button = Toolbar1->widgetForAction(action);
        button->setObjectName(QString("Toolbar1_%1").arg(b.key));
        button->setAccessibleName(action->toolTip());  // its name for a screen reader
    };
    add({"menNew", "New", QT_TR_NOOP("New File"), 1});
    add({"menOpen", "Open", QT_TR_NOOP("Open Document"), 2});
    add({"menSave", "Save", QT_TR_NOOP("Save the Document"), 3});
    Toolbar1->addSeparator();
    add({"menCut", "Cut", QT_TR_NOOP("Cut"), 5});
    add({"menCopy", "Copy", QT_TR_NOOP("Copy the Selection"), 6});
    add({"menPaste", "Paste", QT_TR_NOOP("Paste from Clipboard"), 7});
    auto* gap = new QWidget(Toolbar1);  // a placeholder with no key: clicking it does nothing
    gap->setObjectName("Toolbar1_gap");
    gap->setFixedWidth(twipsToPixels(150, this));
    Toolbar1->addWidget(gap);
    add({"menZoomIn", "Big", QT_TR_NOOP("Increase Font Size"), 14});
    add({"menZoomOut", "Small", QT_TR_NOOP("Decrease Font Size"), 15});
    // Beyond the design's ten: the switch between Tamil and English typing.
    Toolbar1->addSeparator();
    QAction* english = command("menEnglish");
    english->setData(QStringLiteral("English"));
    english->setToolTip(tr("Type English (F12); again for Tamil"));
    english->setProperty("iconFile", QStringLiteral(":/icons/english"));
    english->setIcon(toolbarIcon(QStringLiteral(":/icons/english"), isDarkPalette(palette())));
    Toolbar1->addAction(english);
    QWidget* button = Toolbar1->widgetForAction(english);
    button->setObjectName("Toolbar1_English");
    button->setAccessibleName(english->toolTip());
    // Beside it, the keyboard typed with.
    keyboardChoice = new QComboBox(Toolbar1);
    keyboardChoice->setObjectName("Toolbar1_Keyboard");
    keyboardChoice->setFocusPolicy(Qt::NoFocus);
    keyboardChoice->setToolTip(tr("The keyboard Tamil is typed with"));
    keyboardChoice->setAccessibleDescription(keyboardChoice->toolTip());
    for (const TypingChoice& choice : typingChoices())
        keyboardChoice->addItem(QString(tr(choice.caption)).remove(QLatin1Char('&')));
    connect(keyboardChoice, &QComboBox::activated, this, [this](int index) {
        choose(typingChoices()[std::size_t(index)]);
    });
    QAction* chooser = Toolbar1->addWidget(keyboardChoice);
    chooser->setData(QStringLiteral("Keyboard"));
    chooser->setToolTip(keyboardChoice->toolTip());
}

const std::array<Form1::TypingChoice, 4>& Form1::typingChoices()
{
    static const std::array<TypingChoice, 4> choices{{
        {"menPhonetic", QT_TR_NOOP("&Phonetic"), QT_TR_NOOP("Phonetic"), Keyboard::Phonetic, false},
        {"menTamil99", QT_TR_NOOP("&Tamil99"), QT_TR_NOOP("Tamil99"), Keyboard::Tamil99, false},
        {"menTypewriter", QT_TR_NOOP("&Bamini typewriter"), QT_TR_NOOP("Bamini"), Keyboard::Typewriter, false},
        {"menTypingEnglish", QT_TR_NOOP("&English"), QT_TR_NOOP("English"), Keyboard::Phonetic, true},
    }};
    return choices;
}

void Form1::choose(const TypingChoice& choice)
{
    if (choice.english) {
        editor_.setEnglishTyping(true);
    } else {
        editor_.setKeyboard(choice.keyboard);
        remembered.setKeyboard(QString::fromLatin1(keyboardName(choice.keyboard)));
    }
    editor_.focusText();
}

// The choice shown wherever it is: the menu, the toolbar, the status bar, the find fields.
void Form1::showTypingChoice()
{
    const bool english = editor_.typesEnglish();
    const auto& choices = typingChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].english == english && (english || choices[i].keyboard == editor_.keyboard())) {
            command(choices[i].command)->setChecked(true);
            if (keyboardChoice)
                keyboardChoice->setCurrentIndex(int(i));
            StatusBar1->showTyping(tr(choices[i].panel));
        }
    if (find) {
        find->setEnglish(english);
        find->setKeyboard(editor_.keyboard());
    }
    if (keyboard)
        keyboard->refresh();
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
