// OpenDocument text (.odt): styles and font faces read, then the text of content.xml and
// styles.xml (headers, footers) converted where its font has Bamini's layout, and the font
// faces of that layout made the Unicode font; everything else spliced back as it was.

#include "office/office_document.h"
#include "platform/reasons.h"

#include "document/segments.h"
#include "office/office_shared.h"
#include "office/zip_archive.h"
#include "platform/charset.h"

#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <map>
#include <set>

namespace orvane::office {

namespace {
const QString Office = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString Style = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString Text = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString DublinCore = QStringLiteral("http://purl.org/dc/elements/1.1/");
const QString Fo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString Svg = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0");

QString unquoted(QString family)
{
    family = family.trimmed();
    if (family.size() >= 2 && (family.front() == u'\'' || family.front() == u'"') && family.back() == family.front())
        family = family.mid(1, family.size() - 2);
    return family;
}

// The document's styles: for each family and name, the style it is based on and its font;
// the font faces' families; the default paragraph style's font.
struct OdtStyles {
    struct Entry {
        QString parent, font;
    };
    std::map<QString, QString> faces;                  // font face name: its family
    std::map<std::pair<QString, QString>, Entry> styles;  // (family, name)
    QString defaultFont;

    QString fontOf(const QString& family, QString name) const
    {
        for (int depth = 0; !name.isEmpty() && depth < 32; ++depth) {
            const auto it = styles.find({family, name});
            if (it == styles.end())
                break;
            if (!it->second.font.isEmpty())
                return it->second.font;
            name = it->second.parent;
        }
        return {};
    }
    QString face(const QString& name) const
    {
        const auto it = faces.find(name);
        return it == faces.end() ? name : it->second;
    }
};

bool badXml(QXmlStreamReader& r, const std::string& part, std::string& error)
{
    if (r.tokenType() == QXmlStreamReader::DTD) {
        error = part + " declares a document type, which an OpenDocument never does";
        return true;
    }
    if (r.hasError()) {
        error = part + " is not well-formed XML (" + r.errorString().toStdString() + ", line " + std::to_string(r.lineNumber()) + ")";
        return true;
    }
    return false;
}

// The font faces and styles a part declares, added to styles.
bool readStyles(const std::string& xml, const std::string& part, OdtStyles& styles, std::string& error)
{
    PieceReader pieces{std::string_view(xml)};  // a piece at a time, never the part again as UTF-16
    QXmlStreamReader r(&pieces);
    std::pair<QString, QString> current;
    bool inDefault = false;
    while (!r.atEnd()) {
        r.readNext();
        if (badXml(r, part, error))
            return false;
        // The body holds no styles (and the conversion reads it, and says where it is broken).
        if (r.isStartElement() && r.namespaceUri() == Office && r.name() == u"body")
            break;
        if (r.isEndElement() && r.namespaceUri() == Style && (r.name() == u"style" || r.name() == u"default-style")) {
            current = {};
            inDefault = false;
        }
        if (!r.isStartElement())
            continue;
        const QXmlStreamAttributes a = r.attributes();
        if (r.namespaceUri() == Style && r.name() == u"font-face") {
            styles.faces[a.value(Style, QStringLiteral("name")).toString()] = unquoted(a.value(Svg, QStringLiteral("font-family")).toString());
        } else if (r.namespaceUri() == Style && r.name() == u"style") {
            current = {a.value(Style, QStringLiteral("family")).toString(), a.value(Style, QStringLiteral("name")).toString()};
            styles.styles[current].parent = a.value(Style, QStringLiteral("parent-style-name")).toString();
        } else if (r.namespaceUri() == Style && r.name() == u"default-style") {
            inDefault = a.value(Style, QStringLiteral("family")) == u"paragraph";
        } else if (r.namespaceUri() == Style && r.name() == u"text-properties") {
            const QString byFace = a.value(Style, QStringLiteral("font-name")).toString();
            const QString font = byFace.isEmpty() ? unquoted(a.value(Fo, QStringLiteral("font-family")).toString()) : styles.face(byFace);
            if (font.isEmpty())
                continue;
            if (inDefault)
                styles.defaultFont = font;
            else if (!current.second.isEmpty())
                styles.styles[current].font = font;
        }
    }
    return true;
}

struct Edit {
    qsizetype begin, end;
    QString with;
};

// One part: its paragraphs' text where the font is Bamini's read as Unicode (converting, or
// reading out into plain), and the declarations of Bamini fonts made the Unicode font.
class OdtPart {
public:
    OdtPart(const ConvertOptions& options, const OdtStyles& styles, ConvertReport& report)
        : options(options), styles(styles), report(report)
    {
    }
    std::string* plain = nullptr;
    // Read out, the notes' text and the footers' go here (below the body, and last).
    std::string* notes = nullptr;
    std::string* footers = nullptr;
    // The styles converted text is drawn with (family, name; the default paragraph style's
    // family "default"), gathered over the parts.
    std::set<std::pair<QString, QString>>* drawing = nullptr;

