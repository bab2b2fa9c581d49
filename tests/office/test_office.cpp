// Word documents typed in Bamini converted run by run: the Tamil made Unicode, everything
// else (English, styles, tables, the XML around the runs) left as it was; and the archives
// and XML that must not be trusted refused with a message.

#include "office/office_document.h"
#include "office/office_importer.h"
#include "office/office_shared.h"
#include "office/zip_archive.h"
#include "support/files.h"
#include "support/real_bamini.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using namespace orvane;
using namespace orvane::office;

namespace {
QString u(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const Styles = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:asciiTheme="minorHAnsi" w:hAnsiTheme="minorHAnsi"/></w:rPr></w:rPrDefault></w:docDefaults><w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/></w:style><w:style w:type="paragraph" w:styleId="TamilBody"><w:name w:val="Tamil Body"/><w:basedOn w:val="Normal"/><w:rPr><w:rFonts w:ascii="BAMINI" w:hAnsi="BAMINI"/><w:sz w:val="24"/></w:rPr></w:style><w:style w:type="character" w:styleId="Heading"><w:name w:val="Heading"/><w:basedOn w:val="HeadingBase"/><w:rPr><w:b/></w:rPr></w:style><w:style w:type="character" w:styleId="HeadingBase"><w:rPr><w:rFonts w:ascii="Kalaham" w:hAnsi="Kalaham"/></w:rPr></w:style></w:styles>)";

const char* const Theme = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" name="Office"><a:themeElements><a:fontScheme name="Office"><a:majorFont><a:latin typeface="Calibri Light"/></a:majorFont><a:minorFont><a:latin typeface="Calibri"/></a:minorFont></a:fontScheme></a:themeElements></a:theme>)";

// A letter as people type them: Bamini runs beside English ones, a syllable whose codes a
// word processor divided between a plain and a bold run, a style's Bamini font, a character
// style's font through its basedOn, a table, a header, and a line typed by people.
QByteArray documentXml()
{
    const QString real = QString::fromUtf8(test::RealBamini[0].bamini);
    return QString(R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><w:body>
<w:p><w:pPr><w:jc w:val="center"/></w:pPr><w:r><w:rPr><w:rFonts w:ascii="Bamini" w:hAnsi="Bamini" w:eastAsia="SimSun"/><w:sz w:val="28"/></w:rPr><w:t>tzf;fk;</w:t></w:r><w:r><w:rPr><w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman"/></w:rPr><w:t xml:space="preserve"> Mr. Kumar &amp; Co, 10 Main St. </w:t></w:r><w:r><w:rPr><w:rFonts w:ascii="Bamini" w:hAnsi="Bamini"/></w:rPr><w:t>n</w:t></w:r><w:r><w:rPr><w:rFonts w:ascii="Bamini" w:hAnsi="Bamini"/><w:b/></w:rPr><w:t>fhz;L</w:t></w:r></w:p>
<w:p><w:pPr><w:pStyle w:val="TamilBody"/></w:pPr><w:r><w:t>jkpo;</w:t></w:r><w:r><w:rPr><w:rStyle w:val="Heading"/></w:rPr><w:t xml:space="preserve"> ehL</w:t></w:r><w:r><w:rPr><w:rFonts w:ascii="Arial" w:hAnsi="Arial"/></w:rPr><w:t>Chennai 600001</w:t></w:r></w:p>
<w:tbl><w:tblPr><w:tblW w:w="5000" w:type="pct"/></w:tblPr><w:tr><w:tc><w:p><w:r><w:rPr><w:rFonts w:ascii="Bamini" w:hAnsi="Bamini"/></w:rPr><w:t>%1</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>Total</w:t></w:r></w:p></w:tc></w:tr></w:tbl>
<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:body></w:document>)")
        .arg(real)
        .toUtf8();
}

std::vector<ZipEntry> letterEntries()
{
    return {
        {"[Content_Types].xml", R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>)", false},
        {"word/document.xml", documentXml().toStdString(), false},
        {"word/styles.xml", Styles, false},
        {"word/theme/theme1.xml", Theme, false},
        {"word/header1.xml", R"(<w:hdr xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:p><w:r><w:rPr><w:rFonts w:ascii="Bamini"/></w:rPr><w:t>gf;fk; 1</w:t></w:r></w:p></w:hdr>)", false},
        {"word/media/image1.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\0", 12), true},
    };
}

std::string zipOf(const std::vector<ZipEntry>& entries)
{
    std::string bytes, error;
    if (!writeZip(entries, bytes, error))
        qFatal("writeZip: %s", error.c_str());
    return bytes;
}

// The runs of a part: each w:t's text with the ascii font its own rFonts names.
QStringList runsOf(const std::string& xml)
{
    QStringList out;
    QXmlStreamReader r(QString::fromStdString(xml));
    QString font;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"r")
            font.clear();
        else if (r.isStartElement() && r.name() == u"rFonts")
            font = r.attributes().value(QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main"), QStringLiteral("ascii")).toString();
        else if (r.isStartElement() && r.name() == u"t")
            out << r.readElementText() + " | " + font;
    }
    if (r.hasError())
        out << "XML error: " + r.errorString();
    return out;
}

// The XML with the text of every w:t and every rFonts (and an rPr holding only that) taken
// out: what a conversion must leave as it was.
QString withoutRuns(const std::string& xml)
{
    QString s = QString::fromStdString(xml);
    s.replace(QRegularExpression(QStringLiteral("(<w:t(?: [^>]*)?>)[^<]*(</w:t>)")), QStringLiteral("\\1\\2"));
    s.replace(QRegularExpression(QStringLiteral("<w:rFonts [^>]*/>")), QString());
    s.replace(QRegularExpression(QStringLiteral("<w:(bCs|iCs|szCs)[^>]*/>")), QString());
    s.replace(QStringLiteral("<w:rPr></w:rPr>"), QString());
    return s;
}

std::vector<ZipEntry> converted(const std::vector<ZipEntry>& entries, const ConvertOptions& options, ConvertReport& report)
{
    std::string out, error;
    if (!convertDocx(zipOf(entries), out, options, report, error))
        qFatal("convertDocx: %s", error.c_str());
    std::vector<ZipEntry> back;
    if (!readZip(out, back, error))
        qFatal("readZip: %s", error.c_str());
    return back;
}
} // namespace

