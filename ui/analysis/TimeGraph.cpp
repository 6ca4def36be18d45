#include "ui/analysis/TimeGraph.h"

#include "filter/Stability.h"
#include "filter/Zpk.h"
#include "plot/ReadoutFormat.h"
#include "response/CImpResponse.h"
#include "response/CRampResponse.h"
#include "response/CStepResponse.h"
#include "response/TimeBase.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"
#include "ui/VectorState.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A point kept inside area, so that a value past the axis (an overflow) stands at its edge.
QPointF Inside(const QRect& area, QPointF p) {
    return QPointF(p.x(), std::clamp(p.y(), static_cast<double>(area.top()),
                                     static_cast<double>(BottomOf(area))));
}

} // namespace

TimeGraph::TimeGraph(QWidget* parent)
    : AnalysisGraph(parent), mResponse(std::make_unique<CImpResponse>()) {}

double TimeGraph::DisplayPeak(const CInputResponse& response) {
    if (std::isfinite(response.Scale()) && response.Scale() > 0.0) {
        return response.Scale();
    }
    double peak = 0.0;
    for (const FComplex& v : response.Samples()) {
        if (std::isfinite(v.r)) {
            peak = std::max(peak, std::abs(v.r));
        }
    }
    return peak > 0.0 ? peak : 1.0;
}

void TimeGraph::SetPlotType(int id) {
    if (id == kCmdStepResponse) {
        mResponse = std::make_unique<CStepResponse>();
    } else if (id == kCmdRampResponse) {
        mResponse = std::make_unique<CRampResponse>();
    } else {
        mResponse = std::make_unique<CImpResponse>();
    }
    UpdateFromNodeList();
}

void TimeGraph::SetDuration(double ms) {
    mDuration = SnapDuration(ms, mSampleRate);
    Redraw();
}

void TimeGraph::UpdateFromNodeList() {
    ClearUpperVectorState();
    // A duration set at a low rate may ask for too many samples at a higher one.
    const long long count = DurationSampleCount(mDuration, mSampleRate);
    if (count <= kMaxTimeSamples) {
        mResponse->Initialize(Zpk::FromNodeList(gNodeList), static_cast<int>(count));
    }
    UpdateMarkers();
    // Also when that failed: a design that is no longer causal shows no trace.
    Redraw();
}

bool TimeGraph::PrintToFile(const char* path) const {
    return mResponse->PrintToFile(path);
}

void TimeGraph::CopyToClipboard() {
    CopyWndToClipboard(this, mTraceRect);
}

void TimeGraph::HoldReference() {
    std::vector<double> samples;
    for (const FComplex& v : mResponse->Samples()) {
        samples.push_back(v.r);
    }
    SetReference({[samples](double x) {
        const double n = std::round(x);
        return n >= 0 && n < static_cast<double>(samples.size()) ? samples[static_cast<size_t>(n)]
                                                                 : NAN;
    }});
}

void TimeGraph::FindPeak() {
    mPeakMarked = true;
    UpdateMarkers();
    Redraw();
}

void TimeGraph::ClearMarkers() {
    mPeakMarked = false;
    AnalysisGraph::ClearMarkers();
}

void TimeGraph::UpdateMarkers() {
    std::vector<GraphMarker> markers;
    const std::vector<FComplex>& samples = mResponse->Samples();
    int peak = -1;
    for (int n = 0; n < static_cast<int>(samples.size()); ++n) {
        const double v = std::fabs(samples[static_cast<size_t>(n)].r);
        if (std::isfinite(v) && (peak < 0 || v > std::fabs(samples[static_cast<size_t>(peak)].r))) {
            peak = n;
        }
    }
    if (mPeakMarked && peak >= 0 && gNodeList.Causal()) {
        markers.push_back({0, static_cast<double>(peak), samples[static_cast<size_t>(peak)].r,
                           QStringLiteral("Peak")});
    }
    SetMarkers(std::move(markers));
}

