// Build helper: renders the SVG icons drawn for Orvane (16 x 16 toolbar images; the
// application icon at every size a desktop asks for) as PNG files, and as raw premultiplied
// ARGB32 pixels for the program, with the resource file that lists those. Rendering at
// build time keeps SVG parsing and image decoding out of the program's start-up.
//
//   render_icons OUT_DIR ICON.svg...

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: render_icons OUT_DIR ICON.svg...\n");
        return 2;
    }
    const QString out = args[1];
    QString qrc = "<RCC>\n  <qresource prefix=\"/icons\">\n";
    for (const QString& svg : args.mid(2)) {
        QSvgRenderer renderer(svg);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "render_icons: cannot read %s\n", qPrintable(svg));
            return 1;
        }
        const QString name = QFileInfo(svg).completeBaseName();
        const bool appIcon = name == "orvane";
        const QList<int> sizes = appIcon ? QList<int>{16, 32, 48, 64, 128, 256} : QList<int>{16};
        for (int size : sizes) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();
            const QString base = appIcon ? QString("%1-%2").arg(name).arg(size) : name;
            QSaveFile raw(out + "/" + base + ".argb");
            const bool written = image.save(out + "/" + base + ".png") && raw.open(QIODevice::WriteOnly)
                                 && raw.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes())
                                        == image.sizeInBytes()
                                 && raw.commit();
            if (!written) {
                std::fprintf(stderr, "render_icons: cannot write %s/%s\n", qPrintable(out), qPrintable(base));
                return 1;
            }
            if (!appIcon || size <= 64)
                qrc += QString("    <file>%1.argb</file>\n").arg(base);
        }
    }
    qrc += "  </qresource>\n</RCC>\n";
    QSaveFile file(out + "/icons.qrc");
    if (!file.open(QIODevice::WriteOnly) || file.write(qrc.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "render_icons: cannot write %s/icons.qrc\n", qPrintable(out));
        return 1;
    }
    return 0;
}
