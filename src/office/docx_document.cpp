#include "office/office_document.h"
#include "platform/reasons.h"

#include "document/bamini_table.h"
#include "document/segments.h"
#include "document/unicode_tamil.h"
#include "office/office_shared.h"
#include "office/zip_archive.h"
#include "platform/charset.h"

#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>
#include <optional>
#include <functional>

namespace orvane::office {

namespace {
const QString W = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString Drawing = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");

std::string utf8Of(char32_t c)
{
    return QString::fromUcs4(&c, 1).toStdString();
}

// Codes as the characters a word processor keeps for them: the 8-bit set's.
QString codeCharacters(const std::string& codes)
{
    QString out;
    out.reserve(qsizetype(codes.size()));
    for (const char b : codes)
        out += QChar(charset::toUnicode(static_cast<unsigned char>(b)));
    return out;
}

// The theme's two Latin typefaces, which rFonts may name by role.
struct Theme {
    QString major, minor;
    QString font(QStringView role) const
    {
        if (role.startsWith(u"major"))
            return role.endsWith(u"Bidi") || role.endsWith(u"EastAsia") ? QString() : major;
        if (role.startsWith(u"minor"))
            return role.endsWith(u"Bidi") || role.endsWith(u"EastAsia") ? QString() : minor;
        return {};
    }
};

// The fonts of a run's two slots for the letters Bamini text is typed in: ASCII, and the
// rest of the 8-bit set (high ANSI).
struct Fonts {
    QString ascii, hAnsi, cs;  // cs: the complex-script font, which a run marked <w:cs/> is drawn in
    void over(const Fonts& level)
    {
        if (!level.ascii.isEmpty())
            ascii = level.ascii;
        if (!level.hAnsi.isEmpty())
            hAnsi = level.hAnsi;
        if (!level.cs.isEmpty())
            cs = level.cs;
    }
};

// One level's rFonts: a theme's font, where named, before the plain name.
Fonts fontsOf(const QXmlStreamAttributes& a, const Theme& theme)
{
    const auto pick = [&](const QString& plain, const QString& themed) {
        const QString role = a.value(W, themed).toString();
        const QString byTheme = role.isEmpty() ? QString() : theme.font(role);
        return byTheme.isEmpty() ? a.value(W, plain).toString() : byTheme;
    };
    return {pick(QStringLiteral("ascii"), QStringLiteral("asciiTheme")), pick(QStringLiteral("hAnsi"), QStringLiteral("hAnsiTheme")),
            pick(QStringLiteral("cs"), QStringLiteral("cstheme"))};
}

bool malformed(QXmlStreamReader& r, const std::string& part, std::string& error)
{
    if (r.tokenType() == QXmlStreamReader::DTD) {
        error = part + " declares a document type, which a .docx never does";
        return true;
    }
    if (r.hasError()) {
        error = part + " is not well-formed XML (" + r.errorString().toStdString() + ", line "
                + std::to_string(r.lineNumber()) + ")";
        return true;
    }
    return false;
}

Theme readTheme(const std::string& xml)
{
    Theme theme;
    PieceReader pieces{std::string_view(xml)};  // a piece at a time, never the part again as UTF-16
    QXmlStreamReader r(&pieces);
    QString in;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement() || r.namespaceUri() != Drawing)
            continue;
        if (r.name() == u"majorFont" || r.name() == u"minorFont")
            in = r.name().toString();
        else if (r.name() == u"latin" && !in.isEmpty()) {
            (in == u"majorFont" ? theme.major : theme.minor) = r.attributes().value(QStringLiteral("typeface")).toString();
            in.clear();
        }
    }
    return theme;
}

// Bold, italic and size: Tamil Unicode, a complex script, takes them from their twins
// (bCs, iCs, szCs), which Bamini text never needed.
const QStringList TwinnedProperties = {QStringLiteral("b"), QStringLiteral("i"), QStringLiteral("sz")};

// The order a run's properties stand in, as the schema has them.
int propertyOrder(const QString& name)
{
    static const QStringList order = {"rStyle", "rFonts", "b", "bCs", "i", "iCs", "caps", "smallCaps", "strike", "dstrike",
                                      "outline", "shadow", "emboss", "imprint", "noProof", "snapToGrid", "vanish", "webHidden",
                                      "color", "spacing", "w", "kern", "position", "sz", "szCs", "highlight", "u", "effect",
                                      "bdr", "shd", "fitText", "vertAlign", "rtl", "cs", "em", "lang", "eastAsianLayout",
                                      "specVanish", "oMath"};
    const qsizetype at = order.indexOf(name);
    return at < 0 ? int(order.size()) : int(at);
}

// styles.xml: the document's default fonts, each style's own and the style it is based on.
struct Styles {
    struct Style {
        QString basedOn;
        Fonts fonts;
        std::map<QString, QString> properties;  // b, bCs, i, iCs, sz, szCs: their values
    };
    Fonts defaults;
    std::map<QString, QString> defaultProperties;
    QString defaultParagraph;
    std::map<QString, Style> byId;

    // A style and those it is based on, from the first it is based on to the style itself.
    std::vector<const Style*> line(const QString& id) const
    {
        std::vector<const Style*> styles;
        for (QString at = id; !at.isEmpty() && styles.size() < 32;) {
            const auto it = byId.find(at);
            if (it == byId.end())
                break;
            styles.insert(styles.begin(), &it->second);
            at = it->second.basedOn;
        }
        return styles;
    }

