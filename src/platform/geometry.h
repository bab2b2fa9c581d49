#pragma once
// Design sizes are in twips, 1440 to the inch.

#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QList>
#include <QSpacerItem>
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

// The width a window's title bar needs to show its whole title beside the window manager's
// buttons, the title set in bold as most desktops draw it.
inline int titleBarWidth(const QString& title, const QWidget* w)
{
    QFont bold = w->font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(title) + 4 * QFontMetrics(bold).height() + 48;
}

// Shows a dialog until it is answered, then gives the keyboard back to the window it came
// from: where no window manager does that, the window would not know it is active again, and
// its shortcuts (F12, Ctrl+F) would be dead while the keys still typed.
inline int answered(QDialog& dialog)
{
    const int result = dialog.exec();
    if (QWidget* from = dialog.parentWidget(); from && from->isVisible())
        from->window()->activateWindow();
    return result;
}

// A dialog at least as wide as its title: a narrow box of two buttons would have the window
// manager cut the title ("Wor…ount").
inline void fitTitle(QDialog* dialog)
{
    const int wide = titleBarWidth(dialog->windowTitle(), dialog);
    (void)dialog->minimumSizeHint();  // an input dialog builds its layout when first asked
    // Message boxes and input dialogs size themselves to their layout, whatever minimum they
    // are given: a row of room in the layout widens them.
    auto* room = new QSpacerItem(wide, 0, QSizePolicy::Minimum, QSizePolicy::Fixed);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
        grid->addItem(room, grid->rowCount(), 0, 1, grid->columnCount());
    else if (dialog->layout())
        dialog->layout()->addItem(room);
    else {
        delete room;
        dialog->setMinimumWidth(std::max(dialog->minimumWidth(), wide));
    }
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
