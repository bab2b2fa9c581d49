#pragma once
// The find bar below the text box: find by Tamil letters (the field is typed like the text),
// every match marked, the current one selected, a count, and replacing one or all.

#include "document/search.h"
#include "phonetic/keyboards.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <QWidget>

class QToolButton;
class QLabel;
class QPushButton;

namespace orvane {

struct CompositionTables;
class StatusPanels;
class TamilField;
class TextBox;

class FindBar final : public QWidget {
    Q_OBJECT
public:
    FindBar(TextBox& text, const CompositionTables& tables, QWidget* parent = nullptr);

    void showFind();
    // Keys typed into the fields go in as themselves, as English.
    void setEnglish(bool english);
    void setKeyboard(Keyboard keyboard);
    void showReplace();
    void close();

    void findNext();
    void findPrevious();
    void replaceOne();
    // Every match at once, as one step of Undo.
    void replaceAll();

    TamilField* const findField;
    TamilField* const replaceField;
    QLabel* const count;  // "3 of 17"
    QLabel* const note;   // "Went on from the top", ...
    QToolButton* const matchCase;   // English letters in the case typed
    QToolButton* const wholeWords;
    // A replacement's bytes, admitted into the document: the same, the Tamil alone, or
    // nothing (other text that may not enter a .tam document).
    std::function<std::optional<std::string>(std::string)> admit;

private:
    void search();
    void step(bool backwards);
    void markMatches();
    void select(int index, const QString& remark);
    void show(bool replacing);

    // The matches, as positions in the text box, with what they match.
    struct Match {
        int begin, end;
        TextRange range;
    };
    std::optional<std::string> replacementFor(const Match& match);
    std::vector<Match> matches;
    bool stale = true;
    std::string_view bytes;  // the document's, while bytesStale is false and its storage is the same
    bool bytesStale = true;
    std::uint64_t bytesGeneration = 0;
    TextBox& text;
    std::vector<QWidget*> replaceRow;
    QTimer typingPause;
};

} // namespace orvane
