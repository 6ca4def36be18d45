#include "ui/dialogs/HZDialog.h"
#include "filter/Zpk.h"

#include "core/AtomicFile.h"
#include "text/TransferFunctionText.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/mainwindow/ZPlaneDesign.h"

#include <QFile>

HZDialog::HZDialog(ModalRunner& runner, QWidget* parent)
    : QDialog(parent), mRunner(runner), mGroup(QStringLiteral("Transfer Function H[z] is:"), this),
      mNumerator(this), mBar(this), mDenominator(this), mOk(QStringLiteral("OK"), this),
      mSaveAs(QStringLiteral("Save As"), this) {
    mDE.Load(Zpk::FromNodeList(gNodeList));
    // The dialog shares its title with the difference equation's.
    setWindowTitle(QStringLiteral("Difference Equation"));
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    setFixedSize(DluRect(0, 0, 217, 124, metrics).size());
    mGroup.setGeometry(DluRect(0, 0, 214, 103, metrics));
    mNumerator.setGeometry(DluRect(3, 12, 207, 44, metrics));
    MakeTextBox(mNumerator);
    mNumerator.setPlainText(QString::fromStdString(ZeroPolyText(mDE)));
    mBar.setGeometry(DluRect(2, 60, 210, 2, metrics));
    mBar.SetBkColour(0);
    mDenominator.setGeometry(DluRect(3, 65, 207, 34, metrics));
    MakeTextBox(mDenominator);
    mDenominator.setPlainText(QString::fromStdString(PolePolyText(mDE)));
    mOk.setGeometry(DluRect(174, 106, 40, 14, metrics));
    mSaveAs.setGeometry(DluRect(129, 106, 40, 14, metrics));
    mOk.setDefault(true);
    connect(&mOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(&mSaveAs, &QPushButton::clicked, this, &HZDialog::OnSaveAs);
    CentreOverParent(*this);
}

void HZDialog::OnSaveAs() {
    const QString path = mRunner.SaveFileName(
        this, FileDialogRequest{QStringLiteral("Transfer Function Files (*.hz);;All Files (*)"),
                                QStringLiteral("hz"), QStringLiteral("transferfunc.hz")});
    if (path.isEmpty()) {
        return;
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(),
                             TransferFunctionFileText(mDE))) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't open file to save to"),
                        ModalRunner::Icon::Information);
    }
}
