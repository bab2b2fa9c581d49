// Bamini codes to Unicode Tamil and back, against Unicode's own letters and signs.

#include "document/english_words.h"
#include "document/other_text.h"
#include "document/segments.h"
#include "document/file_format.h"
#include "document/unicode_tamil.h"
#include "platform/both_at_once.h"
#include "platform/utf8.h"
#include "phonetic/batch_typist.h"
#include "platform/key_string.h"
#include "phonetic/tables.h"
#include "support/real_bamini.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

using namespace orvane;

#ifndef ROUNDS
#define ROUNDS 200
#endif

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }
QString toU(const std::string& bamini) { return QString::fromStdString(baminiToUnicode(bamini)); }
QByteArray toB(const QString& text) { return QByteArray::fromStdString(unicodeToBamini(text.toStdString())); }

// The design's rows and columns in Unicode's letters and signs.
const QString Consonants = u("கசடதபறயரலவளழஞஙணநமனஜஹஷஸ");
const QStringList Signs = u(",ா,ி,ீ,ு,ூ,ெ,ே,ை,ொ,ோ,ௌ,்").split(',');
const QString BareVowels = u("அஆஇஈஉஊஎஏஐஒஓஔஃ");

// Bamini has no glyph of its own for these; typed, they are another syllable's codes.
bool drawnAsAnother(int row, int column)
{
    return ((row == 13 || row == 14 || row == 21) && (column == 5 || column == 6))
           || (column == 6 && (row == 6 || row == 11));
}

QString syllable(int row, int column)
{
    return row == 0 ? BareVowels.mid(column - 1, 1) : Consonants.mid(row - 1, 1) + Signs[column - 1];
}

QString drawn(int row, int column)
{
    if (!drawnAsAnother(row, column))
        return syllable(row, column);
    return column == 6 && (row == 6 || row == 11) ? syllable(row, 5) : syllable(row, 1);
}

std::string cellCodes(const CompositionTables& t, int row, int column)
{
    std::string out;
    forEachKeyStroke(t.SyllableTable[row][column], [&](const KeyStroke& k) { out += k.typedChar(); });
    return out;
}
} // namespace

class TestUnicodeTamil : public QObject {
    Q_OBJECT

    CompositionTables tables;

private slots:
    void initTestCase()
    {
        tables.FillSyllableTable();
        tables.FillVowelKeys();
        tables.FillConsonantKeys();
    }

    void everyCellBothWays()
    {
        for (int r = 0; r <= 22; ++r)
            for (int c = 1; c <= 13; ++c) {
                const std::string codes = cellCodes(tables, r, c);
                const QString expected = drawn(r, c);
                const QString got = toU(codes);
                QVERIFY2(got == expected, qPrintable(QString("%1 reads as %2, not %3").arg(QString::fromStdString(codes), got, expected)));
                QCOMPARE(got, got.normalized(QString::NormalizationForm_C));
                // றூ and ளூ typed are their u-forms; from Unicode they get the uu mark after.
                const bool uuMarked = c == 6 && (r == 6 || r == 11);
                UnicodeReading reading;
                QCOMPARE(unicodeToBamini(syllable(r, c).toStdString(), reading), uuMarked ? codes + "}" : codes);
                QCOMPARE(reading.drawnAs, std::size_t(drawnAsAnother(r, c) && !uuMarked));
                if (uuMarked)
                    QCOMPARE(toU(codes + "}"), syllable(r, c));
                else if (!drawnAsAnother(r, c))
                    QCOMPARE(toB(expected).toStdString(), codes);
            }
    }

    void promptsAndClockWords()
    {
        QCOMPARE(toU("nka; vOj;ij mOj;jTk;"), u("மெய் எழுத்தை அழுத்தவும்"));
        QCOMPARE(toU("caph; vOj;ij mOj;jTk;"), u("உயிர் எழுத்தை அழுத்தவும்"));
        QCOMPARE(toU("fhiy"), u("காலை"));
        QCOMPARE(toU("khiy"), u("மாலை"));
    }