    // A property's value as a run in these styles has it: the defaults, then the paragraph
    // style's line, then the character style's, each over the one before.
    std::optional<QString> property(const QString& paragraphStyle, const QString& runStyle, const QString& name) const
    {
        std::optional<QString> value;
        if (const auto it = defaultProperties.find(name); it != defaultProperties.end())
            value = it->second;
        for (const QString& id : {paragraphStyle.isEmpty() ? defaultParagraph : paragraphStyle, runStyle})
            for (const Style* style : line(id))
                if (const auto p = style->properties.find(name); p != style->properties.end())
                    value = p->second;
        return value;
    }

    Fonts chain(const QString& id) const
    {
        Fonts fonts;
        for (const Style* style : line(id))
            fonts.over(style->fonts);
        return fonts;
    }
};

bool readStyles(const std::string& xml, const Theme& theme, Styles& styles, std::string& error)
{
    PieceReader pieces{std::string_view(xml)};  // a piece at a time, never the part again as UTF-16
    QXmlStreamReader r(&pieces);
    std::vector<QString> stack;
    QString style;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement()) {
            stack.pop_back();
            continue;
        }
        if (!r.isStartElement())
            continue;
        const QString name = r.namespaceUri() == W ? r.name().toString() : QString();
        const QString parent = stack.empty() ? QString() : stack.back();
        stack.push_back(name);
        const QXmlStreamAttributes a = r.attributes();
        if (name == u"style" && parent == u"styles") {
            style = a.value(W, QStringLiteral("styleId")).toString();
            if (a.value(W, QStringLiteral("type")) == u"paragraph" && a.value(W, QStringLiteral("default")) == u"1")
                styles.defaultParagraph = style;
            styles.byId[style];
        } else if (name == u"basedOn" && parent == u"style") {
            styles.byId[style].basedOn = a.value(W, QStringLiteral("val")).toString();
        } else if (name == u"rFonts" && parent == u"rPr" && stack.size() >= 3) {
            const QString& holder = stack[stack.size() - 3];
            if (holder == u"style")
                styles.byId[style].fonts = fontsOf(a, theme);
            else if (holder == u"rPrDefault")
                styles.defaults = fontsOf(a, theme);
        } else if (TwinnedProperties.contains(name.endsWith(u"Cs") ? name.chopped(2) : name) && parent == u"rPr" && stack.size() >= 3) {
            const QString& holder = stack[stack.size() - 3];
            const QString value = a.value(W, QStringLiteral("val")).toString();
            if (holder == u"style")
                styles.byId[style].properties[name] = value;
            else if (holder == u"rPrDefault")
                styles.defaultProperties[name] = value;
        }
    }
    return !malformed(r, "word/styles.xml", error);
}

struct Edit {
    qsizetype begin, end;
    QString with;
};

// One part of the document (its body, a header, the footnotes...), its runs found and
// converted paragraph by paragraph, the changes spliced into the text as it was.
class PartConverter {
public:
    PartConverter(const ConvertOptions& options, const Styles& styles, ConvertReport& report)
        : options(options), styles(styles), report(report)
    {
    }

