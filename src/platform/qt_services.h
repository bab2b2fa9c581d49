#pragma once
// The desktop services of the core, realised with Qt.

#include "platform/services.h"
#include "platform/work_queue.h"

#include <QObject>

#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace orvane {

// "Description|pattern|..." as Qt name filters. The description is kept as it is shown;
// "*.*" (every file, where it comes from) becomes "*".
QStringList qtNameFilters(std::string_view filter);

class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent) : parent(parent) {}
    void ShowSave() override;
    void ShowOpen() override;

    // Where the dialog opens when the name offered has no folder: the last one chosen.
    QString folder;

private:
    void show(bool saving);
    QPointer<QWidget> parent;
};

class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent) : parent(parent) {}
    Answer ask(const Message& message, Buttons buttons) override;
    void warn(const Message& message) override;
    void inform(const Message& message) override;

private:
    QPointer<QWidget> parent;
};

class QtProcess final : public Process {
public:
    void endProgram() override;
};

// Work posted to the thread this was made on, through its event queue. Work still waiting
// when this goes is dropped with it.
class QtLater final : public Later {
public:
    void post(std::function<void()> work) override;

private:
    QObject context;
};

} // namespace orvane
