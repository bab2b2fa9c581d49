// Typing and opening in the real window, offscreen, beside a bare QPlainTextEdit doing the
// same work: the floor Qt itself sets.

#include "../tests/support/fakes.h"
#include "document/tam_format.h"
#include "phonetic/batch_typist.h"
#include "platform/key_string.h"
#include "platform/text_codec.h"
#include "romanised.h"
#include "window/form1.h"
#include "window/text_box.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

using namespace orvane;

namespace {
// The syllables typed, as key pairs, and the characters each inserts.
struct Syllable {
    char consonant, vowel;
    QString inserted;
};

const std::vector<Syllable>& syllables()
{
    static const std::vector<Syllable> all = [] {
        CompositionTables t;
        t.FillSyllableTable();
        t.FillVowelKeys();
        t.FillConsonantKeys();
        std::vector<Syllable> out;
        for (int r = 1; r <= 22; ++r)
            for (int c = 1; c <= 13; ++c) {
                QString chars;
                forEachKeyStroke(t.SyllableTable[r][c], [&](const KeyStroke& k) { chars += QLatin1Char(k.typedChar()); });
                out.push_back({t.ConsonantKeys[r][0], t.VowelKeys[c][0], chars});
            }
        return out;
    }();
    return all;
}

// 16 MB of composed text, as the editor would hold it.
const std::string& bigDocument()
{
    static const std::string text = [] {
        BatchTypist typist;
        typist.typeBytes(bench::romanisedText(std::size_t(20) << 20));
        std::string t = typist.text();
        t.resize(std::size_t(16) << 20);
        return t;
    }();
    return text;
}

struct Window {
    test::FakeDialog dialog;
    test::FakeMessages messages;
    test::FakeProcess process;
    test::FakeClock clock;
    Form1 form{Form1Services{&dialog, &messages, &process, &clock, nullptr}};
    Window()
    {
        form.Form_Load("");
        form.show();
        (void)QTest::qWaitForWindowExposed(&form);
    }
};

void typeSyllables(benchmark::State& state, Window& w)
{
    const auto& all = syllables();
    std::size_t i = 0;
    for (auto _ : state) {
        const Syllable& s = all[i++ % all.size()];
        QTest::keyClick(w.form.Text1, s.consonant);
        QTest::keyClick(w.form.Text1, s.vowel);
        QCoreApplication::processEvents();
    }
}

void BM_TypeSyllable_Orvane(benchmark::State& state)
{
    Window w;
    typeSyllables(state, w);
}
BENCHMARK(BM_TypeSyllable_Orvane)->Unit(benchmark::kMicrosecond)->MinTime(2);

void BM_TypeSyllable_Orvane16MB(benchmark::State& state)
{
    Window w;
    w.form.Text1->setDocumentBytes(bigDocument());
    QTextCursor middle(w.form.Text1->document());
    middle.setPosition(w.form.Text1->document()->characterCount() / 2);
    w.form.Text1->setTextCursor(middle);
    QCoreApplication::processEvents();
    typeSyllables(state, w);
}
BENCHMARK(BM_TypeSyllable_Orvane16MB)->Unit(benchmark::kMicrosecond)->MinTime(2);

void BM_TypeSyllable_BarePlainTextEdit(benchmark::State& state)
{
    QPlainTextEdit edit;
    edit.resize(737, 420);
    edit.show();
    (void)QTest::qWaitForWindowExposed(&edit);
    const auto& all = syllables();
    std::size_t i = 0;
    for (auto _ : state) {
        for (const QChar ch : all[i++ % all.size()].inserted)
            QTest::keyClick(&edit, ch.toLatin1());
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_TypeSyllable_BarePlainTextEdit)->Unit(benchmark::kMicrosecond)->MinTime(2);

void BM_Open16MB_Orvane(benchmark::State& state)
{
    const std::string path = (std::filesystem::temp_directory_path() / "orvane-bench-open.tam").string();
    std::ofstream(path, std::ios::binary) << tamFileBytes(bigDocument());
    Window w;
    for (auto _ : state) {
        w.dialog.answers = {path};
        w.form.menOpen_Click();
        QCoreApplication::processEvents();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Open16MB_Orvane)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_Open16MB_BareSetPlainText(benchmark::State& state)
{
    const QString text = codec::toBoxText(bigDocument());
    QPlainTextEdit edit;
    edit.resize(737, 420);
    edit.show();
    (void)QTest::qWaitForWindowExposed(&edit);
    for (auto _ : state) {
        edit.setPlainText(text);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Open16MB_BareSetPlainText)->Unit(benchmark::kMillisecond)->MinTime(3);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
