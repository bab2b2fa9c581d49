#pragma once
// Text1: the editing box. Every character key, Backspace, Enter and Esc goes through the
// key-press handler first, as its 8-bit code; the handler passes, replaces or swallows it.

#include <QKeySequence>
#include <QList>
#include <QPlainTextEdit>

#include <functional>

namespace orvane {

class TextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Takes a key code, returns the code to insert or act on, 0 for nothing.
    std::function<int(int)> keyPressHandler;

    // Key sequences of the menus, which win over the box's own use of the same keys.
    void setMenuShortcuts(QList<QKeySequence> shortcuts);

    // Text from outside (clipboard, drop) as it enters the document: Unicode Tamil becomes
    // Bamini codes; characters the 8-bit document cannot hold become "?".
    static QString fitPasted(const QString& text);

    // The document's bytes, CR LF between lines.
    std::string documentBytes() const;
    void setDocumentBytes(std::string_view bytes);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The key's code for the handler: -1 when the key is not for the handler at all,
    // -2 when it is a character the 8-bit set cannot hold.
    static int filterCode(const QKeyEvent* e);
    void insertCode(int code);

    QList<QKeySequence> menuShortcuts;
    int keyDepth = 0;  // > 0 while a key press (and what it injects) is being handled
};

} // namespace orvane
