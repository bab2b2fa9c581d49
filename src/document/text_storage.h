#pragma once
// A document's text in its own form (a .tam document's codes, a Unicode document's bytes), as
// a piece table: the bytes as they were read, never copied, and the bytes added since, with
// the document a sequence of pieces of either. Pieces are kept in blocks, each knowing its
// bytes and line ends, so that an edit, finding a place and finding a line cost time in the
// number of blocks and a block's pieces, not in the size of the text: opening is taking the
// bytes over and counting their lines, saving is writing the pieces in turn.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class TextStorage {
public:
    TextStorage() = default;
    explicit TextStorage(std::string bytes);

    // A line ends with CR LF, the document's own line end (a lone LF is a character of its
    // line). An edit never falls between the CR and the LF of a line end.
    std::size_t size() const { return total; }
    // Lines: one more than the line ends.
    std::size_t lineCount() const { return feeds + 1; }

    void insert(std::size_t at, std::string_view bytes);
    void remove(std::size_t at, std::size_t length);
    void replace(std::size_t at, std::size_t length, std::string_view bytes);

    // The bytes from..to, and each stretch of them in turn (for writing without a copy; false
    // from put stops it, and is returned).
    std::string text(std::size_t from, std::size_t to) const;
    std::string text() const { return text(0, total); }
    bool forEachPiece(std::size_t from, std::size_t to, const std::function<bool(std::string_view)>& put) const;
    // The whole text in one stretch, the pieces joined into one first where they are more
    // (which leaves the text and its places as they were). Valid until the next edit or join.
    std::string_view flat();
    // Which bytes a view of flat() is into: another number once they may be gone (a new text,
    // or the pieces joined again).
    std::uint64_t generation() const { return made; }
    // How many edits this text has had: with the generation, whether it is as it was.
    std::uint64_t edits() const { return edited; }
    // Whether byte c stands anywhere from..to.
    bool holds(char c, std::size_t from, std::size_t to) const;

    // The byte where line `line` (from 0) begins, and the line a byte is on.
    std::size_t lineStart(std::size_t line) const;
    // Where its text ends: before its line end, or at the end of the text.
    std::size_t lineEnd(std::size_t line) const { return line + 1 < lineCount() ? lineStart(line + 1) - 2 : total; }
    std::size_t lineOf(std::size_t at) const;

private:
    struct Piece {
        bool added;
        std::size_t start, length, feeds;
    };
    struct Block {
        std::vector<Piece> pieces;
        std::size_t length = 0, feeds = 0;
    };
    std::string_view bytesOf(const Piece& p) const;
    Piece piece(bool added, std::size_t start, std::size_t length) const;
    // The block and piece that hold byte at (the end: past the last), and where it begins.
    struct Place {
        std::size_t block, piece, offset;
    };
    Place find(std::size_t at) const;
    Place cut(std::size_t at);
    void rebalance(std::size_t block);

    std::string original, added;
    std::vector<Block> blocks;
    std::size_t total = 0, feeds = 0;
    bool asRead = true;  // the text is `original`, as read: no edit since
    std::uint64_t made = nextGeneration();
    std::uint64_t edited = 0;
    static std::uint64_t nextGeneration();
};

} // namespace orvane
