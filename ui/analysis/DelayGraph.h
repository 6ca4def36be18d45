#pragma once

#include "filter/Zpk.h"
#include "response/FGroupDelay.h"
#include "response/ResponseMarkers.h"
#include "ui/analysis/AnalysisGraph.h"

#include <vector>

// The analysis window's group delay graph: the delay in samples of the design from
// 0 Hz to half the sampling rate over a linear or log frequency axis, with gaps where
// a zero on the unit circle leaves it undefined, and a cursor reading out the delay
// there in samples and milliseconds, beside the true largest delay. Overlays: panel 0
// takes a delay in samples; x is in Hz.
class DelayGraph : public AnalysisGraph {
    Q_OBJECT
public:
    // Number of frequency steps of the saved values; they have one line more.
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

    void HoldReference() override;
    void FindPeak() override;
    void ClearMarkers() override;

    QRect PanelRect() const { return mPanel; }
    // The delay axis for delays from low to high samples: round values around them,
    // 0 included, never less than one sample apart.
    static AxisRange DelayRange(double low, double high);

protected:
    void Layout(QSize client) override;
    std::vector<QRect> PlotAreas() const override;
    AxisRange FullXRange() const override;
    AxisRange FullYRange(int panel) const override;
    void DrawPanels(QPainter& painter) override;
    void DrawTraces(QPainter& painter) override;
    std::array<QString, 4> StatusTexts() const override;
    std::optional<double> OwnValue(int panel, double x) const override;
    QString XText(double x, double step) const override;
    QString AxisValueText(int panel, double axisValue) const override;
    QString XName() const override;
    QString YName(int panel) const override;
    void SampleRateChanged() override;
    std::vector<std::function<double(double x)>> QuantizedPanels(const Zpk& roots) override;

private:
    // Hz and the delay there across the view, two a device pixel and at the angles of
    // the roots near the circle.
    const std::vector<std::pair<double, double>>& Samples() const;
    double Omega(double hz) const { return hz / (mSampleRate / 2.0) * kPi; }
    void UpdateMarkers();

    QRect mPanel;
    Zpk mZpk;
    FGroupDelay mDelay;
    // The quantized design's, while its trace is shown.
    FGroupDelay mQuantizedDelay;
    DelayPeak mPeak;
    int mScale = kCmdScaleLinear;
    bool mPeakMarked = false;
    mutable std::vector<std::pair<double, double>> mSamples;
    mutable std::vector<double> mSampledFor;
    int mVersion = 0;
};
