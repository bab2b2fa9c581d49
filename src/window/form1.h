#pragma once

#include <array>
// Form1: the main window around the editor, with its menus, toolbar, status bar and clock.
// It turns the events of its controls into calls of the editor and acts on what the
// document flows decide.

#include "about/about_windows.h"
#include "platform/file_service.h"
#include "platform/recovery_store.h"
#include "platform/services.h"
#include "window/editor.h"
#include "window/icons.h"
#include "window/recent_documents.h"
#include "window/remembered.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QComboBox;
class QAction;
class QPagedPaintDevice;
class QProgressDialog;
class QTimer;
class QToolBar;
class QMenu;
class QVBoxLayout;

namespace orvane {

class TextBox;
struct PageSetup;
class StatusPanelBar;
class FindBar;
class KeyboardMap;
struct PrintModule;
struct PrintRequest;

// The edges tests replace; null members get the real ones.
struct Form1Services {
    FileDialog* cmdlg = nullptr;
    MessageBox* messages = nullptr;
    Process* process = nullptr;
    TimeSource* clock = nullptr;
    FileService* files = nullptr;
    RecoveryStore* recovery = nullptr;
};

// The services Form1 uses, the given ones or its own; a base, so that they exist before the
// editor that is handed them.
class Form1Edges {
protected:
    explicit Form1Edges(Form1Services given, QWidget* window);
    ~Form1Edges();

    std::unique_ptr<FileDialog> ownDialog;
    std::unique_ptr<MessageBox> ownMessages;
    std::unique_ptr<Process> ownProcess;
    std::unique_ptr<TimeSource> ownClock;
    std::unique_ptr<FileService> ownFiles;
    std::unique_ptr<RecoveryStore> ownRecovery;
    Form1Services services;
};

class Form1 final : public QMainWindow, private Form1Edges {
    Q_OBJECT
public:
    explicit Form1(Form1Services services = {});
    ~Form1() override;

    // Start-up, before the window is first shown. commandLine is the process's
    // command-line text: one path in double quotes, or empty.
    void Form_Load(const std::string& commandLine);

    // The controls, as the rest of the program and the tests reach them.
    StatusPanelBar* const StatusBar1;

private:
    Editor editor_;

public:
    TextBox* const Text1;
    QToolBar* Toolbar1 = nullptr;
    QTimer* Timer1 = nullptr;
    ImageList imlToolbarIcons;

    Editor& editor() { return editor_; }
    Document& document() { return editor_.document(); }
    FindBar* findBar();
    // A command by its name (menNew, menCopy, menZoomIn ...): one action each, shared by the
    // menu, the toolbar and the keys.
    QAction* command(const char* name) const;
    QMenu* menu(const char* name) const;
    FrmProg* aboutProgram() const { return frmProg; }
    KeyboardMap* keyboardMap() const { return keyboard; }
    FrmMe* aboutProgrammer() const { return frmMe; }

    // The desktop session ends: asks about unsaved changes when it may (false: the user
    // wants to stay), and keeps them in the recovery file when it may not.
    bool sessionEnding(bool mayAsk);
    // A signal ends the program: unsaved work goes to the recovery file first, and what is
    // kept for the next run is written.
    void keepUnsavedWork();

public slots:
    void Timer1_Timer();
    void Toolbar1_ButtonClick(QAction* Button);

    void menNew_Click();
    void menOpen_Click();
    void menSave_Click();
    void menSA_Click();
    void menEnd_Click();
    void menCopy_Click();
    void menCut_Click();
    void menPaste_Click();
    void menExport_Click();
    void menCopyUnicode_Click();
    void menProgram_Click();
    void menProgrammer_Click();
    void menKeyboard_Click();
    void menGoTo_Click();
    void menWordCount_Click();
    void menExportPdf_Click();
    void menConvert_Click();
    void menPrint_Click();
    void menPrintPreview_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // form1_layout.cpp
    void buildMenus();
    void buildToolbar();
    // A choice of typing: a keyboard, or English.
    struct TypingChoice {
        const char* command;  // its item in Edit > Typing
        const char* caption;
        const char* panel;  // what the status bar's last panel shows
        Keyboard keyboard;
        bool english;
    };
    static const std::array<TypingChoice, 4>& typingChoices();
    void choose(const TypingChoice& choice);
    void showTypingChoice();
    QComboBox* keyboardChoice = nullptr;
    // The status bar's line and column of the caret, a moment after it last moved, and the
    // document's unsaved changes.
    void showPlace();
    QTimer* placeShown = nullptr;
    Notice::Subscription unsavedShown;
    void placeAtDesignSize();
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption, QList<QKeySequence> keys,
                        std::function<void()> run);

    // What is kept for the next run.
    void restoreRemembered();
    void rememberWindow();

    // form1_commands.cpp
    void focusMainWindow();
    template <typename Window>
    void showAbout(QPointer<Window>& window);

    void Form_Unload(int& Cancel);

    // form1_print.cpp: the print module, or nullptr after saying why there is none.
    const PrintModule* printing();
    void printOn(const PrintModule& print, QPagedPaintDevice& device, QProgressDialog* progress);
    PrintRequest printRequest(const PrintModule& print);
    void writePdfTo(const PrintModule& print, const std::string& path, const PageSetup& setup);

    bool restoreOffered = false;
    Remembered remembered;
    RecentDocuments* recent = nullptr;
    FindBar* find = nullptr;
    QVBoxLayout* textColumn = nullptr;
    QMenu *menFile = nullptr, *menEdit = nullptr, *menAbout = nullptr;
    QPointer<FrmProg> frmProg;
    KeyboardMap* keyboard = nullptr;
    QPointer<FrmMe> frmMe;
};

} // namespace orvane
