// The manual page and README tell what the program does today: every command of the window
// with its keys, and every option of the command line, appear in them; the page renders
// without a warning.

#include "../support/window_test.h"

#include <QMenu>
#include <QToolBar>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;

namespace {
QString simplified(QString text)
{
    return text.replace(QRegularExpression("\\s+"), " ");
}

// The page as a reader sees it, on one line; what groff warned about, in warnings.
QString renderedManual(QString& warnings)
{
    QProcess man;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("MANWIDTH", "80");
    man.setProcessEnvironment(env);
    man.start("man", {"--warnings", "-l", ORVANE_SOURCE_DIR "/docs/orvane.1"});
    if (!man.waitForFinished(30000))
        return {};
    warnings = QString::fromUtf8(man.readAllStandardError());
    return simplified(QString::fromUtf8(man.readAllStandardOutput()));
}

QString readme()
{
    QFile file(ORVANE_SOURCE_DIR "/README.md");
    return file.open(QIODevice::ReadOnly) ? simplified(QString::fromUtf8(file.readAll())) : QString();
}

// A caption as a reader names it: no access marks, no "...".
QString spoken(const QAction* action)
{
    QString caption = action->text();
    caption.remove('&');
    if (caption.endsWith("..."))
        caption.chop(3);
    return caption;
}
} // namespace

class TestManual : public WindowTest {
    Q_OBJECT

    // The window's commands: every action of the menus, the toolbar and the keys, but the
    // recent documents (file names) and separators.
    QList<QAction*> commands()
    {
        QList<QAction*> list;
        for (QAction* action : form->findChildren<QAction*>()) {
            if (action->isSeparator() || action->text().isEmpty() || action == form->Toolbar1->toggleViewAction())
                continue;
            if (action->associatedObjects().contains(form->menu("menRecent")))
                continue;
            list << action;
        }
        return list;
    }

private slots:
    void init()
    {
        freshScripts();
        startWindow();
    }
    void cleanup() { form.reset(); }

    void theManualPageNamesEveryCommandKeyAndOption()
    {
        QString warnings;
        const QString page = renderedManual(warnings);
        QVERIFY2(!page.isEmpty(), "man -l gave nothing");
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings));
        for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "KEYS", "FILES", "ENVIRONMENT",
                                    "EXIT STATUS", "SEE ALSO"})
            QVERIFY2(page.contains(section), section);
        QStringList missing;
        for (const QAction* action : commands()) {
            if (!page.contains(spoken(action)))
                missing << spoken(action);
            for (const QKeySequence& key : action->shortcuts())
                if (!page.contains(key.toString(QKeySequence::PortableText)))
                    missing << spoken(action) + ": " + key.toString(QKeySequence::PortableText);
        }
        QProcess help;
        help.start(ORVANE_EXE, {"--help"});
        QVERIFY(help.waitForFinished(30000));
        const QStringList options =
            QString::fromUtf8(help.readAllStandardOutput()).split('\n').filter(QRegularExpression("^  [-A-Z]"));
        QVERIFY(options.size() >= 6);
        for (const QString& line : options)
            if (const QString option = line.trimmed().section(' ', 0, 0); !page.contains(option.section('.', 0, 0)))
                missing << option;
        QVERIFY2(missing.isEmpty(), qPrintable("not in the manual page: " + missing.join(", ")));
    }

    void theReadmeNamesEveryMenuCommandAndKey()
    {
        const QString text = readme();
        QStringList missing;
        for (const QAction* action : commands()) {
            const QObjectList shownIn = action->associatedObjects();
            const bool inMenu = std::any_of(shownIn.begin(), shownIn.end(), [](QObject* o) { return qobject_cast<QMenu*>(o); });
            if (inMenu && !text.contains(spoken(action)))
                missing << spoken(action);
            for (const QKeySequence& key : action->shortcuts())
                if (!text.contains(key.toString(QKeySequence::PortableText)))
                    missing << spoken(action) + ": " + key.toString(QKeySequence::PortableText);
        }
        QVERIFY2(missing.isEmpty(), qPrintable("not in README: " + missing.join(", ")));
    }
};

QTEST_MAIN(TestManual)
#include "test_manual.moc"
