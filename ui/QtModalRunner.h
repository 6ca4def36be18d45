#pragma once

#include "ui/ModalRunner.h"

// The program's ModalRunner: Qt's message boxes, file and colour dialogs and drag.
class QtModalRunner : public ModalRunner {
public:
    void Message(QWidget* owner, const QString& caption, const QString& text, Icon icon) override;
    void DetailedMessage(QWidget* owner, const QString& caption, const QString& text,
                         const QString& details, Icon icon) override;
    bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override;
    QString OpenFileName(QWidget* owner, const FileDialogRequest& request) override;
    QString SaveFileName(QWidget* owner, const FileDialogRequest& request) override;
    QColor ChooseColour(QWidget* owner, const QColor& initial) override;
    bool Exec(QDialog& dialog) override;
    QAction* Popup(QMenu& menu, QPoint globalPos) override;
    void Drag(QWidget* source) override;
    void About(QWidget* owner, const QString& appName, const QString& credits,
               const QIcon& icon) override;
};
