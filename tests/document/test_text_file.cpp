// What a file's bytes open as: the borderline cases of telling Unicode text from .tam.

#include "document/file_format.h"

#include <QtTest>

using namespace orvane;

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void whatOpensAsUnicode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("unicode");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("pure ASCII, as Bamini is") << QByteArray("tzf;fk;\r\n") << false;
        QTest::newRow("UTF-8 without Tamil") << QByteArray("caf\xc3\xa9\n") << false;
        QTest::newRow("Latin-1 that happens to be UTF-8") << QByteArray("\xc3\xa9t\xc3\xa9") << false;
        QTest::newRow("Windows-1252 bytes") << QByteArray("\x93quoted\x94 \xe9") << false;
        QTest::newRow("UTF-8 with Tamil") << QString::fromUtf8("வணக்கம் world\n").toUtf8() << true;
        QTest::newRow("Tamil, then a byte that is no UTF-8")
            << QString::fromUtf8("வணக்கம்").toUtf8() + "\xff" << false;
        QTest::newRow("a byte-order mark alone") << QByteArray("\xef\xbb\xbf") << true;
        QTest::newRow("a byte-order mark and English") << QByteArray("\xef\xbb\xbfhello\r\n") << true;
        QTest::newRow("a byte-order mark, then no UTF-8") << QByteArray("\xef\xbb\xbf\xff") << false;
    }

    void whatOpensAsUnicode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, unicode);
        QCOMPARE(formatOf(bytes.toStdString()).kind == DocumentFormat::Unicode, unicode);
    }

    void openAndSaveChangeNothingButTheEdits_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("LF, last line ended") << QString::fromUtf8("வணக்கம்\nதமிழ் 2024\n").toUtf8();
        QTest::newRow("CR LF with a mark") << QString::fromUtf8("\uFEFFவணக்கம்\r\nதமிழ்\r\n").toUtf8();
        QTest::newRow("last line open") << QString::fromUtf8("வணக்கம்\nதமிழ்").toUtf8();
        QTest::newRow("empty lines") << QString::fromUtf8("க\n\n\nக\n\n").toUtf8();
        QTest::newRow("CR alone, as old Macs wrote") << QString::fromUtf8("வணக்கம்\rதமிழ்\r").toUtf8();
    }

    void openAndSaveChangeNothingButTheEdits()
    {
        QFETCH(QByteArray, file);
        const OpenedText opened = openText(file.toStdString());
        QCOMPARE(opened.unconvertible, std::size_t(0));
        QCOMPARE(QByteArray::fromStdString(unicodeFileBytes(opened.text, opened.format)), file);
    }

    // Bamini draws some different texts alike; a save writes each line whose codes did not
    // change as the file had it, and only the edited lines anew.
    void aSaveChangesOnlyTheEditedLines()
    {
        const QByteArray file = QString::fromUtf8("\uFEFFகெ\u0BB3தம்\r\nஒ\u0BB3\nக\uFEFFத\rமாற்று\n").toUtf8();
        const OpenedText opened = openText(file.toStdString());
        QVERIFY(opened.origin);
        QVERIFY(QByteArray::fromStdString(unicodeFileBytes(opened.text, opened.format)) != file);  // codes alone lose it
        const auto unchanged = opened.origin->fileFor(opened.text, opened.format);
        QCOMPARE(QByteArray(unchanged->bytes().data(), qsizetype(unchanged->bytes().size())), file);

        // The last line edited: the others as they were; the edited one read back is the edit.
        const std::string edited = opened.text + "f";
        const auto saved = opened.origin->fileFor(edited, opened.format);
        const QByteArray bytes(saved->bytes().data(), qsizetype(saved->bytes().size()));
        QVERIFY(bytes.startsWith(file.left(file.indexOf("\r\xE0\xAE\xAE") + 1)));  // to the line ends, as they were
        QCOMPARE(openText(bytes.toStdString()).text, edited);
        // And the save after keeps what that one wrote.
        const auto again = saved->fileFor(edited, opened.format);
        QCOMPARE(QByteArray(again->bytes().data(), qsizetype(again->bytes().size())), bytes);
        // A line taken out: the lines around it keep their own ends where they still meet.
        const std::size_t second = opened.text.find("\r\n") + 2;
        const std::string removed = opened.text.substr(0, second) + opened.text.substr(opened.text.find("\r\n", second) + 2);
        const auto shorter = opened.origin->fileFor(removed, opened.format);
        QCOMPARE(openText(std::string(shorter->bytes())).text, removed);
        QVERIFY(shorter->bytes().find("\xE0\xAF\x86\xE0\xAE\xB3") != std::string_view::npos);  // கெ + ள, still
    }

    void charactersNoCodeMeansAreKeptAsOtherText()
    {
        const OpenedText opened = openText(QString::fromUtf8("க😀 ❤ ? Hi").toStdString());
        QCOMPARE(opened.text, std::string("f\x0E\xF0\x9F\x98\x80\x0F \x0E\xE2\x9D\xA4\x0F ? \x0EHi\x0F"));
        QCOMPARE(opened.unconvertible, std::size_t(0));
        QCOMPARE(QByteArray::fromStdString(unicodeFileBytes(opened.text, opened.format)),
                 QString::fromUtf8("க😀 ❤ ? Hi").toUtf8());
        // A .tam file cannot hold them: its bytes, where the 8-bit set has them, else "?".
        QCOMPARE(tamFileBytes(opened.text), std::string("f? ? ? Hi\r\n"));
        // And a .tam file's code that marks other text is a code like any other.
        QCOMPARE(tamText(std::string("a\x0E" "b\r\n")), std::string("a\x0E\x0F" "b"));
        QCOMPARE(tamFileBytes(tamText(std::string("a\x0E" "b\r\n"))), std::string("a\x0E" "b\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "test_text_file.moc"
