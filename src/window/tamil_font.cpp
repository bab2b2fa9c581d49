#include "window/tamil_font.h"

#include "platform/resources.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

namespace orvane {

QString tamilFontFamily()
{
    static const QString family = [] {
        const QString installed = QStringLiteral("Bamini");
        if (QFontDatabase::families().contains(installed, Qt::CaseInsensitive))
            return installed;
        registerResources();
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/OrvaneTamil-Regular.ttf"));
        const QStringList bundled = QFontDatabase::applicationFontFamilies(id);
        return bundled.isEmpty() ? installed : bundled.constFirst();
    }();
    return family;
}

QFont unicodeTamilFont(double points)
{
    static const QString noto = [] {
        registerResources();
        const QStringList added = QFontDatabase::applicationFontFamilies(
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/NotoSansTamil-Regular.ttf")));
        return added.isEmpty() ? QStringLiteral("Noto Sans Tamil") : added.constFirst();
    }();
    QFont font = QApplication::font();
    font.setFamilies({font.family(), noto});
    font.setPointSizeF(points);
    return font;
}

QFont tamilFont(double points)
{
    QFont font(tamilFontFamily());
    font.setPointSizeF(points);
    return font;
}

} // namespace orvane
