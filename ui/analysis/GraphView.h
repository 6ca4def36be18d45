#pragma once

#include "filter/SampleRate.h"
#include "filter/Zpk.h"
#include "plot/PhaseSegments.h"
#include "response/FFreqResponse.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <vector>

class DesignDocument;
class QPainter;

// The compact response view under the z-plane: the magnitude (normalised to a peak
// of 1) and the phase of the design's frequency response from 0 Hz to half the
// sampling rate, side by side, recomputed whenever the document's nodes change, also
// at every step of a drag. While the design has a requirement, the magnitude panel
// shades where the response must not go.
class GraphView : public QWidget {
    Q_OBJECT
public:
    // Number of frequency steps; the traces have one point more.
    static constexpr int kResolution = 100;

    explicit GraphView(const DesignDocument& document, QWidget* parent = nullptr);

    void SetBkColour(uint32_t colour);
    void SetGridColour(uint32_t colour);
    void SetTraceColour(uint32_t colour);
    // Sampling rate in Hz, which labels the frequency axes.
    void SetSampleRate(::SampleRate rate);
    ::SampleRate SampleRate() const { return mSampleRate; }

    // Recomputes the response of the design and redraws the traces.
    void UpdateFromNodeList();

    const FFreqResponse& Response() const { return mResponse; }
    const QImage& Picture() const { return mCanvas; }

    // The two panels in a client rectangle: magnitude on the left, phase on the right,
    // the phase panel taking the extra pixel of an odd width.
    static QRect MagRect(const QRect& client);
    static QRect PhaseRect(const QRect& client);
    // Trace point k (0 ... kResolution, or between) of a normalised magnitude in panel m,
    // truncated to a whole device pixel of which there are ratio to a client pixel.
    static QPointF MagPoint(const QRect& m, double k, double magnitude, double ratio = 1.0);
    // Trace point k of a phase in radians (-pi ... pi) in panel p, likewise.
    static QPointF PhasePoint(const QRect& p, double k, double phase, double ratio = 1.0);

    QSize sizeHint() const override { return QSize(600, 100); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The phase trace's pieces for a design.
    static std::vector<std::vector<PlotPoint>> ContinuousPhase(const Zpk& zpk);
    void Redraw();
    void DoStylePaint(QPainter& painter);
    void PlotMagBackground(QPainter& painter);
    void PlotMagMask(QPainter& painter);
    void PlotMagGraph(QPainter& painter);
    void PlotPhaseBackground(QPainter& painter);
    void PlotPhaseGraph(QPainter& painter);

    const DesignDocument& mDocument;
    QRect mMagRect;
    QRect mPhaseRect;
    FFreqResponse mResponse;
    // The continuous phase's pieces, at steps 0 ... kResolution and on the jumps.
    std::vector<std::vector<PlotPoint>> mPhaseSegments;
    uint32_t mGridColour = 0;
    uint32_t mTraceColour = 0;
    uint32_t mBkColour;
    QFont mainFont;
    ::SampleRate mSampleRate = kDefaultSampleRate;
    QImage mCanvas;
};