    // False, with why, when the part cannot be read; changed says whether it was.
    bool convert(std::string& bytes, const std::string& part, std::string& error)
    {
        // Read as the UTF-8 it is, a piece at a time: the reader's offsets are found in the
        // bytes, and the new part is made from them, so the part is never held as UTF-16 too.
        if (!readsAsUtf8(bytes, part, error))
            return false;
        xml = bytes;
        edits.clear();
        deleted = 0;
        tableStyles.clear();
        separatorNote = false;
        PieceReader pieces(xml);
        QXmlStreamReader r(&pieces);
        ByteOffsets offsets(xml);
        std::vector<QString> stack;
        std::vector<Paragraph> paragraphs;
        std::vector<Run> runs;
        QString text;
        qsizetype textBegin = -1;
        while (!r.atEnd()) {
            r.readNext();
            const qsizetype at = offsets.of(r.characterOffset());
            if (r.isStartElement()) {
                const QString name = r.namespaceUri() == W ? r.name().toString() : QString();
                const QString parent = stack.empty() ? QString() : stack.back();
                const QString grand = stack.size() >= 2 ? stack[stack.size() - 2] : QString();
                stack.push_back(name);
                const QXmlStreamAttributes a = r.attributes();
                if (name == u"tbl")
                    tableStyles.push_back(tableStyles.empty() ? QString() : tableStyles.back());
                if (name == u"tblStyle" && parent == u"tblPr" && !tableStyles.empty())
                    tableStyles.back() = a.value(W, QStringLiteral("val")).toString();
                if (name == u"p") {
                    paragraphs.emplace_back();
                    paragraphs.back().tableStyle = tableStyles.empty() ? QString() : tableStyles.back();
                } else if (name == u"pStyle" && parent == u"pPr" && grand == u"p" && !paragraphs.empty()) {
                    paragraphs.back().style = a.value(W, QStringLiteral("val")).toString();
                } else if (name == u"r") {
                    runs.emplace_back();
                    runs.back().tagEnd = at;
                    runs.back().begin = tagBefore(at);
                    runs.back().prefix = r.prefix().toString();
                    runs.back().selfClosed = selfClosing(at);
                } else if (runs.empty()) {
                } else if (parent == u"rPr" && grand == u"r") {
                    runs.back().children.push_back({name, tagBefore(at)});
                }
                if (runs.empty()) {
                } else if (name == u"rPr" && parent == u"r") {
                    Run& run = runs.back();
                    run.rPrBegin = tagBefore(at);
                    run.rPrContent = at;
                    run.rPrEmpty = selfClosing(at);
                } else if (name == u"rStyle" && parent == u"rPr" && grand == u"r") {
                    runs.back().style = a.value(W, QStringLiteral("val")).toString();
                    runs.back().styleEnd = selfClosing(at) ? at : -1;
                } else if ((name == u"b" || name == u"i" || name == u"sz") && parent == u"rPr" && grand == u"r") {
                    Run::Property& property = runs.back().properties[name];
                    property.end = at;
                    property.value = a.value(W, QStringLiteral("val")).toString();
                } else if (name == u"cs" && parent == u"rPr" && grand == u"r") {
                    runs.back().complex = a.value(W, QStringLiteral("val")) != u"0" && a.value(W, QStringLiteral("val")) != u"false";
                } else if ((name == u"bCs" || name == u"iCs" || name == u"szCs") && parent == u"rPr" && grand == u"r") {
                    runs.back().properties[name.chopped(2)].twin = true;
                } else if (name == u"rFonts" && parent == u"rPr" && grand == u"r") {
                    Run& run = runs.back();
                    run.own = fontsOf(a, theme);
                    run.fontsBegin = tagBefore(at);
                    run.fontsEnd = at;
                    run.fontsName = r.qualifiedName().toString();
                    run.fontsAttributes = a;
                } else if ((name == u"t" || name == u"delText") && parent == u"r") {
                    text.clear();
                    textBegin = at;
                } else if (parent == u"r" && readAlone.contains(name)
                           && (plain || name == u"tab" || name == u"br" || name == u"cr")) {
                    // (Converted, the others stand apart from the codes around them.)
                    // Read with the text, never written back: the element stays as it is.
                    QString c = readAlone.value(name);
                    if (name == u"sym") {
                        // A symbol font's character: its code, as the font's private-use form.
                        bool ok = false;
                        const uint code = a.value(W, QStringLiteral("char")).toUInt(&ok, 16);
                        c = ok && code > 0 && code < 0x10000 ? QString(QChar(char16_t(code))) : QString();
                    } else if (name == u"footnoteReference" || name == u"endnoteReference") {
                        c = QLatin1Char('[') + QString::number(++noteNumbers[name.startsWith(u"foot") ? 0 : 1]) + QLatin1Char(']');
                    } else if (name == u"footnoteRef" || name == u"endnoteRef") {
                        c = QLatin1Char('[') + QString::number(++noteNumbers[name.startsWith(u"foot") ? 0 : 1]) + QLatin1Char(']');
                    }
                    runs.back().texts.push_back({-1, -1, c});
                }
                if (name == u"del" || name == u"moveFrom")
                    ++deleted;
                if ((name == u"footnote" || name == u"endnote") && !a.value(W, QStringLiteral("type")).isEmpty())
                    separatorNote = true;  // the line above the notes, never text
            } else if (r.isEndElement()) {
                const QString name = stack.back();
                stack.pop_back();
                const QString parent = stack.empty() ? QString() : stack.back();
                const QString grand = stack.size() >= 2 ? stack[stack.size() - 2] : QString();
                if (name == u"del" || name == u"moveFrom")
                    --deleted;
                if (name == u"tbl" && !tableStyles.empty())
                    tableStyles.pop_back();
                if (name == u"footnote" || name == u"endnote")
                    separatorNote = false;
                if (runs.empty() && name != u"p") {
                } else if ((name == u"t" || name == u"delText") && parent == u"r") {
                    const std::string close = "</" + r.qualifiedName().toString().toStdString() + '>';
                    const qsizetype end = at - qsizetype(close.size());
                    if (at == textBegin) {
                        // <w:t/>: nothing to convert
                    } else if (end >= textBegin && xml.substr(std::size_t(end), close.size()) == close) {
                        runs.back().texts.push_back({textBegin, end, text});
                    } else {
                        runs.back().unreadable = true;
                    }
                // (Properties inside a tracked change's own rPr, in rPrChange, are not the run's.)
                } else if (name == u"rStyle" && parent == u"rPr" && grand == u"r") {
                    runs.back().styleEnd = at;
                } else if (name == u"rFonts" && parent == u"rPr" && grand == u"r") {
                    runs.back().fontsEnd = at;
                } else if ((name == u"b" || name == u"i" || name == u"sz") && parent == u"rPr" && grand == u"r") {
                    runs.back().properties[name].end = at;
                } else if (name == u"rPr" && parent == u"r" && !runs.back().rPrEmpty) {
                    runs.back().rPrEnd = at;
                    runs.back().rPrClose = tagBefore(at);
                } else if (name == u"r") {
                    runs.back().end = at;
                    runs.back().deleted = deleted > 0;
                    if (!paragraphs.empty())
                        paragraphs.back().runs.push_back(std::move(runs.back()));
                    runs.pop_back();
                } else if (name == u"p" && !paragraphs.empty()) {
                    if (plain)
                        extract(paragraphs.back());
                    else if (options.toUnicode)
                        toUnicode(paragraphs.back());
                    else
                        fromUnicode(paragraphs.back());
                    paragraphs.pop_back();
                }
            } else if (r.isCharacters() && !stack.empty() && (stack.back() == u"t" || stack.back() == u"delText")) {
                text += r.text();
            }
            if (malformed(r, part, error))
                return false;
        }
        if (malformed(r, part, error))
            return false;
        if (edits.empty())
            return true;
        std::string out = splicedBytes(xml, edits);
        xml = {};
        bytes = std::move(out);
        return true;
    }

