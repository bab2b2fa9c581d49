// The composition tables against the rules the keyboard is designed by.

#include "platform/key_string.h"
#include "phonetic/tables.h"

#include <QtTest>

using namespace orvane;

namespace {
CompositionTables filled()
{
    CompositionTables t;
    t.FillSyllableTable();
    t.FillVowelKeys();
    t.FillConsonantKeys();
    return t;
}

// The characters a stored cell inserts.
std::string inserted(const std::string& cell)
{
    std::string out;
    forEachKeyStroke(cell, [&](const KeyStroke& k) { out += k.typedChar(); });
    return out;
}

const char Consonants[] = "kctdpRyrlvLzgGOnmojhSs";
const char Vowels[] = "aAiIuUeEyoOY.";
} // namespace

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void declaredRangesAndEmptyEntries()
    {
        const CompositionTables t = filled();
        QVERIFY(t.VowelKeys[0].empty());
        QVERIFY(t.ConsonantKeys[0].empty());
        for (int r = 0; r < 26; ++r) {
            QVERIFY(t.SyllableTable[r][0].empty());
            for (int c = 1; c <= 13; ++c)
                QCOMPARE(t.SyllableTable[r][c].empty(), r >= 23);
        }
    }

    void keyMapsInOrder()
    {
        const CompositionTables t = filled();
        for (int i = 1; i <= 13; ++i)
            QCOMPARE(t.VowelKeys[i], std::string(1, Vowels[i - 1]));
        for (int i = 1; i <= 22; ++i)
            QCOMPARE(t.ConsonantKeys[i], std::string(1, Consonants[i - 1]));
    }

    void lookupsCaseSensitiveAndOverlapping()
    {
        const CompositionTables t = filled();
        QCOMPARE(t.consonantIndexOf('k'), 1);
        QCOMPARE(t.consonantIndexOf('K'), 0);
        QCOMPARE(t.consonantIndexOf('y'), 7);
        QCOMPARE(t.vowelIndexOf('y'), 9);
        QCOMPARE(t.consonantIndexOf('o'), 18);
        QCOMPARE(t.vowelIndexOf('o'), 10);
        QCOMPARE(t.consonantIndexOf('O'), 15);
        QCOMPARE(t.vowelIndexOf('O'), 11);
        QCOMPARE(t.vowelIndexOf('k'), 0);
        QCOMPARE(t.vowelIndexOf(0), 0);      // index 0 is never compared
        QCOMPARE(t.consonantIndexOf(255), 0);
    }

    void highestMatchWins()
    {
        CompositionTables t = filled();
        t.VowelKeys[12] = "a";
        QCOMPARE(t.vowelIndexOf('a'), 12);
        t.ConsonantKeys[22] = "k";
        QCOMPARE(t.consonantIndexOf('k'), 22);
    }

    void rowsFollowThePatternOnTheirBaseCode()
    {
        const CompositionTables t = filled();
        for (int r = 1; r <= 22; ++r) {
            const std::string base = inserted(t.SyllableTable[r][1]);
            QCOMPARE(base.size(), 1u);
            auto cell = [&](int c) { return inserted(t.SyllableTable[r][c]); };
            const bool rowR = r == 8, rowT = r == 3;
            QCOMPARE(cell(2), base + "h");
            QCOMPARE(cell(3), rowR ? "hp" : rowT ? "b" : base + "p");
            QCOMPARE(cell(4), rowR ? "hP" : rowT ? "B" : base + "P");
            QCOMPARE(cell(7), "n" + base);
            QCOMPARE(cell(8), "N" + base);
            QCOMPARE(cell(9), "i" + base);
            QCOMPARE(cell(10), "n" + base + "h");
            QCOMPARE(cell(11), "N" + base + "h");
            QCOMPARE(cell(12), "n" + base + "s");
            QCOMPARE(cell(13), rowR ? "h;" : base + ";");
        }
    }

    void baseCodesAndBareVowels()
    {
        const CompositionTables t = filled();
        const std::string bases = "frljgwauytsoQqzekd[`\\]";
        for (int r = 1; r <= 22; ++r)
            QCOMPARE(t.SyllableTable[r][1], std::string(1, bases[r - 1]));
        const char* bare[] = {"m", "M", ",", "<", "c", "C", "v", "V", "I", "x", "X", "xs", "/"};
        for (int c = 1; c <= 13; ++c)
            QCOMPARE(t.SyllableTable[0][c], std::string(bare[c - 1]));
    }

    void uColumnsWithRepeatedCells()
    {
        const CompositionTables t = filled();
        QCOMPARE(t.SyllableTable[6][5], t.SyllableTable[6][6]);    // R: "W"
        QCOMPARE(t.SyllableTable[11][5], t.SyllableTable[11][6]);  // L: "S"
        for (int r : {13, 14, 21}) {
            QCOMPARE(t.SyllableTable[r][5], t.SyllableTable[r][1]);
            QCOMPARE(t.SyllableTable[r][6], t.SyllableTable[r][1]);
        }
    }

    void braceNotation_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QByteArray>("chars");
        QTest::newRow("t U") << 3 << 6 << QByteArray("^");
        QTest::newRow("d U") << 4 << 6 << QByteArray("J}");
        QTest::newRow("p U") << 5 << 6 << QByteArray("G+");
        QTest::newRow("y U") << 7 << 6 << QByteArray("A+");
        QTest::newRow("l U") << 9 << 6 << QByteArray("Y}");
        QTest::newRow("v U") << 10 << 6 << QByteArray("T+");
        QTest::newRow("O U") << 15 << 6 << QByteArray("Z}");
        QTest::newRow("n U") << 16 << 6 << QByteArray("E}");
        QTest::newRow("m U") << 17 << 6 << QByteArray("%");
        QTest::newRow("o U") << 18 << 6 << QByteArray("D}");
        QTest::newRow("j u") << 19 << 5 << QByteArray("[{");
        QTest::newRow("h u") << 20 << 5 << QByteArray("`{");
        QTest::newRow("s u") << 22 << 5 << QByteArray("]{");
    }

    void braceNotation()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QByteArray, chars);
        const CompositionTables t = filled();
        QCOMPARE(QByteArray::fromStdString(inserted(t.SyllableTable[row][column])), chars);
    }

    void onlyTheListedCellsUseBraces()
    {
        const CompositionTables t = filled();
        int quoted = 0;
        for (int r = 0; r <= 22; ++r)
            for (int c = 1; c <= 13; ++c) {
                const std::string& cell = t.SyllableTable[r][c];
                QVERIFY(!cell.empty() && cell.size() <= 4);
                for (unsigned char ch : cell)
                    QVERIFY2(ch >= 35 && ch <= 125, cell.c_str());
                if (cell.find_first_of("{}+^%") != std::string::npos) {
                    ++quoted;
                    // Quoted characters never stand alone, so nothing is read as a modifier.
                    std::string plain = cell;
                    for (const char* q : {"{+}", "{^}", "{%}", "{{}", "{}}"})
                        for (auto at = plain.find(q); at != std::string::npos; at = plain.find(q))
                            plain.erase(at, 3);
                    QVERIFY2(plain.find_first_of("{}+^%") == std::string::npos, cell.c_str());
                }
                if (r == 0 || c == 13)
                    QVERIFY(cell.find_first_of("{}") == std::string::npos);
            }
        QCOMPARE(quoted, 13);
    }

    void graveRowIsTheJaRowWithTheGraveAccent()
    {
        const CompositionTables t = filled();
        for (int c = 1; c <= 13; ++c) {
            std::string expected = t.SyllableTable[19][c];
            for (char& ch : expected)
                if (ch == '[')
                    ch = '`';
            QCOMPARE(t.SyllableTable[20][c], expected);
            QVERIFY(t.SyllableTable[20][c].find('`') != std::string::npos);
        }
    }

    void keyStringNotation()
    {
        auto strokes = [](std::string_view keys) {
            QStringList out;
            forEachKeyStroke(keys, [&](const KeyStroke& k) {
                out << QString("%1/%2").arg(k.key ? QString(QChar(k.key)) : "-").arg(k.modifiers);
            });
            return out.join(' ');
        };
        QCOMPARE(strokes("+"), QString("-/1"));
        QCOMPARE(strokes("G{+}"), QString("G/0 +/0"));
        QCOMPARE(strokes("{{}{}}"), QString("{/0 }/0"));
        QCOMPARE(strokes("+a^b%c"), QString("a/1 b/2 c/4"));
        QCOMPARE(KeyStroke({'a', KeyStroke::Shift}).typedChar(), 'A');
        QCOMPARE(KeyStroke({'a', KeyStroke::Ctrl}).typedChar(), '\0');
        QCOMPARE(KeyStroke({0, KeyStroke::Shift}).typedChar(), '\0');
    }
};

QTEST_APPLESS_MAIN(TestTables)
#include "test_tables.moc"
