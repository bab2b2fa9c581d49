// Figures without a window: the composer per key, typing from the table, search, and the Qt
// floor of the batch conversions. Each figure is measured beside its floors in the same run,
// the sides taking turns; the medians are printed as name=value lines for bench/run.sh.
//
//   bench_core TAM UTF8 ROMANISED   (the files the batch modes are timed on)
//   bench_core --inputs DIR         writes DIR/prose.tam (64 MB of varied prose typed into
//                                   Bamini) and DIR/romanised.txt (64 MB of its keys)
//   bench_core --parse ARCHIVE PART the Qt floor of an office conversion: the archive read,
//                                   the part expanded and read through by QXmlStreamReader

#include "bench.h"
#include "document/search.h"
#include "office/zip_archive.h"
#include "phonetic/batch_typist.h"
#include "phonetic/composer.h"
#include "platform/key_string.h"
#include "platform/text_codec.h"
#include "romanised.h"
#include "../tests/support/real_bamini.h"

#include <QFile>
#include <QString>
#include <QXmlStreamReader>

#include <cstdio>
#include <string_view>

using namespace orvane;
using namespace orvane::bench;

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

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string_view(argv[1]) == "--inputs") {
        // The batch modes' inputs: varied prose as keys, and the same typed into Bamini.
        const std::string keys = variedProse(std::size_t(64) << 20);
        BatchTypist typist;
        typist.typeBytes(variedProse(std::size_t(96) << 20));
        std::string real = typist.text();
        real.resize(std::size_t(64) << 20);
        QFile tam(QString::fromLocal8Bit(argv[2]) + "/prose.tam"), romanised(QString::fromLocal8Bit(argv[2]) + "/romanised.txt");
        return tam.open(QIODevice::WriteOnly) && tam.write(real.data(), qint64(real.size())) == qint64(real.size())
                       && romanised.open(QIODevice::WriteOnly)
                       && romanised.write(keys.data(), qint64(keys.size())) == qint64(keys.size())
                   ? 0
                   : 1;
    }
    if (argc == 4 && std::string_view(argv[1]) == "--parse") {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = file.readAll();
        std::vector<office::ZipEntry> entries;
        std::string error;
        const std::string part = argv[3];
        if (!office::readZip(std::string_view(bytes.constData(), std::size_t(bytes.size())), entries, error,
                             office::MaxExpandedBytes, [&](const std::string& name) { return name == part; })
            || entries.empty())
            return 1;
        QXmlStreamReader r(QString::fromStdString(entries.front().data));
        long tokens = 0;
        while (!r.atEnd()) {
            r.readNext();
            ++tokens;
        }
        keep(tokens);
        return r.hasError() ? 1 : 0;
    }
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_core TAM UTF8 ROMANISED\n");
        return 2;
    }
    // Per key: the composer as the window drives it (the status panels' floor); the typing
    // table and a loop that only reads the same bytes, beside it for who reads the figures.
    const std::string keys = romanisedText(std::size_t(4) << 20);
    const double n = double(keys.size());
    Turns perKey;
    perKey.add("composer_key_ns", [&] {
        NullBox box;
        for (const char c : keys)
            keep(box.composer.Text1_KeyPress(c == '\n' ? KeyEnter : static_cast<unsigned char>(c)));
        keep(box.inserted);
    });
    perKey.add("typist_key_ns", [&] {
        BatchTypist typist;
        typist.typeBytes(keys);
        keep(typist.text().size());
    });
    perKey.add("loop_key_ns", [&] {
        unsigned sum = 0;
        for (const char c : keys) {
            sum += static_cast<unsigned char>(c);
            keep(sum);
        }
    });
    perKey.run(7);
    for (const auto& [name, ms] : perKey.medians())
        print(name, ms * 1e6 / n);
    return 0;
}
