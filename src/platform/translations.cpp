#include "platform/translations.h"

#include "platform/resources.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace orvane {

namespace {
// Words of Qt's own that the window shows (its buttons, the text box's context menu), so that
// they come in the interface's language too.
[[maybe_unused]] const char* const QtWords[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"),       QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"),      QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel"),
    QT_TRANSLATE_NOOP("QWidgetTextControl", "&Undo"), QT_TRANSLATE_NOOP("QWidgetTextControl", "&Redo"),
    QT_TRANSLATE_NOOP("QWidgetTextControl", "Cu&t"),  QT_TRANSLATE_NOOP("QWidgetTextControl", "&Copy"),
    QT_TRANSLATE_NOOP("QWidgetTextControl", "&Paste"), QT_TRANSLATE_NOOP("QWidgetTextControl", "Delete"),
    QT_TRANSLATE_NOOP("QWidgetTextControl", "Select All"),
    // What a file dialog is for, when it is not Open or Save As.
    QT_TRANSLATE_NOOP("Titles", "Export as Unicode"), QT_TRANSLATE_NOOP("Titles", "Export as PDF"),
    // The file types of the file dialogs.
    QT_TRANSLATE_NOOP("Filters", "Tamil Text File  (*.tam)"), QT_TRANSLATE_NOOP("Filters", "All Files (*)"),
    QT_TRANSLATE_NOOP("Filters", "Unicode Text File (*.txt)"), QT_TRANSLATE_NOOP("Filters", "Unicode Tamil text (*.txt)"),
    QT_TRANSLATE_NOOP("Filters", "PDF document (*.pdf)"),
    QT_TRANSLATE_NOOP("Filters", "All documents (*.tam *.txt *.docx *.odt *.rtf *.pdf)"),
};
} // namespace

bool installTranslations(QCoreApplication& app)
{
    registerResources();
    static QTranslator translator;
    if (!translator.load(QLocale(), "orvane", "_", ":/i18n"))
        return false;
    app.installTranslator(&translator);
    return true;
}

} // namespace orvane
