#include "document/unicode_origin.h"

#include "document/file_format.h"

#include <algorithm>
#include <functional>

namespace orvane {

namespace {
std::uint64_t hashOf(std::string_view codes) { return std::hash<std::string_view>{}(codes); }

// Where the line from at ends: its CR or LF, or the end.
std::size_t lineEndFrom(std::string_view body, std::size_t at)
{
    const auto end = std::find_if(body.begin() + std::ptrdiff_t(at), body.end(), [](char c) { return c == '\r' || c == '\n'; });
    return std::size_t(end - body.begin());
}

// The document's lines: its text between CR LFs.
std::vector<std::string_view> documentLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(at));
            return lines;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
}

std::uint8_t lineEndAt(std::string_view body, std::size_t at)
{
    if (at >= body.size())
        return 0;
    return body[at] == '\r' && at + 1 < body.size() && body[at + 1] == '\n' ? 2 : 1;
}
} // namespace

std::shared_ptr<const UnicodeOrigin> UnicodeOrigin::of(std::string file, std::string_view text, const DocumentFormat& format)
{
    if (format.kind != DocumentFormat::Unicode || file.size() > MaxBytes)
        return nullptr;
    auto origin = std::make_shared<UnicodeOrigin>();
    origin->bodyAt = std::string_view(file).starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
    const std::string_view body = std::string_view(file).substr(origin->bodyAt);
    // Each of the file's lines with its end, one for each line of the text (a line break is
    // one whatever its end; the file's last end ends its last line, and no empty line comes
    // after it), with the codes it was read as. Where they are not as many, nothing is kept.
    const std::vector<std::string_view> wanted = documentLines(text);
    std::size_t at = 0;
    for (std::size_t k = 0; k < wanted.size(); ++k) {
        const std::size_t end = lineEndFrom(body, at);
        Line line;
        line.at = origin->bodyAt + at;
        line.length = static_cast<std::uint32_t>(end - at);
        line.end = lineEndAt(body, end);
        line.known = true;
        line.codes = static_cast<std::uint32_t>(wanted[k].size());
        line.hash = hashOf(wanted[k]);
        origin->lines.push_back(line);
        at = end + line.end;
        if (line.end == 0 && k + 1 < wanted.size())
            return nullptr;
    }
    if (at != body.size())
        return nullptr;
    origin->file = std::move(file);
    return origin;
}

std::shared_ptr<const UnicodeOrigin> UnicodeOrigin::fileFor(std::string_view text, const DocumentFormat& format) const
{
    const std::vector<std::string_view> now = documentLines(text);
    const auto same = [&](std::string_view codes, const Line& line) {
        return line.known && line.codes == codes.size() && line.hash == hashOf(codes);
    };
    // The line of the file each line of the text still is: those as they were at the start
    // and at the end, and between them, where no line came or went, each in its place.
    constexpr std::size_t None = std::size_t(-1);
    std::vector<std::size_t> old(now.size(), None);
    std::size_t first = 0, last = 0;
    const std::size_t most = std::min(now.size(), lines.size());
    while (first < most && same(now[first], lines[first]))
        old[first] = first, ++first;
    while (last < most - first && same(now[now.size() - 1 - last], lines[lines.size() - 1 - last]))
        old[now.size() - 1 - last] = lines.size() - 1 - last, ++last;
    if (now.size() == lines.size())
        for (std::size_t k = first; k + last < now.size(); ++k)
            old[k] = same(now[k], lines[k]) ? k : None;

    auto next = std::make_shared<UnicodeOrigin>();
    std::string& bytes = next->file;
    bytes.reserve(file.size() + (text.size() >> 3));
    if (format.byteOrderMark)
        bytes += ByteOrderMark;
    next->bodyAt = bytes.size();
    const std::string_view lineEnd = format.lineEndBytes();
    // What ends line k: the end the file had in that place (after a line kept at the start,
    // before one kept at the end, and anywhere where no line came or went), else the format's;
    // after the last line, the file's last end, where the format ends it.
    const auto putEnd = [&](std::size_t k, Line& line) {
        const std::size_t endAt = bytes.size();
        const Line* was = nullptr;
        if (k + 1 == now.size())
            was = format.finalLineEnd ? &lines.back() : nullptr;
        else if (k < first || now.size() == lines.size())
            was = k < lines.size() ? &lines[k] : nullptr;
        else if (k + 1 >= now.size() - last && old[k + 1] > 0)
            was = &lines[old[k + 1] - 1];
        if (was && was->end > 0)
            bytes.append(file, was->at + was->length, was->end);
        else if (k + 1 < now.size() || format.finalLineEnd)
            bytes += lineEnd;
        line.end = static_cast<std::uint8_t>(bytes.size() - endAt);
    };
    DocumentFormat plain = format;
    plain.byteOrderMark = false;
    plain.finalLineEnd = false;
    for (std::size_t k = 0; k < now.size();) {
        if (old[k] != None) {
            const Line& was = lines[old[k]];
            Line line = was;
            line.at = bytes.size();
            bytes.append(file, was.at, was.length);
            putEnd(k, line);
            next->lines.push_back(line);
            ++k;
            continue;
        }
        // A run of changed lines, written from their codes as any document is (between them
        // the format's line end), their codes kept so that the next save knows which still
        // say what they say now. A line that holds a lone CR or LF (a pasted one) is written
        // as more than one, so that its bytes cannot be told apart: such a run's lines are
        // not kept.
        std::size_t end = k;
        bool alone = true;
        for (; end < now.size() && old[end] == None; ++end)
            alone = alone && now[end].find_first_of("\r\n") == std::string_view::npos;
        const std::size_t from = std::size_t(now[k].data() - text.data());
        const std::size_t to = std::size_t(now[end - 1].data() + now[end - 1].size() - text.data());
        const std::size_t runAt = bytes.size();
        bytes += unicodeFileBytes(text.substr(from, to - from), plain);
        const std::size_t runEnd = bytes.size();
        for (std::size_t at = runAt; k < end; ++k) {
            Line line;
            line.at = at;
            const std::size_t lineStop = k + 1 < end ? std::min(bytes.find(lineEnd, at), runEnd) : runEnd;
            line.length = static_cast<std::uint32_t>(lineStop - at);
            line.known = alone;  // the same codes write the same bytes
            line.codes = static_cast<std::uint32_t>(now[k].size());
            line.hash = hashOf(now[k]);
            if (k + 1 < end) {
                line.end = static_cast<std::uint8_t>(lineEnd.size());
                at = lineStop + lineEnd.size();
            } else {
                putEnd(k, line);
            }
            next->lines.push_back(line);
        }
    }
    return next;
}

} // namespace orvane
