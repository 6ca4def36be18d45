#include "ui/analysis/DelayGraph.h"

#include "core/AtomicFile.h"
#include "plot/ReadoutFormat.h"
#include "text/GroupDelayText.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"
#include "ui/VectorState.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

DelayGraph::DelayGraph(QWidget* parent) : AnalysisGraph(parent) {}

AxisRange DelayGraph::DelayRange(double low, double high) {
    low = std::floor(std::min(low, 0.0));
    high = std::ceil(std::max(high, low + 1.0));
    return AxisRange(low, high, false);
}

void DelayGraph::SetScale(int scale) {
    mScale = scale;
    Redraw();
}

void DelayGraph::UpdateFromNodeList() {
    ClearUpperVectorState();
    mZpk = Zpk::FromNodeList(gNodeList);
    mDelay.Initialize(mZpk);
    mPeak = FindDelayPeak(mZpk);
    ++mVersion;
    UpdateMarkers();
    Redraw();
}

bool DelayGraph::PrintToFile(const char* path) const {
    return WriteFileAtomically(path, GroupDelayText(mDelay, kResolution, mSampleRate));
}

void DelayGraph::CopyToClipboard() {
    CopyWndToClipboard(this, mPanel);
}

void DelayGraph::HoldReference() {
    FGroupDelay delay = mDelay;
    SetReference({[this, delay](double hz) { return delay.At(Omega(hz)); }});
}

void DelayGraph::FindPeak() {
    mPeakMarked = true;
    UpdateMarkers();
    Redraw();
}

void DelayGraph::ClearMarkers() {
    mPeakMarked = false;
    AnalysisGraph::ClearMarkers();
}

void DelayGraph::UpdateMarkers() {
    std::vector<GraphMarker> markers;
    if (mPeakMarked && !std::isnan(mPeak.delay)) {
        markers.push_back(
            {0, mPeak.omega / kPi * (mSampleRate / 2.0), mPeak.delay, QStringLiteral("Peak")});
    }
    SetMarkers(std::move(markers));
}

void DelayGraph::SampleRateChanged() {
    UpdateMarkers();
}

std::vector<std::function<double(double)>> DelayGraph::QuantizedPanels(const Zpk& roots) {
    mQuantizedDelay.Initialize(roots);
    return {[this](double hz) { return mQuantizedDelay.At(Omega(hz)); }};
}

void DelayGraph::Layout(QSize client) {
    mPanel = PanelFor(client);
}

std::vector<QRect> DelayGraph::PlotAreas() const {
    return {PanelPlot(mPanel)};
}

AxisRange DelayGraph::FullXRange() const {
    return FrequencyRange(mSampleRate, LogFrequencyScale(mScale));
}

AxisRange DelayGraph::FullYRange(int) const {
    double low = 0.0;
    double high = 0.0;
    for (const auto& [hz, delay] : Samples()) {
        if (std::isfinite(delay)) {
            low = std::min(low, delay);
            high = std::max(high, delay);
        }
    }
    return DelayRange(low, high);
}

const std::vector<std::pair<double, double>>& DelayGraph::Samples() const {
    const QRect plot = PanelPlot(mPanel);
    std::vector<double> key = FrequencySamplingKey(plot, mVersion);
    if (key == mSampledFor) {
        return mSamples;
    }
    mSampledFor = std::move(key);
    // Asked for while drawing, which leaves the vector registers dirty.
    ClearUpperVectorState();
    const std::vector<double> hz = TraceFrequencies(plot, mZpk);
    mSamples.clear();
    for (const double f : hz) {
        mSamples.emplace_back(f, mDelay.At(Omega(f)));
    }
    return mSamples;
}

void DelayGraph::DrawPanels(QPainter& painter) {
    painter.fillRect(mPanel, ColourFromRef(mBkColour));
    Draw3dFrame(painter, mPanel);
    const QRect a = PanelPlot(mPanel);
    const AxisScale x = XAxis(0);
    const AxisScale y = YAxis(0);
    DrawXAxisGrid(painter, a, x, FrequencyTicks(x, a.width()), BottomOf(a) + 1);
    std::vector<AxisTick> yTicks = ValueTicks(y, a.height(), 30);
    if (!yTicks.empty()) {
        yTicks.back().label += QStringLiteral(" samples");
    }
    DrawYAxisGrid(painter, a, y, yTicks);
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(a.left(), a.top(), a.left(), BottomOf(a));
    const AxisRange range = YRange(0);
    if (range.Low() <= 0.0 && range.High() >= 0.0) {
        const int zero = AxisPixel(y, 0.0);
        painter.drawLine(a.left(), zero, RightOf(a), zero);
    }
}

void DelayGraph::DrawTraces(QPainter& painter) {
    const AxisScale x = XAxis(0);
    const AxisScale y = YAxis(0);
    painter.setClipRect(PanelPlot(mPanel));
    // An undefined delay leaves a gap in the trace.
    painter.setPen(LinePen(mTraceColour));
    QPolygonF trace;
    for (const auto& [hz, delay] : Samples()) {
        if (std::isnan(delay)) {
            painter.drawPolyline(trace);
            trace.clear();
            continue;
        }
        trace << TracePointF(x, y, hz, delay, PictureRatio());
    }
    painter.drawPolyline(trace);
    painter.setClipping(false);
}

std::array<QString, 4> DelayGraph::StatusTexts() const {
    const double hz = Cursor();
    const double delay = mDelay.At(Omega(hz));
    const QString frequency = Text("Frequency: " + FormatFrequency(hz, PixelStep()));
    const QString peak = Text("Peak: " + FormatFixed(mPeak.delay, 2) + " samples");
    const auto samples = [](double d) {
        return std::isnan(d) ? QStringLiteral("undefined") : Text(FormatFixed(d, 2) + " samples");
    };
    // With a quantized design its delay in samples takes the place of the milliseconds.
    if (QuantizedRoots()) {
        return {frequency, QStringLiteral("Delay: ") + samples(delay),
                QuantizedName() + QStringLiteral(": ") + samples(mQuantizedDelay.At(Omega(hz))),
                peak};
    }
    if (std::isnan(delay)) {
        return {frequency, QStringLiteral("Delay: undefined"), QString(), peak};
    }
    return {frequency, Text("Delay: " + FormatFixed(delay, 2) + " samples"),
            Text("Delay: " + FormatFixed(delay / mSampleRate * 1000.0, 4) + " ms"), peak};
}

std::optional<double> DelayGraph::OwnValue(int, double x) const {
    return mDelay.At(Omega(x));
}

QString DelayGraph::XText(double x, double step) const {
    return Text(FormatFrequency(x, step));
}

QString DelayGraph::AxisValueText(int, double axisValue) const {
    return Text(FormatFixed(axisValue, 2) + " samples");
}

QString DelayGraph::XName() const {
    return QStringLiteral("Frequency (Hz)");
}

QString DelayGraph::YName(int) const {
    return QStringLiteral("Delay (samples)");
}
