// The keystroke filter and the composer, typed key by key.

#include "phonetic/batch_typist.h"
#include "phonetic/composer.h"
#include "document/unicode_tamil.h"
#include "platform/key_string.h"

#include <QtTest>

#include <random>
#include <stdexcept>

using namespace orvane;

namespace {
const QByteArray consonantPrompt(ConsonantPrompt.data(), qsizetype(ConsonantPrompt.size()));
const QByteArray vowelPrompt(VowelPrompt.data(), qsizetype(VowelPrompt.size()));

QByteArray typed(const QByteArray& keys, BatchTypist& typist)
{
    typist.typeBytes(keys.toStdString());
    return QByteArray::fromStdString(typist.text());
}

QByteArray panel(const BatchTypist& t, int n) { return QByteArray::fromStdString(t.panel(n)); }

// A text box that inserts what the filter returns and records every call, so the
// order of injection and filtering can be checked.
struct RecordingBox : KeystrokeInjector, StatusPanels, ChangeMarker {
    CompositionTables tables;
    Composer composer{tables, *this, *this, *this};
    std::string text;
    std::vector<std::string> injected;
    std::string panels[4];
    int changes = 0;
    bool failInjection = false;

    RecordingBox()
    {
        tables.FillSyllableTable();
        tables.FillVowelKeys();
        tables.FillConsonantKeys();
    }
    void key(int code)
    {
        if (const int out = composer.Text1_KeyPress(code))
            text += char(out);
    }
    void sendKeys(std::string_view keys) override
    {
        injected.emplace_back(keys);
        if (failInjection && keys != "+")
            throw std::runtime_error("the text box went away");
        QVERIFY(composer.SendingKeys);
        forEachKeyStroke(keys, [&](const KeyStroke& k) {
            if (char c = k.typedChar())
                key(static_cast<unsigned char>(c));
        });
    }
    void setPanelText(int n, std::string_view t) override { panels[n - 1] = t; }
    void markDocumentChanged() override { ++changes; }
};
} // namespace

