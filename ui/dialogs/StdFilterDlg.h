#pragma once

#include "core/FNodeList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

class FStandardDesign;
class ModalRunner;

// "Standard Filter Design": a filter class, type, corner frequencies (track bars with
// their values in Hz beside them), order, and the ripple and attenuation of the classes
// that use them. OK with valid values builds the design and ends the dialog accepted;
// invalid values are explained and the dialog stays open. Enter acts as OK; Cancel
// and Escape end it rejected.
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
    QSlider& FirstCorner() { return mFirstCorner; }
    QSlider& SecondCorner() { return mSecondCorner; }
    QSpinBox& FirstCornerValue() { return mFirstValue; }
    QSpinBox& SecondCornerValue() { return mSecondValue; }
    QSlider& Order() { return mOrder; }
    QDoubleSpinBox& Ripple() { return mRipple; }
    QDoubleSpinBox& Attenuation() { return mAttenuation; }
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
    // Enables the controls that the chosen class and type use.
    void UpdateEnabled();
    // The request the controls describe; false for a class without a generator.
    bool ReadRequest(FStandardDesign* request) const;

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
    QSpinBox mFirstValue;
    QLabel mSecondLabel;
    QSlider mSecondCorner;
    QSpinBox mSecondValue;
    QLabel mOrderLabel;
    QSlider mOrder;
    QSpinBox mOrderValue;
    QLabel mRippleLabel;
    QDoubleSpinBox mRipple;
    QLabel mAttenuationLabel;
    QDoubleSpinBox mAttenuation;
    QCheckBox mClear;
    QPushButton mOk;
    QPushButton mCancel;
};
