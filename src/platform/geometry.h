#pragma once
// Design sizes are in twips, 1440 to the inch.

#include <QList>
#include <QRect>
#include <QWidget>

#include <algorithm>

namespace orvane {

inline int twipsToPixels(int twips, const QWidget* w)
{
    return qRound(twips * w->logicalDpiX() / 1440.0);
}

inline int twipsToPixelsY(int twips, const QWidget* w)
{
    return qRound(twips * w->logicalDpiY() / 1440.0);
}

// A window kept from another session (another screen, another scale) put where it is seen
// whole: on the screen that holds most of it (the first, when none does), no larger than
// that screen's free area, and moved inside it.
inline QRect placedOnScreen(QRect window, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return window;
    QRect best = screens.first();
    qint64 most = 0;
    for (const QRect& screen : screens) {
        const QRect common = screen.intersected(window);
        const qint64 area = qint64(common.width()) * common.height();
        if (!common.isEmpty() && area > most) {
            most = area;
            best = screen;
        }
    }
    window.setSize(window.size().boundedTo(best.size()));
    window.moveLeft(std::clamp(window.left(), best.left(), best.right() - window.width() + 1));
    window.moveTop(std::clamp(window.top(), best.top(), best.bottom() - window.height() + 1));
    return window;
}

} // namespace orvane
