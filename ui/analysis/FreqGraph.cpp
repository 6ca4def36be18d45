#include "ui/analysis/FreqGraph.h"

#include "core/FormatC.h"
#include "filter/Zpk.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QPolygonF>

#include <cmath>

namespace {

// Insets of the plot areas from their panels: top, left, bottom, right.
constexpr int mtos = 5, mlos = 10, mbos = 15, mros = 5;
constexpr int ptos = 5, plos = 10, pbos = 5, pros = 5;

// |h| / peak, where an infinite peak (a pole on the unit circle) leaves only the
// infinite values at the top.
double Normalised(double magnitude, double peak) {
    if (std::isinf(peak)) {
        return std::isinf(magnitude) ? 1.0 : 0.0;
    }
    return magnitude / peak;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

FreqGraph::FreqGraph(QWidget* parent) : AnalysisGraph(parent) {}

QRect FreqGraph::MagRectFor(QSize client) {
    const int b = client.height() - 40;
    return RectFromEdges(0, 3, client.width(), b / 2 - 3);
}

QRect FreqGraph::PhaseRectFor(QSize client) {
    const int b = client.height() - 40;
    return RectFromEdges(0, b / 2, client.width(), b);
}

QRect FreqGraph::MagPlot(const QRect& magRect) {
    return RectFromEdges(magRect.left() + mlos, magRect.top() + mtos, RightOf(magRect) - mros,
                         BottomOf(magRect) - mbos);
}

QRect FreqGraph::PhasePlot(const QRect& phaseRect) {
    return RectFromEdges(phaseRect.left() + plos, phaseRect.top() + ptos, RightOf(phaseRect) - pros,
                         BottomOf(phaseRect) - pbos);
}

AxisScale FreqGraph::MagnitudeAxis(const QRect& m, bool decibels, double floorDb) {
    return decibels ? AxisScale::Linear(floorDb, 0.0, BottomOf(m), m.top())
                    : AxisScale::Linear(0.0, 1.0, BottomOf(m), m.top());
}

AxisScale FreqGraph::PhaseAxis(const QRect& p) {
    const int half = p.height() / 2;
    return AxisScale::Linear(-kPi, kPi, p.top() + 2 * half, p.top());
}

void FreqGraph::SetPhaseUnits(int units) {
    mPhaseUnits = units;
    Redraw();
}

void FreqGraph::SetScale(int scale) {
    mScale = scale;
    Redraw();
}

void FreqGraph::UpdateFromNodeList() {
    if (!mResponse.Initialize(Zpk::FromNodeList(gNodeList), kResolution)) {
        return;
    }
    mLogSamples.clear();
    for (int i = 0; i <= kResolution; ++i) {
        const double omega = LogSpacedOmega(i, kResolution);
        const FComplex h = mResponse.ExactResponse(omega);
        mLogSamples.push_back({omega, Normalised(h.Mag(), mResponse.Scale()), h.Phase()});
    }
    Redraw();
}

bool FreqGraph::PrintToFile(const char* path) const {
    return mResponse.PrintToFile(path);
}

void FreqGraph::CopyToClipboard(int id) {
    CopyWndToClipboard(this, id == kCmdCopyPhase ? mPhaseRect : mMagRect);
}

void FreqGraph::Layout(QSize client) {
    mMagRect = MagRectFor(client);
    mPhaseRect = PhaseRectFor(client);
}

std::vector<QRect> FreqGraph::PlotAreas() const {
    return {MagPlot(mMagRect), PhasePlot(mPhaseRect)};
}

std::vector<FreqGraph::TraceSample> FreqGraph::TraceSamples() const {
    if (LogFrequencyScale(mScale)) {
        return mLogSamples;
    }
    std::vector<TraceSample> samples;
    for (int i = 0; i < mResponse.CpxCount(); ++i) {
        const FComplex h = mResponse.RawResponse(i);
        samples.push_back(
            {i * kPi / kResolution, Normalised(h.Mag(), mResponse.Scale()), h.Phase()});
    }
    return samples;
}

double FreqGraph::FloorDb() const {
    double lowest = 0.0;
    // A zero right on the unit circle gives -infinity, which no axis shows: the trace
    // dips to the bottom there, and the axis spans the values it can show.
    for (const TraceSample& s : TraceSamples()) {
        const double db = AxisScale::Decibels(s.magnitude, 1.0);
        if (std::isfinite(db)) {
            lowest = std::min(lowest, db);
        }
    }
    return AxisScale::DbFloor(lowest);
}

void FreqGraph::Draw(QPainter& painter) {
    DoStylePaint(painter);
    PlotMagGraph(painter);
    PlotPhaseGraph(painter);
}

std::array<QString, 4> FreqGraph::StatusTexts() const {
    const QRect m = MagPlot(mMagRect);
    const double half = mSampleRate / 2.0;
    double hz = 0.0;
    double mag = 0.0;
    double phase = 0.0;
    if (mLastXPos >= 0) {
        hz = FrequencyAxis(m, mSampleRate, LogFrequencyScale(mScale)).ToValue(mLastXPos);
        // Before the first computation there is no peak to divide by; read 0 then.
        if (mResponse.Scale() > 0.0) {
            const FComplex h = mResponse.ExactResponse(hz / half * kPi);
            // On a pole the read-out says inf; the trace stands at the top there.
            mag = std::isinf(h.Mag()) ? h.Mag() : Normalised(h.Mag(), mResponse.Scale());
            phase = h.Phase();
        }
    }
    const QString magnitude =
        DecibelScale(mScale) ? Text(FormatC("Magnitude: %.2f dB", AxisScale::Decibels(mag, 1.0)))
                             : Text(FormatC("Magnitude: %.2f ", mag));
    const QString phaseText = mPhaseUnits == kCmdDegrees
                                  ? Text(FormatC("Phase: %.2f (deg)", phase * 180.0 / kPi))
                                  : Text(FormatC("Phase: %.2f (rad)", phase));
    return {Text(FormatC("Frequency: %.2f kHz", hz / 1000.0)), magnitude, phaseText,
            Text(FormatC("Scale: %.4f ", mResponse.Scale()))};
}

void FreqGraph::DoStylePaint(QPainter& painter) {
    const QColor back = ColourFromRef(mBkColour);
    painter.fillRect(mMagRect, back);
    painter.fillRect(mPhaseRect, back);
    Draw3dFrame(painter, mMagRect);
    Draw3dFrame(painter, mPhaseRect);
}

void FreqGraph::PlotMagGraph(QPainter& painter) {
    const QRect m = MagPlot(mMagRect);
    const bool db = DecibelScale(mScale);
    const AxisScale x = FrequencyAxis(m, mSampleRate, LogFrequencyScale(mScale));
    const AxisScale y = MagnitudeAxis(m, db, db ? FloorDb() : 0.0);
    DrawXAxisGrid(painter, m, x, FrequencyTicks(x, m.width()), BottomOf(m) + 1);
    std::vector<AxisTick> yTicks = ValueTicks(y, m.height(), 24);
    if (db && !yTicks.empty()) {
        yTicks.back().label += QStringLiteral(" dB");
    }
    DrawYAxisGrid(painter, m, y, yTicks);
    painter.setPen(LinePen(mGridColour));
    painter.drawPolyline(QPolygon({QPoint(m.left(), m.top()), QPoint(m.left(), BottomOf(m)),
                                   QPoint(RightOf(m), BottomOf(m))}));

    QPolygonF trace;
    for (const TraceSample& s : TraceSamples()) {
        trace << TracePointF(m, x, y, s.omega / kPi * x.High(),
                             db ? AxisScale::Decibels(s.magnitude, 1.0) : s.magnitude,
                             PictureRatio());
    }
    painter.setPen(LinePen(mTraceColour));
    painter.drawPolyline(trace);
}

void FreqGraph::PlotPhaseGraph(QPainter& painter) {
    const QRect p = PhasePlot(mPhaseRect);
    const AxisScale x = FrequencyAxis(p, mSampleRate, LogFrequencyScale(mScale));
    const AxisScale y = PhaseAxis(p);
    const bool degrees = mPhaseUnits == kCmdDegrees;
    std::vector<AxisTick> yTicks;
    const bool room = p.height() >= 100;
    for (int quarter = -2; quarter <= 2; ++quarter) {
        if (room || quarter % 2 == 0) {
            static const char* const kRadians[] = {"-\u03c0", "-\u03c0/2", "0", "\u03c0/2",
                                                   "\u03c0"};
            yTicks.push_back({quarter * kPi / 2, degrees
                                                     ? QString::number(quarter * 90)
                                                     : QString::fromUtf8(kRadians[quarter + 2])});
        }
    }
    yTicks.back().label += degrees ? QStringLiteral(" deg") : QStringLiteral(" rad");
    DrawYAxisGrid(painter, p, y, yTicks);
    // The values stand under the magnitude panel's ticks, straight above; here only
    // the last one with its unit, clear of the phase labels.
    std::vector<AxisTick> xTicks = FrequencyTicks(x, p.width());
    for (size_t k = 0; k + 1 < xTicks.size(); ++k) {
        xTicks[k].label.clear();
    }
    const QFontMetrics metrics(mainFont);
    DrawXAxisGrid(painter, p, x, xTicks, BottomOf(p) - metrics.height() - 1);
    const int yc = AxisPixel(y, 0.0);
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(p.left(), p.top(), p.left(), BottomOf(p));
    painter.drawLine(p.left(), yc, RightOf(p), yc);

    QPolygonF trace;
    std::vector<double> phases;
    for (const TraceSample& s : TraceSamples()) {
        phases.push_back(s.phase);
        trace << TracePointF(p, x, y, s.omega / kPi * x.High(), s.phase, PictureRatio());
    }
    painter.setPen(LinePen(mTraceColour));
    DrawPhaseTrace(painter, trace, phases);
}