    bool convert(std::string& bytes, const std::string& part, std::string& error)
    {
        // Read as the UTF-8 it is: the reader's offsets are found in the bytes, and the new
        // part is made from them, so the part is never held as UTF-16 too.
        if (!readsAsUtf8(bytes, part, error))
            return false;
        xml = bytes;
        edits.clear();
        PieceReader pieces(xml);
        QXmlStreamReader r(&pieces);
        ByteOffsets offsets(xml);
        struct Context {
            QString family, style;
            bool paragraph;
            bool metadata = false;  // a comment's author and date (dc:creator, dc:date): never text
        };
        std::vector<Context> stack;   // every element's, for text: its paragraph and spans
        std::vector<std::vector<Piece>> paragraphs;
        qsizetype before = 0;  // where the token being read begins
        while (!r.atEnd()) {
            r.readNext();
            if (badXml(r, part, error))
                return false;
            const qsizetype at = offsets.of(r.characterOffset());
            if (r.isStartElement()) {
                const QXmlStreamAttributes a = r.attributes();
                Context c{QString(), QString(), false, r.namespaceUri() == DublinCore};
                if (plain && r.namespaceUri() == Style && r.name().startsWith(u"footer"))
                    ++inFooter;
                if (plain && r.namespaceUri() == Text && r.name() == u"note-body") {
                    ++inNote;
                    noteMark = QLatin1Char('[') + citation + QLatin1String("] ");
                }
                if (plain && r.namespaceUri() == Text && r.name() == u"note-citation") {
                    inCitation = true;
                    citation.clear();
                }
                if (r.namespaceUri() == Text && (r.name() == u"p" || r.name() == u"h")) {
                    c = {QStringLiteral("paragraph"), a.value(Text, QStringLiteral("style-name")).toString(), true};
                    paragraphs.emplace_back();
                } else if (r.namespaceUri() == Text && r.name() == u"span") {
                    c = {QStringLiteral("text"), a.value(Text, QStringLiteral("style-name")).toString(), false};
                } else if (r.namespaceUri() == Text && !paragraphs.empty()) {
                    // Spaces, tabs and line breaks: read with the text, left as they are.
                    const int spaces = r.name() == u"s" ? std::max(1, a.value(Text, QStringLiteral("c")).toInt()) : 0;
                    const QString kept = r.name() == u"s" ? QString(spaces, u' ') : r.name() == u"tab" ? QStringLiteral("\t")
                                         : r.name() == u"line-break" ? QStringLiteral("\n") : QString();
                    if (!kept.isEmpty())
                        paragraphs.back().push_back({-1, -1, kept, false});
                }
                const bool retargeting = !plain && options.toUnicode;
                if (r.namespaceUri() == Style && r.name() == u"font-face" && retargeting)
                    retarget(at, a, Svg, QStringLiteral("font-family"));
                if (r.namespaceUri() == Style && r.name() == u"text-properties" && retargeting) {
                    retarget(at, a, Fo, QStringLiteral("font-family"));
                    if (!styleOfProperties.second.isEmpty())
                        properties[styleOfProperties] = {at, a, r.prefix().toString()};
                }
                if (r.namespaceUri() == Style && r.name() == u"style")
                    styleOfProperties = {a.value(Style, QStringLiteral("family")).toString(), a.value(Style, QStringLiteral("name")).toString()};
                else if (r.namespaceUri() == Style && r.name() == u"default-style")
                    styleOfProperties = {QStringLiteral("default"), a.value(Style, QStringLiteral("family")).toString()};
                if (r.namespaceUri() == Office) {
                    const qsizetype tagBegin = tagBefore(at);
                    const bool empty = selfClosing(at);
                    if (r.name() == u"automatic-styles")
                        automaticStyles = {tagBegin, at, empty ? tagBegin : -1};
                    else if (r.name() == u"font-face-decls")
                        fontFaces = {tagBegin, at, empty ? tagBegin : -1};
                    else if (r.name() == u"body")
                        body = tagBegin;
                }
                stack.push_back(c);
            } else if (r.isEndElement()) {
                if (plain && r.namespaceUri() == Style && r.name().startsWith(u"footer"))
                    --inFooter;
                if (plain && r.namespaceUri() == Text && r.name() == u"note-body")
                    --inNote;
                if (plain && r.namespaceUri() == Text && r.name() == u"note-citation") {
                    inCitation = false;
                    // A note's number where it is referred to, apart from the word before it.
                    if (!paragraphs.empty())
                        paragraphs.back().push_back({-1, -1, QLatin1Char('[') + citation + QLatin1Char(']'), false});
                }
                if (r.namespaceUri() == Style && (r.name() == u"style" || r.name() == u"default-style"))
                    styleOfProperties = {};
                if (r.namespaceUri() == Office && (r.name() == u"automatic-styles" || r.name() == u"font-face-decls")) {
                    Place& place = r.name() == u"automatic-styles" ? automaticStyles : fontFaces;
                    if (place.close < 0)
                        place.close = tagBefore(at);
                }
                const bool paragraph = !stack.empty() && stack.back().paragraph;
                stack.pop_back();
                if (paragraph && !paragraphs.empty()) {
                    finish(paragraphs.back());
                    paragraphs.pop_back();
                }
            } else if (r.isCharacters() && inCitation) {
                citation += r.text();
            } else if (r.isCharacters()) {
                if (!paragraphs.empty() && inParagraph(stack) && !stack.back().metadata) {
                    const QString font = fontAt(stack);
                    if (!font.isEmpty())
                        report.fonts.insert(font.toStdString());
                    // The reader has looked at the "<" that ends the text.
                    const qsizetype end = at > before && xml[std::size_t(at - 1)] == '<' ? at - 1 : at;
                    const bool bamini = options.isBamini(font.toStdString());
                    if (!options.toUnicode && !plain && !bamini)
                        toCodes(before, end, r.text().toString());
                    if (bamini && drawing)
                        markDrawing(stack);
                    paragraphs.back().push_back({before, end, r.text().toString(), bamini});
                }
            }
            before = at;
        }
        if (badXml(r, part, error))
            return false;
        if (wroteCodes && !declareBaminiStyle(error))
            return false;
        if (options.toUnicode && !plain && drawing)
            addTwins();
        if (edits.empty())
            return true;
        std::string out = splicedBytes(xml, edits);
        xml = {};
        bytes = std::move(out);
        return true;
    }

private:
    struct Piece {
        qsizetype begin, end;
        QString text;
        bool bamini;
    };

