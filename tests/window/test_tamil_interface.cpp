// The Tamil interface: every string the program shows has its Tamil, and the Tamil fits.

#include "../support/files.h"
#include "../support/window_test.h"
#include "about/about_windows.h"
#include "platform/translations.h"
#include "window/find_bar.h"
#include "window/keyboard_map.h"
#include "window/status_panels.h"
#include "window/text_box.h"
#include "platform/geometry.h"
#include "platform/message_text.h"
#include "platform/qt_services.h"
#include "platform/reasons.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>
#include <QImage>
#include <QPainter>
#include <QFileDialog>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTranslator>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QXmlStreamReader>

using namespace orvane;
using namespace orvane::test;

namespace {

struct Entry {
    QString translation;
    bool finished = false;
};
using Catalogue = QMap<QString, Entry>;  // "context|source" -> its translation

Catalogue readTs(const QString& path)
{
    Catalogue entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (!xml.readNext() || !xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"source")
            source = xml.readElementText();
        else if (xml.name() == u"translation") {
            const QString type = xml.attributes().value("type").toString();
            Entry& entry = entries[context + "|" + source];
            entry.finished = type.isEmpty();
            entry.translation = xml.readElementText();
        }
    }
    return entries;
}

QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const auto& m : QRegularExpression("%\\d").globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}

bool hasTamil(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x0B80 && c.unicode() <= 0x0BFF; });
}

} // namespace

class TestTamilInterface : public WindowTest {
    Q_OBJECT

