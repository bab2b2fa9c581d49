#include "document/text_storage.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cstring>

namespace orvane {

namespace {
// The bytes as read are cut into pieces this long at most, so that finding a line inside a
// piece looks at no more than this; a block holds this many pieces at most.
constexpr std::size_t PieceBytes = std::size_t(16) << 10;
constexpr std::size_t BlockPieces = 512;

// Line ends (CR LF) in bytes.
std::size_t feedsIn(std::string_view bytes)
{
    // Sixteen bytes at a time where the processor can (a document of short lines has a line
    // end every few dozen): in each stretch, the bytes that are LF after a byte that is CR.
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t n = 0, k = 0;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    unsigned crBefore = 0;
    for (; k + 16 <= bytes.size(); k += 16) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + k));
        const auto crs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(w, cr)));
        const auto lfs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(w, lf)));
        // Counted without a branch (a line end every few dozen bytes would mislead every
        // guess) and without a popcount instruction, which not every processor has.
        unsigned ends = lfs & ((crs << 1) | crBefore);
        ends = ends - ((ends >> 1) & 0x5555u);
        ends = (ends & 0x3333u) + ((ends >> 2) & 0x3333u);
        ends = (ends + (ends >> 4)) & 0x0F0Fu;
        n += (ends + (ends >> 8)) & 0x1Fu;
        crBefore = crs >> 15;
    }
#endif
    for (k = std::max<std::size_t>(k, 1); k < bytes.size(); ++k)
        n += (b[k] == '\n') & (b[k - 1] == '\r');
    return n;
}

// Where the LF of the n-th line end (from 1) of bytes stands.
std::size_t nthFeed(std::string_view bytes, std::size_t n)
{
    std::size_t at = 0;
    for (; n > 0; ++at) {
        at = bytes.find('\n', at);
        n -= at > 0 && bytes[at - 1] == '\r';
    }
    return at - 1;
}
} // namespace

TextStorage::TextStorage(std::string bytes) : original(std::move(bytes))
{
    for (std::size_t at = 0, next = 0; at < original.size(); at = next) {
        if (blocks.empty() || blocks.back().pieces.size() == BlockPieces)
            blocks.emplace_back();
        Block& b = blocks.back();
        next = std::min(at + PieceBytes, original.size());
        if (next < original.size() && original[next - 1] == '\r' && original[next] == '\n')
            ++next;  // a line end stays in one piece
        b.pieces.push_back(piece(false, at, next - at));
        b.length += b.pieces.back().length;
        b.feeds += b.pieces.back().feeds;
    }
    total = original.size();
    for (const Block& b : blocks)
        feeds += b.feeds;
}

std::string_view TextStorage::bytesOf(const Piece& p) const
{
    return std::string_view(p.added ? added : original).substr(p.start, p.length);
}

TextStorage::Piece TextStorage::piece(bool fromAdded, std::size_t start, std::size_t length) const
{
    Piece p{fromAdded, start, length, 0};
    p.feeds = feedsIn(bytesOf(p));
    return p;
}

TextStorage::Place TextStorage::find(std::size_t at) const
{
    std::size_t before = 0;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (at >= before + blocks[b].length && b + 1 < blocks.size()) {
            before += blocks[b].length;
            continue;
        }
        const std::vector<Piece>& pieces = blocks[b].pieces;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (at < before + pieces[k].length)
                return {b, k, at - before};
            before += pieces[k].length;
        }
        return {b, pieces.size(), 0};  // the end
    }
    return {0, 0, 0};
}

// The place of byte at, at the start of a piece: the piece it is inside cut in two.
TextStorage::Place TextStorage::cut(std::size_t at)
{
    const Place place = find(at);
    if (place.offset == 0)
        return place;
    std::vector<Piece>& pieces = blocks[place.block].pieces;
    const Piece whole = pieces[place.piece];
    // The line ends of the shorter part are counted; the other part has the rest.
    Piece first{whole.added, whole.start, place.offset, 0};
    Piece second{whole.added, whole.start + place.offset, whole.length - place.offset, 0};
    if (first.length <= second.length)
        first.feeds = feedsIn(bytesOf(first)), second.feeds = whole.feeds - first.feeds;
    else
        second.feeds = feedsIn(bytesOf(second)), first.feeds = whole.feeds - second.feeds;
    pieces[place.piece] = first;
    pieces.insert(pieces.begin() + std::ptrdiff_t(place.piece) + 1, second);
    rebalance(place.block);
    return find(at);
}

// A block past its size is cut in two.
void TextStorage::rebalance(std::size_t block)
{
    Block& full = blocks[block];
    if (full.pieces.size() <= BlockPieces)
        return;
    Block later;
    later.pieces.assign(full.pieces.begin() + std::ptrdiff_t(BlockPieces / 2), full.pieces.end());
    full.pieces.resize(BlockPieces / 2);
    full.length = full.feeds = 0;
    for (const Piece& p : full.pieces)
        full.length += p.length, full.feeds += p.feeds;
    for (const Piece& p : later.pieces)
        later.length += p.length, later.feeds += p.feeds;
    blocks.insert(blocks.begin() + std::ptrdiff_t(block) + 1, std::move(later));
    rebalance(block + 1);  // a long insertion may leave it past its size still
}

std::uint64_t TextStorage::nextGeneration()
{
    static std::atomic<std::uint64_t> next{0};
    return ++next;
}

std::string_view TextStorage::flat()
{
    if (!asRead)
        *this = TextStorage(text());
    return original;
}

