#pragma once
// The base of the tests that drive the real window: Form1 with its modal dialogs, clock
// and process end scripted.

#include "fakes.h"
#include "window/form1.h"
#include "window/text_box.h"

#include <QtTest>

#include <memory>

namespace orvane::test {

class WindowTest : public QObject {
protected:
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
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void type(const QString& keys) { QTest::keyClicks(form->Text1, keys); }
};

} // namespace orvane::test
