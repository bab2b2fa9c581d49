// The manual page and README tell what the program does today: every command of the window
// with its keys, and every option of the command line, appear in them; the page renders
// without a warning.

#include "../support/window_test.h"
#include "window/status_panels.h"

#include <QMenu>
#include <QToolBar>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <map>

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

    // The page's toolbar and status bar are the window's: every button by its tool tip, in
    // order, and every panel by what it shows.
    void theManualPageDrawsTheToolbarAndStatusBarAsTheyAre()
    {
        QString warnings;
        const QString page = renderedManual(warnings);
        const qsizetype toolbarAt = page.indexOf("The toolbar's buttons are");
        QVERIFY(toolbarAt >= 0);
        const QString toolbar = page.mid(toolbarAt, page.indexOf(". ", page.indexOf("list of", toolbarAt)) - toolbarAt);
        qsizetype at = 0;
        for (const QAction* action : form->Toolbar1->actions()) {
            if (action->isSeparator() || action->toolTip().isEmpty() || action->data().toString().isEmpty())
                continue;
            const QString named = action->data() == "Keyboard" ? "list of " + action->toolTip().section(' ', 0, 1).toLower()
                                                               : action->toolTip();
            const qsizetype found = toolbar.indexOf(named, at);
            QVERIFY2(found >= 0, qPrintable("the page's toolbar lacks, or misplaces, " + named));
            at = found + named.size();
        }
        const std::map<QString, QString> shows = {
            {"Panel1", "pending consonant"}, {"Panel2", "vowel of the last syllable"}, {"Panel3", "Tamil prompt"},
            {"Panel4", "clock"}, {"UnsavedPanel", "unsaved changes"}, {"PlacePanel", "line and column"},
            {"TypingPanel", "which typing is on"}};
        const qsizetype statusAt = page.indexOf("The status bar shows");
        const QString status = page.mid(statusAt, page.indexOf("The toolbar's", statusAt) - statusAt);
        const QList<StatusPanel*> panels = form->StatusBar1->findChildren<StatusPanel*>();
        QCOMPARE(panels.size(), qsizetype(shows.size()));
        for (const StatusPanel* panel : panels) {
            QVERIFY2(shows.contains(panel->objectName()), qPrintable(panel->objectName() + " is not told of"));
            QVERIFY2(status.contains(shows.at(panel->objectName())), qPrintable(shows.at(panel->objectName())));
        }
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
