#include "ui/analysis/AnalysisGraph.h"

#include "core/FComplex.h"
#include "core/FormatC.h"
#include "ui/Drawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QString TickLabel(double value) {
    // A tick at -0 reads 0.
    return QString::fromStdString(FormatC("%g", value == 0.0 ? 0.0 : value));
}

// The grid colour a fifth of the way from the panel colour.
QColor GridLineColour(uint32_t grid, uint32_t back) {
    const QColor g = ColourFromRef(grid);
    const QColor b = ColourFromRef(back);
    return QColor((g.red() + 4 * b.red()) / 5, (g.green() + 4 * b.green()) / 5,
                  (g.blue() + 4 * b.blue()) / 5);
}

} // namespace

AnalysisGraph::AnalysisGraph(QWidget* parent)
    : QWidget(parent), mBkColour(ButtonFaceRef()), mainFont(LabelFont()), mStatus(4, this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

QRect AnalysisGraph::StatusRect(QSize client) {
    return RectFromEdges(0, client.height() - 40, client.width(), client.height() - 20);
}

AxisScale AnalysisGraph::FrequencyAxis(const QRect& area, int sampleRate, bool log) {
    const double half = sampleRate / 2.0;
    const double left = area.left();
    const double right = RightOf(area);
    return log ? AxisScale::Log(half / 1000.0, half, left, right)
               : AxisScale::Linear(0.0, half, left, right);
}

double AnalysisGraph::LogSpacedOmega(int i, int resolution) {
    return kPi * std::pow(10.0, 3.0 * (i - resolution) / resolution);
}

std::vector<AxisTick> AnalysisGraph::FrequencyTicks(const AxisScale& axis, int width) {
    const bool kilo = axis.High() >= 1000.0;
    std::vector<AxisTick> ticks;
    for (const double hz : axis.Ticks(std::max(2, width / 60))) {
        ticks.push_back({hz, TickLabel(kilo ? hz / 1000.0 : hz)});
    }
    if (!ticks.empty()) {
        ticks.back().label += kilo ? QStringLiteral(" kHz") : QStringLiteral(" Hz");
    }
    return ticks;
}

double AnalysisGraph::AxisPosition(const AxisScale& axis, double value, double ratio) {
    const double low = std::min(axis.Low(), axis.High());
    const double high = std::max(axis.Low(), axis.High());
    const double origin = axis.ToPixel(axis.IsLog() ? axis.Low() : std::clamp(0.0, low, high));
    double offset = std::clamp(axis.ToPixel(value) - origin, -1e6, 1e6);
    // A value that is not a number has no place; it is put on the origin.
    if (std::isnan(offset)) {
        offset = 0.0;
    }
    return std::trunc(origin) + std::trunc(offset * ratio) / ratio;
}

QPointF AnalysisGraph::TracePointF(const QRect& area, const AxisScale& x, const AxisScale& y,
                                   double xValue, double yValue, double ratio) {
    return QPointF(AxisPosition(x, xValue, ratio),
                   std::clamp(AxisPosition(y, yValue, ratio), static_cast<double>(area.top()),
                              static_cast<double>(BottomOf(area))));
}

QRect AnalysisGraph::PanelFor(QSize client) {
    return RectFromEdges(0, 3, client.width(), client.height() - 43);
}

QRect AnalysisGraph::PanelPlot(const QRect& panel) {
    // Insets from the panel: top 5, left 10, bottom 15, right 5.
    return RectFromEdges(panel.left() + 10, panel.top() + 5, RightOf(panel) - 5,
                         BottomOf(panel) - 15);
}

std::vector<AxisTick> AnalysisGraph::ValueTicks(const AxisScale& axis, int length, int spacing) {
    std::vector<AxisTick> ticks;
    for (const double v : axis.Ticks(std::max(2, length / spacing))) {
        ticks.push_back({v, TickLabel(v)});
    }
    return ticks;
}

std::vector<int> AnalysisGraph::StatusEdges(int width) {
    return {width / 4, width / 2, 3 * width / 4};
}

int AnalysisGraph::CursorAfterKey(int lastX, int key, const QRect& area) {
    int x = lastX;
    if (key == Qt::Key_Left && lastX >= 1) {
        x = lastX - 1;
    } else if (key == Qt::Key_Right && lastX < RightOf(area)) {
        x = lastX + 1;
    }
    return area.contains(x, area.top()) ? x : -1;
}

void AnalysisGraph::SetBkColour(uint32_t colour) {
    mBkColour = colour;
    Redraw();
}

void AnalysisGraph::SetGridColour(uint32_t colour) {
    mGridColour = colour;
    Redraw();
}

void AnalysisGraph::SetTraceColour(uint32_t colour) {
    mTraceColour = colour;
    Redraw();
}

void AnalysisGraph::SetSampleRate(::SampleRate rate) {
    mSampleRate = rate;
    Redraw();
}

void AnalysisGraph::Redraw() {
    mLastXPos = -1;
    if (mCanvas.isNull()) {
        return;
    }
    // Where no panel lies the window shows the button face.
    mCanvas.fill(ColourFromRef(ButtonFaceRef()));
    {
        QPainter painter(&mCanvas);
        painter.setFont(mainFont);
        Draw(painter);
    }
    update();
    UpdateStatusText();
}

void AnalysisGraph::DrawYAxisGrid(QPainter& painter, const QRect& area, const AxisScale& axis,
                                  const std::vector<AxisTick>& ticks) const {
    const QFontMetrics metrics(mainFont);
    for (const AxisTick& tick : ticks) {
        const int y = static_cast<int>(std::lround(axis.ToPixel(tick.value)));
        painter.setPen(LinePen(RefFromColour(GridLineColour(mGridColour, mBkColour))));
        painter.drawLine(area.left() + 1, y, RightOf(area), y);
        painter.setPen(LinePen(mGridColour));
        painter.drawLine(area.left(), y, area.left() + 3, y);
        const int top =
            std::clamp(y - metrics.height() / 2, area.top(), BottomOf(area) - metrics.height());
        painter.setPen(ColourFromRef(mGridColour));
        DrawTextAt(painter, QPoint(area.left() + 5, top), tick.label);
    }
}

void AnalysisGraph::DrawXAxisGrid(QPainter& painter, const QRect& area, const AxisScale& axis,
                                  const std::vector<AxisTick>& ticks, int labelTop) const {
    const QFontMetrics metrics(mainFont);
    int nextLeft = RightOf(area) + 1000;
    for (auto tick = ticks.rbegin(); tick != ticks.rend(); ++tick) {
        const int x = static_cast<int>(std::lround(axis.ToPixel(tick->value)));
        painter.setPen(LinePen(RefFromColour(GridLineColour(mGridColour, mBkColour))));
        painter.drawLine(x, area.top(), x, BottomOf(area) - 4);
        painter.setPen(LinePen(mGridColour));
        painter.drawLine(x, BottomOf(area) - 3, x, BottomOf(area));
        const int w = metrics.horizontalAdvance(tick->label);
        const int left = std::clamp(x - w / 2, area.left() + 2, RightOf(area) - w);
        if (left + w + 4 < nextLeft) {
            painter.setPen(ColourFromRef(mGridColour));
            DrawTextAt(painter, QPoint(left, labelTop), tick->label);
            nextLeft = left;
        }
    }
}

void AnalysisGraph::DrawNote(QPainter& painter, const QRect& area, const QString& text) const {
    painter.setPen(ColourFromRef(mGridColour));
    painter.drawText(area, Qt::AlignCenter, text);
}

void AnalysisGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mCanvas);
}

void AnalysisGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout(size());
    mCanvas = CanvasFor(*this);
    mStatus.setGeometry(StatusRect(size()));
    mStatus.SetPartEdges(StatusEdges(width()));
    Redraw();
}

void AnalysisGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        mouseMoveEvent(event);
    }
}

void AnalysisGraph::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    const QPoint p = event->position().toPoint();
    int x = -1;
    for (const QRect& area : PlotAreas()) {
        if (area.contains(p)) {
            x = p.x();
        }
    }
    MoveCursorTo(x);
}

void AnalysisGraph::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    MoveCursorTo(CursorAfterKey(mLastXPos, event->key(), PlotAreas().front()));
}

void AnalysisGraph::MoveCursorTo(int x) {
    if (mLastXPos >= 0) {
        InvertLine(mLastXPos);
    }
    mLastXPos = x;
    if (x >= 0) {
        InvertLine(x);
    }
    UpdateStatusText();
}

void AnalysisGraph::InvertLine(int x) {
    // The picture holds ratio device pixels per client pixel.
    const qreal ratio = mCanvas.devicePixelRatio();
    const auto device = [ratio](int v) { return static_cast<int>(std::floor(v * ratio)); };
    for (const QRect& area : PlotAreas()) {
        for (int column = device(x); column < device(x + 1); ++column) {
            InvertColumn(mCanvas, column, device(area.top()), device(BottomOf(area)));
        }
    }
    update(x, 0, 1, height());
}

void AnalysisGraph::UpdateStatusText() {
    const std::array<QString, 4> texts = StatusTexts();
    for (int part = 0; part < 4; ++part) {
        mStatus.SetText(part, texts[static_cast<size_t>(part)]);
    }
}