    Theme theme;

private:
    struct Text {
        qsizetype begin, end;
        QString text;
    };
    struct Run {
        qsizetype begin = -1, end = -1;  // the whole run, its tags included
        qsizetype tagEnd = -1;
        QString prefix;
        bool selfClosed = false, unreadable = false;
        qsizetype rPrBegin = -1, rPrContent = -1, rPrEnd = -1, rPrClose = -1;
        struct Child {
            QString name;  // empty for another namespace's
            qsizetype begin;
        };
        std::vector<Child> children;  // of its rPr
        bool rPrEmpty = false;
        QString style;
        qsizetype styleEnd = -1;
        Fonts own;
        qsizetype fontsBegin = -1, fontsEnd = -1;
        QString fontsName;
        QXmlStreamAttributes fontsAttributes;
        bool deleted = false;  // a tracked deletion's (or the place a move left)
        bool complex = false;  // <w:cs/>: drawn in its complex-script font
        std::vector<Text> texts;
        // Bold, italic and size, which Tamil Unicode (a complex script) takes from their
        // complex-script twins: where each ends, its value, and whether the twin is there.
        struct Property {
            qsizetype end = -1;
            QString value;
            bool twin = false;
        };
        std::map<QString, Property> properties;  // "b", "i", "sz"
    };
    struct Paragraph {
        QString style, tableStyle;  // tableStyle: the style of the table it stands in
        std::vector<Run> runs;
    };

    // As Word works them out: the defaults, the table's style, the paragraph's, the run's
    // character style, its own; a run marked as complex script is drawn in that slot's font.
    Fonts effectiveFonts(const Paragraph& p, const Run& run) const
    {
        Fonts fonts = styles.defaults;
        fonts.over(styles.chain(p.tableStyle));
        fonts.over(styles.chain(p.style.isEmpty() ? styles.defaultParagraph : p.style));
        fonts.over(styles.chain(run.style));
        fonts.over(run.own);
        if (run.complex && !fonts.cs.isEmpty())
            fonts.ascii = fonts.hAnsi = fonts.cs;
        return fonts;
    }

    // Sets a run's fonts for the letters to font: its own rFonts rewritten, or one added.
    void setFont(const Run& run, const QString& font) { edits.push_back(fontEdit(run, font)); }

    Edit fontEdit(const Run& run, const QString& font) const
    {
        const QString prefix = run.prefix.isEmpty() ? QString() : run.prefix + QLatin1Char(':');
        const QString value = xmlEscaped(font);
        QString attributes;
        for (const QXmlStreamAttribute& a : run.fontsAttributes) {
            static const QStringList replaced = {"ascii", "hAnsi", "cs", "asciiTheme", "hAnsiTheme", "cstheme"};
            if (a.namespaceUri() == W && replaced.contains(a.name().toString()))
                continue;
            attributes += QLatin1Char(' ') + a.qualifiedName().toString() + QLatin1String("=\"") + xmlEscaped(a.value().toString()) + QLatin1Char('"');
        }
        for (const char* slot : {"ascii", "hAnsi", "cs"})
            attributes += QLatin1Char(' ') + prefix + QLatin1String(slot) + QLatin1String("=\"") + value + QLatin1Char('"');
        const QString element = QLatin1Char('<') + prefix + QLatin1String("rFonts") + attributes + QLatin1String("/>");
        if (run.fontsBegin >= 0)
            return {run.fontsBegin, run.fontsEnd, element};
        if (run.rPrEmpty)
            return {run.rPrBegin, run.rPrContent,
                    QLatin1Char('<') + prefix + QLatin1String("rPr>") + element + QLatin1String("</") + prefix + QLatin1String("rPr>")};
        if (run.rPrContent >= 0)
            return {run.styleEnd >= 0 ? run.styleEnd : run.rPrContent, run.styleEnd >= 0 ? run.styleEnd : run.rPrContent, element};
        return {run.tagEnd, run.tagEnd,
                QLatin1Char('<') + prefix + QLatin1String("rPr>") + element + QLatin1String("</") + prefix + QLatin1String("rPr>")};
    }

    // A run of one text mixing Tamil and English, made one run for each stretch: the Tamil
    // ones as codes in the Bamini font, the others as they were. False when it cannot be.
    bool splitRun(const Run& run, const QString& font)
    {
        if (run.begin < 0 || run.end < 0 || run.texts.size() != 1 || run.texts[0].begin < 0)
            return false;
        const Text& t = run.texts[0];
        QString head = textOf(run.begin, t.begin);  // the run up to its text
        const QString tail = textOf(t.end, run.end);
        // Spaces at a stretch's ends are kept only where the text says so.
        const qsizetype tag = head.lastIndexOf(u'<');
        if (tag < 0)
            return false;
        if (!head.mid(tag).contains(QLatin1String("xml:space")))
            head.insert(head.size() - 1, QLatin1String(" xml:space=\"preserve\""));
        Edit f = fontEdit(run, font);
        if (f.begin < run.begin || f.end > t.begin)
            return false;
        QString tamilHead = textOf(run.begin, f.begin) + f.with + textOf(f.end, t.begin);
        const qsizetype tamilTag = tamilHead.lastIndexOf(u'<');
        if (!tamilHead.mid(tamilTag).contains(QLatin1String("xml:space")))
            tamilHead.insert(tamilHead.size() - 1, QLatin1String(" xml:space=\"preserve\""));
        QString with;
        // Spaces go with the Tamil before them; other characters end it.
        forEachTamilStretch(t.text, true, [&](QStringView stretch, bool tamil) {
            if (tamil) {
                with += tamilHead + xmlEscaped(codeCharacters(baminiCodes(stretch.toString().toStdString(), report))) + tail;
                report.characters += std::size_t(stretch.size());
                ++report.runs;
            } else {
                with += head + xmlEscaped(stretch.toString()) + tail;
            }
        });
        edits.push_back({run.begin, run.end, with});
        return true;
    }

