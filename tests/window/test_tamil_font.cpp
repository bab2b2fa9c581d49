// The bundled font draws every code the editor writes, and each syllable looks like the
// same syllable drawn from Unicode in Noto Sans Tamil with full shaping.

#include "phonetic/composer.h"
#include "platform/key_string.h"
#include "phonetic/tables.h"
#include "support/real_bamini.h"
#include "window/clock.h"
#include "window/tamil_font.h"

#include <QFontDatabase>
#include <QPainter>
#include <QRawFont>
#include <QtTest>

using namespace orvane;

namespace {
const char* const NotoTamil = "/usr/share/fonts/truetype/noto/NotoSansTamil-Regular.ttf";

// Unicode's own letters, by the design's rows and columns.
const QString Consonants = QString::fromUtf8("கசடதபறயரலவளழஞஙணநமனஜஹஷஸ");
const QStringList VowelSigns = QString::fromUtf8(",ா,ி,ீ,ு,ூ,ெ,ே,ை,ொ,ோ,ௌ,்").split(',');
const QString BareVowels = QString::fromUtf8("அஆஇஈஉஊஎஏஐஒஓஔஃ");

QString syllableOf(int row, int column)
{
    if (row == 0)
        return BareVowels.mid(column - 1, 1);
    // Bamini has no glyph of its own for these; it draws them with another syllable's.
    if ((row == 13 || row == 14 || row == 21) && (column == 5 || column == 6))
        return Consonants.mid(row - 1, 1);
    if (column == 6 && (row == 6 || row == 11))
        return Consonants.mid(row - 1, 1) + VowelSigns[4];
    return Consonants.mid(row - 1, 1) + VowelSigns[column - 1];
}

QString codesOf(const std::string& cell)
{
    QString out;
    forEachKeyStroke(cell, [&](const KeyStroke& k) { out += QLatin1Char(k.typedChar()); });
    return out;
}

struct Ink {
    QImage mask;   // one byte a pixel, 255 where inked
    QImage near;   // the same, grown by two pixels: room for rounding and antialiasing
    QRect box;
    long count = 0;
};

Ink render(const QString& text, const QFont& font, QSize size = {480, 240})
{
    QImage image(size, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(60, size.height() * 2 / 3), text);
    p.end();
    Ink ink{QImage(image.size(), QImage::Format_Grayscale8), QImage(image.size(), QImage::Format_Grayscale8), {}, 0};
    ink.mask.fill(0);
    ink.near.fill(0);
    const int grow = 2;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.constScanLine(y)[x] < 128) {
                ink.mask.scanLine(y)[x] = 255;
                ink.box |= QRect(x, y, 1, 1);
                ++ink.count;
                for (int ny = qMax(0, y - grow); ny <= qMin(image.height() - 1, y + grow); ++ny)
                    for (int nx = qMax(0, x - grow); nx <= qMin(image.width() - 1, x + grow); ++nx)
                        ink.near.scanLine(ny)[nx] = 255;
            }
    return ink;
}

// How much of each drawing lies on the other, the two aligned at their left ink edge on
// the same baseline: 1 for the same picture, far less for another letter or a sign out
// of place. The smaller of the two shares counts, so neither may have ink the other lacks.
double overlap(const Ink& a, const Ink& b)
{
    if (a.count == 0 || b.count == 0)
        return 0;
    const int dx = b.box.left() - a.box.left();
    auto share = [](const Ink& from, const Ink& onto, int shift) {
        long hit = 0;
        for (int y = from.box.top(); y <= from.box.bottom(); ++y)
            for (int x = from.box.left(); x <= from.box.right(); ++x)
                if (from.mask.constScanLine(y)[x] && onto.near.rect().contains(x + shift, y)
                    && onto.near.constScanLine(y)[x + shift])
                    ++hit;
        return double(hit) / double(from.count);
    };
    return qMin(share(a, b, dx), share(b, a, -dx));
}
} // namespace