    void whatOtherConvertersGetWrong()
    {
        QCOMPARE(toU("^"), u("டூ"));
        QCOMPARE(toU("*"), u("ழூ"));
        QCOMPARE(toU("G+ A+ T+"), u("பூ யூ வூ"));
        QCOMPARE(toU("+"), u("+"));  // completes nothing
        QCOMPARE(toU("="), u("ஸ்ரீ"));
        QCOMPARE(toB(u("ஸ்ரீ")), QByteArray("="));
        QCOMPARE(toB(u("ஸ")), QByteArray("]"));
        QCOMPARE(toU(","), u("இ"));
        QCOMPARE(toU(">"), u(","));
        QCOMPARE(toB(u("இ, ஈ;")), QByteArray(",> <@"));
        QCOMPARE(toU("nfs"), u("கௌ"));
        QCOMPARE(toU("nfsh"), u("கெளா"));  // lla with a sign of its own is no au mark
        QCOMPARE(toU("nfs;"), u("கெள்"));
        QCOMPARE(toB(u("கெளா")), QByteArray("nfsh"));
        QCOMPARE(toU("xs"), u("ஔ"));
        QCOMPARE(toU("xsp"), u("ஒளி"));
        QCOMPARE(toU("nrshP"), u("சௌரீ"));  // the kaal of rii is no sign of lla
        QCOMPARE(toB(u("ஙு")), QByteArray("q"));  // not the code of zhuu
        QCOMPARE(toU("fhp"), u("கரி"));  // the kaal before i is ra, not aa
        QCOMPARE(toU("nfhp"), u("கெரி"));
        QCOMPARE(toB(u("பாரி")), QByteArray("ghhp"));
        QCOMPARE(toU("ghhp"), u("பாரி"));
    }

    void realBaminiText_data()
    {
        QTest::addColumn<QByteArray>("bamini");
        QTest::addColumn<QString>("unicode");
        QTest::addColumn<QByteArray>("written");
        for (const test::RealBaminiLine& line : test::RealBamini)
            QTest::newRow(line.bamini) << QByteArray(line.bamini) << u(line.unicode)
                                       << QByteArray(line.written ? line.written : line.bamini);
    }

    void realBaminiText()
    {
        QFETCH(QByteArray, bamini);
        QFETCH(QString, unicode);
        QFETCH(QByteArray, written);
        QCOMPARE(toU(bamini.toStdString()), unicode);
        QCOMPARE(toB(unicode), written);
    }

    void codesOfOtherWriters()
    {
        // H is a whole r with pulli, also with the pulli typed again over it; Orvane writes
        // r as its keyboard does.
        QCOMPARE(toU("ngaH"), u("பெயர்"));
        QCOMPARE(toU("xl;LeH;"), u("ஒட்டுநர்"));
        QCOMPARE(toB(u("பெயர்")), QByteArray("ngah;"));
        // The kaal after a letter that has its vowel is ra, but aa after a bare consonant.
        QCOMPARE(toU("kPh"), u("மீர"));
        QCOMPARE(toU("ifh"), u("கைர"));
        QCOMPARE(toU("fhh"), u("கார"));
        QCOMPARE(toU(" h"), u(" ா"));
        QCOMPARE(toU("ih"), u("◌ைா"));  // a sign alone on its circle is no letter with its vowel
    }

    void decomposedInputAndOtherCharacters()
    {
        QCOMPARE(toB(u("கொ").normalized(QString::NormalizationForm_D)), QByteArray("nfh"));
        QCOMPARE(toB(u("கௌ").normalized(QString::NormalizationForm_D)), QByteArray("nfs"));
        QCOMPARE(toB(u("ஔ").normalized(QString::NormalizationForm_D)), QByteArray("xs"));
        QCOMPARE(toB(u("a\nb\r\nc\rd")), QByteArray("a\r\nb\r\nc\r\nd"));
        QCOMPARE(toB(u("é€😀௧")), QByteArray("\xe9\x80??"));
        QCOMPARE(unicodeToBamini("a\xff\xc3"), std::string("a??"));
        QCOMPARE(toU("1\r\n2\n3"), u("1\n2\n3"));
        QCOMPARE(toU("rN<"), u("ச◌ேஈ"));  // a sign with no letter does not join the one before
        QCOMPARE(toB(u("ச◌ேஈ")), QByteArray("rN<"));
        QCOMPARE(toU("\xe9\x80"), u("é€"));
        QVERIFY(utf8::containsTamil(u("abc க").toStdString()));
        QVERIFY(!utf8::containsTamil(u("abc é€").toStdString()));
    }

