#include "ui/dialogs/SOSDialog.h"
#include "filter/Zpk.h"

#include "core/AtomicFile.h"
#include "text/SectionText.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"
#include "ui/mainwindow/ZPlaneDesign.h"

#include <QFile>

SOSDialog::SOSDialog(ModalRunner& runner, QWidget* parent)
    : QDialog(parent), mRunner(runner), mGroup(QStringLiteral("Second-Order Sections are:"), this),
      mEdit(this), mOk(QStringLiteral("OK"), this), mSaveAs(QStringLiteral("Save As"), this) {
    const std::optional<SosCascade> cascade = SosCascade::FromZpk(Zpk::FromNodeList(gNodeList));
    if (!cascade) {
        mRefusal = kNonCausalSectionsText;
    } else if (!cascade->IsReal()) {
        mRefusal = kUnpairedSectionsText;
    } else {
        mCascade = *cascade;
    }
    setWindowTitle(QStringLiteral("Second-Order Sections"));
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    // Wider than the difference equation's: a section's six numbers make a long line.
    setFixedSize(DluRect(0, 0, 317, 124, metrics).size());
    mGroup.setGeometry(DluRect(0, 0, 314, 103, metrics));
    mEdit.setGeometry(DluRect(3, 12, 307, 85, metrics));
    mOk.setGeometry(DluRect(274, 106, 40, 14, metrics));
    mSaveAs.setGeometry(DluRect(229, 106, 40, 14, metrics));
    MakeTextBox(mEdit);
    mOk.setDefault(true);
    if (Ready()) {
        mEdit.setPlainText(QString::fromStdString(SectionsText(mCascade)));
    }
    connect(&mOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(&mSaveAs, &QPushButton::clicked, this, &SOSDialog::OnSaveAs);
    CentreOverParent(*this);
}

void SOSDialog::OnSaveAs() {
    const QString path = mRunner.SaveFileName(
        this, FileDialogRequest{QStringLiteral("SOS Files (*.sos);;All Files (*)"),
                                QStringLiteral("sos"), QStringLiteral("sections.sos")});
    if (path.isEmpty()) {
        return;
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), SectionsText(mCascade))) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't open file to save to"),
                        ModalRunner::Icon::Information);
    }
}
