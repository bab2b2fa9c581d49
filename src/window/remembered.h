#pragma once
// What Orvane remembers between runs, in the user's settings (QSettings): the font size, the
// window's place, the folder of the last file dialog and the recent documents, whose names
// are kept as the bytes they are.

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <string>
#include <vector>

namespace orvane {

class Remembered {
public:
    static constexpr int MaxRecent = 8;

    Remembered();

    QByteArray geometry() const;
    void setGeometry(const QByteArray& geometry);
    qint64 fontSize() const;  // in 1/10000 point; 0 when none was kept
    void setFontSize(qint64 tenThousandths);
    QString keyboard() const;  // the keyboard's name; empty when none was chosen
    void setKeyboard(const QString& name);
    QString folder() const;
    void setFolder(const QString& folder);

    std::vector<std::string> recent() const;  // the newest first
    void addRecent(const std::string& path);
    void removeRecent(const std::string& path);
    // Writes what is kept now, for a program about to end without its destructors.
    void sync() { settings.sync(); }

private:
    void setRecent(const std::vector<std::string>& paths);
    QSettings settings;
};

} // namespace orvane
