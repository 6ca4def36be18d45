#pragma once

#include "analysis/FFreqResponse.h"
#include "ui/AnalysisGraph.h"

// The analysis window's frequency graph: the normalised magnitude over the phase of
// the design's response from 0 Hz to half the sampling rate, with a cursor whose
// read-out evaluates the response exactly at its frequency.
class FreqGraph : public AnalysisGraph {
    Q_OBJECT
public:
    // Number of frequency steps; the response has one sample more.
    static constexpr int kResolution = 1023;

    explicit FreqGraph(QWidget* parent = nullptr);

    // kCmdDegrees shows the read-out's phase in degrees, any other value in radians.
    // The phase trace is the same in both.
    void SetPhaseUnits(int units);
    int PhaseUnits() const { return mPhaseUnits; }

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
    // Trace point i (0 ... kResolution) of a normalised magnitude in plot area m, and
    // of a phase in radians in plot area p.
    static QPoint MagPoint(const QRect& m, int i, double magnitude);
    static QPoint PhasePoint(const QRect& p, int i, double phase);

protected:
    void Layout(QSize client) override;
    std::vector<QRect> PlotAreas() const override;
    void Draw(QPainter& painter) override;
    std::array<QString, 4> StatusTexts() const override;

private:
    void DoStylePaint(QPainter& painter);
    void PlotMagBackground(QPainter& painter);
    void PlotMagGraph(QPainter& painter);
    void PlotPhaseBackground(QPainter& painter);
    void PlotPhaseGraph(QPainter& painter);

    QRect mMagRect;
    QRect mPhaseRect;
    FFreqResponse mResponse;
    int mPhaseUnits = kCmdDegrees;
};
