// Build helper: renders the SVG icons drawn for Orvane (toolbar images at 16 x 16 and, for
// screens scaled 2x, 32 x 32; the application icon at every size a desktop asks for) as PNG
// files, and as raw premultiplied ARGB32 pixels for the program, with the resource file that
// lists those. Rendering at build time keeps SVG parsing and image decoding out of the
// program's start-up.
//
// Each toolbar image is also rendered for dark palettes ("-dark"): the ink the glyph-like
// images are drawn in (letters, lines, the font-size "A") becomes a light ink, since they
// have no paper of their own to stand on.
//
//   render_icons OUT_DIR ICON.svg...

#include <QFile>
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
        QFile source(svg);
        const QByteArray light = source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
        const QString name = QFileInfo(svg).completeBaseName();
        const bool appIcon = name == "orvane";
        struct Rendering {
            QString base;  // the file name without its extension
            QByteArray svg;
            int size;
        };
        QList<Rendering> renderings;
        if (appIcon) {
            for (int size : {16, 32, 48, 64, 128, 256})
                renderings.append({QString("%1-%2").arg(name).arg(size), light, size});
        } else {
            const QByteArray dark = QByteArray(light).replace("#1f2a36", "#e6ebf1").replace("#5b6570", "#b8c2cc");
            renderings.append({name, light, 16});
            renderings.append({name + "@2x", light, 32});
            renderings.append({name + "-dark", dark, 16});
            renderings.append({name + "-dark@2x", dark, 32});
        }
        for (const auto& [base, drawing, size] : renderings) {
            QSvgRenderer renderer(drawing);
            if (!renderer.isValid()) {
                std::fprintf(stderr, "render_icons: cannot read %s\n", qPrintable(svg));
                return 1;
            }
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();
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