class TestOffice : public QObject {
    Q_OBJECT
private slots:
    void aLetterBecomesUnicodeWithItsEnglishAndLayoutKept()
    {
        ConvertOptions options;
        options.baminiFonts = {"Kalaham"};
        ConvertReport report;
        const std::vector<ZipEntry> in = letterEntries();
        std::vector<ZipEntry> out = converted(in, options, report);

        // Every entry, in order, the untouched ones byte for byte (stored ones stored).
        QCOMPARE(out.size(), in.size());
        for (std::size_t k = 0; k < in.size(); ++k) {
            QCOMPARE(out[k].name, in[k].name);
            QCOMPARE(out[k].stored, in[k].stored);
            if (in[k].name != "word/document.xml" && in[k].name != "word/header1.xml")
                QCOMPARE(out[k].data, in[k].data);
        }
        const std::string& body = entryNamed(out, "word/document.xml")->data;
        QCOMPARE(runsOf(body), QStringList({
                                   u("வணக்கம் | Noto Sans Tamil"),
                                   u(" Mr. Kumar & Co, 10 Main St.  | Times New Roman"),
                                   u("கொ | Noto Sans Tamil"),  // the syllable goes where its codes begin
                                   u("ண்டு | Noto Sans Tamil"),
                                   u("தமிழ் | Noto Sans Tamil"),     // the paragraph style's Bamini
                                   u(" நாடு | Noto Sans Tamil"),     // the character style's, named
                                   u("Chennai 600001 | Arial"),
                                   u(test::RealBamini[0].unicode) + u(" | Noto Sans Tamil"),
                                   u("Total | "),  // the theme's Calibri
                               }));
        QCOMPARE(withoutRuns(body), withoutRuns(in[1].data));
        QVERIFY(body.find("w:eastAsia=\"SimSun\"") != std::string::npos);  // other slots kept
        // Tamil Unicode is a complex script: its bold and size are their complex-script twins.
        QVERIFY(body.find("<w:sz w:val=\"28\"/><w:szCs w:val=\"28\"/>") != std::string::npos);
        QVERIFY(body.find("<w:b/><w:bCs/></w:rPr><w:t>") != std::string::npos);
        QCOMPARE(runsOf(entryNamed(out, "word/header1.xml")->data), QStringList({u("பக்கம் 1 | Noto Sans Tamil")}));
        QCOMPARE(report.runs, std::size_t(7));
        QVERIFY(report.fonts.count("Calibri") && report.fonts.count("Kalaham") && report.fonts.count("Times New Roman"));

        // Back to Bamini, and to Unicode again: the same text.
        ConvertOptions back;
        back.toUnicode = false;
        ConvertReport backReport;
        std::vector<ZipEntry> bamini = converted(out, back, backReport);
        QCOMPARE(runsOf(entryNamed(bamini, "word/document.xml")->data).first(), QString("tzf;fk; | Bamini"));
        ConvertReport again;
        const std::vector<ZipEntry> unicodeAgain = converted(bamini, options, again);
        QCOMPARE(runsOf(entryNamed(unicodeAgain, "word/document.xml")->data), runsOf(body));
    }

    // An OpenDocument letter: a span in an automatic style whose font face is Bamini, a
    // paragraph style's Bamini through its parent, a syllable divided between spans, spaces
    // as text:s, English beside; the font faces of Bamini made the Unicode font, the rest
    // of the XML as it was.
    void anOpenDocumentLetterBecomesUnicode()
    {
        const std::string content = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" office:version="1.3"><office:font-face-decls><style:font-face style:name="Bamini" svg:font-family="Bamini"/><style:font-face style:name="Liberation Serif" svg:font-family="'Liberation Serif'"/></office:font-face-decls><office:automatic-styles><style:style style:name="T1" style:family="text"><style:text-properties style:font-name="Bamini"/></style:style><style:style style:name="T2" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style><style:style style:name="P1" style:family="paragraph" style:parent-style-name="TamilBody"/></office:automatic-styles><office:body><office:text><text:p text:style-name="Standard"><text:span text:style-name="T1">tzf;fk;</text:span> Mr. Kumar &amp; Co<text:s text:c="2"/><text:span text:style-name="T1">n<text:span text:style-name="T2">fhz;L</text:span></text:span></text:p><text:p text:style-name="P1">jkpo;<text:s/>ehL</text:p></office:text></office:body></office:document-content>)";
        const std::string stylesXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-styles xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"><office:styles><style:default-style style:family="paragraph"><style:text-properties style:font-name="Liberation Serif"/></style:default-style><style:style style:name="TamilBody" style:family="paragraph"><style:text-properties fo:font-family="Bamini" fo:font-size="12pt"/></style:style></office:styles></office:document-styles>)";
        const std::vector<ZipEntry> in = {{"mimetype", "application/vnd.oasis.opendocument.text", true},
                                          {"content.xml", content, false},
                                          {"styles.xml", stylesXml, false}};
        const std::string odt = zipOf(in);
        QCOMPARE(kindOf(odt), DocumentKind::Odt);
        std::string out, error;
        ConvertReport report;
        QVERIFY2(convertOdt(odt, out, ConvertOptions{}, report, error), error.c_str());
        std::vector<ZipEntry> back;
        QVERIFY(readZip(out, back, error));
        QCOMPARE(back.front().name, std::string("mimetype"));
        QVERIFY(back.front().stored);
        QString converted = QString::fromStdString(entryNamed(back, "content.xml")->data);
        QString expected = QString::fromStdString(content);
        expected.replace(QStringLiteral("svg:font-family=\"Bamini\""), QStringLiteral("svg:font-family=\"'Noto Sans Tamil'\""));
        // Tamil Unicode is drawn with the complex-script font and weight: the styles of the
        // converted text get them.
        expected.replace(QStringLiteral("<style:text-properties style:font-name=\"Bamini\"/>"),
                         QStringLiteral("<style:text-properties style:font-name=\"Bamini\" style:font-name-complex=\"Bamini\"/>"));
        expected.replace(QStringLiteral("fo:font-weight=\"bold\"/>"), QStringLiteral("fo:font-weight=\"bold\" style:font-weight-complex=\"bold\"/>"));
        expected.replace(QStringLiteral(">tzf;fk;<"), u(">வணக்கம்<"));
        expected.replace(QStringLiteral(">n<"), u(">கொ<"));
        expected.replace(QStringLiteral(">fhz;L<"), u(">ண்டு<"));
        expected.replace(QStringLiteral(">jkpo;<"), u(">தமிழ்<"));
        expected.replace(QStringLiteral(">ehL<"), u(">நாடு<"));
        QCOMPARE(converted, expected);
        QVERIFY(entryNamed(back, "styles.xml")->data.find("fo:font-family=\"'Noto Sans Tamil'\" fo:font-size=\"12pt\" style:font-size-complex=\"12pt\" style:font-family-complex=\"'Noto Sans Tamil'\"") != std::string::npos);

        std::string text;
        QVERIFY(odtText(odt, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text), u("வணக்கம் Mr. Kumar & Co  கொண்டு\nதமிழ் நாடு"));

        // Back to Bamini: Tamil stretches made spans of codes in a Bamini style and font face
        // of their own (the face named Bamini now draws Noto), English beside them as it was;
        // read again, the same text.
        ConvertOptions toBamini;
        toBamini.toUnicode = false;
        std::string bamini;
        QVERIFY2(convertOdt(out, bamini, toBamini, report, error), error.c_str());
        std::vector<ZipEntry> backEntries;
        QVERIFY(readZip(bamini, backEntries, error));
        const std::string& backContent = entryNamed(backEntries, "content.xml")->data;
        QVERIFY(backContent.find("<style:font-face style:name=\"Bamini 2\" svg:font-family=\"Bamini\"/>") != std::string::npos);
        QVERIFY(backContent.find("<text:span text:style-name=\"T1\"><text:span text:style-name=\"OrvaneBamini\">tzf;fk;</text:span></text:span> Mr. Kumar") != std::string::npos);
        QVERIFY(odtText(bamini, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text), u("வணக்கம் Mr. Kumar & Co  கொண்டு\nதமிழ் நாடு"));
    }

