#include "ui/analysis/MaxTimeDialog.h"

#include "core/FormatC.h"
#include "core/ScopedCLocale.h"
#include "response/TimeBase.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <cmath>
#include <cstdio>

MaxTimeDialog::MaxTimeDialog(ModalRunner& runner, float ms, int sampleRate, QWidget* parent)
    : QDialog(parent), mRunner(runner), mSampleRate(sampleRate), mstime(ms),
      mPrompt(QStringLiteral("Enter the duration for time graphs (in ms):"), this), mEdit(this),
      mOk(QStringLiteral("OK"), this), mCancel(QStringLiteral("Cancel"), this) {
    setWindowTitle(QStringLiteral("Set Max Time"));
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    setFixedSize(DluRect(0, 0, 95, 63, metrics).size());
    mPrompt.setGeometry(DluRect(2, 3, 93, 18, metrics));
    mPrompt.setWordWrap(true);
    mPrompt.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mEdit.setGeometry(DluRect(2, 25, 55, 12, metrics));
    mOk.setGeometry(DluRect(10, 45, 40, 14, metrics));
    mCancel.setGeometry(DluRect(52, 45, 40, 14, metrics));
    mOk.setDefault(true);
    mEdit.setText(QString::fromStdString(FormatC("%f", static_cast<double>(mstime))));
    connect(&mOk, &QPushButton::clicked, this, &MaxTimeDialog::OnCheck);
    connect(&mCancel, &QPushButton::clicked, this, &QDialog::reject);
    CentreOverParent(*this);
}

void MaxTimeDialog::OnCheck() {
    const QByteArray text = mEdit.text().toUtf8();
    float value = 0.0f;
    int scanned = 0;
    {
        ScopedCLocale cLocale;
        scanned = std::sscanf(text.constData(), "%f", &value);
    }
    // A duration beyond the largest time response would have the graph allocate and
    // compute without end; one that is not a number has no samples at all.
    if (scanned == 1 && std::isfinite(value) &&
        DurationSampleCount(SnapDuration(value, mSampleRate), mSampleRate) <= kMaxTimeSamples) {
        mstime = value;
        accept();
        return;
    }
    mRunner.Message(this, AppCaption(), QStringLiteral("Not a valid time"),
                    ModalRunner::Icon::Information);
    mEdit.setText(QStringLiteral("0.0"));
}