    template <typename Stack>
    static bool inParagraph(const Stack& stack)
    {
        return std::any_of(stack.begin(), stack.end(), [](const auto& c) { return c.paragraph; });
    }

    template <typename Stack>
    QString fontAt(const Stack& stack) const
    {
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
            if (it->family.isEmpty())
                continue;
            const QString font = styles.fontOf(it->family, it->style);
            if (!font.isEmpty())
                return font;
            if (it->paragraph)
                break;
        }
        return styles.defaultFont;
    }

    // A font family named in a tag: made the Unicode font where it has Bamini's layout.
    void retarget(qsizetype tagEnd, const QXmlStreamAttributes& a, const QString& ns, const QString& name,
                  const QString& value = QString())
    {
        const QString family = unquoted(a.value(ns, name).toString());
        if (value.isEmpty() && (family.isEmpty() || !options.isBamini(family.toStdString())))
            return;
        const qsizetype tagBegin = tagBefore(tagEnd);
        for (const QXmlStreamAttribute& attribute : a) {
            if (attribute.namespaceUri() != ns || attribute.name() != name)
                continue;
            const QString qname = attribute.qualifiedName().toString();
            for (const QChar quote : {u'"', u'\''}) {
                const std::string named = (qname + QLatin1Char('=') + quote).toStdString();
                const qsizetype start = qsizetype(xml.find(named, std::size_t(tagBegin)));
                if (start < 0 || start >= tagEnd)
                    continue;
                const qsizetype valueBegin = start + qsizetype(named.size());
                const qsizetype valueEnd = qsizetype(xml.find(char(quote.unicode()), std::size_t(valueBegin)));
                if (valueEnd < 0 || valueEnd >= tagEnd)
                    continue;
                if (!value.isEmpty()) {
                    edits.push_back({valueBegin, valueEnd, xmlEscaped(value)});
                    return;
                }
                const QString font = QString::fromStdString(options.unicodeFont);
                edits.push_back({valueBegin, valueEnd, quote == u'"' ? "'" + xmlEscaped(font) + "'" : "&quot;" + xmlEscaped(font) + "&quot;"});
                return;
            }
        }
    }

