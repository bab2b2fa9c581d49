#include "platform/qt_services.h"

#include "platform/geometry.h"
#include "platform/message_text.h"
#include "platform/text_codec.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTreeView>

namespace orvane {

namespace {
QString fromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
} // namespace

QStringList qtNameFilters(std::string_view filter)
{
    const QStringList parts = fromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = parts[i + 1].simplified();
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        // Qt reads the patterns from the description's last parentheses.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        const bool shown = open >= 0 && description.mid(open + 1).section(QLatin1Char(')'), 0, 0).simplified() == patterns;
        if (!shown)
            description = (open >= 0 ? description.left(open) : description).trimmed() + " (" + patterns + ")";
        filters << QCoreApplication::translate("Filters", description.toUtf8().constData());
    }
    return filters;
}

void QtFileDialog::ShowSave() { show(true); }

void QtFileDialog::ShowOpen() { show(false); }

void QtFileDialog::show(bool saving)
{
    // The desktop's own dialog where its platform theme has one (GTK's, in the user's
    // language), Qt's otherwise.
    QFileDialog dialog(parent);
    if (!DialogTitle.empty())
        dialog.setWindowTitle(QCoreApplication::translate("Titles", DialogTitle.c_str()));
    DialogTitle.clear();
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = qtNameFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex > 0 && FilterIndex < filters.size())
        dialog.selectNameFilter(filters[FilterIndex]);
    if (!folder.isEmpty() && FileName.find('/') == std::string::npos)
        dialog.setDirectory(folder);
    if (!FileName.empty())
        dialog.selectFile(QFile::decodeName(QByteArray::fromStdString(FileName)));
    // Qt's own dialog (where the desktop has none) gives its size, type and date columns a
    // fixed width, which cuts them in Tamil ("9/12/2…ல் 8:47"): each is as wide as what it
    // shows, the name takes the rest.
    if (auto* files = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = files->header();
        header->setStretchLastSection(false);
        for (int c = 1; c < header->count(); ++c)
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        dialog.resize(std::max(dialog.width(), 760), dialog.height());
    }
    for (;;) {
        const bool chosen = answered(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        const QString name = chosen ? dialog.selectedFiles().constFirst() : QString();
        // The dialog shows a name whose bytes are not UTF-8 with U+FFFD in their place, and
        // gives back that name, which is another file's: never use it.
        if (name.contains(QChar::ReplacementCharacter)) {
            QtMessageBox(parent).warn({MessageId::NameUnusable, {QFile::encodeName(name).toStdString()}});
            continue;
        }
        FileName = QFile::encodeName(name).toStdString();
        FilterIndex = int(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
        if (chosen)
            folder = dialog.directory().absolutePath();
        return;
    }
}

namespace {
// A question closed without an answer (Esc, the close box) is told apart from No, which
// may throw text away.
class QuestionBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool dismissed = false;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (e->matches(QKeySequence::Cancel))
            dismissed = true;
        QMessageBox::keyPressEvent(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        dismissed = true;
        QMessageBox::closeEvent(e);
    }
};

int showBox(QMessageBox::Icon icon, const Message& message, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton escape, QWidget* parent, bool* dismissed = nullptr)
{
    QuestionBox box(icon, messageTitle(message), messageText(message), buttons, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(icon == QMessageBox::Question ? QMessageBox::Yes : QMessageBox::Ok);
    box.setEscapeButton(escape);
    fitTitle(&box);
    const int pressed = answered(box);
    if (dismissed)
        *dismissed = box.dismissed;
    return pressed;
}
} // namespace

Answer QtMessageBox::ask(const Message& message, Buttons buttons)
{
    const bool cancel = buttons == Buttons::YesNoCancel;
    bool dismissed = false;
    const int pressed = showBox(QMessageBox::Question, message,
                                QMessageBox::Yes | QMessageBox::No | (cancel ? QMessageBox::Cancel : QMessageBox::NoButton),
                                cancel ? QMessageBox::Cancel : QMessageBox::No, parent, &dismissed);
    // Closed unanswered, a question means neither Yes nor No: whoever asked keeps things as
    // they were.
    if (dismissed)
        return Answer::Cancel;
    switch (pressed) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void QtMessageBox::warn(const Message& message)
{
    showBox(QMessageBox::Warning, message, QMessageBox::Ok, QMessageBox::Ok, parent);
}

void QtMessageBox::inform(const Message& message)
{
    showBox(QMessageBox::Information, message, QMessageBox::Ok, QMessageBox::Ok, parent);
}

void QtProcess::endProgram()
{
    // Leaving the event loop ends the run; the windows go with the main window, and no
    // close handler runs again.
    QCoreApplication::exit(0);
}

void QtLater::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(&context, std::move(work), Qt::QueuedConnection);
}

} // namespace orvane
