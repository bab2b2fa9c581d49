// Where the view breaks a line into rows: between syllables only, after spaces where there
// are any, with other text measured as its own characters.

#include "document/line_layout.h"
#include "document/other_text.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace orvane;

class TestLineLayout : public QObject {
    Q_OBJECT

    // Every code ten wide, every character of other text seven.
    static Advances tens()
    {
        Advances a;
        a.code.fill(10);
        a.other = [](std::string_view) { return 7.0f; };
        return a;
    }
    static std::vector<std::size_t> rowStarts(const LineLayout& l)
    {
        std::vector<std::size_t> starts;
        for (const std::uint32_t r : l.rows)
            starts.push_back(l.syllables[r].begin);
        return starts;
    }

private slots:
    void breaksBetweenSyllablesOnly()
    {
        // ஸு is two codes, one syllable: three codes' width holds one of them, never a half.
        const LineLayout su = layOutLine("]{]{]{", tens(), 30);
        QCOMPARE(rowStarts(su), (std::vector<std::size_t>{0, 2, 4}));
        // கொ is three codes before and around its letter; a word longer than the row
        // breaks before the syllable that does not fit.
        const LineLayout ko = layOutLine("nfhnfhnfh", tens(), 65);
        QCOMPARE(rowStarts(ko), (std::vector<std::size_t>{0, 6}));
        QCOMPARE(ko.syllables[ko.rows[1]].x, 0.0f);
        // A row narrower than one syllable still holds it.
        QCOMPARE(rowStarts(layOutLine("nfhnfh", tens(), 5)), (std::vector<std::size_t>{0, 3}));
    }

    void breaksAfterSpacesWhereItCan()
    {
        // பலூன் கொடு: the second word goes to the next row whole; the space hangs past the
        // first row's edge, and the second row starts at its own left.
        const std::string line = "gYhd; nfhL";
        const LineLayout l = layOutLine(line, tens(), 60);
        QCOMPARE(rowStarts(l), (std::vector<std::size_t>{0, 6}));
        QCOMPARE(l.syllables[l.rows[1]].x, 0.0f);
        QCOMPARE(l.syllables.back().begin, std::uint32_t(line.size()));
        QCOMPARE(l.syllables.back().x, 40.0f);
        // No width: one row.
        QCOMPARE(layOutLine(line, tens(), 0).rows.size(), std::size_t(1));
        // A lone line feed ends its row.
        QCOMPARE(rowStarts(layOutLine("nfh\nnfh", tens(), 0)), (std::vector<std::size_t>{0, 4}));
    }

    void otherTextIsItsCharacters()
    {
        std::string line = "nfh ";
        appendOther(line, "Diploma");
        line += " f";
        appendCode(line, 0x0E);  // the code 0E, written with its quote
        const LineLayout l = layOutLine(line, tens(), 0);
        // கொ, space, seven letters, space, க, the code 0E, and the end.
        QCOMPARE(l.syllables.size(), std::size_t(2 + 7 + 3 + 1));
        QVERIFY(!l.syllables[1].other);
        for (std::size_t k = 2; k < 9; ++k)
            QVERIFY(l.syllables[k].other);
        QVERIFY(!l.syllables[9].other);
        QCOMPARE(l.syllables[9].x, 40.0f + 7 * 7);
        QCOMPARE(l.syllables[11].x, 40.0f + 7 * 7 + 20);
        QCOMPARE(l.syllables.back().x, 40.0f + 7 * 7 + 30);  // 0E 0F is one code wide
        std::string utf8;
        otherCharacter(std::string_view(line).substr(l.syllables[2].begin, l.syllables[3].begin - l.syllables[2].begin), utf8);
        QCOMPARE(utf8, std::string("D"));
        otherCharacter(std::string_view(line).substr(l.syllables[8].begin, l.syllables[9].begin - l.syllables[8].begin), utf8);
        QCOMPARE(utf8, std::string("a"));
    }