    void unicodeRoundTripOnDrawableText()
    {
        // Every syllable Bamini draws distinctly, in random order with spaces and line ends;
        // left out: a bare lla after e-signs and after o, which Bamini draws as the au forms.
        QStringList pool;
        for (int r = 0; r <= 22; ++r)
            for (int c = 1; c <= 13; ++c)
                if (!drawnAsAnother(r, c) || (c == 6 && (r == 6 || r == 11)))  // றூ, ளூ with the uu mark
                    pool << syllable(r, c);
        pool << u("ஸ்ரீ") << " " << "\n" << "1" << ",";
        QRandomGenerator random(20261207);
        for (int round = 0; round < ROUNDS; ++round) {
            QString text;
            for (int k = 0; k < 40; ++k) {
                const QString next = pool[random.bounded(int(pool.size()))];
                const bool ambiguous = next == u("ள") && (text.endsWith(Signs[6]) || text.endsWith(u("ஒ")));
                if (!ambiguous)
                    text += next;
            }
            const QString back = toU(unicodeToBamini(text.toStdString()));
            if (back != text) {
                qsizetype at = 0;
                while (at < text.size() && back[at] == text[at])
                    ++at;
                QFAIL(qPrintable(QString("differs after \"%1\": \"%2\" came back as \"%3\" (%4)")
                                     .arg(text.mid(at - 4, 4), text.mid(at, 6), back.mid(at, 6),
                                          QString::fromStdString(unicodeToBamini(text.mid(at - 4, 10).toStdString())))));
            }
        }
    }

    // Either uu mark completes any u-form: writers close a u-form with the mark the table does
    // not write after it (a prayer book's app: கற்றூணில்).
    void eitherUuMarkAfterAnyUForm()
    {
        QCOMPARE(toU("fw;W}zpy;"), u("கற்றூணில்"));
        QCOMPARE(toU("S+ J+ G}"), u("ளூ தூ பூ"));
        QCOMPARE(toU("W"), u("று"));  // alone, still the u-form
    }

    // How writers type on the typewriter's keys, seen in their text: a kaal after a u-form is
    // the uu sign, + after pa is பூ, the comma key at a word's end is a comma, and a pulli typed
    // again or after a vowel sign draws nothing. Read alike whole and a code at a time.
    void typewriterHabits()
    {
        const std::pair<const char*, const char*> cases[] = {
            {"gYhd;", "பலூன்"}, {"Ehy;", "நூல்"}, {"tz;zj;Jg;g+r;rp", "வண்ணத்துப்பூச்சி"}, {"g+kp", "பூமி"},
            {"jhj;jh, te;jhu;", "தாத்தா, வந்தார்"}, {"mtd,\r\n", "அவன,\n"},
            {"md;Gld;;", "அன்புடன்"}, {"ngW;", "பெறு"}, {"fp; f;;", "கி க்"},
            // where the habits do not reach: இ begins a word, after a digit or a bracket too;
            // a kaal before a sign of its own is ra; a kaal after a vowel is ra as before.
            {",dk;> 1,y; (,)", "இனம், 1இல் (இ)"}, {"Jhp Fh;", "துரி குர்"}, {"kPh", "மீர"}, {"fy;", "கல்"}};
        for (const auto& [bamini, unicode] : cases) {
            QCOMPARE(toU(bamini), u(unicode));
            std::string piecewise;
            SegmentReader reader;
            const std::string_view all(bamini);
            std::size_t done = 0;
            for (std::size_t end = 1; end <= all.size(); ++end)
                done += reader.appendText(all.substr(done, end - done), end == all.size(), piecewise);
            QCOMPARE(QString::fromStdString(piecewise), u(unicode));
        }
    }

