#pragma once
// StatusBar1: four text panels (pending consonant, last vowel, prompt, clock).

#include "platform/services.h"

#include <QFrame>
#include <QStatusBar>
#include <QTimer>

#include <array>
#include <functional>

namespace orvane {

// One panel: a sunken frame with a line of text. Its size does not depend on the text, so a
// new text repaints the panel alone; the status bar is not laid out again on every key.
class StatusPanel final : public QFrame {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);
    QString text() const { return shown; }
    void setText(const QString& text);
    // A line of news in the interface's own font, shown in place of the text until cleared.
    QString note() const { return noted; }
    void setNote(const QString& note);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString shown, noted;
};

class StatusPanelBar final : public QStatusBar, public StatusPanels {
    Q_OBJECT
public:
    explicit StatusPanelBar(QWidget* parent = nullptr);

    void setPanelText(int panel, std::string_view text) override;
    // Told of every text of panel 1, the consonant waiting for its vowel, as its codes.
    std::function<void(std::string_view codes)> consonantShown;
    StatusPanel* panel(int n) const { return panels[n - 1]; }
    // News for a few seconds in the prompt panel, where it covers no other; the next key
    // that changes the prompt ends it.
    void showNote(const QString& note);
    // A word of help on the prompt, in its tool tip (empty: none).
    void showPromptHint(const QString& hint);
    // Which typing is on, Tamil or English, in the interface's language, at the right end.
    void showTyping(const QString& typing);
    StatusPanel* typingPanel() const { return typing; }
    // Where the caret is (line and column), and whether the document has unsaved changes:
    // an empty text hides that panel.
    void showPlace(const QString& place);
    void showUnsaved(const QString& unsaved);
    StatusPanel* placePanel() const { return place; }
    StatusPanel* unsavedPanel() const { return unsaved; }

private:
    // A panel to the right of the clock, in the interface's font, as wide as its widest text.
    StatusPanel* addRightPanel(const char* name);
    static void showIn(StatusPanel* panel, const QString& text);
    std::array<StatusPanel*, 4> panels{};
    QTimer* noteTimer = nullptr;
    StatusPanel* unsaved = nullptr;
    StatusPanel* place = nullptr;
    StatusPanel* typing = nullptr;
};

} // namespace orvane
