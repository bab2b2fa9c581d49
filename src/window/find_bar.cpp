#include "window/find_bar.h"

#include "document/unicode_tamil.h"
#include "document/other_text.h"
#include "document/places.h"
#include "platform/utf8.h"
#include "window/tamil_field.h"
#include "window/text_box.h"

#include <cstring>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QProgressDialog>
#include <QToolButton>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace orvane {

FindBar::FindBar(TextBox& text, const CompositionTables& tables, QWidget* parent)
    : QWidget(parent), findField(new TamilField(tables, this)),
      replaceField(new TamilField(tables, this)), count(new QLabel(this)), note(new QLabel(this)),
      matchCase(new QToolButton(this)), wholeWords(new QToolButton(this)), text(text)
{
    setObjectName("FindBar");
    findField->setObjectName("FindField");
    replaceField->setObjectName("ReplaceField");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto button = [this](const QString& caption, const char* name, void (FindBar::*act)(), bool tabbed = false) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setFocusPolicy(tabbed ? Qt::StrongFocus : Qt::NoFocus);
        b->setAutoDefault(tabbed);  // Enter on it presses it
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
    // The options, as small as the editors' own: Aa and "ab", their words in the tool tip.
    const auto option = [this, layout](QToolButton* b, const char* name, const QString& shown, const QString& words,
                                       int column) {
        b->setObjectName(name);
        b->setText(shown);
        b->setToolTip(words);
        b->setAccessibleName(words);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::toggled, this, [this] {
            stale = true;
            typingPause.start();
            findField->setFocus();
        });
        layout->addWidget(b, 0, column);
    };
    option(matchCase, "MatchCase", QStringLiteral("Aa"), tr("Match case"), 5);
    option(wholeWords, "WholeWords", QStringLiteral("\u201Cab\u201D"), tr("Whole words"), 6);
    auto* closer = button(tr("Close"), "FindClose", &FindBar::close);
    layout->addWidget(closer, 0, 7);
    // What the last step did, below the count, in either bar.
    layout->addWidget(note, 1, 4, 1, 4);
    auto* replaceLabel = new QLabel(tr("Replace with:"), this);
    replaceLabel->setBuddy(replaceField);
    // Tab goes from the field to Replace and Replace All, which Alt with their marked
    // letters presses too (A is the About menu's).
    QPushButton* one = button(tr("&Replace"), "ReplaceOne", &FindBar::replaceOne, true);
    QPushButton* all = button(tr("Replace A&ll"), "ReplaceAll", &FindBar::replaceAll, true);
    replaceRow = {replaceLabel, replaceField, one, all};
    setTabOrder(findField, replaceField);
    setTabOrder(replaceField, one);
    setTabOrder(one, all);
    for (int column = 0; column < int(replaceRow.size()); ++column)
        layout->addWidget(replaceRow[std::size_t(column)], 1, column);
    layout->setColumnStretch(1, 1);
    // Room for a word in each field, whatever the bar's language.
    for (TamilField* field : {findField, replaceField})
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("வணக்கம்")) + 12);
    // The count and the news as wide as their longest words from the start: what they say
    // never takes the fields' room.
    const QFontMetrics metrics = count->fontMetrics();
    count->setFixedWidth(std::max({metrics.horizontalAdvance(tr("%1 of %2").arg(9999).arg(9999)),
                                   metrics.horizontalAdvance(tr("No match"))}) + 4);
    note->setMinimumWidth(std::max({metrics.horizontalAdvance(tr("Went on from the top")),
                                    metrics.horizontalAdvance(tr("Went on from the end")),
                                    metrics.horizontalAdvance(tr("Replaced %1").arg(88888))}) + 4);

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
            stale = bytesStale = true;
    });
    connect(text.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { markMatches(); });
    hide();
}

void FindBar::show(bool replacing)
{
    for (QWidget* w : replaceRow)
        w->setVisible(replacing);
    note->show();
    QWidget::show();
    findField->setFocus();
    findField->selectAll();
    // The marks of every match come back with the bar.
    if (!findField->text().isEmpty()) {
        if (stale)
            search();
        markMatches();
    }
}

void FindBar::showFind() { show(false); }

void FindBar::setKeyboard(Keyboard keyboard)
{
    findField->setKeyboard(keyboard);
    replaceField->setKeyboard(keyboard);
}

void FindBar::setEnglish(bool english)
{
    findField->setEnglish(english);
    replaceField->setEnglish(english);
}

void FindBar::showReplace() { show(true); }