    // The styles text in a Bamini font is drawn with: its spans' and paragraph's, their
    // parents', and the default paragraph style.
    template <typename Stack>
    void markDrawing(const Stack& stack)
    {
        drawing->insert({QStringLiteral("default"), QStringLiteral("paragraph")});
        for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
            QString name = it->style;
            for (int depth = 0; !it->family.isEmpty() && !name.isEmpty() && depth < 32; ++depth) {
                if (!drawing->insert({it->family, name}).second)
                    break;
                const auto s = styles.styles.find({it->family, name});
                if (s == styles.styles.end())
                    break;
                name = s->second.parent;
            }
            if (it->paragraph)
                break;
        }
    }

    // Tamil Unicode, a complex script, is drawn with the complex-script font, size, weight
    // and style, which Bamini text never needed: in the styles converted text is drawn with,
    // each set for Western text gets its twin where it has none, and a Bamini font face is
    // made the complex one too.
    void addTwins()
    {
        for (const auto& [style, tag] : properties) {
            if (!drawing->count(style))
                continue;
            const QString prefix = tag.prefix.isEmpty() ? QString() : tag.prefix + QLatin1Char(':');
            QString added;
            for (const char* name : {"font-size", "font-weight", "font-style"}) {
                const QString western = tag.attributes.value(Fo, QLatin1String(name)).toString();
                if (!western.isEmpty() && !tag.attributes.hasAttribute(Style, QLatin1String(name) + QLatin1String("-complex")))
                    added += QLatin1Char(' ') + prefix + QLatin1String(name) + QLatin1String("-complex=\"") + xmlEscaped(western) + QLatin1Char('"');
            }
            const QString face = tag.attributes.value(Style, QStringLiteral("font-name")).toString();
            const QString family = unquoted(tag.attributes.value(Fo, QStringLiteral("font-family")).toString());
            if (!face.isEmpty() && options.isBamini(styles.face(face).toStdString())) {
                if (!tag.attributes.hasAttribute(Style, QStringLiteral("font-name-complex")))
                    added += QLatin1Char(' ') + prefix + QLatin1String("font-name-complex=\"") + xmlEscaped(face) + QLatin1Char('"');
                else
                    retarget(tag.end, tag.attributes, Style, QStringLiteral("font-name-complex"), face);
            } else if (face.isEmpty() && !family.isEmpty() && options.isBamini(family.toStdString())
                       && !tag.attributes.hasAttribute(Style, QStringLiteral("font-family-complex"))) {
                added += QLatin1Char(' ') + prefix + QLatin1String("font-family-complex=\"'")
                         + xmlEscaped(QString::fromStdString(options.unicodeFont)) + QLatin1String("'\"");
            }
            if (added.isEmpty())
                continue;
            const qsizetype at = tag.end - (selfClosing(tag.end) ? 2 : 1);
            edits.push_back({at, at, added});
        }
    }

    // --from-unicode: each stretch of Tamil in the text made a span of codes in the Bamini
    // style this part declares.
    void toCodes(qsizetype begin, qsizetype end, const QString& text)
    {
        QString with;
        bool changed = false;
        forEachTamilStretch(text, false, [&](QStringView stretch, bool tamil) {
            if (!tamil) {
                with += xmlEscaped(stretch.toString());
                return;
            }
            QString drawn;
            for (const char b : baminiCodes(stretch.toString().toStdString(), report))
                drawn += QChar(charset::toUnicode(static_cast<unsigned char>(b)));
            with += QStringLiteral("<text:span text:style-name=\"") + BaminiStyle + QStringLiteral("\">") + xmlEscaped(drawn)
                    + QStringLiteral("</text:span>");
            report.characters += std::size_t(stretch.size());
            ++report.runs;
            changed = true;
        });
        if (changed) {
            edits.push_back({begin, end, with});
            wroteCodes = true;
        }
    }

