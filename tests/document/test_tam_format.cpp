// The .tam reader and writer, byte for byte.

#include "document/document_flows.h"
#include "document/file_format.h"

#include <QtTest>

using namespace orvane;

class TestTamFormat : public QObject {
    Q_OBJECT
private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("zero bytes") << QByteArray() << QByteArray();
        QTest::newRow("closing CR LF only") << QByteArray("\r\n") << QByteArray();
        QTest::newRow("A CR LF") << QByteArray("A\r\n") << QByteArray("A");
        QTest::newRow("two lines, no terminator") << QByteArray("ab\r\ncd") << QByteArray("ab\r\ncd");
        QTest::newRow("A CR LF B") << QByteArray("A\r\nB") << QByteArray("A\r\nB");
        QTest::newRow("lone CR") << QByteArray("a\rb") << QByteArray("a\r\nb");
        QTest::newRow("trailing lone CR") << QByteArray("a\r") << QByteArray("a");
        QTest::newRow("lone LF is a character") << QByteArray("a\nb\n") << QByteArray("a\nb\n");
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb");
        QTest::newRow("LF CR") << QByteArray("a\n\rb") << QByteArray("a\n\r\nb");
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\n\r\n") << QByteArray("\r\n\r\n");
        QTest::newRow("NUL and high bytes") << QByteArray("\0\xa0\xff\x81", 4) << QByteArray("\0\xa0\xff\x81", 4);
    }

    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(tamText(file.toStdString())), text);
    }

    void writeAppendsOneClosingLineEnd()
    {
        QCOMPARE(tamFileBytes(""), std::string("\r\n"));
        QCOMPARE(tamFileBytes("abc"), std::string("abc\r\n"));
        QCOMPARE(tamFileBytes("a\r\n"), std::string("a\r\n\r\n"));
    }

    void openThenSaveGivesBackTheBytes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("saved by Orvane") << QByteArray("f nfs\r\nhp J}\r\n");
        QTest::newRow("ends in an empty line") << QByteArray("a\r\n\r\n");
        QTest::newRow("LF only") << QByteArray("a\nb\n\r\n");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            if (b != '\r')
                all += char(b);
        QTest::newRow("every byte but CR") << all + "\r\n";
    }

    void openThenSaveGivesBackTheBytes()
    {
        QFETCH(QByteArray, file);
        const std::string once = tamFileBytes(tamText(file.toStdString()));
        QCOMPARE(QByteArray::fromStdString(once), file);
        QCOMPARE(tamFileBytes(tamText(once)), once);
    }

    void captions()
    {
        QCOMPARE(documentCaption(""), std::string("Orvane [ Untitled.tam ]"));
        QCOMPARE(documentCaption("/home/a/letter.tam"), std::string("Orvane [ /home/a/letter.tam ]"));
    }
};

QTEST_APPLESS_MAIN(TestTamFormat)
#include "test_tam_format.moc"
