#pragma once
// English inside plain Bamini text: once text set in a Bamini font beside English in another
// is copied as plain text, the fonts are gone and both are letters of the same keyboard. This
// tells them apart word by word, from what each language's words look like (the model of
// resources/language-model.tsv: how codes follow each other in Tamil written as Bamini, and
// letters in English words), Bamini's grammar (a vowel letter begins a word, a sign follows
// its letter, e, ee and ai stand before a consonant), the case of the letters, an English word
// list (/usr/share/dict), and the words around: a language comes in runs.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct WordRange {
    std::size_t begin = 0, end = 0;  // bytes of the line
};

// The words of one line of Bamini codes (no line end, no runs of other text) that read as
// English, in order.
std::vector<WordRange> englishWordsIn(std::string_view line);

// A document's bytes with each word the detector calls English made a run of other text;
// the runs the bytes already hold stay as they are. Counts the words made English.
class EnglishMarker {
public:
    // Appends the marked form of bytes to out; a line is held back until its end comes (or
    // finish), so that every word is judged with those around it.
    void add(std::string_view bytes, std::string& out);
    void finish(std::string& out);
    std::size_t wordsMarked() const { return marked; }
    std::size_t wordsSeen() const { return seen; }

private:
    void markLines(std::string_view text, std::string& out);
    void markEachLine(std::string_view text, std::string& out);
    void markLine(std::string_view line, std::string& out);
    void markStretch(std::string_view codes, std::string& out);
    std::string pending;
    bool passing = false;
    std::size_t marked = 0, seen = 0;
};

// The document's bytes with the English words marked, whole; and how many of a text's words
// read as English, of how many.
std::string withEnglishKept(std::string_view bytes, std::size_t* marked = nullptr);
struct EnglishShare {
    std::size_t english = 0, words = 0;
};
EnglishShare englishShare(std::string_view bytes);

} // namespace orvane
