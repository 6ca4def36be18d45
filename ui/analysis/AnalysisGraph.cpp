#include "ui/analysis/AnalysisGraph.h"

#include "core/FComplex.h"
#include "core/FormatC.h"
#include "ui/ArithmeticView.h"
#include "ui/Drawing.h"
#include "ui/VectorState.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// One wheel notch zooms by this factor, or pans by this fraction of the view.
constexpr double kWheelZoom = 1.25;
constexpr double kWheelPan = 0.1;
// A press this close to the cursor line drags it; a drag shorter than this is a click.
constexpr int kGrabDistance = 3;
constexpr int kDragDistance = 4;
// Over the strip of a plot area that carries the vertical axis's labels, the wheel
// zooms that axis.
constexpr int kYLabelStrip = 40;
// Roots closer than this to the circle get a point of a frequency trace at their angle.
constexpr double kNearCircle = 0.05;

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

QPen TracePen(const QColor& colour) {
    QPen pen(colour, 0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

// Inverts a column of the picture from client y top to bottom, every other run of
// dash device pixels when dash is above 0.
void InvertLineAt(QImage& canvas, int x, int top, int bottom, int dash) {
    const qreal ratio = canvas.devicePixelRatio();
    const auto device = [ratio](int v) { return static_cast<int>(std::floor(v * ratio)); };
    for (int column = device(x); column < device(x + 1); ++column) {
        if (dash <= 0) {
            InvertColumn(canvas, column, device(top), device(bottom));
            continue;
        }
        for (int y = device(top); y < device(bottom); y += 2 * dash) {
            InvertColumn(canvas, column, y, std::min(y + dash, device(bottom)));
        }
    }
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

AxisScale AnalysisGraph::XScale(const QRect& area, const AxisRange& range) {
    return range.Scale(area.left(), RightOf(area));
}

AxisScale AnalysisGraph::YScale(const QRect& area, const AxisRange& range) {
    return range.Scale(BottomOf(area), area.top());
}

AxisRange AnalysisGraph::FrequencyRange(int sampleRate, bool log) {
    const double half = sampleRate / 2.0;
    return log ? AxisRange(half / 1000.0, half, true) : AxisRange(0.0, half, false);
}

std::vector<AxisTick> AnalysisGraph::FrequencyTicks(const AxisScale& axis, int width) {
    const bool kilo = axis.High() >= 1000.0;
    std::vector<AxisTick> ticks;
    for (const double hz : axis.Ticks(std::max(2, width / 60))) {
        ticks.push_back({hz, TickLabel(kilo ? hz / 1000.0 : hz)});
    }
    // The end of the axis says how far it reaches, also where no round value lies there;
    // a round label too close to it gives way when drawn.
    const double high = axis.High();
    if (ticks.empty() || std::fabs(ticks.back().value - high) > 1e-9 * std::fabs(high)) {
        // Two digits finer than the round values' step: 22.05 kHz, not 22.1 or 22.0500.
        const double unit = kilo ? 1000.0 : 1.0;
        const double step = ticks.size() >= 2 ? (ticks[1].value - ticks[0].value) / unit : high;
        const int decimals = std::clamp(static_cast<int>(std::ceil(2 - std::log10(step))), 0, 9);
        QString text = QString::fromStdString(FormatC("%.*f", decimals, high / unit));
        if (text.contains('.')) {
            while (text.endsWith('0')) {
                text.chop(1);
            }
            if (text.endsWith('.')) {
                text.chop(1);
            }
        }
        ticks.push_back({high, text});
    }
    ticks.back().label += kilo ? QStringLiteral(" kHz") : QStringLiteral(" Hz");
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

QPointF AnalysisGraph::TracePointF(const AxisScale& x, const AxisScale& y, double xValue,
                                   double yValue, double ratio) {
    return QPointF(AxisPosition(x, xValue, ratio), AxisPosition(y, yValue, ratio));
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

std::vector<int> AnalysisGraph::StatusEdges(const std::array<int, 4>& needed, int width) {
    int total = 0;
    for (const int n : needed) {
        total += n;
    }
    std::vector<int> edges;
    int sum = 0;
    for (size_t i = 0; i + 1 < needed.size(); ++i) {
        sum += needed[i];
        edges.push_back(total <= width
                            ? sum + static_cast<int>(i + 1) * ((width - total) / 4)
                            : static_cast<int>(static_cast<long long>(width) * sum / total));
    }
    return edges;
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
    // The cursor stays at its frequency while the band still holds it.
    mCursor = std::min(mCursor, FullXRange().High());
    SampleRateChanged();
    Redraw();
}

void AnalysisGraph::SetCursor(double x) {
    mCursor = x;
    Compose();
}

void AnalysisGraph::SetSecondCursor(std::optional<double> x) {
    mSecondCursor = x;
    Compose();
}

int AnalysisGraph::CursorX() const {
    const std::vector<QRect> areas = PlotAreas();
    if (areas.empty()) {
        return -1;
    }
    const double x = XAxis(0).ToPixel(mCursor);
    const int pixel = std::isfinite(x) ? static_cast<int>(std::lround(x)) : -1;
    return pixel >= areas[0].left() && pixel < RightOf(areas[0]) ? pixel : -1;
}

AxisRange AnalysisGraph::XRange() const {
    const AxisRange full = FullXRange();
    if (mXZoom && mXZoom->IsLog() == full.IsLog()) {
        return mXZoom->Within(full);
    }
    return full;
}

int AnalysisGraph::FrequencySampleCount(const QRect& plot) const {
    const double ratio = PictureRatio() > 0 ? PictureRatio() : 1.0;
    return std::max(64, static_cast<int>(2 * plot.width() * ratio));
}

std::vector<double> AnalysisGraph::FrequencySamplingKey(const QRect& plot, int version) const {
    const AxisRange range = XRange();
    return {range.Low(),
            range.High(),
            range.IsLog() ? 1.0 : 0.0,
            static_cast<double>(FrequencySampleCount(plot)),
            static_cast<double>(version),
            static_cast<double>(mSampleRate)};
}

std::vector<double> AnalysisGraph::TraceFrequencies(const QRect& plot, const Zpk& zpk) const {
    const AxisRange range = XRange();
    const int count = FrequencySampleCount(plot);
    const AxisScale along = range.Scale(0.0, count);
    std::vector<double> hz;
    for (int i = 0; i <= count; ++i) {
        hz.push_back(along.ToValue(i));
    }
    const double half = mSampleRate / 2.0;
    for (const auto* roots : {&zpk.zeros, &zpk.poles}) {
        for (const FComplex& c : *roots) {
            const double at = std::fabs(c.Phase()) / kPi * half;
            if (std::fabs(c.Mag() - 1.0) < kNearCircle && at >= range.Low() && at <= range.High()) {
                hz.push_back(at);
            }
        }
    }
    std::sort(hz.begin(), hz.end());
    return hz;
}

void AnalysisGraph::SetXRange(const AxisRange& range) {
    const AxisRange full = FullXRange();
    const AxisRange kept = range.Within(full);
    mXZoom = kept == full ? std::nullopt : std::optional<AxisRange>(kept);
    Redraw();
}

AxisRange AnalysisGraph::YRange(int panel) const {
    const auto zoom = mYZoom.find(panel);
    return zoom != mYZoom.end() ? zoom->second : FullYRange(panel);
}

void AnalysisGraph::SetYRange(int panel, const AxisRange& range) {
    mYZoom.insert_or_assign(panel, range);
    Redraw();
}

void AnalysisGraph::ResetYRanges() {
    mYZoom.clear();
}

void AnalysisGraph::ResetYRange(int panel) {
    mYZoom.erase(panel);
}

void AnalysisGraph::ResetView() {
    mXZoom.reset();
    mYZoom.clear();
    Redraw();
}

std::vector<AnalysisGraph::Axis> AnalysisGraph::Axes() const {
    std::vector<Axis> axes = {{XName(), XRange(), XFactor()}};
    for (int panel = 0; panel < static_cast<int>(PlotAreas().size()); ++panel) {
        axes.push_back({YName(panel), YRange(panel), YFactor(panel)});
    }
    return axes;
}

void AnalysisGraph::SetAxes(const std::vector<AxisRange>& ranges) {
    for (size_t k = 1; k < ranges.size() && k <= PlotAreas().size(); ++k) {
        mYZoom.insert_or_assign(static_cast<int>(k - 1), ranges[k]);
    }
    if (!ranges.empty()) {
        SetXRange(ranges.front());
    }
}

void AnalysisGraph::SetReference(std::vector<std::function<double(double x)>> panels) {
    SetTrace(
        QString::fromLatin1(kReferenceKey),
        GraphTrace{QStringLiteral("Reference"), QColor(112, 112, 112), std::move(panels), true});
}

void AnalysisGraph::SetTrace(const QString& key, GraphTrace trace) {
    mTraces.insert_or_assign(key, std::move(trace));
    Redraw();
}

void AnalysisGraph::RemoveTrace(const QString& key) {
    mTraces.erase(key);
    Redraw();
}

void AnalysisGraph::ShowQuantized(const QuantizedCascade& quantized) {
    const QString key = QString::fromLatin1(kQuantizedKey);
    mQuantized.reset();
    mQuantizedName = ArithmeticLabel(quantized.arithmetic);
    if (quantized.arithmetic == Arithmetic::F64) {
        if (HasTrace(key)) {
            RemoveTrace(key);
        }
        return;
    }
    if (quantized.problem != QuantizeProblem::None) {
        SetTrace(key, GraphTrace{mQuantizedName + QStringLiteral(": ") +
                                     QString::fromStdString(QuantizeProblemText(
                                         quantized.problem, quantized.arithmetic)),
                                 QuantizedColour(),
                                 {},
                                 false});
        return;
    }
    mQuantized = quantized.roots;
    SetTrace(key, GraphTrace{mQuantizedName, QuantizedColour(), QuantizedPanels(quantized.roots),
                             false});
}

std::vector<std::function<double(double)>> AnalysisGraph::QuantizedPanels(const Zpk&) {
    return {};
}

void AnalysisGraph::SetRegions(const QString& key, const QString& label, const QColor& colour,
                               int panel, std::vector<ShadedRegion> regions) {
    mRegions.insert_or_assign(key, RegionSet{label, colour, panel, std::move(regions)});
    Redraw();
}

void AnalysisGraph::RemoveRegions(const QString& key) {
    mRegions.erase(key);
    Redraw();
}

void AnalysisGraph::SetMarkers(std::vector<GraphMarker> markers) {
    mMarkers = std::move(markers);
}

void AnalysisGraph::ClearMarkers() {
    mMarkers.clear();
    mSecondCursor.reset();
    Redraw();
}

double AnalysisGraph::AxisValue(int, double value) const {
    return value;
}

bool AnalysisGraph::BreaksBetween(int, double, double) const {
    return false;
}

std::vector<double> AnalysisGraph::TraceXs() const {
    std::vector<double> xs;
    const std::vector<QRect> areas = PlotAreas();
    if (areas.empty()) {
        return xs;
    }
    const AxisScale x = XAxis(0);
    const double ratio = PictureRatio() > 0 ? PictureRatio() : 1.0;
    const int count = static_cast<int>(areas[0].width() * ratio);
    for (int i = 0; i <= count; ++i) {
        xs.push_back(x.ToValue(areas[0].left() + i / ratio));
    }
    return xs;
}

AxisScale AnalysisGraph::XAxis(int panel) const {
    return XScale(PlotAreas().at(static_cast<size_t>(panel)), XRange());
}

AxisScale AnalysisGraph::YAxis(int panel) const {
    return YScale(PlotAreas().at(static_cast<size_t>(panel)), YRange(panel));
}

double AnalysisGraph::PixelStep() const {
    return PixelStepAt(mCursor);
}

double AnalysisGraph::PixelStepAt(double value) const {
    const std::vector<QRect> areas = PlotAreas();
    if (areas.empty() || areas[0].width() < 2) {
        return 0.0;
    }
    const AxisScale x = XAxis(0);
    const double at = std::clamp(x.ToPixel(value), static_cast<double>(areas[0].left()),
                                 static_cast<double>(RightOf(areas[0]) - 1));
    return std::fabs(x.ToValue(std::isfinite(at) ? at + 1 : areas[0].left() + 1) -
                     x.ToValue(std::isfinite(at) ? at : areas[0].left()));
}

QStringList AnalysisGraph::LegendTexts() const {
    QStringList lines;
    if (mTraces.empty() && mRegions.empty()) {
        return lines;
    }
    const auto valueText = [this](std::optional<double> v) {
        return v ? AxisValueText(0, AxisValue(0, *v)) : QString();
    };
    lines << QStringLiteral("Design  ") + valueText(OwnValue(0, mCursor));
    for (const GraphTrace* trace : TracesInOrder()) {
        std::optional<double> v;
        if (!trace->panels.empty() && trace->panels[0]) {
            v = trace->panels[0](mCursor);
        }
        lines << trace->label + QStringLiteral("  ") + valueText(v);
    }
    for (const auto& [key, set] : mRegions) {
        lines << set.label;
    }
    return lines;
}

std::vector<const GraphTrace*> AnalysisGraph::TracesInOrder() const {
    std::vector<const GraphTrace*> traces;
    for (const bool under : {true, false}) {
        for (const auto& [key, trace] : mTraces) {
            if (trace.under == under) {
                traces.push_back(&trace);
            }
        }
    }
    return traces;
}

QString AnalysisGraph::DeltaText() const {
    if (!mSecondCursor) {
        return QString();
    }
    QString text = QStringLiteral("\u0394 ") + XText(*mSecondCursor - mCursor, PixelStep());
    const std::optional<double> a = OwnValue(0, mCursor);
    const std::optional<double> b = OwnValue(0, *mSecondCursor);
    if (a && b) {
        text += QStringLiteral(", ") + AxisValueText(0, AxisValue(0, *b) - AxisValue(0, *a));
    }
    return text;
}

void AnalysisGraph::Redraw() {
    if (!mBase.isNull()) {
        // Where no panel lies the window shows the button face.
        mBase.fill(ColourFromRef(ButtonFaceRef()));
        QPainter painter(&mBase);
        painter.setFont(mainFont);
        DrawPanels(painter);
        DrawRegions(painter);
        DrawOverlayTraces(painter, true);
        DrawTraces(painter);
        painter.setClipping(false);
        DrawOverlayTraces(painter, false);
        DrawMarkers(painter);
    }
    Compose();
}

void AnalysisGraph::Compose() {
    if (!mBase.isNull()) {
        mCanvas = mBase.copy();
        {
            QPainter painter(&mCanvas);
            painter.setFont(mainFont);
            DrawLegend(painter);
            if (mSecondCursor && !PlotAreas().empty()) {
                const int x = static_cast<int>(std::lround(XAxis(0).ToPixel(*mSecondCursor)));
                DrawFlag(painter, PlotAreas()[0], x, DeltaText());
            }
        }
        DrawCursors();
        update();
    }
    UpdateStatusText();
}

void AnalysisGraph::DrawRegions(QPainter& painter) const {
    const std::vector<QRect> areas = PlotAreas();
    for (const auto& [key, set] : mRegions) {
        if (set.panel < 0 || set.panel >= static_cast<int>(areas.size())) {
            continue;
        }
        const AxisScale x = XAxis(set.panel);
        const AxisScale y = YAxis(set.panel);
        painter.setClipRect(areas[static_cast<size_t>(set.panel)]);
        for (const ShadedRegion& r : set.regions) {
            const QPointF a = TracePointF(x, y, r.xLow, AxisValue(set.panel, r.yLow), 1.0);
            const QPointF b = TracePointF(x, y, r.xHigh, AxisValue(set.panel, r.yHigh), 1.0);
            painter.fillRect(QRectF(a, b).normalized(), set.colour);
        }
    }
    painter.setClipping(false);
}

void AnalysisGraph::DrawOverlayTraces(QPainter& painter, bool under) const {
    const std::vector<QRect> areas = PlotAreas();
    std::vector<double> xs;
    for (const auto& [key, trace] : mTraces) {
        if (trace.under != under) {
            continue;
        }
        if (xs.empty()) {
            xs = TraceXs();
        }
        painter.setPen(TracePen(trace.colour));
        for (size_t panel = 0; panel < trace.panels.size() && panel < areas.size(); ++panel) {
            if (!trace.panels[panel]) {
                continue;
            }
            const int p = static_cast<int>(panel);
            const AxisScale x = XAxis(p);
            const AxisScale y = YAxis(p);
            painter.setClipRect(areas[panel]);
            // Every value is computed before this panel's lines are drawn, which leave
            // the vector registers dirty.
            ClearUpperVectorState();
            std::vector<double> values;
            for (const double at : xs) {
                values.push_back(AxisValue(p, trace.panels[panel](at)));
            }
            QPolygonF run;
            double previous = NAN;
            for (size_t k = 0; k < xs.size(); ++k) {
                const double at = xs[k];
                const double v = values[k];
                if (std::isnan(v) || (!run.isEmpty() && BreaksBetween(p, previous, v))) {
                    painter.drawPolyline(run);
                    run.clear();
                }
                if (!std::isnan(v)) {
                    run << TracePointF(x, y, at, v, PictureRatio());
                }
                previous = v;
            }
            painter.drawPolyline(run);
        }
    }
    painter.setClipping(false);
}

void AnalysisGraph::DrawFlag(QPainter& painter, const QRect& area, int x,
                             const QString& text) const {
    if (text.isEmpty() || x < area.left() || x >= RightOf(area)) {
        return;
    }
    const QFontMetrics metrics(mainFont);
    const int w = metrics.horizontalAdvance(text) + 4;
    const int h = metrics.height();
    // Right of the line where there is room, else left of it.
    const int left = x + 3 + w <= RightOf(area) ? x + 3 : x - 3 - w;
    const QRect box(std::max(left, area.left()), area.top() + 2, w, h);
    painter.fillRect(box, ColourFromRef(mBkColour));
    painter.setPen(ColourFromRef(mGridColour));
    DrawTextAt(painter, box.topLeft() + QPoint(2, 0), text);
}

void AnalysisGraph::DrawMarkers(QPainter& painter) const {
    const std::vector<QRect> areas = PlotAreas();
    const QFontMetrics metrics(mainFont);
    for (const GraphMarker& m : mMarkers) {
        if (m.panel < 0 || m.panel >= static_cast<int>(areas.size())) {
            continue;
        }
        const QRect& area = areas[static_cast<size_t>(m.panel)];
        const QPointF at = TracePointF(XAxis(m.panel), YAxis(m.panel), m.x,
                                       AxisValue(m.panel, m.value), PictureRatio());
        if (!QRectF(area).contains(at)) {
            continue;
        }
        // A small triangle pointing at the point from above, and the label beside it.
        painter.setPen(Qt::NoPen);
        painter.setBrush(ColourFromRef(mGridColour));
        painter.drawPolygon(QPolygonF({at, at + QPointF(-4, -7), at + QPointF(4, -7)}));
        painter.setBrush(Qt::NoBrush);
        const QString label = m.name + ' ' + XText(m.x, PixelStep() / 100) + QStringLiteral(", ") +
                              AxisValueText(m.panel, AxisValue(m.panel, m.value));
        const int w = metrics.horizontalAdvance(label) + 4;
        int left = static_cast<int>(at.x()) + 6;
        if (left + w > RightOf(area)) {
            left = static_cast<int>(at.x()) - 6 - w;
        }
        const int top = std::max(area.top(), static_cast<int>(at.y()) - 7 - metrics.height());
        const QRect box(std::max(left, area.left()), top, w, metrics.height());
        painter.fillRect(box, ColourFromRef(mBkColour));
        painter.setPen(ColourFromRef(mGridColour));
        DrawTextAt(painter, box.topLeft() + QPoint(2, 0), label);
    }
}

void AnalysisGraph::DrawLegend(QPainter& painter) const {
    const QStringList lines = LegendTexts();
    const std::vector<QRect> areas = PlotAreas();
    if (lines.isEmpty() || areas.empty()) {
        return;
    }
    std::vector<QColor> colours = {ColourFromRef(mTraceColour)};
    for (const GraphTrace* trace : TracesInOrder()) {
        colours.push_back(trace->colour);
    }
    for (const auto& [key, set] : mRegions) {
        colours.push_back(set.colour);
    }
    const QFontMetrics metrics(mainFont);
    int width = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    const int swatch = 16;
    const int h = metrics.height();
    const QRect box(RightOf(areas[0]) - width - swatch - 12, areas[0].top() + 2,
                    width + swatch + 10, h * static_cast<int>(lines.size()) + 4);
    painter.fillRect(box, ColourFromRef(mBkColour));
    painter.setPen(LinePen(mGridColour));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    for (int k = 0; k < lines.size(); ++k) {
        const int top = box.top() + 2 + k * h;
        const QColor colour = colours[static_cast<size_t>(k)];
        if (k >= 1 + static_cast<int>(mTraces.size())) {
            painter.fillRect(QRect(box.left() + 3, top + 2, swatch - 2, h - 4), colour);
        } else {
            painter.fillRect(QRect(box.left() + 3, top + h / 2, swatch - 2, 2), colour);
        }
        painter.setPen(ColourFromRef(mGridColour));
        DrawTextAt(painter, QPoint(box.left() + swatch + 5, top), lines[k]);
    }
}

void AnalysisGraph::DrawCursors() {
    const std::vector<QRect> areas = PlotAreas();
    if (areas.empty()) {
        return;
    }
    // Lines of inverted pixels show on any colour; the second one is dashed. On the
    // left axis the axis itself marks the cursor.
    const auto line = [this, &areas](double value, int dash) {
        const double pixel = XAxis(0).ToPixel(value);
        const int x = std::isfinite(pixel) ? static_cast<int>(std::lround(pixel)) : -1;
        if (x <= areas[0].left() || x >= RightOf(areas[0])) {
            return;
        }
        for (const QRect& area : areas) {
            InvertLineAt(mCanvas, x, area.top(), BottomOf(area), dash);
        }
    };
    line(mCursor, 0);
    if (mSecondCursor) {
        line(*mSecondCursor, 3);
    }
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
        if (!tick->label.isEmpty() && left + w + 4 < nextLeft) {
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
    if (!mBand.isEmpty()) {
        QPen pen(ColourFromRef(mGridColour), 0, Qt::DashLine);
        painter.setPen(pen);
        painter.drawRect(mBand.adjusted(0, 0, -1, -1));
    }
}

void AnalysisGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout(size());
    mBase = CanvasFor(*this);
    mStatus.setGeometry(StatusRect(size()));
    Redraw();
}

int AnalysisGraph::PanelAt(QPoint p) const {
    const std::vector<QRect> areas = PlotAreas();
    for (size_t k = 0; k < areas.size(); ++k) {
        if (areas[k].contains(p)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

double AnalysisGraph::XAt(int x) const {
    const QRect area = PlotAreas().at(0);
    return XAxis(0).ToValue(std::clamp(x, area.left(), RightOf(area) - 1));
}

void AnalysisGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint p = event->position().toPoint();
    const int panel = PanelAt(p);
    if (panel < 0) {
        return;
    }
    if ((event->modifiers() & Qt::ShiftModifier) != 0) {
        SetSecondCursor(XAt(p.x()));
        return;
    }
    const int cursor = CursorX();
    if (cursor >= 0 && std::abs(p.x() - cursor) <= kGrabDistance) {
        mPress = Press::Cursor;
        SetCursor(XAt(p.x()));
        return;
    }
    mPress = Press::Band;
    mPressPoint = p;
    mPressPanel = panel;
    mBand = QRect();
}

void AnalysisGraph::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    const QPoint p = event->position().toPoint();
    if (mPress == Press::Cursor) {
        SetCursor(XAt(p.x()));
    } else if (mPress == Press::Band &&
               ((p - mPressPoint).manhattanLength() >= kDragDistance || !mBand.isEmpty())) {
        const QRect area = PlotAreas().at(static_cast<size_t>(mPressPanel));
        mBand = QRect(mPressPoint, p).normalized().intersected(area);
        update();
    }
}

void AnalysisGraph::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Press press = mPress;
    const QRect band = mBand;
    mPress = Press::None;
    mBand = QRect();
    if (press != Press::Band) {
        return;
    }
    if (band.width() < kDragDistance && band.height() < kDragDistance) {
        // A click: the cursor goes there.
        SetCursor(XAt(mPressPoint.x()));
        return;
    }
    // A flat band zooms the horizontal axis alone, a narrow one the vertical alone.
    if (band.height() >= kDragDistance) {
        const AxisScale y = YAxis(mPressPanel);
        mYZoom.insert_or_assign(mPressPanel,
                                AxisRange(y.ToValue(band.top()), y.ToValue(BottomOf(band)),
                                          YRange(mPressPanel).IsLog()));
    }
    if (band.width() >= kDragDistance) {
        const AxisScale x = XAxis(0);
        SetXRange(AxisRange(x.ToValue(band.left()), x.ToValue(RightOf(band)), XRange().IsLog()));
    } else {
        Redraw();
    }
}

void AnalysisGraph::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && PanelAt(event->position().toPoint()) >= 0) {
        ResetView();
    }
}

void AnalysisGraph::wheelEvent(QWheelEvent* event) {
    const QPoint p = event->position().toPoint();
    const int panel = PanelAt(p);
    // Some systems turn a wheel held with Shift into a sideways one.
    const QPoint delta = event->angleDelta();
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    event->accept();
    if (panel < 0 || notches == 0.0) {
        return;
    }
    const bool pan = (event->modifiers() & Qt::ShiftModifier) != 0;
    const QRect area = PlotAreas().at(static_cast<size_t>(panel));
    if (p.x() < area.left() + kYLabelStrip) {
        const AxisRange range = YRange(panel);
        SetYRange(panel, pan ? range.PannedBy(kWheelPan * notches)
                             : range.ZoomedAbout(YAxis(panel).ToValue(p.y()),
                                                 std::pow(kWheelZoom, notches)));
        return;
    }
    const AxisRange range = XRange();
    SetXRange(pan ? range.PannedBy(-kWheelPan * notches)
                  : range.ZoomedAbout(XAt(p.x()), std::pow(kWheelZoom, notches)));
}

void AnalysisGraph::keyPressEvent(QKeyEvent* event) {
    const std::vector<QRect> areas = PlotAreas();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        if (areas.empty()) {
            return;
        }
        // One pixel along from where the cursor stands, or from the edge it lies beyond.
        const double at = XAxis(0).ToPixel(mCursor);
        const int from = std::isfinite(at) ? static_cast<int>(std::lround(at)) : areas[0].left();
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        SetCursor(XAt(std::clamp(from, areas[0].left(), RightOf(areas[0]) - 1) + step));
        return;
    }
    case Qt::Key_Home:
        ResetView();
        return;
    case Qt::Key_Escape:
        if (mPress == Press::Band) {
            mPress = Press::None;
            mBand = QRect();
            update();
            return;
        }
        SetSecondCursor(std::nullopt);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void AnalysisGraph::UpdateStatusText() {
    const std::array<QString, 4> texts = StatusTexts();
    std::array<int, 4> needed{};
    bool fits = mStatus.width() > 0;
    for (int part = 0; part < 4; ++part) {
        const QString& text = texts[static_cast<size_t>(part)];
        mStatus.SetText(part, text);
        needed[static_cast<size_t>(part)] = mStatus.PartWidthFor(text);
        fits = fits && mStatus.PartRect(part).width() >= needed[static_cast<size_t>(part)];
    }
    // The parts are laid out anew only when a text no longer fits, so that they stand
    // still while the cursor moves. A strip too narrow for the texts (a small window on a
    // screen scaled by 2) takes them in a smaller font, down to 6 points, rather than
    // cutting them off.
    if (fits) {
        return;
    }
    QFont font = QWidget::font();
    int total = 0;
    for (const int n : needed) {
        total += n;
    }
    if (total > mStatus.width() && total > 0) {
        font.setPointSizeF(std::max(6.0, font.pointSizeF() * mStatus.width() / total));
    }
    mStatus.setFont(font);
    for (int part = 0; part < 4; ++part) {
        needed[static_cast<size_t>(part)] = mStatus.PartWidthFor(texts[static_cast<size_t>(part)]);
    }
    mStatus.SetPartEdges(StatusEdges(needed, mStatus.width()));
}
