#include "window/icons.h"

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

} // namespace orvane
