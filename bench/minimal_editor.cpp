// The floor for start-up and memory: the least a Qt editor window can be, a QPlainTextEdit
// in a QMainWindow, holding the same text (read as 8-bit) when given a file.

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QPlainTextEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* edit = new QPlainTextEdit(&window);
    window.setCentralWidget(edit);
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly))
            edit->setPlainText(QString::fromLatin1(file.readAll()));
    }
    window.resize(737, 494);
    window.show();
    return app.exec();
}
