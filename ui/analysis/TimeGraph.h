#pragma once

#include "response/CInputResponse.h"
#include "ui/analysis/AnalysisGraph.h"

#include <memory>

// The analysis window's time graph: the impulse, step or ramp response of the design
// over a duration in milliseconds, each sample's real part (scaled by the peak)
// marked with an X and joined by lines, with a cursor reading out the sample under it.
class TimeGraph : public AnalysisGraph {
    Q_OBJECT
public:
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

    const CInputResponse& Response() const { return *mResponse; }
    QRect TraceRect() const { return mTraceRect; }

    // The axis of sample numbers across plot area t: sample 0 on the left axis, the
    // last of count samples at the right end.
    static AxisScale SampleAxis(const QRect& t, int count);
    // The vertical axis of t: -peak at the bottom, 0 on the middle line, peak at the top.
    static AxisScale AmplitudeAxis(const QRect& t, double peak);
    // The peak the picture is scaled to: the response's largest magnitude, or where
    // that overflowed, the largest finite value; 1 when there is none.
    static double DisplayPeak(const CInputResponse& response);

protected:
    void Layout(QSize client) override;
    std::vector<QRect> PlotAreas() const override;
    void Draw(QPainter& painter) override;
    std::array<QString, 4> StatusTexts() const override;

private:
    void DoStylePaint(QPainter& painter);
    void PlotMagBackground(QPainter& painter);
    void PlotMagGraph(QPainter& painter);

    QRect mTraceRect;
    std::unique_ptr<CInputResponse> mResponse;
    double mDuration = 1.0;
};