class TestComposer : public QObject {
    Q_OBJECT
private slots:
    void typing_data()
    {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("panel1");
        QTest::addColumn<QByteArray>("panel2");
        QTest::addColumn<bool>("waitingForVowel");

        QTest::newRow("k a") << QByteArray("ka") << QByteArray("f") << QByteArray("f;") << QByteArray("m") << false;
        QTest::newRow("k pending") << QByteArray("k") << QByteArray("") << QByteArray("f;") << QByteArray("") << true;
        QTest::newRow("k .") << QByteArray("k.") << QByteArray("f;") << QByteArray("f;") << QByteArray("/") << false;
        QTest::newRow("k y vowel sign first") << QByteArray("ky") << QByteArray("if") << QByteArray("f;") << QByteArray("I") << false;
        QTest::newRow("k Y") << QByteArray("kY") << QByteArray("nfs") << QByteArray("f;") << QByteArray("xs") << false;
        QTest::newRow("bare vowel a a") << QByteArray("aa") << QByteArray("m") << QByteArray("") << QByteArray("m") << false;
        QTest::newRow("K is no consonant") << QByteArray("Ka") << QByteArray("m") << QByteArray("") << QByteArray("m") << false;
        QTest::newRow("no consonant then .") << QByteArray("x.") << QByteArray("/") << QByteArray("") << QByteArray("/") << false;
        QTest::newRow("r i") << QByteArray("ri") << QByteArray("hp") << QByteArray("h;") << QByteArray(",") << false;
        QTest::newRow("t i") << QByteArray("ti") << QByteArray("b") << QByteArray("l;") << QByteArray(",") << false;
        QTest::newRow("d U braces") << QByteArray("dU") << QByteArray("J}") << QByteArray("j;") << QByteArray("C") << false;
        QTest::newRow("m U one char") << QByteArray("mU") << QByteArray("%") << QByteArray("k;") << QByteArray("C") << false;
        QTest::newRow("g a u U") << QByteArray("gagugU") << QByteArray("QQQ") << QByteArray("Q;") << QByteArray("C") << false;
        QTest::newRow("p U plus") << QByteArray("pU") << QByteArray("G+") << QByteArray("g;") << QByteArray("C") << false;
        QTest::newRow("j u brace") << QByteArray("ju") << QByteArray("[{") << QByteArray("[;") << QByteArray("c") << false;
        QTest::newRow("h a grave") << QByteArray("ha") << QByteArray("`") << QByteArray("`;") << QByteArray("m") << false;
        QTest::newRow("h . injected ; passes") << QByteArray("h.") << QByteArray("`;") << QByteArray("`;") << QByteArray("/") << false;
        QTest::newRow("y o O as consonants") << QByteArray("yaoaOa") << QByteArray("adz") << QByteArray("z;") << QByteArray("m") << false;
        QTest::newRow("y o O as vowels") << QByteArray("kykokO") << QByteArray("ifnfhNfh") << QByteArray("f;") << QByteArray("X") << false;
        QTest::newRow("case counts") << QByteArray("kakA") << QByteArray("ffh") << QByteArray("f;") << QByteArray("M") << false;
        QTest::newRow("no-vowel key swallowed") << QByteArray("kkqa") << QByteArray("f") << QByteArray("f;") << QByteArray("m") << false;
        QTest::newRow("typed , ; ` replaced") << QByteArray("ka,;`") << QByteArray("f>@=") << QByteArray("f;") << QByteArray("m") << false;
        QTest::newRow("i column bare") << QByteArray("xi") << QByteArray(",") << QByteArray("") << QByteArray(",") << false;
        QTest::newRow("pass-through between keys") << QByteArray("k 1/:!?()-a") << QByteArray(" 1/:!?()-f") << QByteArray("f;") << QByteArray("m") << false;
        QTest::newRow("full stop in consonant state") << QByteArray(".ka.") << QByteArray(".f.") << QByteArray("f;") << QByteArray("m") << false;
        QTest::newRow("Esc abandons consonant") << QByteArray("k\x1b" "aa") << QByteArray("m") << QByteArray("") << QByteArray("m") << false;
        QTest::newRow("Enter and Backspace") << QByteArray("ka\rkA\x08") << QByteArray("f\r\nf") << QByteArray("f;") << QByteArray("M") << false;
        QTest::newRow("Backspace over line break") << QByteArray("ka\n\x08kA") << QByteArray("ffh") << QByteArray("f;") << QByteArray("M") << false;
    }

