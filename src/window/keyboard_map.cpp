#include "window/keyboard_map.h"

#include "document/unicode_tamil.h"
#include "phonetic/typing.h"
#include "platform/text_codec.h"
#include "window/tamil_font.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStylePainter>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {

namespace {
// A key: its Latin character small in a corner, and the Tamil it gives large in the middle.
class KeyCap final : public QToolButton {
public:
    explicit KeyCap(QWidget* parent) : QToolButton(parent)
    {
        setMinimumSize(44, 44);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setFocusPolicy(Qt::NoFocus);
    }

    QString latin;  // the key's own character
    QString codes;  // what it gives, as Bamini codes

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawComplexControl(QStyle::CC_ToolButton, option);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        QFont small = font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        painter.setFont(small);
        painter.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop, latin);
        painter.setFont(tamilFont(14));
        painter.drawText(rect().adjusted(2, 8, -2, 0), Qt::AlignCenter, codes);
    }
};

QString boxText(std::string_view codes) { return codec::toBoxText(codes); }

constexpr const char* NormalRows[] = {"`1234567890-=", "qwertyuiop[]\\", "asdfghjkl;'", "zxcvbnm,./"};
constexpr const char* ShiftedRows[] = {"~!@#$%^&*()_+", "QWERTYUIOP{}|", "ASDFGHJKL:\"", "ZXCVBNM<>?"};
} // namespace

KeyboardMap::KeyboardMap(const Typing& typing, std::function<void(QChar)> typeKey, std::function<bool()> english)
    : QWidget(nullptr, Qt::Window), typing(typing), typeKey(std::move(typeKey)), english(std::move(english))
{
    setObjectName("KeyboardMap");
    setWindowTitle(tr("Keyboard"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* column = new QVBoxLayout(this);
    state = new QLabel(this);
    state->setObjectName("KeyboardState");
    column->addWidget(state);
    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    column->addLayout(grid, 1);
    for (int row = 0; row < 4; ++row) {
        const QString normal = QString::fromLatin1(NormalRows[row]), shifted = QString::fromLatin1(ShiftedRows[row]);
        for (int k = 0; k < normal.size(); ++k) {
            auto* cap = new KeyCap(this);
            grid->addWidget(cap, row, row + k * 2, 1, 2);  // the rows stand staggered, like a keyboard's
            keys.push_back({normal[k], shifted[k], cap});
            connect(cap, &QToolButton::clicked, this, [this, k = keys.size() - 1] {
                this->typeKey(shift->isChecked() ? keys[k].shifted : keys[k].normal);
                refresh();
            });
        }
    }
    shift = new QToolButton(this);
    shift->setObjectName("KeyboardShift");
    shift->setText(tr("Shift"));
    shift->setCheckable(true);
    shift->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    shift->setFocusPolicy(Qt::NoFocus);
    connect(shift, &QToolButton::toggled, this, [this] { refresh(); });
    grid->addWidget(shift, 4, 0, 1, 6);
    auto* space = new KeyCap(this);
    space->latin = tr("space");
    grid->addWidget(space, 4, 6, 1, 14);
    keys.push_back({QLatin1Char(' '), QLatin1Char(' '), space});
    connect(space, &QToolButton::clicked, this, [this] {
        this->typeKey(QLatin1Char(' '));
        refresh();
    });
    resize(760, 300);
    refresh();
}

QString KeyboardMap::shows(QChar key, bool& active) const
{
    std::string pending;
    const int code = static_cast<unsigned char>(key.toLatin1());
    const std::string before = codesBefore && typing.keyboard() == Keyboard::Tamil99 ? codesBefore() : std::string();
    const KeyEffect effect = typing.wouldDo(code, &pending, before);
    if (typing.keyboard() != Keyboard::Phonetic) {
        // The letter the key types now; அ after a consonant types none but ends its joining.
        const std::string codes = effect.kind == KeyEffect::Insert ? effect.codes : typing.tamil99().keyLetter(code);
        active = effect.kind != KeyEffect::Nothing || !codes.empty();
        return boxText(codes);
    }
    active = effect.kind == KeyEffect::Insert || !typing.composer().WaitingForVowel;
    if (effect.kind == KeyEffect::Insert)
        return boxText(effect.codes);  // a syllable, or the key's own code
    return active ? boxText(pending) : QString();  // the consonant the key would pick
}

void KeyboardMap::refresh()
{
    const bool shifted = shift->isChecked();
    for (const Key& key : keys) {
        auto* cap = static_cast<KeyCap*>(key.button);
        const QChar c = shifted ? key.shifted : key.normal;
        bool active = true;
        cap->codes = english && english() ? QString() : shows(c, active);
        if (c != QLatin1Char(' '))
            cap->latin = c;
        cap->setEnabled(active);
        cap->setToolTip(QString::fromStdString(baminiToUnicode(codec::fromBoxText(cap->codes))));
        cap->setAccessibleName(c + QLatin1String(": ") + cap->toolTip());
        cap->update();
    }
    const Composer& composer = typing.composer();
    const std::string before = codesBefore ? codesBefore() : std::string();
    const std::string joining = typing.tamil99().joining(before);
    if (english && english()) {
        state->setText(tr("English: every key types its own letter. F12 turns Tamil typing on again."));
    } else if (typing.keyboard() == Keyboard::Typewriter) {
        state->setText(tr("Bamini typewriter: every key types the letter the Bamini font draws for it."));
    } else if (typing.keyboard() == Keyboard::Tamil99 && !joining.empty()) {
        state->setText(tr("Tamil99: a vowel key now joins %1; f gives its pulli; the same consonant again, "
                          "or its hard pair, puts the pulli on it.")
                           .arg(QString::fromStdString(baminiToUnicode(joining))));
    } else if (typing.keyboard() == Keyboard::Tamil99) {
        state->setText(tr("Tamil99: a consonant key, then a vowel key, makes the syllable; f is the pulli, "
                          "Shift with F ஃ, with Q W E R T Y the Grantha letters."));
    } else if (composer.WaitingForVowel) {
        const std::string pending = composer.ConsonantIndex > 0
                                        ? typing.tables().SyllableTable[std::size_t(composer.ConsonantIndex)][CompositionTables::PulliColumn]
                                        : std::string();
        state->setText(pending.empty() ? tr("Nothing is typed yet: a vowel key now gives the vowel on its own "
                                            "(a, then a again: அ).")
                                       : tr("Now a vowel key, to go with %1:")
                                             .arg(QString::fromStdString(baminiToUnicode(pending))));
    } else {
        state->setText(tr("Type a consonant key, then a vowel key. A key that is no consonant, then a vowel "
                          "key, gives a vowel letter."));
    }
}

void KeyboardMap::follow(QWidget* typedInto) { typedInto->installEventFilter(this); }

bool KeyboardMap::eventFilter(QObject*, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && isVisible())
        QMetaObject::invokeMethod(this, &KeyboardMap::refresh, Qt::QueuedConnection);  // once the key is handled
    return false;
}

QToolButton* KeyboardMap::cap(QChar key) const
{
    for (const Key& k : keys)
        if (k.normal == key || k.shifted == key)
            return k.button;
    return nullptr;
}

void KeyboardMap::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

} // namespace orvane
