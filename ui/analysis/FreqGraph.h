#pragma once

#include "filter/WideGain.h"
#include "filter/Zpk.h"
#include "response/FFreqResponse.h"
#include "ui/analysis/AnalysisGraph.h"

#include <vector>

// The analysis window's frequency graph: the magnitude of the design's response divided
// by its true peak over its phase, from 0 Hz to half the sampling rate, on a linear or
// dB magnitude axis over a linear or log frequency axis, with a cursor whose read-out
// evaluates the response exactly at its frequency. The phase is drawn folded into
// -pi ... pi, or unwrapped; it breaks, as a gap, only where it jumps.
// Overlays: panel 0 takes |H| divided by the peak (1 is 0 dB), panel 1 the phase in
// radians as a continuous function; x is in Hz.
class FreqGraph : public AnalysisGraph {
    Q_OBJECT
public:
    // Number of frequency steps of the saved values; they have one sample more.
    static constexpr int kResolution = 1023;

    explicit FreqGraph(QWidget* parent = nullptr);

    // kCmdDegrees shows the phase in degrees, any other value in radians.
    void SetPhaseUnits(int units);
    int PhaseUnits() const { return mPhaseUnits; }
    // kCmdScaleLinear ... kCmdScaleLinearLog: the axes the picture and read-out use.
    void SetScale(int scale);
    int Scale() const { return mScale; }
    // The phase as one continuous function rather than folded into -pi ... pi.
    void SetUnwrapped(bool unwrapped);
    bool Unwrapped() const { return mUnwrapped; }

    // Recomputes the response from gNodeList and redraws.
    void UpdateFromNodeList();
    // Writes the raw samples as a points file; false when it could not be written.
    bool PrintToFile(const char* path) const;
    // kCmdCopyPhase copies the phase panel, any other id the magnitude panel.
    void CopyToClipboard(int id);

    void HoldReference() override;
    void FindPeak() override;
    bool FindHalfPower() override;
    // The markers then no longer follow the design.
    void ClearMarkers() override;

    const FFreqResponse& Response() const { return mResponse; }
    // The design's true peak |H|, which the magnitude panel divides by: a trace of a
    // related response divides by it too to be drawn on the same terms.
    const WideGain& Peak() const { return mPeak; }
    QRect MagRect() const { return mMagRect; }
    QRect PhaseRect() const { return mPhaseRect; }

    // The two panels in a client area: the magnitude from 3 pixels below the top, the
    // phase 3 pixels under it, both above the read-out's 40-pixel strip.
    static QRect MagRectFor(QSize client);
    static QRect PhaseRectFor(QSize client);
    // The plot areas inside the panels.
    static QRect MagPlot(const QRect& magRect);
    static QRect PhasePlot(const QRect& phaseRect);
    // |H(e^jw)| of zpk divided by a peak given as its natural logarithm, also beyond the
    // range of a double; beside an infinite peak (a pole on the circle) only the
    // infinite values reach 1.
    static double NormalisedMagnitude(const Zpk& zpk, double peakLog, double omega);

protected:
    void Layout(QSize client) override;
    std::vector<QRect> PlotAreas() const override;
    AxisRange FullXRange() const override;
    AxisRange FullYRange(int panel) const override;
    double AxisValue(int panel, double value) const override;
    bool BreaksBetween(int panel, double a, double b) const override;
    void DrawPanels(QPainter& painter) override;
    void DrawTraces(QPainter& painter) override;
    std::array<QString, 4> StatusTexts() const override;
    std::optional<double> OwnValue(int panel, double x) const override;
    QString XText(double x, double step) const override;
    QString AxisValueText(int panel, double axisValue) const override;
    QString XName() const override;
    QString YName(int panel) const override;
    double YFactor(int panel) const override;
    void SampleRateChanged() override;
    std::vector<std::function<double(double x)>> QuantizedPanels(const Zpk& roots) override;

private:
    // A point the traces go through: the frequency in Hz, the magnitude divided by the
    // peak, and the continuous phase in radians.
    struct TraceSample {
        double hz;
        double magnitude;
        double phase;
    };
    // The trace points across the view: two a device pixel, and the angles of the roots
    // on or near the circle, where the response dips, peaks or jumps.
    const std::vector<TraceSample>& Samples() const;
    double Omega(double hz) const { return hz / (mSampleRate / 2.0) * kPi; }
    double FloorDb() const;
    void UpdateMarkers();
    void PlotMagBackground(QPainter& painter);
    void PlotPhaseBackground(QPainter& painter);

    QRect mMagRect;
    QRect mPhaseRect;
    FFreqResponse mResponse;
    Zpk mZpk;
    WideGain mPeak{1.0};
    // The quantized design's peak over the design's, as far as the magnitude axis
    // reaches up to show it (at most 20 dB); 1 without one.
    double mQuantizedTop = 1.0;
    int mPhaseUnits = kCmdDegrees;
    int mScale = kCmdScaleLinear;
    bool mUnwrapped = false;
    bool mPeakMarked = false;
    bool mHalfPowerMarked = false;
    // The samples and what they were taken for: the design's version and the view.
    mutable std::vector<TraceSample> mSamples;
    mutable std::vector<double> mSampledFor;
    int mVersion = 0;
};
