#include "ui/dialogs/DEDialog.h"
#include "filter/Zpk.h"

#include "core/AtomicFile.h"
#include "text/DifferenceEquationText.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/mainwindow/ZPlaneDesign.h"

#include <QFile>

DEDialog::DEDialog(ModalRunner& runner, QWidget* parent)
    : QDialog(parent), mRunner(runner),
      mInputResponseOK(mInputResponse.Initialize(Zpk::FromNodeList(gNodeList))),
      mGroup(QStringLiteral("Difference Equation is:"), this), mEdit(this),
      mOk(QStringLiteral("OK"), this), mSaveAs(QStringLiteral("Save As"), this) {
    setWindowTitle(QStringLiteral("Difference Equation"));
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    setFixedSize(DluRect(0, 0, 217, 124, metrics).size());
    mGroup.setGeometry(DluRect(0, 0, 214, 103, metrics));
    mEdit.setGeometry(DluRect(3, 12, 207, 85, metrics));
    mOk.setGeometry(DluRect(174, 106, 40, 14, metrics));
    mSaveAs.setGeometry(DluRect(129, 106, 40, 14, metrics));
    MakeTextBox(mEdit);
    mOk.setDefault(true);
    if (mInputResponseOK) {
        mEdit.setPlainText(QString::fromStdString(DifferenceEquationLine(mInputResponse)));
    }
    connect(&mOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(&mSaveAs, &QPushButton::clicked, this, &DEDialog::OnSaveAs);
    CentreOverParent(*this);
}

void DEDialog::OnSaveAs() {
    const QString path = mRunner.SaveFileName(
        this, FileDialogRequest{QStringLiteral("DE Files (*.de);;All Files (*)"),
                                QStringLiteral("de"), QStringLiteral("diffequ.de")});
    if (path.isEmpty()) {
        return;
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(),
                             DifferenceEquationFileText(mInputResponse))) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't open file to save to"),
                        ModalRunner::Icon::Information);
    }
}
