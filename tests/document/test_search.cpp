// Finding by Tamil letters and counting them, on documents written from Tamil spelling.

#include "document/search.h"
#include "document/segments.h"
#include "document/unicode_tamil.h"
#include "phonetic/batch_typist.h"
#include "support/real_bamini.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace orvane;

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QStringList found(const std::string& bytes, const QString& query, FindOptions options = {})
{
    QStringList out;
    for (const TextRange& r : findAll(bytes, query.toStdString(), options))
        out << QString::fromStdString(bytes.substr(r.begin, r.end - r.begin));
    return out;
}
} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void byTamilLetters_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("matches");  // the codes each match covers
        // கொண்டு கொடு: o is written around its consonant, and its kaal is no aa of its own.
        QTest::newRow("o around its consonant") << QByteArray("nfhz;L nfhL") << u("கொ") << QStringList({"nfh", "nfh"});
        QTest::newRow("the kaal of o is no aa") << QByteArray("nfhz;L") << u("ா") << QStringList();
        QTest::newRow("e is not o") << QByteArray("nfhz;L") << u("கெ") << QStringList();
        QTest::newRow("a letter finds its syllables") << QByteArray("nfhz;L fz;") << u("க") << QStringList({"nfh", "f"});
        // பாரி: the kaal before i is the letter ra.
        QTest::newRow("ra written with the kaal") << QByteArray("ghhp") << u("ர") << QStringList({"hp"});
        QTest::newRow("aa before ri") << QByteArray("ghhp") << u("பா") << QStringList({"gh"});
        QTest::newRow("au") << QByteArray("nfsjk; nfs") << u("கௌ") << QStringList({"nfs", "nfs"});
        QTest::newRow("e before lla is no au") << QByteArray("nfsh") << u("கௌ") << QStringList();
        QTest::newRow("uu with its mark") << QByteArray("G+ G") << u("பூ") << QStringList({"G+"});
        QTest::newRow("u is not uu") << QByteArray("G+") << u("பு") << QStringList();
        QTest::newRow("sri") << QByteArray("= ];hP") << u("ஸ்ரீ") << QStringList({"=", "];hP"});
        QTest::newRow("grantha with their u") << QByteArray("`{ ]_ `") << u("ஹு") << QStringList({"`{"});
        QTest::newRow("ha, ssa, sa apart") << QByteArray("` \\ ]") << u("ஷ") << QStringList({"\\"});
        QTest::newRow("pulli") << QByteArray("jkpo; jkpo") << u("ழ்") << QStringList({"o;"});
        QTest::newRow("digits and Latin between") << QByteArray("2024 fz 2024") << u("4 க") << QStringList({"4 f"});
        QTest::newRow("none overlap") << QByteArray("fhfhfh") << u("காகா") << QStringList({"fhfh"});
        QTest::newRow("a line end ends a match") << QByteArray("f\r\nf") << u("கக") << QStringList();
        QTest::newRow("empty query") << QByteArray("f") << QString() << QStringList();
        // As a Unicode editor finds them: a letter inside its syllables, ra inside sri.
        QTest::newRow("a letter in a syllable with its sign") << QByteArray("fhw;W nfhb nfz;il f;")
                                                              << u("க") << QStringList({"fh", "nfh", "nf", "f;"});
        QTest::newRow("ra inside sri") << QByteArray("= ];hP") << u("ர") << QStringList({"=", "hP"});
        QTest::newRow("English finds English") << QByteArray("tzf;fk; \x0EHello World\x0F f") << u("World")
                                               << QStringList({"World\x0F"});
    }

    // Replacing letters keeps the rest of each syllable, written back in Bamini's order.
    void replacingLettersKeepsTheirSyllables()
    {
        const std::string bytes = "fhw;W nfhb nfz;il";  // காற்று கொடி கெண்டை
        std::string replaced = bytes;
        const std::vector<TextRange> matches = findAll(bytes, "க");
        QCOMPARE(matches.size(), 3u);
        for (auto it = matches.rbegin(); it != matches.rend(); ++it)
            replaced.replace(it->begin, it->end - it->begin, replacedBytes(*it, "ம"));
        QCOMPARE(QString::fromStdString(baminiToUnicode(replaced)), u("மாற்று மொடி மெண்டை"));
        QCOMPARE(replaced, std::string("khw;W nkhb nkz;il"));
        // English in the replacement is other text; a Tamil letter for an English one is Tamil.
        const std::vector<TextRange> english = findAll("\x0EHello\x0F", "ll");
        QCOMPARE(english.size(), 1u);
        QCOMPARE(replacedBytes(english[0], "LL"), std::string("\x0ELL\x0F"));
        QCOMPARE(replacedBytes(english[0], "க"), std::string("f"));
    }

    // English in either case unless asked; whole words touch no letter, Tamil or English,
    // whether the document is Tamil codes alone or holds English too.
    void caseAndWholeWords()
    {
        const std::string mixed = "\x0EThe theme, THE END\x0F tzf;fk; tzf;fk;> tzf;fkhf";  // வணக்கம் வணக்கம், வணக்கமாக
        const auto matched = [&mixed](const char* query, FindOptions options) {
            QStringList out;
            for (const TextRange& r : findAll(mixed, query, options))
                out << QString::fromStdString(r.reading.substr(r.from, r.to - r.from));
            return out;
        };
        QCOMPARE(matched("the", {}), QStringList({"The", "the", "THE"}));
        QCOMPARE(matched("the", {true, false}), QStringList({"the"}));
        QCOMPARE(matched("the", {false, true}), QStringList({"The", "THE"}));
        QCOMPARE(matched("THE", {true, true}), QStringList({"THE"}));
        QCOMPARE(found(mixed, u("வணக்கம்"), {false, true}), QStringList({"tzf;fk;", "tzf;fk;"}));
        QCOMPARE(found(mixed, u("வணக்க"), {false, true}), QStringList());
        const std::string tamil = "tzf;fk; tzf;fk;> tzf;fkhf";
        QCOMPARE(found(tamil, u("வணக்கம்"), {false, true}), QStringList({"tzf;fk;", "tzf;fk;"}));
        QCOMPARE(found(tamil, u("வணக்க")).size(), 3);  // a part of each word, found where the whole is not
        QCOMPARE(found(tamil, u("கம்"), {false, true}), QStringList());
    }

    void byTamilLetters()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, query);
        QFETCH(QStringList, matches);
        QCOMPARE(found(document.toStdString(), query), matches);
    }

    void agreesWithAPlainSearchOfTheUnicode()
    {
        // On typed documents, a match is exactly a place where the query stands in the
        // Unicode text at the start of a segment.
        // Some documents are long enough to be searched in several stretches of lines.
        const QByteArray keys = "kctdpRyrlvLzgGOnmojhSsaAiIuUeEyoOY.x ,1\n";
        QRandomGenerator random(15);
        for (int round = 0; round < 105; ++round) {
            BatchTypist typist;
            std::string stream;
            for (int k = 0; k < (round < 100 ? 300 : 150000); ++k)
                stream += keys[random.bounded(int(keys.size()))];
            typist.typeBytes(stream);
            std::string bytes = typist.text();
            for (int lone = 0; round >= 100 && lone < 200; ++lone)  // lines may end in CR or LF alone
                bytes.insert(std::size_t(random.bounded(int(bytes.size()))), 1, lone % 2 ? '\r' : '\n');
            std::string unicode;
            std::vector<std::size_t> starts;
            forEachSegment(bytes, [&](const Segment& s) {
                starts.push_back(unicode.size());
                unicode.append(s.text);
            });
            const std::size_t from = starts[random.bounded(int(starts.size()))];
            // In the long ones a single letter, found all over them.
            const std::string query = unicode.substr(from, round < 100 ? 3 + random.bounded(9) : 3);
            // Leftmost, not overlapping.
            std::size_t expected = 0;
            for (std::size_t at = unicode.find(query); at != std::string::npos;) {
                const bool atStart = std::binary_search(starts.begin(), starts.end(), at);
                expected += atStart;
                at = unicode.find(query, atStart ? at + query.size() : at + 1);
            }
            const auto ranges = findAll(bytes, query);
            for (const TextRange& r : ranges) {
                // Read from its word's start and past its end, as the reading looks about a code
                // (the comma key after a letter and before no letter is a comma).
                const std::size_t space = bytes.find_last_of(" \r\n", r.begin);
                const std::size_t word = space == std::string::npos ? 0 : space;
                std::string from;
                forEachSegment(bytes.substr(word, r.end + SegmentReader::Lookahead - word), [&](const Segment& s) {
                    if (word + s.begin >= r.begin)
                        from.append(s.text);
                });
                QVERIFY(from.starts_with(query));
            }
            QCOMPARE(ranges.size(), expected);
        }
    }

    // A document of Tamil codes alone is searched word by word about the codes the query
    // needs; one with other text line by line. Both find the same in the same lines: real
    // lines and typed ones (over 1 MB, searched in two halves), queries of whole letters with
    // spaces about them, and signs alone.
    void wordByWordFindsWhatLineByLineFinds()
    {
        std::string bytes;
        for (const test::RealBaminiLine& line : test::RealBamini)
            bytes.append(line.bamini).append("\r\n");
        QRandomGenerator random(26);
        const QByteArray keys = "kctdpRyrlvLzgGOnmojhSsaAiIuUeEyoOY.x ,1\n  ";
        std::string stream;
        for (int k = 0; k < 1500000; ++k)
            stream += keys[random.bounded(int(keys.size()))];
        BatchTypist typist;
        typist.typeBytes(stream);
        bytes += typist.text();
        // And any codes at all, in any order: stray signs, doubled pullis, the typists' habits,
        // the longest segments the reading makes.
        const std::size_t anyCodes = bytes.size();
        for (int k = 0; k < 300000; ++k)
            bytes += k % 97 == 96 ? '\n' : char(random.bounded(8) == 0 ? 0x80 + random.bounded(128) : 0x20 + random.bounded(95));
        std::vector<std::string> letters;
        for (const std::size_t from : {std::size_t(0), anyCodes})
            forEachSegment(std::string_view(bytes).substr(from, 40000), [&](const Segment& s) {
                letters.emplace_back(s.text);
            });
        const std::string other = "\r\n\x0E\xC3\xA9\x0F";  // other text: read line by line
        std::vector<std::string> queries = {u("ொ").toStdString(), u("ா").toStdString(), u("ஔ").toStdString(), " "};
        for (int q = 0; q < 120; ++q) {
            const std::size_t at = random.bounded(int(letters.size()) - 4);
            std::string query;
            for (std::size_t k = at; k < at + 1 + random.bounded(3); ++k)
                query += letters[k];
            if (query.find('\n') == std::string::npos)
                queries.push_back(query);
        }
        for (const std::string& query : queries) {
            const std::vector<TextRange> byWords = findAll(bytes, query);
            std::vector<TextRange> byLines = findAll(bytes + other, query);
            while (!byLines.empty() && byLines.back().begin >= bytes.size())
                byLines.pop_back();
            QVERIFY2(byWords.size() == byLines.size(), query.c_str());
            for (std::size_t k = 0; k < byWords.size(); ++k)
                QVERIFY2(byWords[k].begin == byLines[k].begin && byWords[k].end == byLines[k].end, query.c_str());
        }
    }

    void counting()
    {
        // வணக்கம் தமிழ், 2024 ஸ்ரீ: பூ
        const TextCounts c = countText("tzf;fk; jkpo;> 2024 =: G+\r\n\r\nx");
        QCOMPARE(c.words, std::size_t(6));
        QCOMPARE(c.letters, std::size_t(11));  // வ ண க் க ம் த மி ழ் ஸ்ரீ பூ ஒ
        QCOMPARE(c.lines, std::size_t(3));
        // as wc -m counts the Unicode: க் is two, however many codes draw a letter
        QCOMPARE(c.characters, std::size_t(QString("வணக்கம் தமிழ், 2024 ஸ்ரீ: பூ\n\nஒ").size()));
        QCOMPARE(countText("").lines, std::size_t(0));
    }
};

QTEST_APPLESS_MAIN(TestSearch)
#include "test_search.moc"
