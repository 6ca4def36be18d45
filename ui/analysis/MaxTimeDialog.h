#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

class ModalRunner;

// "Set Max Time": asks for the time graphs' duration in milliseconds. OK accepts a
// number that scans and whose sample count at the sampling rate stays within what a
// time response may hold; anything else is refused and the dialog stays open.
class MaxTimeDialog : public QDialog {
    Q_OBJECT
public:
    // ms: the duration shown at first; sampleRate: Hz, which bounds the duration.
    MaxTimeDialog(ModalRunner& runner, float ms, int sampleRate, QWidget* parent = nullptr);

    // The accepted duration in milliseconds.
    float Time() const { return mstime; }
    void OnCheck();

    QLineEdit& Edit() { return mEdit; }
    QPushButton& OkButton() { return mOk; }

private:
    ModalRunner& mRunner;
    int mSampleRate;
    float mstime;
    QLabel mPrompt;
    QLineEdit mEdit;
    QPushButton mOk;
    QPushButton mCancel;
};
