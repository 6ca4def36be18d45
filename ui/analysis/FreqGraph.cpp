#include "ui/analysis/FreqGraph.h"

#include "core/FormatC.h"
#include "filter/PeakGain.h"
#include "plot/PhaseSegments.h"
#include "plot/ReadoutFormat.h"
#include "response/ResponseMarkers.h"
#include "response/UnwrappedPhase.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"
#include "ui/VectorState.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// Insets of the plot areas from their panels: top, left, bottom, right.
constexpr int mtos = 5, mlos = 10, mbos = 15, mros = 5;
constexpr int ptos = 5, plos = 10, pbos = 5, pros = 5;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The phase folded into (-pi, pi].
double Folded(double phase) {
    return phase - 2 * kPi * std::ceil((phase - kPi) / (2 * kPi));
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

double FreqGraph::NormalisedMagnitude(const Zpk& zpk, double peakLog, double omega) {
    const double log = zpk.MagnitudeOnCircle(omega).Log();
    if (std::isinf(peakLog)) {
        return std::isinf(log) && log > 0 ? 1.0 : 0.0;
    }
    // A response that is 0 everywhere has no peak to divide by.
    if (!std::isfinite(peakLog - log) && !std::isinf(log)) {
        return 0.0;
    }
    return std::exp(log - peakLog);
}

void FreqGraph::SetPhaseUnits(int units) {
    mPhaseUnits = units;
    Redraw();
}

void FreqGraph::SetScale(int scale) {
    mScale = scale;
    // The magnitude axis's units may have changed; the frequency axis keeps what it can.
    ResetYRanges();
    Redraw();
}

void FreqGraph::SetUnwrapped(bool unwrapped) {
    mUnwrapped = unwrapped;
    ResetYRange(1);
    Redraw();
}

void FreqGraph::UpdateFromNodeList() {
    ClearUpperVectorState();
    mZpk = Zpk::FromNodeList(gNodeList);
    if (!mResponse.Initialize(mZpk, kResolution)) {
        return;
    }
    mPeak = WidePeakGain(mZpk);
    ++mVersion;
    UpdateMarkers();
    Redraw();
}

bool FreqGraph::PrintToFile(const char* path) const {
    return mResponse.PrintToFile(path);
}

void FreqGraph::CopyToClipboard(int id) {
    CopyWndToClipboard(this, id == kCmdCopyPhase ? mPhaseRect : mMagRect);
}

void FreqGraph::HoldReference() {
    // The reference keeps its own roots and peak; it follows the sampling rate, as the
    // design it was would.
    const Zpk zpk = mZpk;
    const double peakLog = mPeak.Log();
    SetReference(
        {[this, zpk, peakLog](double hz) { return NormalisedMagnitude(zpk, peakLog, Omega(hz)); },
         [this, phase = UnwrappedPhase(zpk)](double hz) { return phase.At(Omega(hz)); }});
}

void FreqGraph::FindPeak() {
    mPeakMarked = true;
    UpdateMarkers();
    Redraw();
}

bool FreqGraph::FindHalfPower() {
    mHalfPowerMarked = true;
    UpdateMarkers();
    Redraw();
    return true;
}

void FreqGraph::UpdateMarkers() {
    std::vector<GraphMarker> markers;
    const double hzPerRadian = mSampleRate / 2.0 / kPi;
    if (mPeakMarked) {
        const PeakPoint peak = ::FindPeak(mZpk);
        markers.push_back({0, peak.omega * hzPerRadian, 1.0, QStringLiteral("Peak")});
    }
    if (mHalfPowerMarked) {
        for (const double omega : FindHalfPowerPoints(mZpk)) {
            markers.push_back({0, omega * hzPerRadian, std::sqrt(0.5), QStringLiteral("-3 dB")});
        }
    }
    SetMarkers(std::move(markers));
}

void FreqGraph::ClearMarkers() {
    mPeakMarked = false;
    mHalfPowerMarked = false;
    AnalysisGraph::ClearMarkers();
}

void FreqGraph::SampleRateChanged() {
    UpdateMarkers();
}

std::vector<std::function<double(double)>> FreqGraph::QuantizedPanels(const Zpk& roots) {
    // A peak that quantizing raised stays in view, unless it is far above the design's.
    mQuantizedTop = std::clamp(std::exp(WidePeakGain(roots).Log() - mPeak.Log()), 1.0, 10.0);
    if (!std::isfinite(mQuantizedTop)) {
        mQuantizedTop = 1.0;
    }
    return {[this, roots](double hz) { return NormalisedMagnitude(roots, mPeak.Log(), Omega(hz)); },
            [this, phase = UnwrappedPhase(roots)](double hz) { return phase.At(Omega(hz)); }};
}

void FreqGraph::Layout(QSize client) {
    mMagRect = MagRectFor(client);
    mPhaseRect = PhaseRectFor(client);
}

std::vector<QRect> FreqGraph::PlotAreas() const {
    return {MagPlot(mMagRect), PhasePlot(mPhaseRect)};
}

AxisRange FreqGraph::FullXRange() const {
    return FrequencyRange(mSampleRate, LogFrequencyScale(mScale));
}

AxisRange FreqGraph::FullYRange(int panel) const {
    if (panel == 0) {
        const double top = QuantizedRoots() ? mQuantizedTop : 1.0;
        return DecibelScale(mScale)
                   ? AxisRange(FloorDb(), std::ceil(AxisScale::Decibels(top, 1.0)), false)
                   : AxisRange(0.0, top, false);
    }
    if (!mUnwrapped) {
        return AxisRange(-kPi, kPi, false);
    }
    // The phase there is, out to the next quarter turns.
    double low = 0.0;
    double high = 0.0;
    for (const TraceSample& s : Samples()) {
        if (std::isfinite(s.phase)) {
            low = std::min(low, s.phase);
            high = std::max(high, s.phase);
        }
    }
    const double quarter = kPi / 2;
    low = std::floor(low / quarter) * quarter;
    return AxisRange(low, std::max(std::ceil(high / quarter) * quarter, low + quarter), false);
}

double FreqGraph::AxisValue(int panel, double value) const {
    if (panel == 0) {
        return DecibelScale(mScale) ? AxisScale::Decibels(value, 1.0) : value;
    }
    return mUnwrapped ? value : Folded(value);
}

bool FreqGraph::BreaksBetween(int panel, double a, double b) const {
    return panel == 1 && !mUnwrapped && std::fabs(a - b) > kPi;
}

const std::vector<FreqGraph::TraceSample>& FreqGraph::Samples() const {
    const QRect plot = MagPlot(mMagRect);
    std::vector<double> key = FrequencySamplingKey(plot, mVersion);
    if (key == mSampledFor) {
        return mSamples;
    }
    mSampledFor = std::move(key);
    // Asked for while drawing, which leaves the vector registers dirty.
    ClearUpperVectorState();
    const std::vector<double> hz = TraceFrequencies(plot, mZpk);
    const double peakLog = mPeak.Log();
    const UnwrappedPhase phase(mZpk);
    mSamples.clear();
    for (const double f : hz) {
        mSamples.push_back({f, NormalisedMagnitude(mZpk, peakLog, Omega(f)), phase.At(Omega(f))});
    }
    return mSamples;
}

double FreqGraph::FloorDb() const {
    double lowest = 0.0;
    // A zero right on the unit circle gives -infinity, which no axis shows: the trace
    // dips to the bottom there, and the axis spans the values it can show.
    for (const TraceSample& s : Samples()) {
        const double db = AxisScale::Decibels(s.magnitude, 1.0);
        if (std::isfinite(db)) {
            lowest = std::min(lowest, db);
        }
    }
    return AxisScale::DbFloor(lowest);
}

std::array<QString, 4> FreqGraph::StatusTexts() const {
    const double hz = Cursor();
    const double omega = Omega(hz);
    // On a pole the read-out says inf; the trace stands at the top there.
    const auto magnitudeText = [this, omega](const Zpk& zpk) {
        const double raw = zpk.OnCircle(omega).Mag();
        const double mag = std::isinf(raw) ? raw : NormalisedMagnitude(zpk, mPeak.Log(), omega);
        return DecibelScale(mScale) ? AxisValueText(0, AxisScale::Decibels(mag, 1.0))
                                    : Text(FormatValue(mag, 2));
    };
    const auto phaseText = [this, omega](const Zpk& zpk) {
        const double phase = AxisValue(1, UnwrappedPhase(zpk).At(omega));
        return mPhaseUnits == kCmdDegrees ? Text(FormatFixed(phase * 180.0 / kPi, 2))
                                          : Text(FormatFixed(phase, 2));
    };
    // The quantized design's values follow the design's, named by its arithmetic.
    QString magnitude = QStringLiteral("Magnitude: ") + magnitudeText(mZpk);
    QString phase = QStringLiteral("Phase: ") + phaseText(mZpk);
    if (const std::optional<Zpk>& quantized = QuantizedRoots()) {
        magnitude += QStringLiteral(", ") + QuantizedName() + ' ' + magnitudeText(*quantized);
        phase += QStringLiteral(", ") + QuantizedName() + ' ' + phaseText(*quantized);
    }
    phase += mPhaseUnits == kCmdDegrees ? QStringLiteral(" (deg)") : QStringLiteral(" (rad)");
    return {Text("Frequency: " + FormatFrequency(hz, PixelStep())),
            DecibelScale(mScale) ? magnitude : magnitude + ' ', phase,
            Text("Scale: " + FormatValue(mPeak.ToDouble(), 4) + " ")};
}

std::optional<double> FreqGraph::OwnValue(int panel, double x) const {
    return panel == 0 ? NormalisedMagnitude(mZpk, mPeak.Log(), Omega(x))
                      : UnwrappedPhase(mZpk).At(Omega(x));
}

QString FreqGraph::XText(double x, double step) const {
    return Text(FormatFrequency(x, step));
}

QString FreqGraph::AxisValueText(int panel, double axisValue) const {
    if (panel == 0) {
        return DecibelScale(mScale) ? Text(FormatFixed(axisValue, 2) + " dB")
                                    : Text(FormatValue(axisValue, 4));
    }
    return mPhaseUnits == kCmdDegrees ? Text(FormatFixed(axisValue * 180.0 / kPi, 2) + " deg")
                                      : Text(FormatFixed(axisValue, 4) + " rad");
}

QString FreqGraph::XName() const {
    return QStringLiteral("Frequency (Hz)");
}

QString FreqGraph::YName(int panel) const {
    if (panel == 0) {
        return DecibelScale(mScale) ? QStringLiteral("Magnitude (dB)")
                                    : QStringLiteral("Magnitude");
    }
    return mPhaseUnits == kCmdDegrees ? QStringLiteral("Phase (deg)")
                                      : QStringLiteral("Phase (rad)");
}

double FreqGraph::YFactor(int panel) const {
    return panel == 1 && mPhaseUnits == kCmdDegrees ? 180.0 / kPi : 1.0;
}

void FreqGraph::DrawPanels(QPainter& painter) {
    const QColor back = ColourFromRef(mBkColour);
    painter.fillRect(mMagRect, back);
    painter.fillRect(mPhaseRect, back);
    Draw3dFrame(painter, mMagRect);
    Draw3dFrame(painter, mPhaseRect);
    PlotMagBackground(painter);
    PlotPhaseBackground(painter);
}

void FreqGraph::PlotMagBackground(QPainter& painter) {
    const QRect m = MagPlot(mMagRect);
    const AxisScale x = XAxis(0);
    const AxisScale y = YAxis(0);
    DrawXAxisGrid(painter, m, x, FrequencyTicks(x, m.width()), BottomOf(m) + 1);
    std::vector<AxisTick> yTicks = ValueTicks(y, m.height(), 24);
    if (DecibelScale(mScale) && !yTicks.empty()) {
        yTicks.back().label += QStringLiteral(" dB");
    }
    DrawYAxisGrid(painter, m, y, yTicks);
    painter.setPen(LinePen(mGridColour));
    painter.drawPolyline(QPolygon({QPoint(m.left(), m.top()), QPoint(m.left(), BottomOf(m)),
                                   QPoint(RightOf(m), BottomOf(m))}));
}

void FreqGraph::PlotPhaseBackground(QPainter& painter) {
    const QRect p = PhasePlot(mPhaseRect);
    const AxisScale x = XAxis(1);
    const AxisScale y = YAxis(1);
    const bool degrees = mPhaseUnits == kCmdDegrees;
    std::vector<AxisTick> yTicks;
    const AxisRange range = YRange(1);
    if (range == AxisRange(-kPi, kPi, false)) {
        // The folded phase's quarter turns, as the units name them.
        const bool room = p.height() >= 100;
        for (int quarter = -2; quarter <= 2; ++quarter) {
            if (room || quarter % 2 == 0) {
                static const char* const kRadians[] = {"-\u03c0", "-\u03c0/2", "0", "\u03c0/2",
                                                       "\u03c0"};
                yTicks.push_back(
                    {quarter * kPi / 2, degrees ? QString::number(quarter * 90)
                                                : QString::fromUtf8(kRadians[quarter + 2])});
            }
        }
    } else {
        // Round values in the units shown, wherever the view lies.
        const double factor = YFactor(1);
        const AxisScale shown =
            AxisScale::Linear(range.Low() * factor, range.High() * factor, BottomOf(p), p.top());
        for (const AxisTick& tick : ValueTicks(shown, p.height(), 24)) {
            yTicks.push_back({tick.value / factor, tick.label});
        }
    }
    if (!yTicks.empty()) {
        yTicks.back().label += degrees ? QStringLiteral(" deg") : QStringLiteral(" rad");
    }
    DrawYAxisGrid(painter, p, y, yTicks);
    // The values stand under the magnitude panel's ticks, straight above; here only
    // the last one with its unit, clear of the phase labels.
    std::vector<AxisTick> xTicks = FrequencyTicks(x, p.width());
    for (size_t k = 0; k + 1 < xTicks.size(); ++k) {
        xTicks[k].label.clear();
    }
    const QFontMetrics metrics(mainFont);
    DrawXAxisGrid(painter, p, x, xTicks, BottomOf(p) - metrics.height() - 1);
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(p.left(), p.top(), p.left(), BottomOf(p));
    if (range.Low() <= 0.0 && range.High() >= 0.0) {
        const int yc = AxisPixel(y, 0.0);
        painter.drawLine(p.left(), yc, RightOf(p), yc);
    }
}

void FreqGraph::DrawTraces(QPainter& painter) {
    const std::vector<TraceSample>& samples = Samples();
    const QRect m = MagPlot(mMagRect);
    const QRect p = PhasePlot(mPhaseRect);
    painter.setPen(LinePen(mTraceColour));

    const AxisScale mx = XAxis(0);
    const AxisScale my = YAxis(0);
    QPolygonF magnitude;
    for (const TraceSample& s : samples) {
        magnitude << TracePointF(mx, my, s.hz, AxisValue(0, s.magnitude), PictureRatio());
    }
    painter.setClipRect(m);
    painter.drawPolyline(magnitude);

    const AxisScale px = XAxis(1);
    const AxisScale py = YAxis(1);
    std::vector<double> hz;
    std::vector<double> phase;
    for (const TraceSample& s : samples) {
        hz.push_back(s.hz);
        phase.push_back(s.phase);
    }
    painter.setClipRect(p);
    for (const std::vector<PlotPoint>& segment : PhaseSegments(hz, phase, !mUnwrapped)) {
        QPolygonF run;
        for (const auto& [f, phi] : segment) {
            run << TracePointF(px, py, f, phi, PictureRatio());
        }
        painter.drawPolyline(run);
    }
    painter.setClipping(false);
}
