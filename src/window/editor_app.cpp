#include "window/editor_app.h"

#include "platform/end_signals.h"
#include "platform/translations.h"
#include "window/form1.h"
#include "window/icons.h"

#include <QApplication>
#include <QSessionManager>

namespace orvane {

int runEditor(int& argc, char** argv, const std::vector<std::string>& operands)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvane");
    QApplication::setApplicationVersion("1.0");
    QApplication::setQuitOnLastWindowClosed(false);  // only leaving through Form_Unload ends the program
    QGuiApplication::setDesktopFileName("org.example.orvane.Orvane");  // docks group the window with its launcher
    installTranslations(app);
    drawOwnExtensionArrows();

    // The desktop hands the document over as one argument; the start-up open takes it as
    // the command-line text, one path in double quotes.
    const std::string commandLine = operands.empty() ? std::string() : '"' + operands.front() + '"';
    Form1 window;

    // Asked to end by a signal or by the session: unsaved work is kept, never lost. The
    // program ends right there: a question open at that moment is never answered, so
    // nothing acts on a made-up answer.
    EndSignals endSignals([&window](int number) {
        window.keepUnsavedWork();
        endNow(128 + number);
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, [&window](QSessionManager& session) {
        const bool mayAsk = session.allowsInteraction();
        if (!window.sessionEnding(mayAsk))
            session.cancel();
        else if (mayAsk)
            session.release();
    });

    window.Form_Load(commandLine);
    window.show();
    return app.exec();
}

} // namespace orvane
