#pragma once

#include "core/FNodeList.h"
#include "design/iir/FStandardDesign.h"
#include "filter/Zpk.h"
#include "ui/widgets/CheckedField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <array>
#include <optional>

class ModalRunner;

// "Standard Filter Design": a filter class, type, corner frequencies (track bars with
// their values in Hz beside them), order, the ripple and attenuation of the classes
// that use them, and Bessel's normalisation. The corners are named as the class means
// them: -3 dB points (Butterworth, Bessel), passband edges (Chebyshev, elliptic) or
// stopband edges (Chebyshev II). Notch and Peak take a centre frequency and a Q
// instead of a type, corners and an order. An entry that is not valid is shown as bad, its tooltip
// giving the valid range, and OK (and Enter) wait until every entry in use is good; OK then builds
// the design and ends the dialog accepted, or explains why there is none and stays
// open. Cancel and Escape end it rejected.
class StdFilterDlg : public QDialog {
    Q_OBJECT
public:
    // rate: the sampling rate in Hz that the design is for.
    StdFilterDlg(ModalRunner& runner, int rate, QWidget* parent = nullptr);

    void OnOKButton();

    // The design that OK built; empty until then.
    const FNodeList& Generated() const { return mGenerated; }
    // "Clear existing filter design": the generated design replaces the present one
    // instead of being added to it.
    bool ReplacesDesign() const { return mClear.isChecked(); }

    QComboBox& ClassList() { return mClass; }
    // The track bars run over the band in kCornerSteps steps.
    static constexpr int kCornerSteps = 1000;
    QSlider& FirstCorner() { return mFirstCorner; }
    QSlider& SecondCorner() { return mSecondCorner; }
    CheckedField& FirstCornerValue() { return mFirstValue; }
    CheckedField& SecondCornerValue() { return mSecondValue; }
    QSlider& Order() { return mOrder; }
    CheckedField& OrderValue() { return mOrderValue; }
    CheckedField& Ripple() { return mRipple; }
    CheckedField& Attenuation() { return mAttenuation; }
    CheckedField& Q() { return mQ; }
    // "Magnitude", "Delay", "Phase", in the order of FStandardDesign::BesselNorm.
    QComboBox& BesselNorm() { return mNorm; }
    QLabel& FirstCornerLabel() { return mFirstLabel; }
    QLabel& SecondCornerLabel() { return mSecondLabel; }
    QRadioButton& Lowpass() { return mLowpass; }
    QRadioButton& Highpass() { return mHighpass; }
    QRadioButton& Bandstop() { return mBandstop; }
    QRadioButton& Bandpass() { return mBandpass; }
    QCheckBox& ClearExisting() { return mClear; }
    QPushButton& OkButton() { return mOk; }
    QPushButton& CancelButton() { return mCancel; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Enables and names the controls that the chosen class and type use, and checks
    // every entry again.
    void UpdateEnabled();
    // Checks every entry and offers OK when all those in use are good.
    void Validate();
    // What is wrong with each entry, empty when it is good or not in use.
    QString FirstCornerProblem(double hz) const;
    QString SecondCornerProblem(double hz) const;
    QString RippleProblem(double db) const;
    QString AttenuationProblem(double db) const;
    QString QProblem(double q) const;
    // A track bar at a frequency, and the frequency a track bar stands for.
    int CornerStep(double hz) const;
    double CornerHz(int step) const;
    // The family of the class chosen; none for a class without a generator.
    std::optional<FStandardDesign::Family> Family() const;
    // Whether the class chosen is Notch or Peak.
    bool TakesQ() const;
    // Whether the second corner is in use: a band type of a standard class.
    bool TwoCorners() const;
    // The entry boxes, in the order of their checks.
    std::array<CheckedField*, 6> Fields();
    // The standard design request the controls describe; false for another class.
    bool ReadRequest(FStandardDesign* request) const;
    // Builds the design of the class chosen into *zpk; empty, or why there is none.
    QString Generate(Zpk* zpk) const;

    ModalRunner& mRunner;
    int mRate;
    FNodeList mGenerated;
    QGroupBox mCriteria;
    QLabel mClassLabel;
    QComboBox mClass;
    QGroupBox mTypeBox;
    QRadioButton mLowpass;
    QRadioButton mHighpass;
    QRadioButton mBandstop;
    QRadioButton mBandpass;
    QLabel mFirstLabel;
    QSlider mFirstCorner;
    CheckedField mFirstValue;
    QLabel mFirstUnit;
    QLabel mSecondLabel;
    QSlider mSecondCorner;
    CheckedField mSecondValue;
    QLabel mSecondUnit;
    QLabel mOrderLabel;
    QSlider mOrder;
    CheckedField mOrderValue;
    QLabel mRippleLabel;
    CheckedField mRipple;
    QLabel mAttenuationLabel;
    CheckedField mAttenuation;
    QLabel mQLabel;
    CheckedField mQ;
    QLabel mNormLabel;
    QComboBox mNorm;
    QCheckBox mClear;
    QPushButton mOk;
    QPushButton mCancel;
};
