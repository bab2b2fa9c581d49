// The piece table a document's text is kept in, against a plain string doing the same edits.

#include "document/other_text.h"
#include "document/places.h"
#include "document/text_storage.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace orvane;

class TestTextStorage : public QObject {
    Q_OBJECT

    static std::size_t lineEnds(const std::string& plain, std::size_t to)
    {
        std::size_t n = 0;
        for (std::size_t at = plain.find("\r\n"); at != std::string::npos && at + 2 <= to; at = plain.find("\r\n", at + 2))
            ++n;
        return n;
    }
    // A place no edit falls on: between the CR and LF of a line end.
    static std::size_t edge(const std::string& plain, std::size_t at)
    {
        return at > 0 && at < plain.size() && plain[at - 1] == '\r' && plain[at] == '\n' ? at + 1 : at;
    }

    // Everything the storage says of its text is what the string says.
    static void agrees(const TextStorage& storage, const std::string& plain, QRandomGenerator& random)
    {
        QCOMPARE(storage.size(), plain.size());
        QCOMPARE(storage.text(), plain);
        const std::size_t feeds = lineEnds(plain, plain.size());
        QCOMPARE(storage.lineCount(), feeds + 1);
        for (int k = 0; k < 4; ++k) {
            const std::size_t line = std::size_t(random.bounded(int(feeds + 1)));
            std::size_t expected = 0;
            for (std::size_t n = 0; n < line; ++n)
                expected = plain.find("\r\n", expected) + 2;
            QCOMPARE(storage.lineStart(line), expected);
            const std::size_t ends = plain.find("\r\n", expected);
            QCOMPARE(storage.lineEnd(line), ends == std::string::npos ? plain.size() : ends);
            const std::size_t at = edge(plain, std::size_t(random.bounded(int(plain.size() + 1))));
            QCOMPARE(storage.lineOf(at), lineEnds(plain, at));
            const std::size_t from = std::size_t(random.bounded(int(plain.size() + 1)));
            const std::size_t to = from + std::size_t(random.bounded(int(plain.size() - from + 1)));
            QCOMPARE(storage.text(from, to), plain.substr(from, to - from));
        }
    }

private slots:
    // Typing, deleting and pasting anywhere, in a text read from a file (cut into pieces and
    // blocks) and in an empty one; the text and its lines stay the string's.
    void editsAnywhereKeepTheTextAndItsLines()
    {
        QRandomGenerator random(20261209);
        for (const std::size_t initial : {std::size_t(0), std::size_t(200000)}) {
            std::string plain;
            // Line ends are CR LF; a lone LF is a character of its line.
            for (std::size_t k = 0; k < initial; ++k)
                plain += random.bounded(20) == 0 ? "\r\n" : random.bounded(200) == 0 ? "\n" : std::string(1, char('a' + random.bounded(26)));
            TextStorage storage{std::string(plain)};
            agrees(storage, plain, random);
            std::size_t caret = plain.size() / 2;
            for (int step = 0; step < 3000; ++step) {
                const int what = random.bounded(10);
                if (what < 5) {  // a key at the caret, as typing goes
                    const std::string key = random.bounded(8) == 0 ? "\r\n" : random.bounded(8) == 0 ? "\n" : "k";
                    storage.insert(caret, key);
                    plain.insert(caret, key);
                    caret += key.size();
                } else if (what < 7 && !plain.empty()) {  // Backspace, or a selection deleted
                    const std::size_t length = std::min(plain.size(), std::size_t(1 + random.bounded(what == 5 ? 1 : 300)));
                    const std::size_t at = edge(plain, std::size_t(random.bounded(int(plain.size() - length + 1))));
                    const std::size_t end = edge(plain, std::min(plain.size(), at + length));
                    storage.remove(at, end - at);
                    plain.erase(at, end - at);
                    caret = at;
                } else {  // a paste somewhere else
                    const std::size_t at = edge(plain, std::size_t(random.bounded(int(plain.size() + 1))));
                    std::string pasted(std::size_t(random.bounded(100)), 'p');
                    if (!pasted.empty())
                        pasted.insert(pasted.size() / 2, "\r\n");
                    if (random.bounded(100) == 0)  // a long one (Replace All): pieces of its own
                        for (std::size_t k = std::size_t(random.bounded(40000, 400000)); k > 0; --k)
                            pasted += random.bounded(20) == 0 ? "\r\n" : "q";
                    const std::size_t removed = edge(plain, std::min(plain.size(), at + std::size_t(random.bounded(5)))) - at;
                    storage.replace(at, removed, pasted);
                    plain.replace(at, removed, pasted);
                    caret = std::min(at + pasted.size(), plain.size());
                }
                if (step % 100 == 0)
                    agrees(storage, plain, random);
            }
            agrees(storage, plain, random);
            // Longer than a block holds: blocks of their own.
            std::string replaced;
            for (std::size_t k = 0; k < (std::size_t(9) << 20); ++k)
                replaced += k % 37 == 0 ? "\r\n" : "r";
            storage.replace(0, storage.size(), replaced);
            plain = replaced;
            agrees(storage, plain, random);
            storage.remove(0, storage.size());
            QCOMPARE(storage.text(), std::string());
            QCOMPARE(storage.lineCount(), std::size_t(1));
        }
    }

