#pragma once
// StatusBar1: four text panels (pending consonant, last vowel, prompt, clock).

#include "platform/services.h"

#include <QLabel>
#include <QStatusBar>

#include <array>

namespace orvane {

class StatusPanelBar final : public QStatusBar, public StatusPanels {
    Q_OBJECT
public:
    explicit StatusPanelBar(QWidget* parent = nullptr);

    void setPanelText(int panel, std::string_view text) override;
    QLabel* panel(int n) const { return panels[n - 1]; }

private:
    std::array<QLabel*, 4> panels{};
};

} // namespace orvane
