#include "ui/QtModalRunner.h"

#include "ui/widgets/NodeDragFormat.h"

#include <QColorDialog>
#include <QDialog>
#include <QDrag>
#include <QFileDialog>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>

namespace {

// A message box wraps long lines at a width of its own choosing; the program's texts
// break where they mean to, so each line is kept whole and the box grows to fit it.
int ExecWithWholeLines(QMessageBox& box) {
    for (QLabel* label : box.findChildren<QLabel*>()) {
        label->setWordWrap(false);
    }
    return box.exec();
}

} // namespace

void QtModalRunner::Message(QWidget* owner, const QString& caption, const QString& text,
                            Icon icon) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information, caption,
                    text, QMessageBox::Ok, owner);
    ExecWithWholeLines(box);
}

void QtModalRunner::DetailedMessage(QWidget* owner, const QString& caption, const QString& text,
                                    const QString& details, Icon icon) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information, caption,
                    text, QMessageBox::Ok, owner);
    box.setDetailedText(details);
    box.exec();
}

bool QtModalRunner::AskYesNo(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    return ExecWithWholeLines(box) == QMessageBox::Yes;
}

ModalRunner::Choice QtModalRunner::AskSaveChanges(QWidget* owner, const QString& caption,
                                                  const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Choice::Save;
    case QMessageBox::Discard:
        return Choice::Discard;
    default:
        return Choice::Cancel;
    }
}

QString QtModalRunner::OpenFileName(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner, QString(), request.initialName, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString QtModalRunner::SaveFileName(QWidget* owner, const FileDialogRequest& request) {
    QFileDialog dialog(owner, QString(), request.initialName, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QColor QtModalRunner::ChooseColour(QWidget* owner, const QColor& initial) {
    return QColorDialog::getColor(initial, owner);
}

bool QtModalRunner::Exec(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

QAction* QtModalRunner::Popup(QMenu& menu, QPoint globalPos) {
    return menu.exec(globalPos);
}

void QtModalRunner::Drag(QWidget* source) {
    // The drag carries no data of its own (the node kind travels in gDragType); the
    // private format only lets the z-plane view tell this program's drags from others.
    auto* data = new QMimeData;
    data->setData(kNodeDragFormat, QByteArray());
    QDrag drag(source);
    drag.setMimeData(data);
    drag.exec(Qt::MoveAction);
}

void QtModalRunner::About(QWidget* owner, const QString& appName, const QString& credits,
                          const QIcon& icon) {
    QMessageBox box(owner);
    box.setWindowTitle(QStringLiteral("About %1").arg(appName));
    box.setIconPixmap(icon.pixmap(32, 32));
    box.setText(appName);
    box.setInformativeText(credits);
    ExecWithWholeLines(box);
}
