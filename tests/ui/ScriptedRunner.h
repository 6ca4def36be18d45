#pragma once

#include "ui/ModalRunner.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// A ModalRunner for tests: records every message and question and answers them, the
// file dialogs, colour choosers, modal dialogs, popup menus and drags from what the test has
// queued.
class ScriptedRunner : public ModalRunner {
public:
    struct Shown {
        QString caption;
        QString text;
        Icon icon;
        QString details;
    };

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

    // Answers, used front first; an empty queue answers No or Cancel.
    std::deque<bool> yesNoAnswers;
    std::deque<QString> fileAnswers;
    std::deque<QColor> colourAnswers;
    // Index of the popup menu item to choose; -1 closes the menu without a choice.
    int popupChoice = -1;
    std::function<bool(QDialog&)> onExec;
    std::function<void(QWidget*)> onDrag;

    std::vector<Shown> messages;
    QStringList questions;
    std::vector<FileDialogRequest> fileDialogs;
    // The colour each chooser started at.
    std::vector<QColor> colourChoosers;
    QStringList popupItems;
    QStringList abouts;
    int drags = 0;
};
