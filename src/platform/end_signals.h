#pragma once
// SIGTERM, SIGHUP and SIGINT, taken on the event loop instead of ending the process where it
// stands, so that unsaved work can be kept first.

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

} // namespace orvane
