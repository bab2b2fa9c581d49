#pragma once
// SIGTERM, SIGHUP and SIGINT, taken on the event loop instead of ending the process where it
// stands, so that unsaved work can be kept first. When the event loop does not take one
// within a second (the window is busy), the program ends all the same.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace orvane {

class EndSignals final : public QObject {
public:
    // onSignal gets the signal's number, on the thread of the event loop.
    explicit EndSignals(std::function<void(int)> onSignal, QObject* parent = nullptr);
    ~EndSignals() override;

private:
    std::function<void(int)> onSignal;
    QSocketNotifier* notifier = nullptr;
};

// Ends the process at once, wherever it stands (in a dialog's event loop too): no handler
// runs again, nothing more is asked. Temporary files of saves are removed first.
[[noreturn]] void endNow(int status);

} // namespace orvane