class TestTamilFont : public QObject {
    Q_OBJECT

    CompositionTables tables;
    QFont bundled, noto;

private slots:
    void initTestCase()
    {
        tables.FillSyllableTable();
        tables.FillVowelKeys();
        tables.FillConsonantKeys();
        QCOMPARE(tamilFontFamily(), QString("Orvane Tamil"));  // no Bamini font on a test machine
        bundled = tamilFont(15.75);
        bundled.setPixelSize(96);
        const int id = QFontDatabase::addApplicationFont(NotoTamil);
        QVERIFY2(id >= 0, "Noto Sans Tamil (fonts-noto-core) is needed to check the drawings");
        noto = QFont(QFontDatabase::applicationFontFamilies(id).constFirst());
        noto.setPixelSize(96);
    }

    void everyCodeTheEditorWritesHasAGlyph()
    {
        const QRawFont raw = QRawFont::fromFont(bundled);
        QString used = QString::fromLatin1(ConsonantPrompt.data(), qsizetype(ConsonantPrompt.size()))
                       + QString::fromLatin1(VowelPrompt.data(), qsizetype(VowelPrompt.size()))
                       + QString::fromStdString(ClockText({9, 5, 0}) + ClockText({21, 5, 0})) + "0123456789";
        for (int r = 0; r <= 22; ++r)
            for (int c = 1; c <= 13; ++c)
                used += codesOf(tables.SyllableTable[r][c]);
        used += ">@=";  // what typed "," ";" and "`" become
        for (const QChar ch : used)
            QVERIFY2(raw.supportsCharacter(ch), qPrintable(QString("no glyph for '%1'").arg(ch)));
    }

    void everyCellLooksLikeItsSyllable()
    {
        std::map<QString, Ink> reference;
        auto ref = [&](int r, int c) -> const Ink& {
            const QString s = syllableOf(r, c);
            auto it = reference.find(s);
            return it != reference.end() ? it->second : reference.emplace(s, render(s, noto)).first->second;
        };

        QImage specimen(14 * 150, 23 * 90, QImage::Format_RGB32);
        specimen.fill(Qt::white);
        QPainter sheet(&specimen);
        QFont small = bundled;
        small.setPixelSize(40);
        QFont smallNoto = noto;
        smallNoto.setPixelSize(18);

        double worst = 1;
        QString worstCell;
        for (int r = 0; r <= 22; ++r)
            for (int c = 1; c <= 13; ++c) {
                const QString codes = codesOf(tables.SyllableTable[r][c]);
                const Ink drawn = render(codes, bundled);
                const double own = overlap(drawn, ref(r, c));
                const QString name = QString("row %1 column %2 \"%3\" as %4").arg(r).arg(c).arg(codes, syllableOf(r, c));
                QVERIFY2(own >= 0.80, qPrintable(name + QString(": overlap %1").arg(own)));
                // No other vowel of the row, nor other consonant of the column, fits better.
                auto notCloser = [&](int r2, int c2) {
                    // The pulli stands at one place for every letter, as in any 8-bit font, so
                    // on a wide letter it may miss Noto's; where it stands is checked below.
                    if (syllableOf(r2, c2) == syllableOf(r, c) || (c == 13 && r2 == r && syllableOf(r2, c2) == syllableOf(r, 1)))
                        return;
                    const double other = overlap(drawn, ref(r2, c2));
                    QVERIFY2(other < own, qPrintable(name + QString(" (%1) looks more like %2 (%3)").arg(own).arg(syllableOf(r2, c2)).arg(other)));
                };
                for (int c2 = 1; c2 <= 13; ++c2)
                    notCloser(r, c2);
                for (int r2 = 0; r2 <= 22; ++r2)
                    notCloser(r2, c);
                if (own < worst) {
                    worst = own;
                    worstCell = name;
                }
                sheet.setFont(small);
                sheet.drawText(QPointF(c * 150 - 140, r * 90 + 50), codes);
                sheet.setFont(smallNoto);
                sheet.setPen(Qt::darkGray);
                sheet.drawText(QPointF(c * 150 - 140, r * 90 + 80), syllableOf(r, c) + "  " + codes);
                sheet.setPen(Qt::black);
            }
        sheet.end();
        QVERIFY(specimen.save("tamil-font-specimen.png"));
        qInfo("least overlap %.3f at %s; specimen in %s/tamil-font-specimen.png", worst, qPrintable(worstCell),
              qPrintable(QDir::currentPath()));
    }

