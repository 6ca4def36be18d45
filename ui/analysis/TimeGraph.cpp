#include "ui/analysis/TimeGraph.h"

#include "core/FormatC.h"
#include "filter/Stability.h"
#include "filter/Zpk.h"
#include "response/CImpResponse.h"
#include "response/CRampResponse.h"
#include "response/CStepResponse.h"
#include "response/TimeBase.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// An X over the sample, its lines without their end points.
void PlotMarker(std::vector<QLine>& lines, QPoint p) {
    lines.emplace_back(p.x() - 3, p.y() - 3, p.x() + 4, p.y() + 4);
    lines.emplace_back(p.x() - 3, p.y() + 3, p.x() + 4, p.y() - 4);
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TimeGraph::TimeGraph(QWidget* parent)
    : AnalysisGraph(parent), mResponse(std::make_unique<CImpResponse>()) {}

AxisScale TimeGraph::SampleAxis(const QRect& t, int count) {
    // With one sample or none there is only the left axis.
    return AxisScale::Linear(0.0, std::max(count - 1, 1), t.left(), RightOf(t));
}

AxisScale TimeGraph::AmplitudeAxis(const QRect& t, double peak) {
    const int half = t.height() / 2;
    const int zero = BottomOf(t) - half;
    return AxisScale::Linear(-peak, peak, zero + half, zero - half);
}

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
    // A duration set at a low rate may ask for too many samples at a higher one.
    const long long count = DurationSampleCount(mDuration, mSampleRate);
    if (count <= kMaxTimeSamples) {
        mResponse->Initialize(Zpk::FromNodeList(gNodeList), static_cast<int>(count));
    }
    // Also when that failed: a design that is no longer causal shows no trace.
    Redraw();
}

bool TimeGraph::PrintToFile(const char* path) const {
    return mResponse->PrintToFile(path);
}

void TimeGraph::CopyToClipboard() {
    CopyWndToClipboard(this, mTraceRect);
}

void TimeGraph::Layout(QSize client) {
    mTraceRect = PanelFor(client);
}

std::vector<QRect> TimeGraph::PlotAreas() const {
    return {PanelPlot(mTraceRect)};
}

void TimeGraph::Draw(QPainter& painter) {
    DoStylePaint(painter);
    PlotMagBackground(painter);
    PlotMagGraph(painter);
}

std::array<QString, 4> TimeGraph::StatusTexts() const {
    // A design that is not causal shows no trace, so there is nothing to read.
    if (!gNodeList.Causal()) {
        return {};
    }
    const QRect t = PanelPlot(mTraceRect);
    const int count = mResponse->CpxCount();
    double ms = 0.0;
    int n = 0;
    double raw = 0.0;
    if (mLastXPos >= 0 && count > 0) {
        // The time the trace puts under the cursor, and the sample marked nearest it.
        const double at = SampleAxis(t, count).ToValue(mLastXPos);
        ms = at / mSampleRate * 1000.0;
        n = std::min(static_cast<int>(std::lround(at)), count - 1);
        raw = mResponse->Samples()[static_cast<size_t>(n)].r;
        // Only an unstable design's overflow (infinity less infinity) leaves a sample
        // without a value; it reads as the infinity it came from.
        if (std::isnan(raw)) {
            raw = HUGE_VAL;
        }
    }
    const double peak = DisplayPeak(*mResponse);
    return {Text(FormatC("Exact Time: %.4f ms", ms)),
            Text(FormatC("Magnitude: %.2f (%.2f)", raw, raw / peak)),
            Text(FormatC("Sample: %d @ %.2f ms", n, static_cast<double>(n) / mSampleRate * 1000.0)),
            Text(FormatC("Scale: %.4f ", mResponse->Scale()))};
}

void TimeGraph::DoStylePaint(QPainter& painter) {
    painter.fillRect(mTraceRect, ColourFromRef(mBkColour));
    Draw3dFrame(painter, mTraceRect);
}

void TimeGraph::PlotMagBackground(QPainter& painter) {
    const QRect t = PanelPlot(mTraceRect);
    const int count = mResponse->CpxCount();
    if (gNodeList.Causal() && count > 1) {
        const double lastMs = (count - 1) * 1000.0 / mSampleRate;
        const AxisScale time = AxisScale::Linear(0.0, lastMs, t.left(), RightOf(t));
        std::vector<AxisTick> ticks = ValueTicks(time, t.width(), 60);
        if (!ticks.empty()) {
            ticks.back().label += QStringLiteral(" ms");
        }
        DrawXAxisGrid(painter, t, time, ticks, BottomOf(t) + 1);
        const AxisScale amplitude = AmplitudeAxis(t, DisplayPeak(*mResponse));
        DrawYAxisGrid(painter, t, amplitude, ValueTicks(amplitude, t.height(), 30));
    }
    const int zero = t.top() + t.height() / 2;
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(t.left(), t.top(), t.left(), BottomOf(t));
    painter.drawLine(t.left(), zero, RightOf(t), zero);
}

void TimeGraph::PlotMagGraph(QPainter& painter) {
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
    const int count = mResponse->CpxCount();
    const AxisScale x = SampleAxis(t, count);
    const double peak = DisplayPeak(*mResponse);
    const AxisScale y = AmplitudeAxis(t, 1.0);
    std::vector<QLine> lines;
    lines.reserve(3 * static_cast<size_t>(std::max(count, 1)));
    // Values past the peak (an overflow) are drawn at the edge; a value that is not a
    // number leaves a gap.
    bool joined = false;
    QPoint previous;
    for (int n = 0; n < std::max(count, 1); ++n) {
        const double v = n < count ? mResponse->Samples()[static_cast<size_t>(n)].r / peak : 0.0;
        if (std::isnan(v)) {
            joined = false;
            continue;
        }
        const QPoint p = TracePoint(t, x, y, n, v);
        if (joined) {
            lines.emplace_back(previous, p);
        }
        PlotMarker(lines, p);
        previous = p;
        joined = true;
    }
    painter.setPen(LinePen(mTraceColour));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}
