#include "window/editor_app.h"

#include <QApplication>
#include <QMainWindow>

namespace orvane {

int runEditor(int& argc, char** argv, const std::vector<std::string>&)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Orvane");
    window.show();
    return app.exec();
}

} // namespace orvane
