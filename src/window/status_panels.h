#pragma once
// StatusBar1: four text panels (pending consonant, last vowel, prompt, clock).

#include "platform/services.h"

#include <QFrame>
#include <QStatusBar>

#include <array>

namespace orvane {

// One panel: a sunken frame with a line of text. Its size does not depend on the text, so a
// new text repaints the panel alone; the status bar is not laid out again on every key.
class StatusPanel final : public QFrame {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);
    QString text() const { return shown; }
    void setText(const QString& text);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString shown;
};

class StatusPanelBar final : public QStatusBar, public StatusPanels {
    Q_OBJECT
public:
    explicit StatusPanelBar(QWidget* parent = nullptr);

    void setPanelText(int panel, std::string_view text) override;
    StatusPanel* panel(int n) const { return panels[n - 1]; }

private:
    std::array<StatusPanel*, 4> panels{};
};

} // namespace orvane
