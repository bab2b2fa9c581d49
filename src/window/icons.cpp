#include "window/icons.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QWidget>

#include "platform/resources.h"

#include <QFile>
#include <QImage>
#include <cmath>

namespace orvane {

namespace {
// A square image stored as raw premultiplied ARGB32 pixels: nothing to decode.
QPixmap rawImage(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray pixels = file.readAll();
    const int side = int(std::lround(std::sqrt(double(pixels.size() / 4))));
    QImage image(reinterpret_cast<const uchar*>(pixels.constData()), side, side, side * 4,
                 QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image.copy());
}
} // namespace

ImageList ImageList::toolbarIcons()
{
    registerResources();
    static const char* const images[][2] = {
        {"New", "new"},       {"Open", "open"},     {"Save", "save"},           {"Print", "print"},
        {"Cut", "cut"},       {"Copy", "copy"},     {"Paste", "paste"},         {"Bold", "bold"},
        {"Italic", "italic"}, {"Underline", "underline"}, {"Align Left", "align-left"},
        {"Center", "center"}, {"Align Right", "align-right"}, {"Big", "big"},   {"Small", "small"},
    };
    ImageList list;
    for (const auto& [key, file] : images) {
        list.keys << QString::fromLatin1(key);
        list.files << QString(":/icons/%1").arg(QLatin1String(file));
    }
    return list;
}

QPixmap ImageList::image(int index) const { return rawImage(files.value(index - 1) + ".argb"); }

QIcon ImageList::icon(int index, bool darkPalette) const { return toolbarIcon(files.value(index - 1), darkPalette); }

QIcon toolbarIcon(const QString& resource, bool darkPalette)
{
    registerResources();
    const QString file = resource + (darkPalette ? "-dark" : "");
    QIcon icon;
    icon.addPixmap(rawImage(file + ".argb"));
    icon.addPixmap(rawImage(file + "@2x.argb"));
    return icon;
}

bool isDarkPalette(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

QIcon orvaneIcon()
{
    registerResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(rawImage(QString(":/icons/orvane-%1.argb").arg(size)));
    return icon;
}

namespace {
class OwnArrows final : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option, const QWidget* widget) const override
    {
        if (which != SP_ToolBarHorizontalExtensionButton && which != SP_ToolBarVerticalExtensionButton)
            return QProxyStyle::standardIcon(which, option, widget);
        QIcon icon;
        for (const int size : {8, 16}) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            const QPalette palette = widget ? widget->palette() : QApplication::palette();
            painter.setPen(QPen(palette.color(QPalette::WindowText), size / 8.0));
            if (which == SP_ToolBarVerticalExtensionButton)
                painter.translate(size, 0), painter.rotate(90);
            const qreal u = size / 8.0;
            for (const qreal x : {1.5 * u, 4.5 * u})  // two chevrons: more to the right
                painter.drawPolyline(QPolygonF({QPointF(x, 2 * u), QPointF(x + 2 * u, 4 * u), QPointF(x, 6 * u)}));
            painter.end();
            icon.addPixmap(QPixmap::fromImage(image));
        }
        return icon;
    }
};
} // namespace

void drawOwnExtensionArrows() { QApplication::setStyle(new OwnArrows); }

} // namespace orvane