void FindBar::close()
{
    bytes = {};
    bytesStale = true;
    hide();
    text.setExtraSelections({});
    text.setFocus();
}

void FindBar::search()
{
    matches.clear();
    stale = false;
    const std::string query = findField->unicode();
    if (query.empty())
        return;
    // The document's bytes, as the storage holds them, for all the searches until it changes.
    if (bytesStale || text.storage().generation() != bytesGeneration) {
        bytes = text.documentView();
        bytesGeneration = text.storage().generation();
        bytesStale = false;
    }
    PlaceCounter positions(bytes);
    for (TextRange& r : findAll(bytes, query, {matchCase->isChecked(), wholeWords->isChecked()})) {
        const int begin = int(positions.of(r.begin));
        matches.push_back({begin, int(positions.of(r.end)), std::move(r)});
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

// The bytes that replace a match, or nothing when the replacement may not go in (English,
// in a .tam document the user keeps as it is).
std::optional<std::string> FindBar::replacementFor(const Match& match)
{
    std::string bytes = replacedBytes(match.range, replaceField->unicode());
    return admit ? admit(std::move(bytes)) : std::optional<std::string>(std::move(bytes));
}

void FindBar::replaceOne()
{
    if (stale)
        search();
    const QTextCursor cursor = text.textCursor();
    const auto on = std::find_if(matches.begin(), matches.end(), [&](const Match& m) {
        return m.begin == cursor.selectionStart() && m.end == cursor.selectionEnd();
    });
    if (on != matches.end())
        if (const std::optional<std::string> bytes = replacementFor(*on))
            text.replaceSelection(*bytes);
    findNext();
}

void FindBar::replaceAll()
{
    search();
    if (matches.empty()) {
        select(0, QString());
        return;
    }
    std::vector<std::string> replacements;
    for (const Match& m : matches) {
        std::optional<std::string> bytes = replacementFor(m);
        if (!bytes)
            return;
        replacements.push_back(std::move(*bytes));
    }
    // From the last match back, in stretches, each an edit block joined to the one before it
    // (so that Undo takes them all back at once). One that takes longer than 0.3 s shows how
    // far it got: the window is painted between stretches, while what the user types waits
    // in the queue for the end. The matches are this call's own: nothing that runs meanwhile
    // may change them.
    const std::vector<Match> todo = std::move(matches);
    matches.clear();
    stale = true;
    QProgressDialog progress(tr("Replacing..."), QString(), 0, int(todo.size()), window());
    progress.setWindowModality(Qt::NonModal);
    progress.setAttribute(Qt::WA_ShowWithoutActivating);  // the window stays the active one
    progress.setMinimumDuration(0);
    progress.reset();  // hidden until it is shown below
    QElapsedTimer clock;
    clock.start();
    // In Tamil codes alone the storage takes each replacement at the match's own bytes;
    // with other text about, what the box made of the stretch is read back.
    const bool codesAlone = bytes.find(OtherBegins) == std::string_view::npos
                            && std::none_of(replacements.begin(), replacements.end(),
                                            [](const std::string& r) { return r.find(OtherBegins) != std::string::npos; });
    QTextCursor cursor(text.document());
    constexpr std::size_t Stretch = 4096;
    for (std::size_t k = todo.size(); k > 0;) {
        const std::size_t last = k;
        const auto inTheBox = [&] {
            if (k == todo.size())
                cursor.beginEditBlock();
            else
                cursor.joinPreviousEditBlock();
            for (std::size_t n = 0; n < Stretch && k > 0; ++n) {
                --k;
                cursor.setPosition(todo[k].begin);
                cursor.setPosition(todo[k].end, QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                TextBox::insertBytes(cursor, replacements[k]);
            }
            cursor.endEditBlock();
        };
        if (codesAlone)
            text.editTogether(inTheBox, [&](TextStorage& storage) {
                for (std::size_t j = last; j > k; --j) {
                    const TextRange& r = todo[j - 1].range;
                    storage.replace(r.begin, r.end - r.begin, replacements[j - 1]);
                }
            });
        else
            inTheBox();
        if (k > 0 && clock.elapsed() >= 300) {
            progress.setValue(int(todo.size() - k));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
    progress.reset();
    const std::size_t replaced = todo.size();
    search();
    count->setText(matches.empty() ? tr("No match") : tr("%1 of %2").arg(0).arg(matches.size()));
    note->setText(tr("Replaced %1").arg(replaced));
    markMatches();
}

} // namespace orvane
