#pragma once
// The two About windows: small, fixed, non-modal, without owner. Each is one copy that
// OK hides and the close box unloads (destroys); the next Show loads it again.

#include <QIcon>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QFrame;

namespace orvane {

inline constexpr const char* ProjectHome = "https://orvane.example.org";

class FrmProg final : public QWidget {
    Q_OBJECT
public:
    // focusMain gives the main window the focus.
    FrmProg(const QIcon& icon, std::function<void()> focusMain);

    QFrame* Frame1;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QPushButton* cmdOK;

private:
    void Form_Load();
    void cmdOK_Click();
    std::function<void()> focusMain;
};

class FrmMe final : public QWidget {
    Q_OBJECT
public:
    FrmMe(const QIcon& icon, std::function<void()> focusMain);

    QFrame* Frame1;
    QLabel *Label1, *Label2;
    QPushButton* Command1;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Command1_Click();
    std::function<void()> focusMain;
};

} // namespace orvane
