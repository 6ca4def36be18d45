#include "ui/analysis/AxisLimitsDialog.h"

#include "ui/Drawing.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include <cmath>

AxisLimitsDialog::AxisLimitsDialog(const std::vector<AnalysisGraph::Axis>& axes, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Axis Limits"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("From"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("To"), this), 0, 2);
    for (const AnalysisGraph::Axis& axis : axes) {
        Row row{axis, new CheckedField(this), new CheckedField(this)};
        const int line = static_cast<int>(mRows.size()) + 1;
        grid->addWidget(new QLabel(axis.name, this), line, 0);
        grid->addWidget(row.low, line, 1);
        grid->addWidget(row.high, line, 2);
        row.low->SetValue(axis.range.Low() * axis.factor);
        row.high->SetValue(axis.range.High() * axis.factor);
        mRows.push_back(row);
    }
    for (const Row& row : mRows) {
        CheckedField* low = row.low;
        CheckedField* high = row.high;
        const bool log = row.axis.range.IsLog();
        const QString positive = log ? QStringLiteral(", above 0 on this log axis") : QString();
        low->SetCheck([high, log, positive](double v) {
            return std::isnan(v) || (log && v <= 0.0) || !(v < high->Value())
                       ? QStringLiteral("A number below the upper end") + positive
                       : QString();
        });
        high->SetCheck([low, log, positive](double v) {
            return std::isnan(v) || (log && v <= 0.0) || !(v > low->Value())
                       ? QStringLiteral("A number above the lower end") + positive
                       : QString();
        });
        // Each end's check reads the other.
        connect(low, &QLineEdit::textChanged, high, &CheckedField::Recheck);
        connect(high, &QLineEdit::textChanged, low, &CheckedField::Recheck);
        for (CheckedField* field : {low, high}) {
            connect(field, &QLineEdit::textChanged, this, &AxisLimitsDialog::UpdateOk);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    mOk = buttons->button(QDialogButtonBox::Ok);
    grid->addWidget(buttons, static_cast<int>(mRows.size()) + 1, 0, 1, 3);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    UpdateOk();
    CentreOverParent(*this);
}

void AxisLimitsDialog::UpdateOk() {
    bool valid = true;
    for (const Row& row : mRows) {
        valid = valid && row.low->IsValid() && row.high->IsValid();
    }
    mOk->setEnabled(valid);
}

std::vector<AxisRange> AxisLimitsDialog::Ranges() const {
    std::vector<AxisRange> ranges;
    for (const Row& row : mRows) {
        const double factor = row.axis.factor;
        ranges.emplace_back(row.low->Value() / factor, row.high->Value() / factor,
                            row.axis.range.IsLog());
    }
    return ranges;
}
