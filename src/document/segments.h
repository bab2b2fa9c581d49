#pragma once
// The one reading of Bamini in the program: a document's bytes as segments, each a whole
// syllable with its signs (wherever Bamini's visual order puts them), a letter, a line break,
// a character of other text (English) or another character, with its bytes and the Unicode
// it stands for. The conversions,
// search, counting and the accessible text are all built on it.

#include <cstddef>
#include <string_view>

namespace orvane {

struct SegmentRules;

struct Segment {
    std::size_t begin = 0;   // byte offset in the document
    std::size_t length = 0;  // bytes
    std::string_view text;   // UTF-8 in NFC, "\n" for a line break; valid during the call only
};

// Reads a document in one piece or in chunks; what one segment says of the next (a kaal
// after a vowel is ra) carries over.
class SegmentReader {
public:
    // The most bytes a segment's reading looks at, from its start.
    static constexpr std::size_t Lookahead = 6;

    // Calls visit(const Segment&) for each segment of bytes, offsets counted from offset.
    // Unless atEnd it stops short of the last Lookahead bytes, whose reading may depend on
    // what comes next, and returns how many bytes it read.
    template <typename Visit>
    std::size_t read(std::string_view bytes, bool atEnd, Visit&& visit, std::size_t offset = 0)
    {
        const std::size_t stop = atEnd ? bytes.size() : bytes.size() > Lookahead ? bytes.size() - Lookahead : 0;
        std::size_t k = 0;
        while (k < stop) {
            Segment s;
            s.begin = offset + k;
            s.length = next(bytes, k, s.text);
            visit(static_cast<const Segment&>(s));
            k += s.length;
        }
        if (k > 0)
            before = static_cast<unsigned char>(bytes[k - 1]);
        return k;
    }

    // The text of the segments read() would visit, appended to out: the same reading, with
    // the codes that need no look around them taken straight from a table.
    // halves: a long stretch may be read in two halves at once.
    std::size_t appendText(std::string_view bytes, bool atEnd, std::string& out, bool halves = true);
    // Whether a run of other text is open, which may go on over a line feed.
    bool withinOtherText() const { return inOther; }
    // Whether the last segment read ended in a vowel (what makes a kaal after it ra).
    bool endedInVowel() const { return afterVowel; }
    // Reading taken up again after a segment read before: where it ended in a vowel, left a
    // run of other text open, and its last byte. What follows reads as it did then.
    void resume(bool vowel, bool open, unsigned char last)
    {
        afterVowel = vowel;
        inOther = open;
        before = last;
    }

private:
    // A code with the code after it, read at once: what they give, when the reading of the
    // two decides it.
    struct Two {
        char utf8[6];
        unsigned char length;
        unsigned char flags;
    };
    static const Two* twoCodes();
    std::size_t step(const SegmentRules& rules, const Two* two, std::string_view bytes, std::size_t k,
                     std::size_t fastStop, char*& o);
    std::size_t appendWhole(std::string_view bytes, bool atEnd, std::string& out);
    std::size_t next(std::string_view bytes, std::size_t k, std::string_view& text);
    std::size_t readAt(const SegmentRules& rules, std::string_view bytes, std::size_t k, char*& o);
    std::size_t readOne(const SegmentRules& rules, std::string_view bytes, std::size_t k, char*& o);
    std::size_t readOther(std::string_view bytes, std::size_t k, char*& o, std::size_t marks);

    bool afterVowel = false;  // the last segment ended in a vowel, a vowel sign or the pulli
    bool inOther = false;     // within a run of other text
    unsigned char before = 0; // the code before the bytes of this call: the last one read
    char buffer[32];
};

template <typename Visit>
void forEachSegment(std::string_view bytes, Visit&& visit)
{
    SegmentReader reader;
    reader.read(bytes, true, visit);
}

} // namespace orvane
