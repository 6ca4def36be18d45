#pragma once

#include "ui/widgets/CheckedField.h"

#include <QDialog>
#include <QPushButton>

// "Sampling Rate": any whole rate in Hz from kMinSampleRate to kMaxSampleRate, typed.
// Another entry is shown as bad, and OK waits until it is good.
class SampleRateDialog : public QDialog {
    Q_OBJECT
public:
    // rate: the rate shown at first.
    explicit SampleRateDialog(int rate, QWidget* parent = nullptr);

    // The rate typed; valid once the dialog has been accepted.
    int Rate() const;

    CheckedField& Field() { return *mField; }
    QPushButton& OkButton() { return *mOk; }

private:
    // Children of the dialog.
    CheckedField* mField;
    QPushButton* mOk = nullptr;
};