    // A run made Tamil Unicode in font keeps its bold, italic and size, its own or its
    // styles': each gets the complex-script twin it would be drawn with, where that differs.
    void setFontKeepingLook(const Paragraph& p, const Run& run, const QString& font)
    {
        const QString prefix = run.prefix.isEmpty() ? QString() : run.prefix + QLatin1Char(':');
        const auto element = [&](const QString& name, const QString& value) {
            return QLatin1Char('<') + prefix + name
                   + (value.isEmpty() ? QString() : QLatin1Char(' ') + prefix + QLatin1String("val=\"") + xmlEscaped(value) + QLatin1Char('"'))
                   + QLatin1String("/>");
        };
        struct Insertion {
            qsizetype at;
            int order;
            QString with;
        };
        std::vector<Insertion> insertions;
        std::vector<std::pair<int, QString>> created;  // for an rPr the font's edit makes
        const bool hasProperties = run.rPrContent >= 0 && !run.rPrEmpty;
        for (const QString& name : TwinnedProperties) {
            const QString twin = name + QLatin1String("Cs");
            const auto own = run.properties.find(name);
            if (own != run.properties.end() && own->second.twin)
                continue;
            if (own != run.properties.end() && own->second.end >= 0) {
                insertions.push_back({own->second.end, propertyOrder(twin), element(twin, own->second.value)});
                continue;
            }
            // From the styles: the twin the text is drawn with made the property's.
            const auto on = [](const std::optional<QString>& v) {
                return v && *v != u"0" && *v != u"false" && *v != u"off";
            };
            const std::optional<QString> value = styles.property(p.style, run.style, name);
            const std::optional<QString> drawn = styles.property(p.style, run.style, twin);
            QString with;
            if (name == u"sz") {
                const QString size = value.value_or(QStringLiteral("20")), drawnSize = drawn.value_or(QStringLiteral("20"));
                if (size == drawnSize)
                    continue;
                with = element(twin, size);
            } else {
                if (on(value) == on(drawn))
                    continue;
                with = element(twin, on(value) ? QString() : QStringLiteral("0"));
            }
            if (!hasProperties) {
                created.push_back({propertyOrder(twin), with});
                continue;
            }
            qsizetype at = run.rPrClose;
            for (const Run::Child& child : run.children)
                if (propertyOrder(child.name) > propertyOrder(twin)) {
                    at = child.begin;
                    break;
                }
            if (at >= 0)
                insertions.push_back({at, propertyOrder(twin), with});
        }
        Edit fontChange = fontEdit(run, font);
        if (!created.empty()) {
            std::sort(created.begin(), created.end());
            QString twins;
            for (const auto& c : created)
                twins += c.second;
            const QString close = QLatin1String("</") + prefix + QLatin1String("rPr>");
            fontChange.with.insert(fontChange.with.size() - close.size(), twins);
        }
        // What goes in at one place goes in one edit, in the schema's order.
        std::sort(insertions.begin(), insertions.end(),
                  [](const Insertion& a, const Insertion& b) { return a.at != b.at ? a.at < b.at : a.order < b.order; });
        for (std::size_t k = 0; k < insertions.size();) {
            QString with;
            const qsizetype at = insertions[k].at;
            for (; k < insertions.size() && insertions[k].at == at; ++k)
                with += insertions[k].with;
            if (fontChange.begin == at && fontChange.end == at)
                fontChange.with += with;  // the font's rFonts stands first
            else
                edits.push_back({at, at, with});
        }
        edits.push_back(fontChange);
    }

    // Runs set in a Bamini font become Unicode Tamil; a syllable whose codes run on into the
    // next such run (a word processor divides runs anywhere) goes where it begins.
    void toUnicode(Paragraph& p)
    {
        std::vector<bool> bamini;
        for (const Run& run : p.runs) {
            const Fonts fonts = effectiveFonts(p, run);
            for (const QString& f : {fonts.ascii, fonts.hAnsi})
                if (!f.isEmpty())
                    report.fonts.insert(f.toStdString());
            bamini.push_back(!run.unreadable && !run.selfClosed && !run.texts.empty()
                             && options.isBamini(fonts.ascii.toStdString()));
        }
        for (std::size_t first = 0; first < p.runs.size();) {
            if (!bamini[first]) {
                ++first;
                continue;
            }
            std::size_t last = first;
            while (last + 1 < p.runs.size() && bamini[last + 1])
                ++last;
            convertGroup(p, first, last);
            first = last + 1;
        }
    }