    // RTF: the font table's Bamini entry, \f switches, a syllable divided by a bold group,
    // \'hh bytes and a table; the text becomes \uN characters, the font's name the Unicode
    // font, everything else as it was. Read back (or opened), it is the Unicode text.
    void anRtfLetterBecomesUnicode()
    {
        const std::string rtf = "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fnil\\fcharset0 Bamini;}{\\f1\\froman\\fcharset0 Times New Roman;}}"
                                "{\\colortbl;\\red0\\green0\\blue0;}{\\info{\\title Letter}}\n"
                                "\\pard\\f0\\fs24 tzf;fk;\\f1  Mr. Kumar \\'96 Co\\par\n"
                                "\\f0 n{\\b fhz;L}\\tab jk\\'70o;\\par\n"
                                "\\trowd\\cellx2000 \\intbl\\f0 ehL\\cell\\row}";
        QCOMPARE(kindOf(rtf), DocumentKind::Rtf);
        std::string out, error, text;
        ConvertReport report;
        QVERIFY2(convertRtf(rtf, out, ConvertOptions{}, report, error), error.c_str());
        for (const char* kept : {"{\\f1\\froman\\fcharset0 Times New Roman;}", "{\\colortbl;\\red0\\green0\\blue0;}",
                                 "{\\info{\\title Letter}}", "\\f1  Mr. Kumar \\'96 Co\\par", "{\\b {\\uc1"})
            QVERIFY2(out.find(kept) != std::string::npos, kept);
        QVERIFY(out.find("{\\f0\\fnil\\fcharset0 Noto Sans Tamil;}") != std::string::npos);
        const QString expected = u("வணக்கம் Mr. Kumar – Co\nகொண்டு\tதமிழ்\nநாடு\n");
        QVERIFY(rtfText(rtf, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text) + "\n", expected);
        QVERIFY(rtfText(out, ConvertOptions{}, text, error));  // no Bamini font left: \uN as they are
        QCOMPARE(QString::fromStdString(text) + "\n", expected);
        QCOMPARE(report.runs, std::size_t(5));
        // Back to Bamini: the Tamil as codes in a Bamini font the font table gains; read again,
        // the same text.
        ConvertOptions back;
        back.toUnicode = false;
        std::string bamini;
        QVERIFY2(convertRtf(out, bamini, back, report, error), error.c_str());
        QVERIFY(bamini.find("\\fnil\\fcharset0 Bamini;}}") != std::string::npos);
        QVERIFY(rtfText(bamini, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text) + "\n", expected);

        // A font's alternative ({\*\falt ...}) is not its name.
        const std::string alternatives = "{\\rtf1\\ansi{\\fonttbl{\\f0 Verdana{\\*\\falt Bamini};}{\\f1 Bamini{\\*\\falt Arial};}}"
                                         "\\f0 Hello \\f1 jkpo;\\par}";
        QVERIFY2(convertRtf(alternatives, out, ConvertOptions{}, report, error), error.c_str());
        QVERIFY2(out.find("{\\f0 Verdana{\\*\\falt Bamini};}{\\f1 Noto Sans Tamil{\\*\\falt Arial};}") != std::string::npos, out.c_str());
        QVERIFY(rtfText(alternatives, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text), u("Hello தமிழ்"));

        // A footnote marked ignorable, as some writers do, holds text: it is converted too
        // (its font becomes the Unicode one, so codes left in it would read as Latin letters).
        const std::string footnote = "{\\rtf1\\ansi{\\fonttbl{\\f0 Bamini;}}\\f0 jkpo;{\\*\\footnote \\f0 ehL}\\par}";
        QVERIFY2(convertRtf(footnote, out, ConvertOptions{}, report, error), error.c_str());
        QVERIFY2(out.find("ehL") == std::string::npos && out.find("{\\*\\footnote ") != std::string::npos, out.c_str());

        // Groups nested past all reason, a \bin past the end, a group closed twice.
        for (const std::string& bad : {"{\\rtf1" + std::string(5000, '{'), std::string("{\\rtf1 \\bin99999 x}"), std::string("{\\rtf1 x}}")}) {
            QVERIFY(!convertRtf(bad, out, ConvertOptions{}, report, error));
            QVERIFY(!error.empty());
        }
    }

