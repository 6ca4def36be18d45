#pragma once

#include "response/CInputResponse.h"
#include "ui/analysis/AnalysisGraph.h"

#include <memory>

// The analysis window's time graph: the impulse, step or ramp response of the design
// over a duration in milliseconds, each sample's real part drawn as a stem with a mark
// while the samples stand at least 4 pixels apart and as a plain line below that, with
// a cursor reading out the sample under it. An unstable design's response is scaled to
// its finite samples and said to be unstable. Overlays: x is the sample number, panel 0
// takes a sample's value.
class TimeGraph : public AnalysisGraph {
    Q_OBJECT
public:
    // Samples closer than this many pixels are joined by a line instead of stemmed.
    static constexpr double kStemSpacing = 4.0;

    explicit TimeGraph(QWidget* parent = nullptr);

    // kCmdImpulseResponse, kCmdStepResponse or kCmdRampResponse: a fresh response of
    // that kind, computed at once.
    void SetPlotType(int id);
    // Stores ms lengthened to the next whole number of sample periods beyond it and
    // redraws; the caller recomputes.
    void SetDuration(double ms);
    // Milliseconds.
    double Duration() const { return mDuration; }

    // Recomputes the response from gNodeList for the duration at the sampling rate,
    // and redraws. A non-causal design, a negative count or more than kMaxTimeSamples
    // samples keep the samples there were.
    void UpdateFromNodeList();
    // Writes the raw samples as a points file; false when it could not be written.
    bool PrintToFile(const char* path) const;
    void CopyToClipboard();

    void HoldReference() override;
    // Marks the sample of the largest magnitude.
    void FindPeak() override;
    void ClearMarkers() override;

    const CInputResponse& Response() const { return *mResponse; }
    QRect TraceRect() const { return mTraceRect; }

    // The peak the picture is scaled to: the response's largest magnitude, or where
    // that overflowed, the largest finite value; 1 when there is none.
    static double DisplayPeak(const CInputResponse& response);

protected:
    void Layout(QSize client) override;
    std::vector<QRect> PlotAreas() const override;
    AxisRange FullXRange() const override;
    AxisRange FullYRange(int panel) const override;
    std::vector<double> TraceXs() const override;
    void DrawPanels(QPainter& painter) override;
    void DrawTraces(QPainter& painter) override;
    std::array<QString, 4> StatusTexts() const override;
    std::optional<double> OwnValue(int panel, double x) const override;
    QString XText(double x, double step) const override;
    QString AxisValueText(int panel, double axisValue) const override;
    QString XName() const override;
    QString YName(int panel) const override;
    double XFactor() const override;

private:
    // The sample at x rounded and kept in range; none without samples.
    std::optional<int> SampleAt(double x) const;
    void UpdateMarkers();

    QRect mTraceRect;
    std::unique_ptr<CInputResponse> mResponse;
    double mDuration = 1.0;
    bool mPeakMarked = false;
};
