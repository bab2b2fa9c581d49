#include "window/form1.h"

#include "about/about_windows.h"
#include "platform/geometry.h"
#include "document/search.h"
#include "platform/qt_services.h"
#include "window/clock.h"
#include "window/find_bar.h"
#include "window/keyboard_map.h"
#include "window/status_panels.h"
#include "window/text_box.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace orvane {

namespace {
template <typename T, typename Own>
T* orOwn(T* given, std::unique_ptr<T>& own, Own make)
{
    if (given)
        return given;
    own = make();
    return own.get();
}
} // namespace

Form1Edges::Form1Edges(Form1Services given, QWidget* window) : services(given)
{
    services.cmdlg = orOwn(given.cmdlg, ownDialog, [window] { return std::make_unique<QtFileDialog>(window); });
    services.messages = orOwn(given.messages, ownMessages, [window] { return std::make_unique<QtMessageBox>(window); });
    services.process = orOwn(given.process, ownProcess, [] { return std::make_unique<QtProcess>(); });
    services.clock = orOwn(given.clock, ownClock, [] { return std::make_unique<SystemClock>(); });
    services.files = orOwn(given.files, ownFiles, [] { return std::make_unique<LocalFiles>(); });
    services.recovery = orOwn(given.recovery, ownRecovery, [] { return std::make_unique<LocalRecoveryStore>(); });
}

Form1Edges::~Form1Edges() = default;

Form1::Form1(Form1Services given)
    : Form1Edges(given, this),
      StatusBar1(new StatusPanelBar(this)),
      editor_(this, *StatusBar1, {*services.cmdlg, *services.messages, *services.files, *services.recovery}),
      Text1(editor_.Text1)
{
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(ApplicationTitle.data(), qsizetype(ApplicationTitle.size())));
    setWindowIcon(orvaneIcon());
    // The text box, and the find bar below it when it is open.
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Text1);
    textColumn = column;  // the find bar goes below the text once it is first wanted
    connect(&editor_, &Editor::englishTypingChanged, this, &Form1::showTypingChoice);
    connect(&editor_, &Editor::keyboardChanged, this, &Form1::showTypingChoice);
    placeShown = new QTimer(this);
    placeShown->setSingleShot(true);
    placeShown->setInterval(40);  // off the key's own path: a long line is read once per pause
    connect(placeShown, &QTimer::timeout, this, &Form1::showPlace);
    connect(Text1, &QPlainTextEdit::cursorPositionChanged, placeShown, qOverload<>(&QTimer::start));
    // As wide from the start as a long document's place needs: typing lays nothing out again.
    StatusBar1->showPlace(tr("Ln %1, Col %2").arg(999).arg(99));
    StatusBar1->showUnsaved(tr("Unsaved"));
    StatusBar1->showUnsaved({});
    unsavedShown = editor_.document().changedChanged.subscribe([this] {
        StatusBar1->showUnsaved(editor_.document().DocumentChanged() ? tr("Unsaved") : QString());
    });
    setCentralWidget(centre);
    setStatusBar(StatusBar1);

    imlToolbarIcons = ImageList::toolbarIcons();
    buildMenus();
    buildToolbar();

    Timer1 = new QTimer(this);
    Timer1->setInterval(10000);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    placeAtDesignSize();
    restoreRemembered();
}

// Made when first wanted: measuring its fields' Tamil brings a font the start-up need not wait for.
FindBar* Form1::findBar()
{
    if (!find) {
        find = new FindBar(*Text1, editor_.tables, centralWidget());
        find->admit = [this](std::string bytes) { return editor_.admitted(std::move(bytes)); };
        find->setEnglish(editor_.typesEnglish());
        find->setKeyboard(editor_.keyboard());
        textColumn->addWidget(find);
    }
    return find;
}

