#pragma once
// The base of the tests that drive the real window: Form1 with its modal dialogs, clock
// and process end scripted.

#include "fakes.h"
#include "window/form1.h"
#include "window/text_box.h"

#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace orvane::test {

class WindowTest : public QObject {
public:
    // Recovery files and settings go to folders of the test's own, never the user's.
    WindowTest()
    {
        qputenv("XDG_STATE_HOME", QFile::encodeName(stateHome.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    }

protected:
    QTemporaryDir stateHome, configHome;
    FakeDialog dialog;
    FakeMessages messages;
    FakeProcess process;
    FakeClock clock;
    std::unique_ptr<Form1> form;

    // Empties the dialog and message scripts and what they recorded.
    void freshScripts()
    {
        dialog = {};
        messages = {};
        process = {};
        clock.time = {9, 5, 7};
    }

    // A new window, started with the command-line text, shown and active.
    void startWindow(const std::string& commandLine = "")
    {
        form = std::make_unique<Form1>(Form1Services{&dialog, &messages, &process, &clock, nullptr});
        form->Form_Load(commandLine);
        form->show();
        form->activateWindow();  // on X with no window manager nothing else makes it active
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCoreApplication::processEvents();  // what the window does once it stands
    }

    void type(const QString& keys) { QTest::keyClicks(form->Text1, keys); }

    // File > Save while the process may write no file larger than limit bytes (a fault
    // root cannot bypass); the limit is lifted again afterwards.
    void saveUnderFileSizeLimit(rlim_t limit)
    {
        // The signal such a limit raises is left as it is: it would end the process unless
        // the program ignores it by itself.
        rlimit normal{};
        getrlimit(RLIMIT_FSIZE, &normal);
        rlimit small = normal;
        small.rlim_cur = limit;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        form->menSave_Click();
        setrlimit(RLIMIT_FSIZE, &normal);
    }
};

} // namespace orvane::test
