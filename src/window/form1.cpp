#include "window/form1.h"

#include "about/about_windows.h"
#include "platform/qt_services.h"
#include "window/clock.h"
#include "window/status_panels.h"
#include "window/tamil_font.h"
#include "window/text_box.h"

#include <QCloseEvent>
#include <QFile>
#include <QTextDocument>
#include <QTimer>

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

Form1::Form1(Form1Services services)
{
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(ApplicationTitle.data(), qsizetype(ApplicationTitle.size())));
    setWindowIcon(orvaneIcon());

    cmdlg = orOwn(services.cmdlg, ownDialog, [this] { return std::make_unique<QtFileDialog>(this); });
    MessageBox* messages = orOwn(services.messages, ownMessages, [this] { return std::make_unique<QtMessageBox>(this); });
    Process* process = orOwn(services.process, ownProcess, [] { return std::make_unique<QtProcess>(); });
    clock = orOwn(services.clock, ownClock, [] { return std::make_unique<SystemClock>(); });
    FileService* files = orOwn(services.files, ownFiles, [] { return std::make_unique<LocalFiles>(); });

    Text1 = new TextBox(this);
    Text1->setObjectName("Text1");
    Text1->setFont(tamilFont(15.75));
    setCentralWidget(Text1);

    StatusBar1 = new StatusPanelBar(this);
    setStatusBar(StatusBar1);

    imlToolbarIcons = ImageList::toolbarIcons();
    buildMenus();
    buildToolbar();

    Timer1 = new QTimer(this);
    Timer1->setInterval(10000);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    injector = std::make_unique<QtKeystrokeInjector>(Text1);
    documents = std::make_unique<DocumentFlows>(static_cast<DocumentView&>(*this), *cmdlg, *messages, *process, *files);
    composer_ = std::make_unique<Composer>(tables, *injector, *StatusBar1, *documents);
    Text1->keyPressHandler = [this](int code) { return Text1_KeyPress(code); };

    // Any edit of the text is an unsaved change, however it was made.
    connect(Text1->document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (!quietEdits && (removed != 0 || added != 0))
            documents->markDocumentChanged();
    });

    placeAtDesignSize();
}

Form1::~Form1()
{
    // The About windows have no owner; they end with the program.
    delete frmProg;
    delete frmMe;
}

void Form1::Form_Load(const std::string& commandLine)
{
    tables.FillSyllableTable();
    tables.FillVowelKeys();
    tables.FillConsonantKeys();
    documents->openAtStartUp(commandLine);
    Timer1_Timer();
    Timer1->start();
    Text1->setFocus();
}

int Form1::Text1_KeyPress(int KeyAscii) { return composer_->Text1_KeyPress(KeyAscii); }

void Form1::Timer1_Timer() { StatusBar1->setPanelText(4, ClockText(clock->now())); }

void Form1::closeEvent(QCloseEvent* e)
{
    int Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel != 0)
        e->ignore();
    else
        e->accept();
}

void Form1::Form_Unload(int& Cancel) { documents->Form_Unload(Cancel); }

std::string Form1::documentText() { return Text1->documentBytes(); }

void Form1::setDocumentText(std::string_view bytes)
{
    quietEdits = true;
    Text1->setDocumentBytes(bytes);
    quietEdits = false;
}

void Form1::setCaption(std::string_view caption)
{
    QString title = QFile::decodeName(QByteArray(caption.data(), qsizetype(caption.size())));
    // "[*]" is Qt's placeholder for the modified mark; doubled, it shows as itself.
    title.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(title);
}

void Form1::focusText() { Text1->setFocus(); }

} // namespace orvane
