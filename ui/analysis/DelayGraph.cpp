#include "ui/analysis/DelayGraph.h"

#include "core/AtomicFile.h"
#include "core/FormatC.h"
#include "filter/Zpk.h"
#include "text/GroupDelayText.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

DelayGraph::DelayGraph(QWidget* parent) : AnalysisGraph(parent) {}

AxisScale DelayGraph::DelayAxis(const QRect& area, double low, double high) {
    low = std::floor(std::min(low, 0.0));
    high = std::ceil(std::max(high, low + 1.0));
    return AxisScale::Linear(low, high, BottomOf(area), area.top());
}

void DelayGraph::SetScale(int scale) {
    mScale = scale;
    Sample();
    Redraw();
}

void DelayGraph::UpdateFromNodeList() {
    mDelay.Initialize(Zpk::FromNodeList(gNodeList));
    Sample();
    Redraw();
}

void DelayGraph::Sample() {
    mTrace.clear();
    const bool log = LogFrequencyScale(mScale);
    for (int i = 0; i <= kResolution; ++i) {
        const double omega = log ? LogSpacedOmega(i, kResolution) : i * kPi / kResolution;
        mTrace.emplace_back(omega, mDelay.At(omega));
    }
}

bool DelayGraph::PrintToFile(const char* path) const {
    return WriteFileAtomically(path, GroupDelayText(mDelay, kResolution, mSampleRate));
}

void DelayGraph::CopyToClipboard() {
    CopyWndToClipboard(this, mPanel);
}

void DelayGraph::Layout(QSize client) {
    mPanel = PanelFor(client);
}

std::vector<QRect> DelayGraph::PlotAreas() const {
    return {PanelPlot(mPanel)};
}

void DelayGraph::Draw(QPainter& painter) {
    painter.fillRect(mPanel, ColourFromRef(mBkColour));
    Draw3dFrame(painter, mPanel);
    const QRect a = PanelPlot(mPanel);
    const auto [low, high] = Range();
    const AxisScale x = FrequencyAxis(a, mSampleRate, LogFrequencyScale(mScale));
    const AxisScale y = DelayAxis(a, low, high);
    DrawXAxisGrid(painter, a, x, FrequencyTicks(x, a.width()), BottomOf(a) + 1);
    std::vector<AxisTick> yTicks = ValueTicks(y, a.height(), 30);
    if (!yTicks.empty()) {
        yTicks.back().label += QStringLiteral(" samples");
    }
    DrawYAxisGrid(painter, a, y, yTicks);
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(a.left(), a.top(), a.left(), BottomOf(a));
    const int zero = AxisPixel(y, 0.0);
    painter.drawLine(a.left(), zero, RightOf(a), zero);

    // An undefined delay leaves a gap in the trace.
    painter.setPen(LinePen(mTraceColour));
    QPolygonF trace;
    for (const auto& [omega, delay] : mTrace) {
        if (std::isnan(delay)) {
            painter.drawPolyline(trace);
            trace.clear();
            continue;
        }
        trace << TracePointF(a, x, y, omega / kPi * x.High(), delay, PictureRatio());
    }
    painter.drawPolyline(trace);
}

std::pair<double, double> DelayGraph::Range() const {
    double low = 0.0;
    double high = 0.0;
    for (const auto& [omega, delay] : mTrace) {
        if (std::isfinite(delay)) {
            low = std::min(low, delay);
            high = std::max(high, delay);
        }
    }
    return {low, high};
}

std::array<QString, 4> DelayGraph::StatusTexts() const {
    const QRect a = PanelPlot(mPanel);
    double hz = 0.0;
    double delay = 0.0;
    if (mLastXPos >= 0) {
        hz = FrequencyAxis(a, mSampleRate, LogFrequencyScale(mScale)).ToValue(mLastXPos);
        delay = mDelay.At(hz / (mSampleRate / 2.0) * kPi);
    }
    const auto text = [](const std::string& s) { return QString::fromStdString(s); };
    const QString frequency = text(FormatC("Frequency: %.2f kHz", hz / 1000.0));
    const QString peak = text(FormatC("Peak: %.2f samples", Range().second));
    if (std::isnan(delay)) {
        return {frequency, QStringLiteral("Delay: undefined"), QString(), peak};
    }
    return {frequency, text(FormatC("Delay: %.2f samples", delay)),
            text(FormatC("Delay: %.4f ms", delay / mSampleRate * 1000.0)), peak};
}