    // The text style the spans of codes are in, and a font face of Bamini's layout for it.
    bool declareBaminiStyle(std::string& error)
    {
        QString face;
        for (const auto& [name, family] : styles.faces)
            if (options.isBamini(family.toStdString()) && face.isEmpty())
                face = name;
        const QString font = QString::fromStdString(options.baminiFont());
        if (face.isEmpty()) {
            face = font;  // a name no other face has
            for (int n = 2; styles.faces.count(face); ++n)
                face = font + QLatin1Char(' ') + QString::number(n);
            const QString declaration = QStringLiteral("<style:font-face style:name=\"") + xmlEscaped(face)
                                        + QStringLiteral("\" svg:font-family=\"") + xmlEscaped(font) + QStringLiteral("\"/>");
            if (fontFaces.close >= 0 && fontFaces.empty < 0)
                edits.push_back({fontFaces.close, fontFaces.close, declaration});
            else if (fontFaces.empty >= 0)
                edits.push_back({fontFaces.begin, fontFaces.end, QStringLiteral("<office:font-face-decls>") + declaration + QStringLiteral("</office:font-face-decls>")});
            else if (automaticStyles.begin >= 0)
                edits.push_back({automaticStyles.begin, automaticStyles.begin, QStringLiteral("<office:font-face-decls>") + declaration + QStringLiteral("</office:font-face-decls>")});
            else if (body >= 0)
                edits.push_back({body, body, QStringLiteral("<office:font-face-decls>") + declaration + QStringLiteral("</office:font-face-decls>")});
        }
        const QString style = QStringLiteral("<style:style style:name=\"") + BaminiStyle
                              + QStringLiteral("\" style:family=\"text\"><style:text-properties style:font-name=\"") + xmlEscaped(face)
                              + QStringLiteral("\"/></style:style>");
        if (automaticStyles.close >= 0 && automaticStyles.empty < 0)
            edits.push_back({automaticStyles.close, automaticStyles.close, style});
        else if (automaticStyles.empty >= 0)
            edits.push_back({automaticStyles.begin, automaticStyles.end, QStringLiteral("<office:automatic-styles>") + style + QStringLiteral("</office:automatic-styles>")});
        else if (body >= 0)
            edits.push_back({body, body, QStringLiteral("<office:automatic-styles>") + style + QStringLiteral("</office:automatic-styles>")});
        else {
            error = "it has no office:body";
            return false;
        }
        return true;
    }

    void finish(const std::vector<Piece>& pieces)
    {
        // Back to Bamini, codes in a Bamini font are what they should be: only Tamil Unicode moves.
        if (!plain && !options.toUnicode)
            return;
        std::vector<QString> outputs(pieces.size());
        std::string bytes;
        std::vector<std::size_t> origins;
        const auto flush = [&] {
            forEachSegment(bytes, [&](const Segment& s) {
                outputs[origins[s.begin]] += QString::fromUtf8(s.text.data(), qsizetype(s.text.size()));
            });
            bytes.clear();
            origins.clear();
        };
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const Piece& p = pieces[k];
            if (!p.bamini) {
                flush();
                outputs[k] = p.text;
                continue;
            }
            report.characters += std::size_t(p.text.size());
            for (const uint c : p.text.toUcs4()) {
                const int b = c >= 0xF020 && c <= 0xF0FF ? int(c - 0xF000) : charset::toByte(c);
                if (b >= 0) {
                    bytes += char(b);
                    origins.push_back(k);
                    continue;
                }
                flush();
                outputs[k] += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
                ++report.unplaced[QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toStdString()];
            }
        }
        flush();
        if (plain) {
            std::string& out = inNote > 0 && notes ? *notes : inFooter > 0 && footers ? *footers : *plain;
            if (inNote > 0) {
                out += noteMark.toStdString();
                noteMark.clear();
            }
            for (const QString& o : outputs)
                out += o.toStdString();
            out += '\n';
            return;
        }
        for (std::size_t k = 0; k < pieces.size(); ++k)
            if (pieces[k].bamini && pieces[k].begin >= 0) {
                edits.push_back({pieces[k].begin, pieces[k].end, xmlEscaped(outputs[k])});
                ++report.runs;
            }
    }

    struct Place {
        qsizetype begin = -1, end = -1, empty = -1, close = -1;  // its start tag, if empty, its end tag
    };
    int inFooter = 0, inNote = 0;  // read out: inside a footer, a note's body
    bool inCitation = false;
    QString citation, noteMark;  // the note's number, and what its first paragraph begins with
    static inline const QString BaminiStyle = QStringLiteral("OrvaneBamini");

    const ConvertOptions& options;
    const OdtStyles& styles;
    ConvertReport& report;
    std::string_view xml;  // the part's bytes, while it is read

    // Where the tag ending at at begins; whether it closes itself.
    qsizetype tagBefore(qsizetype at) const { return qsizetype(xml.rfind('<', std::size_t(at - 1))); }
    bool selfClosing(qsizetype at) const { return at >= 2 && xml.substr(std::size_t(at - 2), 2) == "/>"; }
    std::vector<Change> edits;
    Place automaticStyles, fontFaces;
    struct Properties {
        qsizetype end;  // of the text-properties tag
        QXmlStreamAttributes attributes;
        QString prefix;
    };
    std::map<std::pair<QString, QString>, Properties> properties;  // each style's text properties
    std::pair<QString, QString> styleOfProperties;
    qsizetype body = -1;
    bool wroteCodes = false;
};

