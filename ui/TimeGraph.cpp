#include "ui/TimeGraph.h"

#include "analysis/CImpResponse.h"
#include "analysis/CRampResponse.h"
#include "analysis/CStepResponse.h"
#include "analysis/TimeBase.h"
#include "core/FormatC.h"
#include "ui/Drawing.h"
#include "ui/ZPlaneDesign.h"

#include <QLine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Insets of the plot area from the panel: top, left, bottom, right.
constexpr int mtos = 5, mlos = 10, mbos = 15, mros = 5;

// An X over the sample, its lines without their end points.
void PlotMarker(std::vector<QLine>& lines, QPoint p) {
    lines.emplace_back(p.x() - 3, p.y() - 3, p.x() + 4, p.y() + 4);
    lines.emplace_back(p.x() - 3, p.y() + 3, p.x() + 4, p.y() - 4);
}

} // namespace

TimeGraph::TimeGraph(QWidget* parent)
    : AnalysisGraph(parent), mResponse(std::make_unique<CImpResponse>()) {}

QRect TimeGraph::TraceRectFor(QSize client) {
    return RectFromEdges(0, 3, client.width(), client.height() - 43);
}

QRect TimeGraph::TracePlot(const QRect& traceRect) {
    return RectFromEdges(traceRect.left() + mlos, traceRect.top() + mtos, RightOf(traceRect) - mros,
                         BottomOf(traceRect) - mbos);
}

QPoint TimeGraph::SamplePoint(const QRect& t, int n, int count, double value) {
    // An unstable design's response overflows; samples without a finite value are put on
    // the zero line rather than at an undefined pixel.
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    const int half = t.height() / 2;
    const int x =
        n == 0 ? t.left()
               : t.left() + static_cast<int>(static_cast<double>(n) / (count - 1) * t.width());
    return QPoint(x, (BottomOf(t) - half) - static_cast<int>(value * half));
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
        mResponse->Initialize(&gNodeList, static_cast<int>(count));
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
    mTraceRect = TraceRectFor(client);
}

std::vector<QRect> TimeGraph::PlotAreas() const {
    return {TracePlot(mTraceRect)};
}

void TimeGraph::Draw(QPainter& painter) {
    DoStylePaint(painter);
    PlotMagBackground(painter);
    PlotMagGraph(painter);
}

std::array<QString, 4> TimeGraph::StatusTexts() const {
    const QRect t = TracePlot(mTraceRect);
    double ms = 0.0;
    int n = 0;
    FComplex v;
    if (mLastXPos >= 0) {
        ms = mDuration * (mLastXPos - t.left()) / t.width();
        n = static_cast<int>(DurationSampleCount(ms, mSampleRate));
        v = mResponse->NormResponse(n);
    }
    const double scale = mResponse->Scale();
    return {QString::fromStdString(FormatC("Exact Time: %.4f ms", ms)),
            QString::fromStdString(FormatC("Magnitude: %.2f (%.2f)", scale * v.r, v.r)),
            QString::fromStdString(
                FormatC("Sample: %d @ %.2f ms", n, static_cast<double>(n) / mSampleRate * 1000.0)),
            QString::fromStdString(FormatC("Scale: %.4f ", scale))};
}

void TimeGraph::DoStylePaint(QPainter& painter) {
    painter.fillRect(mTraceRect, ColourFromRef(mBkColour));
    Draw3dFrame(painter, mTraceRect);
}

void TimeGraph::PlotMagBackground(QPainter& painter) {
    const QRect t = TracePlot(mTraceRect);
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
    const QRect t = TracePlot(mTraceRect);
    const int count = mResponse->CpxCount();
    std::vector<QLine> lines;
    lines.reserve(3 * static_cast<size_t>(std::max(count, 1)));
    QPoint previous = SamplePoint(t, 0, count, mResponse->NormResponse(0).r);
    PlotMarker(lines, previous);
    for (int n = 1; n < count; ++n) {
        const QPoint p = SamplePoint(t, n, count, mResponse->NormResponse(n).r);
        lines.emplace_back(previous, p);
        PlotMarker(lines, p);
        previous = p;
    }
    painter.setPen(LinePen(mTraceColour));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}