    // English words in plain Bamini text, told from the Bamini ones on lines people set in the
    // two fonts, each word labelled by its source's fonts: at least 97% of the English kept,
    // at most 0.5% of the Bamini taken for English; and no word of the real Bamini lines.
    void englishInPlainBamini()
    {
        QFile file(QFINDTESTDATA("../data/english-in-bamini/labelled.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        int english = 0, kept = 0, bamini = 0, misread = 0;
        QStringList wrong;
        for (const QByteArray& row : file.readAll().split('\n')) {
            if (row.isEmpty() || row.startsWith('#'))
                continue;
            const QByteArray labels = row.left(row.indexOf('\t')), line = row.mid(row.indexOf('\t') + 1);
            const std::string text = line.toStdString();
            const std::vector<WordRange> found = englishWordsIn(text);
            int word = 0;
            for (qsizetype i = 0; i < line.size(); ++word) {
                while (i < line.size() && line[i] == ' ')
                    ++i;
                const qsizetype begin = i;
                while (i < line.size() && line[i] != ' ')
                    ++i;
                if (begin == i)
                    break;
                const bool called = std::any_of(found.begin(), found.end(), [&](const WordRange& r) { return r.begin == std::size_t(begin); });
                const char label = labels[word];
                english += label == 'e', kept += label == 'e' && called;
                bamini += label == 'b', misread += label == 'b' && called;
                if ((label == 'e' && !called) || (label == 'b' && called))
                    wrong << QString::fromLatin1(line.mid(begin, i - begin));
            }
            QCOMPARE(word, labels.size());
        }
        qInfo("English kept %d of %d, Bamini misread %d of %d; wrong: %s", kept, english, misread, bamini,
              qPrintable(wrong.join(' ')));
        QVERIFY(english > 300 && bamini > 500);
        QVERIFY2(kept * 100 >= english * 97, "fewer than 97% of the English words kept");
        QVERIFY2(misread * 1000 <= bamini * 5, "more than 0.5% of the Bamini words taken for English");
        for (const test::RealBaminiLine& real : test::RealBamini)
            QVERIFY2(englishWordsIn(real.bamini).empty(), real.bamini);
        // A document's bytes: the English made runs of its own, the runs it had kept.
        std::size_t marked = 0;
        const std::string doc = std::string("fy;Y}hp College\r\nName ") + OtherBegins + "x" + OtherEnds + " ngah;";
        QCOMPARE(withEnglishKept(doc, &marked),
                 std::string("fy;Y}hp ") + OtherBegins + "College" + OtherEnds + "\r\n" + OtherBegins + "Name" + OtherEnds + " "
                     + OtherBegins + "x" + OtherEnds + " ngah;");
        QCOMPARE(marked, std::size_t(2));
        // A long text is judged in halves at once, line by line all the same.
        std::string longDoc, byLines;
        std::size_t byLinesMarked = 0;
        for (int k = 0; longDoc.size() < (std::size_t(3) << 20); ++k) {
            const std::string line = std::string(k % 3 ? "fy;Y}hp College " : "nfhOk;gpYs;s MAu; Diploma in Medicine ") + std::to_string(k) + "\r\n";
            longDoc += line;
            std::size_t m = 0;
            byLines += withEnglishKept(line, &m);
            byLinesMarked += m;
        }
        std::size_t longMarked = 0;
        QVERIFY(withEnglishKept(longDoc, &longMarked) == byLines);
        QCOMPARE(longMarked, byLinesMarked);
        EnglishMarker pieces;
        std::string inPieces;
        for (std::size_t at = 0; at < longDoc.size(); at += 70000)
            pieces.add(std::string_view(longDoc).substr(at, 70000), inPieces);
        pieces.finish(inPieces);
        QVERIFY(inPieces == byLines);
        QCOMPARE(pieces.wordsMarked(), byLinesMarked);
    }

    // A mixed file (Tamil and English) opens, takes an edit and saves with nothing else changed.
    void aMixedFileComesBackWithItsEdit()
    {
        const QByteArray file = u("வணக்கம் Hello World 2024\nநன்றி thanks.\n").toUtf8();
        OpenedText opened = openText(file.toStdString());
        QVERIFY(opened.format.kind == DocumentFormat::Unicode);
        opened.text += "f";  // க typed at the end
        QCOMPARE(QString::fromUtf8(unicodeFileBytes(opened.text, opened.format)),
                 u("வணக்கம் Hello World 2024\nநன்றி thanks.க\n"));
        // A byte-order mark and English alone is a Unicode document too, with its English.
        const OpenedText marked = openText("\xEF\xBB\xBFhello\n");
        QCOMPARE(marked.text, std::string("\x0Ehello\x0F"));
    }

    // The converters' straight path (appendText) reads exactly as the segments do, however
    // the bytes arrive in pieces.
    // A long text is written in two halves at once: the same codes, and the same counts, as
    // line by line.
    void aLongTextIsWrittenAsItsLines()
    {
        std::string text;
        for (int line = 0; text.size() < (std::size_t(300) << 10); ++line)
            text += u("வணக்கம் ஞு Hello 😀 கொ ").toStdString() + std::to_string(line) + "\n";
        UnicodeReading whole;
        const std::string codes = unicodeToBamini(text, whole);
        std::string byLines;
        std::size_t lost = 0, drawnAs = 0;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find('\n', at) + 1;
            UnicodeReading line;
            byLines += unicodeToBamini(std::string_view(text).substr(at, end - at), line);
            lost += line.unconvertible;
            drawnAs += line.drawnAs;
            at = end;
        }
        QVERIFY(codes == byLines);
        QCOMPARE(whole.unconvertible, lost);
        QCOMPARE(whole.drawnAs, drawnAs);
        QVERIFY(whole.unconvertible > 0 && whole.drawnAs > 0);
    }

    void fastReadingIsTheSegmentReading()
    {
        QRandomGenerator random(11);
        const QByteArray codes = "fhpP;nNiIxXsbBlLrRjJgGwWaAuUyYtTsSoOQqzZeEkKdD[]`\\{}+_^&*#$%@mMcCvV,<>/= \r\n";
        for (int round = 0; round < ROUNDS; ++round) {
            std::string bytes;
            for (int k = 0; k < 300; ++k)
                bytes += random.bounded(8) == 0 ? char(random.bounded(256)) : codes[random.bounded(int(codes.size()))];
            std::string bySegments, byText, pending;
            forEachSegment(bytes, [&](const Segment& s) { bySegments.append(s.text); });
            SegmentReader reader;
            for (std::size_t k = 0; k < bytes.size();) {
                const std::size_t piece = std::min<std::size_t>(1 + random.bounded(40), bytes.size() - k);
                pending.append(bytes, k, piece);
                k += piece;
                pending.erase(0, reader.appendText(pending, false, byText));
            }
            reader.appendText(pending, true, byText);
            QCOMPARE(QByteArray::fromStdString(byText), QByteArray::fromStdString(bySegments));
        }
        // Long lines and short, read whole, with English in them: the stretches read side by
        // side (and the halves of a long text, each on its own thread) meet where the segments
        // say, a run of English open or not.
        for (int round = 0; round < ROUNDS; ++round) {
            std::string bytes;
            while (bytes.size() < (round < 2 ? 300000u : 40000u)) {
                const int line = int(random.bounded(round % 2 ? 3000 : 40));
                for (int k = 0; k < line; ++k)
                    if (random.bounded(60) == 0)
                        appendOther(bytes, "Hello \x0E\x0F");
                    else
                        bytes += random.bounded(50) == 0 ? char(random.bounded(256)) : codes[random.bounded(int(codes.size()) - 3)];
                bytes += random.bounded(2) ? "\r\n" : "\n";
            }
            std::string bySegments, byText;
            forEachSegment(bytes, [&](const Segment& s) { bySegments.append(s.text); });
            SegmentReader().appendText(bytes, true, byText);
            QCOMPARE(QByteArray::fromStdString(byText), QByteArray::fromStdString(bySegments));
        }
    }

    // A document written as a Unicode file in the pieces it comes in: its whole lines read
    // beside while more comes in, and lines with other text read as ever; the file is the
    // segments' text with the format's line ends, however the pieces fall.
    void aLongDocumentWrittenInPiecesIsItsReading()
    {
        QRandomGenerator random(5);
        // Syllables whose reading a cut inside would change: signs before their letters, the
        // kaal of o and of ra, pairs.
        const char* const syllables[] = {"nfh", "Nfh", "if", "nfs", "hp", "J}", "uh", "Kj", "nt", "nrh", "ah;", " ", ";"};
        std::string document;
        while (document.size() < (std::size_t(3) << 20)) {
            const int line = int(random.bounded(80));
            for (int k = 0; k < line; ++k)
                document += syllables[random.bounded(int(std::size(syllables)))];
            if (random.bounded(20000) == 0)  // English, in a piece or two
                document += std::string(1, OtherBegins) + "Hello" + OtherEnds;
            document += '\n';
        }
        std::string expected;
        forEachSegment(document, [&](const Segment& s) { expected += s.text == "\n" ? std::string("\r\n") : std::string(s.text); });
        DocumentFormat format;
        format.kind = DocumentFormat::Unicode;
        format.lineEnd = DocumentFormat::CrLf;
        format.finalLineEnd = false;
        FileEncoder encoder(format);
        std::string file;
        const ByteSource::Put put = [&](std::string_view bytes) {
            file += bytes;
            return true;
        };
        for (std::size_t at = 0; at < document.size();) {
            const std::size_t piece = std::min<std::size_t>(1 + random.bounded(200000), document.size() - at);
            QVERIFY(encoder.write(std::string_view(document).substr(at, piece), put));
            at += piece;
        }
        QVERIFY(encoder.finish(put));
        QVERIFY(file == expected);
    }

    // Work beside: on the kept thread, on one of its own while that is taken (even from work
    // on it), its exception brought back to whoever waits.
    void workBesideEndsAndSaysWhatWentWrong()
    {
        int inner = 0, outer = 0, mine = 0;
        bothAtOnce([&] { mine = 1; },
                   [&] {
                       bothAtOnce([&] { outer = 2; }, [&] { inner = 3; });  // the kept thread is taken
                   });
        QCOMPARE(mine + outer + inner, 6);
        Beside failing([] { throw std::runtime_error("beside"); });
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, failing.wait());
        int after = 0;
        bothAtOnce([] {}, [&] { after = 1; });  // the kept thread is free again
        QCOMPARE(after, 1);
    }

