#include "ui/dialogs/StdFilterDlg.h"

#include "design/iir/FNotchPeakDesign.h"
#include "design/iir/FStandardDesign.h"
#include "filter/Zpk.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace {

using Family = FStandardDesign::Family;

// The classes in the order of the list, with the generator each one runs; the last
// entry has none.
enum class Generator { Standard, Notch, Peak, None };
struct ClassEntry {
    const char* name;
    Generator generator;
    Family family;
};
constexpr ClassEntry kClasses[] = {{"Butterworth", Generator::Standard, Family::Butterworth},
                                   {"Chebyshev", Generator::Standard, Family::Chebyshev},
                                   {"Bessel", Generator::Standard, Family::Bessel},
                                   {"Chebyshev II", Generator::Standard, Family::InverseChebyshev},
                                   {"Elliptic", Generator::Standard, Family::Elliptic},
                                   {"Notch", Generator::Notch, Family::Butterworth},
                                   {"Peak", Generator::Peak, Family::Butterworth},
                                   {"Zuchini", Generator::None, Family::Butterworth}};

void PlaceSlider(QSlider& slider, const QRect& r) {
    slider.setOrientation(Qt::Horizontal);
    slider.setTickPosition(QSlider::TicksBelow);
    slider.setGeometry(r);
}

// How each class names its corners.
QString CornerName(Family family) {
    switch (family) {
    case Family::Chebyshev:
    case Family::Elliptic:
        return QStringLiteral("passband edge");
    case Family::InverseChebyshev:
        return QStringLiteral("stopband edge");
    case Family::Butterworth:
    case Family::Bessel:
        break;
    }
    return QStringLiteral("-3 dB point");
}

QString Capitalised(QString text) {
    if (!text.isEmpty() && text.front().isLower()) {
        text.front() = text.front().toUpper();
    }
    return text;
}

} // namespace

