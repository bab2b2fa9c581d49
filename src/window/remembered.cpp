#include "window/remembered.h"

#include <QVariantList>

#include <algorithm>

namespace orvane {

Remembered::Remembered() : settings(QSettings::IniFormat, QSettings::UserScope, "Orvane", "Orvane") {}

QByteArray Remembered::geometry() const { return settings.value("window/geometry").toByteArray(); }

void Remembered::setGeometry(const QByteArray& geometry) { settings.setValue("window/geometry", geometry); }

qint64 Remembered::fontSize() const { return settings.value("text/fontSize", 0).toLongLong(); }

void Remembered::setFontSize(qint64 tenThousandths) { settings.setValue("text/fontSize", tenThousandths); }

QString Remembered::keyboard() const { return settings.value("typing/keyboard").toString(); }

void Remembered::setKeyboard(const QString& name) { settings.setValue("typing/keyboard", name); }

QString Remembered::folder() const { return settings.value("files/folder").toString(); }

void Remembered::setFolder(const QString& folder) { settings.setValue("files/folder", folder); }

std::vector<std::string> Remembered::recent() const
{
    std::vector<std::string> paths;
    for (const QVariant& v : settings.value("files/recent").toList())
        // Names are kept from the root; one that is not (an older run's) meant a folder that is
        // not known any more.
        if (const QByteArray path = v.toByteArray(); path.startsWith('/') && int(paths.size()) < MaxRecent)
            paths.push_back(path.toStdString());
    return paths;
}

void Remembered::setRecent(const std::vector<std::string>& paths)
{
    QVariantList list;
    for (const std::string& path : paths)
        list << QByteArray::fromStdString(path);
    settings.setValue("files/recent", list);
}

void Remembered::addRecent(const std::string& path)
{
    std::vector<std::string> paths = recent();
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    paths.insert(paths.begin(), path);
    if (int(paths.size()) > MaxRecent)
        paths.resize(std::size_t(MaxRecent));
    setRecent(paths);
}

void Remembered::removeRecent(const std::string& path)
{
    std::vector<std::string> paths = recent();
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    setRecent(paths);
}

} // namespace orvane
