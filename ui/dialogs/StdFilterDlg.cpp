#include "ui/dialogs/StdFilterDlg.h"

#include "design/iir/FStandardDesign.h"
#include "filter/Zpk.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QKeyEvent>
#include <QPainter>

namespace {

using Family = FStandardDesign::Family;

// The classes in the order of the list, with the generator each one runs; the last
// entry has none.
struct ClassEntry {
    const char* name;
    Family family;
    bool generated;
};
constexpr ClassEntry kClasses[] = {
    {"Butterworth", Family::Butterworth, true}, {"Chebyshev", Family::Chebyshev, true},
    {"Bessel", Family::Bessel, true},           {"Chebyshev II", Family::InverseChebyshev, true},
    {"Elliptic", Family::Elliptic, true},       {"Zuchini", Family::Butterworth, false}};

void PlaceSlider(QSlider& slider, const QRect& r) {
    slider.setOrientation(Qt::Horizontal);
    slider.setTickPosition(QSlider::TicksBelow);
    slider.setGeometry(r);
}

// A track bar and the spin box beside it show the same value.
void Tie(QSlider& slider, QSpinBox& box) {
    box.setRange(slider.minimum(), slider.maximum());
    box.setValue(slider.value());
    QObject::connect(&slider, &QSlider::valueChanged, &box, &QSpinBox::setValue);
    QObject::connect(&box, &QSpinBox::valueChanged, &slider, &QSlider::setValue);
}

void SetUpDecibels(QDoubleSpinBox& box, double low, double value) {
    box.setDecimals(2);
    box.setRange(low, FStandardDesign::kMaxDecibels);
    box.setSingleStep(0.5);
    box.setValue(value);
}

} // namespace

StdFilterDlg::StdFilterDlg(ModalRunner& runner, int rate, QWidget* parent)
    : QDialog(parent), mRunner(runner), mRate(rate),
      mCriteria(QStringLiteral("Enter in Filter Criteria"), this),
      mClassLabel(QStringLiteral("Filter Class"), this), mClass(this),
      mTypeBox(QStringLiteral("Filter Type"), this), mLowpass(QStringLiteral("Lowpass"), this),
      mHighpass(QStringLiteral("Highpass"), this), mBandstop(QStringLiteral("Bandstop"), this),
      mBandpass(QStringLiteral("Bandpass"), this),
      mFirstLabel(QStringLiteral("1st 3db Point"), this), mFirstCorner(this), mFirstValue(this),
      mSecondLabel(QStringLiteral("2nd 3db Point"), this), mSecondCorner(this), mSecondValue(this),
      mOrderLabel(QStringLiteral("Filter Order"), this), mOrder(this), mOrderValue(this),
      mRippleLabel(QStringLiteral("Ripple (dB)"), this), mRipple(this),
      mAttenuationLabel(QStringLiteral("Attenuation (dB)"), this), mAttenuation(this),
      mClear(QStringLiteral("Clear existing filter design"), this),
      mOk(QStringLiteral("&OK"), this), mCancel(QStringLiteral("&Cancel"), this) {
    setWindowTitle(QStringLiteral("Standard Filter Design"));
    // The layout below is in units of this font. The value boxes beside the track
    // bars and the decibel row make it wider and taller than the track bars alone.
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    setFixedSize(DluRect(0, 0, 282, 160, metrics).size());
    mCriteria.setGeometry(DluRect(3, 4, 276, 133, metrics));
    mClassLabel.setGeometry(DluRect(8, 20, 38, 8, metrics));
    mClass.setGeometry(DluRect(48, 18, 66, 12, metrics));
    mTypeBox.setGeometry(DluRect(118, 14, 156, 40, metrics));
    mLowpass.setGeometry(DluRect(124, 24, 70, 10, metrics));
    mHighpass.setGeometry(DluRect(198, 24, 70, 10, metrics));
    mBandstop.setGeometry(DluRect(124, 40, 70, 10, metrics));
    mBandpass.setGeometry(DluRect(198, 40, 70, 10, metrics));
    mFirstLabel.setGeometry(DluRect(7, 64, 50, 10, metrics));
    PlaceSlider(mFirstCorner, DluRect(61, 63, 146, 10, metrics));
    mFirstValue.setGeometry(DluRect(212, 61, 62, 13, metrics));
    mSecondLabel.setGeometry(DluRect(7, 84, 50, 10, metrics));
    PlaceSlider(mSecondCorner, DluRect(61, 83, 145, 10, metrics));
    mSecondValue.setGeometry(DluRect(212, 81, 62, 13, metrics));
    mOrderLabel.setGeometry(DluRect(8, 103, 50, 10, metrics));
    PlaceSlider(mOrder, DluRect(61, 102, 145, 10, metrics));
    mOrderValue.setGeometry(DluRect(212, 100, 62, 13, metrics));
    mRippleLabel.setGeometry(DluRect(8, 120, 50, 10, metrics));
    mRipple.setGeometry(DluRect(61, 118, 50, 13, metrics));
    mAttenuationLabel.setGeometry(DluRect(150, 120, 60, 10, metrics));
    mAttenuation.setGeometry(DluRect(212, 118, 62, 13, metrics));
    mClear.setGeometry(DluRect(4, 144, 120, 10, metrics));
    mOk.setGeometry(DluRect(192, 142, 40, 14, metrics));
    mCancel.setGeometry(DluRect(237, 142, 40, 14, metrics));
    // Enter ends the dialog accepted; neither button takes it.
    mOk.setAutoDefault(false);
    mCancel.setAutoDefault(false);

    mLowpass.setChecked(true);
    mClear.setChecked(true);
    for (const ClassEntry& entry : kClasses) {
        mClass.addItem(QString::fromLatin1(entry.name));
    }
    mClass.setCurrentIndex(0);
    // A corner needs a rate above 0 Hz, so the track bars start inside the band.
    const int nyquist = mRate / 2;
    mFirstCorner.setRange(0, nyquist);
    mFirstCorner.setTickInterval(1000);
    mFirstCorner.setValue(nyquist / 4);
    mSecondCorner.setRange(0, nyquist);
    mSecondCorner.setTickInterval(1000);
    mSecondCorner.setValue(nyquist / 2);
    mOrder.setRange(1, 10);
    mOrder.setTickInterval(1);
    mOrder.setValue(4);
    Tie(mFirstCorner, mFirstValue);
    Tie(mSecondCorner, mSecondValue);
    Tie(mOrder, mOrderValue);
    mFirstValue.setSuffix(QStringLiteral(" Hz"));
    mSecondValue.setSuffix(QStringLiteral(" Hz"));
    SetUpDecibels(mRipple, 0.01, 1.0);
    SetUpDecibels(mAttenuation, 0.5, 40.0);
    UpdateEnabled();

    connect(&mClass, &QComboBox::currentIndexChanged, this, &StdFilterDlg::UpdateEnabled);
    for (QRadioButton* type : {&mLowpass, &mHighpass, &mBandstop, &mBandpass}) {
        connect(type, &QRadioButton::toggled, this, &StdFilterDlg::UpdateEnabled);
    }
    connect(&mOk, &QPushButton::clicked, this, &StdFilterDlg::OnOKButton);
    connect(&mCancel, &QPushButton::clicked, this, &QDialog::reject);
    CentreOverParent(*this);
}

