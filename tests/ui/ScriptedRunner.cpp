#include "ScriptedRunner.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

void ScriptedRunner::Message(QWidget*, const QString& caption, const QString& text, Icon icon) {
    messages.push_back({caption, text, icon, QString()});
}

void ScriptedRunner::DetailedMessage(QWidget*, const QString& caption, const QString& text,
                                     const QString& details, Icon icon) {
    messages.push_back({caption, text, icon, details});
}

bool ScriptedRunner::AskYesNo(QWidget*, const QString&, const QString& text) {
    questions << text;
    if (yesNoAnswers.empty()) {
        return false;
    }
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

QString ScriptedRunner::OpenFileName(QWidget*, const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    if (fileAnswers.empty()) {
        return {};
    }
    const QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

QString ScriptedRunner::SaveFileName(QWidget* owner, const FileDialogRequest& request) {
    return OpenFileName(owner, request);
}

QColor ScriptedRunner::ChooseColour(QWidget*, const QColor& initial) {
    colourChoosers.push_back(initial);
    if (colourAnswers.empty()) {
        return {};
    }
    const QColor answer = colourAnswers.front();
    colourAnswers.pop_front();
    return answer;
}

bool ScriptedRunner::Exec(QDialog& dialog) {
    return onExec ? onExec(dialog) : false;
}

QAction* ScriptedRunner::Popup(QMenu& menu, QPoint) {
    const QList<QAction*> actions = menu.actions();
    for (const QAction* action : actions) {
        popupItems << action->text();
    }
    return popupChoice >= 0 && popupChoice < actions.size() ? actions[popupChoice] : nullptr;
}

void ScriptedRunner::Drag(QWidget* source) {
    ++drags;
    if (onDrag) {
        onDrag(source);
    }
}

void ScriptedRunner::About(QWidget*, const QString& appName, const QString& credits, const QIcon&) {
    abouts << appName + '\n' + credits;
}
