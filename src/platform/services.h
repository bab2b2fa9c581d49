#pragma once
// The services the core calls. The window realises them with Qt; tests and the
// headless modes hand in their own.

#include <string_view>

namespace orvane {

// Types a key string into the focused text box as if typed, and returns only when
// every key has gone through the box's key-press handler and been inserted.
// Notation: "+", "^" and "%" are Shift, Ctrl and Alt for the next key; braces quote
// one character ("{+}" is a plus sign). A modifier with no key after it types nothing.
class KeystrokeInjector {
public:
    virtual ~KeystrokeInjector() = default;
    virtual void sendKeys(std::string_view keys) = 0;
};

// The four text panels of the status bar, numbered 1 to 4 from the left.
class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    virtual void setPanelText(int panel, std::string_view text) = 0;
};

// Raises the document's unsaved-changes flag.
class ChangeMarker {
public:
    virtual ~ChangeMarker() = default;
    virtual void markDocumentChanged() = 0;
};

} // namespace orvane
