#include "ui/StdFilterDlg.h"

#include "ui/CMainWindow.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

void PlaceSlider(QSlider& slider, const QRect& r) {
    slider.setOrientation(Qt::Horizontal);
    slider.setTickPosition(QSlider::TicksBelow);
    slider.setGeometry(r);
}

} // namespace

StdFilterDlg::StdFilterDlg(ModalRunner& runner, QWidget* parent)
    : QDialog(parent), mRunner(runner), mCriteria(QStringLiteral("Enter in Filter Criteria"), this),
      mClassLabel(QStringLiteral("Filter Class"), this), mClass(this),
      mTypeBox(QStringLiteral("Filter Type"), this), mLowpass(QStringLiteral("Lowpass"), this),
      mHighpass(QStringLiteral("Highpass"), this), mBandstop(QStringLiteral("Bandstop"), this),
      mBandpass(QStringLiteral("Bandpass"), this),
      mFirstLabel(QStringLiteral("1st 3db Point"), this), mFirstCorner(this),
      mSecondLabel(QStringLiteral("2nd 3db Point"), this), mSecondCorner(this),
      mOrderLabel(QStringLiteral("Filter Order"), this), mOrder(this),
      mClear(QStringLiteral("Clear existing filter design"), this),
      mOk(QStringLiteral("&OK"), this), mCancel(QStringLiteral("&Cancel"), this) {
    setWindowTitle(QStringLiteral("Standard Filter Design"));
    // The layout below is in units of this font.
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    setFixedSize(DluRect(0, 0, 217, 140, metrics).size());
    mCriteria.setGeometry(DluRect(3, 4, 210, 113, metrics));
    mClassLabel.setGeometry(DluRect(8, 20, 38, 8, metrics));
    mClass.setGeometry(DluRect(48, 18, 66, 12, metrics));
    mTypeBox.setGeometry(DluRect(118, 14, 91, 40, metrics));
    mLowpass.setGeometry(DluRect(122, 24, 39, 10, metrics));
    mHighpass.setGeometry(DluRect(165, 24, 39, 10, metrics));
    mBandstop.setGeometry(DluRect(122, 40, 39, 10, metrics));
    mBandpass.setGeometry(DluRect(165, 40, 39, 10, metrics));
    mFirstLabel.setGeometry(DluRect(7, 64, 50, 10, metrics));
    PlaceSlider(mFirstCorner, DluRect(61, 63, 146, 10, metrics));
    mSecondLabel.setGeometry(DluRect(7, 84, 50, 10, metrics));
    PlaceSlider(mSecondCorner, DluRect(61, 83, 145, 10, metrics));
    mOrderLabel.setGeometry(DluRect(8, 103, 50, 10, metrics));
    PlaceSlider(mOrder, DluRect(61, 102, 145, 10, metrics));
    mClear.setGeometry(DluRect(4, 124, 100, 10, metrics));
    mOk.setGeometry(DluRect(127, 122, 40, 14, metrics));
    mCancel.setGeometry(DluRect(172, 122, 40, 14, metrics));
    // Enter ends the dialog accepted; neither button takes it.
    mOk.setAutoDefault(false);
    mCancel.setAutoDefault(false);

    mLowpass.setChecked(true);
    mClear.setChecked(true);
    mClass.addItems({QStringLiteral("Butterworth"), QStringLiteral("Chebyshev"),
                     QStringLiteral("Bessel"), QStringLiteral("Zuchini")});
    mClass.setCurrentIndex(0);
    mFirstCorner.setRange(0, mPrefs.sampleFreqPref / 2);
    mFirstCorner.setTickInterval(1000);
    mSecondCorner.setRange(0, 100);
    mOrder.setRange(1, 10);

    connect(&mOk, &QPushButton::clicked, this, &StdFilterDlg::OnOKButton);
    connect(&mCancel, &QPushButton::clicked, this, &QDialog::reject);
    CentreOverParent(*this);
}

void StdFilterDlg::OnOKButton() {
    const QString className = mClass.currentText();
    if (mClass.currentIndex() < 0) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't process ListBox entry"),
                        ModalRunner::Icon::Information);
    }
    bool known = false;
    for (const char* name : {"Butterworth", "Chebyshev", "Bessel"}) {
        known = known || className.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    }
    if (!known) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("That type of filter is not yet supported"),
                        ModalRunner::Icon::Information);
        return;
    }
    mRunner.Message(this, AppCaption(),
                    QStringLiteral("Sorry: Standard filter design not available\n       with "
                                   "this product yet."),
                    ModalRunner::Icon::Information);
}

void StdFilterDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw3dFrame(painter, rect());
}

void StdFilterDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
