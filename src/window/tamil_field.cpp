#include "window/tamil_field.h"

#include "document/unicode_tamil.h"
#include "window/key_codes.h"
#include "window/tamil_font.h"

#include <QKeyEvent>
#include <QPainter>

namespace orvane {

TamilField::TamilField(const CompositionTables& tables, QWidget* parent)
    : QLineEdit(parent), typing(tables, static_cast<StatusPanels&>(*this), static_cast<ChangeMarker&>(*this))
{
    setFont(unicodeTamilFont(12));
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Whatever brings text in (a paste, the context menu, a drop) leaves one line.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.contains(QChar::ParagraphSeparator) || text.contains(QChar::LineSeparator) || text.contains('\n')) {
            QString line = text;
            line.replace(QChar::ParagraphSeparator, QLatin1Char(' ')).replace(QChar::LineSeparator, QLatin1Char(' '));
            line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
            setText(line);
        }
    });
}

TamilField::~TamilField() = default;

void TamilField::setKeyboard(Keyboard keyboard)
{
    typing.setKeyboard(keyboard);
    typedEnd = -1;
}

void TamilField::setPanelText(int panel, std::string_view text)
{
    // Only the composer keeps a consonant out of the text until its vowel comes.
    if (panel != 1 || (typing.keyboard() != Keyboard::Phonetic && !text.empty()))
        return;
    const QString shown = QString::fromStdString(baminiToUnicode(text));
    if (shown != pendingText) {
        pendingText = shown;
        update();
    }
}

void TamilField::paintEvent(QPaintEvent* e)
{
    QLineEdit::paintEvent(e);
    if (pendingText.isEmpty())
        return;
    // As an input method draws its pre-edit: after the caret, underlined, not yet in the text.
    QPainter painter(this);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.setPen(palette().color(QPalette::Highlight));
    const QRect caret = cursorRect();
    painter.drawText(QRect(caret.center().x() + 1, caret.top(), width() - caret.center().x(), caret.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, pendingText);
}

void TamilField::focusOutEvent(QFocusEvent* e)
{
    // Half a syllable is not carried to another field, nor back to this one later.
    if (!typing.composer().SendingKeys)
        typing.reset();
    QLineEdit::focusOutEvent(e);
}

std::string TamilField::unicode() const { return text().toStdString(); }

void TamilField::setUnicode(std::string_view utf8) { setText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))); }

void TamilField::keyPressEvent(QKeyEvent* e)
{
    const int code = keyCodeOf(e);
    if (code == BoxOwnsKey || e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const Composer& composer = typing.composer();
    if (code == KeyEnter && !composer.SendingKeys) {
        e->accept();
        if (entered)
            entered(e->modifiers() & Qt::ShiftModifier);
        return;
    }
    if (code == KeyEsc && !composer.SendingKeys) {
        e->accept();
        typing.press(KeyEsc);  // a half-typed syllable is abandoned too
        if (escaped)
            escaped();
        return;
    }
    if (english && !e->text().isEmpty() && e->text().at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier)) {
        e->accept();
        insert(e->text());
        return;
    }
    e->accept();
    if (code == NoCode || code == Swallowed)
        return;
    const bool joined = typedEnd == cursorPosition() && !hasSelectedText();
    const KeyEffect effect = typing.press(code, joined ? std::string_view(typedCodes) : std::string_view());
    switch (effect.kind) {
    case KeyEffect::DeleteBack:
        backspace();
        typedEnd = -1;
        return;
    case KeyEffect::Insert: {
        if (joined && effect.erase > 0 && effect.erase <= typedCodes.size()) {
            // The letter typed last, rewritten: its Unicode goes.
            const std::string erased = typedCodes.substr(typedCodes.size() - effect.erase);
            const int n = int(QString::fromStdString(baminiToUnicode(erased)).size());
            setSelection(cursorPosition() - n, n);
            typedCodes.resize(typedCodes.size() - effect.erase);
        } else if (!joined) {
            typedCodes.clear();
        }
        insert(QString::fromStdString(baminiToUnicode(effect.codes)));
        typedCodes += effect.codes;
        if (typedCodes.size() > 16)
            typedCodes.erase(0, typedCodes.size() - 16);
        typedEnd = cursorPosition();
        return;
    }
    case KeyEffect::Nothing:
    case KeyEffect::LineBreak:  // one line: Enter is the owner's
        return;
    }
}

} // namespace orvane