void TimeGraph::Layout(QSize client) {
    mTraceRect = PanelFor(client);
}

std::vector<QRect> TimeGraph::PlotAreas() const {
    return {PanelPlot(mTraceRect)};
}

AxisRange TimeGraph::FullXRange() const {
    // With one sample or none there is only the left axis.
    return AxisRange(0.0, std::max(mResponse->CpxCount() - 1, 1), false);
}

AxisRange TimeGraph::FullYRange(int) const {
    const double peak = DisplayPeak(*mResponse);
    return AxisRange(-peak, peak, false);
}

std::optional<int> TimeGraph::SampleAt(double x) const {
    const int count = mResponse->CpxCount();
    if (count == 0 || !std::isfinite(x)) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp(std::round(x), 0.0, count - 1.0));
}

std::vector<double> TimeGraph::TraceXs() const {
    // Where the samples stand apart, the traces go through them and nowhere between.
    const AxisRange range = XRange();
    const QRect t = PanelPlot(mTraceRect);
    if (range.High() - range.Low() > t.width()) {
        return AnalysisGraph::TraceXs();
    }
    std::vector<double> xs;
    for (double n = std::ceil(range.Low()); n <= range.High(); n += 1.0) {
        xs.push_back(n);
    }
    return xs;
}

void TimeGraph::DrawPanels(QPainter& painter) {
    painter.fillRect(mTraceRect, ColourFromRef(mBkColour));
    Draw3dFrame(painter, mTraceRect);
    const QRect t = PanelPlot(mTraceRect);
    const AxisScale y = YAxis(0);
    if (gNodeList.Causal() && mResponse->CpxCount() > 1) {
        // The time axis in milliseconds over the samples in view.
        const AxisRange range = XRange();
        const AxisScale ms = AxisScale::Linear(range.Low() * XFactor(), range.High() * XFactor(),
                                               t.left(), RightOf(t));
        std::vector<AxisTick> ticks = ValueTicks(ms, t.width(), 60);
        if (!ticks.empty()) {
            ticks.back().label += QStringLiteral(" ms");
        }
        DrawXAxisGrid(painter, t, ms, ticks, BottomOf(t) + 1);
        DrawYAxisGrid(painter, t, y, ValueTicks(y, t.height(), 30));
    }
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(t.left(), t.top(), t.left(), BottomOf(t));
    const AxisRange range = YRange(0);
    if (range.Low() <= 0.0 && range.High() >= 0.0) {
        const int zero = AxisPixel(y, 0.0);
        painter.drawLine(t.left(), zero, RightOf(t), zero);
    }
}