// textOnly: the parts that hold the text and its styles are expanded, never the pictures.
bool readOdt(std::string_view in, std::vector<ZipEntry>& entries, OdtStyles& styles, std::string& error,
             bool textOnly = false)
{
    const auto wanted = [](const std::string& name) { return name == "content.xml" || name == "styles.xml"; };
    if (!readZip(in, entries, error, MaxExpandedBytes, textOnly ? std::function<bool(const std::string&)>(wanted) : nullptr))
        return false;
    if (!entryNamed(entries, "content.xml")) {
        error = reasons::say<Reason::NotOpenDocument>();
        return false;
    }
    if (const ZipEntry* s = entryNamed(entries, "styles.xml"); s && !readStyles(s->data, "styles.xml", styles, error))
        return false;
    return readStyles(entryNamed(entries, "content.xml")->data, "content.xml", styles, error);
}
} // namespace

bool odtText(std::string_view in, const ConvertOptions& options, std::string& text, std::string& error)
{
    std::vector<ZipEntry> entries;
    OdtStyles styles;
    if (!readOdt(in, entries, styles, error, true))
        return false;
    ConvertReport report;
    // As the pages show it: the headers above the body, the notes below it, the footers last.
    std::string headers, body, notes, footers;
    OdtPart part(options, styles, report);
    part.plain = &body;
    part.notes = &notes;
    if (!part.convert(entryNamed(entries, "content.xml")->data, "content.xml", error))
        return false;
    if (ZipEntry* pages = entryNamed(entries, "styles.xml")) {
        OdtPart master(options, styles, report);
        master.plain = &headers;
        master.footers = &footers;
        if (!master.convert(pages->data, "styles.xml", error))
            return false;
    }
    text.clear();
    for (std::string* place : {&headers, &body, &notes, &footers}) {
        if (place != &body && place->find_first_not_of('\n') == std::string::npos)
            continue;  // no text, no empty lines
        while (place != &body && place->ends_with("\n\n"))
            place->pop_back();
        text += *place;
    }
    if (text.ends_with('\n'))
        text.pop_back();
    return true;
}

bool convertOdt(std::string_view in, std::string& out, const ConvertOptions& options, ConvertReport& report,
                std::string& error)
{
    std::vector<ZipEntry> entries;
    OdtStyles styles;
    if (!readOdt(in, entries, styles, error))
        return false;
    // Back to Bamini, the body alone: the style its spans are in is declared there.
    std::set<std::pair<QString, QString>> drawing;
    for (const char* name : {"content.xml", "styles.xml"}) {
        OdtPart part(options, styles, report);
        part.drawing = &drawing;
        if (ZipEntry* e = entryNamed(entries, name); e && (options.toUnicode || e->name == "content.xml")
                                                     && !(part.convert(e->data, name, error) && wellFormedXml(e->data, name, error)))
            return false;
    }
    return writeZip(entries, out, error);
}

} // namespace orvane::office