    void zeroWidthSignsSitOverTheirLetter()
    {
        for (int r = 1; r <= 22; ++r) {
            const QString base = codesOf(tables.SyllableTable[r][1]);
            const Ink letter = render(base, bundled);
            for (const QString& sign : {QString(";"), QString("P")}) {
                const Ink both = render(base + sign, bundled);
                QRect extra;
                for (int y = both.box.top(); y <= both.box.bottom(); ++y)
                    for (int x = both.box.left(); x <= both.box.right(); ++x)
                        if (both.mask.constScanLine(y)[x] && !letter.near.constScanLine(y)[x])
                            extra |= QRect(x, y, 1, 1);
                const QString name = base + sign;
                QVERIFY2(!extra.isEmpty(), qPrintable(name + ": the sign draws nothing"));
                QVERIFY2(extra.center().x() > letter.box.left() && extra.center().x() < letter.box.right(),
                         qPrintable(name + ": the sign is not over its letter"));
                QVERIFY2(extra.top() < letter.box.top(), qPrintable(name + ": the sign is not above its letter"));
                if (sign == ";")
                    QVERIFY2(extra.right() <= letter.box.right(), qPrintable(name + ": the pulli overhangs its letter"));
            }
        }
    }

    void realBaminiLooksLikeItsUnicode()
    {
        // Text people typed, word by word: drawn from its codes it looks like its Unicode
        // drawn by Noto with full shaping.
        QFont smallBundled = bundled, smallNoto = noto;
        smallBundled.setPixelSize(40);
        smallNoto.setPixelSize(40);
        const QSize canvas(1400, 120);
        double worst = 1;
        QString worstWord;
        for (const test::RealBaminiLine& line : test::RealBamini) {
            const QStringList codes = QString::fromLatin1(line.bamini).split(' ', Qt::SkipEmptyParts);
            const QStringList words = QString::fromUtf8(line.unicode).split(' ', Qt::SkipEmptyParts);
            QCOMPARE(codes.size(), words.size());
            for (qsizetype i = 0; i < codes.size(); ++i) {
                const double own = overlap(render(codes[i], smallBundled, canvas), render(words[i], smallNoto, canvas));
                QVERIFY2(own >= 0.75, qPrintable(QString("\"%1\" does not look like %2: overlap %3").arg(codes[i], words[i]).arg(own)));
                if (own < worst) {
                    worst = own;
                    worstWord = words[i];
                }
            }
        }
        qInfo("least overlap %.3f at %s", worst, qPrintable(worstWord));
    }

    void aWrongGlyphIsCaught()
    {
        // The comparison itself must tell neighbours apart: ka is not nga, ki is not kii.
        const Ink ka = render("f", bundled);
        QVERIFY(overlap(ka, render(QString::fromUtf8("க"), noto)) > 0.9);
        QVERIFY(overlap(ka, render(QString::fromUtf8("ங"), noto)) < 0.6);
        QVERIFY(overlap(render("fp", bundled), render(QString::fromUtf8("கீ"), noto)) < 0.8);
        QVERIFY(overlap(render("f;", bundled), render(QString::fromUtf8("க"), noto)) < 0.95);
    }
};

QTEST_MAIN(TestTamilFont)
#include "test_tamil_font.moc"