StdFilterDlg::StdFilterDlg(ModalRunner& runner, int rate, QWidget* parent)
    : QDialog(parent), mRunner(runner), mRate(rate),
      mCriteria(QStringLiteral("Enter in Filter Criteria"), this),
      mClassLabel(QStringLiteral("Filter Class"), this), mClass(this),
      mTypeBox(QStringLiteral("Filter Type"), this), mLowpass(QStringLiteral("Lowpass"), this),
      mHighpass(QStringLiteral("Highpass"), this), mBandstop(QStringLiteral("Bandstop"), this),
      mBandpass(QStringLiteral("Bandpass"), this), mFirstLabel(this), mFirstCorner(this),
      mFirstValue(this), mFirstUnit(QStringLiteral("Hz"), this), mSecondLabel(this),
      mSecondCorner(this), mSecondValue(this), mSecondUnit(QStringLiteral("Hz"), this),
      mOrderLabel(QStringLiteral("Filter Order"), this), mOrder(this), mOrderValue(this),
      mRippleLabel(QStringLiteral("Ripple (dB)"), this), mRipple(this),
      mAttenuationLabel(QStringLiteral("Attenuation (dB)"), this), mAttenuation(this),
      mQLabel(QStringLiteral("Q"), this), mQ(this),
      mNormLabel(QStringLiteral("Normalised for"), this), mNorm(this),
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
    mFirstLabel.setGeometry(DluRect(7, 64, 64, 10, metrics));
    PlaceSlider(mFirstCorner, DluRect(73, 63, 134, 10, metrics));
    mFirstValue.setGeometry(DluRect(212, 61, 50, 13, metrics));
    mFirstUnit.setGeometry(DluRect(265, 63, 12, 10, metrics));
    mSecondLabel.setGeometry(DluRect(7, 84, 64, 10, metrics));
    PlaceSlider(mSecondCorner, DluRect(73, 83, 134, 10, metrics));
    mSecondValue.setGeometry(DluRect(212, 81, 50, 13, metrics));
    mSecondUnit.setGeometry(DluRect(265, 83, 12, 10, metrics));
    mOrderLabel.setGeometry(DluRect(8, 103, 60, 10, metrics));
    PlaceSlider(mOrder, DluRect(73, 102, 134, 10, metrics));
    mOrderValue.setGeometry(DluRect(212, 100, 50, 13, metrics));
    mRippleLabel.setGeometry(DluRect(8, 120, 50, 10, metrics));
    mRipple.setGeometry(DluRect(73, 118, 50, 13, metrics));
    mAttenuationLabel.setGeometry(DluRect(150, 120, 60, 10, metrics));
    mAttenuation.setGeometry(DluRect(212, 118, 50, 13, metrics));
    // Notch and peak take a Q, Bessel a normalisation, where the others take decibels.
    mQLabel.setGeometry(DluRect(8, 120, 60, 10, metrics));
    mQ.setGeometry(DluRect(73, 118, 50, 13, metrics));
    mNormLabel.setGeometry(DluRect(8, 120, 60, 10, metrics));
    mNorm.setGeometry(DluRect(73, 118, 66, 12, metrics));
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
    // The track bars run over the band from 0 Hz to half the rate, whatever the rate.
    for (QSlider* corner : {&mFirstCorner, &mSecondCorner}) {
        corner->setRange(0, kCornerSteps);
        corner->setTickInterval(kCornerSteps / 10);
    }
    mFirstCorner.setValue(kCornerSteps / 4);
    mSecondCorner.setValue(kCornerSteps / 2);
    mOrder.setRange(1, FStandardDesign::kMaxOrder);
    mOrder.setTickInterval(1);
    mOrder.setValue(4);
    mFirstValue.SetValue(CornerHz(mFirstCorner.value()));
    mSecondValue.SetValue(CornerHz(mSecondCorner.value()));
    mOrderValue.SetValue(mOrder.value());
    mRipple.SetValue(1.0);
    mAttenuation.SetValue(40.0);
    mQ.SetValue(10.0);
    // In the order of FStandardDesign::BesselNorm.
    for (const char* norm : {"Magnitude", "Delay", "Phase"}) {
        mNorm.addItem(QString::fromLatin1(norm));
    }
    // A track bar writes its value into the box beside it; a good value typed there moves
    // the track bar without writing back over what was typed.
    const auto tie = [this](QSlider& slider, CheckedField& box, auto toValue, auto toStep) {
        connect(&slider, &QSlider::valueChanged, this, [&box, toValue](int step) {
            if (toValue(step) != box.Value()) {
                box.SetValue(toValue(step));
            }
        });
        connect(&box, &QLineEdit::textChanged, this, [&slider, &box, toStep] {
            if (box.IsValid()) {
                const QSignalBlocker quiet(slider);
                slider.setValue(toStep(box.Value()));
            }
        });
    };
    const auto hz = [this](int step) { return CornerHz(step); };
    const auto step = [this](double v) { return CornerStep(v); };
    tie(mFirstCorner, mFirstValue, hz, step);
    tie(mSecondCorner, mSecondValue, hz, step);
    tie(
        mOrder, mOrderValue, [](int order) { return static_cast<double>(order); },
        [](double order) { return static_cast<int>(order); });
    mFirstValue.SetCheck([this](double v) { return FirstCornerProblem(v); });
    mSecondValue.SetCheck([this](double v) { return SecondCornerProblem(v); });
    mOrderValue.SetCheck([this](double v) {
        const bool bad =
            std::isnan(v) || v != std::floor(v) || v < 1 || v > FStandardDesign::kMaxOrder;
        return bad && !TakesQ()
                   ? QStringLiteral("A whole number from 1 to %1").arg(FStandardDesign::kMaxOrder)
                   : QString();
    });
    mRipple.SetCheck([this](double v) { return RippleProblem(v); });
    mAttenuation.SetCheck([this](double v) { return AttenuationProblem(v); });
    mQ.SetCheck([this](double v) { return QProblem(v); });
    for (CheckedField* field : Fields()) {
        connect(field, &QLineEdit::textChanged, this, &StdFilterDlg::Validate);
    }
    UpdateEnabled();

    connect(&mClass, &QComboBox::currentIndexChanged, this, &StdFilterDlg::UpdateEnabled);
    connect(&mNorm, &QComboBox::currentIndexChanged, this, &StdFilterDlg::UpdateEnabled);
    for (QRadioButton* type : {&mLowpass, &mHighpass, &mBandstop, &mBandpass}) {
        connect(type, &QRadioButton::toggled, this, &StdFilterDlg::UpdateEnabled);
    }
    connect(&mOk, &QPushButton::clicked, this, &StdFilterDlg::OnOKButton);
    connect(&mCancel, &QPushButton::clicked, this, &QDialog::reject);
    CentreOverParent(*this);
}