void TextStorage::insert(std::size_t at, std::string_view bytes)
{
    at = std::min(at, total);
    if (bytes.empty())
        return;
    ++edited;
    asRead = false;
    if (blocks.empty())
        blocks.emplace_back();
    const std::size_t start = added.size();
    added.append(bytes);
    std::size_t newFeeds = feedsIn(bytes);
    const Place place = cut(at);
    Block& b = blocks[place.block];
    // Typing: what follows the last bytes added, where they end, lengthens their piece (up
    // to a piece's size).
    if (place.piece > 0) {
        Piece& before = b.pieces[place.piece - 1];
        if (before.added && before.start + before.length == start && before.length + bytes.size() <= PieceBytes) {
            const std::size_t joined = bytes.front() == '\n' && before.length > 0 && added[start - 1] == '\r';
            newFeeds += joined;
            before.length += bytes.size();
            before.feeds += newFeeds;
            b.length += bytes.size();
            b.feeds += newFeeds;
            total += bytes.size();
            feeds += newFeeds;
            return;
        }
    }
    // A long insertion (a paste, Replace All) is cut into pieces as the text read is, so
    // that a line is still found inside one quickly; never between a CR and its LF.
    std::vector<Piece> pieces;
    for (std::size_t from = 0, next = 0; from < bytes.size(); from = next) {
        next = std::min(from + PieceBytes, bytes.size());
        if (next < bytes.size() && bytes[next - 1] == '\r' && bytes[next] == '\n')
            ++next;
        pieces.push_back(bytes.size() <= PieceBytes ? Piece{true, start, bytes.size(), newFeeds}
                                                     : piece(true, start + from, next - from));
    }
    b.pieces.insert(b.pieces.begin() + std::ptrdiff_t(place.piece), pieces.begin(), pieces.end());
    b.length += bytes.size();
    b.feeds += newFeeds;
    total += bytes.size();
    feeds += newFeeds;
    rebalance(place.block);
}

void TextStorage::remove(std::size_t at, std::size_t length)
{
    at = std::min(at, total);
    length = std::min(length, total - at);
    if (length == 0)
        return;
    ++edited;
    asRead = false;
    cut(at + length);
    const Place begin = cut(at);
    // Whole pieces from begin on go, as many bytes as there are to remove.
    std::size_t left = length;
    std::size_t b = begin.block, k = begin.piece;
    while (left > 0) {
        Block& block = blocks[b];
        if (k >= block.pieces.size()) {
            ++b, k = 0;
            continue;
        }
        const Piece gone = block.pieces[k];
        block.pieces.erase(block.pieces.begin() + std::ptrdiff_t(k));
        block.length -= gone.length;
        block.feeds -= gone.feeds;
        feeds -= gone.feeds;
        left -= gone.length;
    }
    total -= length;
    blocks.erase(std::remove_if(blocks.begin(), blocks.end(), [](const Block& x) { return x.pieces.empty(); }), blocks.end());
}

void TextStorage::replace(std::size_t at, std::size_t length, std::string_view bytes)
{
    remove(at, length);
    insert(at, bytes);
}

bool TextStorage::forEachPiece(std::size_t from, std::size_t to, const std::function<bool(std::string_view)>& put) const
{
    to = std::min(to, total);
    if (from >= to)
        return true;
    Place place = find(from);
    std::size_t left = to - from, offset = place.offset;
    for (std::size_t b = place.block, k = place.piece; left > 0 && b < blocks.size(); ++b, k = 0)
        for (; k < blocks[b].pieces.size() && left > 0; ++k) {
            const std::string_view bytes = bytesOf(blocks[b].pieces[k]).substr(offset);
            const std::string_view piece = bytes.substr(0, std::min(left, bytes.size()));
            if (!put(piece))
                return false;
            left -= piece.size();
            offset = 0;
        }
    return true;
}

bool TextStorage::holds(char c, std::size_t from, std::size_t to) const
{
    return !forEachPiece(from, to, [c](std::string_view piece) { return std::memchr(piece.data(), c, piece.size()) == nullptr; });
}

std::string TextStorage::text(std::size_t from, std::size_t to) const
{
    std::string out;
    out.reserve(to > from ? std::min(to, total) - std::min(from, total) : 0);
    forEachPiece(from, to, [&](std::string_view piece) {
        out.append(piece);
        return true;
    });
    return out;
}

std::size_t TextStorage::lineStart(std::size_t line) const
{
    if (line == 0)
        return 0;
    if (line > feeds)
        return total;
    std::size_t at = 0, seen = 0;
    for (const Block& b : blocks) {
        if (seen + b.feeds < line) {
            seen += b.feeds, at += b.length;
            continue;
        }
        for (const Piece& p : b.pieces) {
            if (seen + p.feeds < line) {
                seen += p.feeds, at += p.length;
                continue;
            }
            return at + nthFeed(bytesOf(p), line - seen) + 1;
        }
    }
    return total;
}

std::size_t TextStorage::lineOf(std::size_t at) const
{
    at = std::min(at, total);
    std::size_t before = 0, line = 0;
    for (const Block& b : blocks) {
        if (at >= before + b.length) {
            before += b.length, line += b.feeds;
            continue;
        }
        for (const Piece& p : b.pieces) {
            if (at >= before + p.length) {
                before += p.length, line += p.feeds;
                continue;
            }
            return line + feedsIn(bytesOf(p).substr(0, at - before));
        }
    }
    return line;
}

} // namespace orvane