void TimeGraph::DrawTraces(QPainter& painter) {
    // A design that is no longer causal has no time response to show.
    if (!gNodeList.Causal()) {
        return;
    }
    const QRect t = PanelPlot(mTraceRect);
    if (!IsStable(Zpk::FromNodeList(gNodeList))) {
        const QFontMetrics metrics(mainFont);
        DrawNote(painter, QRect(t.left(), t.top(), t.width(), metrics.height() + 4),
                 QStringLiteral("Unstable"));
    }
    const std::vector<FComplex>& samples = mResponse->Samples();
    const int count = static_cast<int>(samples.size());
    const AxisRange range = XRange();
    const AxisScale x = XAxis(0);
    const AxisScale y = YAxis(0);
    const int first = std::max(0, static_cast<int>(std::floor(range.Low())));
    const int last = std::min(count - 1, static_cast<int>(std::ceil(range.High())));
    const double ratio = PictureRatio();
    const auto point = [&](int n) {
        return Inside(t, TracePointF(x, y, n, samples[static_cast<size_t>(n)].r, ratio));
    };
    painter.setPen(LinePen(mTraceColour));
    const double spacing = t.width() / std::max(range.High() - range.Low(), 1e-300);
    // The marks of the samples on the view's ends stand whole beside it.
    painter.setClipRect(spacing >= kStemSpacing ? t.adjusted(-4, -4, 4, 4).intersected(mTraceRect)
                                                : t);
    if (spacing >= kStemSpacing) {
        // A stem from the zero line to each sample, and an X on it.
        const double zero = std::clamp(AxisPosition(y, 0.0, ratio), static_cast<double>(t.top()),
                                       static_cast<double>(BottomOf(t)));
        const double arm = std::min(3.0, spacing / 2 - 0.5);
        std::vector<QLineF> lines;
        for (int n = first; n <= last; ++n) {
            if (std::isnan(samples[static_cast<size_t>(n)].r)) {
                continue;
            }
            const QPointF p = point(n);
            lines.emplace_back(p.x(), zero, p.x(), p.y());
            lines.emplace_back(p + QPointF(-arm, -arm), p + QPointF(arm + 1, arm + 1));
            lines.emplace_back(p + QPointF(-arm, arm), p + QPointF(arm + 1, -arm - 1));
        }
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    } else {
        // Many samples to a device pixel: each pixel's column gets its lowest and highest
        // value, so that the line shows every swing without being drawn through each.
        QPolygonF run;
        const auto flush = [&painter, &run] {
            painter.drawPolyline(run);
            run.clear();
        };
        constexpr int kNone = std::numeric_limits<int>::min();
        int column = kNone;
        QPointF low, high;
        for (int n = first; n <= last; ++n) {
            if (std::isnan(samples[static_cast<size_t>(n)].r)) {
                if (column != kNone) {
                    run << low << high;
                }
                column = kNone;
                flush();
                continue;
            }
            const QPointF p = point(n);
            const int c = static_cast<int>(std::floor(p.x() * ratio));
            if (c != column) {
                if (column != kNone) {
                    run << low << high;
                }
                column = c;
                low = high = p;
            } else {
                low = p.y() > low.y() ? p : low;
                high = p.y() < high.y() ? p : high;
            }
        }
        if (column != kNone) {
            run << low << high;
        }
        flush();
    }
    painter.setClipping(false);
}

std::array<QString, 4> TimeGraph::StatusTexts() const {
    // A design that is not causal shows no trace, so there is nothing to read.
    if (!gNodeList.Causal()) {
        return {};
    }
    const double period = 1000.0 / mSampleRate;
    const double at = Cursor();
    const std::optional<int> n = SampleAt(at);
    const double raw = n ? mResponse->Samples()[static_cast<size_t>(*n)].r : 0.0;
    const double peak = DisplayPeak(*mResponse);
    return {Text("Exact Time: " + FormatMilliseconds(at * period, PixelStep() * period)),
            Text("Magnitude: " + FormatValue(raw, 2) + " (" + FormatValue(raw / peak, 2) + ")"),
            Text("Sample: " + std::to_string(n.value_or(0)) + " @ " +
                 FormatMilliseconds(n.value_or(0) * period, period)),
            Text("Scale: " + FormatValue(mResponse->Scale(), 4) + " ")};
}

std::optional<double> TimeGraph::OwnValue(int, double x) const {
    const std::optional<int> n = SampleAt(x);
    if (!n || !gNodeList.Causal()) {
        return std::nullopt;
    }
    return mResponse->Samples()[static_cast<size_t>(*n)].r;
}

QString TimeGraph::XText(double x, double step) const {
    return Text(FormatMilliseconds(x * XFactor(), step * XFactor()));
}

QString TimeGraph::AxisValueText(int, double axisValue) const {
    return Text(FormatValue(axisValue, 4));
}

QString TimeGraph::XName() const {
    return QStringLiteral("Time (ms)");
}

QString TimeGraph::YName(int) const {
    return QStringLiteral("Amplitude");
}

double TimeGraph::XFactor() const {
    return 1000.0 / mSampleRate;
}