    // Writing walks the pieces in order and stops when told.
    void piecesAreWalkedInOrderAndStopWhenTold()
    {
        TextStorage storage(std::string(150000, 'x') + "\r\nend");
        storage.insert(70000, "middle");
        std::string walked;
        int pieces = 0;
        QVERIFY(storage.forEachPiece(0, storage.size(), [&](std::string_view p) {
            walked.append(p);
            return ++pieces > 0;
        }));
        QCOMPARE(walked, storage.text());
        QVERIFY(pieces > 2);
        int calls = 0;
        QVERIFY(!storage.forEachPiece(0, storage.size(), [&](std::string_view) { return ++calls < 2; }));
        QCOMPARE(calls, 2);
        QCOMPARE(storage.lineStart(1), std::size_t(150008));
        QCOMPARE(storage.lineStart(5), storage.size());
        // Joined into one stretch, the text and its lines are as they were, and edits go on.
        QCOMPARE(std::string(storage.flat()), walked);
        QCOMPARE(storage.lineStart(1), std::size_t(150008));
        QVERIFY(storage.holds('m', 70000, 70001) && !storage.holds('m', 70001, 70005));
        storage.insert(0, "\r\n");
        QCOMPARE(storage.lineStart(2), std::size_t(150010));
    }

    // The box's places of a line's bytes: a code one, the code 0E (0E 0F) one, other text
    // its UTF-16 units with its marks on its first and last character; and the places of
    // offsets, where a match that begins at a run's first character stands before it.
    void placesAreTheBoxsCharacters()
    {
        std::string line = "f\x0E\x0Fk";  // 0..3
        appendOther(line, "a\xF0\x9F\x98\x80\x0E");  // 4: 0E, 5: a, 6..9: U+1F600, 10,11: quoted 0E, 12: 0F
        line += "m";                                     // 13
        const std::vector<int> expected = {0, 1, 1, 2, 3, 3, 4, 4, 4, 4, 6, 6, 6, 7, 8};
        QCOMPARE(placesOf(line), expected);
        const std::string lines = line + "\r\nn";
        PlaceCounter counter(lines);
        QCOMPARE(counter.of(3), std::size_t(2));
        QCOMPARE(counter.of(5), std::size_t(3));  // at the run's first character
        QCOMPARE(counter.of(6), std::size_t(4));
        QCOMPARE(counter.of(13), std::size_t(7));
        QCOMPARE(counter.of(16), std::size_t(9));  // past the line end: one place
    }
};

QTEST_APPLESS_MAIN(TestTextStorage)
#include "test_text_storage.moc"
