#pragma once
// Design sizes are in twips, 1440 to the inch.

#include <QWidget>

namespace orvane {

inline int twipsToPixels(int twips, const QWidget* w)
{
    return qRound(twips * w->logicalDpiX() / 1440.0);
}

inline int twipsToPixelsY(int twips, const QWidget* w)
{
    return qRound(twips * w->logicalDpiY() / 1440.0);
}

} // namespace orvane