    void baminiRoundTripOnTypedDocuments()
    {
        // Key streams typed through the composer; Bamini to Unicode to Bamini gives the same
        // bytes. The one spelling with two codes: sa-pulli and rii typed apart draw sri,
        // which reads back as its one code "=". Backspace can leave half a syllable (the
        // kaal of "hp" after a letter with its vowel reads as ra), so with it only the
        // meaning must come back.
        for (const bool backspace : {false, true}) {
            const QByteArray keys = QByteArray("kctdpRyrlvLzgGOnmojhSsaAiIuUeEyoOY.x ,;`1\n\x1b") + (backspace ? "\b" : "");
            QRandomGenerator random(7);
            for (int round = 0; round < ROUNDS; ++round) {
                BatchTypist typist;
                std::string stream;
                for (int k = 0; k < 400; ++k)
                    stream += keys[random.bounded(int(keys.size()))];
                typist.typeBytes(stream);
                const std::string back = unicodeToBamini(baminiToUnicode(typist.text()));
                // Codes that meet a typist's habit (a comma key after a letter, a pulli after a
                // vowel sign, a kaal after a u-form, + after pa) read as the writer meant: the
                // meaning comes back, not those bytes.
                const QRegularExpression habit(QStringLiteral("[^ \\r\\n(,<>@],|[;pPFRLJGWAUYTSOZEKDb$#^%&*+}{_];|[FRLJGWAUYTSOZEKD]h|g\\+"));
                if (backspace || QString::fromLatin1(typist.text()).contains(habit)) {
                    QCOMPARE(toU(back), toU(typist.text()));
                    continue;
                }
                QByteArray expected = QByteArray::fromStdString(typist.text());
                expected.replace("];hP", "=");
                QCOMPARE(QByteArray::fromStdString(back), expected);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestUnicodeTamil)
#include "test_unicode_tamil.moc"
