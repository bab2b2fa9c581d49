#pragma once
// The find bar below the text box: find by Tamil letters (the field is typed like the text),
// every match marked, the current one selected, a count, and replacing one or all.

#include "document/search.h"

#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

namespace orvane {

class CompositionTables;
class StatusPanels;
class TamilField;
class TextBox;

class FindBar final : public QWidget {
    Q_OBJECT
public:
    FindBar(TextBox& text, const CompositionTables& tables, StatusPanels& panels, QWidget* parent = nullptr);

    void showFind();
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

private:
    void search();
    void step(bool backwards);
    void markMatches();
    void select(int index, const QString& remark);
    void show(bool replacing);

    // The matches, as positions in the text box.
    struct Match {
        int begin, end;
    };
    std::vector<Match> matches;
    bool stale = true;
    TextBox& text;
    std::vector<QWidget*> replaceRow;
    QTimer typingPause;
};

} // namespace orvane