void StdFilterDlg::UpdateEnabled() {
    const bool band = mBandstop.isChecked() || mBandpass.isChecked();
    mSecondLabel.setEnabled(band);
    mSecondCorner.setEnabled(band);
    mSecondValue.setEnabled(band);
    const int index = mClass.currentIndex();
    const bool known = index >= 0 && kClasses[index].generated;
    const bool ripple = known && FStandardDesign::UsesRipple(kClasses[index].family);
    const bool attenuation = known && FStandardDesign::UsesAttenuation(kClasses[index].family);
    mRippleLabel.setVisible(ripple);
    mRipple.setVisible(ripple);
    mAttenuationLabel.setVisible(attenuation);
    mAttenuation.setVisible(attenuation);
}

bool StdFilterDlg::ReadRequest(FStandardDesign* request) const {
    const int index = mClass.currentIndex();
    if (index < 0 || !kClasses[index].generated) {
        return false;
    }
    using Band = FStandardDesign::Band;
    request->family = kClasses[index].family;
    request->band = mHighpass.isChecked()   ? Band::Highpass
                    : mBandstop.isChecked() ? Band::Bandstop
                    : mBandpass.isChecked() ? Band::Bandpass
                                            : Band::Lowpass;
    request->order = mOrder.value();
    request->rate = mRate;
    request->corner = mFirstCorner.value();
    request->corner2 = mSecondCorner.value();
    request->rippleDb = mRipple.value();
    request->attenuationDb = mAttenuation.value();
    return true;
}

void StdFilterDlg::OnOKButton() {
    if (mClass.currentIndex() < 0) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't process ListBox entry"),
                        ModalRunner::Icon::Information);
    }
    FStandardDesign request;
    if (!ReadRequest(&request)) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("That type of filter is not yet supported"),
                        ModalRunner::Icon::Information);
        return;
    }
    Zpk generated;
    QString problem;
    switch (request.Design(&generated)) {
    case FStandardDesign::Problem::None:
        break;
    case FStandardDesign::Problem::Corner:
    case FStandardDesign::Problem::Rate:
        problem = QStringLiteral("The 1st corner must lie above 0 Hz and below %1 Hz, half the "
                                 "sampling rate.")
                      .arg(mFirstCorner.maximum());
        break;
    case FStandardDesign::Problem::SecondCorner:
        problem = QStringLiteral("The 2nd corner must lie above the 1st corner and below %1 Hz, "
                                 "half the sampling rate.")
                      .arg(mSecondCorner.maximum());
        break;
    case FStandardDesign::Problem::Order:
        problem = QStringLiteral("The filter order must be 1 to 20.");
        break;
    case FStandardDesign::Problem::Ripple:
        problem = QStringLiteral("The ripple must be above 0 dB.");
        break;
    case FStandardDesign::Problem::Attenuation:
        problem = QStringLiteral("The attenuation must be above the ripple.");
        break;
    case FStandardDesign::Problem::Unstable:
        problem = QStringLiteral("This design's poles do not all lie inside the unit circle at "
                                 "the precision of the computer. Choose a lower order or a wider "
                                 "band.");
        break;
    }
    if (!problem.isEmpty()) {
        mRunner.Message(this, AppCaption(), problem, ModalRunner::Icon::Information);
        return;
    }
    mGenerated = FNodeList();
    generated.AddToNodeList(&mGenerated);
    accept();
}

void StdFilterDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw3dFrame(painter, rect());
}

void StdFilterDlg::keyPressEvent(QKeyEvent* event) {
    // Enter is the default button's key: it builds the design as OK does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnOKButton();
        return;
    }
    QDialog::keyPressEvent(event);
}
