#include "window/editor_app.h"

#include "window/form1.h"

#include <QApplication>

namespace orvane {

int runEditor(int& argc, char** argv, const std::vector<std::string>& operands)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvane");
    QApplication::setApplicationVersion("1.0");
    QApplication::setQuitOnLastWindowClosed(false);  // only leaving through Form_Unload ends the program

    // The desktop hands the document over as one argument; the start-up open takes it as
    // the command-line text, one path in double quotes.
    const std::string commandLine = operands.empty() ? std::string() : '"' + operands.front() + '"';
    Form1 window;
    window.Form_Load(commandLine);
    window.show();
    return app.exec();
}

} // namespace orvane