    void typing()
    {
        QFETCH(QByteArray, keys);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, panel1);
        QFETCH(QByteArray, panel2);
        QFETCH(bool, waitingForVowel);
        BatchTypist t;
        QCOMPARE(typed(keys, t), text);
        QCOMPARE(panel(t, 1), panel1);
        QCOMPARE(panel(t, 2), panel2);
        QCOMPARE(panel(t, 3), waitingForVowel ? vowelPrompt : consonantPrompt);
        QCOMPARE(t.state().WaitingForVowel, waitingForVowel);
        QVERIFY(!t.state().SendingKeys);
    }

    void panelsEmptyUntilTheFirstComposedKey()
    {
        BatchTypist t;
        typed(" 12", t);
        QCOMPARE(panel(t, 1), QByteArray());
        QCOMPARE(panel(t, 3), QByteArray());
        typed("k", t);
        QCOMPARE(panel(t, 3), vowelPrompt);
    }

    void everySyllableOfTheGridInserts()
    {
        // Every consonant key with every vowel key inserts the decoded cell, and the
        // filter hands exactly those characters to the box.
        RecordingBox box;
        const char consonants[] = "kctdpRyrlvLzgGOnmojhSs";
        const char vowels[] = "aAiIuUeEyoOY.";
        for (int r = 1; r <= 22; ++r)
            for (int c = 1; c <= 13; ++c) {
                box.text.clear();
                box.injected.clear();
                box.key(consonants[r - 1]);
                box.key(vowels[c - 1]);
                std::string expected;
                forEachKeyStroke(box.tables.SyllableTable[r][c],
                                 [&](const KeyStroke& k) { expected += k.typedChar(); });
                QCOMPARE(box.text, expected);
                QCOMPARE(box.injected.size(), 2u);
                QCOMPARE(box.injected[0], std::string("+"));
                QCOMPARE(box.panels[0], box.tables.SyllableTable[r][13]);
            }
    }

    void everyKeyMarksTheDocumentChanged()
    {
        RecordingBox box;
        box.key(27);
        QCOMPARE(box.changes, 1);
        box.key('k');
        QCOMPARE(box.changes, 2);
        box.key('q');  // swallowed while waiting for a vowel
        QCOMPARE(box.changes, 3);
        box.key('a');  // the vowel key, then the one injected character "f"
        QCOMPARE(box.changes, 5);
        box.key('d');
        box.key('U');  // "J" and "}" come back through the filter
        QCOMPARE(box.changes, 9);
    }

    void escRecoversFromAFailedInjection()
    {
        RecordingBox box;
        box.failInjection = true;
        box.key('k');
        box.key('a');  // the failure is swallowed with the key
        QCOMPARE(box.text, std::string());
        QVERIFY(box.composer.SendingKeys);
        box.key(',');  // with SendingKeys stuck every key passes unchanged
        box.key('k');
        QCOMPARE(box.text, std::string(",k"));
        box.failInjection = false;
        box.key(27);
        QVERIFY(!box.composer.SendingKeys);
        QVERIFY(!box.composer.WaitingForVowel);
        QCOMPARE(box.panels[0], std::string());
        QCOMPARE(box.panels[1], std::string());
        QCOMPARE(box.panels[2], std::string(ConsonantPrompt));
        box.key('k');
        box.key('a');
        QCOMPARE(box.text, std::string(",k\x1b" "f"));
    }

    void otherCodesAreComposedNotInserted()
    {
        RecordingBox box;
        for (int code : {9, 1, 127, 200, 255, int('"'), int('#'), int('['), int('~')}) {
            box.key(code);
            QCOMPARE(box.text, std::string());
        }
    }

    // A stream typed in pieces goes through the precompiled table; the same keys one by one
    // go through the composer itself. Both must leave the same text, state and panels.
    void typedStreamsMatchTheComposerKeyByKey()
    {
        std::mt19937 random(3);
        const std::string keys = "kgcjtdpbmnNlLrRvyszhfqwKGTDSHZaAiIuUeEoOxX.,;`[]\\{}^_+&*#$%@ 0!?\r\n\b\x1b";
        for (int round = 0; round < 300; ++round) {
            BatchTypist streamed, keyed;
            std::string stream;
            for (int k = 0; k < 600; ++k)
                stream += random() % 16 == 0 ? char(random() % 256) : keys[random() % keys.size()];
            // Short pieces, and long ones that are typed in two runs side by side.
            const std::size_t longest = round % 2 ? 37 : 400;
            for (std::size_t k = 0; k < stream.size();) {
                const std::size_t piece = std::min<std::size_t>(1 + random() % longest, stream.size() - k);
                streamed.typeBytes(std::string_view(stream).substr(k, piece));
                k += piece;
            }
            for (std::size_t k = 0; k < stream.size(); ++k) {
                const auto byte = static_cast<unsigned char>(stream[k]);
                if (byte == '\n' && k > 0 && stream[k - 1] == '\r')
                    continue;
                keyed.typeKey(byte == '\n' || byte == '\r' ? KeyEnter : byte);
            }
            QCOMPARE(QByteArray::fromStdString(streamed.text()), QByteArray::fromStdString(keyed.text()));
            QCOMPARE(streamed.state().WaitingForVowel, keyed.state().WaitingForVowel);
            QCOMPARE(streamed.state().ConsonantIndex, keyed.state().ConsonantIndex);
            QCOMPARE(streamed.state().VowelIndex, keyed.state().VowelIndex);
            for (int n = 1; n <= 3; ++n)
                QCOMPARE(panel(streamed, n), panel(keyed, n));
        }
    }

    // Tamil99 as its standard states it, each rule with its own example, and the Bamini
    // typewriter, whose keys are the codes themselves.
    void theOtherKeyboards_data()
    {
        QTest::addColumn<QString>("keyboard");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QString>("unicode");
        auto row = [](const char* name, const char* keyboard, QByteArray keys, const char* unicode) {
            QTest::newRow(name) << QString(keyboard) << keys << QString::fromUtf8(unicode);
        };
        row("a consonant then a vowel", "tamil99", "hg hq lr", "கெ கா தை");
        row("the pulli key", "tamil99", "hf", "க்");
        row("a consonant typed twice", "tamil99", "ajjq", "அப்பா");
        row("the pulli rests a stroke", "tamil99", "hhh hhhh", "க்கக க்கக்க");
        row("soft then hard", "tamil99", "bh ][ po ;l kj iu", "ங்க ஞ்ச ண்ட ந்த ம்ப ன்ற");
        row("a then joins nothing", "tamil99", "hasl hah hahh", "கஇத கக கக்க");
        row("a word", "tamil99", "vphhkf", "வணக்கம்");
        row("vowels alone", "tamil99", "a s d g c", "அ இ உ எ ஒ");
        row("grantha and aytham", "tamil99", "Qq Ef Tq Y F", "ஸா ஜ் க்ஷா ஸ்ரீ ஃ");
        row("backspace takes the vowel back", "tamil99", "hg\bq", "கா");
        row("backspace takes the second consonant back", "tamil99", ";l\bq", "நா");
        row("backspace after the doubled pulli", "tamil99", "hh\bg", "கெ");
        row("punctuation", "tamil99", "h, h. (1)", "க, க. (1)");
        row("a typed Bamini line", "bamini", "nfhOk;gpYs;s MAu; Ntj kUj;Jtf;", "கொழும்பிலுள்ள ஆயுர் வேத மருத்துவக்");
        row("the typist's habits", "bamini", "gYhd; jhj;jh,", "பலூன் தாத்தா,");
        row("a typewriter backspace is one code", "bamini", "nfh\b", "கெ");
    }

    void theOtherKeyboards()
    {
        QFETCH(QString, keyboard);
        QFETCH(QByteArray, keys);
        QFETCH(QString, unicode);
        BatchTypist typist(*keyboardNamed(keyboard.toStdString()));
        typist.typeBytes(keys.toStdString());
        QCOMPARE(QString::fromStdString(baminiToUnicode(typist.text())), unicode);
        if (keyboard == "bamini" && !keys.contains('\b'))
            QCOMPARE(QByteArray::fromStdString(typist.text()), keys);
    }

    // Tamil99 joins a key only with the letter it typed last, where it still stands.
    void tamil99JoinsOnlyWhereItTyped()
    {
        CompositionTables tables;
        tables.FillSyllableTable();
        Tamil99 keys(tables);
        QCOMPARE(keys.press('h', "").codes, std::string("f"));
        // The caret went elsewhere: the vowel is a letter of its own there.
        const KeyEffect elsewhere = keys.press('g', "t");
        QCOMPARE(elsewhere.codes, std::string("v"));
        QCOMPARE(elsewhere.erase, std::size_t(0));
        keys.press('h', "");
        const KeyEffect joined = keys.press('g', "xf");
        QCOMPARE(joined.codes, std::string("nf"));
        QCOMPARE(joined.erase, std::size_t(1));
    }
};

QTEST_APPLESS_MAIN(TestComposer)
#include "test_composer.moc"
