#include "window/status_panels.h"

#include <algorithm>

#include "document/unicode_tamil.h"
#include "phonetic/composer.h"
#include "platform/text_codec.h"
#include "platform/geometry.h"
#include "window/tamil_font.h"

#include <QApplication>
#include <QPainter>

namespace orvane {

StatusPanel::StatusPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void StatusPanel::setText(const QString& text)
{
    if (text == shown)
        return;
    shown = text;
    update(contentsRect());
}

void StatusPanel::setNote(const QString& note)
{
    if (note == noted)
        return;
    noted = note;
    update(contentsRect());
}

QSize StatusPanel::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return {frame + 4, fontMetrics().height() + frame + 2};
}

QSize StatusPanel::minimumSizeHint() const { return sizeHint(); }

void StatusPanel::paintEvent(QPaintEvent* e)
{
    QFrame::paintEvent(e);
    QPainter painter(this);
    const QRect room = contentsRect().adjusted(2, 0, -2, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    if (!noted.isEmpty())
        painter.setFont(QApplication::font(this));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(noted.isEmpty() ? shown : noted, Qt::ElideRight, room.width()));
}

StatusPanelBar::StatusPanelBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName("StatusBar1");
    setSizeGripEnabled(true);
    const QFont font = tamilFont(12);
    // Width and minimum width in twips at the design width; panel 3 takes what is left.
    struct Design {
        int width, minimum, stretch;
    };
    const Design design[4] = {{500, 500, 0}, {500, 500, 0}, {7980, 1440, 1}, {1800, 1800, 0}};
    for (int i = 0; i < 4; ++i) {
        auto* label = new StatusPanel(this);
        label->setObjectName(QString("Panel%1").arg(i + 1));
        label->setFont(font);
        label->setMinimumWidth(twipsToPixels(design[i].minimum, this));
        if (design[i].stretch == 0)
            label->setFixedWidth(twipsToPixels(design[i].width, this));
        else  // the prompt is never cut, however many panels stand beside it
            label->setMinimumWidth(std::max(label->minimumWidth(),
                                            std::max(QFontMetrics(font).horizontalAdvance(codec::toBoxText(ConsonantPrompt)),
                                                     QFontMetrics(font).horizontalAdvance(codec::toBoxText(VowelPrompt)))
                                                + 2 * label->frameWidth() + 8));
        addWidget(label, design[i].stretch);
        panels[std::size_t(i)] = label;
    }
    unsaved = addRightPanel("UnsavedPanel");
    place = addRightPanel("PlacePanel");
    typing = addRightPanel("TypingPanel");
    typing->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("English")) + 16);
    noteTimer = new QTimer(this);
    noteTimer->setSingleShot(true);
    noteTimer->setInterval(8000);
    connect(noteTimer, &QTimer::timeout, this, [this] { panels[2]->setNote({}); });
}

StatusPanel* StatusPanelBar::addRightPanel(const char* name)
{
    auto* panel = new StatusPanel(this);
    panel->setObjectName(name);
    addPermanentWidget(panel);
    return panel;
}

// In the interface's font and never cut: the panel only ever widens, so that the bar is
// not laid out again as the caret moves.
void StatusPanelBar::showIn(StatusPanel* panel, const QString& text)
{
    panel->setNote(text);
    panel->setMinimumWidth(std::max(panel->minimumWidth(), panel->fontMetrics().horizontalAdvance(text) + 16));
    panel->setAccessibleName(text);
}

void StatusPanelBar::showTyping(const QString& text) { showIn(typing, text); }

void StatusPanelBar::showPlace(const QString& text) { showIn(place, text); }

// Empty once saved, never hidden: the panels beside it keep their places.
void StatusPanelBar::showUnsaved(const QString& text) { showIn(unsaved, text); }

void StatusPanelBar::showPromptHint(const QString& hint)
{
    panels[2]->setToolTip(hint);
    panels[2]->setAccessibleDescription(hint);
}

void StatusPanelBar::showNote(const QString& note)
{
    panels[2]->setNote(note);
    panels[2]->setToolTip(note);
    noteTimer->start();
}

void StatusPanelBar::setPanelText(int panel, std::string_view text)
{
    if (panel < 1 || panel > 4)
        return;
    if (panel == 1 && consonantShown)
        consonantShown(text);
    StatusPanel* label = panels[std::size_t(panel - 1)];
    if (panel == 3)
        label->setNote({});  // the prompt matters more while typing
    const QString shown = codec::toBoxText(text);
    if (shown == label->text())
        return;
    label->setText(shown);
    // What a screen reader says: the Tamil the codes draw.
    label->setAccessibleName(QString::fromStdString(baminiToUnicode(text)));
}

} // namespace orvane
