#include "print/print_module.h"

#include "platform/resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

namespace orvane {

const PrintModule* printModule(std::string& error)
{
    static std::string why;
    static const PrintModule* const module = [] {
        registerResources();  // the module reads its font from the program's resources
        // Beside the program in the build tree (the tests sit one folder below it), else
        // where it is installed, found from the program's folder whatever the prefix.
        const QString here = QCoreApplication::applicationDirPath();
        const QString installed = here + "/" ORVANE_MODULE_FROM_PROGRAM "/orvane-print.so";
        const QString candidates[] = {here + "/orvane-print.so", here + "/../orvane-print.so", installed};
        for (const QString& path : candidates) {
            if (!QFile::exists(path))
                continue;
            QLibrary library(path);
            using Entry = const PrintModule* (*)();
            if (const auto entry = reinterpret_cast<Entry>(library.resolve("orvanePrintModule")))
                return entry();
            why = library.errorString().toStdString();
            return static_cast<const PrintModule*>(nullptr);
        }
        why = QFile::encodeName(QDir::cleanPath(installed)).toStdString() + " is missing";
        return static_cast<const PrintModule*>(nullptr);
    }();
    error = why;
    return module;
}

} // namespace orvane