    // Every label and button of a window shows its whole text.
    static void showsUncut(QWidget* window)
    {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible())
                continue;
            if (const auto* panel = qobject_cast<const StatusPanel*>(w); panel && !(panel->note() + panel->text()).isEmpty()) {
                const int room = panel->contentsRect().width() - 4;
                const int needed = panel->note().isEmpty() ? panel->fontMetrics().horizontalAdvance(panel->text())
                                                           : QFontMetrics(QApplication::font(panel)).horizontalAdvance(panel->note());
                QVERIFY2(room >= needed, qPrintable(QString("%1: %2 of %3").arg(panel->note()).arg(room).arg(needed)));
                continue;
            }
            const auto* label = qobject_cast<QLabel*>(w);
            const auto* button = qobject_cast<QAbstractButton*>(w);
            if (!(label && !label->text().isEmpty()) && !(button && !button->text().isEmpty()))
                continue;
            if (const auto* tool = qobject_cast<const QToolButton*>(w); tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
                continue;  // its text is its name for a screen reader
            const QString what = label ? label->text() : button->text();
            // A button's own size hint has a minimum width of the style's; its words need less.
            const int needed = label ? label->sizeHint().width()
                                     : w->fontMetrics().horizontalAdvance(QString(what).remove('&')) + 8;
            if (label && label->wordWrap())
                QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(what));
            else
                QVERIFY2(w->width() >= needed, qPrintable(QString("%1: %2 of %3").arg(what).arg(w->width()).arg(needed)));
        }
    }

    QTranslator tamil;

    void speak(bool inTamil)
    {
        QCoreApplication::removeTranslator(&tamil);
        QLocale::setDefault(inTamil ? QLocale(QLocale::Tamil, QLocale::India) : QLocale(QLocale::English, QLocale::UnitedStates));
        if (inTamil)
            QVERIFY(QCoreApplication::installTranslator(&tamil));
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(!installTranslations(*qApp));  // none for English, but the catalogues are registered
        QVERIFY(tamil.load(QLocale(QLocale::Tamil, QLocale::India), "orvane", "_", ":/i18n"));
    }

    // The strings in the sources, as lupdate finds them, are the strings of the shipped
    // translation, each translated, keeping the places its arguments go.
    void everyStringTranslated()
    {
        speak(true);
        QTemporaryDir dir;
        const QString fresh = dir.filePath("fresh.ts");
        QProcess lupdate;
        lupdate.start("/usr/lib/qt6/bin/lupdate", {"-silent", "-locations", "none", ORVANE_SOURCE_DIR "/src", "-ts", fresh});
        QVERIFY2(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());

        const Catalogue sources = readTs(fresh);
        const Catalogue shipped = readTs(ORVANE_SOURCE_DIR "/resources/translations/orvane_ta.ts");
        QVERIFY(sources.size() > 100);
        QCOMPARE(shipped.keys(), sources.keys());
        for (auto it = shipped.cbegin(); it != shipped.cend(); ++it) {
            const QString source = it.key().section('|', 1);
            QVERIFY2(it->finished && hasTamil(it->translation), qPrintable(it.key()));
            QVERIFY2(placeholders(it->translation) == placeholders(source), qPrintable(it.key()));
            QVERIFY2(source.contains('&') == it->translation.contains('&'), qPrintable(it.key()));
        }
    }

    // The dialogs Qt draws for the program speak Tamil too: every label, button and tool
    // button they show (but names of files, sizes and paper, which are no words).
    void everyReasonInTamil()
    {
        speak(true);
        for (const reasons::Words& words : reasons::Table) {
            const char* own = words.text;
            const std::string given = QString(own).arg("64").toStdString();
            const QString shown = messageText({MessageId::ConvertFailed, {"letter.doc", given}});
            QVERIFY2(!shown.contains(QString::fromStdString(given)), own);  // the reason in Tamil, never in English
            QVERIFY2(!QString(own).contains("%1") || shown.contains("64"), own);  // with its number
        }
    }

    void qtDialogsInTamil()
    {
        speak(true);
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        QPrinter printer;
        QPrintDialog print(&printer);
        QPageSetupDialog pageSetup(&printer);
        QPrintPreviewDialog preview(&printer);
        for (QDialog* dialog : std::initializer_list<QDialog*>{&files, &print, &pageSetup, &preview}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QStringList english;
            for (QWidget* w : dialog->findChildren<QWidget*>()) {
                QString words;
                if (const auto* label = qobject_cast<QLabel*>(w))
                    words = label->text();
                else if (const auto* button = qobject_cast<QAbstractButton*>(w))
                    words = button->text().isEmpty() ? button->toolTip() : button->text();
                words.remove(QRegularExpression("<[^>]*>|[&.:]"));
                if (w->isVisible() && words.contains(QRegularExpression("[A-Za-z]{3,}")) && !hasTamil(words))
                    english << words;
            }
            for (const QAction* action : dialog->findChildren<QAction*>())
                if (!action->text().isEmpty() && !hasTamil(action->text()) && action->text().contains(QRegularExpression("[A-Za-z]{3,}")))
                    english << action->text();
            english.removeDuplicates();
            english.removeIf([](const QString& w) { return w.contains(QRegularExpression("^(A4|Letter|Legal|PDF|mm|in|/.*)$")); });
            QVERIFY2(english.isEmpty(), qPrintable(dialog->metaObject()->className() + QString(": ") + english.join(" | ")));
            dialog->hide();
        }
    }

    // Qt's own file dialog shows each file's size, kind and date whole in Tamil.
    void fileDialogColumnsWhole()
    {
        speak(true);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("letters"));
        writeBytes(dir.filePath("letter.tam"), "tzf;fk;");
        QWidget window;
        window.show();
        QtFileDialog files(&window);
        files.folder = dir.path();
        bool looked = false;
        QString cut;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* tree = dialog ? dialog->findChild<QTreeView*>("treeView") : nullptr;
            if (!tree) {
                if (QApplication::activeModalWidget())
                    QApplication::activeModalWidget()->close();
                return;
            }
            dialog->setViewMode(QFileDialog::Detail);
            if (!QTest::qWaitFor([&] { return tree->model()->rowCount(tree->rootIndex()) == 2; })) {
                dialog->reject();
                return;
            }
            QCoreApplication::processEvents();
            for (int c = 1; c < tree->header()->count(); ++c)
                if (tree->header()->sectionSize(c) < std::max(static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(c),
                                                              tree->header()->sectionSizeHint(c)))
                    cut += tree->model()->headerData(c, Qt::Horizontal).toString() + " ";
            looked = tree->model()->rowCount(tree->rootIndex()) == 2;
            dialog->reject();
        });
        files.ShowOpen();
        QVERIFY(looked);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
    }

    // The pictures README shows are remade here from the program as it is, on every run, so
    // that they never fall behind it: the window typing (English interface), the window in
    // Tamil with the Edit menu open, and the keyboard map after k.
    void picturesOfTheProgram()
    {
        const QString docs = ORVANE_SOURCE_DIR "/docs/";
        speak(false);
        freshScripts();
        startWindow();
        form->Text1->setDocumentBytes("tzf;fk;\r\njkpo; vOj;J nfs> ");
        QTest::keyClick(form->Text1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(form->Text1, "k");  // a consonant waiting at the caret
        QTest::qWait(80);                    // the place shown, a moment after the caret stops
        QImage window = form->grab().toImage();
        QVERIFY(window.save(docs + "screenshot.png"));

        form->menKeyboard_Click();
        KeyboardMap* map = form->keyboardMap();
        QVERIFY(QTest::qWaitForWindowExposed(map));
        QCoreApplication::processEvents();
        QVERIFY(map->grab().toImage().convertToFormat(QImage::Format_Grayscale8).save(docs + "keyboard-map.png"));
        QTest::keyClick(form->Text1, Qt::Key_Escape);
        form.reset();

        speak(true);
        freshScripts();
        startWindow();
        form->Text1->setDocumentBytes("tzf;fk;\r\njkpo; vOj;J nfs> ");
        QMenu* edit = form->menu("menEdit");
        const QRect item = form->menuBar()->actionGeometry(edit->menuAction());
        edit->popup(form->menuBar()->mapToGlobal(item.bottomLeft()));
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        QCoreApplication::processEvents();
        // The window with its open menu drawn where it stands, on a canvas that holds both.
        window = form->grab().toImage();
        const QImage menu = edit->grab().toImage();
        const QPoint at = edit->pos() - form->mapToGlobal(QPoint(0, 0));
        QImage picture(std::max(window.width(), at.x() + menu.width()), std::max(window.height(), at.y() + menu.height()),
                       QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        painter.drawImage(0, 0, window);
        painter.drawImage(at, menu);
        painter.end();
        edit->hide();
        QVERIFY(picture.save(docs + "tamil-interface.png"));
        form.reset();
    }

    // Each item of a menu has a letter of its own, in either language: a letter two items share
    // only moves between them (Copy and Cut share theirs as the design names them).
    void accessLettersOnePerItem_data() { windowUncut_data(); }
    void accessLettersOnePerItem()
    {
        QFETCH(bool, inTamil);
        speak(inTamil);
        startWindow();
        std::vector<QMenu*> menus;
        for (QAction* top : form->menuBar()->actions())
            if (top->menu())
                menus.push_back(top->menu());
        const std::unique_ptr<QMenu> context = form->Text1->contextMenuAt({});
        menus.push_back(context.get());
        for (std::size_t k = 0; k < menus.size(); ++k) {
            QMap<int, QString> taken;
            for (QAction* a : menus[k]->actions()) {
                if (a->menu() && std::find(menus.begin(), menus.end(), a->menu()) == menus.end())
                    menus.push_back(a->menu());
                const QKeySequence letter = QKeySequence::mnemonic(a->text());
                if (a->isSeparator() || letter.isEmpty())
                    continue;
                const int key = letter[0].toCombined();
                if (a->objectName() == "menCut" && taken.value(key) == form->findChild<QAction*>("menCopy")->text())
                    continue;
                QVERIFY2(!taken.contains(key), qPrintable(taken.value(key) + " and " + a->text()));
                taken.insert(key, a->text());
            }
        }
    }

    void windowUncut_data()
    {
        QTest::addColumn<bool>("inTamil");
        QTest::newRow("English") << false;
        QTest::newRow("Tamil") << true;
    }

    // At the size it opens at, the window shows every menu, button, panel and note whole, in
    // either language; the find bar fits in it.
    void windowUncut()
    {
        QFETCH(bool, inTamil);
        speak(inTamil);
        freshScripts();
        startWindow();
        const QSize designed = form->size();
        QTest::keyClicks(form->Text1, "k");  // the longer prompt, and a consonant waiting
        showsUncut(form.get());
        // Every note the status bar may show, with a file name of an ordinary length.
        for (const Message& note : std::initializer_list<Message>{
                 {MessageId::OpenStopped, {"letter.tam"}}, {MessageId::DocumentImported, {"letter.docx"}},
                 {MessageId::UnicodeOpened, {"letter.txt"}}, {MessageId::EnglishInTamil, {"12"}},
                 {MessageId::EnglishKept, {"12", "letter.txt"}}, {MessageId::NoEnglishFound, {}}}) {
            form->StatusBar1->showNote(messageText(note));
            showsUncut(form.get());
        }
        form->findBar()->showReplace();
        QCoreApplication::processEvents();
        QCOMPARE(form->size(), designed);  // the bar takes the window's width, never widens it
        for (QLineEdit* field : form->findBar()->findChildren<QLineEdit*>())
            QVERIFY2(field->width() >= field->fontMetrics().horizontalAdvance("வணக்கம்"), qPrintable(field->objectName()));
        showsUncut(form.get());

        // Dialogs as wide as their titles: a window manager cuts a title wider than its window.
        QTimer::singleShot(0, [] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            QWidget* ask = QApplication::activeModalWidget();
            const bool wide = ask->width() >= titleBarWidth(ask->windowTitle(), ask);
            ask->close();
            QVERIFY2(wide, qPrintable(ask->windowTitle()));
        });
        form->editor().GoToLine();
        QMessageBox count(QMessageBox::Information, messageTitle({MessageId::CountDocument, {}}), "1", QMessageBox::Ok);
        fitTitle(&count);
        count.show();
        QVERIFY(count.width() >= titleBarWidth(count.windowTitle(), &count));
        // One access letter for Undo, in the Edit menu and the text box's own menu.
        {
            const std::unique_ptr<QMenu> context = form->Text1->contextMenuAt({10, 10});
            const QList<QAction*> items = context->actions();
            const auto undo = std::find_if(items.begin(), items.end(), [](QAction* a) { return a->objectName() == "edit-undo"; });
            QVERIFY(undo != items.end());
            QCOMPARE((*undo)->text(), form->command("menUndo")->text());
        }
        if (!inTamil) {
            form.reset();
            return;
        }
        QCOMPARE(form->menu("menFile")->title(), QString("கோப்பு (&F)"));
        QVERIFY(hasTamil(form->Text1->createStandardContextMenu()->actions().constFirst()->text()));

        QMenuBar* bar = form->menuBar();
        for (QAction* menu : bar->actions()) {
            QVERIFY2(bar->rect().contains(bar->actionGeometry(menu)), qPrintable(menu->text()));
            for (QAction* item : menu->menu()->actions())
                QVERIFY2(item->isSeparator() || hasTamil(item->text()), qPrintable(item->text()));
        }
        for (QAction* button : form->Toolbar1->actions())
            if (!button->isSeparator() && !button->toolTip().isEmpty())
                QVERIFY2(hasTamil(button->toolTip()) && form->Toolbar1->widgetForAction(button)->isVisible(),
                         qPrintable(button->toolTip()));

        form->menProgram_Click();
        form->menProgrammer_Click();
        form->menKeyboard_Click();
        for (QWidget* window : std::initializer_list<QWidget*>{form->aboutProgram(), form->aboutProgrammer(), form->keyboardMap()}) {
            QVERIFY(window && window->isVisible());
            QVERIFY2(hasTamil(window->windowTitle()), qPrintable(window->objectName()));
            showsUncut(window);
        }
        form.reset();
    }
};

QTEST_MAIN(TestTamilInterface)
#include "test_tamil_interface.moc"