void Form1::restoreRemembered()
{
    if (const auto chosen = keyboardNamed(remembered.keyboard().toStdString()))
        editor_.setKeyboard(*chosen);
    showTypingChoice();
    showPlace();
    const qint64 size = remembered.fontSize();
    if (size >= Editor::SmallestSteppedFontSize && size <= Editor::LargestFontSize)
        editor_.setFontSize(size);
    // The window where it was, as far as the screens now allow: never off them, never
    // larger than the one it is on (a session at another scale kept other numbers).
    if (restoreGeometry(remembered.geometry())) {
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens())
            screens << screen->availableGeometry();
        const QRect frame = frameGeometry();
        const QRect fitted = placedOnScreen(frame, screens);
        if (fitted != frame) {
            const QMargins edges(geometry().left() - frame.left(), geometry().top() - frame.top(),
                                 frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
            setGeometry(fitted - edges);
        }
    }
    if (auto* dialog = dynamic_cast<QtFileDialog*>(services.cmdlg))
        dialog->folder = remembered.folder();
    recent = new RecentDocuments(menu("menRecent"), remembered, editor_.document(), editor_.flows(), *services.files,
                                 *services.messages);
}

void Form1::rememberWindow()
{
    remembered.setGeometry(saveGeometry());
    remembered.setFontSize(editor_.fontSizeTenThousandths());
    if (auto* dialog = dynamic_cast<QtFileDialog*>(services.cmdlg); dialog && !dialog->folder.isEmpty())
        remembered.setFolder(dialog->folder);
}

Form1::~Form1()
{
    // The About windows have no owner; they end with the program.
    delete frmProg;
    delete frmMe;
}

void Form1::Form_Load(const std::string& commandLine)
{
    editor_.tables.FillSyllableTable();
    editor_.tables.FillVowelKeys();
    editor_.tables.FillConsonantKeys();
    editor_.flows().openAtStartUp(commandLine);
    if (editor_.flows().hasPending())
        editor_.holdKeys();  // until the document is in: keys typed at once are not lost
    Timer1_Timer();
    Timer1->start();
    Text1->setFocus();
}

void Form1::showPlace()
{
    const QTextCursor caret = Text1->textCursor();
    const int lineStart = caret.block().position();
    const std::size_t column = lettersIn(Text1->bytesBetween(lineStart, caret.position())) + 1;
    StatusBar1->showPlace(tr("Ln %1, Col %2").arg(caret.blockNumber() + 1).arg(column));
}

void Form1::Timer1_Timer() { StatusBar1->setPanelText(4, ClockText(services.clock->now())); }

void Form1::closeEvent(QCloseEvent* e)
{
    if (editor_.isLoading()) {
        // Closed while a document is read: the reading stops, and the window stays for the
        // user to close again with the document as it then is.
        editor_.stopLoading();
        e->ignore();
        return;
    }
    int Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel != 0)
        e->ignore();
    else
        e->accept();
}

void Form1::Form_Unload(int& Cancel)
{
    if (editor_.flows().Form_Unload() == Decision::Stay) {
        Cancel = 1;
        return;
    }
    editor_.recovery().discard();  // left by the user's choice: nothing to offer back
    editor_.recovery().finishWrites();
    rememberWindow();
    services.process->endProgram();
}

void Form1::keepUnsavedWork()
{
    editor_.keepUnsavedWork();
    remembered.sync();
}

bool Form1::sessionEnding(bool mayAsk)
{
    if (!mayAsk) {
        editor_.recovery().keepNow();
        return true;
    }
    if (editor_.flows().Form_Unload() == Decision::Stay)
        return false;
    editor_.recovery().discard();
    editor_.recovery().finishWrites();
    rememberWindow();
    return true;
}

void Form1::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // A large start-up document is read, and work an earlier run left unsaved offered, once
    // the window stands, not before.
    if (!restoreOffered) {
        restoreOffered = true;
        QTimer::singleShot(0, this, [this] {
            editor_.flows().openPending();
            editor_.releaseKeys();
            editor_.recovery().offerRestore();
        });
    }
}

void Form1::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] { editor_.flows().checkFileOnDisk(); });
    if (e->type() == QEvent::PaletteChange && Toolbar1) {
        // A switch to a dark theme (or back) redraws the toolbar in the ink that shows on it.
        const bool dark = isDarkPalette(palette());
        for (QAction* button : Toolbar1->actions()) {
            if (const int image = button->property("image").toInt())
                button->setIcon(imlToolbarIcons.icon(image, dark));
            if (const QString file = button->property("iconFile").toString(); !file.isEmpty())
                button->setIcon(toolbarIcon(file, dark));
        }
    }
}

} // namespace orvane
