#include "ui/dialogs/TextDialog.h"

#include "core/AtomicFile.h"
#include "core/FNodeList.h"
#include "filter/FDEMaker.h"
#include "filter/SosCascade.h"
#include "response/FInputResponse.h"
#include "text/DifferenceEquationText.h"
#include "text/SectionText.h"
#include "text/TransferFunctionText.h"
#include "ui/Drawing.h"

#include <QFile>

#include <optional>
#include <utility>

TextDialog::Page TextDialog::DifferenceEquation(const FNodeList& design) {
    Page page{QStringLiteral("Difference Equation"),
              QStringLiteral("Difference Equation is:"),
              {},
              217,
              {QStringLiteral("DE Files (*.de);;All Files (*)"), QStringLiteral("de"),
               QStringLiteral("diffequ.de")},
              {},
              {}};
    FInputResponse response;
    if (!response.Initialize(Zpk::FromNodeList(design))) {
        page.refusal = QStringLiteral("Can't show difference equation of non-causal IIR Filter");
        return page;
    }
    page.texts = {QString::fromStdString(DifferenceEquationLine(response))};
    page.fileText = DifferenceEquationFileText(response);
    return page;
}

TextDialog::Page TextDialog::TransferFunction(const FNodeList& design) {
    FDEMaker de;
    de.Load(Zpk::FromNodeList(design));
    // The dialog shares its title with the difference equation's.
    return Page{
        QStringLiteral("Difference Equation"),
        QStringLiteral("Transfer Function H[z] is:"),
        {QString::fromStdString(ZeroPolyText(de)), QString::fromStdString(PolePolyText(de))},
        217,
        {QStringLiteral("Transfer Function Files (*.hz);;All Files (*)"), QStringLiteral("hz"),
         QStringLiteral("transferfunc.hz")},
        TransferFunctionFileText(de),
        {}};
}

TextDialog::Page TextDialog::SecondOrderSections(const FNodeList& design) {
    // Wider than the difference equation's: a section's six numbers make a long line.
    Page page{QStringLiteral("Second-Order Sections"),
              QStringLiteral("Second-Order Sections are:"),
              {},
              317,
              {QStringLiteral("SOS Files (*.sos);;All Files (*)"), QStringLiteral("sos"),
               QStringLiteral("sections.sos")},
              {},
              {}};
    const std::optional<SosCascade> cascade = SosCascade::FromZpk(Zpk::FromNodeList(design));
    if (!cascade) {
        page.refusal = QString::fromLatin1(kNonCausalSectionsText);
    } else if (!cascade->IsReal()) {
        page.refusal = QString::fromLatin1(kUnpairedSectionsText);
    } else {
        page.fileText = SectionsText(*cascade);
        page.texts = {QString::fromStdString(page.fileText)};
    }
    return page;
}

TextDialog::TextDialog(ModalRunner& runner, Page page, QWidget* parent)
    : QDialog(parent), mRunner(runner), mPage(std::move(page)), mGroup(mPage.caption, this),
      mTop(this), mBar(this), mBottom(this), mOk(QStringLiteral("OK"), this),
      mSaveAs(QStringLiteral("Save As"), this) {
    setWindowTitle(mPage.title);
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    const int w = mPage.width;
    setFixedSize(DluRect(0, 0, w, 124, metrics).size());
    mGroup.setGeometry(DluRect(0, 0, w - 3, 103, metrics));
    MakeTextBox(mTop);
    MakeTextBox(mBottom);
    if (mPage.texts.size() == 2) {
        mTop.setGeometry(DluRect(3, 12, w - 10, 44, metrics));
        mBar.setGeometry(DluRect(2, 60, w - 7, 2, metrics));
        mBar.SetBkColour(0);
        mBottom.setGeometry(DluRect(3, 65, w - 10, 34, metrics));
        mBottom.setPlainText(mPage.texts[1]);
    } else {
        mTop.setGeometry(DluRect(3, 12, w - 10, 85, metrics));
        mBar.hide();
        mBottom.hide();
    }
    if (!mPage.texts.isEmpty()) {
        mTop.setPlainText(mPage.texts[0]);
    }
    mOk.setGeometry(DluRect(w - 43, 106, 40, 14, metrics));
    mSaveAs.setGeometry(DluRect(w - 88, 106, 40, 14, metrics));
    mOk.setDefault(true);
    connect(&mOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(&mSaveAs, &QPushButton::clicked, this, &TextDialog::OnSaveAs);
    CentreOverParent(*this);
}

QStringList TextDialog::Texts() const {
    QStringList texts{mTop.toPlainText()};
    if (mBottom.isVisibleTo(this)) {
        texts << mBottom.toPlainText();
    }
    return texts;
}

void TextDialog::OnSaveAs() {
    const QString path = mRunner.SaveFileName(this, mPage.save);
    if (path.isEmpty()) {
        return;
    }
    if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), mPage.fileText)) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't open file to save to"),
                        ModalRunner::Icon::Information);
    }
}
