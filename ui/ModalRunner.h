#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QPoint>
#include <QString>

class QAction;
class QDialog;
class QIcon;
class QMenu;
class QWidget;

// What a file dialog offers: a Qt name filter ("PZD Files (*.pzd);;All Files (*)"),
// the suffix added to a name typed without one, and the name first shown.
struct FileDialogRequest {
    QString filter;
    QString defaultSuffix;
    QString initialName;
};

// Every modal interaction the windows start goes through here: message boxes,
// questions, file dialogs, the colour chooser, modal dialogs, popup menus and node drags. The
// program shows the real ones (QtModalRunner); tests answer them without a screen.
class ModalRunner {
public:
    enum class Icon { Information, Error };

    virtual ~ModalRunner() = default;

    // A message box with one OK button.
    virtual void Message(QWidget* owner, const QString& caption, const QString& text,
                         Icon icon) = 0;
    // A message box whose details (why it failed) are shown on request.
    virtual void DetailedMessage(QWidget* owner, const QString& caption, const QString& text,
                                 const QString& details, Icon icon) {
        static_cast<void>(details);
        Message(owner, caption, text, icon);
    }
    // A Yes/No question; true only when the answer is Yes.
    virtual bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) = 0;
    // Full path of an existing file to open, or empty when cancelled.
    virtual QString OpenFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    // Full path to save to (an existing file only after the user agreed to replace
    // it), or empty when cancelled.
    virtual QString SaveFileName(QWidget* owner, const FileDialogRequest& request) = 0;
    // The colour chooser, starting at initial; an invalid colour when cancelled.
    virtual QColor ChooseColour(QWidget* owner, const QColor& initial) = 0;
    // Runs dialog modally; true when it ended accepted.
    virtual bool Exec(QDialog& dialog) = 0;
    // Shows menu at a screen position; the chosen action, or null.
    virtual QAction* Popup(QMenu& menu, QPoint globalPos) = 0;
    // Runs an in-process node drag from source until it ends; the kind of node is in
    // gDragType and gDragIndex.
    virtual void Drag(QWidget* source) = 0;
    // The program's about box.
    virtual void About(QWidget* owner, const QString& appName, const QString& credits,
                       const QIcon& icon) = 0;
};

// Caption of every message box that is not given one: the program file's base name.
inline QString AppCaption() {
    return QCoreApplication::applicationName();
}
