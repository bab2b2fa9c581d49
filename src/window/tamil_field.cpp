#include "window/tamil_field.h"

#include "document/unicode_tamil.h"
#include "platform/text_codec.h"
#include "window/key_codes.h"
#include "window/tamil_font.h"
#include "window/text_box.h"

#include <QKeyEvent>

namespace orvane {

TamilField::TamilField(const CompositionTables& tables, StatusPanels& panels, QWidget* parent)
    : QLineEdit(parent), typing(tables, panels, static_cast<ChangeMarker&>(*this))
{
    setFont(tamilFont(12));
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Whatever brings text in (a paste, the context menu, a drop) leaves only codes.
    connect(this, &QLineEdit::textChanged, this, [this] {
        fitText();
        setAccessibleDescription(QString::fromStdString(baminiToUnicode(bytes())));  // as Tamil, for a screen reader
    });
}

TamilField::~TamilField() = default;

std::string TamilField::bytes() const { return codec::fromBoxText(text()); }

void TamilField::setBytes(std::string_view bytes) { setText(codec::toBoxText(bytes)); }

void TamilField::fitText()
{
    const QString current = text();
    bool fits = true;
    for (const QChar ch : current)
        fits = fits && codec::byteOf(ch) && ch != QChar::ParagraphSeparator && ch != QChar::LineSeparator;
    if (fits || fitting)
        return;
    fitting = true;
    QString fitted = fitPasted(current);
    fitted.replace(QChar::ParagraphSeparator, QLatin1Char(' ')).replace(QChar::LineSeparator, QLatin1Char(' '));
    setText(fitted);
    fitting = false;
}

void TamilField::keyPressEvent(QKeyEvent* e)
{
    const int code = keyCodeOf(e);
    if (code == BoxOwnsKey) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    e->accept();
    if (code == NoCode || code == Swallowed)
        return;
    const Composer& composer = typing.composer();
    if (code == KeyEnter && !composer.SendingKeys) {
        if (entered)
            entered(e->modifiers() & Qt::ShiftModifier);
        return;
    }
    if (code == KeyEsc && !composer.SendingKeys) {
        typing.press(KeyEsc);  // a half-typed syllable is abandoned too
        if (escaped)
            escaped();
        return;
    }
    const KeyEffect effect = typing.press(code);
    switch (effect.kind) {
    case KeyEffect::DeleteBack:
        backspace();
        return;
    case KeyEffect::Insert:
        insert(codec::toBoxText(effect.codes));
        return;
    case KeyEffect::Nothing:
    case KeyEffect::LineBreak:  // one line: Enter is the owner's
        return;
    }
}

} // namespace orvane