    void convertGroup(const Paragraph& p, std::size_t first, std::size_t last)
    {
        struct Origin {
            std::size_t run, text;
        };
        std::vector<std::vector<QString>> outputs;
        std::string bytes;
        std::vector<Origin> origins;
        const auto flush = [&] {
            forEachSegment(bytes, [&](const Segment& s) {
                const Origin o = origins[s.begin];
                outputs[o.run][o.text] += QString::fromUtf8(s.text.data(), qsizetype(s.text.size()));
            });
            bytes.clear();
            origins.clear();
        };
        for (std::size_t k = first; k <= last; ++k) {
            const Run& run = p.runs[k];
            const bool highBamini = options.isBamini(effectiveFonts(p, run).hAnsi.toStdString());
            outputs.emplace_back(run.texts.size());
            for (std::size_t t = 0; t < run.texts.size(); ++t) {
                const QList<uint> chars = run.texts[t].text.toUcs4();
                report.characters += std::size_t(chars.size());
                for (const uint c : chars) {
                    // A symbol font's private-use form of a byte, the byte itself, else the
                    // 8-bit set's byte for it where that slot is set in Bamini too.
                    const int b = c >= 0xF020 && c <= 0xF0FF ? int(c - 0xF000)
                                  : c < 0x80 || highBamini   ? charset::toByte(c)
                                                             : -1;
                    if (b >= 0) {
                        bytes += char(b);
                        origins.push_back({k - first, t});
                        continue;
                    }
                    flush();
                    outputs[k - first][t] += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
                    if (highBamini || c < 0x80)
                        ++report.unplaced[utf8Of(char32_t(c))];
                }
            }
        }
        flush();
        for (std::size_t k = first; k <= last; ++k) {
            const Run& run = p.runs[k];
            for (std::size_t t = 0; t < run.texts.size(); ++t)
                if (run.texts[t].begin >= 0)
                    edits.push_back({run.texts[t].begin, run.texts[t].end, xmlEscaped(outputs[k - first][t])});
            setFontKeepingLook(p, run, QString::fromStdString(options.unicodeFont));
            ++report.runs;
        }
    }

    // Runs holding Tamil Unicode become Bamini codes set in a Bamini font, where nothing in
    // them would be drawn as Tamil by it that was not (English letters are left as they were).
    void fromUnicode(Paragraph& p)
    {
        const bamini::Table& table = bamini::table();
        for (const Run& run : p.runs) {
            const Fonts fonts = effectiveFonts(p, run);
            for (const QString& f : {fonts.ascii, fonts.hAnsi})
                if (!f.isEmpty())
                    report.fonts.insert(f.toStdString());
            if (run.unreadable || run.selfClosed || run.texts.empty() || options.isBamini(fonts.ascii.toStdString()))
                continue;
            bool tamil = false, other = false;
            for (const Text& t : run.texts)
                for (const uint c : t.text.toUcs4()) {
                    tamil = tamil || isTamilLetter(c);
                    const bool drawnAsItself = c < 0x80 && table.utf8[c] == std::string(1, char(c));
                    other = other || !(isTamilLetter(c) || drawnAsItself);
                }
            if (!tamil)
                continue;
            if (other) {
                if (!splitRun(run, QString::fromStdString(options.baminiFont())))
                    ++report.mixedRuns;
                continue;
            }
            for (const Text& t : run.texts) {
                if (t.begin < 0)
                    continue;
                report.characters += std::size_t(t.text.size());
                edits.push_back({t.begin, t.end, xmlEscaped(codeCharacters(baminiCodes(t.text.toStdString(), report)))});
            }
            setFont(run, QString::fromStdString(options.baminiFont()));
            ++report.runs;
        }
    }

    // The paragraph's text as a line of plain: Bamini runs read as Unicode Tamil.
    void extract(const Paragraph& p)
    {
        if (separatorNote)
            return;
        std::string line, codes;
        const auto flush = [&] {
            line += baminiToUnicode(codes);
            codes.clear();
        };
        for (const Run& run : p.runs) {
            if (run.deleted)
                continue;
            const Fonts fonts = effectiveFonts(p, run);
            const bool bamini = options.isBamini(fonts.ascii.toStdString());
            const bool highBamini = options.isBamini(fonts.hAnsi.toStdString());
            for (const Text& t : run.texts)
                for (const uint c : t.text.toUcs4()) {
                    const int b = !bamini                             ? -1
                                  : c >= 0xF020 && c <= 0xF0FF        ? int(c - 0xF000)
                                  : c < 0x80 || highBamini            ? charset::toByte(c)
                                                                      : -1;
                    if (b >= 0 && c != '\n') {
                        codes += char(b);
                        continue;
                    }
                    flush();
                    line += utf8Of(char32_t(c));
                }
        }
        flush();
        *plain += line + '\n';
    }

public:
    std::string* plain = nullptr;  // set: the text is read out, nothing converted
    int noteNumbers[2] = {0, 0};   // footnotes and endnotes numbered so far, as Word numbers them

private:
    const ConvertOptions& options;
    const Styles& styles;
    ConvertReport& report;
    std::string_view xml;  // the part's bytes, while it is read

    // The part's text from begin to end (its bytes' offsets).
    QString textOf(qsizetype begin, qsizetype end) const { return QString::fromUtf8(xml.data() + begin, end - begin); }
    // Where the tag ending at at begins; whether it closes itself.
    qsizetype tagBefore(qsizetype at) const { return qsizetype(xml.rfind('<', std::size_t(at - 1))); }
    bool selfClosing(qsizetype at) const { return at >= 2 && xml.substr(std::size_t(at - 2), 2) == "/>"; }
    std::vector<Change> edits;
    int deleted = 0;  // inside how many tracked deletions
    std::vector<QString> tableStyles;  // of the tables the reading is in, innermost last
    bool separatorNote = false;
    // Elements of a run that stand for a character (or a note's number), read with its text.
    inline static const QHash<QString, QString> readAlone = {
        {QStringLiteral("tab"), QStringLiteral("\t")}, {QStringLiteral("br"), QStringLiteral("\n")},
        {QStringLiteral("cr"), QStringLiteral("\n")}, {QStringLiteral("noBreakHyphen"), QString(QChar(0x2011))},
        {QStringLiteral("softHyphen"), QString(QChar(0x00AD))}, {QStringLiteral("sym"), QString()},
        {QStringLiteral("footnoteReference"), QString()}, {QStringLiteral("endnoteReference"), QString()},
        {QStringLiteral("footnoteRef"), QString()}, {QStringLiteral("endnoteRef"), QString()}};
};

