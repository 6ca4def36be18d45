#include "ui/dialogs/SampleRateDialog.h"

#include "persist/QENPref.h"
#include "ui/Drawing.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>

SampleRateDialog::SampleRateDialog(int rate, QWidget* parent)
    : QDialog(parent), mField(new CheckedField(this)) {
    setWindowTitle(QStringLiteral("Sampling Rate"));
    auto* layout = new QVBoxLayout(this);
    const QString range = QStringLiteral("A whole number of Hz from %1 to %2")
                              .arg(kMinSampleRate)
                              .arg(kMaxSampleRate);
    layout->addWidget(new QLabel(QStringLiteral("Sampling rate in Hz:"), this));
    layout->addWidget(mField);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    mOk = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    mField->SetValue(rate);
    mField->SetCheck([range](double v) {
        return std::isnan(v) || v != std::floor(v) || v < kMinSampleRate || v > kMaxSampleRate
                   ? range
                   : QString();
    });
    connect(mField, &CheckedField::validityChanged, mOk, &QPushButton::setEnabled);
    mOk->setEnabled(mField->IsValid());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    CentreOverParent(*this);
}

int SampleRateDialog::Rate() const {
    return static_cast<int>(mField->Value());
}
