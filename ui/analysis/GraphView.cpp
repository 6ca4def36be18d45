#include "ui/analysis/GraphView.h"

#include "core/FormatC.h"
#include "filter/Zpk.h"
#include "response/UnwrappedPhase.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"
#include "ui/VectorState.h"
#include "ui/analysis/RequirementMask.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

GraphView::GraphView(const DesignDocument& document, QWidget* parent)
    : QWidget(parent), mDocument(document), mBkColour(ButtonFaceRef()), mainFont(LabelFont()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&document, &DesignDocument::nodeChanged, this, &GraphView::UpdateFromNodeList);
    connect(&document, &DesignDocument::nodeDragged, this, &GraphView::UpdateFromNodeList);
    connect(&document, &DesignDocument::designReplaced, this, &GraphView::UpdateFromNodeList);
    connect(&document, &DesignDocument::requirementChanged, this, &GraphView::Redraw);
}

QRect GraphView::MagRect(const QRect& client) {
    const int w = client.width();
    return QRect(QPoint(client.left() + 3, client.top()),
                 QPoint(client.left() + w / 2 - 3 - 1, BottomOf(client) - 1));
}

QRect GraphView::PhaseRect(const QRect& client) {
    const int w = client.width();
    return QRect(QPoint(client.left() + w / 2, client.top()),
                 QPoint(RightOf(client) - 1, BottomOf(client) - 1));
}

namespace {

// value truncated toward 0 to a whole device pixel.
double DevicePixels(double value, double ratio) {
    return std::trunc(value * ratio) / ratio;
}

} // namespace

QPointF GraphView::MagPoint(const QRect& m, double k, double magnitude, double ratio) {
    const int wp = m.width() - 15;
    const int hp = m.height() - 20;
    return QPointF(DevicePixels(wp * k / kResolution, ratio) + m.left() + 10,
                   (BottomOf(m) - 15) - DevicePixels(magnitude * hp, ratio));
}

QPointF GraphView::PhasePoint(const QRect& p, double k, double phase, double ratio) {
    const int wp = p.width() - 20;
    const int half = (p.height() - 10) / 2;
    return QPointF(DevicePixels(wp * k / kResolution, ratio) + p.left() + 15,
                   (p.top() + 5 + half) - DevicePixels(phase * half / kPi, ratio));
}

void GraphView::SetBkColour(uint32_t colour) {
    mBkColour = colour;
    Redraw();
}

void GraphView::SetGridColour(uint32_t colour) {
    mGridColour = colour;
    Redraw();
}

void GraphView::SetTraceColour(uint32_t colour) {
    mTraceColour = colour;
    Redraw();
}

void GraphView::SetSampleRate(::SampleRate rate) {
    mSampleRate = rate;
    Redraw();
}

void GraphView::UpdateFromNodeList() {
    // Every number is computed before drawing starts, which leaves the vector registers
    // in the state that slows the maths library down.
    ClearUpperVectorState();
    const Zpk zpk = Zpk::FromNodeList(gNodeList);
    // The response never fails for the design; should it, no stale trace is shown.
    if (!mResponse.Initialize(zpk, kResolution)) {
        mResponse = FFreqResponse();
        mPhaseSegments.clear();
    } else {
        mPhaseSegments = ContinuousPhase(zpk);
    }
    Redraw();
}

std::vector<std::vector<PlotPoint>> GraphView::ContinuousPhase(const Zpk& zpk) {
    // The continuous phase at the steps and on the roots on the circle, where it jumps:
    // the trace breaks there and where it passes +-pi, and nowhere else.
    std::vector<double> steps;
    for (int k = 0; k <= kResolution; ++k) {
        steps.push_back(k);
    }
    for (const double jump : PhaseJumps(zpk)) {
        steps.push_back(jump / kPi * kResolution);
    }
    std::sort(steps.begin(), steps.end());
    const UnwrappedPhase phase(zpk);
    std::vector<double> phases;
    for (const double k : steps) {
        phases.push_back(phase.At(k * kPi / kResolution));
    }
    return PhaseSegments(steps, phases, true);
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mCanvas);
}

void GraphView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mMagRect = MagRect(rect());
    mPhaseRect = PhaseRect(rect());
    mCanvas = CanvasFor(*this);
    Redraw();
}