// numbering.xml: a list's labels (w:lvlText, "%1." with text beside the number) set in a
// font with Bamini's layout, made Unicode Tamil in the Unicode font, and back; the numbers'
// places kept.
bool convertNumbering(std::string& bytes, const Theme& theme, const ConvertOptions& options, ConvertReport& report,
                      std::string& error)
{
    const QString xml = QString::fromStdString(bytes);
    PieceReader pieces(xml);
    QXmlStreamReader r(&pieces);
    struct Level {
        qsizetype valBegin = -1, valEnd = -1, fontsBegin = -1, fontsEnd = -1;
        qsizetype rPrOpened = -1, rPrSelfClosed = -1, closeBegin = -1;  // where the label's font may go
        QString text, font, prefix;
        QXmlStreamAttributes fonts;
    };
    std::optional<Level> level;
    std::vector<QString> stack;
    std::vector<Edit> edits;
    static const QRegularExpression valueOf(QStringLiteral("\\s(?:[A-Za-z_][\\w.-]*:)?val\\s*=\\s*([\"'])"));
    while (!r.atEnd()) {
        r.readNext();
        const qsizetype at = r.characterOffset();
        if (r.isStartElement()) {
            const QString name = r.namespaceUri() == W ? r.name().toString() : QString();
            const QString parent = stack.empty() ? QString() : stack.back();
            const QString grand = stack.size() >= 2 ? stack[stack.size() - 2] : QString();
            stack.push_back(name);
            if (name == u"lvl") {
                level = Level{};
                level->prefix = r.prefix().toString();
            } else if (level && name == u"lvlText" && parent == u"lvl") {
                const qsizetype begin = xml.lastIndexOf(u'<', at - 1);
                const QRegularExpressionMatch m = valueOf.match(xml.mid(begin, at - begin));
                if (m.hasMatch()) {
                    level->valBegin = begin + m.capturedEnd(0);
                    level->valEnd = xml.indexOf(m.captured(1), level->valBegin);
                    level->text = r.attributes().value(W, QStringLiteral("val")).toString();
                }
            } else if (level && name == u"rPr" && parent == u"lvl") {
                level->rPrOpened = at;
                if (xml.mid(at - 2, 2) == u"/>")
                    level->rPrSelfClosed = xml.lastIndexOf(u'<', at - 1);
            } else if (level && name == u"rFonts" && parent == u"rPr" && grand == u"lvl") {
                level->font = fontsOf(r.attributes(), theme).ascii;
                level->fonts = r.attributes();
                level->fontsBegin = xml.lastIndexOf(u'<', at - 1);
                level->fontsEnd = at;
            }
        } else if (r.isEndElement()) {
            const QString name = stack.back();
            stack.pop_back();
            if (level && name == u"rFonts")
                level->fontsEnd = at;
            if (level && name == u"lvl")
                level->closeBegin = xml.lastIndexOf(u'<', at - 1);
            if (name == u"lvl" && level) {
                const bool label = level->valBegin >= 0 && level->valEnd > level->valBegin;
                const bool bamini = options.isBamini(level->font.toStdString());
                const bool tamil = std::any_of(level->text.begin(), level->text.end(), [](QChar c) { return isTamilLetter(c.unicode()); });
                // To Unicode, a label set in Bamini; back, one holding Tamil in another font (a
                // label drawn in no font of its own gets one).
                const bool back = !options.toUnicode && label && tamil && !bamini;
                if (back || (options.toUnicode && label && level->fontsBegin >= 0 && bamini)) {
                    // Each stretch between the numbers' places (%1 to %9) converted.
                    const auto converted = [&](const QString& piece) {
                        report.characters += std::size_t(piece.size());
                        if (back)
                            return codeCharacters(baminiCodes(piece.toStdString(), report));
                        std::string b;
                        for (const QChar c : piece) {
                            const uint u = c.unicode();
                            const int code = u >= 0xF020 && u <= 0xF0FF ? int(u - 0xF000) : charset::toByte(u);
                            b += char(code > 0 ? code : '?');
                        }
                        return QString::fromStdString(baminiToUnicode(b));
                    };
                    QString text;
                    static const QRegularExpression number(QStringLiteral("%[1-9]"));
                    qsizetype from = 0;
                    for (QRegularExpressionMatchIterator it = number.globalMatch(level->text); it.hasNext();) {
                        const QRegularExpressionMatch m = it.next();
                        text += converted(level->text.mid(from, m.capturedStart() - from)) + m.captured();
                        from = m.capturedEnd();
                    }
                    text += converted(level->text.mid(from));
                    edits.push_back({level->valBegin, level->valEnd, xmlEscaped(text)});
                    // The font in the slots the label is drawn from; its other attributes kept.
                    const QString prefix = level->prefix.isEmpty() ? QString() : level->prefix + QLatin1Char(':');
                    const QStringList fontSlots = back ? QStringList{"ascii", "hAnsi"} : QStringList{"ascii", "hAnsi", "cs"};
                    const QStringList replaced = back ? QStringList{"ascii", "hAnsi", "asciiTheme", "hAnsiTheme"}
                                                      : QStringList{"ascii", "hAnsi", "cs", "asciiTheme", "hAnsiTheme", "cstheme"};
                    QString attributes;
                    for (const QXmlStreamAttribute& a : level->fonts)
                        if (!(a.namespaceUri() == W && replaced.contains(a.name().toString())))
                            attributes += QLatin1Char(' ') + a.qualifiedName().toString() + QLatin1String("=\"") + xmlEscaped(a.value().toString()) + QLatin1Char('"');
                    const QString font = xmlEscaped(QString::fromStdString(back ? options.baminiFont() : options.unicodeFont));
                    for (const QString& slot : fontSlots)
                        attributes += QLatin1Char(' ') + prefix + slot + QLatin1String("=\"") + font + QLatin1Char('"');
                    const QString fonts = QLatin1Char('<') + prefix + QLatin1String("rFonts") + attributes + QLatin1String("/>");
                    const QString rPr = prefix + QLatin1String("rPr>");
                    if (level->fontsBegin >= 0)
                        edits.push_back({level->fontsBegin, level->fontsEnd, fonts});
                    else if (level->rPrSelfClosed >= 0)  // <w:rPr/>
                        edits.push_back({level->rPrSelfClosed, level->rPrOpened, QLatin1Char('<') + rPr + fonts + QLatin1String("</") + rPr});
                    else if (level->rPrOpened >= 0)
                        edits.push_back({level->rPrOpened, level->rPrOpened, fonts});
                    else  // the run properties are the level's last child
                        edits.push_back({level->closeBegin, level->closeBegin, QLatin1Char('<') + rPr + fonts + QLatin1String("</") + rPr});
                    ++report.runs;
                }
                level.reset();
            }
        }
        if (malformed(r, "word/numbering.xml", error))
            return false;
    }
    if (malformed(r, "word/numbering.xml", error))
        return false;
    if (!edits.empty())
        bytes = splicedUtf8(xml, edits);
    return true;
}