    // Documents typed by people (tests/data/office/SOURCES.md), saved by a word processor:
    // opened, they read as the Unicode written by hand beside them; converted, they read the
    // same, with the parts in other fonts and outside the runs as they were; back to Bamini
    // and to Unicode again, the same once more.
    void realDocuments_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        // Where the converted text keeps the bold and size its style gave the Bamini text:
        // in the complex-script twins Tamil Unicode is drawn with.
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("look");
        QTest::newRow(".docx") << "proficiency-examination.docx" << int(DocumentKind::Docx) << "word/document.xml"
                               << u("<w:bCs/><w:szCs w:val=\"36\"/></w:rPr><w:t>திரைகடலோடினும்");
        QTest::newRow(".odt") << "transfer-certificate.odt" << int(DocumentKind::Odt) << "styles.xml"
                              << "fo:font-size=\"13pt\" fo:font-weight=\"bold\" style:font-size-complex=\"13pt\" style:font-weight-complex=\"bold\"";
        QTest::newRow(".rtf") << "mid-year-examination.rtf" << int(DocumentKind::Rtf) << QString()
                              << "{\\uc1\\rtlch\\fcs1\\af5\\ab\\ai0\\afs28\\ltrch\\fcs0 \\u2980?";
    }

    void realDocuments()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, part);
        QFETCH(QString, look);
        const QString dir = QStringLiteral(ORVANE_SOURCE_DIR "/tests/data/office/");
        QFile file(dir + name), hand(dir + QFileInfo(name).completeBaseName() + ".txt");
        QVERIFY(file.open(QIODevice::ReadOnly) && hand.open(QIODevice::ReadOnly));
        const std::string in = file.readAll().toStdString();
        QString expected = QString::fromUtf8(hand.readAll());
        while (expected.endsWith('\n'))
            expected.chop(1);
        QCOMPARE(int(kindOf(in)), kind);

        using Convert = bool (*)(std::string_view, std::string&, const ConvertOptions&, ConvertReport&, std::string&);
        using Text = bool (*)(std::string_view, const ConvertOptions&, std::string&, std::string&);
        const Convert convert = kind == int(DocumentKind::Docx) ? convertDocx : kind == int(DocumentKind::Odt) ? convertOdt : convertRtf;
        const Text textOf = kind == int(DocumentKind::Docx) ? docxText : kind == int(DocumentKind::Odt) ? odtText : rtfText;
        const auto read = [&](const std::string& bytes) {
            std::string text, error;
            if (!textOf(bytes, ConvertOptions{}, text, error))
                return QString::fromStdString("cannot read: " + error);
            while (!text.empty() && text.back() == '\n')
                text.pop_back();
            return QString::fromStdString(text);
        };

        std::string error;
        const std::optional<std::string> opened = office::OfficeImporter().importText(in, error);
        QVERIFY2(opened, error.c_str());
        QString openedText = QString::fromStdString(*opened);
        while (openedText.endsWith('\n'))
            openedText.chop(1);
        QCOMPARE(openedText, expected);

        std::string out;
        ConvertReport report;
        QVERIFY2(convert(in, out, ConvertOptions{}, report, error), error.c_str());
        QVERIFY(report.runs > 0 && report.unplaced.empty());
        QCOMPARE(read(out), expected);
        std::string converted = out;
        if (!part.isEmpty()) {
            std::vector<ZipEntry> entries;
            QVERIFY(readZip(out, entries, error));
            converted = entryNamed(entries, part.toStdString())->data;
        }
        QVERIFY2(QString::fromStdString(converted).contains(look), qPrintable(look));

        if (kind == int(DocumentKind::Rtf)) {
            // Every group in another font (not the Bamini of a paragraph in the style \s20)
            // is in the output byte for byte.
            const QRegularExpression other(QStringLiteral(R"(\{\\loch\n[^{}]*\})"));
            int groups = 0;
            for (const QString& paragraph : QString::fromStdString(in).split(QStringLiteral("\\par "))) {
                if (paragraph.contains(QStringLiteral("\\s20")))
                    continue;
                for (const QRegularExpressionMatch& m : other.globalMatch(paragraph)) {
                    QVERIFY2(out.find(m.captured().toStdString()) != std::string::npos, qPrintable(m.captured()));
                    ++groups;
                }
            }
            QVERIFY(groups > 5);
        } else {
            std::vector<ZipEntry> before, after;
            QVERIFY(readZip(in, before, error) && readZip(out, after, error));
            QCOMPARE(after.size(), before.size());
            for (std::size_t k = 0; k < before.size(); ++k) {
                QCOMPARE(after[k].name, before[k].name);
                if (before[k].name == "word/document.xml") {
                    QCOMPARE(withoutRuns(after[k].data), withoutRuns(before[k].data));
                } else if (before[k].name == "content.xml" || before[k].name == "styles.xml") {
                    // The text between the tags, the Bamini font faces' families and the
                    // complex-script twins are all that may change.
                    const auto outside = [](const std::string& xml) {
                        QString s = QString::fromStdString(xml);
                        s.replace(QRegularExpression(QStringLiteral(">[^<]*<")), QStringLiteral("><"));
                        s.replace(QRegularExpression(QStringLiteral(" style:font-[a-z]+-complex=\"[^\"]*\"")), QString());
                        s.replace(QRegularExpression(QStringLiteral("(svg:font-family|fo:font-family)=\"[^\"]*\"")), QStringLiteral("\\1"));
                        return s;
                    };
                    QCOMPARE(outside(after[k].data), outside(before[k].data));
                } else {
                    QVERIFY2(after[k].data == before[k].data, before[k].name.c_str());
                }
            }
        }

        ConvertOptions toBamini;
        toBamini.toUnicode = false;
        std::string bamini, again;
        QVERIFY2(convert(out, bamini, toBamini, report, error), error.c_str());
        QVERIFY2(convert(bamini, again, ConvertOptions{}, report, error), error.c_str());
        QCOMPARE(read(again), expected);
    }

    // Opened in the window: the header above the body's text, a line for each paragraph (a
    // table's cell by cell), Bamini runs as Unicode Tamil, tabs as tabs, the rest as it is.
    void aLetterOpensAsItsText()
    {
        ConvertOptions options;
        options.baminiFonts = {"Kalaham"};
        std::string text, error;
        QVERIFY(docxText(zipOf(letterEntries()), options, text, error));
        QCOMPARE(QString::fromStdString(text),
                 u("பக்கம் 1\nவணக்கம் Mr. Kumar & Co, 10 Main St. கொண்டு\nதமிழ் நாடுChennai 600001\n")
                     + u(test::RealBamini[0].unicode) + u("\nTotal"));
    }

    // Fonts Word draws text in that no run names: a table style's, and the complex-script
    // font of a run marked <w:cs/>.
    void aTableStylesFontAndAComplexScriptRun()
    {
        const char* const ns = R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")";
        const std::string styles = std::string("<w:styles ") + ns
                                   + R"(><w:style w:type="table" w:styleId="TamilTable"><w:rPr><w:rFonts w:ascii="Bamini" w:hAnsi="Bamini"/></w:rPr></w:style></w:styles>)";
        const std::string body = std::string("<w:document ") + ns
                                 + R"(><w:body><w:tbl><w:tblPr><w:tblStyle w:val="TamilTable"/></w:tblPr><w:tr><w:tc><w:p><w:r><w:t>jkpo;</w:t></w:r></w:p></w:tc></w:tr></w:tbl>)"
                                   R"(<w:p><w:r><w:rPr><w:rFonts w:ascii="Arial" w:hAnsi="Arial" w:cs="Bamini"/><w:cs/></w:rPr><w:t>ehL</w:t></w:r>)"
                                   R"(<w:r><w:rPr><w:rFonts w:ascii="Arial" w:hAnsi="Arial" w:cs="Bamini"/></w:rPr><w:t>ehL</w:t></w:r></w:p></w:body></w:document>)";
        const std::string docx = zipOf({{"word/document.xml", body, false}, {"word/styles.xml", styles, false}});
        std::string text, error;
        QVERIFY(docxText(docx, {}, text, error));
        QCOMPARE(QString::fromStdString(text), u("தமிழ்\nநாடுehL"));
        std::string out;
        ConvertReport report;
        QVERIFY(convertDocx(docx, out, {}, report, error));
        QCOMPARE(report.runs, std::size_t(2));

        // A list's labels set in Bamini: the text beside the number made Unicode, the number kept.
        const std::string numbering = std::string("<w:numbering ") + ns
                                      + "><w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:lvlText w:val=\"%1 m)\"/><w:rPr><w:rFonts w:ascii=\"Bamini\" w:hAnsi=\"Bamini\"/></w:rPr></w:lvl>"
                                        R"(<w:lvl w:ilvl="1"><w:lvlText w:val="m%2."/><w:rPr><w:rFonts w:ascii="Arial"/></w:rPr></w:lvl></w:abstractNum></w:numbering>)";
        QVERIFY(convertDocx(zipOf({{"word/document.xml", body, false}, {"word/numbering.xml", numbering, false}}), out, {}, report, error));
        std::vector<ZipEntry> back;
        QVERIFY(readZip(out, back, error));
        const QString lists = QString::fromStdString(entryNamed(back, "word/numbering.xml")->data);
        QVERIFY2(lists.contains(u("<w:lvlText w:val=\"%1 அ)\"/><w:rPr><w:rFonts w:ascii=\"Noto Sans Tamil\"")), qPrintable(lists));
        QVERIFY(lists.contains(u("<w:lvlText w:val=\"m%2.\"/><w:rPr><w:rFonts w:ascii=\"Arial\"/>")));

        // And back: Unicode labels as codes in the Bamini font, with run properties or none.
        const std::string unicodeLists =
            std::string("<w:numbering ") + ns
            + u("><w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\"><w:lvlText w:val=\"%1 அ)\"/><w:rPr><w:rFonts w:ascii=\"Noto Sans Tamil\" "
                "w:hAnsi=\"Noto Sans Tamil\" w:cs=\"Latha\"/></w:rPr></w:lvl><w:lvl w:ilvl=\"1\"><w:lvlText w:val=\"ஆ%2.\"/></w:lvl>"
                "<w:lvl w:ilvl=\"2\"><w:lvlText w:val=\"%3.\"/></w:lvl></w:abstractNum></w:numbering>").toStdString();
        ConvertOptions backToCodes;
        backToCodes.toUnicode = false;
        QVERIFY2(convertDocx(zipOf({{"word/document.xml", body, false}, {"word/numbering.xml", unicodeLists, false}}), out, backToCodes, report, error),
                 error.c_str());
        QVERIFY(readZip(out, back, error));
        const QString coded = QString::fromStdString(entryNamed(back, "word/numbering.xml")->data);
        QVERIFY2(coded.contains(u("<w:lvlText w:val=\"%1 m)\"/><w:rPr><w:rFonts w:cs=\"Latha\" w:ascii=\"Bamini\" w:hAnsi=\"Bamini\"/></w:rPr>")),
                 qPrintable(coded));
        QVERIFY2(coded.contains(u("<w:lvlText w:val=\"M%2.\"/><w:rPr><w:rFonts w:ascii=\"Bamini\" w:hAnsi=\"Bamini\"/></w:rPr></w:lvl>")),
                 qPrintable(coded));
        QVERIFY(coded.contains(u("<w:lvlText w:val=\"%3.\"/></w:lvl>")));  // no Tamil: as it was
    }

    // RTF as Word writes it: {\upr} holds the text twice, the second in {\*\ud} for Unicode
    // readers; both are converted and read once. \_ and \- are the hyphens they stand for.
    void anRtfsUnicodeTwinAndHyphens()
    {
        const std::string rtf = R"({\rtf1{\fonttbl{\f0 Bamini;}{\f1 Arial;}}\f0 {\upr{jkpo;}{\*\ud{jkpo;}}}\f1  co\_op\-er\par})";
        std::string text, error, out;
        QVERIFY(rtfText(rtf, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text), u("தமிழ் co\u2011op\u00ADer"));
        ConvertReport report;
        QVERIFY2(convertRtf(rtf, out, ConvertOptions{}, report, error), error.c_str());
        QCOMPARE(QString::fromStdString(out).count(QStringLiteral("\\u2980?")), 2);  // த in both halves
    }

    // Opened in the window, an RTF reads as its pages show it: the header above the body, a
    // note numbered where it is referred to and read below the body, the footer last.
    void anRtfsHeaderNotesAndFooterInTheirPlaces()
    {
        const std::string rtf = R"({\rtf1{\fonttbl{\f0 Bamini;}{\f1 Arial;}}{\header\pard\f0 gf;fk; 1\par}{\footer\pard\f1 )"
                                R"(Page end\par}\f0 jkpo;{\super\chftn}{\footnote\pard{\super\chftn}\f1  A note}\f1  more\par})";
        std::string text, error;
        QVERIFY(rtfText(rtf, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text), u("பக்கம் 1\nதமிழ்[1] more\n[1] A note\nPage end"));
    }

    // What Word keeps beside the text: a tracked deletion is no text (but is converted, for
    // when it is rejected), a note is numbered where it is referred to and read below the body,
    // the marks that stand for characters are those characters, and a header alone is text.
    // Opened in the window, an .odt reads as its pages show it: the header above the body, a
    // note numbered where it is referred to and read below the body, the footer last.
    void anOdtsHeaderNotesAndFooterInTheirPlaces()
    {
        const char* const ns = "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                               "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
                               "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"";
        const std::string content = std::string("<office:document-content ") + ns
                                    + "><office:body><office:text><text:p>Body<text:note text:note-class=\"footnote\"><text:note-citation>1"
                                      "</text:note-citation><text:note-body><text:p>A note</text:p></text:note-body></text:note> more</text:p>"
                                      "</office:text></office:body></office:document-content>";
        const std::string styles = std::string("<office:document-styles ") + ns
                                   + "><office:master-styles><style:master-page style:name=\"Standard\"><style:header><text:p>Notice"
                                     "</text:p></style:header><style:footer><text:p>Page end</text:p></style:footer></style:master-page>"
                                     "</office:master-styles></office:document-styles>";
        std::string text, error;
        QVERIFY2(odtText(zipOf({{"content.xml", content, false}, {"styles.xml", styles, false}}), ConvertOptions{}, text, error),
                 error.c_str());
        QCOMPARE(QString::fromStdString(text), QStringLiteral("Notice\nBody[1] more\n[1] A note\nPage end"));
    }

    // A part is read in its UTF-8 bytes: with a byte-order mark and Unicode before the run
    // its places still fall right; a part in another encoding is refused, nothing written.
    void aPartsBytesAreItsPlaces()
    {
        const std::string run = R"(<w:p><w:r><w:rPr><w:rFonts w:ascii="Bamini" w:hAnsi="Bamini"/></w:rPr><w:t>jkpo;</w:t></w:r></w:p>)";
        const std::string open = std::string("<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>")
                                 + u("<w:p><w:r><w:t>மொழி 😀</w:t></w:r></w:p>").toStdString();
        const std::string body = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + open + run + "</w:body></w:document>";
        std::string out, error;
        ConvertReport report;
        QVERIFY2(convertDocx(zipOf({{"word/document.xml", body, false}}), out, {}, report, error), error.c_str());
        std::vector<ZipEntry> back;
        QVERIFY(readZip(out, back, error));
        QCOMPARE(runsOf(back[0].data), QStringList({u("மொழி 😀 | "), u("தமிழ் | Noto Sans Tamil")}));
        const std::string latin = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>" + open + run + "</w:body></w:document>";
        QVERIFY(!convertDocx(zipOf({{"word/document.xml", latin, false}}), out, {}, report, error));
        QVERIFY2(error.find("windows-1252") != std::string::npos, error.c_str());
    }

    void deletionsNotesAndMarksAsWordShowsThem()
    {
        const char* const ns = R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")";
        const std::string bamini = R"(<w:rPr><w:rFonts w:ascii="Bamini" w:hAnsi="Bamini"/></w:rPr>)";
        const std::string body = std::string("<w:document ") + ns + "><w:body><w:p><w:r>" + bamini
                                 + "<w:t>jkpo;</w:t></w:r><w:r><w:footnoteReference w:id=\"2\"/></w:r><w:del w:id=\"9\"><w:r>"
                                 + bamini + "<w:delText>ehL</w:delText></w:r></w:del><w:r><w:t xml:space=\"preserve\"> co</w:t>"
                                   "<w:noBreakHyphen/><w:t>op</w:t><w:softHyphen/><w:sym w:font=\"Symbol\" w:char=\"F0B7\"/></w:r></w:p>"
                                   "</w:body></w:document>";
        const std::string notes = std::string("<w:footnotes ") + ns
                                  + "><w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
                                    "<w:footnote w:id=\"2\"><w:p><w:r><w:footnoteRef/></w:r><w:r><w:t xml:space=\"preserve\"> A note</w:t>"
                                    "</w:r></w:p></w:footnote></w:footnotes>";
        std::string text, error;
        QVERIFY(docxText(zipOf({{"word/document.xml", body, false}, {"word/footnotes.xml", notes, false}}), {}, text, error));
        QCOMPARE(QString::fromStdString(text), u("தமிழ்[1] co\u2011op\u00AD\uF0B7\n[1] A note"));
        std::string out;
        ConvertReport report;
        QVERIFY(convertDocx(zipOf({{"word/document.xml", body, false}}), out, {}, report, error));
        std::vector<ZipEntry> back;
        QVERIFY(readZip(out, back, error));
        QVERIFY(QString::fromStdString(back[0].data).contains(u("<w:delText>நாடு</w:delText>")));
        const std::string headerOnly = std::string("<w:document ") + ns + "><w:body><w:p/></w:body></w:document>";
        const std::string header = std::string("<w:hdr ") + ns + "><w:p><w:r><w:t>Notice</w:t></w:r></w:p></w:hdr>";
        QVERIFY(docxText(zipOf({{"word/document.xml", headerOnly, false}, {"word/header1.xml", header, false}}), {}, text, error));
        QCOMPARE(text, std::string("Notice\n"));
    }

    // A Bamini font draws English letters (and the comma) as Tamil: a run mixing them is
    // divided, its Tamil in the Bamini font and the rest as it was; one that cannot be (a tab
    // between its texts) is left as it was, and counted.
    void englishBesideTamilInOneRunIsDividedForTheBaminiWay()
    {
        std::vector<ZipEntry> entries = letterEntries();
        entries[1].data = R"(<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body><w:p><w:r><w:rPr><w:b/></w:rPr><w:t>வணக்கம் Kumar, நன்றி</w:t></w:r><w:r><w:t>நன்றி 2024.</w:t></w:r><w:r><w:t>தமிழ்</w:t><w:tab/><w:t>Tamil</w:t></w:r></w:p></w:body></w:document>)";
        ConvertOptions options;
        options.toUnicode = false;
        options.baminiFonts = {"Kalaham"};
        ConvertReport report;
        const std::vector<ZipEntry> out = converted(entries, options, report);
        QCOMPARE(runsOf(entryNamed(out, "word/document.xml")->data),
                 QStringList({u("tzf;fk;  | Kalaham"), u("Kumar,  | "), u("ed;wp | Kalaham"), u("ed;wp 2024. | Kalaham"),
                              u("தமிழ் | "), u("Tamil | ")}));
        QVERIFY(entryNamed(out, "word/document.xml")->data.find("<w:rFonts w:ascii=\"Kalaham\" w:hAnsi=\"Kalaham\" w:cs=\"Kalaham\"/><w:b/>") != std::string::npos);  // bold kept
        QCOMPARE(report.mixedRuns, std::size_t(1));
    }

    void untrustedArchivesAndXmlAreRefused_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("said");
        QTest::newRow("a name leaving the folder") << QByteArray("../../evil.xml") << QByteArray("x") << "outside its own folder";
        QTest::newRow("an absolute name") << QByteArray("/etc/evil") << QByteArray("x") << "outside its own folder";
        QTest::newRow("a billion laughs") << QByteArray("word/document.xml")
                                          << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]><d>&c;&c;&c;</d>")
                                          << "declares a document type";
        QTest::newRow("an external entity") << QByteArray("word/document.xml")
                                            << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><d>&x;</d>")
                                            << "declares a document type";
        QTest::newRow("malformed XML") << QByteArray("word/document.xml")
                                       << QByteArray("<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:p></w:body>")
                                       << "not well-formed";
    }

    void untrustedArchivesAndXmlAreRefused()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, data);
        QFETCH(QString, said);
        std::vector<ZipEntry> entries = letterEntries();
        if (name == "word/document.xml")
            entries[1].data = data.toStdString();
        else
            entries.push_back({name.toStdString(), data.toStdString(), false});
        std::string out, error;
        ConvertReport report;
        QVERIFY(!convertDocx(zipOf(entries), out, ConvertOptions{}, report, error));
        QVERIFY2(QString::fromStdString(error).contains(said), error.c_str());
        QVERIFY(out.empty());
    }

    // A tracked change of formatting holds an rPr of its own: the run's properties are the
    // outer ones, and what is written stays well-formed, the change as it was.
    void aTrackedFormattingChangeIsLeftAsItWas()
    {
        std::vector<ZipEntry> entries = letterEntries();
        const std::string change = "<w:rPrChange w:id=\"1\" w:author=\"A\" w:date=\"2024-01-01T00:00:00Z\"><w:rPr>"
                                   "<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\"/><w:sz w:val=\"20\"/></w:rPr></w:rPrChange>";
        entries[1].data = "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body><w:p>"
                          "<w:r><w:rPr><w:rFonts w:ascii=\"Bamini\" w:hAnsi=\"Bamini\"/><w:b/><w:sz w:val=\"28\"/>" + change
                          + "</w:rPr><w:t>tzf;fk;</w:t></w:r></w:p></w:body></w:document>";
        ConvertReport report;
        const std::vector<ZipEntry> out = converted(entries, ConvertOptions{}, report);
        const std::string& xml = entryNamed(out, "word/document.xml")->data;
        std::string error;
        QVERIFY2(wellFormedXml(xml, "word/document.xml", error), xml.c_str());
        QVERIFY2(xml.find(change) != std::string::npos, xml.c_str());
        QVERIFY(QString::fromStdString(xml).contains(u("<w:t>வணக்கம்</w:t>")));
        QCOMPARE(report.runs, std::size_t(2));  // and the header's
    }

    // Back to Bamini only Tamil Unicode moves: codes already in a Bamini font stay codes, beside
    // a span of Unicode that becomes codes. A font's name with quotes is escaped as XML wants.
    void openDocumentsBothWaysWithAnyFontName()
    {
        const std::string content = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"><office:font-face-decls><style:font-face style:name="Bamini" svg:font-family="Bamini"/></office:font-face-decls><office:automatic-styles><style:style style:name="T1" style:family="text"><style:text-properties style:font-name="Bamini"/></style:style></office:automatic-styles><office:body><office:text><text:p><text:span text:style-name="T1">tzf;fk;</text:span> <text:span>தமிழ்</text:span></text:p></office:text></office:body></office:document-content>)";
        const std::string odt = zipOf({{"mimetype", "application/vnd.oasis.opendocument.text", true}, {"content.xml", content, false}});
        ConvertOptions toBamini;
        toBamini.toUnicode = false;
        std::string out, error;
        ConvertReport report;
        QVERIFY2(convertOdt(odt, out, toBamini, report, error), error.c_str());
        QCOMPARE(report.runs, std::size_t(1));
        std::vector<ZipEntry> back;
        QVERIFY(readZip(out, back, error));
        const std::string& xml = entryNamed(back, "content.xml")->data;
        QVERIFY2(xml.find("<text:span text:style-name=\"T1\">tzf;fk;</text:span>") != std::string::npos, xml.c_str());
        QVERIFY2(xml.find("<text:span><text:span text:style-name=\"OrvaneBamini\">jkpo;</text:span></text:span>") != std::string::npos,
                 xml.c_str());

        ConvertOptions quoted;
        quoted.unicodeFont = "Noto \"Tamil\" & 'Co'";
        QVERIFY2(convertOdt(odt, out, quoted, report, error), error.c_str());
        QVERIFY(readZip(out, back, error));
        QVERIFY2(wellFormedXml(entryNamed(back, "content.xml")->data, "content.xml", error), error.c_str());
        std::string text;
        QVERIFY(odtText(out, ConvertOptions{}, text, error));
        QCOMPARE(QString::fromStdString(text), u("வணக்கம் தமிழ்"));
    }

    // A comment's author and date are no text, though they stand in a Bamini paragraph.
    void anOpenDocumentCommentKeepsItsDate()
    {
        const std::string content = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:dc="http://purl.org/dc/elements/1.1/"><office:automatic-styles><style:style style:name="P1" style:family="paragraph"><style:text-properties style:font-name="Bamini"/></style:style></office:automatic-styles><office:body><office:text><text:p text:style-name="P1">tzf;fk;<office:annotation><dc:creator>Tom</dc:creator><dc:date>2024-01-01T00:00:00</dc:date><text:p>ehL</text:p></office:annotation></text:p></office:text></office:body></office:document-content>)";
        const std::string odt = zipOf({{"mimetype", "application/vnd.oasis.opendocument.text", true}, {"content.xml", content, false}});
        std::string out, error;
        ConvertReport report;
        QVERIFY2(convertOdt(odt, out, ConvertOptions{}, report, error), error.c_str());
        std::vector<ZipEntry> back;
        QVERIFY(readZip(out, back, error));
        const QString xml = QString::fromStdString(entryNamed(back, "content.xml")->data);
        QVERIFY2(xml.contains("<dc:creator>Tom</dc:creator><dc:date>2024-01-01T00:00:00</dc:date>"), qPrintable(xml));
        QVERIFY2(xml.contains(u("வணக்கம்")), qPrintable(xml));
    }

    // A zip that is no document says why, told from its directory: nothing is expanded.
    void whyAZipIsNoDocument_data()
    {
        QTest::addColumn<QByteArray>("zip");
        QTest::addColumn<QString>("said");
        const auto of = [](const std::vector<ZipEntry>& entries) { return QByteArray::fromStdString(zipOf(entries)); };
        QTest::newRow("a name leaving the folder") << of({{"../x", "x", false}, {"word/document.xml", "<d/>", false}}) << "outside its own folder";
        QTest::newRow("no body") << of({{"word/styles.xml", "<s/>", false}}) << "no word/document.xml";
        QByteArray truncated = of(letterEntries());
        truncated.chop(200);
        QTest::newRow("truncated") << truncated << "cannot be read";
    }

    void whyAZipIsNoDocument()
    {
        QFETCH(QByteArray, zip);
        QFETCH(QString, said);
        std::string why;
        const std::string bytes = zip.toStdString();
        QCOMPARE(kindOf(bytes, &why), DocumentKind::Zip);
        QVERIFY2(QString::fromStdString(why).contains(said), why.c_str());
        std::string error;
        QVERIFY(!OfficeImporter().importText(bytes, error));
        QCOMPARE(error, why);
    }

    void aZipThatExpandsPastItsBoundIsRefused()
    {
        // 2 MB of zeros packs into a few KB; read with a bound of 1 MB.
        const std::string bomb = zipOf({{"word/document.xml", std::string(std::size_t(2) << 20, '\0'), false}});
        QVERIFY(bomb.size() < 20000);
        std::vector<ZipEntry> entries;
        std::string error;
        QVERIFY(!readZip(bomb, entries, error, std::size_t(1) << 20));
        QVERIFY2(QString::fromStdString(error).contains("expands to more than"), error.c_str());
        QVERIFY(readZip(bomb, entries, error));
        // The bound is of what is read: an OpenDocument whose text is past it is still told by
        // its small mimetype.
        const std::string big = zipOf({{"mimetype", "application/vnd.oasis.opendocument.text", true},
                                       {"content.xml", std::string(std::size_t(2) << 20, ' '), false}});
        QCOMPARE(kindOf(big), DocumentKind::Odt);
    }

    // Forms printed to PDF from Word in SunTommy: their text, line by line, Tamil where the
    // font has Bamini's layout and the rest as it is; what is no readable PDF says so.
    void aBaminiPdfReadsAsItsText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("maternity") << "maternity-assistance-form";
        QTest::newRow("funeral") << "funeral-assistance-form";
    }

    void aBaminiPdfReadsAsItsText()
    {
        QFETCH(QString, name);
        const QString pdf = QFINDTESTDATA("../data/pdf/" + name + ".pdf");
        QFile expected(QFINDTESTDATA("../data/pdf/" + name + ".txt"));
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QTemporaryDir dir;
        const QString out = dir.filePath(name + ".txt");
        QProcess p;
        p.setProcessEnvironment(test::pdfEnvironment());
        p.start(ORVANE_EXE, {"--to-unicode", pdf, out});
        QVERIFY(p.waitForFinished(30000));
        const QByteArray err = p.readAllStandardError();
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(err.contains("SunTommy") && err.contains("Times-Roman"), err);
        QFile written(out);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()), QString::fromUtf8(expected.readAll()));

        p.start(ORVANE_EXE, {"--from-unicode", pdf, dir.filePath("back.tam")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(!QFile::exists(dir.filePath("back.tam")));
        QFile damaged(dir.filePath("damaged.pdf"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("%PDF-1.4\n1 0 obj << /Type /Catalog >> broken");
        damaged.close();
        p.start(ORVANE_EXE, {"--to-unicode", damaged.fileName(), dir.filePath("damaged.txt")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(p.readAllStandardError().contains("it cannot be read (damaged?); --all-tamil"), "no reason given");
        QVERIFY(!QFile::exists(dir.filePath("damaged.txt")));
    }

    // The command: a .docx in, a .docx out that unzip and an XML check take, what it did on
    // standard error; and the documents it does not convert said so, nothing written.
    void theCommandLine()
    {
        QTemporaryDir dir;
        const QString in = dir.filePath("letter.docx"), out = dir.filePath("letter-unicode.docx");
        {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            const std::string bytes = zipOf(letterEntries());
            f.write(bytes.data(), qint64(bytes.size()));
        }
        QProcess p;
        p.start(ORVANE_EXE, {"--to-unicode", "--bamini-font", "Kalaham", in, out});
        QVERIFY(p.waitForFinished(30000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(err.contains("7 runs") && err.contains("Noto Sans Tamil") && err.contains("Kalaham"), qPrintable(err));
        p.start("unzip", {"-tq", out});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        p.start("sh", {"-c", "unzip -p \"$0\" word/document.xml | xmllint --noout -", out});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);

        p.start(ORVANE_EXE, {"--to-unicode", in, in});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("same file"));

        // Text through a named pipe is streamed whole: nothing is taken from it to tell a
        // document from text.
        // (The shell holds the pipe open, the text in it, until the program has it open too.)
        p.start("sh", {"-c", "mkfifo \"$1/pipe\" && exec 3<>\"$1/pipe\" && printf 'tzf;fk;' >&3 && "
                             "{ \"$0\" --to-unicode \"$1/pipe\" - 3>&- & } && sleep 0.5 && exec 3>&- && wait",
                       ORVANE_EXE, dir.path()});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), u("வணக்கம்\n"));

        const QString doc = dir.filePath("old.doc"), none = dir.filePath("none.docx");
        {
            QFile f(doc);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0'));
        }
        p.start(ORVANE_EXE, {"--to-unicode", doc, none});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("save it as .docx first"));
        QVERIFY(!QFile::exists(none));
    }
};

QTEST_GUILESS_MAIN(TestOffice)
#include "test_office.moc"
