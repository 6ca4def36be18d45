#pragma once

#include "response/FFreqResponse.h"
#include "ui/analysis/AnalysisGraph.h"

#include <vector>

// The analysis window's frequency graph: the normalised magnitude over the phase of
// the design's response from 0 Hz to half the sampling rate, on a linear or dB
// magnitude axis over a linear or log frequency axis, with a cursor whose read-out
// evaluates the response exactly at its frequency.
class FreqGraph : public AnalysisGraph {
    Q_OBJECT
public:
    // Number of frequency steps; the response has one sample more.
    static constexpr int kResolution = 1023;

    explicit FreqGraph(QWidget* parent = nullptr);

    // kCmdDegrees shows the phase in degrees, any other value in radians.
    void SetPhaseUnits(int units);
    int PhaseUnits() const { return mPhaseUnits; }
    // kCmdScaleLinear ... kCmdScaleLinearLog: the axes the picture and read-out use.
    void SetScale(int scale);
    int Scale() const { return mScale; }

    // Recomputes the response from gNodeList and redraws.
    void UpdateFromNodeList();
    // Writes the raw samples as a points file; false when it could not be written.
    bool PrintToFile(const char* path) const;
    // kCmdCopyPhase copies the phase panel, any other id the magnitude panel.
    void CopyToClipboard(int id);

    const FFreqResponse& Response() const { return mResponse; }
    QRect MagRect() const { return mMagRect; }
    QRect PhaseRect() const { return mPhaseRect; }

    // The two panels in a client area: the magnitude from 3 pixels below the top, the
    // phase 3 pixels under it, both above the read-out's 40-pixel strip.
    static QRect MagRectFor(QSize client);
    static QRect PhaseRectFor(QSize client);
    // The plot areas inside the panels.
    static QRect MagPlot(const QRect& magRect);
    static QRect PhasePlot(const QRect& phaseRect);
    // The vertical axes of the plot areas: normalised magnitude 0 ... 1 (or dB from
    // floorDb to 0), and phase -pi ... pi about the middle.
    static AxisScale MagnitudeAxis(const QRect& m, bool decibels, double floorDb);
    static AxisScale PhaseAxis(const QRect& p);

protected:
    void Layout(QSize client) override;
    std::vector<QRect> PlotAreas() const override;
    void Draw(QPainter& painter) override;
    std::array<QString, 4> StatusTexts() const override;

private:
    // A point the traces go through: w in radians per sample, the magnitude there
    // divided by the peak, and the phase in radians.
    struct TraceSample {
        double omega;
        double magnitude;
        double phase;
    };
    // The trace points, evenly spread along the frequency axis in use.
    std::vector<TraceSample> TraceSamples() const;
    double FloorDb() const;
    void DoStylePaint(QPainter& painter);
    void PlotMagGraph(QPainter& painter);
    void PlotPhaseGraph(QPainter& painter);

    QRect mMagRect;
    QRect mPhaseRect;
    FFreqResponse mResponse;
    // The response at log-spaced frequencies, for the log frequency axis.
    std::vector<TraceSample> mLogSamples;
    int mPhaseUnits = kCmdDegrees;
    int mScale = kCmdScaleLinear;
};