// The parts of a .docx that hold runs of text.
bool holdsRuns(const std::string& name)
{
    static const QRegularExpression parts(
        QStringLiteral("^word/(document|header[0-9]*|footer[0-9]*|footnotes|endnotes|comments)\\.xml$"));
    return parts.match(QString::fromStdString(name)).hasMatch();
}
} // namespace

namespace {
// A .docx's entries, with its theme and styles read: false, with why, when they cannot be.
// textOnly: the parts that hold the text, its styles and theme are expanded, never the pictures.
bool readDocx(std::string_view in, std::vector<ZipEntry>& entries, Theme& theme, Styles& styles, std::string& error,
              bool textOnly = false)
{
    const auto wanted = [](const std::string& name) { return name.starts_with("word/") && name.ends_with(".xml"); };
    if (!readZip(in, entries, error, MaxExpandedBytes, textOnly ? std::function<bool(const std::string&)>(wanted) : nullptr))
        return false;
    if (!entryNamed(entries, "word/document.xml")) {
        error = reasons::say<Reason::NotWord>();
        return false;
    }
    for (const ZipEntry& e : entries)
        if (e.name.starts_with("word/theme/") && e.name.ends_with(".xml")) {
            theme = readTheme(e.data);
            break;
        }
    const ZipEntry* s = entryNamed(entries, "word/styles.xml");
    return !s || readStyles(s->data, theme, styles, error);
}
} // namespace

bool docxText(std::string_view in, const ConvertOptions& options, std::string& text, std::string& error)
{
    std::vector<ZipEntry> entries;
    Theme theme;
    Styles styles;
    if (!readDocx(in, entries, theme, styles, error, true))
        return false;
    ConvertReport report;
    PartConverter reader(options, styles, report);
    reader.theme = theme;
    text.clear();
    reader.plain = &text;
    // As the pages show them: the headers above the body, the notes below it, the footers last.
    // The body's references and the notes' marks are numbered in the same order.
    const auto named = [&](const char* pattern) {
        const QRegularExpression re{QString::fromLatin1(pattern)};
        std::vector<std::string> names;
        for (const ZipEntry& e : entries)
            if (re.match(QString::fromStdString(e.name)).hasMatch())
                names.push_back(e.name);
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;  // header2 before header10
        });
        return names;
    };
    std::vector<std::string> parts = named("^word/header[0-9]*\\.xml$");
    parts.push_back("word/document.xml");
    for (const char* pattern : {"^word/footnotes\\.xml$", "^word/endnotes\\.xml$", "^word/footer[0-9]*\\.xml$"})
        for (const std::string& name : named(pattern))
            parts.push_back(name);
    for (const std::string& name : parts) {
        if (name.find("notes") != std::string::npos)
            reader.noteNumbers[0] = reader.noteNumbers[1] = 0;  // a note's mark is its reference's number
        const std::size_t before = text.size();
        if (!reader.convert(entryNamed(entries, name)->data, name, error))
            return false;
        if (name != "word/document.xml" && text.find_first_not_of("\n", before) == std::string::npos)
            text.resize(before);  // a part with no text adds no empty lines
    }
    if (text.ends_with('\n'))
        text.pop_back();
    return true;
}

bool convertDocx(std::string_view in, std::string& out, const ConvertOptions& options, ConvertReport& report,
                 std::string& error)
{
    std::vector<ZipEntry> entries;
    Theme theme;
    Styles styles;
    if (!readDocx(in, entries, theme, styles, error))
        return false;
    PartConverter converter(options, styles, report);
    converter.theme = theme;
    for (ZipEntry& e : entries) {
        if (holdsRuns(e.name) && !(converter.convert(e.data, e.name, error) && wellFormedXml(e.data, e.name, error)))
            return false;
        if (e.name == "word/numbering.xml"
            && !(convertNumbering(e.data, theme, options, report, error) && wellFormedXml(e.data, e.name, error)))
            return false;
    }
    return writeZip(entries, out, error);
}

} // namespace orvane::office