    void anEditLaysOutAsTheWholeLineWould()
    {
        // Lines of syllables, spaces, kaals and pullis that read by what stands before them,
        // English runs and lone line feeds; random edits of them, laid out again about the
        // edit, against the whole line laid out anew.
        const std::vector<std::string> pieces = {"f", "nfh", "]{", " ", " ", "h", "fh", ";", "N", "i", "gY", "+",
                                                 ",", "\x0E" "ab\x0F", "\x0E" "Word\x0F", "\n", "f;", "}"};
        QRandomGenerator random(35);
        const auto make = [&](int count) {
            std::string text;
            for (int k = 0; k < count; ++k)
                text += pieces[std::size_t(random.bounded(int(pieces.size())))];
            return text;
        };
        const auto same = [](const LineLayout& got, const LineLayout& want) {
            if (got.rows != want.rows || got.syllables.size() != want.syllables.size())
                return false;
            for (std::size_t k = 0; k < got.syllables.size(); ++k) {
                const LineLayout::Syllable &g = got.syllables[k], &w = want.syllables[k];
                if (g.begin != w.begin || g.x != w.x || g.other != w.other || g.space != w.space
                    || g.vowelAfter != w.vowelAfter || g.openAfter != w.openAfter)
                    return false;
            }
            return true;
        };
        // A letter more at the start of a long word moves every row after it: those well
        // past the edit are left to be laid out when they are looked at, and then are right.
        {
            const std::string was(3000, 'f');
            LineLayout layout = layOutLine(was, tens(), 35);
            const std::string now = "f" + was;
            relayOutLine(layout, std::string_view(now), 0, 0, 1, tens(), 35);
            QVERIFY(!layout.complete);
            QVERIFY(layout.rows.size() < 300);
            layOutFurther(layout, now, tens(), 35, 400, 0);
            QCOMPARE(layout.rows.size(), std::size_t(401));
            layOutFurther(layout, now, tens(), 35);
            QVERIFY(same(layout, layOutLine(now, tens(), 35)));
        }
        for (int turn = 0; turn < 400; ++turn) {
            const bool spaced = turn % 4 != 0;
            std::vector<std::string> tokens;
            // Some long enough for rows an edit moves to be left for later, some laid out
            // only part of the way, as the view lays out a long line.
            const bool partly = turn % 3 == 1;
            for (int k = turn % 10 == 4 ? 3000 : random.bounded(2, 300); k > 0; --k) {
                std::string t = make(1);
                if (!spaced && (t == " " || t == "\n"))
                    t = "nfh";
                tokens.push_back(t);
            }
            const auto join = [](const std::vector<std::string>& ts) {
                std::string text;
                for (const std::string& t : ts)
                    text += t;
                return text;
            };
            const float width = float(random.bounded(3, 40) * 10);
            const std::string before = join(tokens);
            LineLayout layout = partly ? layOutLine(before, tens(), width, std::size_t(random.bounded(8)), 0)
                                       : layOutLine(before, tens(), width);
            for (int edit = 0; edit < 5; ++edit) {
                const std::string was = join(tokens);
                const auto first = std::size_t(random.bounded(int(tokens.size()) + 1));
                const auto removed = std::min(tokens.size() - first, std::size_t(random.bounded(4)));
                std::size_t at = 0, removedBytes = 0;
                for (std::size_t k = 0; k < first; ++k)
                    at += tokens[k].size();
                for (std::size_t k = first; k < first + removed; ++k)
                    removedBytes += tokens[k].size();
                tokens.erase(tokens.begin() + std::ptrdiff_t(first), tokens.begin() + std::ptrdiff_t(first + removed));
                std::string added;
                for (int k = random.bounded(4); k > 0; --k) {
                    const std::string t = make(1);
                    tokens.insert(tokens.begin() + std::ptrdiff_t(first), t);
                    added += t;
                }
                const std::string now = join(tokens);
                // The view hands over only a stretch of a long line, from where the edit is
                // read again; one too short for a row is refused, and the whole line given.
                const std::size_t from = relayOutFrom(layout, at);
                const std::size_t held = std::min(now.size() - from, at + added.size() - from + std::size_t(random.bounded(2000)));
                const LineBytes stretch(std::string_view(now).substr(from, held), from, now.size());
                if (!relayOutLine(layout, stretch, at, removedBytes, added.size(), tens(), width).done)
                    QVERIFY(relayOutLine(layout, std::string_view(now), at, removedBytes, added.size(), tens(), width).done);
                LineLayout whole = layout;
                layOutFurther(whole, now, tens(), width);
                QVERIFY(whole.complete);
                QVERIFY2(same(whole, layOutLine(now, tens(), width)),
                         qPrintable(QString("turn %1: \"%2\" became \"%3\"").arg(turn).arg(QString::fromLatin1(was)).arg(QString::fromLatin1(now))));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestLineLayout)
#include "test_line_layout.moc"
