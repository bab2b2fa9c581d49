// The composer per key and .tam reading and writing, each beside the floor the machine
// itself sets for the same bytes.

#include "document/tam_format.h"
#include "phonetic/composer.h"
#include "platform/key_string.h"
#include "platform/file_service.h"
#include "romanised.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

using namespace orvane;

namespace {
// A text box that takes what the composer injects and throws it away.
struct NullBox final : KeystrokeInjector, StatusPanels, ChangeMarker {
    CompositionTables tables;
    Composer composer{tables, *this, *this, *this};
    long inserted = 0;
    NullBox()
    {
        tables.FillSyllableTable();
        tables.FillVowelKeys();
        tables.FillConsonantKeys();
    }
    void sendKeys(std::string_view keys) override
    {
        forEachKeyStroke(keys, [this](const KeyStroke& k) {
            if (const char c = k.typedChar())
                inserted += composer.Text1_KeyPress(static_cast<unsigned char>(c)) != 0;
        });
    }
    void setPanelText(int, std::string_view) override {}
    void markDocumentChanged() override {}
};

const std::string& keys()
{
    static const std::string text = bench::romanisedText(1 << 20);
    return text;
}

void BM_ComposerPerKey(benchmark::State& state)
{
    NullBox box;
    const std::string& text = keys();
    std::size_t i = 0;
    for (auto _ : state) {
        const auto key = static_cast<unsigned char>(text[i]);
        benchmark::DoNotOptimize(box.composer.Text1_KeyPress(key == '\n' ? 13 : key));
        if (++i == text.size())
            i = 0;
    }
    benchmark::DoNotOptimize(box.inserted);
}
BENCHMARK(BM_ComposerPerKey);

void BM_PlainLoopPerKey(benchmark::State& state)
{
    const std::string& text = keys();
    std::size_t i = 0;
    unsigned sum = 0;
    for (auto _ : state) {
        sum += static_cast<unsigned char>(text[i]);
        benchmark::DoNotOptimize(sum);
        if (++i == text.size())
            i = 0;
    }
}
BENCHMARK(BM_PlainLoopPerKey);

struct Files {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("orvane-bench-" + std::to_string(getpid()));
    std::string source, target;
    Files()
    {
        std::filesystem::create_directories(dir);
        source = (dir / "big.tam").string();
        target = (dir / "copy.tam").string();
        std::string text = bench::romanisedText(std::size_t(64) << 20);
        for (char& c : text)
            if (c == '\n')
                c = '\r';  // CR alone: the reader turns each into CR LF
        text = tamFileBytes(tamText(text));
        text.resize(std::size_t(64) << 20);
        FILE* f = std::fopen(source.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    ~Files() { std::filesystem::remove_all(dir); }
};

Files& files()
{
    static Files f;
    return f;
}

void BM_TamReadWrite64MB(benchmark::State& state)
{
    Files& f = files();
    LocalFiles local;
    for (auto _ : state) {
        ReadOutcome in = local.readFile(f.source, MaxDocumentBytes);
        const std::string text = tamText(std::move(in.bytes));
        const WriteOutcome out = local.writeFile(f.target, {text, TamClosingLineEnd});
        if (!out.written)
            state.SkipWithError(out.error.c_str());
    }
}
BENCHMARK(BM_TamReadWrite64MB)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_RawReadWrite64MB(benchmark::State& state)
{
    Files& f = files();
    for (auto _ : state) {
        std::string buffer;  // a fresh buffer each time, as every open has
        int in = ::open(f.source.c_str(), O_RDONLY);
        buffer.resize(std::size_t(lseek(in, 0, SEEK_END)));
        benchmark::DoNotOptimize(pread(in, buffer.data(), buffer.size(), 0));
        ::close(in);
        int out = ::open(f.target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(out, buffer.data(), buffer.size()));
        if (state.range(0))
            ::fsync(out);
        ::close(out);
    }
}
BENCHMARK(BM_RawReadWrite64MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);
} // namespace

BENCHMARK_MAIN();
