#include "ui/dialogs/ClrPrefDialog.h"

#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QPainter>

ClrPrefDialog::ClrPrefDialog(ModalRunner& runner, const QENColourPref& colours, QWidget* parent)
    : QDialog(parent), mRunner(runner), mGroup(QStringLiteral("Select your colours"), this),
      mApply(QStringLiteral("Apply"), this), mTrace(this), mBack(this), mGrid(this), mPole(this),
      mZero(this), mPoleLabel(QStringLiteral("Poles"), this),
      mZeroLabel(QStringLiteral("Zero"), this), mTraceLabel(QStringLiteral("Trace Lines"), this),
      mBackLabel(QStringLiteral("Background"), this), mGridLabel(QStringLiteral("Grid"), this) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Colour Preferences"));
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    setFixedSize(DluRect(0, 0, 159, 89, metrics).size());
    mGroup.setGeometry(DluRect(3, 4, 152, 80, metrics));
    mApply.setGeometry(DluRect(109, 64, 40, 14, metrics));
    mPole.setGeometry(DluRect(15, 20, 10, 10, metrics));
    mPoleLabel.setGeometry(DluRect(37, 21, 24, 8, metrics));
    mZero.setGeometry(DluRect(15, 36, 10, 10, metrics));
    mZeroLabel.setGeometry(DluRect(37, 37, 24, 8, metrics));
    mTrace.setGeometry(DluRect(82, 19, 10, 10, metrics));
    mTraceLabel.setGeometry(DluRect(104, 20, 44, 8, metrics));
    mBack.setGeometry(DluRect(82, 36, 10, 10, metrics));
    mBackLabel.setGeometry(DluRect(104, 37, 41, 8, metrics));
    mGrid.setGeometry(DluRect(15, 51, 10, 10, metrics));
    mGridLabel.setGeometry(DluRect(37, 52, 38, 8, metrics));
    SetColours(colours);
    for (ClrCStatic* swatch : {&mTrace, &mBack, &mGrid, &mPole, &mZero}) {
        connect(swatch, &ClrCStatic::doubleClicked, this,
                [this, swatch] { ChooseColour(*swatch); });
    }
    connect(&mApply, &QPushButton::clicked, this, &ClrPrefDialog::OnApplyBut);
    CentreOverParent(*this);
}

void ClrPrefDialog::SetColours(const QENColourPref& colours) {
    mTrace.SetBkColour(colours.clrTrace);
    mBack.SetBkColour(colours.clrBack);
    mGrid.SetBkColour(colours.clrGrid);
    mPole.SetBkColour(colours.clrPole);
    mZero.SetBkColour(colours.clrZero);
}

QENColourPref ClrPrefDialog::Colours() const {
    QENColourPref colours;
    colours.clrTrace = mTrace.BkColour();
    colours.clrBack = mBack.BkColour();
    colours.clrGrid = mGrid.BkColour();
    colours.clrPole = mPole.BkColour();
    colours.clrZero = mZero.BkColour();
    return colours;
}

void ClrPrefDialog::OnApplyBut() {
    emit colourChange(Colours());
}

void ClrPrefDialog::ChooseColour(ClrCStatic& swatch) {
    const QColor chosen = mRunner.ChooseColour(this, ColourFromRef(swatch.BkColour()));
    if (chosen.isValid()) {
        swatch.SetBkColour(RefFromColour(chosen));
    }
}

void ClrPrefDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw3dFrame(painter, rect());
    for (const ClrCStatic* swatch : {&mTrace, &mBack, &mGrid, &mPole, &mZero}) {
        Draw3dFrame(painter, swatch->geometry().adjusted(-1, -1, 1, 1));
    }
}