void GraphView::Redraw() {
    if (mCanvas.isNull()) {
        return;
    }
    // The strip between the panels is not part of either; it shows the button face.
    mCanvas.fill(ColourFromRef(ButtonFaceRef()));
    QPainter painter(&mCanvas);
    painter.setFont(mainFont);
    DoStylePaint(painter);
    PlotMagBackground(painter);
    PlotMagMask(painter);
    PlotMagGraph(painter);
    PlotPhaseBackground(painter);
    PlotPhaseGraph(painter);
    update();
}

void GraphView::DoStylePaint(QPainter& painter) {
    const QColor back = ColourFromRef(mBkColour);
    painter.fillRect(mMagRect, back);
    painter.fillRect(mPhaseRect, back);
    Draw3dFrame(painter, mMagRect);
    Draw3dFrame(painter, mPhaseRect);
}

void GraphView::PlotMagBackground(QPainter& painter) {
    const QRect& m = mMagRect;
    painter.setPen(ColourFromRef(mGridColour));
    DrawTextAt(painter, QPoint(m.left() + 1, BottomOf(m) - 15), QStringLiteral("0"));
    DrawTextAt(painter, QPoint(m.left() + 1, m.top()), QStringLiteral("1"));
    DrawTextAt(painter, QPoint(RightOf(m) - 30, BottomOf(m) - 15), HalfRateLabel(mSampleRate));
    DrawTextAt(painter, QPoint((m.width() - 15) / 2 + m.left(), BottomOf(m) - 15),
               HalfRateUnit(mSampleRate));
    const QPoint corner(m.left() + 10, BottomOf(m) - 15);
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(QPoint(m.left() + 10, m.top() + 5), corner);
    painter.drawLine(corner, QPoint(RightOf(m) - 5, BottomOf(m) - 15));
}

void GraphView::PlotMagMask(QPainter& painter) {
    const RequirementResult* check = mDocument.RequirementCheck(mSampleRate);
    if (check == nullptr || mResponse.CpxCount() != kResolution + 1) {
        return;
    }
    const double steps = kResolution / (mSampleRate / 2.0);
    // The panel shows magnitudes from 0 to 1, the largest sample.
    for (const ShadedRegion& r :
         RequirementMask(*mDocument.Requirement(), mSampleRate, check->peakDb,
                         20 * std::log10(mResponse.Scale()))) {
        const QPointF low = MagPoint(mMagRect, r.xLow * steps, std::clamp(r.yLow, 0.0, 1.0));
        const QPointF high = MagPoint(mMagRect, r.xHigh * steps, std::clamp(r.yHigh, 0.0, 1.0));
        painter.fillRect(QRectF(low, high).normalized(), RequirementMaskColour());
    }
}

void GraphView::PlotMagGraph(QPainter& painter) {
    if (mResponse.CpxCount() != kResolution + 1) {
        return;
    }
    const double ratio = mCanvas.devicePixelRatio();
    QPolygonF trace;
    for (int k = 0; k <= kResolution; ++k) {
        trace << MagPoint(mMagRect, k, mResponse.NormResponse(k).Mag(), ratio);
    }
    painter.setPen(LinePen(mTraceColour));
    painter.drawPolyline(trace);
}

void GraphView::PlotPhaseBackground(QPainter& painter) {
    const QRect& p = mPhaseRect;
    painter.setPen(ColourFromRef(mGridColour));
    DrawPi(painter, QPoint(p.left() + 5, p.top() + 10), false);
    DrawPi(painter, QPoint(p.left() + 5, BottomOf(p) - 10), true);
    // The label stands at half the panel's height measured from the window's top.
    DrawTextAt(painter, QPoint(RightOf(p) - 30, p.height() / 2), HalfRateLabel(mSampleRate));
    DrawTextAt(painter, QPoint((p.width() - 20) / 2 + p.left(), BottomOf(p) - 15),
               HalfRateUnit(mSampleRate));
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(p.left() + 15, p.top() + 5, p.left() + 15, BottomOf(p) - 5);
    const int middle = (BottomOf(p) - p.top()) / 2;
    painter.drawLine(p.left() + 15, middle, RightOf(p) - 5, middle);
}

void GraphView::PlotPhaseGraph(QPainter& painter) {
    const double ratio = mCanvas.devicePixelRatio();
    painter.setPen(LinePen(mTraceColour));
    for (const std::vector<PlotPoint>& segment : mPhaseSegments) {
        QPolygonF run;
        for (const auto& [k, phase] : segment) {
            run << PhasePoint(mPhaseRect, k, phase, ratio);
        }
        painter.drawPolyline(run);
    }
}
