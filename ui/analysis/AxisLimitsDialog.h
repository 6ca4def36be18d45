#pragma once

#include "plot/AxisRange.h"
#include "ui/analysis/AnalysisGraph.h"
#include "ui/widgets/CheckedField.h"

#include <QDialog>
#include <QPushButton>

#include <vector>

// "Axis Limits": the lowest and highest value each axis of a graph shows, typed. A value
// that is no number, a low end not below the high one, or an end at or below 0 on a log
// axis is shown as bad, and OK waits until every entry is good.
class AxisLimitsDialog : public QDialog {
    Q_OBJECT
public:
    AxisLimitsDialog(const std::vector<AnalysisGraph::Axis>& axes, QWidget* parent = nullptr);

    // The ranges typed, in the order and terms of the axes given.
    std::vector<AxisRange> Ranges() const;

    CheckedField& Low(int axis) { return *mRows.at(static_cast<size_t>(axis)).low; }
    CheckedField& High(int axis) { return *mRows.at(static_cast<size_t>(axis)).high; }
    QPushButton& OkButton() { return *mOk; }

private:
    // The fields are the dialog's children.
    struct Row {
        AnalysisGraph::Axis axis;
        CheckedField* low;
        CheckedField* high;
    };
    void UpdateOk();

    std::vector<Row> mRows;
    QPushButton* mOk = nullptr;
};
