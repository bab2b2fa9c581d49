#include "window/icons.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library, so they are registered by hand, once.
void initOrvaneResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(orvane);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace orvane {

namespace {
QPixmap render(const QString& file, int size)
{
    initOrvaneResources();
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer svg(file);
    QPainter painter(&pixmap);
    svg.render(&painter);
    return pixmap;
}
} // namespace

ImageList ImageList::toolbarIcons()
{
    static const char* const files[][2] = {
        {"New", "new"},          {"Open", "open"},        {"Save", "save"},           {"Print", "print"},
        {"Cut", "cut"},          {"Copy", "copy"},        {"Paste", "paste"},         {"Bold", "bold"},
        {"Italic", "italic"},    {"Underline", "underline"}, {"Align Left", "align-left"},
        {"Center", "center"},    {"Align Right", "align-right"}, {"Big", "big"},      {"Small", "small"},
    };
    ImageList list;
    for (const auto& [key, file] : files) {
        list.keys << QString::fromLatin1(key);
        list.images.push_back(render(QString(":/icons/%1.svg").arg(file), 16));
    }
    return list;
}

QIcon orvaneIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(render(":/icons/orvane.svg", size));
    return icon;
}

} // namespace orvane