std::optional<Family> StdFilterDlg::Family() const {
    const int index = mClass.currentIndex();
    if (index < 0 || kClasses[index].generator != Generator::Standard) {
        return std::nullopt;
    }
    return kClasses[index].family;
}

bool StdFilterDlg::TakesQ() const {
    const int index = mClass.currentIndex();
    return index >= 0 && (kClasses[index].generator == Generator::Notch ||
                          kClasses[index].generator == Generator::Peak);
}

std::array<CheckedField*, 6> StdFilterDlg::Fields() {
    return {&mFirstValue, &mSecondValue, &mOrderValue, &mRipple, &mAttenuation, &mQ};
}

double StdFilterDlg::CornerHz(int step) const {
    return mRate / 2.0 * step / kCornerSteps;
}

int StdFilterDlg::CornerStep(double hz) const {
    return static_cast<int>(std::lround(std::clamp(hz / (mRate / 2.0), 0.0, 1.0) * kCornerSteps));
}

QString StdFilterDlg::FirstCornerProblem(double hz) const {
    const double half = mRate / 2.0;
    return std::isnan(hz) || hz <= 0.0 || hz >= half
               ? QStringLiteral("A frequency above 0 Hz and below %1 Hz, half the sampling rate")
                     .arg(half)
               : QString();
}

QString StdFilterDlg::SecondCornerProblem(double hz) const {
    const double half = mRate / 2.0;
    return TwoCorners() && (std::isnan(hz) || !(hz > mFirstValue.Value()) || hz >= half)
               ? QStringLiteral("A frequency above the 1st corner and below %1 Hz, half the "
                                "sampling rate")
                     .arg(half)
               : QString();
}

QString StdFilterDlg::RippleProblem(double db) const {
    const std::optional<FStandardDesign::Family> family = Family();
    const bool used = family && FStandardDesign::UsesRipple(*family);
    return used && (std::isnan(db) || db <= 0.0 || db > FStandardDesign::kMaxDecibels)
               ? QStringLiteral("Decibels above 0, at most %1").arg(FStandardDesign::kMaxDecibels)
               : QString();
}

QString StdFilterDlg::AttenuationProblem(double db) const {
    const std::optional<FStandardDesign::Family> family = Family();
    if (!family || !FStandardDesign::UsesAttenuation(*family)) {
        return QString();
    }
    // The stopband lies below the passband's ripple.
    const double floor = FStandardDesign::UsesRipple(*family) ? mRipple.Value() : 0.0;
    return std::isnan(db) || !(db > floor) || db > FStandardDesign::kMaxDecibels
               ? QStringLiteral("Decibels above %1, at most %2")
                     .arg(floor)
                     .arg(FStandardDesign::kMaxDecibels)
               : QString();
}

QString StdFilterDlg::QProblem(double q) const {
    if (!TakesQ()) {
        return QString();
    }
    // The band's upper edge stays below half the rate.
    const double centre = mFirstValue.Value();
    const double floor = mFirstValue.IsValid() ? 2.0 * centre / mRate : 0.0;
    return std::isnan(q) || !(q > floor)
               ? QStringLiteral("A number above %1, which keeps the band below half the "
                                "sampling rate")
                     .arg(floor)
               : QString();
}

bool StdFilterDlg::TwoCorners() const {
    return !TakesQ() && (mBandstop.isChecked() || mBandpass.isChecked());
}

