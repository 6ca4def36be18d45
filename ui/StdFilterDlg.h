#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

class ModalRunner;

// "Standard Filter Design": collects a filter class, type, corner frequencies and
// order. Generating standard designs is not available; OK says so and leaves the
// dialog open. Enter ends the dialog accepted, Cancel and Escape rejected.
class StdFilterDlg : public QDialog {
    Q_OBJECT
public:
    StdFilterDlg(ModalRunner& runner, QWidget* parent = nullptr);

    void OnOKButton();

    QComboBox& ClassList() { return mClass; }
    QSlider& FirstCorner() { return mFirstCorner; }
    QSlider& SecondCorner() { return mSecondCorner; }
    QSlider& Order() { return mOrder; }
    QRadioButton& Lowpass() { return mLowpass; }
    QCheckBox& ClearExisting() { return mClear; }
    QPushButton& OkButton() { return mOk; }
    QPushButton& CancelButton() { return mCancel; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ModalRunner& mRunner;
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
    QLabel mSecondLabel;
    QSlider mSecondCorner;
    QLabel mOrderLabel;
    QSlider mOrder;
    QCheckBox mClear;
    QPushButton mOk;
    QPushButton mCancel;
};
