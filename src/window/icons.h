#pragma once
// imlToolbarIcons and the window icon, drawn from the SVGs in the resources.

#include <QIcon>
#include <QPixmap>
#include <QStringList>

#include <vector>

namespace orvane {

class ImageList {
public:
    // The fifteen 16 x 16 toolbar images, in order, by key.
    static ImageList toolbarIcons();

    int count() const { return int(images.size()); }
    QString key(int index) const { return keys.value(index - 1); }   // 1-based, as the design numbers them
    QPixmap image(int index) const { return images.at(std::size_t(index - 1)); }

private:
    QStringList keys;
    std::vector<QPixmap> images;
};

QIcon orvaneIcon();

} // namespace orvane
