#pragma once
// Form1: the main window. It owns the composition tables, the composer and the document
// state, and turns the events of its controls into calls of that core.

#include "document/document_flows.h"
#include "phonetic/composer.h"
#include "phonetic/tables.h"
#include "platform/file_service.h"
#include "platform/services.h"
#include "about/about_windows.h"
#include "window/icons.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QTimer;
class QToolBar;
class QMenu;

namespace orvane {

class TextBox;
class StatusPanelBar;

// The edges tests replace; null members get the real ones.
struct Form1Services {
    FileDialog* cmdlg = nullptr;
    MessageBox* messages = nullptr;
    Process* process = nullptr;
    TimeSource* clock = nullptr;
    FileService* files = nullptr;
};

class Form1 final : public QMainWindow, private DocumentView {
    Q_OBJECT
public:
    explicit Form1(Form1Services services = {});
    ~Form1() override;

    // Start-up, before the window is first shown. commandLine is the process's
    // command-line text: one path in double quotes, or empty.
    void Form_Load(const std::string& commandLine);

    // The controls and the state, as the rest of the program and the tests reach them.
    TextBox* Text1 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    StatusPanelBar* StatusBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    ImageList imlToolbarIcons;
    CompositionTables tables;
    const Composer& composer() const { return *composer_; }
    DocumentFlows& document() { return *documents; }

    QAction *menNew, *menOpen, *menSave, *menSA, *menExport, *menEnd;
    QAction *menCopy, *menCut, *menPaste, *menCopyUnicode;
    QAction *menProgram, *menProgrammer;
    QMenu *menFile, *menEdit, *menAbout;

    FrmProg* aboutProgram() const { return frmProg; }
    FrmMe* aboutProgrammer() const { return frmMe; }

    // The font size of Text1 in 1/10000 point, as the font-size commands step it.
    qint64 fontSizeTenThousandths() const;
    static constexpr qint64 LargestFontSize = 400 * 10000;
    static constexpr qint64 SmallestSteppedFontSize = 5 * 10000;

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

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // form1_layout.cpp
    void buildMenus();
    void buildToolbar();
    void placeAtDesignSize();

    // form1_commands.cpp
    void CopyCommand();
    void CutCommand();
    void PasteCommand();
    void FontBigger();
    void FontSmaller();
    void setFontSize(qint64 tenThousandths);
    void focusMainWindow();
    template <typename Window>
    void showAbout(QPointer<Window>& window);

    int Text1_KeyPress(int KeyAscii);
    void Form_Unload(int& Cancel);

    // DocumentView
    std::string documentText() override;
    void setDocumentText(std::string_view bytes) override;
    void setCaption(std::string_view caption) override;
    void focusText() override;

    std::unique_ptr<FileDialog> ownDialog;
    std::unique_ptr<MessageBox> ownMessages;
    std::unique_ptr<Process> ownProcess;
    std::unique_ptr<TimeSource> ownClock;
    std::unique_ptr<FileService> ownFiles;
    FileDialog* cmdlg;
    TimeSource* clock;

    std::unique_ptr<KeystrokeInjector> injector;
    std::unique_ptr<DocumentFlows> documents;
    std::unique_ptr<Composer> composer_;
    bool quietEdits = false;  // text replaced by the program, not edited by the user

    QPointer<FrmProg> frmProg;
    QPointer<FrmMe> frmMe;
};

} // namespace orvane
