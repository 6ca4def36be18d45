#include "ui/FreqGraph.h"

#include "core/FormatC.h"
#include "ui/Drawing.h"
#include "ui/ZPlaneDesign.h"

#include <QPainter>
#include <QPolygon>

#include <cmath>

namespace {

// Insets of the plot areas from their panels: top, left, bottom, right.
constexpr int mtos = 5, mlos = 10, mbos = 15, mros = 5;
constexpr int ptos = 5, plos = 10, pbos = 5, pros = 5;

// 2 pi * 1000: radians per sample to kHz at a rate in Hz.
constexpr double kTwoPiThousand = 6283.185307179586;

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

QPoint FreqGraph::MagPoint(const QRect& m, int i, double magnitude) {
    const double omega = i * kPi / kResolution;
    return QPoint(m.left() + static_cast<int>(m.width() * omega / kPi),
                  BottomOf(m) - static_cast<int>(magnitude * m.height()));
}

QPoint FreqGraph::PhasePoint(const QRect& p, int i, double phase) {
    const double omega = i * kPi / kResolution;
    const int half = p.height() / 2;
    return QPoint(p.left() + static_cast<int>(p.width() * omega / kPi),
                  (p.top() + half) - static_cast<int>(phase * half / kPi));
}

void FreqGraph::SetPhaseUnits(int units) {
    mPhaseUnits = units;
    Redraw();
}

void FreqGraph::UpdateFromNodeList() {
    if (mResponse.Initialize(&gNodeList, kResolution)) {
        Redraw();
    }
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

void FreqGraph::Draw(QPainter& painter) {
    DoStylePaint(painter);
    PlotMagBackground(painter);
    PlotMagGraph(painter);
    PlotPhaseBackground(painter);
    PlotPhaseGraph(painter);
}

std::array<QString, 4> FreqGraph::StatusTexts() const {
    const QRect m = MagPlot(mMagRect);
    double omega = 0.0;
    double magnitude = 0.0;
    double angle = 0.0;
    // Before the first computation there is no peak to divide by; read 0 then. On a
    // pole the magnitude is infinite and reads "inf"; beside an infinite peak every
    // finite value reads 0.
    if (mLastXPos >= 0) {
        omega = (mLastXPos - m.left()) * kPi / m.width();
    }
    if (mLastXPos >= 0 && mResponse.Scale() > 0.0) {
        const FComplex h = mResponse.ExactResponse(omega);
        magnitude = std::isinf(h.Mag()) ? h.Mag() : h.Mag() / mResponse.Scale();
        angle = h.Phase();
    }
    const QString phase =
        mPhaseUnits == kCmdDegrees
            ? QString::fromStdString(FormatC("Phase: %.2f (deg)", angle * 180.0 / kPi))
            : QString::fromStdString(FormatC("Phase: %.2f (rad)", angle));
    return {QString::fromStdString(
                FormatC("Frequency: %.2f kHz", mSampleRate * omega / kTwoPiThousand)),
            QString::fromStdString(FormatC("Magnitude: %.2f ", magnitude)), phase,
            QString::fromStdString(FormatC("Scale: %.4f ", mResponse.Scale()))};
}

void FreqGraph::DoStylePaint(QPainter& painter) {
    const QColor back = ColourFromRef(mBkColour);
    painter.fillRect(mMagRect, back);
    painter.fillRect(mPhaseRect, back);
    Draw3dFrame(painter, mMagRect);
    Draw3dFrame(painter, mPhaseRect);
}

void FreqGraph::PlotMagBackground(QPainter& painter) {
    const QRect m = MagPlot(mMagRect);
    painter.setPen(LinePen(mGridColour));
    painter.drawPolyline(QPolygon({QPoint(m.left(), m.top()), QPoint(m.left(), BottomOf(m)),
                                   QPoint(RightOf(m), BottomOf(m))}));
    const int left = mMagRect.left();
    DrawTextAt(painter, QPoint(left + 2, BottomOf(m)), QStringLiteral("0"));
    DrawTextAt(painter, QPoint(left + 2, mMagRect.top()), QStringLiteral("1"));
    DrawTextAt(painter, QPoint(RightOf(mMagRect) - 6 * mros, BottomOf(m)),
               HalfRateLabel(mSampleRate));
    DrawTextAt(painter, QPoint((mMagRect.width() - mros - mlos) / 2 + left, BottomOf(m)),
               QStringLiteral("kHz"));
}

void FreqGraph::PlotMagGraph(QPainter& painter) {
    const QRect m = MagPlot(mMagRect);
    QPolygon trace;
    for (int i = 0; i <= kResolution; ++i) {
        trace << MagPoint(m, i, mResponse.NormResponse(i).Mag());
    }
    painter.setPen(LinePen(mTraceColour));
    painter.drawPolyline(trace);
}

void FreqGraph::PlotPhaseBackground(QPainter& painter) {
    const QRect p = PhasePlot(mPhaseRect);
    const int yc = mPhaseRect.top() + mPhaseRect.height() / 2;
    painter.setPen(LinePen(mGridColour));
    painter.drawLine(p.left(), p.top(), p.left(), BottomOf(p));
    painter.drawLine(p.left(), yc, RightOf(p), yc);
    const int left = mPhaseRect.left();
    // The glyphs are drawn as in the compact view, end points included.
    painter.setPen(ColourFromRef(mGridColour));
    DrawPi(painter, QPoint(left + 2, p.top() + 5), false);
    DrawPi(painter, QPoint(left + 2, BottomOf(mPhaseRect) - 10), true);
    DrawTextAt(painter, QPoint(RightOf(mPhaseRect) - 6 * pros, yc), HalfRateLabel(mSampleRate));
    DrawTextAt(painter,
               QPoint((mPhaseRect.width() - pros - plos) / 2 + left, BottomOf(mPhaseRect) - 15),
               QStringLiteral("kHz"));
}

void FreqGraph::PlotPhaseGraph(QPainter& painter) {
    const QRect p = PhasePlot(mPhaseRect);
    QPolygon trace;
    for (int i = 0; i <= kResolution; ++i) {
        // The phase of the raw sample is that of the normalised one, and stays defined
        // beside an infinite peak, where the normalised samples are all 0. Before the
        // first computation the trace lies on the zero line.
        const double phase = i < mResponse.CpxCount() ? mResponse.RawResponse(i).Phase() : 0.0;
        trace << PhasePoint(p, i, phase);
    }
    painter.setPen(LinePen(mTraceColour));
    painter.drawPolyline(trace);
}
