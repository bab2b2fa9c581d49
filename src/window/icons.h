#pragma once
// imlToolbarIcons and the window icon. They are drawn as SVG and rendered to PNG when
// Orvane is built (scripts/render_icons.cpp).

#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QStringList>

namespace orvane {

class ImageList {
public:
    // The fifteen 16 x 16 toolbar images, in order, by key.
    static ImageList toolbarIcons();

    int count() const { return int(keys.size()); }
    QString key(int index) const { return keys.value(index - 1); }  // 1-based, as the design numbers them
    QPixmap image(int index) const;  // loaded when first asked for
    // The image as an icon: 16 x 16 and 32 x 32 for screens scaled 2x, in a light ink on
    // dark palettes.
    QIcon icon(int index, bool darkPalette) const;

private:
    QStringList keys;
    QStringList files;
};

QIcon orvaneIcon();

// A toolbar picture by its resource (":/icons/english"), as ImageList::icon draws it.
QIcon toolbarIcon(const QString& resource, bool darkPalette);

// Whether a palette's window is dark, so icons need their light ink.
bool isDarkPalette(const QPalette& palette);

// The application's style, but for the arrow of a menu bar or toolbar too narrow for all it
// holds, which it draws itself: the style's own is a PNG, and reading the first PNG has Qt
// load every image-format plugin (SVG and its library among them) while the window is built.
void drawOwnExtensionArrows();

} // namespace orvane