void StdFilterDlg::UpdateEnabled() {
    const bool band = TwoCorners();
    mSecondLabel.setEnabled(band);
    mSecondCorner.setEnabled(band);
    mSecondValue.setEnabled(band);
    mSecondUnit.setEnabled(band);
    // A notch or peak has no type and is of order 2.
    const bool q = TakesQ();
    mTypeBox.setEnabled(!q);
    for (QRadioButton* type : {&mLowpass, &mHighpass, &mBandstop, &mBandpass}) {
        type->setEnabled(!q);
    }
    mOrderLabel.setEnabled(!q);
    mOrder.setEnabled(!q);
    mOrderValue.setEnabled(!q);
    const std::optional<FStandardDesign::Family> family = Family();
    const bool ripple = family && FStandardDesign::UsesRipple(*family);
    const bool attenuation = family && FStandardDesign::UsesAttenuation(*family);
    const bool norm = family == FStandardDesign::Family::Bessel;
    mRippleLabel.setVisible(ripple);
    mRipple.setVisible(ripple);
    mAttenuationLabel.setVisible(attenuation);
    mAttenuation.setVisible(attenuation);
    mQLabel.setVisible(q);
    mQ.setVisible(q);
    mNormLabel.setVisible(norm);
    mNorm.setVisible(norm);
    // A Bessel design normalised for delay or phase has no -3 dB point there.
    const QString corner = q ? QStringLiteral("centre frequency")
                           : norm && mNorm.currentIndex() != 0
                               ? QStringLiteral("corner")
                               : CornerName(family.value_or(FStandardDesign::Family::Butterworth));
    mFirstLabel.setText(band ? QStringLiteral("1st ") + corner : Capitalised(corner));
    // A notch or peak has one frequency: the unused box keeps a plain name.
    mSecondLabel.setText(q ? QStringLiteral("2nd corner") : QStringLiteral("2nd ") + corner);
    Validate();
}

void StdFilterDlg::Validate() {
    bool valid = true;
    for (CheckedField* field : Fields()) {
        field->Recheck();
        valid = valid && field->IsValid();
    }
    mOk.setEnabled(valid);
}

bool StdFilterDlg::ReadRequest(FStandardDesign* request) const {
    const std::optional<FStandardDesign::Family> family = Family();
    if (!family) {
        return false;
    }
    using Band = FStandardDesign::Band;
    request->family = *family;
    request->band = mHighpass.isChecked()   ? Band::Highpass
                    : mBandstop.isChecked() ? Band::Bandstop
                    : mBandpass.isChecked() ? Band::Bandpass
                                            : Band::Lowpass;
    request->order = static_cast<int>(mOrderValue.Value());
    request->rate = mRate;
    request->corner = mFirstValue.Value();
    request->corner2 = mSecondValue.Value();
    request->rippleDb = mRipple.Value();
    request->attenuationDb = mAttenuation.Value();
    request->besselNorm = static_cast<FStandardDesign::BesselNorm>(mNorm.currentIndex());
    return true;
}

QString StdFilterDlg::Generate(Zpk* zpk) const {
    if (TakesQ()) {
        const FNotchPeakDesign request{kClasses[mClass.currentIndex()].generator == Generator::Notch
                                           ? FNotchPeakDesign::Kind::Notch
                                           : FNotchPeakDesign::Kind::Peak,
                                       mFirstValue.Value(), mQ.Value(), static_cast<double>(mRate)};
        // The entries are checked as they are typed; what is left is a Q so high that
        // the poles round onto the circle.
        return request.Design(zpk) == FNotchPeakDesign::Problem::None
                   ? QString()
                   : QStringLiteral("This design's poles lie on the unit circle at the "
                                    "precision of the computer. Choose a smaller Q.");
    }
    FStandardDesign request;
    if (!ReadRequest(&request)) {
        return QStringLiteral("That type of filter is not yet supported");
    }
    const FStandardDesign::Problem problem = request.Design(zpk);
    if (problem == FStandardDesign::Problem::None) {
        return QString();
    }
    // Likewise, what is left is a design whose poles come out unstable in double
    // precision.
    return problem == FStandardDesign::Problem::Unstable
               ? QStringLiteral("This design's poles do not all lie inside the unit circle at "
                                "the precision of the computer. Choose a lower order or a "
                                "wider band.")
               : QStringLiteral("These values make no design.");
}

void StdFilterDlg::OnOKButton() {
    if (mClass.currentIndex() < 0) {
        mRunner.Message(this, AppCaption(), QStringLiteral("Can't process ListBox entry"),
                        ModalRunner::Icon::Information);
    }
    Zpk generated;
    const QString refusal = Generate(&generated);
    if (!refusal.isEmpty()) {
        mRunner.Message(this, AppCaption(), refusal, ModalRunner::Icon::Information);
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
    // Enter is the default button's key: it builds the design as OK does, once OK is
    // offered.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (mOk.isEnabled()) {
            OnOKButton();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}
