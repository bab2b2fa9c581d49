#include "window/find_bar.h"

#include "document/unicode_tamil.h"
#include "platform/text_codec.h"
#include "window/tamil_field.h"
#include "window/text_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace orvane {

FindBar::FindBar(TextBox& text, const CompositionTables& tables, StatusPanels& panels, QWidget* parent)
    : QWidget(parent), findField(new TamilField(tables, panels, this)),
      replaceField(new TamilField(tables, panels, this)), count(new QLabel(this)), note(new QLabel(this)),
      text(text)
{
    setObjectName("FindBar");
    findField->setObjectName("FindField");
    replaceField->setObjectName("ReplaceField");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto button = [this](const QString& caption, const char* name, void (FindBar::*act)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, act);
        return b;
    };
    auto* findLabel = new QLabel(tr("Find:"), this);
    findLabel->setBuddy(findField);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(findField, 0, 1);
    layout->addWidget(button(tr("Previous"), "FindPrevious", &FindBar::findPrevious), 0, 2);
    layout->addWidget(button(tr("Next"), "FindNext", &FindBar::findNext), 0, 3);
    layout->addWidget(count, 0, 4);
    layout->addWidget(note, 0, 5);
    auto* closer = button(tr("Close"), "FindClose", &FindBar::close);
    layout->addWidget(closer, 0, 6);
    auto* replaceLabel = new QLabel(tr("Replace with:"), this);
    replaceLabel->setBuddy(replaceField);
    replaceRow = {replaceLabel, replaceField, button(tr("Replace"), "ReplaceOne", &FindBar::replaceOne),
                  button(tr("Replace All"), "ReplaceAll", &FindBar::replaceAll)};
    for (int column = 0; column < int(replaceRow.size()); ++column)
        layout->addWidget(replaceRow[std::size_t(column)], 1, column);
    layout->setColumnStretch(1, 1);
    count->setMinimumWidth(count->fontMetrics().horizontalAdvance(tr("%1 of %2").arg(88888).arg(88888)));

    findField->entered = [this](bool backwards) { backwards ? findPrevious() : findNext(); };
    replaceField->entered = [this](bool) { replaceOne(); };
    findField->escaped = replaceField->escaped = [this] { close(); };

    // The search follows the typing once it pauses, and the text as it changes.
    typingPause.setSingleShot(true);
    typingPause.setInterval(150);
    connect(findField, &QLineEdit::textChanged, this, [this] {
        stale = true;
        typingPause.start();
    });
    connect(&typingPause, &QTimer::timeout, this, [this] {
        QTextCursor at = this->text.textCursor();
        at.setPosition(at.selectionStart());
        this->text.setTextCursor(at);
        findNext();
    });
    connect(text.document(), &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (removed != 0 || added != 0)
            stale = true;
    });
    connect(text.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { markMatches(); });
    hide();
}

void FindBar::show(bool replacing)
{
    for (QWidget* w : replaceRow)
        w->setVisible(replacing);
    QWidget::show();
    findField->setFocus();
    findField->selectAll();
}

void FindBar::showFind() { show(false); }

void FindBar::showReplace() { show(true); }

void FindBar::close()
{
    hide();
    text.setExtraSelections({});
    text.setFocus();
}

void FindBar::search()
{
    matches.clear();
    stale = false;
    const std::string query = baminiToUnicode(findField->bytes());
    if (query.empty())
        return;
    // The document's bytes searched at once; a byte offset becomes a position of the box
    // by taking one off for every paragraph break before it (CR LF, one position).
    const std::string bytes = text.documentBytes();
    std::size_t known = 0;  // a byte offset whose position is known
    int position = 0;
    std::size_t nextBreak = bytes.find("\r\n");
    auto positionOf = [&](std::size_t offset) {
        while (nextBreak < offset) {
            position += int(nextBreak - known) + 1;
            known = nextBreak + 2;
            nextBreak = bytes.find("\r\n", known);
        }
        return position + int(offset - known);
    };
    for (const TextRange& r : findAll(bytes, query)) {
        const int begin = positionOf(r.begin);
        matches.push_back({begin, positionOf(r.end)});
    }
}

// Every match on the screen is marked; the rest when they scroll into it.
void FindBar::markMatches()
{
    if (!isVisible())
        return;
    const int first = text.cursorForPosition(QPoint(0, 0)).position();
    const int last = text.cursorForPosition(QPoint(text.viewport()->width(), text.viewport()->height())).position();
    QList<QTextEdit::ExtraSelection> marks;
    auto it = std::lower_bound(matches.begin(), matches.end(), first, [](const Match& m, int at) { return m.end < at; });
    for (; it != matches.end() && it->begin <= last; ++it) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(text.document());
        mark.cursor.setPosition(it->begin);
        mark.cursor.setPosition(it->end, QTextCursor::KeepAnchor);
        mark.format.setBackground(QColor(255, 225, 120));
        marks << mark;
    }
    text.setExtraSelections(marks);
}

void FindBar::select(int index, const QString& remark)
{
    note->setText(remark);
    if (matches.empty()) {
        count->setText(findField->text().isEmpty() ? QString() : tr("No match"));
        text.setExtraSelections({});
        return;
    }
    QTextCursor cursor = text.textCursor();
    cursor.setPosition(matches[std::size_t(index)].begin);
    cursor.setPosition(matches[std::size_t(index)].end, QTextCursor::KeepAnchor);
    text.setTextCursor(cursor);
    text.ensureCursorVisible();
    count->setText(tr("%1 of %2").arg(index + 1).arg(matches.size()));
    markMatches();
}

void FindBar::findNext() { step(false); }

void FindBar::findPrevious() { step(true); }

// The next match after the selection, or the one before it; past the last (or the first) it
// goes on from the other end, and says so.
void FindBar::step(bool backwards)
{
    if (stale)
        search();
    const QTextCursor at = text.textCursor();
    const int from = backwards ? at.selectionStart() : at.selectionEnd();
    const int after = int(std::lower_bound(matches.begin(), matches.end(), from,
                                           [](const Match& m, int position) { return m.begin < position; })
                          - matches.begin());
    const int last = int(matches.size()) - 1;
    const bool wraps = backwards ? after == 0 : after > last;
    const QString note = wraps && !matches.empty() ? (backwards ? tr("Went on from the end") : tr("Went on from the top"))
                                                   : QString();
    select(wraps ? (backwards ? last : 0) : (backwards ? after - 1 : after), note);
}

void FindBar::replaceOne()
{
    if (stale)
        search();
    QTextCursor cursor = text.textCursor();
    const bool onMatch = std::any_of(matches.begin(), matches.end(), [&](const Match& m) {
        return m.begin == cursor.selectionStart() && m.end == cursor.selectionEnd();
    });
    if (onMatch) {
        cursor.insertText(codec::toBoxText(replaceField->bytes()));
        text.setTextCursor(cursor);
    }
    findNext();
}

void FindBar::replaceAll()
{
    search();
    if (matches.empty()) {
        select(0, QString());
        return;
    }
    const QString replacement = codec::toBoxText(replaceField->bytes());
    QTextCursor cursor(text.document());
    cursor.beginEditBlock();
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
        cursor.setPosition(it->begin);
        cursor.setPosition(it->end, QTextCursor::KeepAnchor);
        cursor.insertText(replacement);
    }
    cursor.endEditBlock();
    const std::size_t replaced = matches.size();
    search();
    count->setText(matches.empty() ? tr("No match") : tr("%1 of %2").arg(0).arg(matches.size()));
    note->setText(tr("Replaced %1").arg(replaced));
    markMatches();
}

} // namespace orvane
