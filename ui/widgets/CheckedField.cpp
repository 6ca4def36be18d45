#include "ui/widgets/CheckedField.h"

#include <QLocale>

#include <cmath>
#include <limits>

CheckedField::CheckedField(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &CheckedField::Recheck);
}

void CheckedField::SetCheck(Check check) {
    mCheck = std::move(check);
    Recheck();
}

double CheckedField::Parse(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) ? value : std::numeric_limits<double>::quiet_NaN();
}

double CheckedField::Value() const {
    return Parse(text());
}

void CheckedField::SetValue(double value) {
    setText(QLocale::c().toString(value, 'g', 10));
}

void CheckedField::Recheck() {
    const bool wasValid = IsValid();
    mProblem = mCheck ? mCheck(Value()) : QString();
    setToolTip(mProblem);
    // The frame alone changes; the box keeps the look of its neighbours otherwise.
    setStyleSheet(IsValid() ? QString() : QStringLiteral("QLineEdit { border: 2px solid red; }"));
    if (IsValid() != wasValid) {
        emit validityChanged(IsValid());
    }
}
