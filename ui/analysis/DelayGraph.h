#pragma once

#include "response/FGroupDelay.h"
#include "ui/analysis/AnalysisGraph.h"

#include <utility>

// The analysis window's group delay graph: the delay in samples of the design from
// 0 Hz to half the sampling rate over a linear or log frequency axis, with gaps where
// a zero on the unit circle leaves it undefined, and a cursor reading out the delay
// there in samples and milliseconds.
class DelayGraph : public AnalysisGraph {
    Q_OBJECT
public:
    // Number of frequency steps; the trace has one point more.
    static constexpr int kResolution = 1023;

    explicit DelayGraph(QWidget* parent = nullptr);

    // kCmdScaleLinear ... kCmdScaleLinearLog: a log scale's frequency axis is used.
    void SetScale(int scale);
    // Recomputes the delay from gNodeList and redraws.
    void UpdateFromNodeList();
    // Writes "frequency_hz delay_samples" lines at the frequencies of the points files;
    // false when the file could not be written.
    bool PrintToFile(const char* path) const;
    void CopyToClipboard();

    QRect PanelRect() const { return mPanel; }
    // The delay axis of a plot area for delays from low to high samples: round values
    // around them, never less than one sample apart.
    static AxisScale DelayAxis(const QRect& area, double low, double high);

protected:
    void Layout(QSize client) override;
    std::vector<QRect> PlotAreas() const override;
    void Draw(QPainter& painter) override;
    std::array<QString, 4> StatusTexts() const override;

private:
    void Sample();
    // The lowest and highest defined delay of the trace, 0 included.
    std::pair<double, double> Range() const;

    QRect mPanel;
    FGroupDelay mDelay;
    // Radians per sample and the delay there, evenly spread along the axis in use.
    std::vector<std::pair<double, double>> mTrace;
    int mScale = kCmdScaleLinear;
};
