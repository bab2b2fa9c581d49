#include "about/about_windows.h"

#include "platform/geometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace orvane {

namespace {
// Fixed border, no minimize or maximize button, unloaded by the close box.
void setUpWindow(QWidget* w, const char* name, const QString& caption, const QIcon& icon, int width, int height)
{
    w->setObjectName(name);
    w->setWindowTitle(caption);
    w->setWindowIcon(icon);
    w->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                      | Qt::MSWindowsFixedSizeDialogHint);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setFixedSize(twipsToPixels(width, w), twipsToPixelsY(height, w));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r(QPoint(), w->size());
        r.moveCenter(screen->availableGeometry().center());
        w->move(r.topLeft());
    }
}

template <typename T>
T* place(T* control, const char* name, int left, int top, int width, int height)
{
    QWidget* w = control;
    control->setObjectName(name);
    control->setGeometry(twipsToPixels(left, w), twipsToPixelsY(top, w), twipsToPixels(width, w),
                         twipsToPixelsY(height, w));
    return control;
}

QFont captionFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

QFrame* frame(QWidget* parent, int width, int height)
{
    auto* f = place(new QFrame(parent), "Frame1", 0, 0, width, height);
    f->setFrameStyle(QFrame::Box | QFrame::Sunken);
    return f;
}
} // namespace

FrmProg::FrmProg(const QIcon& icon, std::function<void()> focusMain) : focusMain(std::move(focusMain))
{
    setUpWindow(this, "frmProg", tr("About Program"), icon, 3525, 1350);
    Frame1 = frame(this, 3495, 975);
    Label1 = place(new QLabel(tr("Application Name"), Frame1), "Label1", 120, 240, 1695, 255);
    Label2 = place(new QLabel(Frame1), "Label2", 1920, 240, 1215, 255);
    Label3 = place(new QLabel(tr("Version"), Frame1), "Label3", 120, 600, 1455, 255);
    Label4 = place(new QLabel(Frame1), "Label4", 1920, 600, 1455, 255);
    Label1->setFont(captionFont());
    Label3->setFont(captionFont());
    cmdOK = place(new QPushButton(tr("OK"), this), "cmdOK", 2520, 1080, 855, 255);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &FrmProg::cmdOK_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &FrmProg::cmdOK_Click);
    Form_Load();
}

void FrmProg::Form_Load()
{
    Label4->setText(QString("%1.%2").arg(1).arg(0));
    Label2->setText("Orvane");
}

void FrmProg::cmdOK_Click()
{
    hide();
    focusMain();
}

FrmMe::FrmMe(const QIcon& icon, std::function<void()> focusMain) : focusMain(std::move(focusMain))
{
    setUpWindow(this, "frmMe", tr("About Programmer"), icon, 3615, 1230);
    Frame1 = frame(this, 3615, 855);
    Label1 = place(new QLabel(tr("The Orvane developers"), Frame1), "Label1", 240, 240, 2655, 255);
    Label2 = place(new QLabel(ProjectHome, Frame1), "Label2", 240, 480, 2415, 255);
    Label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Command1 = place(new QPushButton(tr("OK"), this), "Command1", 2760, 960, 855, 255);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &FrmMe::Command1_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &FrmMe::Command1_Click);
    // Tab order: the button first, then the labels.
    Command1->setFocus();
}

void FrmMe::Command1_Click()
{
    focusMain();
    hide();
}

void FrmMe::closeEvent(QCloseEvent* e)
{
    focusMain();
    e->accept();
}

} // namespace orvane
